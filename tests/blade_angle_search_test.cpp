// The blade-angle search: step limiter, first try, secant and bracketing
// steps, unreachable targets, the record table at the try limit, and
// convergence on a smooth coefficient curve.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "compute/blade_angle_search.h"
#include "compute/engine_state.h"
#include "tests/test_support.h"

namespace {

// Every test uses the same base step, as the engine does (the limiter keeps
// the base step of its first call for the life of the process).
const float kBase = 3.1415927f / 180.0f;

// One operating point's search, driven try by try.
struct PointSearch {
    int firstTry = 1;
    AlphaRangeFlags range;
    int wakeUnconverged = 0;
    int notpos = 0;
    float reference = 0.3f;
    float offset = 0.0f;
    int iteration = 0;
    int limit = 25;

    // Solved try: `angle` gave `coefficient`; returns the next angle.
    float Next(float angle, float coefficient, float target) {
        computeNewBladeAngle(&firstTry, &range, &wakeUnconverged, &notpos, &coefficient, &angle,
                             &target, &reference, &offset, &kBase, &iteration, &limit);
        EXPECT_FLOAT_EQ(offset, angle - reference);
        return angle;
    }
};

struct ThrottleCase {
    int iteration;
    float magnitude;
    float appliedStep;  // factor * magnitude, radians
};

class Throttle : public ::testing::TestWithParam<ThrottleCase> {};

TEST_P(Throttle, LimitsTheAppliedStep) {
    const ThrottleCase& c = GetParam();
    float factor = 0.0f;
    computeBetaThrottleFactor(&factor, &c.magnitude, &kBase, &c.iteration);
    EXPECT_NEAR(factor * c.magnitude, c.appliedStep, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Throttle,
    ::testing::Values(ThrottleCase{4, 1.0f, 6 * kBase},     // limit 6 degrees
                      ThrottleCase{4, 0.01f, 0.4f * 0.01f},  // below the limit: factor 0.4
                      ThrottleCase{8, 1.0f, 4 * kBase}, ThrottleCase{8, 0.01f, 0.6f * 0.01f},
                      ThrottleCase{11, 1.0f, 2 * kBase}, ThrottleCase{11, 0.01f, 0.3f * 0.01f},
                      ThrottleCase{12, 1.0f, kBase}, ThrottleCase{18, 0.01f, 0.4f * 0.01f},
                      ThrottleCase{20, 1.0f, 0.4f * kBase},
                      ThrottleCase{20, 0.01f, 0.1f * 0.01f}));

TEST(BladeAngleSearch, FirstTryStepsThreeBaseStepsAwayFromTheLimit) {
    PointSearch up;
    EXPECT_FLOAT_EQ(up.Next(0.4f, 0.1f, 0.12f), 0.4f + 3 * kBase);
    EXPECT_EQ(up.firstTry, 0);
    EXPECT_TRUE(betaConvRecords().empty());

    PointSearch down;
    down.range.nearLimit = 1;
    EXPECT_FLOAT_EQ(down.Next(0.4f, 0.1f, 0.12f), 0.4f - 3 * kBase);
}

TEST(BladeAngleSearch, WrongSlopeTakesFixedStepTowardsTheTargetSign) {
    for (float target : {0.12f, -0.12f}) {
        PointSearch s;
        const float second = s.Next(0.3f, target - 0.02f, target);
        // The coefficient moved the wrong way: slope negative.
        s.iteration = 2;
        const float third = s.Next(second, target - 0.03f, target);
        const float expected = target < 0 ? 0.017f * 0.4f : -0.017f * 0.4f;
        EXPECT_NEAR(third - second, expected, 1e-6) << target;
        EXPECT_EQ(s.notpos, 0);
    }
}

TEST(BladeAngleSearch, BracketedTargetAlternatesFalsePositionAndRandomPoint) {
    auto run = [](std::vector<float>& angles) {
        PointSearch s;
        const float target = 0.12f;
        float beta = s.Next(0.30f, 0.10f, target);
        s.iteration = 2;
        beta = s.Next(beta, 0.13f, target);  // above target: secant back down
        EXPECT_LT(beta, 0.30f + 3 * kBase);
        const float above = 0.30f + 3 * kBase;
        s.iteration = 3;
        const float below = beta;
        beta = s.Next(below, 0.11f, target);  // below target: now bracketed
        // False position between the two tries: the midpoint here.
        EXPECT_NEAR(beta, 0.5f * (above + below), 1e-6);
        angles.push_back(beta);
        s.iteration = 4;
        const float closer = beta;
        beta = s.Next(closer, 0.1199f, target);  // best from below now
        // Random point between the bracketing angles, u = k/100.
        EXPECT_GE(beta, closer - 1e-7f);
        EXPECT_LE(beta, above + 1e-7f);
        const float u = (beta - above) / (closer - above);
        EXPECT_NEAR(u * 100, std::round(u * 100), 1e-2);
        angles.push_back(beta);
        s.iteration = 5;
        beta = s.Next(beta, 0.1202f, target);  // false position again
        angles.push_back(beta);
        EXPECT_EQ(betaConvRecords().size(), 4u);
    };
    std::vector<float> first, second;
    run(first);
    run(second);
    EXPECT_EQ(first, second);  // the same point gives the same angles
}

TEST(BladeAngleSearch, CloseBracketTakesRandomPoint) {
    PointSearch s;
    const float target = 0.12f;
    const float start = s.Next(0.30f, 0.10f, target);
    s.iteration = 2;
    const float next = s.Next(start, 0.1201f, target);
    s.iteration = 3;
    // Coefficients of the bracketing tries differ by less than 0.0002: no false position.
    const float pick = s.Next(next, 0.11995f, target);
    const float u = (pick - start) / (next - start);
    EXPECT_GE(u, 0.0f);
    EXPECT_LE(u, 0.99f + 1e-4f);
}

struct UnreachableCase {
    const char* name;
    int above, below;
    float coefficient;  // target 0.12
    int notpos;
};

class Unreachable : public ::testing::TestWithParam<UnreachableCase> {};

TEST_P(Unreachable, SetsNotposAndKeepsTheAngle) {
    const UnreachableCase& c = GetParam();
    PointSearch s;
    const float beta = s.Next(0.3f, c.coefficient, 0.12f);
    s.range.above = c.above;
    s.range.below = c.below;
    s.iteration = 2;
    const float next = s.Next(beta, c.coefficient, 0.12f);
    EXPECT_EQ(s.notpos, c.notpos);
    if (c.notpos != 0)
        EXPECT_EQ(next, beta);
    else
        EXPECT_NE(next, beta);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, Unreachable,
    ::testing::Values(UnreachableCase{"too_low_above_range", 1, 0, 0.05f, 1},
                      UnreachableCase{"too_high_below_range", 0, 1, 0.2f, 3},
                      UnreachableCase{"too_high_above_range", 1, 0, 0.2f, 0},
                      UnreachableCase{"too_low_below_range", 0, 1, 0.05f, 0}),
    [](const ::testing::TestParamInfo<UnreachableCase>& info) { return info.param.name; });

std::vector<std::vector<float>> RecordTables(const std::string& text) {
    std::vector<std::vector<float>> tables;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line == "CpCt EVOLUTION") {
            tables.emplace_back();
            continue;
        }
        if (line.empty() || tables.empty()) continue;
        std::istringstream row(line);
        float angle, coefficient, slope, deviation;
        int flag;
        EXPECT_TRUE(row >> angle >> coefficient >> slope >> flag >> deviation) << line;
        tables.back().push_back(deviation);
    }
    return tables;
}

TEST(BladeAngleSearch, LastTryReturnsBestAngleAndWritesRecordTableTwice) {
    const std::string errors = skarvel_test::ScratchDir() + "ERROR.OUT";
    ERROR_FILE.open(errors);
    PointSearch s;
    s.limit = 4;
    s.wakeUnconverged = 1;
    const float target = 0.12f;
    float beta = s.Next(0.30f, 0.10f, target);
    s.iteration = 2;
    beta = s.Next(beta, 0.16f, target);
    s.iteration = 3;
    const float best = beta;
    beta = s.Next(beta, 0.121f, target);
    s.iteration = 4;
    beta = s.Next(beta, 0.09f, target);
    ERROR_FILE.close();
    EXPECT_FLOAT_EQ(beta, best);

    const std::string text = skarvel_test::ReadFile(errors);
    EXPECT_EQ(text.rfind("CpCt EVOLUTION\n", 0), 0u);
    const auto tables = RecordTables(text);
    ASSERT_EQ(tables.size(), 2u);
    ASSERT_EQ(tables[0].size(), 3u);
    EXPECT_NEAR(tables[0][0], 0.04f, 1e-5);
    EXPECT_NEAR(tables[0][1], 0.001f, 1e-5);
    EXPECT_NEAR(tables[0][2], -0.03f, 1e-5);
    ASSERT_EQ(tables[1].size(), 3u);
    EXPECT_NEAR(tables[1][0], 0.001f, 1e-5);
    EXPECT_NEAR(tables[1][1], -0.03f, 1e-5);
    EXPECT_NEAR(tables[1][2], 0.04f, 1e-5);
    EXPECT_NE(text.find(" 1 "), std::string::npos);  // unconverged-wake flag
}

TEST(BladeAngleSearch, ConvergesOnSmoothCoefficientCurve) {
    // A power coefficient rising with blade angle, flattening at high angles.
    auto cp = [](float beta) { return 0.02f + 0.8f * std::tanh(2.0f * (beta - 0.3f)); };
    for (float target : {0.05f, 0.2f, 0.35f}) {
        PointSearch s;
        float beta = 0.35f;
        int tries = 0;
        while (std::fabs(cp(beta) - target) >= 0.0005f && tries < 25) {
            s.iteration = ++tries;
            beta = s.Next(beta, cp(beta), target);
        }
        EXPECT_LT(std::fabs(cp(beta) - target), 0.0005f) << target;
        EXPECT_LT(tries, 20) << target;
    }
}

TEST(BladeAngleSearch, DeviationOrderAndHelpers) {
    const betaConvRecord small{0.3f, 0.1f, 1.0f, -0.001f, false};
    const betaConvRecord large{0.3f, 0.1f, 1.0f, 0.01f, false};
    EXPECT_TRUE(deviationCompare(small, large));
    EXPECT_FALSE(deviationCompare(large, small));
    EXPECT_FALSE(deviationCompare(small, small));

    const float angles[] = {0.0f, 0.5f, 0.7f};
    const int index = 2;
    const float reference = 0.4f;
    float offset = 0.0f;
    getCurrBladeAngleOffset(&index, angles, &reference, &offset);
    EXPECT_FLOAT_EQ(offset, 0.3f);

    const float loads[] = {0.0f, 100.0f, 300.0f};
    float coefficients[3] = {};
    const int count = 2;
    const float thrustScale = 50.0f, powerScale = 1000.0f;
    makeLoadsDimensionless(loads, coefficients, &count, "POWER", "POWER", &thrustScale,
                           &powerScale);
    EXPECT_FLOAT_EQ(coefficients[1], 0.1f);
    EXPECT_FLOAT_EQ(coefficients[2], 0.3f);
    makeLoadsDimensionless(loads, coefficients, &count, "POWER", "THRUST", &thrustScale,
                           &powerScale);
    EXPECT_FLOAT_EQ(coefficients[2], 6.0f);
}

}  // namespace
