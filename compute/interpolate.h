// Interpolation of radial data between grids.
//
// line_1 and interpolate_quadratic take their arrays indexed directly:
// source points xs[firstS..lastS], targets xt[firstT..lastT]. The source
// abscissae ascend. Both refuse a source that does not span the targets
// (0.0001 of slack at either end) with a message in OUTPUT_FILE and
// except_ = 1.
#pragma once

#include "design/job_records.h"

// Linear interpolation: for each target g, between the first source point
// (from the second on) not below g - 0.0001 and its predecessor.
int line_1(float* xs, float* ys, float* xt, float* yt, int* lastT, int* lastS, int* firstS,
           int* firstT);

// Piecewise-quadratic interpolation through three successive source points;
// the first target is evaluated 0.0001 inside the range, the last likewise.
int interpolate_quadratic(float* xs, float* ys, float* xt, float* yt, int* lastT, int* lastS,
                          int* firstS, int* firstT);

// Linear interpolation of one column of a detailed-design table of
// *recordCount records to *targetCount radii. Answers 0, or -1 (nothing
// written anywhere) when the table does not span the targets, the selector
// is outside 1..5 or the table has fewer than two records.
int line_2(DetailedStruct* table, DetailedStructSelector selector, float* targets, float* values,
           int* targetCount, int* recordCount);
