// The engine driver: control file, status codes, the case loop with its
// case-end look-ahead, and the refusal of bad decks.
#include <gtest/gtest.h>

#include <string>

#include "compute/engine_state.h"
#include "compute/proprun.h"
#include "tests/engine_decks.h"
#include "tests/fake_geometry.h"

namespace {

using engine_test::Deck;
using engine_test::DesignCase;
using engine_test::EngineRun;
using skarvel_test::ReadFile;
using skarvel_test::WriteFile;

const char kStamp[] = "SKARVel run completed on (DD/MM/YY)";

int CountOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

class ProprunTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine_test::fakeGeometryCalls = 0;
        engine_test::fakeGeometryStatus = 0;
        engine_test::fakeGeometryThrows = false;
    }
    EngineRun run;
};

TEST_F(ProprunTest, MissingControlFileGives5AndLeavesTheErrorFileAlone) {
    WriteFile(run.error, "earlier run");
    EXPECT_EQ(Proprun((run.dir + "absent.ini").c_str()), 5);
    EXPECT_EQ(Proprun(nullptr), 5);
    WriteFile(run.control, "1\n" + run.deck + "\n");  // too short to name the files
    EXPECT_EQ(Proprun(run.control.c_str()), 5);
    EXPECT_EQ(run.Error(), "earlier run");
}

TEST_F(ProprunTest, OutputEqualToInputGives6AndKeepsTheDeck) {
    const std::string deck = Deck({DesignCase()});
    WriteFile(run.deck, deck);
    WriteFile(run.control, "0\n" + run.deck + "\n" + run.deck + "\n" + run.polar + "\n" +
                               run.error + "\n/install\n");
    EXPECT_EQ(Proprun(run.control.c_str()), 6);
    EXPECT_EQ(ReadFile(run.deck), deck);
    EXPECT_EQ(run.Error(), "\n\n   *** OUTPUT  file = INPUT file ****\n");
}

TEST_F(ProprunTest, MissingDeckOrUnwritableOutputGives2) {
    EXPECT_EQ(Proprun(run.control.c_str()), 2);
    EXPECT_EQ(run.Error(), "Bad input file: " + run.deck + "\n");

    WriteFile(run.deck, Deck({DesignCase()}));
    const std::string output = run.dir + "no/such/dir/case.out";
    WriteFile(run.control, "0\n" + run.deck + "\n" + output + "\n" + run.polar + "\n" +
                               run.error + "\n/install\n");
    EXPECT_EQ(Proprun(run.control.c_str()), 2);
    EXPECT_EQ(run.Error(),
              "Unable to open computations output file for writing: " + output + "\n");
}

TEST_F(ProprunTest, PolarFileIsNeededOnlyWhileTheTablesMustBeRead) {
    std::remove(run.polar.c_str());
    EXPECT_EQ(run.Run(Deck({DesignCase()})), 3);
    EXPECT_NE(run.Error().find("Bad polar file: " + run.polar + "\n"), std::string::npos);

    loadPolarDatabase = false;  // tables still in memory from an earlier run
    EXPECT_EQ(Proprun(run.control.c_str()), 0);
    EXPECT_EQ(run.Error(), "");
    ResetDatabase();
    EXPECT_TRUE(loadPolarDatabase);
}

TEST_F(ProprunTest, GeometrySwitchOneEndsTheRunAfterTheDesignReport) {
    DesignCase second;
    second.title = "never run";
    EXPECT_EQ(run.Run(Deck({DesignCase(), second})), 0);
    const std::string out = run.Output();
    EXPECT_EQ(CountOf(out, "RESULTS OF THE SKARVel CALCULATIONS"), 1);
    EXPECT_EQ(out.find("never run"), std::string::npos);
    EXPECT_EQ(CountOf(out, kStamp), 1);
    EXPECT_NE(out.find("src=\"///install/flot/plotPolar.js\"></script>\n</body>\n</html>\n"),
              std::string::npos);
    EXPECT_EQ(engine_test::fakeGeometryCalls, 0);
    EXPECT_EQ(run.Error(), "");
}

struct LookAhead {
    const char* name;
    std::string tail;  // what follows the geometry records of the first case
    int reports;
};

void PrintTo(const LookAhead& l, std::ostream* os) { *os << l.name; }

class CaseEndTest : public ProprunTest, public ::testing::WithParamInterface<LookAhead> {};

TEST_P(CaseEndTest, MarkerAndLookAheadDecideWhetherAnotherCaseRuns) {
    DesignCase first;
    first.geometrySwitch = 0;
    DesignCase second;
    second.J = 2.0f;
    second.geometrySwitch = 0;
    std::string tail = GetParam().tail;
    const std::string marker = "@second";
    if (const std::size_t at = tail.find(marker); at != std::string::npos)
        tail.replace(at, marker.size(), second.Text());
    EXPECT_EQ(run.Run(first.Text() + tail), 0);
    const std::string out = run.Output();
    EXPECT_EQ(CountOf(out, "RESULTS OF THE SKARVel CALCULATIONS"), GetParam().reports);
    EXPECT_EQ(engine_test::fakeGeometryCalls, GetParam().reports);
    EXPECT_EQ(CountOf(out, kStamp), 1);
    EXPECT_EQ(run.Error(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Decks, CaseEndTest,
    ::testing::Values(LookAhead{"DeckEnd", "888.888\n999.999\n", 1},
                      LookAhead{"OtherMarkerEndsTheRun", "777\n@second888.888\n999.999\n", 1},
                      LookAhead{"SingleCaseDeck", "888.888\n", 1},
                      LookAhead{"NextCase", "888.888\n@second888.888\n999.999\n", 2},
                      LookAhead{"NextCaseThenOtherMarker", "888.888\n@second1.5\n", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProprunTest, ErrorInSecondCaseKeepsFirstReportAndWritesNoStamp) {
    DesignCase first;
    first.geometrySwitch = 0;
    DesignCase second;
    second.num = 13;
    EXPECT_EQ(run.Run(Deck({first, second})), 1);
    const std::string out = run.Output();
    EXPECT_EQ(CountOf(out, "RESULTS OF THE SKARVel CALCULATIONS"), 1);
    EXPECT_EQ(CountOf(out, "EFFICIENCY   = "), 1);
    EXPECT_EQ(out.find(kStamp), std::string::npos);
    EXPECT_EQ(run.Error(), "\nNUM = 13 EXCEEDS MAXIMUM OF 12");
}

TEST_F(ProprunTest, StatusOfTheGeometryStepIsReturned) {
    DesignCase c;
    c.geometrySwitch = 0;
    engine_test::fakeGeometryStatus = -5;
    EXPECT_EQ(run.Run(Deck({c})), -5);
    EXPECT_EQ(run.Output().find(kStamp), std::string::npos);
}

TEST_F(ProprunTest, ExceptionInsideTheEngineBecomesStatusOne) {
    DesignCase c;
    c.geometrySwitch = 0;
    engine_test::fakeGeometryThrows = true;
    int status = -100;
    EXPECT_NO_THROW(status = run.Run(Deck({c})));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(run.Error(), "\nINTERNAL ERROR: geometry stand-in failed\n  ---PROGRAM HALTED\n");
    EXPECT_FALSE(INPUT_FILE.is_open());
    EXPECT_FALSE(OUTPUT_FILE.is_open());
    // The next run starts afresh.
    engine_test::fakeGeometryThrows = false;
    EXPECT_EQ(run.Run(Deck({c})), 0);
}

TEST_F(ProprunTest, DeckEndingAfterTheReportStopsWithAMessage) {
    DesignCase c;
    c.geometrySwitch = 0;
    std::string text = c.Text();
    EXPECT_EQ(run.Run(text), 1);
    EXPECT_NE(run.Error().find("the deck ends before the case-end marker"), std::string::npos);

    text = DesignCase().Text();
    text.resize(text.rfind("1\n"));  // drop the geometry switch
    EXPECT_EQ(run.Run(text), 1);
    EXPECT_NE(run.Error().find("the deck ends before the geometry switch"), std::string::npos);
}

// A design deck carries one loading row per row of the project's radial
// table: 30 rows and the appended tip row must fit.
TEST_F(ProprunTest, TypeThreeDeckWithThirtyOneLoadingRowsRuns) {
    DesignCase c;
    c.type = 3;
    c.loading.clear();
    for (int i = 0; i < 31; ++i) {
        const double x = 0.2 + 0.8 * i / 30.0;
        c.loading += std::to_string(x) + "\t" + (i == 0 || i == 30 ? "0" : "1") + "\t\n";
    }
    EXPECT_EQ(run.Run(Deck({c})), 0) << run.Error();
    EXPECT_NE(run.Output().find("GENERALIZED DESIGN"), std::string::npos);
}

// ---- bad decks ------------------------------------------------------------

struct BadDeck {
    const char* name;
    std::string deck;
    std::string message;
    bool inOutputFile = false;
};

void PrintTo(const BadDeck& d, std::ostream* os) { *os << d.name; }

std::string WithRecord(DesignCase c) { return Deck({c}); }

DesignCase Type3() {
    DesignCase c;
    c.type = 3;
    c.loading = "0.2\t0\t\n0.6\t1\t\n1\t0\t\n";
    return c;
}

std::vector<BadDeck> BadDecks() {
    std::vector<BadDeck> decks;
    DesignCase c;
    c.num = 13;
    decks.push_back({"NumAboveTwelve", WithRecord(c), "\nNUM = 13 EXCEEDS MAXIMUM OF 12"});
    c = DesignCase();
    c.num = 1;
    decks.push_back({"NumBelowTwo", WithRecord(c), "NUM = 1 IS BELOW THE MINIMUM OF 2"});
    c = DesignCase();
    c.ngauss = 6;
    decks.push_back({"NgaussSix", WithRecord(c), "NGAUSS= 6 IS NOT A VALID VALUE"});
    c = DesignCase();
    c.blades = 0;
    decks.push_back({"NoBlades", WithRecord(c), "BLADE NUMBER = 0 MUST BE AT LEAST 1"});
    c = DesignCase();
    c.hub = 1.0f;
    decks.push_back({"HubAtTip", WithRecord(c), "HUB RATIO = 1 MUST LIE IN [0, 1)"});
    c = DesignCase();
    c.J = 0.0f;
    decks.push_back({"ZeroAdvanceRatio", WithRecord(c), "ADVANCE RATIO = 0 MUST BE POSITIVE"});
    c = DesignCase();
    c.loadKind = 3;
    decks.push_back({"LoadKindThree", WithRecord(c), "LOAD KIND = 3 MUST BE 1"});
    c = DesignCase();
    c.drag = "21\n";
    for (int i = 0; i < 21; ++i) c.drag += "DRAG\t0.5\t0.01\n";
    decks.push_back({"TwentyOneDragRecords", WithRecord(c),
                     "\nDRAG RECORD COUNT = 21 MUST LIE BETWEEN 1 AND 20"});
    c = DesignCase();
    c.drag = "0\n";
    decks.push_back({"NoDragRecords", WithRecord(c), "DRAG RECORD COUNT = 0"});
    c = DesignCase();
    c.drag = "1\nDRAX\t0.3\t0.02\n";
    decks.push_back({"WordOtherThanDrag", WithRecord(c),
                     "\nERROR AT RECORD --- DRAX 0.3 0.02\n  ---PROGRAM HALTED"});
    c = DesignCase();
    c.drag = "2\nDRAG\t0.6\t0.02\nDRAG\t0.3\t0.02\n";
    decks.push_back({"DragRadiiDescending", WithRecord(c), "DRAG RECORD 2: RADIUS = 0.3"});
    c = Type3();
    c.inflow = "SIDEWAYS\n";
    decks.push_back({"InflowWord", WithRecord(c),
                     "\nERROR READ  SIDEWAYS << BUT EXPECTED UNIFORM OR NONUNIFORM"
                     "\n  ---PROGRAM HALTED"});
    c = Type3();
    c.inflow = "NONUNIFORM\n";
    for (int i = 0; i < 33; ++i) c.inflow += std::to_string(0.2 + 0.8 * i / 32.0) + "\t0\t0\t\n";
    c.inflow += "999.999\t0.0\t0.0\n";
    decks.push_back({"ThirtyThreeInflowRows", WithRecord(c),
                     "\nINFLOW ROWS: MORE THAN 32 ROWS BEFORE THE END ROW 999.999"});
    c = Type3();
    c.inflow = "NONUNIFORM\n0.5\t0.1\t0\t\n1\t0.1\t0\t\n999.999\t0.0\t0.0\n";
    decks.push_back({"InflowNotReachingTheHub", WithRecord(c),
                     "\n THE RANGE OF USER SUPPLIED RADIAL STATIONS SPANS X = 0.5,1", true});
    c = Type3();
    c.loading.clear();
    for (int i = 0; i < 33; ++i) c.loading += std::to_string(0.2 + 0.8 * i / 32.0) + "\t1\t\n";
    decks.push_back({"ThirtyThreeShapeRecords", WithRecord(c),
                     "\nCIRCULATION SHAPE RECORDS: MORE THAN 32 RECORDS"});
    c = Type3();
    c.loading = "0.2\t0\t\n0.7\t1\t\n0.5\t1\t\n1\t0\t\n";
    decks.push_back({"ShapeRadiiDescending", WithRecord(c),
                     "CIRCULATION SHAPE RECORD 3: RADIUS = 0.5 MUST LIE BETWEEN 0.7"});
    decks.push_back({"InvalidProblemType",
                     "5\t8\t3\t9\t1.2\t0.2\t\n150\t\n1\nDRAG\t0.3\t0.0\nT\n1\n888.888\n999.999\n",
                     " INVALID CODE--CODE=5      PROGRAM HALTED\n", true});
    decks.push_back({"TextForTheBladeNumber", "2\t8\tthree\t9\t1.2\t0.2\t\n",
                     "\nINPUT ERROR: the blade number of the case header = \"three\" is not an "
                     "integer\n"});
    decks.push_back({"TextForTheHubRatio", "2\t8\t3\t9\t1.2\tx0.2\t\n",
                     "the hub ratio of the case header = \"x0.2\" is not a finite number"});
    decks.push_back({"DeckEndsInTheHeader", "2\t8\t3\t9\t1.2\t",
                     "\nINPUT ERROR: the deck ends before the hub ratio of the case header\n"});
    decks.push_back({"EmptyDeck", "", "the deck ends before the problem type"});
    decks.push_back({"ShapeTableNeverEnds", "3\t8\t3\t9\t1.2\t0.2\t\n150\n1\t0.1\t0.001\nUNIFORM\n"
                                            "1\nDRAG\t0.3\t0.0\n0.0001\n0.2\t0\t\n0.5\t1\t\n",
                     "the deck ends before the radius of a circulation shape record"});
    decks.push_back({"TitleMissing", "2\t8\t3\t9\t1.2\t0.2\t\n150\n1\t0.1\t0.001\n1\n"
                                     "DRAG\t0.3\t0.0",
                     "the deck ends before the problem title"});
    return decks;
}

class BadDeckTest : public ProprunTest, public ::testing::WithParamInterface<BadDeck> {};

TEST_P(BadDeckTest, StopsTheCaseWithStatusOneAndAMessage) {
    EXPECT_EQ(run.Run(GetParam().deck), 1);
    const std::string text = GetParam().inOutputFile ? run.Output() : run.Error();
    EXPECT_NE(text.find(GetParam().message), std::string::npos) << text;
    EXPECT_EQ(run.Output().find(kStamp), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Decks, BadDeckTest, ::testing::ValuesIn(BadDecks()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
