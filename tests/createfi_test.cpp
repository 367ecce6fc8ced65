// Design and optimum-loading decks, compared byte for byte with decks
// written out by hand.
#include <gtest/gtest.h>

#include <string>

#include "design/createfi.h"
#include "design/except.h"
#include "test_support.h"
#include "tests/project_fixture.h"

namespace {

using skarvel_test::ReadFile;
using skarvel_test::ScratchDir;
using skarvel_test::WriteFile;

using skarvel_test::TakeLog;

class BladeDecks : public ::testing::Test {
protected:
    void SetUp() override {
        TakeLog();
        dir = ScratchDir();
        gc.problemType = 3;
        gc.num = 8;
        gc.bladeCount = 2;
        gc.ngauss = 9;
        gc.hubRatio = 0.2f;
        gc.diameter = 1.88f;
        gc.activityFactor = 100;
        gc.title = "Demo";
        for (Operating_Point& p : points) {
            p.temperature = 288.15f;
            p.kinematicViscosity = 1.5e-05f;
            p.density = 1.225f;
            p.soundSpeed = 340.3f;
        }
        points[0].advanceRatio = 0.5f;
        points[0].loadKind = 2;
        points[0].loadValue = 0.05f;
        points[0].speed = 50;
        points[1].advanceRatio = 0.75f;
        points[1].loadKind = 1;
        points[1].loadValue = -0.02f;  // non-positive: lift coefficients written negative
        points[1].speed = 60;
    }

    CreateBladesFile Writer(int useOptimumLoading = 0) {
        return CreateBladesFile(points, gc, loading, inflow, lift, 3, 2, dir + "second.in",
                                dir + "first.in", dir + "first.out", useOptimumLoading);
    }

    std::string dir;
    Geometric_Constraints gc;
    Operating_Point points[2];
    Loading_Profile loading[3] = {{0.2f, 0}, {0.6f, 0.5f}, {1.0f, 0}};
    Inflow_Velocity inflow[3] = {{0.2f, 0.1f, 0}, {0.6f, 0.05f, 0}, {1.0f, 0, 0}};
    Lift_Coefficient lift[3] = {{0.2f, 0.004f, 0.1f}, {0.6f, 0.003f, 0.3f}, {1.0f, 0.001f, 0}};
};

// Records 9 to 14 of the two cases, the same in both deck kinds.
const char* kCaseTail0 =
    "Demo\n"
    "0\n"
    "1\n"
    "0.6\t0.003\t0.3\t\n"
    "50\t1.88\t1.4\t288.15\t1.5e-05\t1.225\t340.3\t\n"
    "888.888\n";
const char* kCaseTail1 =
    "Demo\n"
    "0\n"
    "1\n"
    "0.6\t0.003\t-0.3\t\n"
    "60\t1.88\t1.4\t288.15\t1.5e-05\t1.225\t340.3\t\n"
    "888.888\n";

TEST_F(BladeDecks, OptimumDeck) {
    EXPECT_EQ(Writer().WriteOpt(), 1);
    EXPECT_EQ(ReadFile(dir + "first.in"),
              std::string("2\t8\t2\t9\t0.5\t0.2\t\n"
                          "100\t\n"
                          "2\t0.05\t0.0005\t\n"
                          "1\n"
                          "DRAG\t0.3\t0.0000\n") +
                  kCaseTail0 +
                  "2\t8\t2\t9\t0.75\t0.2\t\n"
                  "100\t\n"
                  "1\t-0.02\t0.0002\t\n"
                  "1\n"
                  "DRAG\t0.3\t0.0000\n" +
                  kCaseTail1 + "999.999\n");
    EXPECT_EQ(TakeLog(), "");
}

TEST_F(BladeDecks, DesignDeckWithNonUniformInflowAndGivenLoading) {
    gc.inflowKind = 1;
    EXPECT_EQ(Writer().WriteDesign(), 1);
    const std::string inflowAndLoading =
        "NONUNIFORM\n"
        "0.2\t0.1\t0\t\n"
        "0.6\t0.05\t0\t\n"
        "1\t0\t0\t\n"
        "999.999\t0.0\t0.0\n"
        "1\n"
        "DRAG\t0.3\t0.0200\n"
        "0.0001\n"
        "0.2\t0\t\n"
        "0.6\t0.5\t\n"
        "1\t0\t\n"
        "999.999  0.0\n";
    EXPECT_EQ(ReadFile(dir + "second.in"),
              "3\t8\t2\t9\t0.5\t0.2\t\n100\t\n2\t0.05\t0.0005\t\n" + inflowAndLoading +
                  kCaseTail0 + "3\t8\t2\t9\t0.75\t0.2\t\n100\t\n1\t-0.02\t0.0002\t\n" +
                  inflowAndLoading + kCaseTail1 + "999.999\n");
}

TEST_F(BladeDecks, UniformDesignDeckTakesTheOptimumLoading) {
    gc.num = 5;
    gc.inflowKind = 0;
    points[1].loadValue = 0.03f;
    WriteFile(dir + "first.out",
              "\n\n        X        G       TANBI       UA        UT \n\n"
              "    0.2000    0.0000    1.0000    0.0100    0.0000\n"
              "    0.2500    0.1000    0.9000    0.0100    0.0000\n"
              "    0.4000    0.2500    0.8000    0.0100    0.0000\n"
              "    0.6000    0.3000    0.7000    0.0100    0.0000\n"
              "    0.8500    0.2000    0.6000    0.0100    0.0000\n"
              "    1.0000    0.0000    0.5000    0.0100    0.0000\n"
              "\n\n                    EFFICIENCY   =     0.8500\n");
    CreateBladesFile writer = Writer(1);
    EXPECT_EQ(writer.WriteDesign(), 1);
    ASSERT_EQ(writer.loads.size(), 6u);
    const std::string middle =
        "UNIFORM\n"
        "1\n"
        "DRAG\t0.3\t0.0200\n"
        "0.0001\n"
        "0.2\t0\t\n"
        "0.25\t0.1\t\n"
        "0.4\t0.25\t\n"
        "0.6\t0.3\t\n"
        "0.85\t0.2\t\n"
        "1\t0\t\n"
        "999.999  0.0\n";
    const std::string deck = ReadFile(dir + "second.in");
    EXPECT_EQ(deck, "3\t5\t2\t9\t0.5\t0.2\t\n100\t\n2\t0.05\t0.0005\t\n" + middle + kCaseTail0 +
                        "3\t5\t2\t9\t0.75\t0.2\t\n100\t\n1\t0.03\t0.0003\t\n" + middle +
                        "Demo\n0\n1\n0.6\t0.003\t0.3\t\n"
                        "60\t1.88\t1.4\t288.15\t1.5e-05\t1.225\t340.3\t\n888.888\n999.999\n");
}

TEST_F(BladeDecks, MissingOrShortOptimumLoadingWritesNoDeck) {
    const char* outputs[] = {
        "no table here\n",
        // num 8 needs 9 rows; only 2 are there.
        "        X        G       TANBI       UA        UT \n\n"
        "    0.2000    0.0000    1.0000    0.0100    0.0000\n"
        "    1.0000    0.0000    0.5000    0.0100    0.0000\n"};
    for (const char* output : outputs) {
        WriteFile(dir + "first.out", output);
        TakeLog();
        CreateBladesFile writer = Writer(1);
        EXPECT_THROW(writer.WriteDesign(), DeckWriterError);
        EXPECT_NE(TakeLog().find("was not found in '" + dir + "first.out'"), std::string::npos);
        EXPECT_FALSE(boost::filesystem::exists(dir + "second.in"));
    }
}

TEST_F(BladeDecks, RadialTablesMustSpanHubToTip) {
    struct {
        const char* name;
        float* radius;
        float value;
    } cases[] = {{"inflow hub", &inflow[0].radius, 0.25f},
                 {"lift tip", &lift[2].radius, 0.95f},
                 {"loading hub", &loading[0].radius, 0.21f}};
    for (const auto& c : cases) {
        const float kept = *c.radius;
        *c.radius = c.value;
        TakeLog();
        EXPECT_THROW(Writer(), DeckWriterError) << c.name;
        EXPECT_NE(TakeLog().find("\nData must span hub to tip range\n"), std::string::npos);
        *c.radius = kept;
    }
    EXPECT_THROW(CreateBladesFile(points, gc, loading, inflow, lift, 1, 2, "a", "b", "c", 0),
                 DeckWriterError);
    EXPECT_THROW(CreateBladesFile(points, gc, loading, inflow, lift, 3, 31, "a", "b", "c", 0),
                 DeckWriterError);
}

TEST_F(BladeDecks, UnopenableDeckIsReported) {
    CreateBladesFile writer(points, gc, loading, inflow, lift, 3, 2, dir + "no/such/second.in",
                            dir + "no/such/first.in", dir + "first.out", 0);
    EXPECT_EQ(writer.WriteOpt(), 0);
    EXPECT_NE(TakeLog().find("\nE R R O R  opening file;" + dir + "no/such/first.in\n"),
              std::string::npos);
}

TEST_F(BladeDecks, LineBreaksInTheTitleKeepTheDeckAligned) {
    gc.title = "two\nlines";
    EXPECT_EQ(Writer().WriteOpt(), 1);
    EXPECT_NE(ReadFile(dir + "first.in").find("DRAG\t0.3\t0.0000\ntwo lines\n0\n"),
              std::string::npos);
}

}  // namespace
