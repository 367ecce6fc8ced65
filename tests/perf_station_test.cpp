// Station routines of the performance analysis on a small synthetic polar
// database: the lift-limit search, the thrust and power integrals, one wake
// pass (relaxation, range flags, stop rules) and the convergence test of the
// blade-angle search.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "compute/binary_file.h"
#include "compute/clcd.h"
#include "compute/ctcp_convergence.h"
#include "compute/engine_state.h"
#include "compute/perf_station.h"
#include "compute/polar_tables.h"
#include "compute/wake_convergence.h"
#include "tests/synthetic_polar.h"
#include "tests/test_support.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kDeg = kPi / 180.0f;
constexpr int kNum = 4;  // grid points 0..4, stations 1..3

// Performance tables of the synthetic model loaded into the engine, and a
// blade of three stations looked up through them.
class Stations : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string dir = std::string(SKARVEL_TEST_TMP) + "/perf_station_polar/";
        boost::filesystem::create_directories(dir);
        polar_test::WritePolar(dir + "polar.bin", polar_test::PolarModel());
        ASSERT_NE(POLAR_FILE.open((dir + "polar.bin").c_str(), "rb"), nullptr);
        bool load = true;
        ensure_polar_tables(PolarLayout::Performance, &load);
        ASSERT_EQ(except_, 0);
    }

    void SetUp() override {
        except_ = 0;
        geom_.PI = kPi;
        geom_.XHUB = 0.2f;
        s123_.NUM = kNum;
        s123_.NUMM1 = kNum - 1;
        behind_ = Behind{};
        for (int i = 0; i <= kNum; ++i) {
            s.x[i] = 0.2f + 0.2f * static_cast<float>(i);
            s.tbyc[i] = 0.08f;
            s.camber[i] = 0.02f;
            s.reynolds[i] = 1e6f;
            s.mach[i] = 0.3f;
            s.chord[i] = 0.2f;
            uint16_t& f = s.flags[i];
            f = 0;
            get_rynld_and_mach_DB_index(&s.reynolds[i], &s.mach[i], &s.reyIndex[i],
                                        &s.machIndex[i], f);
            get_tbyc_and_camb_DB_index(&s.tbyc[i], &s.camber[i], &s.tcIndex[i], &s.cambIndex[i],
                                       f);
        }
        const PolarDims d = polar_dimensions(PolarLayout::Performance);
        look = std::make_unique<Get_Performance_CLCD>(
            polar.get(), d.d[0], d.d[1], d.d[2], d.d[3], d.d[4], shape_.NALPHA,
            &shape_.ALPHADB[0][0], s.flags, s.tbyc, s.camber, s.reynolds, s.mach, nullptr,
            shape_.REYDB, shape_.MACHDB, shape_.TCDB, shape_.CAMBDB, &shape_.NREY, &shape_.NMACH,
            &shape_.NTC, &shape_.NCAMB);
    }

    float Lift(int i, float alpha) const {
        return look->get_perf_CLCD(i, alpha, s.reyIndex[i], s.machIndex[i], s.cambIndex[i],
                                   s.tcIndex[i], 1);
    }

    PerfStations s;
    std::unique_ptr<Get_Performance_CLCD> look;
};

TEST_F(Stations, LiftLimitsAreTheTablesExtremes) {
    // The extremes of the looked-up lift, scanned finely from AMIN to AMAX.
    float alphaMax = 0, liftMax = -9, alphaMin = 0, liftMin = 9;
    for (float a = amxum_.AMIN; a <= amxum_.AMAX; a += 0.0005f) {
        const float cl = Lift(1, a);
        if (cl > liftMax) liftMax = cl, alphaMax = a;
        if (cl < liftMin) liftMin = cl, alphaMin = a;
    }
    ASSERT_GT(alphaMax, 0.05f);
    ASSERT_LT(alphaMin, -0.05f);
    const int m = kNum - 1;
    const float tolerance = 0.004f;
    compute_clmax(look.get(), &s, &m, &tolerance);
    // The search stops within its tolerance of an extreme (the model's lift
    // may stay at its maximum over a range of angles).
    for (int i = 1; i <= m; ++i) {
        EXPECT_NEAR(s.clMax[i], liftMax, 0.005f) << i;
        EXPECT_FLOAT_EQ(s.clMax[i], Lift(i, s.alphaClMax[i])) << i;
        EXPECT_GT(s.alphaClMax[i], 0.5f * alphaMax) << i;
        EXPECT_NEAR(s.clMin[i], liftMin, 0.005f) << i;
        EXPECT_FLOAT_EQ(s.clMin[i], Lift(i, s.alphaClMin[i])) << i;
        EXPECT_LT(s.alphaClMin[i], 0.5f * alphaMin) << i;
    }
}

TEST_F(Stations, FirstLiftDistributionTakesHalfTheIncidence) {
    const int m = kNum - 1;
    const float tolerance = 0.004f;
    compute_clmax(look.get(), &s, &m, &tolerance);
    for (int i = 0; i <= kNum; ++i) gspec_.BETAG[i] = 0.5f;
    s.twist[1] = 0.5f + 0.1f;  // incidence 0.1: half of it
    s.twist[2] = 0.5f + 0.4f;  // incidence 0.4: capped at 0.75 of the stall angle
    s.twist[3] = 0.5f - 0.1f;
    const float offset = 0.0f;
    initcl_(look.get(), &s, &m, gspec_.BETAG, &offset);
    EXPECT_FLOAT_EQ(s.alpha[1], 0.05f);
    EXPECT_FLOAT_EQ(s.alpha[2], 0.75f * s.alphaClMax[2]);
    EXPECT_FLOAT_EQ(s.alpha[3], -0.05f);
    for (int i = 1; i <= m; ++i) {
        EXPECT_FLOAT_EQ(gspec_.BETAG[i], s.twist[i] - s.alpha[i]) << i;
        EXPECT_FLOAT_EQ(s.cl[i], Lift(i, s.alpha[i])) << i;
    }
    // The ends move with their neighbouring stations.
    EXPECT_FLOAT_EQ(gspec_.BETAG[0], 0.5f + 0.05f);
    EXPECT_FLOAT_EQ(gspec_.BETAG[kNum], 0.5f - 0.05f);
}

TEST_F(Stations, ThrustAndPowerIntegralsWithTheirEndRules) {
    // Stations loaded so that t = 1 and q = x: the hub takes q of station 1,
    // the tip half of q of the last station, and t is 0 at both ends.
    const int m = kNum - 1;
    const float lambda = 0.3f;
    const float diameter = 2.0f;
    const int blades = 3;
    for (int i = 1; i <= m; ++i) {
        gspec_.BETAG[i] = kPi / 4.0f;
        s.cl[i] = 0.5f;
        s.cd[i] = 0.0f;
        const float w2 = 1.0f + (s.x[i] / lambda) * (s.x[i] / lambda);
        s.chord[i] = diameter * std::sqrt(2.0f) / (s.cl[i] * w2);
    }
    float ct = 0, cp = 0, efficiency = 0;
    get_thrust_torque(&s, &m, gspec_.BETAG, behind_.VELDED, &lambda, &diameter, &blades, &ct,
                      &cp, &efficiency);
    for (int i = 1; i <= m; ++i) {
        EXPECT_NEAR(s.thrustGrad[i], 1.0f, 1e-5) << i;
        EXPECT_NEAR(s.torqueGrad[i], s.x[i], 1e-5) << i;
    }
    const float thrust = 0.6f;  // 0.2 * (0.5 + 1 + 1 + 0.5)
    const float torque = 0.44f; // 0.2 * ((0.4+0.4) + (0.4+0.6) + (0.6+0.8) + (0.8+0.4)) / 2
    EXPECT_NEAR(ct, kPi * kPi * lambda * lambda * blades / 4.0f * thrust, 1e-5);
    EXPECT_NEAR(cp, kPi * kPi * kPi * lambda * lambda * blades / 4.0f * torque, 1e-5);
    EXPECT_NEAR(efficiency, lambda * thrust / torque, 1e-5);
}

struct WakeCase {
    const char* name;
    int pass;
    float change;    // new - old at every point
    float applied;   // change applied to the angles
    bool stop;
};

class WakePassRule : public Stations, public ::testing::WithParamInterface<WakeCase> {};

TEST_P(WakePassRule, RelaxesAndStops) {
    const WakeCase& c = GetParam();
    float fresh[kGridSize] = {};
    for (int i = 0; i <= kNum; ++i) {
        gspec_.BETAG[i] = 0.4f;
        fresh[i] = 0.4f + c.change;
        s.twist[i] = 0.45f;
    }
    const float offset = 0.0f;
    StationFlow flow{50.0f, 340.0f, 1.5e-5f, 0.3f};
    WrapAround<float> ring(20);
    WakePass result;
    const bool stop = Check_Wake_Convergence(look.get(), &s, &c.pass, fresh, &offset, &flow,
                                             &ring, &result);
    EXPECT_EQ(stop, c.stop);
    for (int i = 0; i <= kNum; ++i) {
        EXPECT_NEAR(gspec_.BETAG[i], 0.4f + c.applied, 1e-6) << i;
        EXPECT_FLOAT_EQ(gspec_.BETAOLD[i], 0.4f) << i;
    }
    EXPECT_NEAR(result.largestChange, c.change, 1e-6);
    EXPECT_NEAR(ring.read(c.pass), c.change, 1e-6);
    for (int i = 1; i < kNum; ++i) {
        EXPECT_FLOAT_EQ(s.alpha[i], 0.45f - gspec_.BETAG[i]);
        EXPECT_FLOAT_EQ(s.cl[i], Lift(i, s.alpha[i]));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Passes, WakePassRule,
    ::testing::Values(WakeCase{"settled_half_step", 3, 0.004f, 0.002f, true},
                      WakeCase{"first_passes_limit", 3, 0.1f, 0.0043625f, false},
                      WakeCase{"backwards_limited", 8, -0.1f, -0.00479875f, false},
                      WakeCase{"pass_20_limit", 20, 0.1f, 0.008725f, false},
                      WakeCase{"late_passes_limit", 60, 0.1f, 0.000479875f, false},
                      WakeCase{"pass_limit_stops", 90, 0.1f, 0.000479875f, true}),
    [](const ::testing::TestParamInfo<WakeCase>& info) { return info.param.name; });

TEST_F(Stations, RingHoldsTheLargestChangeFromPointTwoOn) {
    float fresh[kGridSize] = {};
    for (int i = 0; i <= kNum; ++i) {
        gspec_.BETAG[i] = 0.4f;
        fresh[i] = 0.4f + 0.01f * static_cast<float>(i);
    }
    fresh[1] = 0.4f - 0.5f;  // ignored by the largest change
    fresh[3] = 0.4f - 0.06f;
    const int pass = 7;
    const float offset = 0.0f;
    StationFlow flow{50.0f, 340.0f, 1.5e-5f, 0.3f};
    WrapAround<float> ring(20);
    WakePass result;
    Check_Wake_Convergence(look.get(), &s, &pass, fresh, &offset, &flow, &ring, &result);
    EXPECT_FLOAT_EQ(result.largestChange, -0.06f);
    EXPECT_FLOAT_EQ(ring.read(7), -0.06f);
}

TEST_F(Stations, RangeFlagsOfIncidenceBeyondTheTables) {
    const int m = kNum - 1;
    const float tolerance = 0.004f;
    compute_clmax(look.get(), &s, &m, &tolerance);
    const float offset = 0.0f;
    StationFlow flow{50.0f, 340.0f, 1.5e-5f, 0.3f};
    WrapAround<float> ring(20);
    for (int pass : {3, 4}) {
        float fresh[kGridSize] = {};
        for (int i = 0; i <= kNum; ++i) {
            gspec_.BETAG[i] = fresh[i] = 0.2f;
            s.twist[i] = 0.2f + 0.8f * s.alphaClMax[1];
        }
        s.twist[2] = 0.2f + amxum_.AMAX + 0.01f;  // beyond the valid range
        WakePass result;
        Check_Wake_Convergence(look.get(), &s, &pass, fresh, &offset, &flow, &ring, &result);
        EXPECT_EQ(result.range.outside, 1) << pass;
        EXPECT_EQ(result.range.nearLimit, 1) << pass;
        EXPECT_EQ(result.range.above, pass > 3 ? 1 : 0) << pass;
        EXPECT_EQ(result.range.below, 0) << pass;
    }
}

// The convergence test driven with coefficients of the caller's choosing.
class Convergence : public Stations {
protected:
    // One converged wake solution with coefficient `value` for load 1.
    bool Test(float value) {
        cp[1] = value;
        float computed = 0, target = 0, relative = 0;
        return Check_CtCp_Convergence(look.get(), &s, cp, ct, targets, &k, &computed, &target,
                                      &relative, "POWER", "THRUST", &search, &limit, &angle,
                                      &offset, &reference, &range, &baseStep, &ring);
    }

    float cp[2] = {}, ct[2] = {}, targets[2] = {0, 0.2f};
    int k = 1;
    int limit = kMaxBladeAngleTries;
    float angle = 0.4f, offset = 0.1f, reference = 0.3f, baseStep = kDeg;
    PointSearchState search;
    AlphaRangeFlags range;
    WrapAround<float> ring{20};
};

TEST_F(Convergence, CloseEnoughEndsAtOnce) {
    EXPECT_FALSE(Test(0.2004f));  // within 0.0005
    EXPECT_EQ(search.iterations, 0);
    EXPECT_FALSE(Test(0.2019f));  // within 1 %
    EXPECT_EQ(search.firstTry, 1);
    EXPECT_TRUE(Test(0.203f));
    EXPECT_EQ(search.iterations, 1);
    EXPECT_EQ(search.firstTry, 0);
    EXPECT_FLOAT_EQ(offset, 0.1f + 3 * kDeg);  // first try: three base steps up
}

TEST_F(Convergence, ZeroTargetNeedsTheAbsoluteTolerance) {
    targets[1] = 0.0f;
    EXPECT_TRUE(Test(0.001f));
    EXPECT_FALSE(Test(-0.0004f));
}

TEST_F(Convergence, TryLimitEndsTheSearchWithTheBestAngle) {
    const std::string errors = skarvel_test::ScratchDir() + "ERROR.OUT";
    ERROR_FILE.open(errors);
    int calls = 0;
    // Coefficients that alternate around the target without meeting it.
    while (Test(calls % 2 == 0 ? 0.25f + 0.001f * calls : 0.15f - 0.001f * calls) && calls < 40)
        ++calls;
    ERROR_FILE.close();
    EXPECT_EQ(search.iterations, kMaxBladeAngleTries + 1);
    const std::string text = skarvel_test::ReadFile(errors);
    const std::size_t first = text.find("CpCt EVOLUTION\n");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(text.find("CpCt EVOLUTION\n", first + 1), std::string::npos);
    // The 25th try went back to the best angle recorded: that of the first
    // recorded try, whose deviation is the smallest.
    EXPECT_FLOAT_EQ(angle, betaConvRecords().front().bladeAngle);
    EXPECT_FLOAT_EQ(offset, angle - reference);
}

TEST_F(Convergence, GivesUpAfterTenTriesWithUnconvergedWakes) {
    search.wakeUnconverged = 1;
    int calls = 0;
    while (Test(0.1f + 0.001f * calls) && calls < 40) ++calls;
    EXPECT_EQ(search.gaveUp, 1);
    EXPECT_EQ(search.iterations, 11);
}

TEST_F(Convergence, UnreachableTargetStopsWithNotpos) {
    EXPECT_TRUE(Test(0.1f));
    range.above = 1;
    EXPECT_FALSE(Test(0.11f));
    EXPECT_EQ(search.notpos, 1);
}

}  // namespace
