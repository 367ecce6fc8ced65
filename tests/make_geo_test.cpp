// Blade geometry from design loads: the section routines on small in-memory
// polar tables, and whole design cases through the engine with a synthetic
// polar database.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "compute/clcd.h"
#include "compute/engine_state.h"
#include "compute/make_geo.h"
#include "design/fit.h"
#include "design/getperf.h"
#include "tests/engine_decks.h"
#include "tests/synthetic_polar.h"

namespace {

// ---- chord-shape correction and camber refinement ---------------------

struct FactorCase {
    const char* name;
    float activityFactor;
    std::vector<float> chords;   // chord/D at stations 1..n (D = 1)
    std::vector<float> factors;  // expected factors
    int changed;
};

class FactorOnCl : public ::testing::TestWithParam<FactorCase> {};

TEST_P(FactorOnCl, CorrectsTheChordShape) {
    const FactorCase& c = GetParam();
    std::vector<float> chords{0}, factors{0}, radii{0};
    for (std::size_t i = 0; i < c.chords.size(); ++i) {
        chords.push_back(c.chords[i]);
        factors.push_back(1.0f);
        radii.push_back(0.3f + 0.1f * i);
    }
    int32_t n = static_cast<int32_t>(c.chords.size());
    float af = c.activityFactor, D = 1.0f;
    int changed = -1;
    Factor_on_CL(factors.data(), &n, &af, chords.data(), &D, &changed, radii.data());
    EXPECT_EQ(changed, c.changed);
    for (int i = 1; i <= n; ++i) EXPECT_NEAR(factors[i], c.factors[i - 1], 1e-5) << "station " << i;
}

// AF 100 allows chord/D up to 100 * 1.6 * 64 / 1e5 = 0.1024.
INSTANTIATE_TEST_SUITE_P(
    Blades, FactorOnCl,
    ::testing::Values(
        FactorCase{"EvenBladeUnchanged", 100, {0.075f, 0.08f, 0.085f, 0.08f, 0.06f},
                   {1, 1, 1, 1, 1}, 0},
        FactorCase{"NarrowRootWidened", 100, {0.06f, 0.07f, 0.08f, 0.085f, 0.08f, 0.05f},
                   {0.06f / 0.085f, 0.07f / 0.085f, 0.08f / 0.085f, 1, 1, 1}, 1},
        FactorCase{"WidestAtTip", 100, {0.05f, 0.07f, 0.09f}, {0.05f / 0.09f, 0.07f / 0.09f, 1},
                   1},
        FactorCase{"OversizeChordNarrowed", 50, {0.05f, 0.06f, 0.04f},
                   {1, 0.06f / 0.0512f, 1}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InterpolateCamber, VertexOfTheParabola) {
    struct Case {
        float x[4], y[4], expected;  // 1-based: elements 1..3
    };
    const Case cases[] = {
        {{0, 0.0f, 0.02f, 0.04f}, {0, 2, 1, 3}, 0.02f - 0.02f / 6},  // equal spacing
        {{0, 0.0f, 0.02f, 0.06f}, {0, 3, 1, 5}, 0.02f},              // wider outboard
        {{0, 0.0f, 0.04f, 0.06f}, {0, 5, 1, 3}, 0.04f},              // wider inboard
        {{0, 0.0f, 0.02f, 0.04f}, {0, 1, 1, 1}, 0.02f},              // flat: the winner
    };
    for (const Case& c : cases) {
        float x[4], y[4];
        std::copy(c.x, c.x + 4, x);
        std::copy(c.y, c.y + 4, y);
        int k = 2;
        EXPECT_NEAR(interpolate_camber(y, &k, x), c.expected, 1e-7);
    }
    // An exact parabola on equal spacing gives its vertex.
    float x[4] = {0, 0.02f, 0.04f, 0.06f}, y[4];
    for (int i = 1; i <= 3; ++i) y[i] = 1 + (x[i] - 0.033f) * (x[i] - 0.033f);
    int k = 2;
    EXPECT_NEAR(interpolate_camber(y, &k, x), 0.033f, 1e-5);
}

// ---- section routines on an in-memory design table --------------------

// Design-layout tables (set, Mach, Reynolds, camber, t/c, angle) with one
// Mach, Reynolds and t/c value and the given cambers and angles.
class SectionTables : public ::testing::Test {
protected:
    void Build(const std::vector<float>& cambers, const std::vector<float>& anglesDeg) {
        nc = static_cast<int>(cambers.size());
        na = static_cast<int>(anglesDeg.size());
        shape_.NMACH = shape_.NREY = shape_.NTC = 1;
        shape_.NCAMB = nc;
        for (int c = 0; c < nc; ++c) shape_.CAMBDB[c] = cambers[c];
        shape_.NALPHA[0] = shape_.NALPHA[1] = na;
        for (int i = 0; i < na; ++i)
            shape_.ALPHADB[i][0] = shape_.ALPHADB[i][1] = anglesDeg[i] * 0.017453294f;
        data.assign(static_cast<std::size_t>(2 * nc * na), 0.0f);
        d1 = 2; d2 = 1; d3 = 1; d4 = nc; d5 = 1;
        singleread_.MACHINDEX[1] = 1;
        lookup = std::make_unique<Get_Design_CLCD>(data.data(), d1, d2, d3, d4, d5, shape_.NALPHA,
                                                   &shape_.ALPHADB[0][0], flags,
                                                   singleread_.MACHINDEX);
    }
    float& At(int set, int camber, int angle) {
        return data[static_cast<std::size_t>((set - 1) + 2 * ((camber - 1) + nc * (angle - 1)))];
    }

    int nc = 0, na = 0, d1 = 0, d2 = 0, d3 = 0, d4 = 0, d5 = 0;
    std::vector<float> data;
    uint16_t flags[4] = {};
    std::unique_ptr<Get_Design_CLCD> lookup;
};

struct StallCase {
    const char* name;
    std::vector<float> lift;  // at angles 0, 1, 2, ... degrees
    float positive, negative;
};

class StallLift : public SectionTables, public ::testing::WithParamInterface<StallCase> {};

TEST_P(StallLift, PeaksOfTheLiftCurve) {
    const StallCase& c = GetParam();
    std::vector<float> angles;
    for (std::size_t i = 0; i < c.lift.size(); ++i) angles.push_back(static_cast<float>(i));
    Build({0.02f}, angles);
    for (int i = 1; i <= na; ++i) At(1, 1, i) = c.lift[i - 1];
    int station = 1, rey = 1, camb = 1, tc = 1, up = 1, down = 2;
    EXPECT_FLOAT_EQ(get_stall_cl(lookup.get(), &station, &rey, &camb, &tc, &up), c.positive);
    EXPECT_FLOAT_EQ(get_stall_cl(lookup.get(), &station, &rey, &camb, &tc, &down), c.negative);
}

INSTANTIATE_TEST_SUITE_P(
    Curves, StallLift,
    ::testing::Values(
        StallCase{"BothStalls", {-0.3f, -0.6f, -0.4f, -0.1f, 0.3f, 0.7f, 1.2f, 1.0f, 0.8f}, 1.2f,
                  -0.6f},
        StallCase{"NoPeakGivesTheEnds", {-0.4f, -0.1f, 0.2f, 0.5f, 0.8f}, 0.8f, -0.4f},
        StallCase{"FirstLiftNotNegative", {0.1f, 0.5f, 0.9f, 0.7f}, 0.0f, 0.0f},
        StallCase{"NoPositiveLift", {-0.9f, -0.6f, -0.3f}, 0.0f, 0.0f},
        StallCase{"SingleAngle", {-0.2f}, 0.0f, 0.0f}),
    [](const auto& info) { return std::string(info.param.name); });

// Lift and drag of the synthetic model at t/c 0.12 and Re 1e6: drag is least
// at the lift 0.2 + 10 * camber, so the best camber for a design lift CL is
// (CL - 0.2) / 10.
struct CamberCase {
    float designLift;
    int bestIndex;
    float camber;
};

class OptimumCamber : public SectionTables, public ::testing::WithParamInterface<CamberCase> {};

TEST_P(OptimumCamber, LeastDragCamber) {
    const polar_test::PolarModel model;
    Build(model.camber, model.angles);
    for (int c = 1; c <= nc; ++c)
        for (int i = 1; i <= na; ++i) {
            At(1, c, i) = model.Lift(0.12f, model.camber[c - 1], 1e6f, model.angles[i - 1]);
            At(2, c, i) = model.Drag(0.12f, model.camber[c - 1], 1e6f, model.angles[i - 1]);
        }
    const CamberCase& c = GetParam();
    int station = 1, tc = 1, rey = 1, best = 0;
    float cl = c.designLift, cdmin = 0, camber = -1;
    get_optimum_camb_DB_index(lookup.get(), &station, &tc, &rey, &cl, &shape_.NCAMB,
                              shape_.CAMBDB, &best, &cdmin, &camber);
    EXPECT_EQ(best, c.bestIndex);
    EXPECT_NEAR(camber, c.camber, 5e-4);
    const float alphaDeg = cl / model.liftSlope - model.zeroLiftPerCamber * model.camber[best - 1];
    EXPECT_NEAR(cdmin, model.Drag(0.12f, model.camber[best - 1], 1e6f, alphaDeg), 5e-5);
}

INSTANTIATE_TEST_SUITE_P(DesignLifts, OptimumCamber,
                         ::testing::Values(CamberCase{0.37f, 3, 0.017f},  // between grid values
                                           CamberCase{0.57f, 5, 0.037f},
                                           CamberCase{0.9f, 7, 0.06f},    // beyond the last
                                           CamberCase{0.1f, 1, 0.0f}));   // below the first

// ---- whole design cases -------------------------------------------------

// One row of the report's geometry table.
struct GeometryRow {
    float radius, camber, chord, thickness, tc, twist, maxcl, lift, cdmin;
};

struct GeometrySection {
    std::vector<GeometryRow> rows;
    float activityFactor = -1;
    bool found = false;
};

GeometrySection ReadGeometry(const std::string& text, int stations) {
    GeometrySection g;
    const std::size_t at = text.find("RADIUS    CAMBER ");
    if (at == std::string::npos) return g;
    std::istringstream in(text.substr(text.find('\n', at) + 1));
    for (int k = 0; k < stations; ++k) {
        GeometryRow r{};
        if (!(in >> r.radius >> r.camber >> r.chord >> r.thickness >> r.tc >> r.twist >> r.maxcl >>
              r.lift >> r.cdmin))
            return g;
        g.rows.push_back(r);
    }
    g.activityFactor = engine_test::ValueAfter(text, "ACTIVITY FACTOR", at);
    g.found = true;
    return g;
}

// The interior stations of the design job's default radial table (hub
// ratio 0.2): radius, thickness over diameter at activity factor 138, lift.
struct DefaultStation {
    float radius, thicknessOverD, lift;
};
const DefaultStation kDefaultStations[11] = {
    {0.2136f, 0.02257864f, 0.0378f}, {0.2536f, 0.01780835f, 0.08097f},
    {0.3172f, 0.01478031f, 0.1366f}, {0.4f, 0.01212956f, 0.2036f},
    {0.4965f, 0.009926820f, 0.2562f}, {0.6f, 0.008038285f, 0.3f},
    {0.7035f, 0.006413696f, 0.342f}, {0.8f, 0.005117840f, 0.3605f},
    {0.8828f, 0.003834260f, 0.335f}, {0.9464f, 0.002661785f, 0.286f},
    {0.9864f, 0.001322003f, 0.225f}};

constexpr float kDiameter = 2.0f;

// A design case as the design job writes it: prescribed circulation shape
// and thrust, geometry switch 0, the 11 default stations.
class DesignGeometry : public ::testing::Test {
protected:
    DesignGeometry() {
        design.type = 3;
        design.num = 8;
        design.blades = 3;
        design.ngauss = 9;
        design.J = 0.9f;
        design.hub = 0.2f;
        design.activityFactor = 0;  // no target: one pass
        design.loadKind = 1;
        design.load = 0.1f;
        design.tolerance = 0.001f;
        design.drag = "1\nDRAG\t0.3\t0.0200\n";
        design.loading = OptimumLoading();
        design.geometrySwitch = 0;
        SetStations([](const DefaultStation& s) { return s.lift; });
        polar_test::WritePolar(run.polar, model);
    }

    template <typename LiftOf>
    void SetStations(LiftOf lift, float thicknessScale = 150.0f / 138.0f) {
        std::ostringstream g;
        g << 11 << "\n";
        for (const DefaultStation& s : kDefaultStations)
            g << s.radius << "\t" << thicknessScale * s.thicknessOverD * kDiameter << "\t"
              << lift(s) << "\t\n";
        g << "60\t" << kDiameter << "\t1.4\t288.15\t1.4607e-05\t1.225\t340.29\t\n";
        design.geometry = g.str();
    }

    int Run() { return run.Run(engine_test::Deck({design})); }

    // The loading of the optimum design for the same thrust, taken from
    // that run's report as the design job does: radius and circulation of
    // every grid point.
    std::string OptimumLoading() {
        engine_test::DesignCase optimum = design;
        optimum.type = 2;
        optimum.drag = "1\nDRAG\t0.3\t0.0000\n";
        optimum.geometrySwitch = 1;
        if (run.Run(engine_test::Deck({optimum})) != 0) return "";
        const engine_test::DesignReport report = engine_test::ReadReport(run.Output());
        std::ostringstream loading;
        for (const auto& row : report.rows) loading << row[0] << "\t" << row[1] << "\t\n";
        return loading.str();
    }

    engine_test::EngineRun run;
    engine_test::DesignCase design;
    polar_test::PolarModel model;
};

TEST_F(DesignGeometry, DefaultStationsGiveAPlausibleBlade) {
    ASSERT_EQ(Run(), 0) << run.Error();
    EXPECT_EQ(run.Error(), "");
    const std::string out = run.Output();
    const GeometrySection g = ReadGeometry(out, 11);
    ASSERT_TRUE(g.found) << out;
    EXPECT_NE(out.find("RESULTS OF THE ROTOR CALCULATIONS"), std::string::npos);

    for (std::size_t k = 0; k < g.rows.size(); ++k) {
        const GeometryRow& r = g.rows[k];
        SCOPED_TRACE("station at r/R " + std::to_string(r.radius));
        EXPECT_NEAR(r.radius, kDefaultStations[k].radius, 1e-4);
        EXPECT_GT(r.chord, 0.0f);
        EXPECT_GE(r.tc, model.tc.front() - 1e-4f);
        EXPECT_LE(r.tc, model.tc.back() + 1e-4f);
        EXPECT_GE(r.camber, model.camber.front() - 1e-4f);
        EXPECT_LE(r.camber, model.camber.back() + 1e-4f);
        EXPECT_GE(r.maxcl, r.lift - 1e-4f);
        EXPECT_NEAR(r.thickness / (r.chord * kDiameter), r.tc, 2e-3 * r.tc + 1e-4);
        if (k > 0) {
            EXPECT_LT(r.twist, g.rows[k - 1].twist);
        }
    }

    // Activity factor against 100000/16 * integral of (c/D) x^3 dx by the
    // trapezoid rule over hub (first chord), stations and tip (chord 0).
    std::vector<float> x{design.hub}, c{g.rows.front().chord};
    for (const GeometryRow& r : g.rows) {
        x.push_back(r.radius);
        c.push_back(r.chord);
    }
    x.push_back(1.0f);
    c.push_back(0.0f);
    double integral = 0;
    for (std::size_t i = 1; i < x.size(); ++i)
        integral += 0.5 * (c[i] * std::pow(x[i], 3) + c[i - 1] * std::pow(x[i - 1], 3)) *
                    (x[i] - x[i - 1]);
    const double trapezoid = 100000.0 / 16.0 * integral;
    EXPECT_NEAR(g.activityFactor, trapezoid, 0.04 * trapezoid);
}

// The design job's road on: the geometry read back from the report and
// smoothed from hub to tip.
TEST_F(DesignGeometry, ReportReadsBackAndSmoothsFromHubToTip) {
    ASSERT_EQ(Run(), 0) << run.Error();
    const GeometrySection table = ReadGeometry(run.Output(), 11);
    ASSERT_TRUE(table.found);

    Propeller_geom raw[11], smooth[13];
    ExtractGeometry reader(run.output);
    reader.Get_Geometry(raw, 11);
    ASSERT_EQ(reader.notFound, 0);
    for (int k = 0; k < 11; ++k) {
        EXPECT_FLOAT_EQ(raw[k].radius, table.rows[k].radius);
        EXPECT_FLOAT_EQ(raw[k].chordRatio, table.rows[k].chord);
        EXPECT_FLOAT_EQ(raw[k].thicknessRatio, table.rows[k].tc);
        EXPECT_FLOAT_EQ(raw[k].twist, table.rows[k].twist);
    }

    Propeller_geom* in[] = {raw};
    Propeller_geom* out[] = {smooth};
    int status = 0;
    FitGeometry fit(status, in, out, 11, design.hub, 13, 1);
    fit.Fit();
    EXPECT_FLOAT_EQ(smooth[0].radius, design.hub);
    EXPECT_FLOAT_EQ(smooth[12].radius, 1.0f);
    for (int i = 0; i < 13; ++i) {
        if (i > 0) {
            EXPECT_GT(smooth[i].radius, smooth[i - 1].radius);
        }
        EXPECT_GE(smooth[i].chordRatio, 0.0f);
        EXPECT_GT(smooth[i].thicknessRatio, 0.0f);
    }
    EXPECT_GT(smooth[0].twist, smooth[12].twist);
}

// Every station array holds the largest station count.
TEST_F(DesignGeometry, FullStationCapacity) {
    std::ostringstream g;
    g << kMaxBladeStations << "\n";
    for (int k = 1; k <= kMaxBladeStations; ++k)
        g << 0.21f + 0.78f * (k - 1) / (kMaxBladeStations - 1) << "\t0.01\t0.3\t\n";
    g << "60\t" << kDiameter << "\t1.4\t288.15\t1.4607e-05\t1.225\t340.29\t\n";
    design.geometry = g.str();
    ASSERT_EQ(Run(), 0) << run.Error();
    const GeometrySection table = ReadGeometry(run.Output(), kMaxBladeStations);
    ASSERT_TRUE(table.found);
    EXPECT_NEAR(table.rows.back().radius, 0.99f, 1e-4);
    for (const GeometryRow& r : table.rows) EXPECT_GT(r.chord, 0.0f);
}

TEST_F(DesignGeometry, LiftAboveStallIsLoweredAndChordGrows) {
    // A stall lift of 1.0 for every section, so that the limit does not move
    // when the lowered lift widens the chord.
    model.clMaxPerCamber = model.clMaxPerTc = model.clMaxPerDecade = 0.0f;
    polar_test::WritePolar(run.polar, model);
    ASSERT_EQ(Run(), 0) << run.Error();
    const std::string below = run.Output();
    const GeometrySection reference = ReadGeometry(below, 11);
    ASSERT_TRUE(reference.found);
    EXPECT_EQ(below.find("exceed stall CL"), std::string::npos);

    // The outermost station asks for more than the stall lift. (Its chord
    // stays the narrowest, so the chord-shape correction leaves it alone.)
    SetStations([](const DefaultStation& s) { return s.radius == 0.9864f ? 1.6f : s.lift; });
    ASSERT_EQ(Run(), 0) << run.Error();
    const std::string above = run.Output();
    const GeometrySection lowered = ReadGeometry(above, 11);
    ASSERT_TRUE(lowered.found);
    EXPECT_NE(above.find("WARNING:\n**Some user specified design CL's exceed stall CL. The design "
                         "CL's have been adjusted."),
              std::string::npos);
    const GeometryRow& r = lowered.rows[10];
    const GeometryRow& ref = reference.rows[10];
    EXPECT_FLOAT_EQ(r.maxcl, 1.0f);
    EXPECT_NEAR(r.lift, 0.97f, 1e-4);
    // The chord carries the same circulation at the lower lift.
    EXPECT_NEAR(r.chord, ref.chord * ref.lift / 0.97f, 0.002 * r.chord);
    // Its attack angle lies below the stall: at most 0.1 lift per degree
    // more than the reference station's (the camber only lowers it).
    EXPECT_LT(r.twist, ref.twist + (0.97f - ref.lift) / model.liftSlope + 0.5f);
    for (const GeometryRow& row : lowered.rows) EXPECT_LE(row.lift, row.maxcl);
}

TEST_F(DesignGeometry, ThicknessRatioBeyondTheTablesWidensTheChord) {
    ASSERT_EQ(Run(), 0) << run.Error();
    const GeometrySection reference = ReadGeometry(run.Output(), 11);
    ASSERT_TRUE(reference.found);

    model.tc = {0.03f, 0.05f};  // thinner sections than the blade's
    polar_test::WritePolar(run.polar, model);
    ASSERT_EQ(Run(), 0) << run.Error();
    const std::string out = run.Output();
    const GeometrySection thin = ReadGeometry(out, 11);
    ASSERT_TRUE(thin.found);
    EXPECT_NE(out.find("WARNING:\n**Chord has been increased in areas to keep t/c ratio within "
                       "dataset limits\n"),
              std::string::npos);
    int widened = 0;
    for (std::size_t k = 0; k < 11; ++k) {
        const GeometryRow& r = thin.rows[k];
        const GeometryRow& ref = reference.rows[k];
        SCOPED_TRACE("station at r/R " + std::to_string(r.radius));
        EXPECT_LE(r.tc, 0.05f + 1e-4f);
        EXPECT_NEAR(r.chord * r.lift, ref.chord * ref.lift, 0.005 * ref.chord * ref.lift);
        if (ref.tc > 0.0501f) {
            ++widened;
            EXPECT_NEAR(r.tc, 0.05f, 1e-4);
            EXPECT_NEAR(r.chord * kDiameter, r.thickness / 0.05f, 1e-3 * r.thickness / 0.05f);
        }
    }
    EXPECT_GT(widened, 0);
}

TEST_F(DesignGeometry, ZeroFirstThicknessUsesTheDefaultRatios) {
    SetStations([](const DefaultStation& s) { return s.lift; }, 0.0f);
    ASSERT_EQ(Run(), 0) << run.Error();
    const GeometrySection g = ReadGeometry(run.Output(), 11);
    ASSERT_TRUE(g.found);
    // Default ratios at 0.4, 0.6 and 0.8 (rows 4, 6, 8); the database holds them.
    EXPECT_NEAR(g.rows[3].tc, 0.1052f, 1e-4);
    EXPECT_NEAR(g.rows[5].tc, 0.0661f, 1e-4);
    EXPECT_NEAR(g.rows[7].tc, 0.052f, 1e-4);
    for (const GeometryRow& r : g.rows)
        EXPECT_NEAR(r.thickness, r.tc * r.chord * kDiameter, 2e-3 * r.thickness + 1e-6);
}

TEST_F(DesignGeometry, ActivityFactorTargetIsMet) {
    design.activityFactor = 120;
    ASSERT_EQ(Run(), 0) << run.Error();
    const GeometrySection g = ReadGeometry(run.Output(), 11);
    ASSERT_TRUE(g.found);
    EXPECT_NEAR(g.activityFactor, 120.0f, 1.5f);
}

TEST_F(DesignGeometry, NegativeChordAbortsTheCase) {
    SetStations([](const DefaultStation& s) { return s.radius == 0.6f ? -0.3f : s.lift; });
    EXPECT_EQ(Run(), -5);
    const std::string error = run.Error();
    EXPECT_NE(error.find("Negative chord computed. Aborting\nradial index: 6\nradius:       0.6\n"),
              std::string::npos)
        << error;
    EXPECT_NE(error.find("lcrus         -0.3\naffact        1\n"), std::string::npos) << error;
    EXPECT_EQ(run.Output().find("GEOMETRICAL PARAMETERS"), std::string::npos);
}

struct BadStations {
    const char* name;
    std::string records;  // section count and rows
    std::string message;  // part of the error-file line
};

class RefusedStations : public DesignGeometry,
                        public ::testing::WithParamInterface<BadStations> {};

TEST_P(RefusedStations, BeforeAnythingIsWritten) {
    design.geometry = GetParam().records +
                      "60\t2\t1.4\t288.15\t1.4607e-05\t1.225\t340.29\t\n";
    EXPECT_EQ(Run(), 1);
    EXPECT_NE(run.Error().find(GetParam().message), std::string::npos) << run.Error();
    EXPECT_EQ(run.Output().find("RESULTS OF THE ROTOR CALCULATIONS"), std::string::npos);
}

std::string ManyStations(int n) {
    std::ostringstream s;
    s << n << "\n";
    for (int k = 1; k <= n; ++k) s << 0.2 + 0.79 * k / n << "\t0.01\t0.3\t\n";
    return s.str();
}

INSTANTIATE_TEST_SUITE_P(
    Decks, RefusedStations,
    ::testing::Values(
        BadStations{"BeyondCapacity", ManyStations(kMaxBladeStations + 1),
                    "the blade station count = 33 must lie in 1..32"},
        BadStations{"NoStations", "0\n", "the blade station count = 0 must lie in 1..32"},
        BadStations{"InsideTheHub", "2\n0.1\t0.01\t0.3\n0.5\t0.01\t0.3\n",
                    "blade station radius = 0.1 must lie between the hub ratio and 1"},
        BadStations{"BeyondTheTip", "2\n0.5\t0.01\t0.3\n1.2\t0.01\t0.3\n",
                    "blade station radius = 1.2 must lie between the hub ratio and 1"},
        BadStations{"Descending", "2\n0.6\t0.01\t0.3\n0.5\t0.01\t0.3\n",
                    "blade station radius = 0.5 must exceed the radius of the station before"},
        BadStations{"ZeroSpeed", "1\n0.5\t0.01\t0.3\n0\t2\t1.4\t288\t1.5e-05\t1.2\t340\t\n",
                    "forward speed = 0 must be greater than 0"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
