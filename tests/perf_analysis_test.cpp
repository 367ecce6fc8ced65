// The performance analysis end to end through the engine: a blade geometry
// analysed over a sweep of advance ratios at a given blade angle, at thrust
// and power targets, at unreachable targets and at a static point; the
// numbering and read-back of the report; and the refusal of bad decks.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "design/getperf.h"
#include "design/job_records.h"
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
          << activityFactor << "\t\nUNIFORM\nTest blade\n"
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

// Every summary row of a report: the rows below the flag heading line.
std::vector<Row> Rows(const std::string& text) {
    std::vector<Row> rows;
    std::istringstream in(text);
    bool inTable = false;
    for (std::string line; std::getline(in, line);) {
        if (line.find("E  R R R S L G N  TARGET") != std::string::npos) {
            inTable = true;
            continue;
        }
        if (!inTable) continue;
        std::istringstream f(line);
        Row r;
        if (f >> r.J >> r.beta >> r.cpcor >> r.ctcor >> r.efficiency >> r.cp >> r.ct >>
            r.nwake >> r.ncpitr >> r.ncperr >> r.wakerr >> r.notpos >> r.lstall >> r.lgig >>
            r.mwarn >> r.target)
            rows.push_back(r);
        else
            inTable = false;
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
