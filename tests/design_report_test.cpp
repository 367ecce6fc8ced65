// The design report: labels and number formats that the result scanners
// read back, the sections of each problem type, and the run stamp.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>

#include "compute/proprun.h"
#include "tests/engine_decks.h"
#include "tests/fake_geometry.h"

namespace {

using engine_test::DesignCase;
using engine_test::EngineRun;

std::string Report(const std::vector<DesignCase>& cases) {
    EngineRun run;
    EXPECT_EQ(run.Run(engine_test::Deck(cases)), 0) << run.Error();
    return run.Output();
}

std::string LineWith(const std::string& text, const std::string& what, std::size_t from = 0) {
    const std::size_t at = text.find(what, from);
    if (at == std::string::npos) return "";
    const std::size_t begin = text.rfind('\n', at) + 1;
    return text.substr(begin, text.find('\n', at) - begin);
}

TEST(DesignReport, ScannersFindTheEfficiencyAndTheLoadingTable) {
    DesignCase c;
    c.num = 6;
    const std::string out = Report({c});
    // Efficiency: the third blank-separated word of the line with the key.
    std::istringstream words(LineWith(out, "EFFICIENCY   = "));
    std::string first, second;
    float efficiency = 0;
    words >> first >> second >> efficiency;
    EXPECT_EQ(first + second, "EFFICIENCY=");
    EXPECT_GT(efficiency, 0.8f);
    EXPECT_LT(efficiency, 1.0f);
    // Loading table: NUM + 1 rows of five numbers right after the key line.
    std::istringstream table(out.substr(out.find('\n', out.find("TANBI")) + 1));
    for (int j = 0; j <= c.num; ++j) {
        float v[5];
        for (float& x : v) ASSERT_TRUE(table >> x) << "row " << j;
    }
    EXPECT_EQ(LineWith(out, "TANBI"), "        X        G       TANBI       UA        UT ");
    EXPECT_EQ(LineWith(out, "EFFICIENCY").size(), 20u + 15u + 10u);
}

TEST(DesignReport, SectionsOfAClassicalDesignWithGivenDisplacementVelocity) {
    DesignCase c;
    c.type = 1;
    c.load = 0.08f;
    c.title = "Given wake " + std::string(140, 'x');
    const std::string out = Report({c});
    EXPECT_EQ(out.find("\n\n ***********************************\n\n RESULTS OF THE SKARVel "
                       "CALCULATIONS \n\n ***********************************\n\n\nPROBLEM TITLE : "
                       "Given wake "),
              0u);
    EXPECT_EQ(LineWith(out, "PROBLEM TITLE").size(), 16u + 128u);
    EXPECT_NE(out.find("\n\n    PROBLEM TYPE :  CLASSICAL DESIGN                \n"),
              std::string::npos);
    EXPECT_NE(out.find("\n    ========================\n\n                      DISP. VEL.   = 0.08\n"
                       "                      ADVANCE RATIO = 1.2\n"
                       "                      BLADE NUMBER  = 3\n"
                       "                      HUB DIAMETER  = 0.2\n"),
              std::string::npos);
    EXPECT_NE(out.find("\n                 INITIAL DRAG/LIFT COEFFICIENT DATA\n"
                       "                             X        CD/CL\n"
                       "                             0.3         0\n"),
              std::string::npos);
    EXPECT_EQ(LineWith(out, "DISP. VEL.   =", out.find("TANBI")),
              "                    DISP. VEL.   =       0.08");
    EXPECT_EQ(out.find("UNIFORM FLOW"), std::string::npos);
}

TEST(DesignReport, GeneralizedDesignShowsShapeAndInflowButNoDisplacementVelocity) {
    DesignCase c;
    c.type = 3;
    c.num = 4;
    c.inflow = "NONUNIFORM\n0.2\t0.1\t0.0\t\n1\t0.0\t0.0\t\n999.999\t0.0\t0.0\n";
    c.loading = "0.2\t0\t\n0.6\t1\t\n1\t0\t\n";
    const std::string out = Report({c});
    EXPECT_NE(out.find("    PROBLEM TYPE :  GENERALIZED DESIGN              \n"), std::string::npos);
    EXPECT_NE(out.find("                      SPECIFIED SHAPE OF THE CIRCULATION DISTRIBUTION :\n"
                       "                            X         CIRC\n\n"
                       "                             0.2         0\n"
                       "                             0.6         1\n"
                       "                               1         0\n"),
              std::string::npos);
    EXPECT_NE(out.find("\n                      NONUNIFORM FLOW SPECIFIED\n\n"
                       "                             X      VELDED    THRDED\n"
                       "                             0.2       0.1         0\n"),
              std::string::npos);
    EXPECT_EQ(out.find("DISP. VEL."), std::string::npos);
    EXPECT_NE(out.find("THRUST COEFF = 0.1\n"), std::string::npos);
}

TEST(DesignReport, LaterReportsWriteTheirInputsWithPrecisionFour) {
    DesignCase first;
    first.J = 1.23456f;
    first.geometrySwitch = 0;
    DesignCase second = first;
    second.geometrySwitch = 1;
    const std::string out = Report({first, second});
    const std::size_t at = out.find("ADVANCE RATIO = 1.23456\n");
    ASSERT_NE(at, std::string::npos);
    EXPECT_NE(out.find("ADVANCE RATIO = 1.235\n", at), std::string::npos);
}

TEST(DesignReport, RunStampAndTrailerCloseThePage) {
    const std::string out = Report({DesignCase()});
    const std::string head =
        "\n\n   ++++++++++++++++++++++++++++++++++++++++++++++"
        "\n\n   SKARVel run completed on (DD/MM/YY)   : ";
    const std::string trailer =
        "\n</td>\n<td>  </td>\n</tr>\n<tr>\n<td> </td>\n<td> </td>\n<td> </td>\n</tr>\n"
        "</table></pre>\n<script id=\"source\" language=\"javascript\" type=\"text/javascript\" "
        "src=\"///install/flot/plotPolar.js\"></script>\n</body>\n</html>\n";
    const std::size_t at = out.find(head);
    ASSERT_NE(at, std::string::npos);
    // Hour, then the date month first: "HH:MM/DD/YY".
    const std::string stamp = out.substr(at + head.size(), 11);
    for (std::size_t i : {0u, 1u, 3u, 4u, 6u, 7u, 9u, 10u}) EXPECT_TRUE(std::isdigit(stamp[i])) << stamp;
    EXPECT_EQ(stamp[2], ':');
    EXPECT_EQ(stamp[5], '/');
    EXPECT_EQ(stamp[8], '/');
    EXPECT_EQ(out.substr(at + head.size() + 11), trailer);
}

}  // namespace
