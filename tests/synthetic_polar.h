// A small airfoil polar database written by the tests themselves, in the
// engine's binary polar file format, with smooth model lift and drag curves.
//
// Lift rises linearly with the angle of attack from a zero-lift angle that
// falls with camber, up to a stall maximum, and falls again beyond it (the
// same below a negative stall). Drag is least at a lift coefficient that
// rises with camber, so the camber of least drag depends on the design lift.
//
// The loaders accept only lift tables with known checksums. The last Mach
// column (Mach 5, which no subsonic section reaches: the design lookup takes
// the lower grid value of a bracket) carries values that bring the lift
// checksum to an accepted one.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace polar_test {

struct PolarModel {
    std::vector<float> mach{0.1f, 0.6f, 5.0f};
    std::vector<float> reynolds{1e5f, 1e6f, 1e7f};
    std::vector<float> tc{0.02f, 0.05f, 0.08f, 0.12f, 0.16f, 0.21f};
    std::vector<float> camber{0.0f, 0.01f, 0.02f, 0.03f, 0.04f, 0.05f, 0.06f};
    std::vector<float> angles;  // degrees, both sets

    float liftSlope = 0.1f;          // per degree
    float zeroLiftPerCamber = 50.0f;  // degrees of zero-lift angle per unit camber
    // Stall lift: base + perCamber * camber - perTc * t/c + perDecade * log10(Re / 1e6).
    float clMaxBase = 1.0f, clMaxPerCamber = 8.0f, clMaxPerTc = 1.0f, clMaxPerDecade = 0.05f;
    float clMinBase = -0.6f;

    PolarModel() {
        for (int a = -12; a <= 16; ++a) angles.push_back(static_cast<float>(a));
    }

    float StallLift(float t, float c, float re) const {
        return clMaxBase + clMaxPerCamber * c - clMaxPerTc * t +
               clMaxPerDecade * std::log10(re / 1e6f);
    }
    float LinearLift(float c, float alphaDeg) const {
        return liftSlope * (alphaDeg + zeroLiftPerCamber * c);
    }
    // Linear between the stalls, flat for 1.5 degrees beyond each, then
    // falling gently.
    float Lift(float t, float c, float re, float alphaDeg) const {
        const float linear = LinearLift(c, alphaDeg);
        const float clMax = StallLift(t, c, re);
        const float clMin = clMinBase + 4.0f * c;
        const float above = (linear - clMax) / liftSlope, below = (clMin - linear) / liftSlope;
        if (above > 0) return above <= 1.5f ? clMax : clMax - 0.01f * (above - 1.5f);
        if (below > 0) return below <= 1.5f ? clMin : clMin + 0.01f * (below - 1.5f);
        return linear;
    }
    // Least drag at the lift 0.2 + 10 * camber.
    float Drag(float t, float c, float re, float alphaDeg) const {
        const float d = LinearLift(c, alphaDeg) - (0.2f + 10.0f * c);
        return (0.006f + 0.05f * t * t) * std::pow(1e6f / re, 0.2f) + 0.01f * d * d;
    }
};

inline void PutInt(std::FILE* f, int32_t v) { std::fwrite(&v, 4, 1, f); }
inline void PutFloat(std::FILE* f, float v) { std::fwrite(&v, 4, 1, f); }

// Writes the model's database to `path`; the lift checksum is `checksum`.
inline void WritePolar(const std::string& path, const PolarModel& m, int32_t checksum = 651) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return;
    PutInt(f, 7767223);
    PutInt(f, static_cast<int32_t>(m.mach.size()));
    PutInt(f, static_cast<int32_t>(m.reynolds.size()));
    PutInt(f, static_cast<int32_t>(m.tc.size()));
    PutInt(f, static_cast<int32_t>(m.camber.size()));
    for (const auto* grid : {&m.mach, &m.reynolds, &m.tc, &m.camber})
        for (float v : *grid) PutFloat(f, v);
    for (int set = 1; set <= 2; ++set) {
        PutInt(f, static_cast<int32_t>(m.angles.size()));
        for (float a : m.angles) PutFloat(f, a);
    }

    // Lift checksum of the real columns, and the filler of the spare one.
    const std::size_t spare = m.mach.size() - 1;
    int64_t sum = 0;
    for (float t : m.tc)
        for (float c : m.camber)
            for (float re : m.reynolds)
                for (float a : m.angles)
                    sum += spare * static_cast<int32_t>(m.Lift(t, c, re, a) * 256.0f);
    const int64_t fillCount =
        static_cast<int64_t>(m.tc.size() * m.camber.size() * m.reynolds.size() * m.angles.size());
    const int64_t missing = checksum - sum;
    const int64_t each = missing / fillCount;
    const int64_t first = missing - each * (fillCount - 1);

    bool firstFill = true;
    for (int set = 1; set <= 2; ++set)
        for (float t : m.tc)
            for (float c : m.camber)
                for (float re : m.reynolds) {
                    PutFloat(f, t);
                    PutFloat(f, c);
                    PutFloat(f, re);
                    for (float a : m.angles) {
                        PutFloat(f, a);
                        for (std::size_t k = 0; k < m.mach.size(); ++k) {
                            if (set == 2) {
                                PutFloat(f, m.Drag(t, c, re, a));
                            } else if (k < spare) {
                                PutFloat(f, m.Lift(t, c, re, a));
                            } else {
                                PutFloat(f, static_cast<float>(firstFill ? first : each) / 256.0f);
                                firstFill = false;
                            }
                        }
                    }
                }
    std::fclose(f);
}

}  // namespace polar_test
