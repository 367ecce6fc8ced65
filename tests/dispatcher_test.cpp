// The command protocol: parsing of the command number, the answers of the
// command table and the invalid-command text.
#include <gtest/gtest.h>

#include <string>

#include "design/desutil.h"
#include "design/skarvel_main.h"
#include "tests/project_fixture.h"

using skarvel_test::Send;
using skarvel_test::TakeLog;

namespace {

const std::string kStars(33, '*');
const std::string kEquals(20, '=');

std::string InvalidText(const std::string& number, const std::string& digits,
                        const std::string& argument) {
    return kStars + "\n***ERROR: INVALID COMMAND called!\n" + kStars + "\n" + number +
           " is a bogus option. Try again!\n" + digits + " possibly misconverted.\n" + kEquals +
           "\n" + argument;
}

TEST(Dispatcher, ResetLogThenGetLogGivesExactlyTheTwoLines) {
    EXPECT_EQ(Send("63").code, 63);
    const CommandResult log = Send("61");
    EXPECT_EQ(log.code, 99);
    EXPECT_EQ(log.text, "***RESET_LOG called.\n***GET_LOG called.\n");
    // The log is not cleared by reading it.
    EXPECT_EQ(Send("61").text,
              "***RESET_LOG called.\n***GET_LOG called.\n***GET_LOG called.\n");
}

TEST(Dispatcher, StateReportHasTwentyLinesInFixedOrder) {
    skarvel_test::Terminate();
    const CommandResult state = Send("81");
    EXPECT_EQ(state.code, 99);
    EXPECT_EQ(state.text,
              "<0>EnableDesignMain\n<0>EnableDesignLoads\n<0>EnableDesignDetailed\n"
              "<0>EnableGenerate_stdAtmos\n<0>EnableGenerate_notStdAtmos\n<0>EnablePerfGeometry\n"
              "<0>EnablePerfPoints\n<0>EnablePerfMain\n<0>EnablePerfMapComp\n"
              "<0>EnablePerfPointsComp_stdAtmos\n<0>NDesignPoints_stdAtmos\n"
              "<0>NPerfPoints_stdAtmos\n<0>EnablePerfPointsComp_notStdAtmos\n"
              "<0>NDesignPoints_notStdAtmos\n<0>NPerfPoints_notStdAtmos\n<0>NGeomPoints\n"
              "<0>GoodMapSpec\n<0>GoodPrelDesignSpec\n<0>GoodPrelPerforSpec\n"
              "<1>GoodDetlDesignSpec\n");
}

struct InvalidCase {
    const char* command;
    const char* number;    // as the log shows it
    const char* digits;    // the characters parsed
    const char* argument;  // the rest of the command
};

class InvalidCommands : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidCommands, WriteTheSevenLineTextAndAnswer99) {
    const InvalidCase& c = GetParam();
    Send("63");
    const CommandResult result = Send(c.command);
    EXPECT_EQ(result.code, 99);
    EXPECT_EQ(result.text, "");
    EXPECT_EQ(TakeLog(), "***RESET_LOG called.\n" + InvalidText(c.number, c.digits, c.argument));
}

INSTANTIATE_TEST_SUITE_P(
    Parsing, InvalidCommands,
    ::testing::Values(InvalidCase{"5", "5", "5", ""},             // one character
                      InvalidCase{"6x", "6", "6x", ""},           // stops at a non-digit
                      InvalidCase{" 7rest", "7", " 7", "rest"},   // leading blank skipped
                      InvalidCase{"", "0", "", ""},               // empty command
                      InvalidCase{"62arg\nline", "62", "62", "arg\nline"},  // gap in the table
                      InvalidCase{"79", "79", "79", ""},
                      InvalidCase{"49", "49", "49", ""},
                      InvalidCase{"82", "82", "82", ""},
                      InvalidCase{"-5x", "-5", "-5", "x"}));

TEST(Dispatcher, TerminateWithAndWithoutHost) {
    skarvel_test::Terminate();
    ASSERT_EQ(theHostInterface, nullptr);
    Send("63");
    EXPECT_EQ(Send("50").code, 50);  // creates the host, then destroys it
    EXPECT_EQ(theHostInterface, nullptr);

    Send("68/some/root");
    ASSERT_NE(theHostInterface, nullptr);
    EXPECT_EQ(theHostInterface->getRootDir(), "/some/root");
    EXPECT_EQ(Send("50").code, 50);
    EXPECT_EQ(theHostInterface, nullptr);
    EXPECT_EQ(ProjectData, nullptr);
    EXPECT_EQ(TakeLog(),
              "***RESET_LOG called.\n***TERMINATE called.\n***SETUP_DLL called.\n"
              "Root directory is:/some/root\n***TERMINATE called.\n");
    // A fresh host has forgotten the root directory.
    Send("81");
    EXPECT_EQ(theHostInterface->getRootDir(), "");
}

struct SimpleCase {
    const char* command;
    int code;
    const char* logLine;
};

class SimpleCommands : public ::testing::TestWithParam<SimpleCase> {};

TEST_P(SimpleCommands, LogTheirLineAndAnswerTheirNumber) {
    const SimpleCase& c = GetParam();
    skarvel_test::Terminate();
    Send("63");
    EXPECT_EQ(Send(c.command).code, c.code);
    EXPECT_EQ(TakeLog(), std::string("***RESET_LOG called.\n") + c.logLine);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SimpleCommands,
    ::testing::Values(
        SimpleCase{"57", 57, "***CLOSE_PROJECT called.\n"},
        SimpleCase{"58x", 58, "***SAVE_PROJECT called (does nothing).\n"},
        SimpleCase{"59", 59, "***ABOUT called (does nothing).\n"},
        SimpleCase{"60", 60, "***SAVE_AS called (does nothing).\n"},
        SimpleCase{"68/opt/skarvel", 68, "***SETUP_DLL called.\nRoot directory is:/opt/skarvel\n"},
        SimpleCase{"53", 99,
                   "***GENERATE_DESIGN called.\n../../design/skarvel_main:923:Input data invalid "
                   "or missing\nisStdAtmos = 0\nnothingCalled = 1\n"},
        SimpleCase{"54", 99,
                   "***CONST_RPM_MAP called.\n../../design/skarvel_main:935:Input data invalid "
                   "or missing\n"},
        SimpleCase{"55", 99,
                   "***CONST_VELOCITY_MAP called.\n../../design/skarvel_main:945:Input data "
                   "invalid or missing\n"},
        SimpleCase{"56", 99,
                   "***COMP_PERFORMANCE called.\n../../design/skarvel_main:969:Input data invalid "
                   "or missing\n"},
        SimpleCase{"51 ", 99,
                   "***SET_PROJECT called.\nSet project request is: \nCRITICAL FAILURE: "
                   "unresolved issue with project name or directory\n"}));

TEST(Dispatcher, ProjectDataIsReturnedUnchangedAndSurvivesTerminate) {
    Send("52  any text\n<with> values ");
    EXPECT_EQ(Send("80").text, "  any text\n<with> values ");
    Send("50");
    const CommandResult data = Send("80");
    EXPECT_EQ(data.code, 99);
    EXPECT_EQ(data.text, "  any text\n<with> values ");
}

TEST(Dispatcher, SetupProjectBeforeSetProjectIsAGeneralFailure) {
    skarvel_test::Terminate();
    Send("63");
    EXPECT_EQ(Send("52<v0.2.2 (Beta)>").code, 1);
    const std::string log = TakeLog();
    EXPECT_NE(log.find("Project file name is invalid... try using a full pathname;\n"),
              std::string::npos);
    EXPECT_NE(log.find("General failure during SETUP_PROJECT; file = \n"), std::string::npos);
    EXPECT_EQ(theHostInterface->errorFlag, 1);
}

TEST(Dispatcher, PrintOptionsWritesTheConsoleMenu) {
    TakeLog();
    print_options();
    const std::string menu = TakeLog();
    EXPECT_EQ(menu.substr(0, 30 + 30), std::string(29, '*') + "\n* what would you like to do *\n");
    EXPECT_NE(menu.find("\n59: about wTalvern\n80: get project data\n81: get state data\n"
                        "60: save as...\n\n50: QUIT\n\nSET TUNING PARAMETERS\n" +
                        std::string(21, '=') + "\n\nDISPLAY CONVERGENCE HISTORY\n" +
                        std::string(27, '=') + "\n\n"),
              std::string::npos);
}

}  // namespace
