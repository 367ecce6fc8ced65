// The case-header reader: load normalisation, inflow interpolation onto the
// grid and drag-to-lift ratios at the Gauss radii.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "compute/case_reader.h"
#include "compute/engine_state.h"
#include "compute/gauss_rule.h"
#include "tests/test_support.h"

namespace {

class CaseReaderTest : public ::testing::Test {
protected:
    void SetUp() override { dir = skarvel_test::ScratchDir(); }
    void TearDown() override {
        INPUT_FILE.close();
        ERROR_FILE.close();
        OUTPUT_FILE.close();
    }

    // Runs init_ on `deck`; the streams stay open for further reads.
    void Read(const std::string& deck) {
        INPUT_FILE.close();
        ERROR_FILE.close();
        OUTPUT_FILE.close();
        skarvel_test::WriteFile(dir + "deck.in", deck);
        INPUT_FILE.clear();
        INPUT_FILE.open(dir + "deck.in");
        ERROR_FILE.open(dir + "ERROR.OUT");
        OUTPUT_FILE.open(dir + "out.txt");
        init_();
    }

    static float Station(int k, int num, float hub) {
        return ((1.0f + hub) - (1.0f - hub) * std::cos(k * 3.1415927f / num)) / 2.0f;
    }

    std::string dir;
};

TEST_F(CaseReaderTest, NormalisesThePrescribedLoad) {
    Read("2\t8\t3\t9\t1.2\t0.2\t\n150\t\n1\t0.1\t0.001\t\n1\nDRAG\t0.3\t0.0\nT\n");
    ASSERT_EQ(except_, 0);
    const float thrustScale = 1.2f * 1.2f * 3.1415927f / 8.0f;
    EXPECT_FLOAT_EQ(gopt2_.COEF, 0.1f / thrustScale);
    EXPECT_FLOAT_EQ(gopt2_.COEFTOL, 0.001f / thrustScale);
    EXPECT_FLOAT_EQ(geom_.LAMBDA, 1.2f / 3.1415927f);
    EXPECT_FLOAT_EQ(geom_.AFTARGET, 150.0f);
    EXPECT_EQ(s123_.NUMM1, 7);

    Read("3\t8\t3\t9\t0.9\t0.2\t\n0\t\n2\t0.05\t0.0005\t\nUNIFORM\n1\nDRAG\t0.3\t0.0\n");
    ASSERT_EQ(except_, 0);
    EXPECT_FLOAT_EQ(gopt2_.COEF, 0.05f / (0.9f * 0.9f * 0.9f * 3.1415927f / 8.0f));
    EXPECT_EQ(gopt2_.KCOEF, 2);

    Read("1\t8\t3\t9\t0.9\t0.2\t\n0\t\n0.07\t\n1\nDRAG\t0.3\t0.0\n");
    EXPECT_FLOAT_EQ(geom_.WBAR, 0.07f);
}

TEST_F(CaseReaderTest, NonuniformInflowIsInterpolatedOntoTheStations) {
    const int num = 6;
    const float hub = 0.2f;
    Read("3\t6\t3\t9\t1.2\t0.2\t\n150\t\n1\t0.1\t0.001\t\nNONUNIFORM\n"
         "0.2\t0.1\t0.0\t\n0.6\t0.05\t0.02\t\n1.0\t0.0\t0.04\t\n999.999\t0.0\t0.0\n"
         "1\nDRAG\t0.3\t0.0\n");
    ASSERT_EQ(except_, 0);
    EXPECT_EQ(behind_.IFLOW, 1);
    for (int k = 0; k <= num; ++k) {
        const float x = Station(k, num, hub);
        const float velded = x <= 0.6f ? 0.1f - 0.125f * (x - 0.2f) : 0.05f - 0.125f * (x - 0.6f);
        const float thrded = x <= 0.6f ? 0.05f * (x - 0.2f) : 0.02f + 0.05f * (x - 0.6f);
        EXPECT_NEAR(behind_.VELDED[k], velded, 1e-5f) << "station " << k;
        EXPECT_NEAR(behind_.THRDED[k], thrded, 1e-5f) << "station " << k;
    }

    Read("3\t6\t3\t9\t1.2\t0.2\t\n150\t\n1\t0.1\t0.001\t\nUNIFORM\n1\nDRAG\t0.3\t0.0\n");
    EXPECT_EQ(behind_.IFLOW, 0);
    for (int k = 0; k <= num; ++k) EXPECT_EQ(behind_.VELDED[k], 0.0f);
}

TEST_F(CaseReaderTest, DragRatiosAreInterpolatedToTheGaussRadii) {
    Read("2\t8\t3\t5\t1.2\t0.2\t\n150\t\n1\t0.1\t0.001\t\n2\nDRAG\t0.4\t0.01\nDRAG\t0.8\t0.03\n");
    ASSERT_EQ(except_, 0);
    EXPECT_EQ(drag_.NDRAG, 2);
    EXPECT_FLOAT_EQ(drag_.XDRAG[0], 0.2f);
    EXPECT_FLOAT_EQ(drag_.XDRAG[3], 1.0f);
    ASSERT_EQ(gauss_.NGAUSS, 5);
    for (int f = 0; f < 5; ++f) {
        const float x = GaussRadius(gauss_.GABSC[f], 0.2f);
        const float expected = x <= 0.4f ? 0.01f : (x >= 0.8f ? 0.03f : 0.01f + 0.05f * (x - 0.4f));
        EXPECT_NEAR(drag_.CDCLG[f], expected, 1e-6f) << "Gauss point " << f;
    }
}

TEST_F(CaseReaderTest, PerformanceCaseEndsAfterItsInflowRecord) {
    Read("4\t8\t3\t7\t1.2\t0.2\t\n150\t\nUNIFORM\nPropeller title\n");
    ASSERT_EQ(except_, 0);
    std::string next;
    INPUT_FILE >> next;
    EXPECT_EQ(next, "Propeller");
    EXPECT_EQ(gauss_.NGAUSS, 7);
}

}  // namespace
