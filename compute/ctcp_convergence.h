// The convergence test of the blade-angle search, run after every converged
// wake solution of an operating point with a thrust or power target.
#pragma once

#include "compute/blade_angle_search.h"
#include "compute/perf_stations.h"
#include "compute/wrap_around.h"

class Get_Performance_CLCD;

// Blade-angle tries allowed per operating point.
constexpr int kMaxBladeAngleTries = 25;

// Counters and flags of the search at one operating point; the analysis
// resets them (and sets firstTry) before the point's first wake solution.
struct PointSearchState {
    int iterations = 0;        // tries after the first solution
    int wakeUnconverged = 0;   // some wake of this point hit the pass limit
    int unconvergedTries = 0;  // tries in a row made while that holds
    int gaveUp = 0;            // more than 10 such tries
    int firstTry = 1;
    int notpos = 0;
};

// Compares the computed coefficient of load *k (cp[*k], or ct[*k] when
// `mode` equals `thrustWord`) with targets[*k]. Converged within 0.0005 or
// 1 %: returns false. Otherwise counts the try, chooses the next blade angle
// (bladeAngle, offset) and re-initialises the lift distribution of the
// stations for it; returns false when the search must stop (target not
// reachable, given up, more than *limit tries, or oscillating around the
// target), true while it goes on. Leaves the compared values in *computed,
// *target and the relative deviation in *relative.
bool Check_CtCp_Convergence(const Get_Performance_CLCD* look, PerfStations* stations,
                            const float* cp, const float* ct, const float* targets, const int* k,
                            float* computed, float* target, float* relative, const char* mode,
                            const char* thrustWord, PointSearchState* search, const int* limit,
                            float* bladeAngle, float* offset, const float* referenceAngle,
                            const AlphaRangeFlags* range, const float* baseStep,
                            WrapAround<float>* ring);
