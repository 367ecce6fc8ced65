#include "compute/rdhead.h"

#include <gtest/gtest.h>

#include "compute/engine_state.h"
#include "tests/polar_file_builder.h"

using polar_builder::Build;
using polar_builder::EngineFiles;
using polar_builder::PolarContent;

TEST(PolarHeader, ReadsGridAnglesInRadiansAndLimitsFromLiftAngles) {
    EngineFiles files;
    PolarContent content;
    content.liftDeg = {0.0f, 90.0f};
    content.dragDeg = {-20.0f, 0.0f, 120.0f};
    files.Open(Build(content));
    read_polar_header__();
    EXPECT_EQ(except_, 0);
    EXPECT_EQ(shape_.NMACH, 3);
    EXPECT_EQ(shape_.NREY, 2);
    EXPECT_EQ(shape_.NTC, 3);
    EXPECT_EQ(shape_.NCAMB, 4);
    EXPECT_EQ(shape_.REYDB[1], 1e6f);
    EXPECT_EQ(shape_.CAMBDB[3], 0.06f);
    EXPECT_EQ(shape_.NALPHA[0], 2);
    EXPECT_EQ(shape_.NALPHA[1], 3);
    EXPECT_EQ(shape_.ALPHADB[0][0], 0.0f);
    const float right = 90.0f * 0.017453294f;  // float32 product
    EXPECT_EQ(shape_.ALPHADB[1][0], right);
    EXPECT_NEAR(right, 1.5707964f, 2e-7f);
    EXPECT_EQ(shape_.ALPHADB[2][1], 120.0f * 0.017453294f);
    EXPECT_EQ(amxum_.AMIN, 0.001f);
    EXPECT_EQ(amxum_.AMAX, right - 0.001f);
    EXPECT_EQ(files.Error(), "");
}

TEST(PolarHeader, AcceptsTheLargestGrid) {
    EngineFiles files;
    PolarContent content;
    for (auto* g : {&content.mach, &content.rey, &content.tc, &content.camb}) {
        g->clear();
        for (int i = 0; i < 25; ++i) g->push_back(0.01f * i);
    }
    content.liftDeg.assign(30, 0.0f);
    files.Open(Build(content));
    read_polar_header__();
    EXPECT_EQ(except_, 0);
    EXPECT_EQ(shape_.NCAMB, 25);
    EXPECT_EQ(shape_.NALPHA[0], 30);
}

struct BadHeader {
    const char* name;
    std::size_t item;  // 4-byte item overwritten
    int32_t value;
    int code;          // ComputeFailure code in the error file
};

class PolarHeaderFailure : public ::testing::TestWithParam<BadHeader> {};

// Items: 0 magic, 1..4 counts Mach, Reynolds, t/c, camber; grids follow
// (3 + 2 + 3 + 4 = 12 floats), item 17 the lift angle count, 24 the drag one.
INSTANTIATE_TEST_SUITE_P(
    Cases, PolarHeaderFailure,
    ::testing::Values(BadHeader{"WrongMagic", 0, 7767224, 1},
                      BadHeader{"ZeroMach", 1, 0, 0}, BadHeader{"ZeroCamber", 4, 0, 0},
                      BadHeader{"MachCount26", 1, 26, 1}, BadHeader{"TcCount26", 3, 26, 1},
                      BadHeader{"NegativeReynoldsCount", 2, -1, 1},
                      BadHeader{"LiftAngleCount31", 17, 31, 1},
                      BadHeader{"DragAngleCount31", 24, 31, 1},
                      BadHeader{"NegativeAngleCount", 17, -3, 1},
                      BadHeader{"ZeroAngleCount", 17, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(PolarHeaderFailure, ReportsCodeAndStopsWithStatus1) {
    EngineFiles files;
    auto bytes = Build(PolarContent{});
    bytes.SetInt(GetParam().item, GetParam().value);
    files.Open(bytes);
    read_polar_header__();
    EXPECT_EQ(except_, 1);
    const std::string expected =
        GetParam().code == 0
            ? "NO POLAR DATA AVAILABLE ... CAN'T PROCEED FURTHER. At file:../../compute/rdhead; line:130"
            : "CORRUPT OR NON-BINARY FILE SPECIFIED. THIS ERROR\nCAN ALSO BE CAUSED BY SPECIFYING "
              "VALUES OF GREATER\nTHAN 1024 FOR NUMBER OF TBYC,MACH,REY,CAMB VALUES At "
              "file:../../compute/rdhead; line:130";
    EXPECT_EQ(files.Error(), expected);
}

TEST(PolarHeader, ZeroCountWinsOverTooLargeCount) {
    EngineFiles files;
    auto bytes = Build(PolarContent{});
    bytes.SetInt(1, 26);
    bytes.SetInt(4, 0);
    files.Open(bytes);
    read_polar_header__();
    EXPECT_EQ(except_, 1);
    EXPECT_EQ(files.Error().rfind("NO POLAR DATA AVAILABLE", 0), 0u);
}

TEST(PolarHeader, FileEndingInsideTheHeaderIsCorrupt) {
    for (std::size_t keep : {0, 3, 10, 20, 30}) {
        EngineFiles files;
        auto bytes = Build(PolarContent{});
        bytes.data.resize(keep * 4);
        files.Open(bytes);
        read_polar_header__();
        EXPECT_EQ(except_, 4) << keep << " items";
        EXPECT_NE(files.Error().find("ends inside its header"), std::string::npos);
    }
}
