// The engine runner: its control file, the engine call and the notices for
// a failed run or a non-empty error file.
#include <gtest/gtest.h>

#include <string>

#include "compute/engine_state.h"
#include "design/except.h"
#include "design/run_exe.h"
#include "tests/engine_decks.h"

namespace {

using skarvel_test::ReadFile;
using skarvel_test::WriteFile;

std::string TakeLog() {
    std::string text = outstr.str();
    outstr.str("");
    return text;
}

class RunBladesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = skarvel_test::ScratchDir();
        polar = dir + "polar.bin";
        WriteFile(polar, "polar");
        WriteFile(dir + "a.in", engine_test::Deck({engine_test::DesignCase()}));
        engine_test::DesignCase other;
        other.title = "Second deck";
        WriteFile(dir + "b.in", engine_test::Deck({other}));
        TakeLog();
    }
    std::string dir, polar;
};

TEST_F(RunBladesTest, EachExecuteWritesItsControlFileAndRunsTheEngine) {
    RunBlades runner(0, polar, dir, true);
    EXPECT_EQ(runner.controlFile(), dir + "proprun.ini");
    EXPECT_EQ(runner.Execute(dir + "a.in", dir + "a.out"), 0);
    EXPECT_EQ(ReadFile(dir + "proprun.ini"), "1\n" + dir + "a.in\n" + dir + "a.out\n" + polar +
                                                 "\n" + dir + "ERROR.OUT\n\n");
    EXPECT_NE(ReadFile(dir + "a.out").find("EFFICIENCY   = "), std::string::npos);

    EXPECT_EQ(runner.Execute(dir + "b.in", dir + "b.out"), 0);
    EXPECT_NE(ReadFile(dir + "proprun.ini").find("\n" + dir + "b.in\n" + dir + "b.out\n"),
              std::string::npos);
    EXPECT_NE(ReadFile(dir + "b.out").find("Second deck"), std::string::npos);
    EXPECT_EQ(TakeLog(), "");
}

TEST_F(RunBladesTest, FailedRunIsReportedWithItsStatusAndDeck) {
    RunBlades runner(0, dir + "missing.bin", dir, false);
    EXPECT_EQ(runner.Execute(dir + "a.in", dir + "a.out"), 0);
    const std::string log = TakeLog();
    EXPECT_NE(log.find(">> in file:../../design/run_exe at line:104\n"
                       "Likely computation crash;RuntimeError.ProprunStatus = 3\nInput = " +
                       dir + "a.in\n"),
              std::string::npos)
        << log;
    EXPECT_EQ(ReadFile(dir + "proprun.ini").substr(0, 2), "0\n");
}

TEST_F(RunBladesTest, NonEmptyErrorFileIsNamedInANotice) {
    RunBlades runner(0, polar, dir, false);
    EXPECT_EQ(runner.Check_error_file(), 0);  // not there yet
    WriteFile(runner.errorFile(), "");
    EXPECT_EQ(runner.Check_error_file(), 0);
    EXPECT_EQ(TakeLog(), "");
    WriteFile(runner.errorFile(), "something went wrong\n");
    EXPECT_EQ(runner.Check_error_file(), 1);
    EXPECT_NE(TakeLog().find(">> in file:../../design/run_exe at line:135\nCheck the error file \"" +
                             dir + "ERROR.OUT\" for details.;Computation Error\n"),
              std::string::npos);
}

TEST_F(RunBladesTest, ConstructionAsksForFreshPolarTablesAndDestructionFreesThem) {
    loadPolarDatabase = false;
    polar_size = 4;
    ::polar.reset(new float[4]);
    {
        RunBlades runner(0, polar, dir, false);
        EXPECT_TRUE(loadPolarDatabase);
    }
    EXPECT_EQ(::polar, nullptr);
    EXPECT_EQ(polar_size, 0u);
}

TEST_F(RunBladesTest, EmptyPolarPathIsRefused) {
    EXPECT_THROW(RunBlades(0, "", dir, false), PropRunError);
    EXPECT_NE(TakeLog().find("the polar file path is empty"), std::string::npos);
}

}  // namespace
