// The frame of the performance report page: HTML head and page table, the
// echo of a block's basic inputs, the inflow listing and the blade geometry.
#include <gtest/gtest.h>

#include <string>

#include "compute/engine_state.h"
#include "compute/perf_report_frame.h"
#include "tests/output_capture.h"

namespace {

const float kKnots = 0.514444f;

using skarvel_test::CaptureOutput;

TEST(PerfReportFrame, PreambleNamesScriptsBelowRootAndOpensTheTextCell) {
    root_directory = "opt/skarvel";
    const std::string text = CaptureOutput([] { WritePerformancePagePreamble(); });
    EXPECT_EQ(text.rfind("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"", 0),
              0u);
    EXPECT_NE(text.find("charset=windows-1252"), std::string::npos);
    EXPECT_NE(text.find("   <TITLE></TITLE>\n"), std::string::npos);
    for (const char* script : {"excanvas.pack.js", "jquery.js", "jquery.flot.js"})
        EXPECT_NE(text.find(std::string("src=\"//opt/skarvel/flot/") + script + "\""),
                  std::string::npos)
            << script;
    EXPECT_NE(text.find("<!--[if IE]><script"), std::string::npos);
    EXPECT_NE(text.find("</head>\n<body>\n<PRE>\n<table id=\"theTable\""), std::string::npos);
    const std::string cell = "<td bgcolor=\"#FFFFFF\">";
    EXPECT_EQ(text.substr(text.size() - cell.size()), cell);
}

TEST(PerfReportFrame, HeadingAndTitle) {
    EXPECT_EQ(CaptureOutput([] { WriteRotorResultsHeading("My prop"); }),
              "\n *********************************\n\n RESULTS OF THE ROTOR CALCULATIONS "
              "\n\n *********************************\n\n\nPROBLEM TITLE : My prop"
              "\n=============\n\n");
}

TEST(PerfReportFrame, BasicInputsAtForwardSpeedWithStandardAtmosphere) {
    BlockInputs b;
    b.speed = 50.0f;
    b.kinematicViscosity = 1.4607e-5f;
    b.soundSpeed = 340.294f;
    b.density = 1.225f;
    b.altitude = 3280.84f;
    b.temperature = 281.65f;
    b.standardAtmosphere = true;
    EXPECT_EQ(CaptureOutput([&] { WriteBlockStart(&b, &kKnots); }),
              "\n****** START ********************************************\n"
              "\n  BASIC INPUTS :\n"
              "\n  ========================\n"
              "\n      FORWARD SPEED  :   50.0000 m/s      ,     97.1923 knots"
              "\n      KINEMATIC VIS. :0.00001461 1/(m*m*s),     0.00015723 1/(Ft*Ft*s)"
              "\n      SOUND SPEED    :  340.2940 m/s      ,    661.4792 knots"
              "\n      FLUID DENSITY  :    1.2250 Kg/m**3  ,         0.0765 Lb/Ft**3"
              "\n      MACH NUMBER    :    0.1469"
              "\n"
              "\n   *Using International Standard Atmosphere*"
              "\n      ALTITUDE       : 1000.0001 m        ,      3280.8401 Ft "
              "\n      TEMPERATURE    :  281.6500 K        ,    506.9700 R  ");
}

TEST(PerfReportFrame, BasicInputsAtConstantRpmWithUserGas) {
    BlockInputs b;
    b.speed = -40.0f;  // 40 revolutions per second
    b.kinematicViscosity = 1.5e-5f;
    b.soundSpeed = 340.0f;
    b.density = 1.2f;
    const std::string text = CaptureOutput([&] { WriteBlockStart(&b, &kKnots); });
    EXPECT_NE(text.find("\n      CONSTANT RPM   : 2400.0000 RPM\n"), std::string::npos);
    EXPECT_NE(text.find("\n      VARIABLE MACH NUMBER\n\n   *User defined gas/fluid properties*"),
              std::string::npos);
    EXPECT_EQ(text.find("MACH NUMBER    :"), std::string::npos);
    EXPECT_EQ(text.find("ALTITUDE"), std::string::npos);
}

TEST(PerfReportFrame, InflowListing) {
    const int num = 2;
    geom_.PI = 3.1415927f;
    geom_.XHUB = 0.2f;
    behind_.IFLOW = 0;
    EXPECT_EQ(CaptureOutput([&] { WriteInflowListing(&num); }),
              "\n                      UNIFORM FLOW SPECIFIED\n");
    behind_.IFLOW = 1;
    const float velded[] = {0.1f, 0.05f, 0.0f};
    for (int j = 0; j <= num; ++j) {
        behind_.VELDED[j] = velded[j];
        behind_.THRDED[j] = 0.02f;
    }
    EXPECT_EQ(CaptureOutput([&] { WriteInflowListing(&num); }),
              "\n                   NONUNIFORM FLOW SPECIFIED\n"
              "\n                    X      VELDED    THRDED\n\n"
              "                 0.2000    0.1000    0.0200\n"
              "                 0.6000    0.0500    0.0200\n"
              "                 1.0000    0.0000    0.0200\n");
    behind_ = Behind{};
}

TEST(PerfReportFrame, BladeGeometryTable) {
    const float x[] = {0, 0.2f, 1.0f};
    const float chord[] = {0, 0.08f, 0.04f};
    const float camber[] = {0, 0.04f, 0.01f};
    const float tbyc[] = {0, 0.2f, 0.06f};
    const float twist[] = {0, 45.0f, 15.5f};
    const int count = 2, blades = 3;
    const float af = 95.5f, diameter = 2.0f, hub = 0.2f;
    EXPECT_EQ(CaptureOutput([&] {
                  WriteBladeGeometry(x, chord, camber, tbyc, twist, &count, &af, &blades,
                                     &diameter, &hub);
              }),
              "\n\n  BLADE GEOMETRY :\n  ================\n"
              "\n     X        CHORD/D   CAMBER     T/C      TWIST \n"
              "    0.2000    0.0800    0.0400    0.2000   45.0000\n"
              "    1.0000    0.0400    0.0100    0.0600   15.5000\n"
              "\n    ACTIVITY FACTOR  = 95.5000"
              "\n    BLADE NUMBER     = 3"
              "\n    TIP DIAMETER     = 2.0000 m, 6.5617 Ft"
              "\n    HUB/TIP DIAMETER = 0.2000\n"
              "<div id=\"GeometryPlot\" style=\"width:600px;height:300px;\"></div>\n");
}

TEST(PerfReportFrame, BlockMarkers) {
    EXPECT_EQ(CaptureOutput([] {
                  WriteAnalysisHeading();
                  WriteBlockEnd();
              }),
              "\n\n  RESULTS OF THE NUMERICAL ANALYSIS :\n  =================================\n\n"
              "\n****** END   ********************************************\n");
}

}  // namespace
