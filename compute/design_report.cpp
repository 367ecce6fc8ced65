#include "compute/design_report.h"

#include <cmath>
#include <iomanip>
#include <string>

#include "compute/deck_reader.h"
#include "compute/engine_state.h"
#include "compute/lifting_line.h"
#include "compute/loading_integrals.h"

namespace {

const std::string k22(22, ' ');
const std::string k20(20, ' ');
constexpr std::size_t kTitleLength = 128;

// A number of a table row or of the summary: precision 4, width 10.
struct Num {
    float value;
};
std::ostream& operator<<(std::ostream& out, Num n) {
    out.precision(4);
    return out << std::setw(10) << n.value;
}

float RigidHelixCoefficient(int kind, float* coefficients) {
    float result = 0.0f;
    ctorcz_(&result, gauss_.GABSC, gauss_.GWGHT, &kind, &geom_.NBLADE, &gauss_.NGAUSS,
            coefficients, &s123_.NUMM1, &geom_.XHUB, &geom_.LAMBDA, &geom_.LAMW, &geom_.WBAR,
            drag_.CDCLG);
    return result;
}

// Normalised thrust and power coefficients of the design, with the label of
// the prescribed quantity; COEF becomes the value shown in the inputs.
bool DesignCoefficients(float* coefficients, float* cts, float* cps, std::string* label) {
    const float J = geom_.PI * geom_.LAMBDA;
    const float thrustScale = J * J * geom_.PI / 8.0f;
    const float powerScale = J * J * J * geom_.PI / 8.0f;
    switch (s123_.CODE) {
        case 1:
            gopt2_.COEF = geom_.WBAR;
            *cps = RigidHelixCoefficient(2, coefficients);
            *cts = RigidHelixCoefficient(1, coefficients);
            *label = "DISP. VEL.  ";
            return true;
        case 2:
            if (gopt2_.KCOEF == 1) {
                *label = "THRUST COEFF";
                *cts = gopt2_.COEFCALC;
                gopt2_.COEF *= thrustScale;
                *cps = RigidHelixCoefficient(2, coefficients);
            } else {
                *label = "POWER COEFF ";
                *cps = gopt2_.COEFCALC;
                gopt2_.COEF *= powerScale;
                *cts = RigidHelixCoefficient(1, coefficients);
            }
            return true;
        case 3: {
            float tanb[kGridSize];
            for (int j = 0; j <= s123_.NUM; ++j) tanb[j] = std::tan(gspec_.BETAG[j]);
            int mode = 1;
            int first = 1;
            float unused = 0.0f;
            if (gopt2_.KCOEF == 1) {
                *label = "THRUST COEFF";
                *cts = gopt2_.COEF;
                gopt2_.COEF *= thrustScale;
                int kind = 2;
                kcalc_(cps, coefficients, &unused, &kind, &mode, tanb, drag_.CDCLG, &first);
            } else {
                if (gopt2_.KCOEF == 2) *label = "POWER COEFF ";
                *cps = gopt2_.COEF;
                gopt2_.COEF *= powerScale;
                int kind = 1;
                kcalc_(cts, coefficients, &unused, &kind, &mode, tanb, drag_.CDCLG, &first);
            }
            return except_ == 0;
        }
        default:
            OUTPUT_FILE << " INVALID CODE--CODE=" << s123_.CODE << "      PROGRAM HALTED\n";
            except_ = 1;
            return false;
    }
}

bool ReadTitle(std::string* title) {
    std::string rest;
    if (!ReadDeckLine(&rest) || !ReadDeckLine(title)) {
        ERROR_FILE << "\nINPUT ERROR: the deck ends before the problem title\n";
        except_ = 1;
        return false;
    }
    if (title->size() > kTitleLength) title->resize(kTitleLength);
    return true;
}

void WriteInputs(const std::string& label) {
    const float J = geom_.PI * geom_.LAMBDA;
    OUTPUT_FILE << "\n\n    PROBLEM TYPE :  "
                << (s123_.CODE == 3 ? "GENERALIZED DESIGN              "
                                    : "CLASSICAL DESIGN                ")
                << "\n";
    OUTPUT_FILE << "\n\n    BASIC INPUTS :" << "\n    ========================\n\n"
                << k22 << label << " = " << gopt2_.COEF << "\n" << k22 << "ADVANCE RATIO = " << J
                << "\n" << k22 << "BLADE NUMBER  = " << static_cast<float>(geom_.NBLADE) << "\n"
                << k22 << "HUB DIAMETER  = " << geom_.XHUB << "\n";
    if (s123_.CODE == 3) {
        OUTPUT_FILE << "\n" << k22 << "SPECIFIED SHAPE OF THE CIRCULATION DISTRIBUTION :\n"
                    << "                            X         CIRC\n\n";
        for (int k = 1; k <= gspec_.NCIRC; ++k)
            OUTPUT_FILE << k22 << Num{gspec_.XCIRC[k]} << Num{gspec_.CIRC[k]} << "\n";
        if (behind_.IFLOW == 0) {
            OUTPUT_FILE << "\n                      UNIFORM FLOW SPECIFIED\n";
        } else {
            OUTPUT_FILE << "\n                      NONUNIFORM FLOW SPECIFIED"
                        << "\n\n                             X      VELDED    THRDED\n";
            for (int j = 0; j <= s123_.NUM; ++j)
                OUTPUT_FILE << k22 << Num{GridPointRadius(j)} << Num{behind_.VELDED[j]}
                            << Num{behind_.THRDED[j]} << "\n";
        }
    }
    OUTPUT_FILE << "\n                 INITIAL DRAG/LIFT COEFFICIENT DATA"
                << "\n                             X        CD/CL\n";
    for (int k = 1; k <= drag_.NDRAG; ++k)
        OUTPUT_FILE << k22 << Num{drag_.XDRAG[k]} << Num{drag_.CDCL[k]} << "\n";
}

void WriteDistribution(const float* coefficients) {
    OUTPUT_FILE << "\n************************************************\n"
                << "  RESULTS OF THE NUMERICAL ANALYSIS :\n  "
                << "=====================================\n\n\n"
                << "\n\n        X        G       TANBI       UA        UT \n\n";
    const int N = s123_.NUM;
    const int M = s123_.NUMM1;
    for (int j = 0; j <= N; ++j) {
        const float X = j == N ? 1.0f : GridPointRadius(j);
        float G = 0.0f, UA = 0.0f, UT = 0.0f;
        for (int n = 1; n <= M; ++n) {
            const float a = coefficients[n - 1];
            G += a * std::sin(static_cast<float>(n) * gopt1_.PHI[j]);
            UA += static_cast<float>(n) * a * gopt1_.HMAT[0][j][n];
            UT += static_cast<float>(n) * a * gopt1_.HMAT[1][j][n];
        }
        if (j == 0 || j == N) G = 0.0f;
        UA /= 1.0f - geom_.XHUB;
        UT /= 1.0f - geom_.XHUB;
        const float TANBI = (1.0f - behind_.VELDED[j] + UA) / (X / geom_.LAMBDA - UT);
        OUTPUT_FILE << Num{X} << Num{G} << " " << Num{TANBI} << Num{UA} << Num{UT} << "\n";
    }
}

void WriteSummary(float cts, float cps) {
    const float J = geom_.PI * geom_.LAMBDA;
    const float efficiency = cts / cps;
    const float CT = cts * J * J * geom_.PI / 8.0f;
    const float CP = cps * J * J * J * geom_.PI / 8.0f;
    OUTPUT_FILE << "\n\n";
    if (s123_.CODE == 1 || s123_.CODE == 2)
        OUTPUT_FILE << k20 << "DISP. VEL.  " << " = " << Num{geom_.WBAR} << "\n";
    OUTPUT_FILE << k20 << "THRUST COEFF" << " = " << Num{CT} << "\n" << k20 << "POWER COEFF "
                << " = " << Num{CP} << "\n" << k20 << "EFFICIENCY   = " << Num{efficiency}
                << "\n";
}

}  // namespace

int output_(float* coefficients) {
    OUTPUT_FILE << "\n\n ***********************************"
                << "\n\n RESULTS OF THE SKARVel CALCULATIONS "
                << "\n\n ***********************************\n";
    float cts = 0.0f, cps = 0.0f;
    std::string label(12, ' ');
    if (!DesignCoefficients(coefficients, &cts, &cps, &label)) return 0;
    std::string title;
    if (!ReadTitle(&title)) return 0;
    OUTPUT_FILE << "\n\nPROBLEM TITLE : " << title << "\n=============\n\n\n";
    WriteInputs(label);
    WriteDistribution(coefficients);
    WriteSummary(cts, cps);
    return 0;
}

int timstm_(std::time_t* /*start*/) {
    const std::time_t now = std::time(nullptr);
    char stamp[64] = {};
    if (const std::tm* local = std::localtime(&now))
        // "%m/%d/%y" rather than its short form "%D", which the Windows C
        // runtime does not know.
        std::strftime(stamp, sizeof stamp, "%H:%m/%d/%y", local);
    OUTPUT_FILE << "\n\n   ++++++++++++++++++++++++++++++++++++++++++++++"
                << "\n\n   SKARVel run completed on (DD/MM/YY)   : " << stamp << "\n";
    OUTPUT_FILE << "</td>\n" << "<td>  </td>\n" << "</tr>\n" << "<tr>\n";
    for (int i = 0; i < 3; ++i) OUTPUT_FILE << "<td> </td>\n";
    OUTPUT_FILE << "</tr>\n" << "</table></pre>\n"
                << "<script id=\"source\" language=\"javascript\" type=\"text/javascript\" src=\""
                << "//" << root_directory << "/flot/plotPolar.js" << "\"></script>\n"
                << "</body>\n" << "</html>\n";
    return 0;
}
