// Result lines of the performance report: summary columns and flag positions
// (which the result scanners rely on), condition numbering, the radial
// tables, warnings, and the reduced form.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "compute/engine_state.h"
#include "compute/perf_report.h"
#include "tests/output_capture.h"

namespace {

const float kDegree = 180.0f / 3.1415927f;
const float kKnots = 0.514444f;
const int kNum = 4;  // grid points 0..4, stations 1..3

using skarvel_test::CaptureOutput;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

PointResult SamplePoint() {
    PointResult p;
    p.beta = 25.0f / kDegree;
    p.J = 0.5f;
    p.rpm = 2400.0f;
    p.speed = 40.0f;
    p.efficiency = 0.7654f;
    p.ct = 0.0987f;
    p.cp = 0.1234f;
    p.ctcor = 0.0987f;
    p.cpcor = 0.1234f;
    p.thrustN = 1000.0f;
    p.thrustLb = 224.809f;
    p.powerKW = 50.0f;
    p.powerHP = 67.05f;
    p.target = 0.1234f;
    p.flags.nwake = 7;
    p.flags.ncpitr = 3;
    return p;
}

PerfStations SampleStations() {
    PerfStations s;
    for (int i = 0; i <= kNum; ++i) {
        s.x[i] = 0.2f + 0.2f * static_cast<float>(i);
        gspec_.BETAG[i] = 0.5f - 0.05f * static_cast<float>(i);
        s.ua[i] = 0.1f;
        s.ut[i] = 0.05f;
        s.cl[i] = 0.5f + 0.1f * static_cast<float>(i);
        s.cd[i] = 0.01f;
        s.mach[i] = 0.3f;
        s.reynolds[i] = 1.5e6f;
        s.alpha[i] = 0.05f;
        s.clMax[i] = 1.2f;
        s.clMin[i] = -0.8f;
        s.thrustGrad[i] = 0.01f;
        s.torqueGrad[i] = 0.02f;
    }
    return s;
}

std::string Full(const PointResult& p, const char* mode = "POWER") {
    const PerfStations s = SampleStations();
    return CaptureOutput([&] { outall_(&p, &s, &kNum, &kDegree, &kKnots, mode); });
}

TEST(PerfReport, SummaryLineColumnsInBothForms) {
    const PointResult p = SamplePoint();
    const std::string row =
        "    0.500  25.00  0.1234  0.0987   0.7654  0.1234  0.0987  7  3 0 0 0 0 0 0 ";
    point_number = 0;
    const std::vector<std::string> full = Lines(Full(p));
    EXPECT_EQ(full.back(), row + "0.1234");

    int first = 1;
    const std::vector<std::string> reduced =
        Lines(CaptureOutput([&] { outred_(&p, &kDegree, &first); }));
    EXPECT_EQ(reduced.back(), row + " 0.1234");
    EXPECT_EQ(first, 0);
}

TEST(PerfReport, FlagTitlesStandAboveTheirColumns) {
    PointResult p = SamplePoint();
    p.flags = {90, 26, 1, 1, 3, 1, 1, 1};
    point_number = 0;
    const std::vector<std::string> lines = Lines(Full(p));
    const std::size_t n = lines.size();
    ASSERT_GE(n, 7u);
    const std::string& heading = lines[n - 2];
    const std::string& summary = lines[n - 1];
    EXPECT_EQ(heading,
              "      J    BETA    CpCor   CtCor   EFFIC    CpCmp   CtCmp  E  R R R S L G N  "
              "TARGET");
    // Vertical titles: column of each flag (1-based), its title read top to
    // bottom, and its value in the summary line.
    const struct {
        int column;
        const char* title;
        const char* value;
    } flags[] = {{60, "NWAKE", "90"}, {63, "NCPITR", "26"}, {65, "NCPERR", "1"},
                 {67, "WAKERR", "1"}, {69, "NOTPOS", "3"},  {71, "LSTALL", "1"},
                 {73, "LGIG", "1"},   {75, "MWARN", "1"}};
    for (const auto& f : flags) {
        std::string title;
        for (std::size_t k = n - 7; k <= n - 2; ++k) {
            ASSERT_EQ(lines[k].size(), k == n - 2 ? heading.size() : 75u);
            const char c = lines[k][f.column - 1];
            if (c != ' ') title += c;
        }
        EXPECT_EQ(title, f.title);
        const std::string value(f.value);
        EXPECT_EQ(summary.substr(f.column - value.size(), value.size()), value) << f.title;
    }
    EXPECT_EQ(lines[n - 3], std::string(59, ' ') + "K  T R R O L I R");
}

TEST(PerfReport, ConditionsAreNumberedThroughTheRun) {
    point_number = 11;
    const std::string text = Full(SamplePoint());
    EXPECT_EQ(point_number, 12);
    EXPECT_NE(text.find("\n\n  ========================================\n"
                        "  ========== CONDITION 00012 ==========\n"
                        "  ========================================\n"
                        "  BETA = 25.0000, J = 0.5000, RPM = 2400.0000, SPEED = 40.0000 m/s = "
                        "77.7538 knots\n  EFFICIENCY    = 0.7654\n\n"
                        "  CtCmp  = 0.0987, THRUST = 1000.0000 Newtons = 224.8090 Pounds\n"
                        "  CpCmp  = 0.1234, POWER  = 50.0000 KWatts  = 67.0500 SHP\n"),
              std::string::npos)
        << text;
}

TEST(PerfReport, RadialTables) {
    point_number = 0;
    const std::vector<std::string> lines = Lines(Full(SamplePoint()));
    auto find = [&](const std::string& heading) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i] == heading) return i;
        ADD_FAILURE() << heading;
        return lines.size();
    };
    const std::size_t wake =
        find("       X     WAKE_ANG   SWIRL       UA        UT      CL:CD      MACH");
    ASSERT_LT(wake + kNum + 1, lines.size());
    // Hub: station 1's lift over drag, no Mach number; swirl atan(0.05/1.1).
    EXPECT_EQ(lines[wake + 1],
              "    0.2000     28.65    2.6026    0.1000    0.0500   60.0000          ");
    EXPECT_EQ(lines[wake + 2],
              "    0.4000     25.78    2.6026    0.1000    0.0500   60.0000    0.3000");
    // Tip: station 3's lift over drag.
    EXPECT_EQ(lines[wake + 5],
              "    1.0000     17.19    2.6026    0.1000    0.0500   80.0000          ");

    const std::size_t section =
        find("     X        REY          CL      ALPHA     MAXCL    THRUST    TORQUE");
    ASSERT_LT(section + 3, lines.size());
    EXPECT_EQ(lines[section + 1],
              "   0.4000  1500000.0     0.600     2.865     1.200   10.0000   20.0000");
    EXPECT_EQ(lines[section + 4], "");  // three stations only
}

TEST(PerfReport, LimitColumnFollowsTargetSignExceptForPrescribedAngle) {
    PointResult p = SamplePoint();
    p.target = -0.05f;
    point_number = 0;
    EXPECT_NE(Full(p).find(" -0.800 "), std::string::npos);
    p.target = 0.0f;
    const std::string angle = Full(p, "ANGLE");
    EXPECT_NE(angle.find("     1.200 "), std::string::npos);
    EXPECT_EQ(angle.find(" -0.800 "), std::string::npos);
}

struct WarningCase {
    const char* name;
    PointFlags flags;
    std::vector<const char*> present;
};

class Warnings : public ::testing::TestWithParam<WarningCase> {};

TEST_P(Warnings, AppearOnlyForTheirFlags) {
    const char* all[] = {"POOR WAKE ANGLE CONVERGENCE",
                         "POOR CONVERGENCE ON CP OR CT",
                         "COULD NOT CONVERGE ON CP OR CT",
                         "ALPHA out of range -- too high",
                         "ALPHA out of range -- too small",
                         "STALLED ROTOR",
                         "ROTOR LIKELY UNDERSIZED",
                         "VALID INCIDENCE RANGE (ALPHA > AMAX)",
                         "SUPERSONIC REGIONS EXIST"};
    PointResult p = SamplePoint();
    p.flags = GetParam().flags;
    p.largestWakeChange = 0.05f;
    point_number = 0;
    const std::string text = Full(p);
    for (const char* warning : all) {
        bool expected = false;
        for (const char* w : GetParam().present) expected |= std::string(w) == warning;
        EXPECT_EQ(text.find(warning) != std::string::npos, expected) << warning;
    }
    if (p.flags.nwake == 90) {
        EXPECT_NE(text.find("\n      WARNING -- POOR WAKE ANGLE CONVERGENCE: 2.8650 degrees"),
                  std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Flags, Warnings,
    ::testing::Values(
        WarningCase{"none", {7, 3, 0, 0, 0, 0, 0, 0}, {}},
        WarningCase{"wake_limit", {90, 3, 0, 0, 0, 0, 0, 0}, {"POOR WAKE ANGLE CONVERGENCE"}},
        WarningCase{"stalled_and_unconverged",
                    {7, 26, 1, 0, 0, 1, 0, 0},
                    {"POOR CONVERGENCE ON CP OR CT", "STALLED ROTOR", "ROTOR LIKELY UNDERSIZED"}},
        WarningCase{"stalled", {7, 3, 0, 0, 0, 1, 0, 0}, {"STALLED ROTOR"}},
        WarningCase{"gave_up_too_high",
                    {7, 12, 0, 1, 1, 0, 0, 0},
                    {"COULD NOT CONVERGE ON CP OR CT", "ALPHA out of range -- too high"}},
        WarningCase{"too_small_beyond_amax_supersonic",
                    {7, 4, 0, 0, 3, 0, 1, 1},
                    {"ALPHA out of range -- too small", "VALID INCIDENCE RANGE (ALPHA > AMAX)",
                     "SUPERSONIC REGIONS EXIST"}}),
    [](const ::testing::TestParamInfo<WarningCase>& info) { return info.param.name; });

TEST(PerfReport, ReducedFormTitlesOnceAndSkippedPoints) {
    PointResult p = SamplePoint();
    PointResult skipped = SamplePoint();
    skipped.flags = {0, 0, 0, 0, 2, 0, 0, 0};
    int first = 1;
    const std::string text = CaptureOutput([&] {
        outred_(&p, &kDegree, &first);
        outred_(&skipped, &kDegree, &first);
    });
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[5],
              "      J    BETA   CPCOR   CTCOR     EFFIC    CP      CT    E  R R R S L G N  "
              "TARGET");
    EXPECT_EQ(lines[7],
              "    0.500  25.00 99.9990 99.9990  99.9990 99.9990 99.9990  0  0 0 0 2 0 0 0  "
              "0.1234");
}

// The result scanner finds the fifth title line, skips the heading and reads
// the row's sixteen columns as whitespace-separated tokens.
TEST(PerfReport, SummaryReadsBackAsSixteenColumns) {
    PointResult p = SamplePoint();
    p.flags = {12, 5, 0, 1, 0, 1, 0, 0};
    point_number = 0;
    const std::string text = Full(p);
    const std::size_t key = text.find("K  T R R O L I R\n");
    ASSERT_NE(key, std::string::npos);
    std::istringstream in(text.substr(key));
    std::string skip;
    std::getline(in, skip);
    std::getline(in, skip);
    float v[16];
    for (float& value : v) ASSERT_TRUE(in >> value);
    const float expected[16] = {0.5f,    25.0f,   0.1234f, 0.0987f, 0.7654f, 0.1234f,
                                0.0987f, 12,      5,       0,       1,       0,
                                1,       0,       0,       0.1234f};
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(v[i], expected[i], 1e-4) << i;
}

}  // namespace
