// SETUP_PROJECT through the command protocol: the readiness flags and
// counts that the example project's data imply, and what bad data clears.
#include <gtest/gtest.h>

#include <string>

#include "design/desutil.h"
#include "design/skarvel_main.h"
#include "tests/project_fixture.h"

namespace {

using skarvel_test::ExampleText;
using skarvel_test::Send;
using skarvel_test::SetUpProject;
using skarvel_test::TakeLog;

// Replaces the one occurrence of `from` in `text`.
std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

struct State {
    int generateStd, perfMapComp, perfPointsStd, nDesignStd, nPerfStd, nGeom, goodDetailed;
};

// The state report with the example's fixed parts (nothing with given gas
// properties, screens enabled, both basic data sets good).
std::string Report(const State& s) {
    return "<1>EnableDesignMain\n<1>EnableDesignLoads\n<1>EnableDesignDetailed\n<" +
           std::to_string(s.generateStd) +
           ">EnableGenerate_stdAtmos\n<0>EnableGenerate_notStdAtmos\n<1>EnablePerfGeometry\n"
           "<1>EnablePerfPoints\n<1>EnablePerfMain\n<" +
           std::to_string(s.perfMapComp) + ">EnablePerfMapComp\n<" +
           std::to_string(s.perfPointsStd) + ">EnablePerfPointsComp_stdAtmos\n<" +
           std::to_string(s.nDesignStd) + ">NDesignPoints_stdAtmos\n<" +
           std::to_string(s.nPerfStd) +
           ">NPerfPoints_stdAtmos\n<0>EnablePerfPointsComp_notStdAtmos\n"
           "<0>NDesignPoints_notStdAtmos\n<0>NPerfPoints_notStdAtmos\n<" +
           std::to_string(s.nGeom) + ">NGeomPoints\n<0>GoodMapSpec\n<1>GoodPrelDesignSpec\n"
           "<1>GoodPrelPerforSpec\n<" +
           std::to_string(s.goodDetailed) + ">GoodDetlDesignSpec\n";
}

class SetupProject : public ::testing::Test {
protected:
    void SetUp() override {
        skarvel_test::Terminate();
        Send("63");
    }
    void TearDown() override { skarvel_test::Terminate(); }
};

TEST_F(SetupProject, ExampleEnablesDesignPerformanceAndMaps) {
    // Design: 2 points (110 and 70 knots at 2500 and 2650 RPM, J 0.72 and
    // 0.42); the radial table 0.2 .. 0.95 gets its tip row, 6 stations span
    // the Gauss and lifting-line rules. Performance: 7 geometry stations
    // 0.2 .. 1.0 and 3 points (the static one has J = 0).
    ASSERT_EQ(SetUpProject(ExampleText()), 52);
    EXPECT_EQ(Send("81").text, Report({1, 1, 1, 2, 3, 7, 1}));

    BuildDesignFile& design = *theHostInterface->designBuilder;
    EXPECT_EQ(design.nStations, 6);
    EXPECT_EQ(design.useOptimumLoading, 1);  // the loading column is all zero
    EXPECT_EQ(design.geomConstraints.ngauss, 9);
    EXPECT_EQ(design.geomConstraints.num, 8);  // resolution 1
    EXPECT_NEAR(design.Points_stdAtmos[0].advanceRatio,
                110 * 0.51445854f * 60 / (2500 * 1.88f), 1e-6);
    EXPECT_EQ(design.Points_stdAtmos[0].weight, 2);

    BuildPerformanceFile& perf = *theHostInterface->performanceBuilder;
    EXPECT_EQ(perf.Points_stdAtmos[0].advanceRatio, 0.0f);
    EXPECT_EQ(perf.geomConstraints.inflowKind, 0);
}

TEST_F(SetupProject, ExampleMapAtConstantRpm) {
    ASSERT_EQ(SetUpProject(ExampleText()), 52);
    BuildPerformanceFile& perf = *theHostInterface->performanceBuilder;
    // 2500 RPM, 20 to 140 knots in 13 advance ratios, Ct 0.02 to 0.10 in 5.
    ASSERT_EQ(perf.Map(FIXED_RPM_MAP), 1);
    const float jStart = 20 * 0.51445854f * 60 / (2500 * 1.88f);
    const float jEnd = 140 * 0.51445854f * 60 / (1.88f * 2500);
    EXPECT_FLOAT_EQ(perf.MapPoint[0].advanceRatio, jStart);
    EXPECT_FLOAT_EQ(perf.MapOptions[0].advanceRatioStep, (jEnd - jStart) / 12);
    EXPECT_EQ(perf.MapOptions[0].advanceRatioCount, 13);
    EXPECT_FLOAT_EQ(perf.MapPoint[0].loadValue, 0.02f);
    EXPECT_FLOAT_EQ(perf.MapOptions[0].loadStep, 0.02f);
    EXPECT_EQ(perf.MapOptions[0].loadCount, 5);
    EXPECT_EQ(perf.MapOptions[0].reportMode, 1);
}

TEST_F(SetupProject, GeometryEndingAt095CountsItsTipStation) {
    const std::string text =
        Replace(ExampleText(),
                "  <0.9    0.055  0.30  0.065 18.0  0.0>\n  <1.0    0.040  0.20  0.060 16.5  0.0>\n",
                "  <0.95   0.055  0.30  0.065 18.0  0.0>\n");
    ASSERT_EQ(SetUpProject(text), 52);
    EXPECT_EQ(Send("81").text, Report({1, 1, 1, 2, 3, 7, 1}));
    const Propeller_geom& tip = theHostInterface->performanceBuilder->GeometryStations[6];
    EXPECT_FLOAT_EQ(tip.radius, 1.0f);
    EXPECT_FLOAT_EQ(tip.chordRatio, 0.9f * 0.055f);
}

TEST_F(SetupProject, PointAboveTwentyAdvanceRatioIsRefused) {
    // 115 knots at 20 RPM on 1.88 m: J = 94.
    const std::string text = Replace(ExampleText(), "<115   2550  7500", "<115   20  7500");
    ASSERT_EQ(SetUpProject(text), 52);
    EXPECT_EQ(Send("81").text, Report({1, 1, 0, 2, 0, 7, 1}));
    EXPECT_NE(TakeLog().find("Unrealistic advance ratio(s) were specified! \n Check your units, "
                             "diameter, velocity and RPM.;Possible Velocity or RPM Error\n"),
              std::string::npos);
}

TEST_F(SetupProject, DesignPointOfNoWeightIsNotCounted) {
    const std::string text = Replace(ExampleText(), "<70    2650  1000  0  150  1>",
                                     "<70    2650  1000  0  150  0>");
    ASSERT_EQ(SetUpProject(text), 52);
    EXPECT_EQ(Send("81").text, Report({1, 1, 1, 1, 3, 7, 1}));
    EXPECT_NE(TakeLog().find("Operating point 2: weight = 0 must be 1 or more"),
              std::string::npos);
}

TEST_F(SetupProject, BadDataClearsWhatItFeeds) {
    struct {
        const char* name;
        std::string from, to;
        State state;
        const char* notice;
    } cases[] = {
        {"design speed unit past the list",
         "units: speed <0> knots, load <0> SHP, temperature <0> ISA + C,\n       altitude <0> Ft, "
         "rotational speed <0> RPM\nend of units <tqbfendrecord>\n\ndesign operating points, "
         "given",
         "units: speed <9> knots, load <0> SHP, temperature <0> ISA + C,\n       altitude <0> Ft, "
         "rotational speed <0> RPM\nend of units <tqbfendrecord>\n\ndesign operating points, "
         "given",
         {0, 1, 1, 0, 3, 7, 1},
         "ERROR - Unknown conversion"},
        {"geometry number that does not parse", "<0.45   0.085  0.25", "<0.45   0.O85  0.25",
         {1, 0, 0, 2, 3, 0, 1},
         "Geometry row 3: chord/D = '0.O85' is not a number"},
        {"radial table not increasing", "<0.6    0.0080", "<0.3    0.0080",
         {0, 1, 1, 2, 3, 7, 0},
         "Radius specification for detailed design must be monotonic"},
        {"incomplete performance point", "<60    2450  500   0  150  1>", "<60    2450  500>",
         {1, 1, 0, 2, 0, 7, 1},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TakeLog();
        ASSERT_EQ(SetUpProject(Replace(ExampleText(), c.from, c.to)), 52);
        EXPECT_EQ(Send("81").text, Report(c.state));
        const std::string log = TakeLog();
        if (*c.notice) {
            EXPECT_NE(log.find(c.notice), std::string::npos) << log;
        }
        skarvel_test::Terminate();
        Send("63");
    }
}

}  // namespace
