// Interpolation of radial data: linear, piecewise quadratic and the
// detailed-design table reader, with their span checks.
#include <gtest/gtest.h>

#include <string>

#include "compute/engine_state.h"
#include "compute/interpolate.h"
#include "tests/test_support.h"

namespace {

class InterpolateTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = skarvel_test::ScratchDir() + "out.txt";
        OUTPUT_FILE.open(path);
        except_ = 0;
    }
    void TearDown() override { OUTPUT_FILE.close(); }
    std::string Written() {
        OUTPUT_FILE.flush();
        return skarvel_test::ReadFile(path);
    }
    std::string path;
};

// Source 0.2..1.0 with y = 3x - 1 on [0.2, 0.6] and y = 0.8 - x' after it.
float xs[5] = {0.2f, 0.4f, 0.6f, 0.8f, 1.0f};
float ys[5] = {-0.4f, 0.2f, 0.8f, 0.6f, 0.4f};

TEST_F(InterpolateTest, LinearFollowsEachIntervalAndAcceptsEndsWithinSlack) {
    float xt[4] = {0.19995f, 0.5f, 0.7f, 1.00005f};
    float yt[4];
    int lastT = 3, lastS = 4, firstS = 0, firstT = 0;
    line_1(xs, ys, xt, yt, &lastT, &lastS, &firstS, &firstT);
    EXPECT_EQ(except_, 0);
    EXPECT_NEAR(yt[0], -0.40015f, 1e-5f);
    EXPECT_NEAR(yt[1], 0.5f, 1e-6f);
    EXPECT_NEAR(yt[2], 0.7f, 1e-6f);
    EXPECT_NEAR(yt[3], 0.39995f, 1e-5f);
    EXPECT_EQ(Written(), "");
}

TEST_F(InterpolateTest, LinearTakesTheUpperValueOfAZeroWidthInterval) {
    float x[4] = {0.2f, 0.2f, 1.0f, 1.0f};
    float y[4] = {0.0f, 1.0f, 2.0f, 0.0f};
    float xt[3] = {0.2f, 0.6f, 1.0f};
    float yt[3];
    int lastT = 2, lastS = 3, firstS = 0, firstT = 0;
    line_1(x, y, xt, yt, &lastT, &lastS, &firstS, &firstT);
    EXPECT_FLOAT_EQ(yt[0], 1.0f);
    EXPECT_FLOAT_EQ(yt[1], 1.5f);
    EXPECT_FLOAT_EQ(yt[2], 2.0f);
}

TEST_F(InterpolateTest, SourceNotSpanningTheTargetsIsRefusedWithItsMessage) {
    float xt[2] = {0.1f, 0.9f};
    float yt[2];
    int lastT = 1, lastS = 4, firstS = 0, firstT = 0;
    line_1(xs, ys, xt, yt, &lastT, &lastS, &firstS, &firstT);
    EXPECT_EQ(except_, 1);
    EXPECT_EQ(Written(),
              "\n THE RANGE OF USER SUPPLIED RADIAL STATIONS SPANS X = 0.2,1"
              "\n FOR INTERPOLATION PURPOSES, THE RANGE OF INPUTS FOR GEOMETRY"
              "\n MUST AT LEAST SPAN THE RADII OF 0.1,0.9 --- PROGRAM HALTED. (SORRY, NO WAY OUT "
              "OF IT!)\n");

    except_ = 0;
    xt[0] = 0.3f;
    xt[1] = 1.1f;
    interpolate_quadratic(xs, ys, xt, yt, &lastT, &lastS, &firstS, &firstT);
    EXPECT_EQ(except_, 1);
    EXPECT_NE(Written().find("THE RANGE OF USER SUPPLIED RADIAL STATIONS SPANS X=0.2,1"
                             "\nFOR INTERPOLATION PURPOSES, THE RANGE OF INPUTS FOR GEOMETRY"
                             "\nMUST AT LEAST SPAN THE RADII OF 0.3,1.1 --- PROGRAM HALTED."),
              std::string::npos);
}

TEST_F(InterpolateTest, QuadraticIsExactForAParabolaAndLeavesTheTargetsAlone) {
    float x[6], y[6];
    for (int i = 0; i < 6; ++i) {
        x[i] = 0.2f + 0.16f * i;
        y[i] = 2.0f * x[i] * x[i] - x[i] + 0.5f;
    }
    float xt[5] = {0.2f, 0.3f, 0.55f, 0.9f, 1.0f};
    const float kept[5] = {0.2f, 0.3f, 0.55f, 0.9f, 1.0f};
    float yt[5];
    int lastT = 4, lastS = 5, firstS = 0, firstT = 0;
    interpolate_quadratic(x, y, xt, yt, &lastT, &lastS, &firstS, &firstT);
    ASSERT_EQ(except_, 0);
    for (int g = 0; g < 5; ++g) {
        float at = xt[g] + (g == 0 ? 1e-4f : 0.0f) - (g == 4 ? 1e-4f : 0.0f);
        EXPECT_NEAR(yt[g], 2.0f * at * at - at + 0.5f, 2e-6f) << g;
        EXPECT_EQ(xt[g], kept[g]);
    }
}

TEST(DetailedTable, InterpolatesTheSelectedColumnOrRefuses) {
    DetailedStruct table[3];
    for (int i = 0; i < 3; ++i) {
        table[i].radius = 0.2f + 0.4f * i;
        for (int c = 0; c < 5; ++c) table[i].data[c] = (c + 1) * 10.0f + i;
    }
    float targets[3] = {0.2f, 0.4f, 1.00005f};
    float values[3];
    int count = 3, records = 3;
    EXPECT_EQ(line_2(table, LOADING_COLUMN, targets, values, &count, &records), 0);
    EXPECT_FLOAT_EQ(values[0], 20.0f);
    EXPECT_FLOAT_EQ(values[1], 20.5f);
    EXPECT_NEAR(values[2], 22.0f, 1e-3f);

    EXPECT_EQ(line_2(table, static_cast<DetailedStructSelector>(6), targets, values, &count,
                     &records),
              -1);
    targets[2] = 1.01f;
    EXPECT_EQ(line_2(table, THICKNESS_COLUMN, targets, values, &count, &records), -1);
    targets[0] = 0.1f;
    targets[2] = 1.0f;
    EXPECT_EQ(line_2(table, THICKNESS_COLUMN, targets, values, &count, &records), -1);
}

}  // namespace
