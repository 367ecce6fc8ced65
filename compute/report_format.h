// Fixed-point number fields of the engine's text reports.
#pragma once

#include <iomanip>
#include <ostream>

// A number written in fixed-point notation, right-aligned in `width`
// characters (0: no padding) with `precision` decimals.
struct FixedField {
    FixedField(float v, int w, int p) : value(v), width(w), precision(p) {}
    float value;
    int width;
    int precision;
};

inline std::ostream& operator<<(std::ostream& out, const FixedField& f) {
    return out << std::fixed << std::setw(f.width) << std::setprecision(f.precision) << f.value;
}
