// Smoothing of blade geometries: hub and tip extension, B-spline basis and
// the smoothed curves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "design/except.h"
#include "design/fit.h"

namespace {

std::string TakeLog() {
    std::string text = outstr.str();
    outstr.str("");
    return text;
}

// Input and output storage the way the design job hands it over: one array
// of station records per geometry.
struct Geometries {
    Geometries(int count, int stations, int outputs)
        : in(count, std::vector<Propeller_geom>(stations)),
          out(count, std::vector<Propeller_geom>(outputs)) {
        for (auto& g : in) inPtr.push_back(g.data());
        for (auto& g : out) outPtr.push_back(g.data());
    }
    std::vector<std::vector<Propeller_geom>> in, out;
    std::vector<Propeller_geom*> inPtr, outPtr;
};

double Line(double r1, double v1, double r2, double v2, double x) {
    return v1 + (v2 - v1) / (r2 - r1) * (x - r1);
}

// A blade as the design report gives it: 11 interior stations.
void FillRealisticBlade(std::vector<Propeller_geom>& g) {
    const float r[] = {0.26f, 0.33f, 0.40f, 0.48f, 0.56f, 0.64f, 0.72f, 0.80f, 0.87f, 0.93f, 0.97f};
    for (int k = 0; k < 11; ++k) {
        const float x = r[k];
        g[k].radius = x;
        g[k].chordRatio = 0.06f + 0.08f * x - 0.09f * x * x;
        g[k].camber = 0.04f - 0.02f * x;
        g[k].thicknessRatio = 0.24f - 0.2f * x;
        g[k].twist = 20.0f + 12.0f / x;
    }
}

TEST(FitGeometry, ReproducesHubAndTipControlPoints) {
    const int n = 11, m = n + 2;
    const float hub = 0.2f;
    Geometries geo(2, n, m);
    FillRealisticBlade(geo.in[0]);
    FillRealisticBlade(geo.in[1]);
    for (auto& s : geo.in[1]) s.twist += 5.0f;  // the second candidate differs
    int status = 0;
    FitGeometry fit(status, geo.inPtr.data(), geo.outPtr.data(), n, hub, m, 2);
    ASSERT_TRUE(fit.ready());
    fit.Fit();

    for (int g = 0; g < 2; ++g) {
        const auto& s = geo.in[g];
        const auto& hubPoint = geo.out[g].front();
        const auto& tipPoint = geo.out[g].back();
        auto at = [&](int k) { return s[k - 1]; };  // 1-based station
        EXPECT_EQ(hubPoint.radius, hub);
        EXPECT_FLOAT_EQ(hubPoint.chordRatio, at(1).chordRatio);
        EXPECT_FLOAT_EQ(hubPoint.camber, std::min(at(1).camber, at(2).camber));
        EXPECT_NEAR(hubPoint.thicknessRatio,
                    std::min(Line(at(1).radius, at(1).thicknessRatio, at(2).radius,
                                  at(2).thicknessRatio, hub),
                             Line(at(1).radius, at(1).thicknessRatio, at(3).radius,
                                  at(3).thicknessRatio, hub)),
                    1e-6);
        EXPECT_NEAR(hubPoint.twist, Line(at(1).radius, at(1).twist, at(3).radius, at(3).twist, hub),
                    1e-4);

        EXPECT_EQ(tipPoint.radius, 1.0f);
        EXPECT_NEAR(tipPoint.chordRatio,
                    std::min(Line(at(n).radius, at(n).chordRatio, at(n - 1).radius,
                                  at(n - 1).chordRatio, 1.0),
                             Line(at(n).radius, at(n).chordRatio, at(n - 2).radius,
                                  at(n - 2).chordRatio, 1.0)),
                    1e-6);
        EXPECT_FLOAT_EQ(tipPoint.camber, std::min(at(n - 1).camber, at(n).camber));
        EXPECT_NEAR(tipPoint.twist,
                    Line(at(n).radius, at(n).twist, at(n - 2).radius, at(n - 2).twist, 1.0), 1e-4);

        // In between, the radius rises from hub to tip.
        for (int i = 1; i < m; ++i) EXPECT_GT(geo.out[g][i].radius, geo.out[g][i - 1].radius);
    }
    EXPECT_NE(geo.out[0][5].twist, geo.out[1][5].twist);
}

// Constant chord and camber, linear t/c and twist: the extension rules keep
// them, and a B-spline reproduces a linear function of its control abscissa.
// The output radius is that of the camber curve (degree n); the shape curve
// has degree min(n, 4), so a linear quantity lands on its line at the output
// radius only while both curves have the same degree (n = 3, 4). Constants
// are kept for every n.
struct PolynomialCase {
    int stations;
    bool sameDegree;
};

class PolynomialGeometry : public ::testing::TestWithParam<PolynomialCase> {};

TEST_P(PolynomialGeometry, IsKeptBySmoothing) {
    const int n = GetParam().stations, m = n + 2;
    const float hub = 0.15f;
    Geometries geo(1, n, m);
    for (int k = 0; k < n; ++k) {
        const float x = 0.25f + 0.7f * k / (n - 1);
        geo.in[0][k] = {x, 0.08f, 0.02f, 0.2f - 0.15f * x, 60.0f - 40.0f * x};
    }
    int status = 0;
    FitGeometry fit(status, geo.inPtr.data(), geo.outPtr.data(), n, hub, m, 1);
    ASSERT_TRUE(fit.fit_data(0));
    for (const auto& p : geo.out[0]) {
        EXPECT_GE(p.radius, hub);
        EXPECT_LE(p.radius, 1.0f);
        EXPECT_NEAR(p.chordRatio, 0.08, 1e-6) << "at r/R " << p.radius;
        EXPECT_NEAR(p.camber, 0.02, 1e-6) << "at r/R " << p.radius;
        if (!GetParam().sameDegree) continue;
        EXPECT_NEAR(p.thicknessRatio, 0.2 - 0.15 * p.radius, 1e-5) << "at r/R " << p.radius;
        EXPECT_NEAR(p.twist, 60.0 - 40.0 * p.radius, 1e-3) << "at r/R " << p.radius;
    }
}

INSTANTIATE_TEST_SUITE_P(StationCounts, PolynomialGeometry,
                         ::testing::Values(PolynomialCase{3, true}, PolynomialCase{4, true},
                                           PolynomialCase{11, false}, PolynomialCase{28, false}));

TEST(FitGeometry, FloorsTipChordAndThickness) {
    const int n = 4, m = 6;
    Geometries geo(1, n, m);
    // Both fall so steeply that the lines through the outer stations cross
    // zero before the tip.
    geo.in[0][0] = {0.4f, 0.10f, 0.03f, 0.12f, 30.0f};
    geo.in[0][1] = {0.6f, 0.09f, 0.03f, 0.10f, 25.0f};
    geo.in[0][2] = {0.75f, 0.06f, 0.03f, 0.07f, 20.0f};
    geo.in[0][3] = {0.85f, 0.02f, 0.03f, 0.02f, 18.0f};
    int status = 0;
    FitGeometry fit(status, geo.inPtr.data(), geo.outPtr.data(), n, 0.2f, m, 1);
    fit.Fit();
    EXPECT_EQ(geo.out[0].back().chordRatio, 0.0f);
    EXPECT_EQ(geo.out[0].back().thicknessRatio, 0.01f);
    for (const auto& p : geo.out[0]) EXPECT_GE(p.chordRatio, 0.0f);
}

TEST(FitGeometry, RefusesTooFewStationsAndBadIndex) {
    const Propeller_geom untouched{9, 9, 9, 9, 9};
    for (int n : {0, 1, 2}) {
        TakeLog();
        Geometries geo(1, 3, 5);
        geo.out[0].assign(5, untouched);
        int status = 0;
        FitGeometry fit(status, geo.inPtr.data(), geo.outPtr.data(), n, 0.2f, 5, 1);
        EXPECT_FALSE(fit.ready());
        fit.Fit();
        EXPECT_FALSE(fit.fit_data(0));
        const std::string log = TakeLog();
        EXPECT_NE(log.find(">> in file:../../design/fit at line:"), std::string::npos);
        EXPECT_NE(log.find("stations per geometry = " + std::to_string(n)), std::string::npos);
        for (const auto& p : geo.out[0]) EXPECT_EQ(p.twist, 9.0f);
    }

    Geometries geo(1, 3, 5);
    geo.in[0][0] = {0.3f, 0.1f, 0.02f, 0.15f, 40.0f};
    geo.in[0][1] = {0.6f, 0.1f, 0.02f, 0.10f, 30.0f};
    geo.in[0][2] = {0.9f, 0.1f, 0.02f, 0.05f, 20.0f};
    int status = 0;
    TakeLog();
    FitGeometry fit(status, geo.inPtr.data(), geo.outPtr.data(), 3, 0.2f, 5, 1);
    EXPECT_TRUE(fit.ready());
    EXPECT_FALSE(fit.fit_data(1));
    EXPECT_FALSE(fit.fit_data(-1));
    EXPECT_NE(TakeLog().find("geometry index = 1"), std::string::npos);
}

TEST(FitGeometry, LinearExtrapolationAndPoly) {
    Geometries geo(1, 3, 5);
    geo.in[0][0] = {0.3f, 0, 0, 0, 0};
    geo.in[0][1] = {0.5f, 0, 0, 0, 0};
    geo.in[0][2] = {0.5f, 0, 0, 0, 0};  // a repeated radius
    int status = 0;
    FitGeometry fit(status, geo.inPtr.data(), geo.outPtr.data(), 3, 0.2f, 5, 1);
    fit.fit_data(0);
    const double values[] = {0, 1.0, 2.0, 7.0, 0};
    EXPECT_NEAR(fit.linear_extrapolation(1, 2, 0.9, values), 1.0 + 5.0 * 0.6, 1e-6);
    EXPECT_EQ(fit.linear_extrapolation(2, 3, 0.9, values), 2.0);  // no division by zero

    const double c[] = {1.0, -2.0, 0.5};
    EXPECT_NEAR(FitGeometry::poly(2.0, 3, c), 1.0 - 4.0 + 2.0, 1e-6);
    EXPECT_EQ(FitGeometry::poly(2.0, 0, c), 0.0);
}

// ---- B_Spline ---------------------------------------------------------

TEST(BSpline, KnotVectorIsClampedOnIntegers) {
    B_Spline curve(6, 4, 5, COSINE_SPACING);  // nc = 5, order 5
    EXPECT_EQ(curve.knots(), (std::vector<int>{0, 0, 0, 0, 0, 1, 2, 2, 2, 2, 2}));
    B_Spline bezier(5, 4, 5, UNIFORM_SPACING);
    EXPECT_EQ(bezier.knots(), (std::vector<int>{0, 0, 0, 0, 0, 1, 1, 1, 1, 1}));
}

TEST(BSpline, ParameterSpacing) {
    const int m = 9;
    B_Spline cosine(6, 3, m, COSINE_SPACING);   // last knot s = 3
    B_Spline uniform(6, 3, m, UNIFORM_SPACING);
    for (int j = 0; j < m; ++j) {
        EXPECT_NEAR(uniform.parameters()[j], 3.0 * j / (m - 1), 1e-12);
        EXPECT_NEAR(cosine.parameters()[j], 1.5 * (1 - std::cos(j * M_PI / (m - 1))), 1e-5);
        EXPECT_NEAR(cosine.parameters()[j] + cosine.parameters()[m - 1 - j], 3.0, 1e-5);
    }
    EXPECT_EQ(cosine.parameters()[0], 0.0);
}

// With as many control points as the order the curve is one Bezier segment
// and the basis functions are the Bernstein polynomials.
TEST(BSpline, SingleSegmentBasisIsBernstein) {
    const int degree = 11, m = 13;
    B_Spline curve(degree + 1, degree, m, UNIFORM_SPACING);
    for (int j = 0; j <= m - 2; ++j) {
        const double u = curve.parameters()[j];
        for (int i = 0; i <= degree; ++i) {
            const double bernstein = std::tgamma(degree + 1.0) /
                                     (std::tgamma(i + 1.0) * std::tgamma(degree - i + 1.0)) *
                                     std::pow(u, i) * std::pow(1 - u, degree - i);
            EXPECT_NEAR(curve.basis(i, j), bernstein, 1e-12) << "i " << i << " u " << u;
            EXPECT_NEAR(curve.blend(i, degree + 1, u), curve.basis(i, j), 1e-15);
        }
    }
}

TEST(BSpline, InteriorCubicBasisAtAKnot) {
    // Knots 0,0,0,0,1,..,5,6,6,6,6; uniform parameters hit the integers.
    B_Spline curve(9, 3, 7, UNIFORM_SPACING);
    std::vector<double> nonzero;
    for (int i = 0; i < 9; ++i)
        if (curve.basis(i, 3) != 0.0) nonzero.push_back(curve.basis(i, 3));
    ASSERT_EQ(nonzero.size(), 3u);
    EXPECT_NEAR(nonzero[0], 1.0 / 6, 1e-12);
    EXPECT_NEAR(nonzero[1], 4.0 / 6, 1e-12);
    EXPECT_NEAR(nonzero[2], 1.0 / 6, 1e-12);
}

struct CurveShape {
    int controlPoints, degree, outputs;
};

class BasisPartition : public ::testing::TestWithParam<CurveShape> {};

TEST_P(BasisPartition, SumsToOneAndEndsOnControlPoints) {
    const CurveShape c = GetParam();
    B_Spline curve(c.controlPoints, c.degree, c.outputs, COSINE_SPACING);
    ASSERT_TRUE(curve.valid());
    for (int j = 0; j <= c.outputs - 2; ++j) {
        double sum = 0;
        for (int i = 0; i < c.controlPoints; ++i) {
            EXPECT_GE(curve.basis(i, j), 0.0);
            sum += curve.basis(i, j);
        }
        EXPECT_NEAR(sum, 1.0, 1e-12) << "parameter " << j;
    }
    std::vector<double> x(c.controlPoints), y(c.controlPoints), z(c.controlPoints, 0.0);
    for (int i = 0; i < c.controlPoints; ++i) {
        x[i] = 0.2 + 0.8 * i / (c.controlPoints - 1);
        y[i] = std::sin(3.0 * i);
    }
    std::vector<double> xo(c.outputs), yo(c.outputs), zo(c.outputs, 5.0);
    curve.bspline(x.data(), y.data(), z.data(), xo.data(), yo.data(), zo.data());
    EXPECT_EQ(xo.front(), x.front());
    EXPECT_EQ(yo.front(), y.front());
    EXPECT_EQ(xo.back(), x.back());
    EXPECT_EQ(yo.back(), y.back());
    for (double v : zo) EXPECT_EQ(v, 0.0);
}

INSTANTIATE_TEST_SUITE_P(Shapes, BasisPartition,
                         ::testing::Values(CurveShape{5, 3, 5}, CurveShape{13, 4, 13},
                                           CurveShape{13, 11, 13}, CurveShape{30, 28, 30},
                                           CurveShape{30, 4, 2}));

TEST(BSpline, RefusesInvalidCurves) {
    const CurveShape bad[] = {{0, 0, 5}, {4, 4, 5}, {4, -1, 5}, {4, 2, -1}};
    for (const auto& c : bad) {
        TakeLog();
        B_Spline curve(c.controlPoints, c.degree, c.outputs, COSINE_SPACING);
        EXPECT_FALSE(curve.valid());
        EXPECT_NE(TakeLog().find("../../design/fit"), std::string::npos);
    }
    TakeLog();
    B_Spline curve(5, 3, 5, static_cast<Distribution>(2));
    EXPECT_FALSE(curve.valid());
    EXPECT_NE(TakeLog().find("parameter distribution = 2"), std::string::npos);
    const double c[5] = {1, 2, 3, 4, 5};
    double out[5] = {7, 7, 7, 7, 7};
    curve.bspline(c, c, c, out, out, out);
    for (double v : out) EXPECT_EQ(v, 7.0);
}

}  // namespace
