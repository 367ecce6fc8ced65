// The performance run and the two maps end to end through the command
// protocol, and the job commands on a project whose set-up failed.
#include <gtest/gtest.h>

#include <string>

#include "tests/job_fixture.h"

namespace {

using namespace skarvel_test;

struct JobCase {
    const char* command;
    const char* extension;  // of the result page beside the project
    std::size_t rows;       // summary rows in it
};

class PerformanceJob : public ::testing::TestWithParam<JobCase> {
protected:
    void TearDown() override { Terminate(); }
};

TEST_P(PerformanceJob, AnswersItsNumberWithOneRowPerCase) {
    const JobCase& job = GetParam();
    std::string project;
    ASSERT_EQ(SetUpExample("ga_performance.prj", &project), 52) << TakeLog();
    TakeLog();
    ASSERT_EQ(Send(job.command).code, std::stoi(job.command)) << TakeLog();
    EXPECT_EQ(ReadResultRows(BasePath(project) + job.extension).size(), job.rows);
    EXPECT_EQ(ReadFile(WorkDir(project) + "ERROR.OUT"), "");
}

// The example: 3 points; a constant-RPM map of 13 advance ratios by 5
// loads and a constant-speed map of 8 by 4.
INSTANTIATE_TEST_SUITE_P(Example, PerformanceJob,
                         ::testing::Values(JobCase{"56", ".per.html", 3},
                                           JobCase{"54", ".map", 65},
                                           JobCase{"55", ".map", 32}));

class PerformanceJobTargets : public ::testing::TestWithParam<PolarSource> {};

TEST_P(PerformanceJobTargets, PointsMeetTheirPowerWithinTheSearchTolerance) {
    if (GetParam() == PolarSource::Shipped && !Exists(ShippedPolar()))
        GTEST_SKIP() << "no shipped polar database " << ShippedPolar();
    std::string project;
    ASSERT_EQ(SetUpExample("ga_performance.prj", &project, GetParam()), 52);
    ASSERT_EQ(Send("56").code, 56) << TakeLog();
    int met = 0;
    for (const ResultRow& r : ReadResultRows(BasePath(project) + ".per.html")) {
        // A stalled blade or a target out of reach is flagged, not met.
        if (r.p.NOTPOS != 0 || r.p.LSTALL != 0) continue;
        const float miss = std::fabs(r.p.CP - r.p.TARGET);
        EXPECT_TRUE(miss < 0.0005f || miss < 0.01f * r.p.TARGET) << r.p.CP << " vs " << r.p.TARGET;
        ++met;
    }
    EXPECT_GE(met, 2);  // take-off and cruise
    Terminate();
}

INSTANTIATE_TEST_SUITE_P(Polars, PerformanceJobTargets,
                         ::testing::Values(PolarSource::Synthetic, PolarSource::Shipped));

TEST(PerformanceJobFailure, EngineFailureAnswers99) {
    std::string project;
    ASSERT_EQ(SetUpExample("ga_performance.prj", &project,
                           [](std::string& text) {
                               for (auto at = text.find("polar.bin"); at != std::string::npos;
                                    at = text.find("polar.bin", at + 12))
                                   text.replace(at, 9, "missing.bin");
                           }),
              52);
    TakeLog();
    EXPECT_EQ(Send("56").code, 99);
    EXPECT_NE(TakeLog().find("Likely computation crash;RuntimeError.ProprunStatus = 3"),
              std::string::npos);
    EXPECT_TRUE(Exists(WorkDir(project) + "perfpnts.in"));
    Terminate();
}

// A map whose input is refused (10 RPM gives an advance ratio far above
// 20) is not computed, also when an earlier map of the same host succeeded.
TEST(PerformanceJobFailure, RefusedMapInputAnswers99WithoutAMap) {
    std::string project;
    ASSERT_EQ(SetUpExample("ga_performance.prj", &project), 52);
    ASSERT_EQ(Send("54").code, 54) << TakeLog();
    boost::filesystem::remove(BasePath(project) + ".map");
    std::string text = ReadFile(project);
    text.replace(text.find("<2500 20 140 13"), 15, "<10 20 140 13");
    ASSERT_EQ(Send("52" + text).code, 52);
    TakeLog();
    EXPECT_EQ(Send("54").code, 99);
    const std::string log = TakeLog();
    EXPECT_NE(log.find("Unrealistic advance ratio(s) were specified!"), std::string::npos) << log;
    EXPECT_NE(log.find("The map input could not be converted: no map is computed"),
              std::string::npos);
    EXPECT_FALSE(Exists(BasePath(project) + ".map"));
    Terminate();
}

struct RefusedJob {
    const char* command;
    const char* message;
};

class JobOnFailedSetUp : public ::testing::TestWithParam<RefusedJob> {};

TEST_P(JobOnFailedSetUp, Answers99WithTheInputDataMessage) {
    // A negative radius in the design table makes the project unreadable.
    std::string project;
    ASSERT_EQ(SetUpExample("ga_design.prj", &project,
                           [](std::string& text) {
                               text.replace(text.find("<0.35 "), 6, "<-1   ");
                           }),
              1);
    TakeLog();
    EXPECT_EQ(Send(GetParam().command).code, 99);
    EXPECT_NE(TakeLog().find(GetParam().message), std::string::npos);
    Terminate();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, JobOnFailedSetUp,
    ::testing::Values(
        RefusedJob{"53", "../../design/skarvel_main:923:Input data invalid or missing\n"
                         "isStdAtmos = 0\nnothingCalled = 1\n"},
        RefusedJob{"54", "../../design/skarvel_main:935:Input data invalid or missing\n"},
        RefusedJob{"55", "../../design/skarvel_main:945:Input data invalid or missing\n"},
        RefusedJob{"56", "../../design/skarvel_main:969:Input data invalid or missing\n"}));

}  // namespace
