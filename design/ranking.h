// Ranking of design candidates by their figure of merit, the weighted rms
// distance of their efficiencies from the ideal (optimum-loading) ones.
#pragma once

#include "design/job_records.h"

// Efficiencies above this mark a result that is missing or unusable.
constexpr float kFailedEfficiency = 10.0f;
// A candidate failing at this share of the points or more gets the figure
// of merit kFailedFigureOfMerit.
constexpr float kFailureShare = 0.334f;
constexpr float kFailedFigureOfMerit = 99.0f;

// Fills `order` (n entries) with 0 .. n-1 sorted by ascending `errRms[].rms`;
// candidates with equal figures of merit keep their index order.
void OrderByFigureOfMerit(const ERR_RMS* errRms, int n, int* order);
