#include "compute/ctcp_convergence.h"

#include <cmath>
#include <cstring>

#include "compute/engine_state.h"
#include "compute/oscillation_check.h"
#include "compute/perf_station.h"

namespace {

constexpr float kAbsoluteTolerance = 0.0005f;
constexpr float kRelativeTolerance = 0.01f;

}  // namespace

bool Check_CtCp_Convergence(const Get_Performance_CLCD* look, PerfStations* stations,
                            const float* cp, const float* ct, const float* targets, const int* k,
                            float* computed, float* target, float* relative, const char* mode,
                            const char* thrustWord, PointSearchState* search, const int* limit,
                            float* bladeAngle, float* offset, const float* referenceAngle,
                            const AlphaRangeFlags* range, const float* baseStep,
                            WrapAround<float>* ring) {
    *computed = std::strcmp(mode, thrustWord) == 0 ? ct[*k] : cp[*k];
    *target = targets[*k];
    const float d = *computed - *target;
    *relative = *target != 0.0f ? std::fabs(d / *target) : 1.0f;
    const bool converged = std::fabs(d) < kAbsoluteTolerance || *relative < kRelativeTolerance;

    PointSearchState& p = *search;
    if (!converged) {
        ++p.iterations;
        if (p.iterations <= *limit) {
            if (p.wakeUnconverged) {
                if (++p.unconvergedTries > 10) p.gaveUp = 1;
            } else {
                p.unconvergedTries = 0;
            }
        }
    }

    ring->write(p.iterations, d);
    bool oscillating = false;
    if (p.iterations > 13) {
        const int start = 5;
        const float tolerance = kAbsoluteTolerance;
        const float factor = 6.0f;
        oscillating = Check_for_oscillations(&start, &p.iterations, &tolerance, ring, &factor) &&
                      *computed * *target >= 0.0f;
    }

    // A search that stops on an oscillation keeps the angle just solved, so
    // that the reported angle and radial tables belong to the reported
    // coefficients.
    if (!converged && p.iterations <= *limit && !p.gaveUp && !oscillating) {
        *bladeAngle = *offset + *referenceAngle;
        computeNewBladeAngle(&p.firstTry, range, &p.wakeUnconverged, &p.notpos, computed,
                             bladeAngle, target, referenceAngle, offset, baseStep,
                             &p.iterations, limit);
        if (p.notpos == 0) {
            const int m = s123_.NUMM1;
            initcl_(look, stations, &m, gspec_.BETAG, offset);
        }
    }
    if (p.notpos != 0 || p.gaveUp || p.iterations > *limit || oscillating) return false;
    return !converged;
}
