// The geometry plot file and the performance comparison report, compared
// byte for byte with files written out by hand.
#include <gtest/gtest.h>

#include <string>

#include "design/except.h"
#include "design/plot.h"
#include "test_support.h"

namespace {

using skarvel_test::ReadFile;
using skarvel_test::ScratchDir;

const char* kTitle = "\"Comparison of design geometries\"";
const char* kVariables = "\"radius\", \"chord/D\", \"camber\", \"t/c\", \"twist\"";
const char* kHeader =
    "TITLE = \"Comparison of design geometries\",\n"
    "VARIABLES = \"radius\", \"chord/D\", \"camber\", \"t/c\", \"twist\"\n";

class PlotFiles : public ::testing::Test {
protected:
    void SetUp() override { dir = ScratchDir(); }
    std::string dir;
    int handle = 0;
    const char* names[2] = {"Design geometry 0", "Design geometry 1"};
    Propeller_geom g0[2] = {{0.5f, 0.1234f, 0.02f, 0.1f, 45}, {1.0f, 0.05f, 0, 0.06f, 20.25f}};
    Propeller_geom g1[2] = {{0.25f, 0.2f, 0.03f, 0.12f, 50.5f}, {0.75f, 0.1f, 0.01f, 0.08f, 30}};
    const Propeller_geom* geometries[2] = {g0, g1};
    int order[2] = {1, 0};
};

TEST_F(PlotFiles, ZonesInTheGivenOrder) {
    {
        WritePlotFile plot(handle, dir + "_Project.pld", kTitle, kVariables, names, geometries,
                           2, order, 2, 1);
        plot.write();
        plot.close_file();
    }
    EXPECT_EQ(ReadFile(dir + "_Project.pld"),
              std::string(kHeader) +
                  "ZONE T = \"Design geometry 1\",  I= 2, J= 1\n"
                  "   0.2500 0.2000 0.0300 0.1200 50.5000 \n"
                  "   0.7500 0.1000 0.0100 0.0800 30.0000 \n"
                  "ZONE T = \"Design geometry 0\",  I= 2, J= 1\n"
                  "   0.5000 0.1234 0.0200 0.1000 45.0000 \n"
                  "   1.0000 0.0500 0.0000 0.0600 20.2500 \n");
}

TEST_F(PlotFiles, NoZonesLeavesTheHeader) {
    {
        WritePlotFile plot(handle, dir + "p.pld", kTitle, kVariables, names, geometries, 2,
                           order, 0, 1);
        plot.write();
    }
    EXPECT_EQ(ReadFile(dir + "p.pld"), kHeader);
}

TEST_F(PlotFiles, CombinedPlotRepeatsAndAddsTheFittedZone) {
    Propeller_geom f0[3] = {{0.2f, 0.1f, 0.02f, 0.2f, 50}, {0.6f, 0.1f, 0.02f, 0.1f, 40},
                            {1.0f, 0.05f, 0, 0.06f, 20}};
    const Propeller_geom* fitted[2] = {f0, nullptr};
    int first[1] = {0};
    {
        WriteCombinedPlot plot(handle, dir + "c.pld", kTitle, kVariables, names, geometries, 2,
                               first, 1, 2);
        plot.fittedStations = 3;
        plot.fittedGeometries = fitted;
        plot.write();
    }
    const std::string raw =
        "   0.5000 0.1234 0.0200 0.1000 45.0000 \n"
        "   1.0000 0.0500 0.0000 0.0600 20.2500 \n";
    const std::string smooth =
        "   0.2000 0.1000 0.0200 0.2000 50.0000 \n"
        "   0.6000 0.1000 0.0200 0.1000 40.0000 \n"
        "   1.0000 0.0500 0.0000 0.0600 20.0000 \n";
    EXPECT_EQ(ReadFile(dir + "c.pld"),
              std::string(kHeader) + "ZONE T = \"Design geometry 0\",  I= 2, J= 2\n" + raw + raw +
                  "ZONE T = \"Design geometry 0 - fitted\",  I= 3, J= 2\n" + smooth + smooth);
}

TEST_F(PlotFiles, NullNameStopsTheFile) {
    const char* partial[2] = {"Design geometry 0", nullptr};
    {
        WritePlotFile plot(handle, dir + "n.pld", kTitle, kVariables, partial, geometries, 2,
                           order, 2, 1);
        plot.write();
    }
    EXPECT_EQ(ReadFile(dir + "n.pld"), std::string(kHeader) + "ZONE T = \"");
}

TEST_F(PlotFiles, UnopenableFileIsReportedAndThrown) {
    outstr.str("");
    EXPECT_THROW(WritePlotFile(handle, dir + "none/p.pld", kTitle, kVariables, names,
                               geometries, 2, order, 2, 1),
                 PlotFileError);
    EXPECT_NE(outstr.str().find(">> in file:../../design/plot at line:23\nERROR opening plot "
                                "file\n"),
              std::string::npos);
    outstr.str("");
}

TEST_F(PlotFiles, PerformanceComparison) {
    Performance results[4];
    results[0].J = 0.5f;
    results[0].TARGET = 0.05f;
    results[1].J = 0.8f;
    results[1].TARGET = 0.2f;
    results[2] = Performance{0.05f, 0.06f, 0.051f, 0.061f, 0.5f, 25.5f, 0.05f, 0, 0, 0, 10, 1, 0};
    results[3].J = 0.8f;
    results[3].TARGET = 0.2f;
    const float eff[4] = {0.8f, 0.75f, 0.8123f, 99.0f};
    const ERR_RMS errors[2] = {{0.05f, 0}, {0.0123f, 1}};
    const float reference[2] = {0.85f, 0.8f};
    {
        WritePerformanceResult report(handle, dir + "_Project.pr1", kTitle, names, eff, results,
                                      errors, 2, order, reference);
        report.write();
    }
    const std::string blanks(65, ' ');
    const std::string expected =
        "\n\"Comparison of design geometries\"\n\n"
        "  Reference vector: \n"
        "\t\tJ      Efficiency\n"
        "\t=====    ==========\n"
        "  0.500      0.850\n"
        "  0.800      0.800\n" +
        blanks + "N    N L    \n" +  //
        blanks + "C  N O S   M\n" +  //
        blanks + "P  P T T L W\n" +  //
        blanks + "E  A P A G A\n" +  //
        blanks + "R  S O L I R\n" +
        "               J    BETA   CPCOR  CTCOR    EFFIC  RawCP  RawCT   R  5 S L G N   Target\n"
        "Design geometry 1\n"
        "=================\n"
        "              0.500  25.50  0.050  0.060   0.8123  0.051  0.061  0  110 0 0 0   0.050\n"
        "              0.800   0.00  0.000  0.000  99.0000  0.000  0.000  0  0 0 0 0 0   0.200\n"
        "          Error statistics:\n"
        "          ================\n"
        "          Figure of merit =    0.0123;  Bad_Count = 1\n"
        "Design geometry 0\n"
        "=================\n"
        "              0.500   0.00  0.000  0.000   0.8000  0.000  0.000  0  0 0 0 0 0   0.050\n"
        "              0.800   0.00  0.000  0.000   0.7500  0.000  0.000  0  0 0 0 0 0   0.200\n"
        "          Error statistics:\n"
        "          ================\n"
        "          Figure of merit =    0.0500;  Bad_Count = 0\n";
    EXPECT_EQ(ReadFile(dir + "_Project.pr1"), expected);
}

}  // namespace
