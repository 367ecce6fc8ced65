// Designs for a prescribed thrust or power coefficient: the classical
// rigid-helix search (type 2) and the prescribed circulation shape (type 3).
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "compute/engine_state.h"
#include "compute/loading_integrals.h"
#include "tests/engine_decks.h"

namespace {

using engine_test::DesignCase;
using engine_test::DesignReport;
using engine_test::EngineRun;

struct Outcome {
    int status;
    std::string output;
    DesignReport report;
};

Outcome Design(const DesignCase& c) {
    EngineRun run;
    Outcome o;
    o.status = run.Run(engine_test::Deck({c}));
    o.output = run.Output();
    o.report = engine_test::ReadReport(o.output);
    return o;
}

DesignCase Classical(int kind, float load, float tolerance, float J, int blades) {
    DesignCase c;
    c.num = 10;
    c.loadKind = kind;
    c.load = load;
    c.tolerance = tolerance;
    c.J = J;
    c.blades = blades;
    return c;
}

struct Target {
    const char* name;
    DesignCase design;
};

void PrintTo(const Target& t, std::ostream* os) { *os << t.name; }

class ClassicalDesignTest : public ::testing::TestWithParam<Target> {};

TEST_P(ClassicalDesignTest, MeetsThePrescribedCoefficientWithinItsTolerance) {
    const DesignCase& c = GetParam().design;
    const Outcome o = Design(c);
    ASSERT_EQ(o.status, 0);
    ASSERT_TRUE(o.report.found);
    const float reached = c.loadKind == 1 ? o.report.CT : o.report.CP;
    EXPECT_NEAR(reached, c.load, c.tolerance + 5e-5f);  // report shows 4 digits
    EXPECT_NE(o.output.find("  NUMBER OF WAKE ITERATIONS = "), std::string::npos);
    EXPECT_EQ(o.output.find("POOR CONVERGENCE"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Loads, ClassicalDesignTest,
    ::testing::Values(Target{"Thrust", Classical(1, 0.1f, 0.001f, 1.2f, 3)},
                      Target{"Power", Classical(2, 0.2f, 0.002f, 1.5f, 4)},
                      Target{"LightThrustTwoBlades", Classical(1, 0.05f, 0.0005f, 0.8f, 2)},
                      Target{"HeavyPowerSlowAdvance", Classical(2, 0.12f, 0.0001f, 0.6f, 6)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ClassicalDesign, CountsItsIterations) {
    // A tolerance as wide as the load converges at the first estimate.
    Outcome o = Design(Classical(1, 0.1f, 0.1f, 1.2f, 3));
    EXPECT_NE(o.output.find("  NUMBER OF WAKE ITERATIONS = 1\n"), std::string::npos);
    // No tolerance is ever met: twenty iterations, a warning, and still a report.
    o = Design(Classical(1, 0.1f, 0.0f, 1.2f, 3));
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.output.find("  WARNING -- POOR CONVERGENCE\n  NUMBER OF WAKE ITERATIONS = 20\n"), 0u);
    EXPECT_TRUE(o.report.found);
}

// The loading table of a type 3 deck taken from a design report, as the
// design deck writer takes it: radius and circulation of each table row.
std::string LoadingOf(const DesignReport& report) {
    std::ostringstream rows;
    for (const auto& row : report.rows) rows << row[0] << "\t" << row[1] << "\t\n";
    return rows.str();
}

class GeneralizedDesignTest : public ::testing::TestWithParam<Target> {};

TEST_P(GeneralizedDesignTest, OptimumShapeReproducesTheClassicalDesign) {
    const DesignCase classical = GetParam().design;
    const Outcome optimum = Design(classical);
    ASSERT_TRUE(optimum.report.found);

    DesignCase shaped = classical;
    shaped.type = 3;
    shaped.loading = LoadingOf(optimum.report);
    const Outcome generalized = Design(shaped);
    ASSERT_EQ(generalized.status, 0);
    ASSERT_TRUE(generalized.report.found);
    EXPECT_NE(generalized.output.find("GENERALIZED DESIGN"), std::string::npos);

    const DesignReport& a = optimum.report;
    const DesignReport& b = generalized.report;
    EXPECT_NEAR(b.CT, a.CT, 0.015f * a.CT);
    EXPECT_NEAR(b.CP, a.CP, 0.015f * a.CP);
    EXPECT_NEAR(b.efficiency, a.efficiency, 0.005f);
    for (std::size_t j = 1; j + 1 < a.rows.size(); ++j) {
        EXPECT_NEAR(b.rows[j][1], a.rows[j][1], 0.02f * a.rows[j][1]) << "G at station " << j;
        EXPECT_NEAR(b.rows[j][2], a.rows[j][2], 0.01f * a.rows[j][2]) << "TANBI at station " << j;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Loads, GeneralizedDesignTest,
    ::testing::Values(Target{"Thrust", Classical(1, 0.1f, 0.0001f, 1.2f, 3)},
                      Target{"Power", Classical(2, 0.2f, 0.0002f, 1.5f, 4)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GeneralizedDesign, ScalesTheShapeToTheLoadWhateverItsUnits) {
    DesignCase c = Classical(1, 0.1f, 0.0001f, 1.2f, 3);
    c.type = 3;
    c.loading = "0.2\t0\t\n0.5\t2\t\n0.8\t2.5\t\n1\t0\t\n";
    const Outcome small = Design(c);
    c.loading = "0.2\t0\t\n0.5\t200\t\n0.8\t250\t\n1\t0\t\n";
    const Outcome large = Design(c);
    ASSERT_TRUE(small.report.found && large.report.found);
    EXPECT_NEAR(small.report.CT, 0.1f, 5e-5f);
    EXPECT_NEAR(large.report.CP, small.report.CP, 1e-3f * small.report.CP);
    EXPECT_NEAR(large.report.rows[4][1], small.report.rows[4][1], 1e-3f * small.report.rows[4][1]);
    EXPECT_EQ(small.output.find("DISP. VEL.   ="), std::string::npos);
}

TEST(SmallFormulas, MatchTheirClosedForms) {
    float lambda = 0.4f;
    const float kappa = fn_kiz__(&lambda);
    EXPECT_NEAR(kappa, 1.0 - 0.16 * std::log(1.0 + 1.0 / 0.16), 1e-6);
    float k = kappa;
    const double b = 0.16 * (2 / 0.4 - 0.8 / 1.16) - 0.8 * std::log(1 + 1 / 0.16);
    EXPECT_NEAR(fn_ekz__(&lambda, &k), (kappa + b * 0.2) / kappa, 1e-5);
    float e = 0.3f, w = 0.05f, P = 0.2f;
    int thrust = 1, power = 2;
    EXPECT_NEAR(fn_dcxz__(&e, &w, &P, &thrust), 0.2 * (10 + 0.8 / 1.08), 1e-4);
    EXPECT_NEAR(fn_dcxz__(&e, &w, &P, &power), 0.2 * (10 + 1 / 1.1 + 0.3 / 1.03), 1e-4);
    float x = -4.0f, y = 9.0f;
    EXPECT_FLOAT_EQ(sqrtx(&x), -2.0f);
    EXPECT_FLOAT_EQ(sqrtx(&y), 3.0f);
}

TEST(ActivityFactor, IntegratesTheCubeWeightedChord) {
    // Constant c/D = 0.1 from hub 0: AF = 3125 * 0.1 * (integral of x^3 dt
    // over t in [-1, 1], x = (1 + t)/2, which is 0.5) = 156.25.
    float radii[9], chords[9];
    for (int f = 0; f < 9; ++f) chords[f] = 0.1f;
    const float nodes[9] = {-0.96816f, -0.83603f, -0.61337f, -0.32425f, 0.0f,
                            0.32425f,  0.61337f,  0.83603f,  0.96816f};
    const float weights[9] = {0.08127f, 0.18064f, 0.26061f, 0.31234f, 0.33023f,
                              0.31234f, 0.26061f, 0.18064f, 0.08127f};
    for (int f = 0; f < 9; ++f) radii[f] = 1.0f - (1.0f - nodes[f]) / 2.0f;
    float hub = 0.0f, af = 0.0f;
    int n = 9;
    afcalz_(&af, &hub, &n, chords, weights, radii);
    EXPECT_NEAR(af, 156.25f, 0.01f);
}

}  // namespace
