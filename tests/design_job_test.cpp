// The design job end to end through the command protocol: optimum and
// design runs, candidates analysed and ranked, comparison files and the
// design result page.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "tests/job_fixture.h"

namespace {

using namespace skarvel_test;

// Efficiency lines of the optimum-loading output, in point order.
std::vector<float> OptimumEfficiencies(const std::string& firstOut) {
    std::vector<float> values;
    std::istringstream in(ReadFile(firstOut));
    std::string line;
    while (std::getline(in, line)) {
        const auto at = line.find("EFFICIENCY   = ");
        if (at != std::string::npos) values.push_back(std::stof(line.substr(at + 15)));
    }
    return values;
}

class DesignExample : public ::testing::TestWithParam<const char*> {
protected:
    void TearDown() override { Terminate(); }
};

TEST_P(DesignExample, AnswersItsNumberAndLeavesEveryFile) {
    std::string project;
    ASSERT_EQ(SetUpExample(GetParam(), &project), 52) << TakeLog();
    TakeLog();
    ASSERT_EQ(Send("53").code, 53) << TakeLog();
    const std::string w = WorkDir(project);
    for (const char* name : {"first.in", "first.out", "second.in", "second.out", "perform.in",
                             "perform.out", "_Project.pld", "_Project.pr1", "proprun.ini"})
        EXPECT_TRUE(Exists(w + name)) << name;
    EXPECT_TRUE(Exists(BasePath(project) + ".des.html"));
    EXPECT_EQ(ReadFile(w + "ERROR.OUT"), "");
    const std::string log = TakeLog();
    EXPECT_NE(log.find("isStdAtmos = 1\nnothingCalled = 0\n"), std::string::npos) << log;
    EXPECT_EQ(log.find(">> in file:"), std::string::npos) << "no notice expected:\n" << log;
}

INSTANTIATE_TEST_SUITE_P(Examples, DesignExample,
                         ::testing::Values("ga_design.prj", "ga_design_default_loading.prj"));

// The best candidate, analysed at the design points, meets each power
// target within the blade-angle search's tolerance, and loses a little,
// not much, against the optimum loading's ideal efficiency: on the
// synthetic polars and on the shipped database.
class DesignQuality
    : public ::testing::TestWithParam<std::tuple<const char*, PolarSource>> {
protected:
    void TearDown() override { Terminate(); }
};

TEST_P(DesignQuality, BestCandidateMeetsItsTargetsCloseToTheOptimum) {
    const auto [example, source] = GetParam();
    if (source == PolarSource::Shipped && !Exists(ShippedPolar()))
        GTEST_SKIP() << "no shipped polar database " << ShippedPolar();
    std::string project;
    ASSERT_EQ(SetUpExample(example, &project, source), 52) << TakeLog();
    ASSERT_EQ(Send("53").code, 53) << TakeLog();
    const std::vector<ResultRow> rows = ReadResultRows(BasePath(project) + ".des.html");
    const std::vector<float> ideal = OptimumEfficiencies(WorkDir(project) + "first.out");
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(ideal.size(), 2u);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        SCOPED_TRACE("point " + std::to_string(k));
        const ResultRow& r = rows[k];
        const float miss = std::fabs(r.p.CP - r.p.TARGET);
        EXPECT_TRUE(miss < 0.0005f || miss < 0.01f * r.p.TARGET) << r.p.CP << " vs " << r.p.TARGET;
        EXPECT_EQ(r.p.NOTPOS + r.p.LSTALL + r.p.NCPERR + r.p.WAKERR, 0);
        EXPECT_LT(r.efficiency, ideal[k]);
        EXPECT_GT(r.efficiency, 0.92f * ideal[k]);
    }
    // The comparison report ranks both candidates, best first, and the plot
    // file's first zone is that best one.
    const std::string comparison = ReadFile(WorkDir(project) + "_Project.pr1");
    const auto first = comparison.find("Design geometry ");
    ASSERT_NE(first, std::string::npos);
    const std::string best = comparison.substr(first, 17);
    const std::string plot = ReadFile(WorkDir(project) + "_Project.pld");
    EXPECT_EQ(plot.find("ZONE T = \"" + best + "\""), plot.find("ZONE T = \""));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, DesignQuality,
    ::testing::Combine(::testing::Values("ga_design.prj", "ga_design_default_loading.prj"),
                       ::testing::Values(PolarSource::Synthetic, PolarSource::Shipped)));

TEST(DesignJob, OnePointDesignRanksItsOneCandidateAlone) {
    std::string project;
    ASSERT_EQ(SetUpExample("ga_design.prj", &project,
                           [](std::string& text) {
                               const auto at = text.find("  <85    2600  2000  0  200  2>");
                               text.erase(at, text.find('\n', at) + 1 - at);
                           }),
              52);
    ASSERT_EQ(Send("53").code, 53) << TakeLog();
    const std::string comparison = ReadFile(WorkDir(project) + "_Project.pr1");
    EXPECT_NE(comparison.find("Design geometry 0\n"), std::string::npos) << comparison;
    EXPECT_EQ(comparison.find("Design geometry 1"), std::string::npos);
    EXPECT_NE(comparison.find("Bad_Count = 0"), std::string::npos);
    EXPECT_EQ(ReadResultRows(BasePath(project) + ".des.html").size(), 1u);
    Terminate();
}

TEST(DesignJob, EngineFailureAnswers99AndKeepsTheFilesWritten) {
    std::string project;
    ASSERT_EQ(SetUpExample("ga_design.prj", &project,
                           [](std::string& text) {
                               const auto at = text.find("polar.bin");
                               text.replace(at, 9, "no_such_polar.bin");
                           }),
              52);
    TakeLog();
    EXPECT_EQ(Send("53").code, 99);
    const std::string log = TakeLog();
    EXPECT_NE(log.find("Likely computation crash;RuntimeError.ProprunStatus = 3"),
              std::string::npos) << log;
    EXPECT_NE(log.find("Failed to generate geometry;check for unrealistic inputs"),
              std::string::npos) << log;
    EXPECT_TRUE(Exists(WorkDir(project) + "first.in"));
    EXPECT_FALSE(Exists(BasePath(project) + ".des.html"));
    Terminate();
}

}  // namespace
