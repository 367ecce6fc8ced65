// The performance deck, compared byte for byte with a deck written out by
// hand, and its refusals.
#include <gtest/gtest.h>

#include <string>

#include "design/except.h"
#include "design/mkperf.h"
#include "test_support.h"

namespace {

using skarvel_test::ReadFile;
using skarvel_test::ScratchDir;

class PerformanceDeck : public ::testing::Test {
protected:
    void SetUp() override {
        dir = ScratchDir();
        gc.bladeCount = 2;
        gc.hubRatio = 0.2f;
        gc.diameter = 1.88f;
        gc.activityFactor = 100;
        gc.title = "Demo";
        gc.inflowKind = 1;
        points[0] = Operating_Point{0.5f, 0, 50, 288.15f, 1.5e-05f, 0, 1.225f, 340.3f, 1, 2,
                                    0.05f, 0};
        points[1] = Operating_Point{0.75f, 0, 60, 281.65f, 1.6e-05f, 1000, 1.112f, 336.4f, 1, 3,
                                    25, 0};
        options[1] = Options{0, 0.05f, 3, 0.02f, 2};
    }
    void Write(int nPoints = 2) {
        CreatePerformanceFile deck(dir + "perform.in", 4, 9, 8, nPoints);
        deck.write_to_file(points, gc, inflow, options, geometry, 3);
    }

    std::string dir;
    Geometric_Constraints gc;
    Operating_Point points[2];
    Options options[2];
    Inflow_Velocity inflow[4] = {
        {0.3f, 0.1f, 0}, {0.6f, 0.08f, 0}, {0.8f, 0.06f, 0}, {0.9f, 0.05f, 0}};
    Propeller_geom geometry[3] = {{0.2f, 0.07f, 0.1f, 0.3f, 42},
                                  {0.6f, 0.08f, 0.3f, 0.09f, 24},
                                  {1.0f, 0.04f, 0.2f, 0.06f, 16.5f}};
};

TEST_F(PerformanceDeck, TwoPointsWithHubAndTipInflowRows) {
    Write();
    EXPECT_EQ(ReadFile(dir + "perform.in"),
              "4\t8\t2\t9\t0.5\t0.2\t\n"
              "100\t\n"
              "NONUNIFORM\n"
              "0.2\t0.1\t0\t\n"
              "0.3\t0.1\t0\t\n"
              "0.6\t0.08\t0\t\n"
              "0.8\t0.06\t0\t\n"
              "0.9\t0.05\t0\t\n"
              "1\t0.05\t0\t\n"
              "999.999\t0.0\t0.0\n"
              "Demo\n"
              "3\n"
              "0.75\t21.1875\n"
              "0.2\t0.07\t0.1\t0.3\t42\t\n"
              "0.6\t0.08\t0.3\t0.09\t24\t\n"
              "1\t0.04\t0.2\t0.06\t16.5\t\n"
              "FULL\nK\nSI\nDIMENSIONLESS\nPOWER\n"
              "50\t1.88\t288.15\t0\t1.225\t340.3\t1.5e-05\t\n"
              "0.5\t0.1\t1\t\n"
              "0.05\t0.1\t1\t\n"
              "88888\n"
              "REDUCED\nK\nSI\nDIMENSIONLESS\nANGLE\n"
              "60\t1.88\t281.65\t1000\t1.112\t336.4\t1.6e-05\t\n"
              "0.75\t0.05\t3\t\n"
              "25\t0.02\t2\t\n"
              "99999\n"
              "888.888\n");
}

TEST_F(PerformanceDeck, UniformInflowAndASingleBlock) {
    gc.inflowKind = 0;
    points[0].loadKind = 1;
    Write(1);
    const std::string deck = ReadFile(dir + "perform.in");
    const std::string head = "4\t8\t2\t9\t0.5\t0.2\t\n100\t\nUNIFORM\nDemo\n3\n";
    EXPECT_EQ(deck.substr(0, head.size()), head);
    EXPECT_NE(deck.find("DIMENSIONLESS\nTHRUST\n"), std::string::npos);
    EXPECT_EQ(deck.substr(deck.size() - 14), "99999\n888.888\n");
    EXPECT_EQ(deck.find("88888\n"), std::string::npos);
}

TEST_F(PerformanceDeck, ReferenceAngle) {
    CreatePerformanceFile deck(dir + "x.in", 1, 9, 8, 1);
    Propeller_geom atStation[3] = {{0.5f, 0, 0, 0, 30}, {0.75f, 0, 0, 0, 20}, {1, 0, 0, 0, 10}};
    EXPECT_EQ(deck.get_reference_angle(atStation, 3), std::make_pair(0.75f, 20.0f));
    EXPECT_EQ(deck.get_reference_angle(geometry, 3).second, 21.1875f);
    Propeller_geom fromTip[2] = {{0.8f, 0, 0, 0, 30}, {1, 0, 0, 0, 10}};
    EXPECT_THROW(deck.get_reference_angle(fromTip, 2), int);
    Propeller_geom startingAt75[2] = {{0.75f, 0, 0, 0, 30}, {1, 0, 0, 0, 10}};
    EXPECT_THROW(deck.get_reference_angle(startingAt75, 2), int);
}

TEST_F(PerformanceDeck, RefusedDeckIsLeftEmpty) {
    struct {
        const char* name;
        int reportMode, loadKind;
        float firstRadius;
    } cases[] = {{"report mode 2", 2, 2, 0.2f},
                 {"load kind 0", 1, 0, 0.2f},
                 {"load kind 4", 1, 4, 0.2f},
                 {"no 75 % station", 1, 2, 0.8f}};
    for (const auto& c : cases) {
        options[1].reportMode = c.reportMode;
        points[1].loadKind = c.loadKind;
        Propeller_geom g[3] = {geometry[0], geometry[1], geometry[2]};
        g[0].radius = c.firstRadius;
        g[1].radius = c.firstRadius == 0.2f ? 0.6f : 0.9f;
        {
            CreatePerformanceFile deck(dir + "perform.in", 4, 9, 8, 2);
            try {
                deck.write_to_file(points, gc, inflow, options, g, 3);
                ADD_FAILURE() << c.name << " written";
            } catch (int code) {
                EXPECT_EQ(code, 1) << c.name;
            }
        }
        EXPECT_EQ(ReadFile(dir + "perform.in"), "") << c.name;
        options[1].reportMode = 0;
        points[1].loadKind = 3;
    }
}

TEST_F(PerformanceDeck, UnopenableDeckIsReported) {
    outstr.str("");
    CreatePerformanceFile deck(dir + "missing/perform.in", 4, 9, 8, 2);
    EXPECT_FALSE(deck.is_open());
    deck.write_to_file(points, gc, inflow, options, geometry, 3);
    EXPECT_NE(outstr.str().find("\nE R R O R  opening file;" + dir + "missing/perform.in\n"),
              std::string::npos);
    outstr.str("");
}

}  // namespace
