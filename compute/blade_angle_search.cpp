#include "compute/blade_angle_search.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "compute/engine_state.h"

namespace {

// What the search remembers between the tries of one operating point.
struct SearchState {
    float previousAngle = 0.0f;
    float previousCoefficient = 0.0f;
    float slope = 0.0f;
    // Best try below the target (deviation closest to zero from below) and
    // best try above it.
    bool haveNegative = false;
    float bestNegative = -99.0f;
    float negativeAngle = 0.0f;
    float negativeCoefficient = 0.0f;
    bool havePositive = false;
    float bestPositive = 99.0f;
    float positiveAngle = 0.0f;
    float positiveCoefficient = 0.0f;
    // Consecutive bracketing steps alternate between false position and a
    // random point between the bracketing angles.
    bool alternate = false;
};

SearchState search;

std::vector<betaConvRecord>& records() {
    static std::vector<betaConvRecord> list = [] {
        std::vector<betaConvRecord> v;
        v.reserve(30);
        return v;
    }();
    return list;
}

// The random point between two bracketing angles comes from a generator that
// is reseeded with the same value for every operating point, so the same
// deck always gives the same report.
constexpr unsigned kBracketSeed = 1234567u;
std::mt19937 bracketRandom(kBracketSeed);

void resetSearch(float angle, float coefficient) {
    search.haveNegative = false;
    search.havePositive = false;
    search.alternate = false;
    search.bestNegative = -99.0f;
    search.bestPositive = 99.0f;
    search.negativeAngle = angle;
    search.positiveAngle = angle;
    search.negativeCoefficient = coefficient;
    search.positiveCoefficient = coefficient;
}

void writeRecords(const std::vector<betaConvRecord>& list) {
    ERROR_FILE << "CpCt EVOLUTION\n";
    for (const betaConvRecord& r : list)
        ERROR_FILE << r.bladeAngle << ' ' << r.coefficient << ' ' << r.slope << ' '
                   << (r.wakeUnconverged ? 1 : 0) << ' ' << r.deviation << '\n';
    ERROR_FILE << '\n';
}

// Next angle once the target lies between the best tries from below and
// from above.
float bracketedAngle(float target) {
    const float dy = search.positiveCoefficient - search.negativeCoefficient;
    if (std::fabs(dy) > 0.0002f && !search.alternate) {
        search.alternate = true;
        search.slope = (search.positiveAngle - search.negativeAngle) / dy;
        return search.positiveAngle + search.slope * (target - search.positiveCoefficient);
    }
    search.alternate = false;
    const float u = static_cast<float>(bracketRandom() % 100u) / 100.0f;
    return search.positiveAngle + (search.negativeAngle - search.positiveAngle) * u;
}

// Secant step from the previous try, limited by the throttle.
float secantAngle(float angle, float coefficient, float deviation, float target,
                  const float* baseStep, const int* iteration) {
    float dy = coefficient - search.previousCoefficient;
    if (std::fabs(dy) <= 0.0002f) dy = std::copysign(0.0002f, dy);
    search.slope = (angle - search.previousAngle) / dy;
    float step;
    if (search.slope > 0.0f)
        step = -search.slope * deviation;
    else
        step = target < 0.0f ? 0.017f : -0.017f;
    const float magnitude = std::fabs(step);
    float factor = 1.0f;
    computeBetaThrottleFactor(&factor, &magnitude, baseStep, iteration);
    return angle + step * factor;
}

}  // namespace

bool deviationCompare(const betaConvRecord& a, const betaConvRecord& b) {
    return std::fabs(a.deviation) < std::fabs(b.deviation);
}

const std::vector<betaConvRecord>& betaConvRecords() { return records(); }

int computeBetaThrottleFactor(float* factor, const float* magnitude, const float* baseStep,
                              const int* iteration) {
    static const float base = *baseStep;  // fixed by the first call of the process
    const int n = *iteration;
    float tableFactor;
    float limit;
    if (n <= 5) {
        tableFactor = 0.4f;
        limit = 6.0f * base;
    } else if (n <= 10) {
        tableFactor = 0.6f;
        limit = 4.0f * base;
    } else if (n == 11) {
        tableFactor = 0.3f;
        limit = 2.0f * base;
    } else if (n <= 18) {
        tableFactor = 0.4f;
        limit = base;
    } else {
        tableFactor = 0.1f;
        limit = 0.4f * base;
    }
    *factor = tableFactor * *magnitude > limit ? limit / *magnitude : tableFactor;
    return 0;
}

int computeNewBladeAngle(int* firstTry, const AlphaRangeFlags* range,
                         const int* wakeUnconverged, int* notpos, const float* computed,
                         float* bladeAngle, const float* target, const float* referenceAngle,
                         float* offset, const float* baseStep, const int* iteration,
                         const int* iterationLimit) {
    const float beta = *bladeAngle;
    const float y = *computed;
    const float t = *target;
    const float d = y - t;
    const float s = *baseStep;
    float next = beta;

    *notpos = 0;
    if (*firstTry) {
        *firstTry = 0;
        records().clear();
        bracketRandom.seed(kBracketSeed);
        next = range->nearLimit ? beta - 3.0f * s : beta + 3.0f * s;
        resetSearch(beta, y);
    } else {
        if (d < 0.0f && d > search.bestNegative) {
            search.haveNegative = true;
            search.bestNegative = d;
            search.negativeAngle = beta;
            search.negativeCoefficient = y;
        }
        if (d > 0.0f && d < search.bestPositive) {
            search.havePositive = true;
            search.bestPositive = d;
            search.positiveAngle = beta;
            search.positiveCoefficient = y;
        }

        if (search.haveNegative && search.havePositive) {
            next = bracketedAngle(t);
        } else if (range->above && d < 0.0f) {
            *notpos = 1;
        } else if (range->below && d > 0.0f) {
            *notpos = 3;
        } else {
            next = secantAngle(beta, y, d, t, baseStep, iteration);
        }

        records().push_back({beta, y, search.slope, d, *wakeUnconverged != 0});

        if (*iteration >= *iterationLimit) {
            writeRecords(records());
            std::stable_sort(records().begin(), records().end(), deviationCompare);
            next = records().front().bladeAngle;
            writeRecords(records());
        }
    }

    search.previousAngle = beta;
    search.previousCoefficient = y;
    *bladeAngle = next;
    *offset = next - *referenceAngle;
    return 0;
}

int getCurrBladeAngleOffset(const int* index, const float* angles, const float* reference,
                            float* offset) {
    *offset = angles[*index] - *reference;
    return 0;
}

int makeLoadsDimensionless(const float* loads, float* coefficients, const int* count,
                           const char* powerWord, const char* mode, const float* thrustScale,
                           const float* powerScale) {
    const float scale = std::strcmp(mode, powerWord) == 0 ? *powerScale : *thrustScale;
    for (int i = 1; i <= *count; ++i) coefficients[i] = loads[i] / scale;
    return 0;
}
