// The performance analysis end to end through the engine: a blade geometry
// analysed over a sweep of advance ratios at a given blade angle, at thrust
// and power targets, at unreachable targets and at a static point; the
// numbering and read-back of the report; and the refusal of bad decks.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "design/fit.h"
#include "design/getperf.h"
#include "design/job_records.h"
#include "design/mkperf.h"
#include "tests/engine_decks.h"
#include "tests/synthetic_polar.h"

namespace {

// One operating-point block of a performance deck.
struct Block {
    std::string report = "REDUCED";
    std::string load = "ANGLE";
    float speed = -40.0f;  // 40 revolutions per second
    float diameter = 2.0f;
    float density = 1.225f;
    float J = 0.6f, JStep = 0.2f;
    int JCount = 1;
    float value = 27.0f, step = 0.0f;
    int count = 1;
};

// A three-blade propeller of constant pitch ratio 1.2 with nine geometry
// points from hub to tip.
struct PerfDeck {
    int num = 10;
    float hub = 0.2f;
    float activityFactor = 0.0f;
    int points = 9;
    std::string inflow = "UNIFORM\n";
    std::string rows;  // default: the constant-pitch blade
    std::vector<Block> blocks{Block()};

    static std::string BladeRows(int points, float hub) {
        std::ostringstream s;
        for (int i = 0; i < points; ++i) {
            const float x = hub + (1.0f - hub) * static_cast<float>(i) / (points - 1);
            const float chord = 0.09f - 0.04f * x;
            const float twist = std::atan(1.2f / (3.1415927f * x)) * 180.0f / 3.1415927f;
            s << x << "\t" << chord << "\t" << 0.04f - 0.02f * x << "\t" << 0.2f - 0.14f * x
              << "\t" << twist << "\t\n";
        }
        return s.str();
    }

    std::string Text() const {
        std::ostringstream s;
        s << "4\t" << num << "\t3\t9\t" << blocks[0].J << "\t" << hub << "\t\n"
          << activityFactor << "\t\n" << inflow << "Test blade\n"
          << points << "\n0.75\t"
          << std::atan(1.2f / (3.1415927f * 0.75f)) * 180.0f / 3.1415927f << "\n"
          << (rows.empty() ? BladeRows(points, hub) : rows);
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            const Block& k = blocks[b];
            s << k.report << "\nK\nSI\nDIMENSIONLESS\n" << k.load << "\n"
              << k.speed << "\t" << k.diameter << "\t288.15\t0\t" << k.density
              << "\t340.29\t1.46e-05\t\n"
              << k.J << "\t" << k.JStep << "\t" << k.JCount << "\t\n"
              << k.value << "\t" << k.step << "\t" << k.count << "\t\n"
              << (b + 1 < blocks.size() ? "88888" : "99999") << "\n";
        }
        s << "888.888\n";
        return s.str();
    }
};

// One summary row as the result scanners read it.
struct Row {
    float J, beta, cpcor, ctcor, efficiency, cp, ct;
    int nwake, ncpitr, ncperr, wakerr, notpos, lstall, lgig, mwarn;
    float target;
};

// Every summary row of a report: below the (first) flag heading line, each
// line of sixteen numbers.
std::vector<Row> Rows(const std::string& text) {
    std::vector<Row> rows;
    std::istringstream in(text);
    bool headed = false;
    for (std::string line; std::getline(in, line);) {
        if (line.find("E  R R R S L G N  TARGET") != std::string::npos) headed = true;
        if (!headed) continue;
        std::istringstream f(line);
        Row r;
        std::string rest;
        if (f >> r.J >> r.beta >> r.cpcor >> r.ctcor >> r.efficiency >> r.cp >> r.ct >>
                r.nwake >> r.ncpitr >> r.ncperr >> r.wakerr >> r.notpos >> r.lstall >> r.lgig >>
                r.mwarn >> r.target &&
            !(f >> rest))
            rows.push_back(r);
    }
    return rows;
}

class PerfAnalysis : public ::testing::Test {
protected:
    void SetUp() override {
        polar_test::PolarModel model;
        // Mach numbers of the blade stay below 0.95, away from the checksum
        // column at Mach 5.
        model.mach = {0.0f, 0.95f, 5.0f};
        polar_test::WritePolar(run.polar, model);
    }

    int Run(const PerfDeck& deck) { return run.Run(deck.Text()); }

    engine_test::EngineRun run;
};

TEST_F(PerfAnalysis, AngleSweepFallsSmoothlyToTheWindmillPoint) {
    PerfDeck deck;
    // From the end of the blade's stall to its windmill point.
    deck.blocks[0].J = 0.7f;
    deck.blocks[0].JStep = 0.05f;
    deck.blocks[0].JCount = 12;
    ASSERT_EQ(Run(deck), 0) << run.Error();
    const std::vector<Row> rows = Rows(run.Output());
    ASSERT_EQ(rows.size(), 12u) << run.Output();
    int peaks = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_NEAR(rows[i].beta, 27.0f, 0.01f);
        EXPECT_EQ(rows[i].notpos, 0);
        EXPECT_EQ(rows[i].lstall, 0);
        EXPECT_LT(rows[i].nwake, 90);
        if (i == 0) continue;
        EXPECT_LT(rows[i].ct, rows[i - 1].ct) << rows[i].J;
        EXPECT_LT(rows[i].cp, rows[i - 1].cp) << rows[i].J;
        if (i + 1 < rows.size() && rows[i].efficiency > rows[i - 1].efficiency &&
            rows[i].efficiency > rows[i + 1].efficiency)
            ++peaks;
    }
    EXPECT_EQ(peaks, 1);
    EXPECT_GT(rows.front().ct, 0.1f);
    EXPECT_GT(rows.back().ct, 0.0f);
    EXPECT_LT(rows.back().ct, 0.01f);
}

struct TargetCase {
    const char* name;
    const char* load;
    float J;
    float target;
};

class Targets : public PerfAnalysis, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(Targets, ReportedCoefficientMeetsTheTarget) {
    const TargetCase& c = GetParam();
    PerfDeck deck;
    deck.blocks[0].load = c.load;
    deck.blocks[0].J = c.J;
    deck.blocks[0].value = c.target;
    ASSERT_EQ(Run(deck), 0) << run.Error();
    const std::vector<Row> rows = Rows(run.Output());
    ASSERT_EQ(rows.size(), 1u) << run.Output();
    const Row& r = rows[0];
    EXPECT_EQ(r.notpos, 0);
    EXPECT_EQ(r.ncperr, 0);
    EXPECT_EQ(r.wakerr, 0);
    const float computed = std::string(c.load) == "THRUST" ? r.ct : r.cp;
    const float corrected = std::string(c.load) == "THRUST" ? r.ctcor : r.cpcor;
    EXPECT_TRUE(std::fabs(computed - c.target) < 0.0005f ||
                std::fabs(computed - c.target) < 0.01f * std::fabs(c.target))
        << computed;
    EXPECT_NEAR(corrected, c.target, 1e-4);
    EXPECT_NEAR(r.target, c.target, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Targets,
    ::testing::Values(TargetCase{"thrust_cruise", "THRUST", 0.8f, 0.08f},
                      TargetCase{"thrust_climb", "THRUST", 0.7f, 0.1f},
                      TargetCase{"power_cruise", "POWER", 0.8f, 0.1f},
                      TargetCase{"power_fast", "POWER", 1.1f, 0.08f}),
    [](const ::testing::TestParamInfo<TargetCase>& info) { return info.param.name; });

struct UnreachableCase {
    const char* name;
    const char* load;
    float target;
    int notpos;
    const char* warning;
};

class Unreachable : public PerfAnalysis, public ::testing::WithParamInterface<UnreachableCase> {};

TEST_P(Unreachable, EndsWithNotposAndItsWarning) {
    const UnreachableCase& c = GetParam();
    PerfDeck deck;
    deck.blocks[0].report = "FULL";
    deck.blocks[0].load = c.load;
    deck.blocks[0].value = c.target;
    ASSERT_EQ(Run(deck), 0) << run.Error();
    const std::string text = run.Output();
    const std::vector<Row> rows = Rows(text);
    ASSERT_EQ(rows.size(), 1u) << text;
    EXPECT_EQ(rows[0].notpos, c.notpos);
    EXPECT_NE(text.find(c.warning), std::string::npos);
    // Without a reachable target there is nothing to correct to.
    EXPECT_FLOAT_EQ(rows[0].ctcor, rows[0].ct);
    EXPECT_FLOAT_EQ(rows[0].cpcor, rows[0].cp);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, Unreachable,
    ::testing::Values(UnreachableCase{"power_too_high", "POWER", 3.0f, 1,
                                      "WARNING -- ALPHA out of range -- too high"},
                      UnreachableCase{"thrust_too_low", "THRUST", -1.5f, 3,
                                      "WARNING -- ALPHA out of range -- too small"}),
    [](const ::testing::TestParamInfo<UnreachableCase>& info) { return info.param.name; });

TEST_F(PerfAnalysis, StaticPointIsAnalysedAtJ015) {
    PerfDeck deck;
    deck.blocks[0].report = "FULL";
    deck.blocks[0].value = 15.0f;
    deck.blocks[0].J = 0.15f;
    ASSERT_EQ(Run(deck), 0) << run.Error();
    const std::string atFloor = run.Output();
    deck.blocks[0].J = 0.0f;
    ASSERT_EQ(Run(deck), 0) << run.Error();
    const std::string text = run.Output();
    const std::vector<Row> rows = Rows(text);
    ASSERT_EQ(rows.size(), 1u) << text;
    EXPECT_FLOAT_EQ(rows[0].J, 0.15f);
    // At 2400 RPM the speed is that of J = 0.15, and the whole condition is
    // that of a deck asking for J = 0.15.
    EXPECT_NE(text.find("J = 0.1500, RPM = 2400.0000, SPEED = 12.0000 m/s"), std::string::npos);
    const auto condition = [](const std::string& t) {
        return t.substr(t.find("CONDITION"), t.find("****** END") - t.find("CONDITION"));
    };
    EXPECT_EQ(condition(text), condition(atFloor));
}

TEST_F(PerfAnalysis, FullReportNumbersConditionsAndReadsBackIntoSlots) {
    PerfDeck deck;
    // Two design points, analysed for two "candidates": four rows, in the
    // order the design job's reader expects (slot s belongs to point s mod 2).
    Block first;
    first.report = "FULL";
    first.load = "POWER";
    first.J = 0.6f;
    first.value = 0.08f;
    Block second = first;
    second.J = 0.9f;
    second.value = 0.1f;
    deck.blocks = {first, second, first, second};
    ASSERT_EQ(Run(deck), 0) << run.Error();
    const std::string text = run.Output();
    EXPECT_NE(text.find("========== CONDITION 00004 =========="), std::string::npos);

    Operating_Point points[2];
    points[0].advanceRatio = 0.6f;
    points[0].loadKind = 2;
    points[0].loadValue = 0.08f;
    points[1].advanceRatio = 0.9f;
    points[1].loadKind = 2;
    points[1].loadValue = 0.1f;
    float efficiencies[4] = {};
    Performance results[4];
    GetPerformance reader(run.output, 2, efficiencies, points, results);
    const std::vector<Row> rows = Rows(text);
    ASSERT_EQ(rows.size(), 4u);
    for (int s = 0; s < 4; ++s) {
        EXPECT_FLOAT_EQ(results[s].J, rows[s].J) << s;
        EXPECT_NEAR(results[s].J, points[s % 2].advanceRatio, 1e-3) << s;
        EXPECT_NEAR(results[s].TARGET, points[s % 2].loadValue, 1e-4) << s;
        EXPECT_FLOAT_EQ(results[s].CPCOR, rows[s].cpcor) << s;
        EXPECT_FLOAT_EQ(results[s].CT, rows[s].ct) << s;
        EXPECT_FLOAT_EQ(efficiencies[s], rows[s].efficiency) << s;
        EXPECT_EQ(results[s].NOTPOS, 0) << s;
    }
    EXPECT_EQ(reader.missCount[0] + reader.missCount[1], 0);
}

TEST_F(PerfAnalysis, TwelfthConditionIsNumbered00012) {
    PerfDeck deck;
    deck.blocks[0].report = "FULL";
    deck.blocks[0].JCount = 4;
    deck.blocks[0].value = 24.0f;
    deck.blocks[0].step = 3.0f;
    deck.blocks[0].count = 3;
    ASSERT_EQ(Run(deck), 0) << run.Error();
    const std::string text = run.Output();
    EXPECT_NE(text.find("========== CONDITION 00012 =========="), std::string::npos);
    EXPECT_EQ(text.find("CONDITION 00013"), std::string::npos);
    EXPECT_EQ(Rows(text).size(), 12u);
    // The reported blade angles follow the load list.
    const std::vector<Row> rows = Rows(text);
    EXPECT_NEAR(rows[2].beta, 30.0f, 0.01f);
}

TEST_F(PerfAnalysis, PointsAfterThreeUnreachableTargetsAreSkipped) {
    PerfDeck deck;
    deck.blocks[0].load = "POWER";
    deck.blocks[0].value = 3.0f;
    deck.blocks[0].step = 0.5f;
    deck.blocks[0].count = 5;
    ASSERT_EQ(Run(deck), 0) << run.Error();
    const std::vector<Row> reduced = Rows(run.Output());
    ASSERT_EQ(reduced.size(), 5u) << run.Output();
    for (int k = 0; k < 5; ++k) EXPECT_EQ(reduced[k].notpos, k < 3 ? 1 : 2) << k;
    EXPECT_FLOAT_EQ(reduced[3].cpcor, 99.999f);
    EXPECT_FLOAT_EQ(reduced[4].ct, 99.999f);
    EXPECT_NEAR(reduced[4].target, 5.0f, 1e-4);

    // The full report leaves the skipped points out.
    deck.blocks[0].report = "FULL";
    ASSERT_EQ(Run(deck), 0) << run.Error();
    EXPECT_EQ(Rows(run.Output()).size(), 3u);
    EXPECT_EQ(run.Output().find("CONDITION 00004"), std::string::npos);
}

TEST_F(PerfAnalysis, WakeAtItsPassLimitIsFlaggedAndWarned) {
    // Deeply stalled at a low advance ratio: the wake does not settle.
    PerfDeck deck;
    deck.blocks[0].report = "FULL";
    deck.blocks[0].J = 0.2f;
    ASSERT_EQ(Run(deck), 0) << run.Error();
    const std::string text = run.Output();
    const std::vector<Row> rows = Rows(text);
    ASSERT_EQ(rows.size(), 1u) << text;
    EXPECT_EQ(rows[0].nwake, 90);
    EXPECT_EQ(rows[0].lstall, 1);
    EXPECT_NE(text.find("\n      WARNING -- POOR WAKE ANGLE CONVERGENCE: "), std::string::npos);
    EXPECT_NE(text.find("\n      WARNING -- STALLED ROTOR"), std::string::npos);
}

TEST_F(PerfAnalysis, PrescribedActivityFactorScalesTheChords) {
    PerfDeck deck;
    deck.blocks[0].report = "FULL";
    ASSERT_EQ(Run(deck), 0) << run.Error();
    const std::string own = run.Output();
    const float computed = engine_test::ValueAfter(own, "ACTIVITY FACTOR", 0);
    ASSERT_GT(computed, 50.0f);
    const Row base = Rows(own).at(0);

    deck.activityFactor = 1.2f * computed;
    ASSERT_EQ(Run(deck), 0) << run.Error();
    const std::string scaled = run.Output();
    EXPECT_NEAR(engine_test::ValueAfter(scaled, "ACTIVITY FACTOR", 0), 1.2f * computed, 1e-3);
    // The first geometry row's chord/D, scaled by the same factor.
    auto firstChord = [](const std::string& t) {
        std::istringstream in(t.substr(t.find("TWIST \n") + 7));
        float x = 0, chord = 0;
        in >> x >> chord;
        return chord;
    };
    EXPECT_NEAR(firstChord(scaled), 1.2f * firstChord(own), 1e-4);
    // Wider blades at the same angle: more thrust and power.
    const Row wide = Rows(scaled).at(0);
    EXPECT_GT(wide.ct, 1.1f * base.ct);
    EXPECT_GT(wide.cp, 1.1f * base.cp);
}

TEST_F(PerfAnalysis, UniformVelocityDefectActsAsALowerAdvanceRatio) {
    // A wake fraction w everywhere slows the inflow to (1 - w) V: the blade
    // then works as in free flow at J (1 - w).
    PerfDeck deck;
    deck.blocks[0].report = "FULL";
    deck.blocks[0].J = 0.8f;
    ASSERT_EQ(Run(deck), 0) << run.Error();
    const Row free = Rows(run.Output()).at(0);

    deck.inflow = "NONUNIFORM\n0.2\t0.2\t0.0\t\n1.0\t0.2\t0.0\t\n999.999\t0.0\t0.0\n";
    deck.blocks[0].J = 1.0f;
    ASSERT_EQ(Run(deck), 0) << run.Error();
    const std::string text = run.Output();
    EXPECT_NE(text.find("NONUNIFORM FLOW SPECIFIED"), std::string::npos);
    const Row behind = Rows(text).at(0);
    EXPECT_FLOAT_EQ(behind.J, 1.0f);
    EXPECT_NEAR(behind.ct, free.ct, 0.002f);
    EXPECT_NEAR(behind.cp, free.cp, 0.002f);
}

// A blade designed by the engine for one condition, smoothed to hub and tip
// as the design job does and analysed at that condition with the design's
// blade angle, gives the design's thrust and power.
TEST_F(PerfAnalysis, DesignedBladeMeetsItsDesignPoint) {
    constexpr int kStations = 11;
    engine_test::DesignCase design;
    design.type = 2;
    design.J = 0.9f;
    design.load = 0.1f;  // thrust coefficient
    design.activityFactor = 0;
    design.drag = "1\nDRAG\t0.3\t0.0200\n";
    design.geometrySwitch = 0;
    std::ostringstream g;
    g << kStations << "\n";
    for (int k = 1; k <= kStations; ++k) {
        const float x = 0.2f + 0.8f * (1.0f - std::cos(3.1415927f * k / (kStations + 1))) / 2.0f;
        g << x << "\t" << 2.0f * (0.003f + 0.03f * (1.0f - x)) << "\t0.4\t\n";
    }
    g << "60\t2\t1.4\t288.15\t1.46e-05\t1.225\t340.29\t\n";
    design.geometry = g.str();
    ASSERT_EQ(run.Run(engine_test::Deck({design})), 0) << run.Error();
    const engine_test::DesignReport report = engine_test::ReadReport(run.Output());
    ASSERT_TRUE(report.found);
    ASSERT_NEAR(report.CT, 0.1f, 0.002f);

    Propeller_geom raw[kStations], smooth[kStations + 2];
    ExtractGeometry reader(run.output);
    reader.Get_Geometry(raw, kStations);
    ASSERT_EQ(reader.notFound, 0);
    Propeller_geom* in[] = {raw};
    Propeller_geom* out[] = {smooth};
    int status = 0;
    FitGeometry fit(status, in, out, kStations, 0.2f, kStations + 2, 1);
    ASSERT_TRUE(fit.fit_data(0));

    Operating_Point point;
    point.advanceRatio = 0.9f;
    point.speed = 60.0f;
    point.temperature = 288.15f;
    point.kinematicViscosity = 1.46e-05f;
    point.density = 1.225f;
    point.soundSpeed = 340.29f;
    point.loadKind = 3;
    Geometric_Constraints constraints;
    constraints.hubRatio = 0.2f;
    constraints.diameter = 2.0f;
    constraints.bladeCount = 3;
    constraints.title = "Round trip";
    Options options;
    options.reportMode = 0;
    {
        CreatePerformanceFile deck(run.deck, 0, 9, design.num, 1);  // the design's grid
        point.loadValue = deck.get_reference_angle(smooth, kStations + 2).second;
        deck.write_to_file(&point, constraints, nullptr, &options, smooth, kStations + 2);
    }
    ResetDatabase();
    ASSERT_EQ(Proprun(run.control.c_str()), 0) << run.Error();
    const std::vector<Row> rows = Rows(run.Output());
    ASSERT_EQ(rows.size(), 1u) << run.Output();
    EXPECT_EQ(rows[0].lstall, 0);
    EXPECT_NEAR(rows[0].ct, report.CT, 0.05f * report.CT);
    EXPECT_NEAR(rows[0].cp, report.CP, 0.05f * report.CP);
    EXPECT_NEAR(rows[0].efficiency, report.efficiency, 0.01f);
}

TEST_F(PerfAnalysis, LargestCountsRun) {
    PerfDeck deck;
    Block sweep;
    sweep.J = 0.7f;
    sweep.JStep = 0.01f;
    sweep.JCount = 40;
    Block loads;
    loads.J = 0.9f;
    loads.value = 20.0f;
    loads.step = 0.1f;
    loads.count = 99;
    deck.blocks = {sweep, loads};
    ASSERT_EQ(Run(deck), 0) << run.Error();
    const std::vector<Row> rows = Rows(run.Output());
    ASSERT_EQ(rows.size(), 139u);
    EXPECT_NEAR(rows[39].J, 1.09f, 1e-3);
    EXPECT_NEAR(rows.back().beta, 29.8f, 0.01f);
}

struct BadDeckCase {
    const char* name;
    // Spoils the deck; answers the message expected in the output or error file.
    std::string (*edit)(PerfDeck&);
};

std::string TooManyAdvanceRatios(PerfDeck& d) {
    d.blocks[0].JCount = 41;
    return "\n\nNumber of advance ratios must be less than 40\n and number of CP's (or blade "
           "angle) must be less than 99";
}
std::string TooManyLoads(PerfDeck& d) {
    d.blocks[0].count = 100;
    return "must be less than 99";
}
std::string TooManyGeometryPoints(PerfDeck& d) {
    d.points = 33;
    return "the number of geometry points = 33 must lie in 2..32";
}
std::string NoGeometryPoints(PerfDeck& d) {
    d.points = 0;
    d.rows = " ";
    return "the number of geometry points = 0 must lie in 2..32";
}
std::string GeometryShortOfTheTip(PerfDeck& d) {
    d.points = 2;
    d.rows = "0.2\t0.08\t0.04\t0.2\t45\t\n0.8\t0.05\t0.02\t0.08\t25\t\n";
    return "MUST AT LEAST SPAN THE RADII OF";
}
std::string ZeroDensity(PerfDeck& d) {
    d.blocks[0].density = 0.0f;
    return "the density of an operating-point block = 0 must be positive";
}

class BadDecks : public PerfAnalysis, public ::testing::WithParamInterface<BadDeckCase> {};

TEST_P(BadDecks, StopWithStatusOneAndTheirMessage) {
    PerfDeck deck;
    const std::string message = GetParam().edit(deck);
    EXPECT_EQ(Run(deck), 1);
    EXPECT_NE((run.Output() + run.Error()).find(message), std::string::npos)
        << run.Output() << run.Error();
}

INSTANTIATE_TEST_SUITE_P(
    Counts, BadDecks,
    ::testing::Values(BadDeckCase{"advance_ratios", TooManyAdvanceRatios},
                      BadDeckCase{"loads", TooManyLoads},
                      BadDeckCase{"geometry_points", TooManyGeometryPoints},
                      BadDeckCase{"no_geometry_points", NoGeometryPoints},
                      BadDeckCase{"geometry_short_of_tip", GeometryShortOfTheTip},
                      BadDeckCase{"zero_density", ZeroDensity}),
    [](const ::testing::TestParamInfo<BadDeckCase>& info) { return info.param.name; });

}  // namespace
