// Numbers in project cells: exactly one finite number.
#include <gtest/gtest.h>

#include <string>

#include "design/cell_number.h"
#include "design/except.h"

namespace {

struct FloatCase {
    const char* text;
    bool ok;
    float value;
};

class CellFloats : public ::testing::TestWithParam<FloatCase> {};

TEST_P(CellFloats, ParseOnlyAWholeFiniteNumber) {
    float v = -1;
    EXPECT_EQ(ParseCellFloat(GetParam().text, &v), GetParam().ok) << GetParam().text;
    if (GetParam().ok) {
        EXPECT_FLOAT_EQ(v, GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CellFloats,
    ::testing::Values(FloatCase{"0.5", true, 0.5f}, FloatCase{"  1e-5\t", true, 1e-5f},
                      FloatCase{"+3", true, 3}, FloatCase{"-2.25", true, -2.25f},
                      FloatCase{".5", true, 0.5f}, FloatCase{"5.", true, 5},
                      FloatCase{"", false, 0}, FloatCase{"  ", false, 0},
                      FloatCase{"1,5", false, 0}, FloatCase{"12x", false, 0},
                      FloatCase{"1 2", false, 0}, FloatCase{"nan", false, 0},
                      FloatCase{"inf", false, 0}, FloatCase{"1e40", false, 0},
                      FloatCase{"+-1", false, 0}, FloatCase{"0x10", false, 0}));

TEST(CellInts, IntegersAndIntegralFloats) {
    int v = 0;
    EXPECT_TRUE(ParseCellInt("3", &v));
    EXPECT_EQ(v, 3);
    EXPECT_TRUE(ParseCellInt(" -2 ", &v));
    EXPECT_EQ(v, -2);
    EXPECT_TRUE(ParseCellInt("4.0", &v));
    EXPECT_EQ(v, 4);
    EXPECT_FALSE(ParseCellInt("2.5", &v));
    EXPECT_FALSE(ParseCellInt("1e12", &v));
    EXPECT_FALSE(ParseCellInt("two", &v));
}

TEST(CellFloats, ReadingReportsTheField) {
    outstr.str("");
    float v = 0;
    EXPECT_FALSE(ReadCellFloat("abc", "Row 2: speed", 0, &v));
    EXPECT_NE(outstr.str().find("\nRow 2: speed = 'abc' is not a number;Invalid project data\n"),
              std::string::npos);
    outstr.str("");
}

}  // namespace
