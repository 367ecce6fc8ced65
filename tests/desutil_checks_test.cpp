// The builders' checks: basic data, station counts, the geometry table,
// the operating-point tables and the maps, with their refusals.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "design/desutil.h"
#include "design/except.h"
#include "design/units.h"
#include "tests/project_fixture.h"

namespace {

using skarvel_test::TakeLog;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The log since the last look holds `notice`, or nothing when it is empty.
void ExpectNotice(const std::string& notice) {
    const std::string log = TakeLog();
    if (notice.empty()) {
        EXPECT_EQ(log, "");
    } else {
        EXPECT_TRUE(Contains(log, notice)) << log;
    }
}

// A performance builder with valid basic data: hub 0.2, D = 2 m, three
// blades, activity factor 100.
class Builder : public ::testing::Test {
protected:
    void SetUp() override {
        TakeLog();
        b.geometry.hubDia.assign("0.2");
        b.geometry.TipDiameter.assign("2");
        b.geometry.MinThickness.assign("0.004");
        b.geometry.ActivityFactor.assign("100");
        b.geometry.BladeNumber.assign("3");
        b.geometry.title = "Test";
        b.ComboIndex[11] = 1;  // metr
        b.ComboIndex[12] = 1;
    }
    void GeometryRow(int i, std::vector<const char*> cells) {
        for (int c = 0; c < GEOMETRY_COLUMNS; ++c) b.Propeller_Geom_Buffer[c][i].assign(cells[c]);
    }
    void PointRow(int i, std::vector<const char*> cells) {
        for (int c = 0; c < 6; ++c) b.Loads_Buffer_stdAtmos[i].cell[c].assign(cells[c]);
    }
    BuildPerformanceFile b;
};

// ---- basic data -----------------------------------------------------------------

TEST_F(Builder, PreliminaryConvertsTheBasicData) {
    b.geometry.TipDiameter.assign("78.74016");  // inches
    b.ComboIndex[11] = 2;
    b.ComboIndex[12] = 3;  // cm
    b.geometry.MinThickness.assign("0.4");
    EXPECT_EQ(b.Preliminary(2), 1);
    EXPECT_NEAR(b.geomConstraints.diameter, 2.0f, 1e-5);
    EXPECT_FLOAT_EQ(b.geomConstraints.minThickness, 0.004f);
    EXPECT_FLOAT_EQ(b.geomConstraints.hubRatio, 0.2f);
    EXPECT_EQ(b.geomConstraints.bladeCount, 3);
    EXPECT_FLOAT_EQ(b.geomConstraints.activityFactor, 100);
    EXPECT_EQ(b.geomConstraints.title, "Test");
    EXPECT_EQ(b.resolution, 2);
    EXPECT_EQ(TakeLog(), "");
}

struct BadBasic {
    const char* name;
    int field;  // 0 hub, 1 diameter, 2 thickness, 3 activity factor, 4 blades, 5 diameter unit
    const char* text;
};

class BadBasicData : public Builder, public ::testing::WithParamInterface<BadBasic> {};

TEST_P(BadBasicData, IsRefusedWithTheWarning) {
    const BadBasic& c = GetParam();
    ShortField* cells[] = {&b.geometry.hubDia, &b.geometry.TipDiameter, &b.geometry.MinThickness,
                           &b.geometry.ActivityFactor, &b.geometry.BladeNumber};
    if (c.field == 5)
        b.ComboIndex[11] = 4;  // past DiameterUnits_List
    else
        cells[c.field]->assign(c.text);
    EXPECT_EQ(b.Preliminary(1), 0);
    const std::string log = TakeLog();
    EXPECT_TRUE(Contains(log,
                         "WARNING: Problem with basic design data.\ngeometry.TipDiameter = " +
                             b.geometry.TipDiameter.str() + "\ngeometry.BladeNumber = " +
                             b.geometry.BladeNumber.str() + "\ngeometry.ActivityFactor = " +
                             b.geometry.ActivityFactor.str() + "\ngeometry.MinThickness = " +
                             b.geometry.MinThickness.str() + "\ngeometry.hubDia = " +
                             b.geometry.hubDia.str() + "\n"))
        << log;
    if (c.field == 5) {
        EXPECT_TRUE(Contains(log, "ERROR - Unknown conversion\n"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BadBasicData,
    ::testing::Values(BadBasic{"hub 0", 0, "0"}, BadBasic{"hub 0.5", 0, "0.5"},
                      BadBasic{"hub text", 0, "abc"}, BadBasic{"diameter 0", 1, "0"},
                      BadBasic{"diameter 2m", 1, "2m"}, BadBasic{"thickness -1", 2, "-1"},
                      BadBasic{"activity factor 0", 3, "0"}, BadBasic{"one blade", 4, "1"},
                      BadBasic{"blades 2.5", 4, "2.5"}, BadBasic{"unit past list", 5, ""}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

// ---- station counts --------------------------------------------------------------

std::vector<Loading_Profile> Stations(std::vector<float> radii) {
    std::vector<Loading_Profile> s;
    for (float r : radii) s.push_back(Loading_Profile{r, 0});
    return s;
}

struct NgaussCase {
    float first;
    int ngauss;
};

class GaussRules : public Builder, public ::testing::WithParamInterface<NgaussCase> {};

TEST_P(GaussRules, FirstThatFitsTheStations) {
    const auto s = Stations({GetParam().first, 0.6f, 1.0f});
    EXPECT_EQ(b.get_NGAUSS(0.2f, s.data(), 3), GetParam().ngauss);
    const std::string log = TakeLog();
    EXPECT_EQ(Contains(log, "Integration error: Radius MUST span the range  0.237532  to  "
                            "0.962468;Error in radius specification\n"),
              GetParam().ngauss == 0)
        << log;
}

INSTANTIATE_TEST_SUITE_P(Hub02, GaussRules,
                         ::testing::Values(NgaussCase{0.2f, 9}, NgaussCase{0.215f, 7},
                                           NgaussCase{0.23f, 5}, NgaussCase{0.24f, 0}));

TEST_F(Builder, GaussRuleWithoutStationsAndShortTip) {
    EXPECT_EQ(b.get_NGAUSS(0.2f, static_cast<const Loading_Profile*>(nullptr), 0), 9);
    const auto s = Stations({0.2f, 0.5f, 0.95f});  // 0.95 < 0.962468
    EXPECT_EQ(b.get_NGAUSS(0.2f, s.data(), 3), 0);
}

struct NumCase {
    std::vector<float> radii;
    int resolution;
    int num;
    const char* message;  // expected in the log, or "" for none
};

class NumRules : public Builder, public ::testing::WithParamInterface<NumCase> {};

TEST_P(NumRules, IntervalsCappedByResolution) {
    const NumCase& c = GetParam();
    const auto s = Stations(c.radii);
    EXPECT_EQ(b.get_NUM(0.2f, s.data(), c.resolution, static_cast<int>(s.size())), c.num);
    ExpectNotice(c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Hub02, NumRules,
    ::testing::Values(
        NumCase{{0.2f, 0.6f, 1.0f}, 2, 10, ""}, NumCase{{0.2f, 0.6f, 1.0f}, 1, 8, ""},
        NumCase{{0.2f, 0.6f, 1.0f}, 0, 5, ""},
        // r1(10) = 0.219577, r1(9) = 0.224123, r1(8) = 0.230448.
        NumCase{{0.23f, 0.6f, 1.0f}, 2, 8, ""}, NumCase{{0.23f, 0.6f, 1.0f}, 0, 5, ""},
        NumCase{{0.3f, 0.6f, 1.0f}, 2, 0,
                "Resolution error: Radius MUST span the range  0.276393  to  0.923607;Error in "
                "radius specification\n"},
        NumCase{{0.2f, 0.5f, 0.4f, 1.0f}, 2, 0,
                "Radius specification for detailed design must be monotonic;Error in radius "
                "specification\n"},
        NumCase{{0.2f, 0.5f, 0.5f, 1.0f}, 2, 0, "must be monotonic"},
        NumCase{{}, 1, 8, ""}));

// ---- geometry --------------------------------------------------------------------

TEST_F(Builder, GeometryEndingShortOfTheTipGetsATipStation) {
    ASSERT_EQ(b.Preliminary(1), 1);
    GeometryRow(0, {"0.2", "0.07", "0.1", "0.3", "42", "0"});
    GeometryRow(1, {"0.6", "0.08", "0.3", "0.09", "24", "0.0"});
    GeometryRow(2, {"0.95", "0.05", "0.2", "0.06", "17", "0"});
    EXPECT_EQ(b.Geometry(), 4);
    EXPECT_EQ(b.nGeometryStations, 4);
    const Propeller_geom& tip = b.GeometryStations[3];
    EXPECT_FLOAT_EQ(tip.radius, 1.0f);
    EXPECT_FLOAT_EQ(tip.chordRatio, 0.9f * 0.05f);
    EXPECT_FLOAT_EQ(tip.camber, 0.2f);
    EXPECT_FLOAT_EQ(tip.thicknessRatio, 0.06f);
    EXPECT_NEAR(tip.twist, 15.5f, 1e-4);
    EXPECT_FLOAT_EQ(b.InflowVelocity[3].radius, 0.95f);  // the last row repeated
    EXPECT_EQ(b.geomConstraints.inflowKind, 0);
    EXPECT_EQ(b.geomConstraints.ngauss, 9);
    EXPECT_EQ(b.geomConstraints.num, 8);
    EXPECT_FLOAT_EQ(b.geomConstraints.hubRatio, 0.2f);
}

TEST_F(Builder, GeometryReachingTheTipAndNonUniformInflow) {
    ASSERT_EQ(b.Preliminary(2), 1);
    GeometryRow(0, {"0.25", "0.07", "0.1", "0.3", "42", "0.1"});
    GeometryRow(1, {"1.0", "0.04", "0.2", "0.06", "16.5", "0"});
    EXPECT_EQ(b.Geometry(), 2);
    EXPECT_EQ(b.geomConstraints.inflowKind, 1);
    EXPECT_FLOAT_EQ(b.geomConstraints.hubRatio, 0.25f);
    EXPECT_FLOAT_EQ(b.InflowVelocity[0].axial, 0.1f);
}

struct BadGeometry {
    const char* name;
    int row, column;
    const char* text;
    const char* notice;  // "" for a refusal without a notice
};

class BadGeometryTable : public Builder, public ::testing::WithParamInterface<BadGeometry> {};

TEST_P(BadGeometryTable, AnswersZero) {
    const BadGeometry& c = GetParam();
    ASSERT_EQ(b.Preliminary(1), 1);
    GeometryRow(0, {"0.2", "0.07", "0.1", "0.3", "42", "0"});
    GeometryRow(1, {"0.6", "0.08", "0.3", "0.09", "24", "0"});
    GeometryRow(2, {"1.0", "0.05", "0.2", "0.06", "17", "0"});
    b.Propeller_Geom_Buffer[c.column][c.row].assign(c.text);
    EXPECT_EQ(b.Geometry(), 0);
    EXPECT_EQ(b.nGeometryStations, 0);
    ExpectNotice(c.notice);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BadGeometryTable,
    ::testing::Values(
        BadGeometry{"incomplete row", 1, GEOMETRY_TWIST, "", ""},
        BadGeometry{"zero chord", 2, GEOMETRY_CHORD, "0", ""},
        BadGeometry{"negative t/c", 0, GEOMETRY_THICKNESS, "-0.1", ""},
        BadGeometry{"not a number", 1, GEOMETRY_CAMBER, "0.3x",
                    "Geometry row 2: camber = '0.3x' is not a number;Invalid project data\n"},
        BadGeometry{"decreasing radii", 1, GEOMETRY_RADIUS, "0.1", "must be monotonic"},
        BadGeometry{"hub at zero", 0, GEOMETRY_RADIUS, "0", "must be above 0"}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (ch == ' ' || ch == '/') ch = '_';
        return name;
    });

TEST_F(Builder, EmptyGeometryIsUniformAndCountsNothing) {
    b.geomConstraints.inflowKind = 1;
    EXPECT_EQ(b.Geometry(), 0);
    EXPECT_EQ(b.geomConstraints.inflowKind, 0);
}

TEST_F(Builder, PerformancePreliminaryTakesTheHubFromTheGeometry) {
    GeometryRow(0, {"0.25", "0.07", "0.1", "0.3", "42", "0"});
    EXPECT_EQ(b.Preliminary(1), 1);
    EXPECT_FLOAT_EQ(b.geomConstraints.hubRatio, 0.25f);
}

// ---- operating points --------------------------------------------------------------

TEST_F(Builder, StandardAtmospherePointsInEngineUnits) {
    ASSERT_EQ(b.Preliminary(1), 1);
    // 100 knots, 2400 RPM, sea level, ISA + 0, 150 SHP.
    PointRow(0, {"100", "2400", "0", "0", "150", "2"});
    PointRow(1, {"100", "2400", "0", "0", "150", "1"});
    b.ComboIndex[1] = 0;  // SHP
    Operating_Point points[kMaxOperatingPoints];
    EXPECT_EQ(b.Loads_stdAtmos(points), 2);
    EXPECT_EQ(b.nPoints_stdAtmos, 2);
    const Operating_Point& p = points[0];
    EXPECT_FLOAT_EQ(p.speed, 51.445854f);
    EXPECT_FLOAT_EQ(p.rpm, 2400);
    EXPECT_FLOAT_EQ(p.advanceRatio, 51.445854f * 60 / (2400 * 2.0f));
    EXPECT_FLOAT_EQ(p.density, 1.2262f);
    EXPECT_NEAR(p.temperature, 288.3333f, 1e-4);
    EXPECT_NEAR(p.soundSpeed, 340.4f, 0.05f);
    EXPECT_EQ(p.loadKind, 2);
    EXPECT_FLOAT_EQ(p.loadValue, static_cast<float>((150 / 0.00134102) /
                                                    (1.2262 * std::pow(40.0, 3) * 32)));
    EXPECT_EQ(p.weight, 2);
    EXPECT_EQ(points[1].weight, 1);
    EXPECT_EQ(b.PointOptions[0].reportMode, 1);
    EXPECT_FLOAT_EQ(b.PointOptions[0].advanceRatioStep, 0.1f);
    EXPECT_EQ(TakeLog(), "");
}

TEST_F(Builder, StaticPointIsWrittenAtItsRotationalSpeed) {
    ASSERT_EQ(b.Preliminary(1), 1);
    PointRow(0, {"0", "2400", "0", "0", "150", "1"});
    b.ComboIndex[1] = 0;  // SHP
    Operating_Point points[kMaxOperatingPoints];
    ASSERT_EQ(b.Loads_stdAtmos(points), 1);
    EXPECT_FLOAT_EQ(points[0].advanceRatio, 0.0f);
    EXPECT_FLOAT_EQ(points[0].speed, -40.0f);  // minus 2400 RPM in rev/s
}

TEST_F(Builder, ThrustAndAngleLoads) {
    ASSERT_EQ(b.Preliminary(1), 1);
    PointRow(0, {"50", "2400", "0", "0", "1000", "1"});
    b.ComboIndex[0] = 3;  // metr/s
    b.ComboIndex[1] = 3;  // lbs
    Operating_Point points[kMaxOperatingPoints];
    ASSERT_EQ(b.Loads_stdAtmos(points), 1);
    EXPECT_EQ(points[0].loadKind, 1);
    EXPECT_FLOAT_EQ(points[0].loadValue,
                    static_cast<float>(4448.2007 / (1.2262 * 1600.0 * 16.0)));
    b.ComboIndex[1] = 8;  // BETA_75
    ASSERT_EQ(b.Loads_stdAtmos(points), 1);
    EXPECT_EQ(points[0].loadKind, 3);
    EXPECT_FLOAT_EQ(points[0].loadValue, 1000);
}

TEST_F(Builder, AdvanceRatioAboveTwentyIsRefused) {
    b.geometry.TipDiameter.assign("1");
    ASSERT_EQ(b.Preliminary(1), 1);
    PointRow(0, {"50", "100", "0", "0", "150", "1"});  // J = 30
    b.ComboIndex[0] = 3;
    Operating_Point points[kMaxOperatingPoints];
    EXPECT_EQ(b.Loads_stdAtmos(points), 0);
    EXPECT_TRUE(Contains(TakeLog(),
                         "\nUnrealistic advance ratio(s) were specified! \n Check your units, "
                         "diameter, velocity and RPM.;Possible Velocity or RPM Error\n"));
}

TEST_F(Builder, PointOfNoWeightIsLeftOut) {
    ASSERT_EQ(b.Preliminary(1), 1);
    PointRow(0, {"100", "2400", "0", "0", "150", "0"});
    PointRow(1, {"110", "2500", "0", "0", "150", "3"});
    PointRow(2, {"90", "2300", "0", "0", "150", "-1"});
    Operating_Point points[kMaxOperatingPoints];
    EXPECT_EQ(b.Loads_stdAtmos(points), 1);
    EXPECT_FLOAT_EQ(points[0].rpm, 2500);
    EXPECT_EQ(points[0].weight, 3);
    const std::string log = TakeLog();
    EXPECT_TRUE(Contains(log, "Operating point 1: weight = 0 must be 1 or more; the point is left "
                              "out;Invalid project data\n"));
    EXPECT_TRUE(Contains(log, "Operating point 3: weight = -1 must be 1 or more"));
}

struct BadPoint {
    const char* name;
    int cell;            // cell to replace, or -1
    const char* text;
    int unitEntry;       // ComboIndex entry to set, or -1
    int unitIndex;
    const char* notice;
};

class BadPointTable : public Builder, public ::testing::WithParamInterface<BadPoint> {};

TEST_P(BadPointTable, CountsNoPoint) {
    const BadPoint& c = GetParam();
    ASSERT_EQ(b.Preliminary(1), 1);
    PointRow(0, {"100", "2400", "0", "0", "150", "1"});
    PointRow(1, {"100", "2400", "0", "0", "150", "1"});
    if (c.cell >= 0) b.Loads_Buffer_stdAtmos[1].cell[c.cell].assign(c.text);
    if (c.unitEntry >= 0) b.ComboIndex[c.unitEntry] = c.unitIndex;
    Operating_Point points[kMaxOperatingPoints];
    EXPECT_EQ(b.Loads_stdAtmos(points), 0);
    ExpectNotice(c.notice);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BadPointTable,
    ::testing::Values(
        BadPoint{"incomplete_row", 4, "", -1, 0, ""},
        BadPoint{"speed_not_a_number", 0, "1O0", -1, 0,
                 "Operating point 2: first kinematic value = '1O0' is not a number"},
        BadPoint{"weight_not_an_integer", 5, "1.5", -1, 0,
                 "Operating point 2: weight = '1.5' is not an integer"},
        BadPoint{"speed_unit_past_list", -1, "", 0, 6, "ERROR - Unknown conversion\n"},
        BadPoint{"load_unit_past_list", -1, "", 1, 9, "ERROR - Unknown conversion\n"},
        BadPoint{"altitude_unit_past_list", -1, "", 3, 2, "ERROR - Unknown conversion\n"},
        BadPoint{"rpm_unit_past_list", -1, "", 4, 2, "ERROR - Unknown conversion\n"},
        BadPoint{"temperature_unit_past_list", -1, "", 2, 6, "\nERROR\n"},
        BadPoint{"no_rotation", 1, "0", -1, 0, "Unrealistic advance ratio(s)"},
        BadPoint{"below_absolute_zero", 3, "-300", 2, 5, "must be above absolute zero"},
        BadPoint{"above_the_atmosphere", 2, "200000", 2, 2, "outside the standard atmosphere"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Builder, AdvanceRatioGivenInTheRpmField) {
    ASSERT_EQ(b.Preliminary(1), 1);
    PointRow(0, {"100", "0.5", "0", "0", "0.05", "1"});
    b.ComboIndex[1] = 7;  // Cp
    b.ComboIndex[4] = 1;  // J
    Operating_Point points[kMaxOperatingPoints];
    ASSERT_EQ(b.Loads_stdAtmos(points), 1);
    EXPECT_FLOAT_EQ(points[0].advanceRatio, 0.5f);
    EXPECT_FLOAT_EQ(points[0].rpm, 51.445854f * 60 / (2.0f * 0.5f));
    EXPECT_FLOAT_EQ(points[0].loadValue, 0.05f);
}

TEST_F(Builder, PointsWithGivenGasProperties) {
    ASSERT_EQ(b.Preliminary(1), 1);
    const char* cells[7] = {"50", "2400", "1.2", "1.5e-5", "340", "0.04", "1"};
    for (int c = 0; c < 7; ++c) b.Loads_Buffer_notStdAtmos[0].cell[c].assign(cells[c]);
    b.ComboIndex[5] = 3;  // speed metr/s
    b.ComboIndex[6] = 6;  // Ct
    b.ComboIndex[9] = 3;  // speed of sound metr/s
    Operating_Point points[kMaxOperatingPoints];
    ASSERT_EQ(b.Loads_notStdAtmos(points), 1);
    EXPECT_EQ(b.nPoints_notStdAtmos, 1);
    EXPECT_FLOAT_EQ(points[0].density, 1.2f);
    EXPECT_FLOAT_EQ(points[0].kinematicViscosity, 1.5e-5f);
    EXPECT_FLOAT_EQ(points[0].soundSpeed, 340);
    EXPECT_EQ(points[0].temperature, 0);
    EXPECT_EQ(points[0].altitude, 0);
    EXPECT_EQ(points[0].loadKind, 1);
    EXPECT_FLOAT_EQ(points[0].loadValue, 0.04f);
    EXPECT_FLOAT_EQ(points[0].advanceRatio, 50 * 60 / (2400 * 2.0f));

    b.ComboIndex[9] = 0;  // knots
    ASSERT_EQ(b.Loads_notStdAtmos(points), 1);
    EXPECT_FLOAT_EQ(points[0].soundSpeed, 340 * 0.51445854f);

    b.Loads_Buffer_notStdAtmos[0].cell[2].assign("0");
    EXPECT_EQ(b.Loads_notStdAtmos(points), 0);
    EXPECT_TRUE(Contains(TakeLog(), "Operating point (given gas) 1: density = 0.000000 must be above 0"));
}

// ---- maps ------------------------------------------------------------------------

TEST_F(Builder, ConstantRpmMap) {
    ASSERT_EQ(b.Preliminary(1), 1);
    // Constant 2400 RPM, 50 to 150 knots in 11 advance ratios, Ct 0.05 to
    // 0.15 in 3 loads, sea level ISA.
    const char* cells[9] = {"2400", "50", "0", "0", "0.05", "150", "11", "0.15", "3"};
    Map_Record& m = b.Map_Buffer_stdAtmos[FIXED_RPM_MAP];
    for (int c = 0; c < 9; ++c) m.cell[c].assign(cells[c]);
    m.mapSetting = 0;
    EXPECT_EQ(b.Map(FIXED_RPM_MAP), 1);
    const Operating_Point& p = b.MapPoint[FIXED_RPM_MAP];
    const Options& o = b.MapOptions[FIXED_RPM_MAP];
    const float jStart = 50 * 0.51445854f * 60 / (2400 * 2.0f);
    const float jEnd = 150 * 0.51445854f * 60 / (2.0f * 2400);
    EXPECT_FLOAT_EQ(p.advanceRatio, jStart);
    EXPECT_FLOAT_EQ(p.speed, -40.0f);  // minus the rotational speed in rev/s
    EXPECT_EQ(p.loadKind, 1);
    EXPECT_FLOAT_EQ(p.loadValue, 0.05f);
    EXPECT_EQ(o.reportMode, 0);
    EXPECT_EQ(o.advanceRatioCount, 11);
    EXPECT_EQ(o.loadCount, 3);
    EXPECT_FLOAT_EQ(o.advanceRatioStep, (jEnd - jStart) / 10);
    EXPECT_FLOAT_EQ(o.loadStep, 0.05f);
    EXPECT_EQ(m.cell[4].str(), "0.05");  // the load text is kept
}

TEST_F(Builder, ConstantSpeedMapAndItsRefusals) {
    ASSERT_EQ(b.Preliminary(1), 1);
    const char* cells[9] = {"100", "2000", "0", "0", "0.1", "2800", "1", "0.1", "1"};
    Map_Record& m = b.Map_Buffer_stdAtmos[FIXED_SPEED_MAP];
    for (int c = 0; c < 9; ++c) m.cell[c].assign(cells[c]);
    b.BasicUnits[FIXED_SPEED_MAP][1] = 1;  // Cp
    EXPECT_EQ(b.Map(FIXED_SPEED_MAP), 1);
    const Operating_Point& p = b.MapPoint[FIXED_SPEED_MAP];
    EXPECT_FLOAT_EQ(p.speed, 51.445854f);
    EXPECT_FLOAT_EQ(p.advanceRatio, 51.445854f * 60 / (2000 * 2.0f));
    EXPECT_EQ(p.loadKind, 2);
    EXPECT_FLOAT_EQ(p.loadValue, 0.1f);
    EXPECT_FLOAT_EQ(b.MapOptions[FIXED_SPEED_MAP].advanceRatioStep, 0.1f);  // one ratio only

    m.cell[6].assign("many");
    EXPECT_EQ(b.Map(FIXED_SPEED_MAP), 0);
    EXPECT_TRUE(Contains(TakeLog(), "Constant speed map: number of advance ratios = 'many'"));
    m.cell[6].assign("1");
    b.BasicUnits[FIXED_SPEED_MAP][1] = 3;  // past MapLoadUnits_List
    EXPECT_EQ(b.Map(FIXED_SPEED_MAP), 0);
    EXPECT_TRUE(Contains(TakeLog(), "ERROR - Unknown conversion"));
}

}  // namespace
