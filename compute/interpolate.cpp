#include "compute/interpolate.h"

#include <cmath>

#include "compute/engine_state.h"

namespace {

constexpr float kSlack = 0.0001f;

bool Spans(const float* xs, const float* xt, int firstS, int lastS, int firstT, int lastT) {
    return !(xs[firstS] - xt[firstT] > kSlack || xt[lastT] - xs[lastS] > kSlack);
}

// Straight line through (x0, y0) and (x1, y1) at g; a zero-width interval
// gives the value of its upper end.
float Linear(float x0, float y0, float x1, float y1, float g) {
    if (x1 == x0) return y1;
    return y0 + (y1 - y0) * (g - x0) / (x1 - x0);
}

}  // namespace

int line_1(float* xs, float* ys, float* xt, float* yt, int* lastT, int* lastS, int* firstS,
           int* firstT) {
    if (!Spans(xs, xt, *firstS, *lastS, *firstT, *lastT)) {
        OUTPUT_FILE << "\n THE RANGE OF USER SUPPLIED RADIAL STATIONS SPANS X = " << xs[*firstS]
                    << "," << xs[*lastS]
                    << "\n FOR INTERPOLATION PURPOSES, THE RANGE OF INPUTS FOR GEOMETRY"
                    << "\n MUST AT LEAST SPAN THE RADII OF " << xt[*firstT] << "," << xt[*lastT]
                    << " --- PROGRAM HALTED. (SORRY, NO WAY OUT OF IT!)\n";
        except_ = 1;
        return 0;
    }
    if (*lastS <= *firstS) {
        for (int g = *firstT; g <= *lastT; ++g) yt[g] = ys[*firstS];
        return 0;
    }
    for (int g = *firstT; g <= *lastT; ++g) {
        int k = *firstS + 1;
        while (k < *lastS && xs[k] < xt[g] - kSlack) ++k;
        yt[g] = Linear(xs[k - 1], ys[k - 1], xs[k], ys[k], xt[g]);
    }
    return 0;
}

int interpolate_quadratic(float* xs, float* ys, float* xt, float* yt, int* lastT, int* lastS,
                          int* firstS, int* firstT) {
    if (!Spans(xs, xt, *firstS, *lastS, *firstT, *lastT)) {
        OUTPUT_FILE << "THE RANGE OF USER SUPPLIED RADIAL STATIONS SPANS X=" << xs[*firstS] << ","
                    << xs[*lastS] << "\nFOR INTERPOLATION PURPOSES, THE RANGE OF INPUTS FOR GEOMETRY"
                    << "\nMUST AT LEAST SPAN THE RADII OF " << xt[*firstT] << "," << xt[*lastT]
                    << " --- PROGRAM HALTED. (SORRY, NO WAY OUT OF IT!)";
        except_ = 1;
        return 0;
    }
    const int s0 = *firstS;
    const int s1 = *lastS;
    if (s1 - s0 < 2) {
        // Fewer than three points carry no parabola: interpolate linearly.
        return line_1(xs, ys, xt, yt, lastT, lastS, firstS, firstT);
    }
    int interval = -1;  // source index k of the parabola through k-2, k-1, k
    float c0 = 0, c1 = 0, c2 = 0, xa = 0, xb = 0;
    for (int g = *firstT; g <= *lastT; ++g) {
        // The targets themselves stay as they are; only the end points are
        // evaluated just inside the range.
        float at = xt[g];
        if (g == *firstT) at += kSlack;
        if (g == *lastT) at -= kSlack;
        int k = s0 + 2;
        while (k < s1 && xs[k] < at) ++k;
        if (k != interval) {
            interval = k;
            xa = xs[k - 2];
            xb = xs[k - 1];
            const float xc = xs[k];
            // Newton form: y = c0 + (g - xa)(c1 + (g - xb) c2); coincident
            // abscissae reduce it to a straight line.
            c0 = ys[k - 2];
            const float d1 = xb != xa ? (ys[k - 1] - ys[k - 2]) / (xb - xa) : 0.0f;
            const float d2 = xc != xb ? (ys[k] - ys[k - 1]) / (xc - xb) : 0.0f;
            c1 = d1;
            c2 = xc != xa && xb != xa && xc != xb ? (d2 - d1) / (xc - xa) : 0.0f;
            if (xb == xa) {
                c0 = ys[k - 1];
                c1 = d2;
                xa = xb;
            }
        }
        yt[g] = c0 + (at - xa) * (c1 + (at - xb) * c2);
    }
    return 0;
}

int line_2(DetailedStruct* table, DetailedStructSelector selector, float* targets, float* values,
           int* targetCount, int* recordCount) {
    const int records = *recordCount;
    const int count = *targetCount;
    const int column = static_cast<int>(selector);
    if (column < 1 || column > 5 || records < 2) return -1;
    if (count <= 0) return 0;
    if (table[0].radius - targets[0] > kSlack ||
        targets[count - 1] - table[records - 1].radius > kSlack)
        return -1;
    for (int g = 0; g < count; ++g) {
        int k = 1;
        while (k < records - 1 && table[k].radius < targets[g] - kSlack) ++k;
        values[g] = Linear(table[k - 1].radius, table[k - 1].data[column - 1], table[k].radius,
                           table[k].data[column - 1], targets[g]);
    }
    return 0;
}
