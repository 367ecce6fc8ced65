// One pass of the wake iteration of the performance analysis: relaxation of
// the wake angles towards the newly computed ones, the incidence and lift
// of every station, and the test whether the wake has settled.
#pragma once

#include "compute/blade_angle_search.h"
#include "compute/perf_station.h"
#include "compute/wrap_around.h"

class Get_Performance_CLCD;

// Wake passes after which the iteration stops unconverged.
constexpr int kMaxWakePasses = 90;
// A wake whose largest angle change (radians) is below this has converged.
constexpr float kWakeTolerance = 0.0043625f;

// What one pass leaves besides the stations' state.
struct WakePass {
    AlphaRangeFlags range;
    float largestChange = 0;  // signed change of largest magnitude, points 2..N
};

// Pass *pass (from 1): moves gspec_.BETAG (old values into gspec_.BETAOLD)
// towards newAngles[0..NUM] by at most the pass's step limit, records the
// largest change in `ring`, updates each station's incidence, range flags
// and lift, and, while the wake still moves, its Reynolds and Mach numbers.
// Returns true when the iteration should stop: the change fell below the
// tolerance, the pass limit was reached or, from pass 81 on, the changes
// oscillate.
bool Check_Wake_Convergence(const Get_Performance_CLCD* look, PerfStations* s,
                            const int* pass, const float* newAngles, const float* offset,
                            const StationFlow* flow, WrapAround<float>* ring, WakePass* result);
