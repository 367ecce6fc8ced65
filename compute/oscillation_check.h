// Detector of an iteration that swings around its goal instead of settling:
// used on the wake-angle changes and on the blade-angle search deviations.
#pragma once

#include "compute/wrap_around.h"

// Looks at value number `count` of `ring` and the start - 1 values before it.
// Reports an oscillation when those values change sign, their mean magnitude
// (the latest value counted with its sign, the sum divided by start + 1) lies
// below factor * tolerance, and the latest value is smaller in magnitude than
// that mean. Needs count - start >= 5; with fewer values it reports none.
bool Check_for_oscillations(const int* start, const int* count, const float* tolerance,
                            const WrapAround<float>* ring, const float* factor);
