// The keyed scanners and the geometry and performance readers, on small
// report fixtures laid out as the engine writes them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "design/except.h"
#include "design/getperf.h"
#include "test_support.h"
#include "tests/project_fixture.h"

namespace {

using skarvel_test::ScratchDir;
using skarvel_test::WriteFile;

using skarvel_test::TakeLog;

// The running test's scratch directory, made once per test.
std::string TestDir() {
    static const ::testing::TestInfo* owner = nullptr;
    static std::string dir;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (info != owner) {
        owner = info;
        dir = ScratchDir();
    }
    return dir;
}

// Writes `text` to a new report file of the running test.
std::string Fixture(const std::string& text) {
    static int serial = 0;
    const std::string path = TestDir() + "report" + std::to_string(++serial) + ".out";
    WriteFile(path, text);
    return path;
}

// ---- Scan ------------------------------------------------------------------

TEST(Scan, FindsSuccessiveOccurrencesAndReadsTheObject) {
    const std::string path = Fixture(
        "header\n"
        "  VALUE follows\n"
        "  1.5 2.5\n"
        "  VALUE follows\n"
        "  3.5\n");
    Scan scan(path, Key{"VALUE", 1, 0});
    ASSERT_EQ(scan.Search_For_KEY(), 0);
    scan.Position_to_Object();
    ASSERT_TRUE(scan.Get_Object());
    EXPECT_FLOAT_EQ(scan.value, 1.5f);
    ASSERT_EQ(scan.Search_For_KEY(), 0);
    ASSERT_TRUE(scan.Get_Object());
    EXPECT_FLOAT_EQ(scan.value, 3.5f);
    EXPECT_EQ(scan.Search_For_KEY(), 1);
    EXPECT_EQ(scan.notFound, 1);
}

TEST(Scan, FailedReadEndsTheSearches) {
    Scan scan(Fixture("VALUE follows\nword\nVALUE again\n"), Key{"VALUE", 1, 0});
    ASSERT_EQ(scan.Search_For_KEY(), 0);
    EXPECT_FALSE(scan.Get_Object());
    EXPECT_EQ(scan.Search_For_KEY(), 1);
}

TEST(Scan, LineOffsetAndCharOffsetLocateTheObject) {
    const std::string path = Fixture("KEY line here\nignored 7\nab3.25 9\n");
    Scan scan(path, Key{"KEY", 2, 2});
    ASSERT_EQ(scan.Search_For_KEY(), 0);
    scan.Position_to_Object();
    ASSERT_TRUE(scan.Get_Object());
    EXPECT_FLOAT_EQ(scan.value, 3.25f);
}

TEST(Scan, PositioningPastTheEndThrows) {
    const std::string path = Fixture("KEY line\n");
    Scan scan(path, Key{"KEY", 3, 0});
    ASSERT_EQ(scan.Search_For_KEY(), 0);
    EXPECT_THROW(scan.Position_to_Object(), ScanPositionError);
}

TEST(Scan, NotFoundCases) {
    struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"line equal to the key", "TANBI\n"},
        {"key absent", "X G UA UT\n1 2 3\n"},
        {"empty file", ""},
        // A line past 255 characters ends the search before the key.
        {"overlong line", std::string(300, 'x') + "\nTANBI table\n"},
    };
    for (const auto& c : cases) {
        Scan scan(Fixture(c.text), Key{"TANBI", 1, 0});
        EXPECT_EQ(scan.Search_For_KEY(), 1) << c.name;
    }
    Scan missing(TestDir() + "absent.out", Key{"TANBI", 1, 0});
    EXPECT_EQ(missing.Search_For_KEY(), 1);
    EXPECT_FALSE(missing.Get_Object());
}

TEST(Scan, LineOf255CharactersIsStillRead) {
    std::string line(250, ' ');
    line += "TANBI";
    ASSERT_EQ(line.size(), 255u);
    Scan scan(Fixture(line + "\n1.0\n"), Key{"TANBI", 1, 0});
    ASSERT_EQ(scan.Search_For_KEY(), 0);
    ASSERT_TRUE(scan.Get_Object());
    EXPECT_FLOAT_EQ(scan.value, 1.0f);
}

TEST(ScanOpt, HandsBackTheMatchingLine) {
    char line[kScanLineBuffer];
    Scan_opt scan(Fixture("a\n   EFFICIENCY   =     0.8123\nb\n"),
                  Key{"EFFICIENCY   = ", 1, 0}, line);
    ASSERT_EQ(scan.Search_For_KEY(), 0);
    EXPECT_STREQ(line, "   EFFICIENCY   =     0.8123");
    EXPECT_EQ(scan.Search_For_KEY(), 1);
}

// ---- ExtractGeometry -----------------------------------------------------------

std::string GeometryTable(float twistOffset) {
    char row[160];
    std::string text =
        "\nGEOMETRICAL PARAMETERS :\n---------------\n"
        "    RADIUS    CAMBER     CHORD THICKNESS       T/C     TWIST    MAXCL       LIFT     "
        "CDMIN\n\n";
    for (int i = 0; i < 3; ++i) {
        const float r = 0.3f + 0.2f * i;
        std::snprintf(row, sizeof row, " %9.4f %9.4f %9.4f %9.4f %9.4f %9.4f %9.4f %9.4f %9.4f\n",
                      r, 0.02f * (i + 1), 0.1f - 0.01f * i, 0.01f, 0.12f - 0.02f * i,
                      50.0f - 10 * i + twistOffset, 1.2f, 0.4f, 0.008f);
        text += row;
    }
    return text + "\n    ACTIVITY FACTOR =    100\n";
}

TEST(ExtractGeometry, ReadsTheTablesInOrder) {
    const std::string path = Fixture("RESULTS\n" + GeometryTable(0) + GeometryTable(5));
    ExtractGeometry reader(path);
    EXPECT_EQ(reader.notFound, 0);
    Propeller_geom g[3];
    reader.Get_Geometry(g, 3);
    ASSERT_EQ(reader.notFound, 0);
    EXPECT_FLOAT_EQ(g[1].radius, 0.5f);
    EXPECT_FLOAT_EQ(g[1].camber, 0.04f);
    EXPECT_FLOAT_EQ(g[1].chordRatio, 0.09f);
    EXPECT_FLOAT_EQ(g[1].thicknessRatio, 0.1f);
    EXPECT_FLOAT_EQ(g[2].twist, 30.0f);
    reader.Get_Geometry(g, 3);
    ASSERT_EQ(reader.notFound, 0);
    EXPECT_FLOAT_EQ(g[0].twist, 55.0f);
    reader.Get_Geometry(g, 3);
    EXPECT_EQ(reader.notFound, 1);
}

TEST(ExtractGeometry, TruncatedTableKeepsTheStationsRead) {
    std::string text = GeometryTable(0);
    text = text.substr(0, text.find(" 0.7000"));
    ExtractGeometry reader(Fixture(text));
    Propeller_geom g[3];
    g[2].radius = -1;
    reader.Get_Geometry(g, 3);
    EXPECT_EQ(reader.notFound, 1);
    EXPECT_FLOAT_EQ(g[1].radius, 0.5f);
    EXPECT_FLOAT_EQ(g[2].radius, -1.0f);
}

TEST(ExtractGeometry, MissingReportOrTooManyStations) {
    ExtractGeometry absent(TestDir() + "none.out");
    Propeller_geom g[3];
    absent.Get_Geometry(g, 3);
    EXPECT_EQ(absent.notFound, 1);

    ExtractGeometry reader(Fixture(GeometryTable(0)));
    reader.Get_Geometry(g, ExtractGeometry::kMaxGeometryRead + 1);
    EXPECT_EQ(reader.notFound, 1);
}

// ---- GetPerformance ------------------------------------------------------------

struct Row {
    float J, effic, target;
    int wakerr = 0, notpos = 0;
    float cp = 0.1f, ct = 0.05f;
};

// One condition's summary in the full report form.
std::string Summary(const Row& r) {
    char line[200];
    std::snprintf(line, sizeof line,
                  " %8.3f %6.2f %7.4f %7.4f %8.4f %7.4f %7.4f %2d %2d %1d %1d %1d %1d %1d %1d "
                  "%6.4f\n",
                  r.J, 25.0, r.cp, r.ct, r.effic, r.cp, r.ct, 7, 3, 0, r.wakerr, r.notpos, 0, 0,
                  0, r.target);
    return "\n  SUMMARY:\n  ========\n" + std::string(62, ' ') + "N N W N L    \n" +
           std::string(59, ' ') + "N  C C A O S   M\n" + std::string(59, ' ') +
           "W  P P K T T L W\n" + std::string(59, ' ') + "A  I E E P A G A\n" +
           std::string(59, ' ') + "K  T R R O L I R\n" +
           "      J    BETA    CpCor   CtCor   EFFIC    CpCmp   CtCmp  E  R R R S L G N  "
           "TARGET\n" +
           line;
}

class PerformanceReader : public ::testing::Test {
protected:
    void SetUp() override {
        TakeLog();
        points[0].advanceRatio = 0.5f;
        points[0].loadValue = 0.1f;
        points[0].loadKind = 2;
        points[1].advanceRatio = 0.8f;
        points[1].loadValue = 0.2f;
        points[1].loadKind = 2;
    }
    std::string Report(std::initializer_list<Row> rows) {
        std::string text = "<html>\n<PRE>\n";
        for (const Row& r : rows) text += Summary(r);
        return Fixture(text + "\n****** END   ****\n");
    }
    Operating_Point points[2];
    Performance results[4];
    float eff[4] = {-1, -1, -1, -1};
};

TEST_F(PerformanceReader, ReadsEverySlot) {
    GetPerformance reader(Report({{0.5f, 0.81f, 0.1f}, {0.8f, 0.82f, 0.2f},
                                  {0.5f, 0.83f, 0.1f}, {0.8f, 0.84f, 0.2f}}),
                          2, eff, points, results);
    EXPECT_FLOAT_EQ(eff[0], 0.81f);
    EXPECT_FLOAT_EQ(eff[3], 0.84f);
    EXPECT_FLOAT_EQ(results[1].J, 0.8f);
    EXPECT_FLOAT_EQ(results[1].TARGET, 0.2f);
    EXPECT_FLOAT_EQ(results[1].BETA, 25.0f);
    EXPECT_EQ(reader.missCount[0] + reader.missCount[1], 0);
    EXPECT_EQ(reader.state, 0);
    EXPECT_EQ(TakeLog(), "");
}

TEST_F(PerformanceReader, RowOfAnotherPointMakesTheSlotMissing) {
    // The row for slot 1 is absent.
    GetPerformance reader(Report({{0.5f, 0.81f, 0.1f}, {0.5f, 0.83f, 0.1f},
                                  {0.8f, 0.84f, 0.2f}}),
                          2, eff, points, results);
    EXPECT_FLOAT_EQ(eff[1], 99.0f);
    EXPECT_FLOAT_EQ(results[1].CP, 99.0f);
    EXPECT_EQ(results[1].NOTPOS, 9);
    EXPECT_EQ(reader.missCount[1], 1);
    EXPECT_FLOAT_EQ(eff[2], 0.83f);
    EXPECT_FLOAT_EQ(eff[3], 0.84f);
}

TEST_F(PerformanceReader, ThreeRowsOfFourAreEnoughAndTheLastSlotIsMissing) {
    GetPerformance reader(Report({{0.5f, 0.81f, 0.1f}, {0.8f, 0.82f, 0.2f},
                                  {0.5f, 0.83f, 0.1f}}),
                          2, eff, points, results);
    EXPECT_FLOAT_EQ(eff[2], 0.83f);
    EXPECT_FLOAT_EQ(eff[3], 99.0f);
    EXPECT_EQ(results[3].MWARN, 9);
    EXPECT_EQ(reader.missCount[1], 1);
    EXPECT_EQ(TakeLog(), "");
}

TEST_F(PerformanceReader, ShortfallIsReportedAndThrown) {
    const std::string notice = "ERROR - Serious input error or memory error\n";
    for (const std::string& path :
         {Report({{0.5f, 0.81f, 0.1f}, {0.8f, 0.82f, 0.2f}}), Report({}),
          TestDir() + "absent.out"}) {
        TakeLog();
        try {
            GetPerformance reader(path, 2, eff, points, results);
            ADD_FAILURE() << "no shortfall for " << path;
        } catch (const MyExceptionTypes& e) {
            EXPECT_EQ(e.code, 8);
        }
        const std::string log = TakeLog();
        EXPECT_NE(log.find(" at line:60\n" + notice), std::string::npos) << log;
    }
}

TEST_F(PerformanceReader, RowsMatchingNoLaterSlotRunOutOfSlots) {
    // The fourth row belongs to no point: every remaining slot is missing.
    try {
        GetPerformance reader(Report({{0.5f, 0.81f, 0.1f}, {0.8f, 0.82f, 0.2f},
                                      {0.5f, 0.83f, 0.1f}, {3.0f, 0.84f, 0.9f}}),
                              2, eff, points, results);
        ADD_FAILURE() << "no exception";
    } catch (const MyExceptionTypes& e) {
        EXPECT_EQ(e.code, 8);
    }
    EXPECT_NE(TakeLog().find(" at line:111\n"), std::string::npos);
    EXPECT_FLOAT_EQ(eff[3], 99.0f);
}

TEST_F(PerformanceReader, QualityOfFlaggedRows) {
    Row notpos{0.5f, 0.81f, 0.1f};
    notpos.notpos = 1;
    Row wakeOk{0.8f, 0.82f, 0.2f};
    wakeOk.wakerr = 1;
    wakeOk.cp = 0.21f;  // within 0.02 of the power target
    Row wakeBad{0.5f, 0.83f, 0.1f};
    wakeBad.wakerr = 1;
    wakeBad.cp = 0.15f;
    GetPerformance reader(Report({notpos, wakeOk, wakeBad, {0.8f, 0.84f, 0.2f}}), 2, eff,
                          points, results);
    EXPECT_FLOAT_EQ(eff[0], 99.0f);
    EXPECT_EQ(results[0].NOTPOS, 1);  // the row itself is kept
    EXPECT_FLOAT_EQ(eff[1], 0.82f);
    EXPECT_FLOAT_EQ(eff[2], 99.0f);
    EXPECT_EQ(reader.missCount[0], 2);

    Performance thrust;
    thrust.WAKERR = 1;
    thrust.TARGET = 0.05f;
    thrust.CT = 0.06f;
    thrust.CP = 0.5f;
    EXPECT_EQ(reader.check_found_quality(thrust, 1), 0);
    EXPECT_EQ(reader.check_found_quality(thrust, 2), 2);
}

}  // namespace
