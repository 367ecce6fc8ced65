// The trace notices around the builders' operations.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "design/except.h"
#include "design/operation_trace.h"

namespace {

std::string TakeLog() {
    const std::string text = outstr.str();
    outstr.str("");
    return text;
}

std::string Notice(const std::string& message, int line) {
    return std::string(BuildDate()) + ":" + BuildTime() +
           ">> in file:../../design/desutil at line:" + std::to_string(line) + "\n" + message +
           ";BuildPerformanceFile::Map\n";
}

TEST(OperationTrace, EntersAndCompletesAroundTheOperationEvenWhenItThrows) {
    TakeLog();
    {
        OperationTrace trace("BuildPerformanceFile::Map", "../../design/desutil", 41);
        EXPECT_EQ(TakeLog(), Notice("ENTERED: ", 41));
    }
    EXPECT_EQ(TakeLog(), Notice("COMPLETED: ", 41));

    try {
        OperationTrace trace("BuildPerformanceFile::Map", "../../design/desutil", 7);
        throw std::runtime_error("failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(TakeLog(), Notice("ENTERED: ", 7) + Notice("COMPLETED: ", 7));
}

TEST(OperationTrace, TheLinuxBuildWritesNoTrace) {
    TakeLog();
    {
        SKARVEL_TRACE_OPERATION("BuildPerformanceFile::Map", "../../design/desutil");
    }
    EXPECT_EQ(TakeLog(), "");
}

}  // namespace
