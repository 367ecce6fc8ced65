// The log notice layout and the message tables of the exception types.
#include <gtest/gtest.h>

#include <string>

#include "design/except.h"

namespace {

std::string TakeLog() {
    std::string text = outstr.str();
    outstr.str("");
    return text;
}

std::string NoticeHead(const std::string& file, int line) {
    return std::string(BuildDate()) + ":" + BuildTime() + ">> in file:" + file +
           " at line:" + std::to_string(line) + "\n";
}

TEST(Log, NoticeHasTwoLinesAndOptionalTitle) {
    TakeLog();
    MessageBoxFyi(0, "hello", "world", 0, "../../design/x", 12);
    MessageBoxFyi(0, "bare", nullptr, 0, "../../design/x", 13);
    EXPECT_EQ(TakeLog(), NoticeHead("../../design/x", 12) + "hello;world\n" +
                             NoticeHead("../../design/x", 13) + "bare\n");
    EXPECT_EQ(MessageBoxModal(5, "any", nullptr, 3, "f", 1), 1);
    TakeLog();
}

struct CodedCase {
    const char* type;
    int code;
    const char* expectedLine;  // second notice line, or "" for nothing written
    int expectedAnswer;
};

class CodedMessages : public ::testing::TestWithParam<CodedCase> {};

TEST_P(CodedMessages, WritesTheMessageOfItsCode) {
    const CodedCase& c = GetParam();
    TakeLog();
    int answer = 0;
    const std::string type = c.type;
    if (type == "MyExceptionTypes") answer = MyExceptionTypes(c.code).PrintMessage(0);
    if (type == "PropRunError") answer = PropRunError(c.code).PrintMessage(0);
    if (type == "ConstraintError") answer = ConstraintError(c.code).PrintMessage(0);
    if (type == "InvalidRecordFormat") answer = InvalidRecordFormat(c.code).PrintMessage(0);
    const std::string log = TakeLog();
    EXPECT_EQ(answer, c.expectedAnswer);
    if (std::string(c.expectedLine).empty()) {
        EXPECT_EQ(log, "");
    } else {
        const auto eol = log.find('\n');
        ASSERT_NE(eol, std::string::npos);
        EXPECT_EQ(log.substr(eol + 1), std::string(c.expectedLine) + "\n");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, CodedMessages,
    ::testing::Values(
        CodedCase{"MyExceptionTypes", -5, "Operation terminated;User Request", 1},
        CodedCase{"MyExceptionTypes", 8,
                  "Not enough memory to complete operation: Close some applications;Low Memory", 1},
        CodedCase{"MyExceptionTypes", 3, "Unhandled exception", 1},
        CodedCase{"PropRunError", 1, "Computation failed. See error file.;Error in computation", 1},
        CodedCase{"PropRunError", 6, "Infile = Outfile. See error file.;Contact user support", 1},
        CodedCase{"PropRunError", 7,
                  "Unclassified. Could not complete computation.;See error file or contact user support", 1},
        CodedCase{"PropRunError", -2,
                  "Unclassified. Could not complete computation.;See error file or contact user support", 1},
        CodedCase{"PropRunError", 8, "Singular matrix error.;Carefully check your inputs", 1},
        CodedCase{"ConstraintError", 0, "", 0},
        CodedCase{"ConstraintError", 3, "", 3},
        CodedCase{"ConstraintError", 1,
                  "Can't have loads specified within the hub!Ensure correct hub diameter is "
                  "specified.;Detailed design Error", 1},
        CodedCase{"ConstraintError", -1, "Unhandled Constraint", 1},
        CodedCase{"InvalidRecordFormat", 3,
                  "Can't specify 0 for the kinematic constant.;Invalid specification", 1},
        CodedCase{"InvalidRecordFormat", 9, "Unhandled Constraint", 1}));

}  // namespace
