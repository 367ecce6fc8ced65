// The project reader: layout of the project text, the table rules, the
// overlong-value rules and where each value lands in the builders' buffers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design/desutil.h"
#include "design/except.h"
#include "design/read_prj.h"
#include "design/skarvel_main.h"
#include "tests/project_fixture.h"

using skarvel_test::TakeLog;

namespace {

std::string V(const std::string& value) { return "label <" + value + ">\n"; }

std::vector<std::string> BasicValues() {
    return {"0", "A title", "A name", "proj", "data/polars.bin", "0.2", "2.0", "0.005",
            "100", "3", "1", "1", "1", "tqbfendrecord"};
}

// A project text made of parts that each test may change.
struct Project {
    std::string version = "v0.2.2 (Beta)";
    std::vector<std::string> designBasic = BasicValues();
    std::vector<std::string> detailed = {"0.2 0.02 0 0 0.1", "1.0 0.002 0 0 0.2"};
    std::vector<std::string> designStd = {"100 2400 0 0 150 1"};
    std::vector<std::string> designStdUnits = {"1", "2", "3", "4", "5"};
    std::vector<std::string> designGas = {};
    std::vector<std::string> designGasUnits = {"11", "12", "13", "14", "15", "16"};
    std::vector<std::string> performanceBasic = BasicValues();
    std::vector<std::string> geometry = {"0.2 0.08 0.1 0.3 40 0", "1.0 0.04 0.2 0.06 15 0"};
    std::vector<std::string> performanceStd = {};
    std::vector<std::string> performanceGas = {"100 2400 1.2 1.5e-5 340 150 1"};
    std::vector<std::string> maps = {"c1 c2 c6 c7 c5 c8 c9 c3 c4", "1", "2", "3", "4", "5", "1",
                                     "d1 d2 d6 d7 d5 d8 d9 d3 d4", "0", "1", "0", "1", "0", "0"};
    bool geometryEndMarker = true;

    std::string Text() const {
        std::string text = "project " + V(version);
        auto values = [&text](const std::vector<std::string>& list) {
            for (const auto& v : list) text += V(v);
        };
        auto table = [&](const std::vector<std::string>& rows) {
            values(rows);
            text += V("tqbfendrecord");
        };
        values(designBasic);
        table(detailed);
        table(designStd);
        values(designStdUnits);
        text += V("ignored");
        table(designGas);
        values(designGasUnits);
        text += V("ignored");
        values(performanceBasic);
        values(geometry);
        if (geometryEndMarker) text += V("tqbfendrecord");
        table(performanceStd);
        values(designStdUnits);
        text += V("ignored");
        table(performanceGas);
        values(designGasUnits);
        text += V("ignored");
        values(maps);
        return text;
    }
};

class Reader : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(host.setProject("/work/projects/wing.prj"), 0);
        TakeLog();
    }
    int Read(const Project& project) { return ProjectData->read_project(project.Text()); }
    // Reads and answers whether the reader threw InvalidFileFormat.
    bool ReadThrows(const Project& project) {
        try {
            Read(project);
        } catch (const InvalidFileFormat&) {
            return true;
        }
        return false;
    }
    BuildDesignFile& design() { return *host.designBuilder; }
    BuildPerformanceFile& performance() { return *host.performanceBuilder; }

    skarvelHostInterface host;
};

TEST_F(Reader, FillsEveryBufferFromItsPlaceInTheText) {
    Project p;
    p.performanceBasic[0] = "7";  // any non-zero value selects the gas properties
    p.performanceBasic[10] = "2";
    ASSERT_EQ(Read(p), 0);

    const Primary_Data_Buffer& basic = design().geometry;
    EXPECT_EQ(basic.atmosphere, 0);
    EXPECT_EQ(basic.title, "A title");
    EXPECT_EQ(basic.project, "proj");
    EXPECT_EQ(basic.polarPath, "data/polars.bin");
    EXPECT_STREQ(basic.hubDia.c_str(), "0.2");
    EXPECT_STREQ(basic.BladeNumber.c_str(), "3");
    EXPECT_EQ(performance().geometry.atmosphere, 1);
    EXPECT_EQ(ProjectData->GetDesignResolution(), 1);
    EXPECT_EQ(ProjectData->GetPerformanceResolution(), 2);

    // Field k of record i goes to row i of column k.
    EXPECT_STREQ(design().Detailed_Design_Buffer[DETAILED_RADIUS][1].c_str(), "1.0");
    EXPECT_STREQ(design().Detailed_Design_Buffer[DETAILED_LIFT][0].c_str(), "0.1");
    EXPECT_TRUE(design().Detailed_Design_Buffer[DETAILED_RADIUS][2].empty());
    EXPECT_STREQ(performance().Propeller_Geom_Buffer[GEOMETRY_TWIST][0].c_str(), "40");
    EXPECT_STREQ(design().Loads_Buffer_stdAtmos[0].cell[1].c_str(), "2400");
    EXPECT_STREQ(performance().Loads_Buffer_notStdAtmos[0].cell[3].c_str(), "1.5e-5");

    // Unit selections: 0-4 in order, the user-gas ones into 5, 6, 9, 7, 8, 10.
    const int32_t expectedCombo[kComboEntries] = {1, 2, 3, 4, 5, 11, 12, 14, 15, 13, 16, 1, 1};
    for (int i = 0; i < kComboEntries; ++i) EXPECT_EQ(design().ComboIndex[i], expectedCombo[i]) << i;

    // Map words go to cells 1, 2, 6, 7, 5, 8, 9, 3, 4.
    for (int k = 1; k <= 9; ++k) {
        EXPECT_EQ(performance().Map_Buffer_stdAtmos[0].cell[k - 1].str(), "c" + std::to_string(k));
        EXPECT_EQ(performance().Map_Buffer_stdAtmos[1].cell[k - 1].str(), "d" + std::to_string(k));
    }
    EXPECT_EQ(performance().BasicUnits[0][4], 5);
    EXPECT_EQ(performance().Map_Buffer_stdAtmos[0].mapSetting, 1);
    EXPECT_EQ(performance().BasicUnits[1][1], 1);
}

TEST_F(Reader, LogsEachBasicDataBlock) {
    ASSERT_EQ(Read(Project()), 0);
    const std::string block = std::string(33, '=') +
                              "\npreliminary design EOD marker = 'tqbfendrecord'\n"
                              "../../design/read_prj:276\nsrvVersionID = v0.2.2 (Beta)\n"
                              "title = A title\nname = A name\nproject = proj\nhub dia = 0.2\n"
                              "activity factor = 100\nend_of_record = tqbfendrecord\n";
    EXPECT_EQ(TakeLog(), block + block);
}

TEST_F(Reader, AnotherVersionIsReadButNotCompatible) {
    Project p;
    p.version = "v0.2.1 (Beta)";
    EXPECT_EQ(Read(p), 1);
    EXPECT_STREQ(performance().Propeller_Geom_Buffer[GEOMETRY_RADIUS][1].c_str(), "1.0");
    EXPECT_TRUE(ProjectData->isCompatibleProject("v0.2.2 (Beta)"));
    EXPECT_FALSE(ProjectData->isCompatibleProject("LAST"));
    EXPECT_FALSE(ProjectData->isCompatibleProject("v0.2.2 (Beta) "));
}

struct BasicCheckCase {
    int field;  // position in the basic-data block
    const char* value;
    int answer;
};

class BasicChecks : public Reader, public ::testing::WithParamInterface<BasicCheckCase> {};

TEST_P(BasicChecks, DecideTheAnswerWithoutStoppingTheReading) {
    Project p;
    p.performanceBasic[GetParam().field] = GetParam().value;
    EXPECT_EQ(Read(p), GetParam().answer);
    EXPECT_EQ(performance().Map_Buffer_stdAtmos[1].cell[0].str(), "d1");
}

INSTANTIATE_TEST_SUITE_P(Rules, BasicChecks,
                         ::testing::Values(BasicCheckCase{9, "1", 1},      // blade number < 2
                                           BasicCheckCase{9, "2", 0},
                                           BasicCheckCase{8, "19.9", 1},   // activity factor < 20
                                           BasicCheckCase{8, "20", 0},
                                           BasicCheckCase{6, "0", 1},      // tip diameter 0
                                           BasicCheckCase{6, "abc", 1},
                                           BasicCheckCase{7, "0.0", 1}));  // min thickness 0

// ---- tables -------------------------------------------------------------

std::vector<std::string> Rows(int n) {
    std::vector<std::string> rows;
    for (int i = 0; i < n; ++i) rows.push_back(std::to_string(0.2 + i * 0.02) + " 0.02 0 0 0.1");
    return rows;
}

TEST_F(Reader, TableHoldsThirtyRowsAndRefusesTheThirtyFirst) {
    Project p;
    p.detailed = Rows(30);
    ASSERT_EQ(Read(p), 0);
    EXPECT_FALSE(design().Detailed_Design_Buffer[DETAILED_RADIUS][29].empty());

    p.detailed = Rows(31);
    TakeLog();
    EXPECT_TRUE(ReadThrows(p));
    const std::string log = TakeLog();
    EXPECT_NE(log.find("is data record 31; a table holds at most 30"), std::string::npos);
    const std::string notice =
        "Invalid File Format Found. Specify another file;Error in file format while reading "
        "detailed design\n";
    EXPECT_NE(log.find(" at line:329\n" + notice), std::string::npos);
    EXPECT_NE(log.find(" at line:338\n" + notice), std::string::npos);
}

struct TableCase {
    const char* record;
    bool throws;
};

class TableRecords : public Reader, public ::testing::WithParamInterface<TableCase> {};

TEST_P(TableRecords, FollowTheEndOfBlockAndMinusOneRules) {
    Project p;
    p.geometry = {"0.2 0.08 0.1 0.3 40 0", GetParam().record, "1.0 0.04 0.2 0.06 15 0"};
    EXPECT_EQ(ReadThrows(p), GetParam().throws);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TableRecords,
    ::testing::Values(TableCase{"-1 0.08 0.1 0.3 40 0", true},    // -1 is a format error
                      TableCase{" -1.5 x", true},                 // its decimal conversion is -1
                      TableCase{"-2 0.08 0.1 0.3 40 0", false},   // any other number is a row
                      TableCase{"", false},                       // an empty record is a row
                      TableCase{"0.5 123456789012345678901234567890 0.1 0.3 40 0", false},
                      TableCase{"0.5 1234567890123456789012345678901 0.1 0.3 40 0", true}));

TEST_F(Reader, RecordStartingWithTEndsTheTable) {
    Project p;
    p.geometry = {"0.2 0.08 0.1 0.3 40 0", "tail 0.04 0.2 0.06 15 0"};
    p.geometryEndMarker = false;
    p.performanceStd = {"50 2400 0 0 150 1"};
    ASSERT_EQ(Read(p), 0);
    EXPECT_STREQ(performance().Propeller_Geom_Buffer[GEOMETRY_RADIUS][0].c_str(), "0.2");
    EXPECT_TRUE(performance().Propeller_Geom_Buffer[GEOMETRY_RADIUS][1].empty());
    EXPECT_STREQ(performance().Loads_Buffer_stdAtmos[0].cell[0].c_str(), "50");

    Project empty;
    empty.geometry = {};
    ASSERT_EQ(Read(empty), 0);
    EXPECT_TRUE(performance().Propeller_Geom_Buffer[GEOMETRY_RADIUS][0].empty());
}

TEST_F(Reader, EachTableReportsItsFormatErrorWithItsOwnNotice) {
    struct Case {
        std::vector<std::string> Project::*table;
        const char* title;
        int line;
    };
    const Case cases[] = {
        {&Project::designStd, "Error in file format while reading loads", 416},
        {&Project::designGas, "Error in file format while reading loads", 369},
        {&Project::geometry, "Error in file format while reading detailed design", 561},
        {&Project::performanceGas, "Error in file format while reading loads", 369},
    };
    for (const Case& c : cases) {
        Project p;
        (p.*c.table) = {"-1"};
        TakeLog();
        EXPECT_TRUE(ReadThrows(p)) << c.line;
        EXPECT_NE(TakeLog().find(" at line:" + std::to_string(c.line) +
                                 "\nInvalid File Format Found. Specify another file;" + c.title),
                  std::string::npos)
            << c.line;
    }
}

// ---- overlong values -------------------------------------------------------

TEST_F(Reader, OverlongShortFieldLeavesEveryLaterFieldAtItsInitialValue) {
    Project p;
    p.performanceBasic[6] = std::string(30, '9');  // tip diameter
    p.geometry = {};
    // The reading stops: the geometry table after it is a format error.
    EXPECT_TRUE(ReadThrows(p));
    EXPECT_NE(TakeLog().find("has 30 characters; a field holds at most 29"), std::string::npos);
    EXPECT_STREQ(performance().geometry.hubDia.c_str(), "0.2");
    EXPECT_TRUE(performance().geometry.TipDiameter.empty());
    EXPECT_TRUE(performance().geometry.ActivityFactor.empty());
    EXPECT_EQ(performance().geometry.resolution, 1);

    // 29 characters fit.
    p.performanceBasic[6] = std::string(29, '9');
    ASSERT_EQ(Read(p), 0);
    EXPECT_EQ(performance().geometry.TipDiameter.str(), std::string(29, '9'));
}

TEST_F(Reader, OverlongFieldAmongTheLastValuesEndsTheReadingQuietly) {
    Project p;
    p.maps[8] = std::string(40, '1');  // a unit selection of the second map
    EXPECT_EQ(Read(p), 0);
    EXPECT_EQ(performance().BasicUnits[1][0], 0);
    EXPECT_EQ(performance().BasicUnits[1][1], 0);
    EXPECT_EQ(performance().Map_Buffer_stdAtmos[1].cell[0].str(), "d1");
}

TEST_F(Reader, OverlongRecordAndMissingBracketStopTheReading) {
    Project p;
    p.detailed = {"0.2 " + std::string(251, '0')};  // 255 characters
    EXPECT_TRUE(ReadThrows(p));
    EXPECT_NE(TakeLog().find("has 255 characters; a record holds at most 254"), std::string::npos);

    p.detailed = {"0.2 " + std::string(250, '0')};  // 254 characters fit in the record
    EXPECT_TRUE(ReadThrows(p));  // but not in a cell
    EXPECT_NE(TakeLog().find("a cell holds at most 30"), std::string::npos);

    const std::string text = Project().Text();
    std::string gap = text;
    gap.insert(gap.find("<tqbfendrecord>"), std::string(300, ' '));
    EXPECT_THROW(ProjectData->read_project(gap), InvalidFileFormat);
    EXPECT_NE(TakeLog().find("No \"<\" within 256 characters"), std::string::npos);

    // A text that ends inside a table.
    EXPECT_THROW(ProjectData->read_project(text.substr(0, text.find("<0.2 0.08"))),
                 InvalidFileFormat);
    EXPECT_NE(TakeLog().find("The project text ends before value"), std::string::npos);
}

struct MapCase {
    const char* record;
    bool throws;
    const char* secondMapCell1;  // what the second map holds afterwards
};

class MapRecords : public Reader, public ::testing::WithParamInterface<MapCase> {};

TEST_P(MapRecords, FollowTheMapRules) {
    Project p;
    p.maps[0] = GetParam().record;
    EXPECT_EQ(ReadThrows(p), GetParam().throws);
    if (!GetParam().throws) {
        EXPECT_EQ(performance().Map_Buffer_stdAtmos[1].cell[0].str(), GetParam().secondMapCell1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, MapRecords,
    ::testing::Values(MapCase{"x", false, ""},                       // short record ends the maps
                      MapCase{"1 2 3 4 5 6 7 8 9 10", false, "d1"},  // extra words ignored
                      MapCase{"1 2 3 4 5 6 7 8", true, ""},          // fewer than nine words
                      MapCase{"1 2 3 4 5 6 7 8 123456789012345678901234567890", true, ""}));

// ---- paths and state ----------------------------------------------------------

TEST_F(Reader, ProjectPathIsSplitAtItsLastSlash) {
    EXPECT_STREQ(ProjectData->projectDirectory(), "/work/projects");
    ASSERT_EQ(Read(Project()), 0);
    ASSERT_EQ(ProjectData->setProject("/top.prj"), 0);
    EXPECT_STREQ(ProjectData->projectDirectory(), "");
    ProjectData->initialize();
    EXPECT_EQ(design().geometry.project, " top.prj");
    EXPECT_TRUE(design().Detailed_Design_Buffer[DETAILED_RADIUS][0].empty());
    EXPECT_TRUE(performance().Map_Buffer_stdAtmos[0].cell[0].empty());
    EXPECT_EQ(design().ComboIndex[3], 0);

    EXPECT_EQ(ProjectData->setProject("no-slash.prj"), 9);
    EXPECT_EQ(ProjectData->setProject(std::string(256, 'a').c_str()), 9);
    EXPECT_EQ(ProjectData->new_project("x"), 2);
}

TEST_F(Reader, ProjectPathWithoutSlashThrowsOneAfterItsNotice) {
    ASSERT_EQ(ProjectData->setProject("relative.prj"), 9);
    try {
        Read(Project());
        FAIL() << "no exception";
    } catch (int code) {
        EXPECT_EQ(code, 1);
    }
    EXPECT_NE(TakeLog().find(" at line:582\nProject file name is invalid... try using a full "
                             "pathname;\n"),
              std::string::npos);
}

}  // namespace
