// The reader of an operating-point block of a performance deck.
#include <gtest/gtest.h>

#include <string>

#include "compute/engine_state.h"
#include "compute/fns_prop.h"
#include "tests/test_support.h"

namespace {

const char* const kReport[] = {"REDUCED", "FULL"};
const char* const kScale[] = {"DIMENSIONLESS", "DIMENSIONAL"};
const char* const kLoad[] = {"ANGLE", "THRUST", "POWER"};

class GetInputsTest : public ::testing::Test {
protected:
    void SetUp() override { dir = skarvel_test::ScratchDir(); }
    void TearDown() override {
        INPUT_FILE.close();
        OUTPUT_FILE.close();
        ERROR_FILE.close();
    }
    int Read(const std::string& text) {
        skarvel_test::WriteFile(dir + "block.in", text);
        INPUT_FILE.clear();
        INPUT_FILE.open(dir + "block.in");
        OUTPUT_FILE.open(dir + "out.txt");
        ERROR_FILE.open(dir + "ERROR.OUT");
        except_ = 0;
        float pi = 3.1415927f, factor = 2.0f;
        getInputs(kReport, kScale, kLoad, &pi, &factor, &block);
        INPUT_FILE.close();
        OUTPUT_FILE.close();
        ERROR_FILE.close();
        return except_;
    }
    std::string Output() const { return skarvel_test::ReadFile(dir + "out.txt"); }
    std::string Errors() const { return skarvel_test::ReadFile(dir + "ERROR.OUT"); }

    std::string dir;
    OperatingBlock block;
};

const char kBlock[] =
    "FULL\nK\nSI\nDIMENSIONLESS\nTHRUST\n50\t2\t288\t1000\t1.1\t336\t1.5e-05\t\n"
    "0.6\t0.1\t3\t\n0.1\t0.05\t4\t\n88888\n";

TEST_F(GetInputsTest, ReadsAWriterBlock) {
    ASSERT_EQ(Read(kBlock), 0) << Errors() << Output();
    EXPECT_EQ(block.reportIndex, 1);
    EXPECT_EQ(block.loadIndex, 1);
    EXPECT_FALSE(block.dimensional);
    EXPECT_FLOAT_EQ(block.speed, 50.0f);
    EXPECT_FLOAT_EQ(block.diameter, 2.0f);
    EXPECT_FLOAT_EQ(block.temperature, 288.0f);
    EXPECT_FLOAT_EQ(block.altitude, 1000.0f * 3.28084f);
    EXPECT_FLOAT_EQ(block.kinematicViscosity, 1.5e-05f);
    EXPECT_FLOAT_EQ(block.advanceStart, 0.6f / 3.1415927f);
    EXPECT_FLOAT_EQ(block.advanceStep, 0.1f / 3.1415927f);
    EXPECT_EQ(block.advanceCount, 3);
    ASSERT_EQ(block.loadCount, 4);
    EXPECT_FLOAT_EQ(block.loads[3], 0.1f + 3 * 0.05f);
    EXPECT_FLOAT_EQ(block.scaledLoads[3], 2.0f * (0.1f + 3 * 0.05f));
    EXPECT_EQ(block.anotherBlock, 1);
}

TEST_F(GetInputsTest, ConvertsImperialDimensionalBlocks) {
    ASSERT_EQ(Read("REDUCED\nF\nIM\nDIMENSIONAL\nPOWER\n100\t6.56168\t500\t3000\t1.1\t336\t1.5e-05\t\n"
                   "2400\t0\t1\t\n100\t10\t2\t\n99999\n"),
              0)
        << Output();
    EXPECT_FLOAT_EQ(block.temperature, 500.0f * 0.5549133f);
    EXPECT_FLOAT_EQ(block.altitude, 3000.0f);
    EXPECT_FLOAT_EQ(block.speed, 100.0f * 0.514444f);
    EXPECT_NEAR(block.diameter, 2.0f, 1e-5f);
    // 2400 RPM: J/pi = V / (n D pi); a zero step stays zero.
    EXPECT_NEAR(block.advanceStart, 51.4444f / (40.0f * 2.0f * 3.1415927f), 1e-4f);
    EXPECT_FLOAT_EQ(block.advanceStep, 0.0f);
    EXPECT_FLOAT_EQ(block.loads[0], 100.0f * 745.7f);
    EXPECT_FLOAT_EQ(block.loads[1], 110.0f * 745.7f);
    EXPECT_EQ(block.anotherBlock, 0);
}

struct BadBlock {
    const char* name;
    std::string from, to;  // replacement in kBlock
    std::string message;
    bool errorFile = false;
};

void PrintTo(const BadBlock& b, std::ostream* os) { *os << b.name; }

class BadBlockTest : public GetInputsTest, public ::testing::WithParamInterface<BadBlock> {};

TEST_P(BadBlockTest, IsRefusedWithItsMessage) {
    std::string text = kBlock;
    text.replace(text.find(GetParam().from), GetParam().from.size(), GetParam().to);
    EXPECT_EQ(Read(text), 1);
    const std::string written = GetParam().errorFile ? Errors() : Output();
    EXPECT_NE(written.find(GetParam().message), std::string::npos) << written;
}

INSTANTIATE_TEST_SUITE_P(
    Records, BadBlockTest,
    ::testing::Values(
        BadBlock{"ReportMode", "FULL", "BRIEF",
                 " ERROR IN INPUT AT RECORD :  BRIEF\n          EXPECTED : REDUCED   OR   FULL"},
        BadBlock{"TemperatureUnit", "K\n", "R\n",
                 " ERROR IN INPUT AT RECORD :  R\n     EXPECTED : F  OR  C  OR K   "},
        BadBlock{"UnitSystem", "SI", "CGS",
                 " ERROR IN INPUT AT RECORD :  CGS\n          EXPECTED : IM   or   SI "},
        BadBlock{"Scale", "DIMENSIONLESS", "SCALED",
                 " ERROR IN INPUT AT RECORD :  SCALED\n          EXPECTED :DIMENSIONLESS  OR  "
                 "DIMENSIONAL"},
        BadBlock{"LoadWord", "THRUST", "TORQUE",
                 " ERROR IN INPUT AT RECORD :  TORQUE\n          EXPECTED : ANGLE   OR   THRUST   "
                 "OR   POWER"},
        BadBlock{"Separator", "88888", "77777",
                 " ERROR IN INPUT AT RECORD :  77777\n          EXPECTED : 88888   or   99999"},
        BadBlock{"FortyOneAdvanceRatios", "0.1\t3", "0.1\t41",
                 "\n\nNumber of advance ratios must be less than 40\n and number of CP's (or blade "
                 "angle) must be less than 99"},
        BadBlock{"HundredLoads", "0.05\t4", "0.05\t100", "must be less than 99"},
        BadBlock{"NoLoads", "0.05\t4", "0.05\t0", "must be at least 1"},
        BadBlock{"TextForTheDensity", "1.1\t", "dense\t",
                 "the density of an operating-point block = \"dense\" is not a finite number",
                 true},
        BadBlock{"BlockEndsEarly", "0.1\t0.05\t4\t\n88888\n", "0.1\t",
                 "the deck ends before the load step", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GetInputsTest, FortyAdvanceRatiosAndNinetyNineLoadsAreAccepted) {
    std::string text = kBlock;
    text.replace(text.find("0.1\t3"), 5, "0.1\t40");
    text.replace(text.find("0.05\t4"), 6, "0.05\t99");
    ASSERT_EQ(Read(text), 0) << Output();
    EXPECT_FLOAT_EQ(block.loads[98], 0.1f + 98 * 0.05f);
}

}  // namespace
