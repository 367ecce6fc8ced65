// Ranking of design candidates and the ideal efficiencies of the optimum run.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "design/desutil.h"
#include "design/except.h"
#include "design/ranking.h"
#include "test_support.h"

namespace {

struct Ranked {
    std::vector<ERR_RMS> errors;
    std::vector<int> order;
};

// Ranks the n x n efficiencies (candidate-major) against `ideal` with the
// point weights given.
Ranked Rank(const std::vector<float>& ideal, const std::vector<float>& results,
            const std::vector<int>& weights) {
    const int n = static_cast<int>(ideal.size());
    std::vector<Operating_Point> points(n);
    for (int j = 0; j < n; ++j) points[j].weight = weights[j];
    Ranked ranked{std::vector<ERR_RMS>(n), std::vector<int>(n, -1)};
    BuildDesignFile builder;
    builder.Rank_Propeller_Geometries(ideal.data(), results.data(), n, points.data(),
                                      ranked.errors.data(), ranked.order.data());
    return ranked;
}

TEST(Ranking, OneCandidateRanksAlone) {
    const Ranked r = Rank({0.85f}, {0.80f}, {1});
    EXPECT_EQ(r.order, std::vector<int>({0}));
    EXPECT_NEAR(r.errors[0].rms, 0.05f, 1e-6f);
    EXPECT_EQ(r.errors[0].failures, 0);
}

TEST(Ranking, WeightDividesTheDistanceAndBestComesFirst) {
    // Candidate 0 misses point 0 by 0.1 (weight 2), candidate 1 misses
    // point 1 by 0.1 (weight 1): candidate 0 is better.
    const Ranked r = Rank({0.8f, 0.7f}, {0.7f, 0.7f, 0.8f, 0.6f}, {2, 1});
    EXPECT_NEAR(r.errors[0].rms, std::sqrt(0.0025f / 2), 1e-6f);
    EXPECT_NEAR(r.errors[1].rms, std::sqrt(0.01f / 2), 1e-6f);
    EXPECT_EQ(r.order, std::vector<int>({0, 1}));
}

TEST(Ranking, OneFailureInThreeIsRankedOnTheReplacementValue) {
    // Candidate 0 failed at point 1 (99): its value there is replaced by
    // the last candidate with a lower efficiency at that point (candidate 2).
    const std::vector<float> ideal = {0.8f, 0.8f, 0.8f};
    const std::vector<float> results = {0.8f, 99.0f, 0.8f,   //
                                        0.7f, 0.75f, 0.7f,   //
                                        0.8f, 0.6f,  0.8f};
    const Ranked r = Rank(ideal, results, {1, 1, 1});
    EXPECT_EQ(r.errors[0].failures, 1);
    EXPECT_NEAR(r.errors[0].rms, std::sqrt(0.04f / 3), 1e-6f);
    EXPECT_NEAR(r.errors[2].rms, std::sqrt(0.04f / 3), 1e-6f);
    EXPECT_EQ(r.errors[2].failures, 0);
    // 0 and 2 are equal and keep their order before 1.
    EXPECT_NEAR(r.errors[1].rms, std::sqrt((0.01f + 0.0025f + 0.01f) / 3), 1e-6f);
    EXPECT_EQ(r.order, std::vector<int>({1, 0, 2}));
}

TEST(Ranking, TwoFailuresInThreeGiveTheFailedFigure) {
    const std::vector<float> results = {99.0f, 99.0f, 0.8f,  //
                                        0.7f,  0.7f,  0.7f,  //
                                        0.8f,  0.8f,  0.8f};
    const Ranked r = Rank({0.8f, 0.8f, 0.8f}, results, {1, 1, 1});
    EXPECT_EQ(r.errors[0].failures, 2);
    EXPECT_FLOAT_EQ(r.errors[0].rms, kFailedFigureOfMerit);
    EXPECT_EQ(r.order, std::vector<int>({2, 1, 0}));
}

TEST(Ranking, EqualFiguresKeepTheirIndexOrder) {
    // Figures 2, 2, 1, 2 in candidate order: a plain exchange sort would
    // put candidate 1 ahead of candidate 0.
    const std::vector<float> ideal = {0.0f, 0.0f, 0.0f, 0.0f};
    std::vector<float> results(16, 0.0f);
    const float figure[4] = {2.0f, 2.0f, 1.0f, 2.0f};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) results[i * 4 + j] = figure[i];
    const Ranked r = Rank(ideal, results, {1, 1, 1, 1});
    EXPECT_EQ(r.order, std::vector<int>({2, 0, 1, 3}));
}

TEST(Ranking, ZeroWeightCountsAsOne) {
    const Ranked r = Rank({0.8f}, {0.7f}, {0});
    EXPECT_NEAR(r.errors[0].rms, 0.1f, 1e-6f);
}

TEST(OptimumEfficiencies, ReadsTheThirdWordOfEveryEfficiencyLine) {
    const std::string dir = skarvel_test::ScratchDir();
    skarvel_test::WriteFile(dir + "first.out",
                            "EFFICIENCY   = \n"  // the key alone never matches
                            "                    THRUST COEFF = 0.0500\n"
                            "                    EFFICIENCY   = 0.8512\n"
                            "text\n"
                            "                    EFFICIENCY   = 0.7730\n");
    BuildDesignFile builder;
    float ideal[kMaxOperatingPoints] = {};
    EXPECT_EQ(builder.Get_Opt_Efficiencies(dir + "first.out", ideal), 2);
    EXPECT_FLOAT_EQ(ideal[0], 0.8512f);
    EXPECT_FLOAT_EQ(ideal[1], 0.7730f);
    EXPECT_EQ(builder.Get_Opt_Efficiencies(dir + "missing.out", ideal), 0);
}

TEST(OptimumEfficiencies, StopsAtTheCapacity) {
    const std::string dir = skarvel_test::ScratchDir();
    std::string text;
    for (int i = 0; i < kMaxOperatingPoints + 3; ++i) text += "  EFFICIENCY   = 0.5\n";
    skarvel_test::WriteFile(dir + "first.out", text);
    BuildDesignFile builder;
    float ideal[kMaxOperatingPoints + 3] = {};
    outstr.str("");
    EXPECT_EQ(builder.Get_Opt_Efficiencies(dir + "first.out", ideal), kMaxOperatingPoints);
    EXPECT_FLOAT_EQ(ideal[kMaxOperatingPoints], 0.0f);
    EXPECT_NE(outstr.str().find("holds more than 30 efficiencies"), std::string::npos);
}

}  // namespace
