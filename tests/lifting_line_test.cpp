// The induction-factor lifting line: the rigid-helix optimum against theory,
// the limits of the induction factors, and the linear solver.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "compute/engine_state.h"
#include "compute/lifting_line.h"
#include "compute/linear_solve.h"
#include "tests/engine_decks.h"

namespace {

using engine_test::DesignCase;
using engine_test::DesignReport;
using engine_test::EngineRun;

constexpr float kPi = 3.1415927f;

DesignReport Design(const DesignCase& c) {
    EngineRun run;
    EXPECT_EQ(run.Run(engine_test::Deck({c})), 0) << run.Error();
    DesignReport report = engine_test::ReadReport(run.Output());
    EXPECT_TRUE(report.found);
    return report;
}

// Actuator-disk efficiency at thrust coefficient CT and advance ratio J.
double IdealEfficiency(double CT, double J) {
    return 2.0 / (1.0 + std::sqrt(1.0 + 8.0 * CT / (M_PI * J * J)));
}

struct HelixCase {
    const char* name;
    DesignCase design;
};

void PrintTo(const HelixCase& c, std::ostream* os) { *os << c.name; }

DesignCase Make(int type, int num, int blades, int ngauss, float J, float hub, int kind, float load,
                const char* drag = "1\nDRAG\t0.3\t0.0000\n") {
    DesignCase c;
    c.type = type;
    c.num = num;
    c.blades = blades;
    c.ngauss = ngauss;
    c.J = J;
    c.hub = hub;
    c.loadKind = kind;
    c.load = load;
    c.tolerance = load * 0.01f;
    c.drag = drag;
    return c;
}

class RigidHelixTest : public ::testing::TestWithParam<HelixCase> {};

// The optimum wake is a rigid helix: x tan(beta_i) = LAMW at every interior
// point, LAMW = J/pi (1 + WBAR). Its induced velocity is normal to the
// helical sheet, which with that pitch fixes both components:
// UA = WBAR x^2/(x^2 + LAMW^2), UT = WBAR x LAMW/(x^2 + LAMW^2).
TEST_P(RigidHelixTest, WakeIsARigidHelixWithNormalInducedVelocity) {
    const DesignCase& c = GetParam().design;
    const DesignReport report = Design(c);
    ASSERT_EQ(report.rows.size(), static_cast<std::size_t>(c.num + 1));
    const float w = report.wbar;
    const float lamw = c.J / kPi * (1.0f + w);
    for (int j = 1; j < c.num; ++j) {
        const float x = report.rows[j][0];
        const float tanbi = report.rows[j][2];
        EXPECT_NEAR(x * tanbi, lamw, 2e-3f * lamw) << "station " << j;
        const float ua = w * x * x / (x * x + lamw * lamw);
        const float ut = w * x * lamw / (x * x + lamw * lamw);
        EXPECT_NEAR(report.rows[j][3], ua, 3e-3f * ua) << "station " << j;
        EXPECT_NEAR(report.rows[j][4], ut, 3e-3f * ut) << "station " << j;
    }
    EXPECT_FLOAT_EQ(report.rows.front()[1], 0.0f);
    EXPECT_FLOAT_EQ(report.rows.back()[1], 0.0f);
    EXPECT_FLOAT_EQ(report.rows.back()[0], 1.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Designs, RigidHelixTest,
    ::testing::Values(HelixCase{"GivenDisplacementVelocity", Make(1, 8, 3, 9, 1.2f, 0.2f, 1, 0.1f)},
                      HelixCase{"ThrustTwoBladesFivePoints", Make(2, 10, 2, 5, 1.2f, 0.2f, 1, 0.2f)},
                      HelixCase{"PowerTwelveIntervals", Make(2, 12, 4, 7, 2.0f, 0.1f, 2, 0.15f)},
                      HelixCase{"ZeroHub", Make(2, 8, 3, 9, 1.0f, 0.0f, 1, 0.1f)},
                      HelixCase{"WithSectionDrag",
                                Make(2, 6, 3, 9, 0.8f, 0.25f, 1, 0.1f, "1\nDRAG\t0.3\t0.0200\n")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OptimumEfficiency, StaysBelowTheActuatorDiskAndApproachesItWithMoreBlades) {
    double previous = 0;
    for (int blades : {2, 4, 8}) {
        const DesignReport r = Design(Make(2, 10, blades, 9, 1.2f, 0.2f, 1, 0.1f));
        const double ideal = IdealEfficiency(r.CT, 1.2);
        EXPECT_LT(r.efficiency, ideal) << blades << " blades";
        EXPECT_GT(r.efficiency, previous) << blades << " blades";
        EXPECT_GT(r.efficiency, ideal - 0.1);
        previous = r.efficiency;
    }
}

TEST(OptimumEfficiency, FallsAsTheLoadGrows) {
    double previous = 1;
    for (float ct : {0.02f, 0.1f, 0.3f}) {
        const DesignReport r = Design(Make(2, 10, 4, 9, 1.2f, 0.2f, 1, ct));
        EXPECT_LT(r.efficiency, IdealEfficiency(r.CT, 1.2)) << "CT " << ct;
        EXPECT_LT(r.efficiency, previous) << "CT " << ct;
        previous = r.efficiency;
    }
}

// ---- induction factors ------------------------------------------------------

class InductTest : public ::testing::Test {
protected:
    void SetUp() override {
        geom_.PI = kPi;
        geom_.XHUB = 0.0f;
        geom_.NBLADE = 3;
        geom_.LAMW = 0.3f;
    }
    // Without a given pitch angle the routine takes atan(LAMW / x_v).
    float Factor(float phic, float phiv, int type, std::optional<float> givenAngle = {}) {
        float result = 0;
        if (givenAngle) {
            geom_.BETAI = *givenAngle;
            result = 999.999f;
        }
        induct_(&phic, &phiv, &type, &result);
        return result;
    }
};

TEST_F(InductTest, AxisPointsGiveTheirLimits) {
    const float phiv = 1.0f;  // vortex off the axis
    const float xv = (1.0f - std::cos(phiv)) / 2.0f;
    const float beta = std::atan(geom_.LAMW / xv);  // above 0.2443: not lifted
    EXPECT_FLOAT_EQ(Factor(0.0f, phiv, 1), 3.0f / std::tan(beta));
    EXPECT_FLOAT_EQ(Factor(0.0f, phiv, 2), 0.0f);
    EXPECT_FLOAT_EQ(Factor(phiv, 0.0f, 1), 0.0f);
    EXPECT_FLOAT_EQ(Factor(phiv, 0.0f, 2), 3.0f);
    // Both on the axis: coincident points with the blade-normal angle.
    EXPECT_NEAR(Factor(0.0f, 0.0f, 1), 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(Factor(0.0f, 0.0f, 2), 1.0f);
}

TEST_F(InductTest, CoincidentPointsGiveCosineAndSineOfTheLiftedAngle) {
    struct Case {
        float given, working;
    } cases[] = {{0.0f, 0.08725f},
                 {0.2443f, 0.2443f},
                 {0.5f, 0.5f},
                 {-0.1f, -0.1f * 0.15705f / 0.2443f - 0.08725f}};
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(Factor(1.2f, 1.2f, 1, c.given), std::cos(c.working)) << c.given;
        EXPECT_FLOAT_EQ(Factor(1.2f, 1.2f, 2, c.given), std::sin(c.working)) << c.given;
    }
}

TEST_F(InductTest, StaysFiniteOverPitchRadiusRatioAndBladeNumber) {
    geom_.XHUB = 0.15f;
    for (int blades : {1, 2, 6, 40}) {
        geom_.NBLADE = blades;
        for (float given : {-1.2f, -0.3f, -0.05f, 0.0f, 0.01f, 0.1f, 0.5f, 1.2f, 1.5665f, 1.5706f})
            for (float phic : {0.3f, 1.5f, 3.0f})
                for (float phiv : {0.0f, 0.2f, 1.4f, 2.5f, 3.1415927f})
                    for (int type : {1, 2})
                        EXPECT_TRUE(std::isfinite(Factor(phic, phiv, type, given)))
                            << blades << " " << given << " " << phic << " " << phiv;
    }
}

// ---- linear systems ---------------------------------------------------------

class LinearSolveTest : public ::testing::Test {
protected:
    void SetUp() override {
        errorPath = skarvel_test::ScratchDir() + "ERROR.OUT";
        ERROR_FILE.open(errorPath);
        except_ = 0;
    }
    void TearDown() override { ERROR_FILE.close(); }
    std::string errorPath;
};

TEST_F(LinearSolveTest, SolvesWithRowInterchangeAndAgainForANewRightHandSide) {
    for (int lo : {0, 1}) {
        // Column-major; the first column's leading zero forces an interchange.
        float A[9] = {0, 1, 2, 2, 1, 1, 1, 1, 3};
        float b[3] = {7, 6, 13};  // x = (1, 2, 3)
        float x[3];
        int pivots[3];
        int n = lo + 2;
        matrix_(&n, A, b, x, &lo, pivots);
        ASSERT_EQ(except_, 0);
        EXPECT_NEAR(x[0], 1.0f, 1e-5f);
        EXPECT_NEAR(x[1], 2.0f, 1e-5f);
        EXPECT_NEAR(x[2], 3.0f, 1e-5f);
        float b2[3] = {3, 1.5f, 4.5f};  // x = (-1, 0.5, 2)
        solve_(&n, &lo, A, b2, pivots, x);
        EXPECT_NEAR(x[0], -1.0f, 1e-5f);
        EXPECT_NEAR(x[1], 0.5f, 1e-5f);
        EXPECT_NEAR(x[2], 2.0f, 1e-5f);
    }
}

TEST_F(LinearSolveTest, SingularMatrixSetsStatusEightWithItsMessage) {
    float A[4] = {1, 2, 2, 4};
    float b[2] = {1, 1};
    float x[2];
    int pivots[2];
    int n = 1, lo = 0;
    matrix_(&n, A, b, x, &lo, pivots);
    EXPECT_EQ(except_, 8);
    ERROR_FILE.flush();
    EXPECT_EQ(skarvel_test::ReadFile(errorPath), "\n\n          SINGULAR MATRIX ERROR-PROGRAM HALTED");
}

TEST_F(LinearSolveTest, SystemBeyondTheWorkingStorageIsRefused) {
    float A[1] = {1}, b[1] = {1}, x[1];
    int pivots[1];
    int n = kMaxUnknowns, lo = 0;
    matrix_(&n, A, b, x, &lo, pivots);
    EXPECT_EQ(except_, 1);
}

}  // namespace
