// The search for the blade angle at which a propeller meets a prescribed
// thrust or power coefficient: the choice of the next angle from the tries so
// far (secant steps, false position once the target is bracketed), the step
// limiter, and the record of every try of the current operating point.
//
// The search state is process-wide (the engine is single-threaded) and is
// reset at the first try of every operating point.
#pragma once

#include <vector>

// One try of the search.
struct betaConvRecord {
    float bladeAngle;      // radians
    float coefficient;     // computed thrust or power coefficient
    float slope;           // blade angle per unit coefficient last used
    float deviation;       // computed - target
    bool wakeUnconverged;  // the point's wake had hit its pass limit
};

// True when a's deviation is smaller in magnitude than b's.
bool deviationCompare(const betaConvRecord& a, const betaConvRecord& b);

// The tries recorded for the current operating point (after the first).
const std::vector<betaConvRecord>& betaConvRecords();

// Angle-of-attack flags of the last wake solution (1 = holds at some station).
struct AlphaRangeFlags {
    int outside = 0;    // at or beyond the angle of maximum or minimum lift
    int above = 0;      // at or above the valid incidence range (after pass 3)
    int nearLimit = 0;  // beyond 80 % of the angle of maximum or minimum lift
    int below = 0;      // below the valid incidence range (after pass 3)
};

// Step limiter: the fraction of the proposed step of magnitude `magnitude`
// to apply at try `iteration`. The base step is taken from the first call in
// the life of the process; the applied step never exceeds the limit for the
// try (6, 4, 2, 1 or 0.4 base steps).
int computeBetaThrottleFactor(float* factor, const float* magnitude, const float* baseStep,
                              const int* iteration);

// Chooses the next blade angle. On entry `bladeAngle` is the angle of the
// try just solved and `computed` its coefficient; on exit `bladeAngle` is the
// next angle and `offset` that angle minus `referenceAngle`. Sets `notpos` to
// 1 (coefficient too low with incidence above the valid range) or 3
// (coefficient too high with incidence below it) when the target cannot be
// reached; the angle is then kept. Clears `firstTry` on the first call of a
// point. At try `iterationLimit` it writes the record table (unsorted, then
// sorted by |deviation|) to the error file and returns the best try's angle.
int computeNewBladeAngle(int* firstTry, const AlphaRangeFlags* range,
                         const int* wakeUnconverged, int* notpos, const float* computed,
                         float* bladeAngle, const float* target, const float* referenceAngle,
                         float* offset, const float* baseStep, const int* iteration,
                         const int* iterationLimit);

// offset = angles[index] - reference; `angles` is indexed from 1.
int getCurrBladeAngleOffset(const int* index, const float* angles, const float* reference,
                            float* offset);

// coefficients[i] = loads[i] / scale for i = 1..count (both indexed from 1),
// the scale being `powerScale` when `mode` equals `powerWord`, else
// `thrustScale`.
int makeLoadsDimensionless(const float* loads, float* coefficients, const int* count,
                           const char* powerWord, const char* mode, const float* thrustScale,
                           const float* powerScale);
