// Summary rows read back from a result page.
#include <gtest/gtest.h>

#include "design/result_rows.h"
#include "tests/test_support.h"

namespace {

const char* const kHeading =
    "                                                           K  T R R O L I R\n"
    "      J    BETA    CpCor   CtCor   EFFIC    CpCmp   CtCmp  E  R R R S L G N  TARGET\n";

TEST(ResultRows, ReadsEveryRowUnderItsHeadingAndStopsAtATruncatedOne) {
    const std::string dir = skarvel_test::ScratchDir();
    skarvel_test::WriteFile(
        dir + "page.html",
        std::string("text\n") + kHeading +
            "    0.722  23.07  0.0514  0.0590   0.8295  0.0510  0.0586  8  7 0 0 0 0 0 0 0.0514\n"
            "\n  more text\n" + kHeading +
            "    0.434  18.71  0.0460  0.0770   0.7231  0.0461  0.0768  9  7 0 0 1 1 0 0 0.0460\n" +
            kHeading + "    0.500  20.00  0.0500\n");
    const std::vector<ResultRow> rows = ReadResultRows(dir + "page.html");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_FLOAT_EQ(rows[0].p.J, 0.722f);
    EXPECT_FLOAT_EQ(rows[0].p.BETA, 23.07f);
    EXPECT_FLOAT_EQ(rows[0].efficiency, 0.8295f);
    EXPECT_FLOAT_EQ(rows[0].p.CP, 0.0510f);
    EXPECT_FLOAT_EQ(rows[0].p.TARGET, 0.0514f);
    EXPECT_EQ(rows[1].p.NOTPOS, 1);
    EXPECT_EQ(rows[1].p.LSTALL, 1);
    EXPECT_TRUE(ReadResultRows(dir + "missing.html").empty());
}

}  // namespace
