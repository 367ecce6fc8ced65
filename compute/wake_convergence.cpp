#include "compute/wake_convergence.h"

#include <cmath>

#include "compute/clcd.h"
#include "compute/engine_state.h"
#include "compute/oscillation_check.h"

namespace {

// Largest change of a wake angle allowed in pass q (radians; 0.01745 per
// degree): the limit loosens and tightens in turn so that a wake that
// hesitates between two states is shaken loose.
float stepLimit(int q) {
    if (q >= 56) return 0.000479875f;
    if (q >= 51) return 0.00305375f;
    if (q >= 46) return 0.0043625f;
    if (q >= 41) return 0.0008725f;
    if (q >= 36) return 0.00305375f;
    if (q >= 31) return 0.0008725f;
    if (q >= 26) return 0.00698f;
    if (q >= 21) return 0.00130875f;
    if (q >= 18) return 0.008725f;
    if (q >= 16) return 0.00349f;
    if (q >= 11) return 0.0043625f;
    if (q >= 6) return 0.00479875f;
    return 0.0043625f;
}

}  // namespace

bool Check_Wake_Convergence(const Get_Performance_CLCD* look, PerfStations* s,
                            const int* pass, const float* newAngles, const float* offset,
                            const StationFlow* flow, WrapAround<float>* ring, WakePass* result) {
    const int q = *pass;
    const int n = s123_.NUM;
    const int m = n - 1;
    const float limit = stepLimit(q);

    *result = WakePass();
    float largest = 0.0f;
    ring->write(q, 0.0f);
    for (int i = 0; i <= n; ++i) {
        const float old = gspec_.BETAG[i];
        const float change = newAngles[i] - old;
        if (i > 1 && std::fabs(change) > std::fabs(largest)) {
            largest = change;
            ring->write(q, change);
        }
        gspec_.BETAOLD[i] = old;
        gspec_.BETAG[i] = std::fabs(change) < limit ? old + 0.5f * change
                                                    : old + std::copysign(limit, change);
    }
    result->largestChange = largest;

    AlphaRangeFlags& range = result->range;
    for (int i = 1; i <= m; ++i) {
        const float alpha = s->twist[i] + *offset - gspec_.BETAG[i];
        s->alpha[i] = alpha;
        if (alpha > 0.8f * s->alphaClMax[i] || alpha < 0.8f * s->alphaClMin[i])
            range.nearLimit = 1;
        if (alpha >= s->alphaClMax[i] || alpha <= s->alphaClMin[i]) range.outside = 1;
        if (q > 3) {
            if (alpha >= amxum_.AMAX) range.above = 1;
            if (alpha < amxum_.AMIN) range.below = 1;
        }
        s->cl[i] = look->get_perf_CLCD(i, alpha, s->reyIndex[i], s->machIndex[i],
                                       s->cambIndex[i], s->tcIndex[i], 1);
    }

    const bool settled = std::fabs(largest) < kWakeTolerance;
    if (!settled) {
        // The wake still moves: the stations' local speeds follow it.
        for (int i = 1; i <= m; ++i) {
            const float sinPhi = std::sin(gspec_.BETAG[i]);
            const float speed =
                std::fabs(sinPhi) > 0.0001f
                    ? flow->speed * (1.0f - behind_.VELDED[i] + s->ua[i]) / sinPhi
                    : flow->speed * (s->x[i] / flow->lambda - s->ut[i]);
            s->reynolds[i] = speed * s->chord[i] / flow->viscosity;
            s->mach[i] = speed / flow->soundSpeed;
            get_rynld_and_mach_DB_index(&s->reynolds[i], &s->mach[i], &s->reyIndex[i],
                                        &s->machIndex[i], s->flags[i]);
        }
    }

    bool oscillating = false;
    if (q >= kMaxWakePasses - 9) {
        const int start = 7;
        const float tolerance = kWakeTolerance;
        const float factor = 6.0f;
        oscillating = Check_for_oscillations(&start, &q, &tolerance, ring, &factor);
    }
    return q >= kMaxWakePasses || settled || oscillating;
}
