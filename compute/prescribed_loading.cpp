#include "compute/prescribed_loading.h"

#include <cmath>

#include "compute/deck_reader.h"
#include "compute/engine_state.h"
#include "compute/interpolate.h"
#include "compute/lifting_line.h"
#include "compute/linear_solve.h"
#include "compute/loading_integrals.h"

namespace {

constexpr int kMaxIterations = 20;
constexpr float kShapeEnd = 999.999f;
constexpr float kNormalAngle = 1.5706964f;  // pitch angle where tan beta is taken as 9999

// A design that produced no finite value is refused rather than reported.
bool Finite(float value, const char* what) {
    if (std::isfinite(value)) return true;
    ERROR_FILE << "\nDESIGN FAILED: " << what << " = " << value
               << " is not a finite number (prescribed coefficient " << gopt2_.COEF
               << ")\n  ---PROGRAM HALTED\n";
    except_ = 1;
    return false;
}

// Sets BETAG[j] from tan beta_j; tan beta 9999 stands for the blade normal.
void SetPitch(int j, float tanBeta, float* tanb) {
    tanb[j] = tanBeta;
    gspec_.BETAG[j] = std::atan(tanBeta);
}

void SetNormalPitch(int j, float* tanb) {
    tanb[j] = 9999.0f;
    gspec_.BETAG[j] = kNormalAngle;
}

// Reads the circulation shape records (radius, value) up to the radius
// 999.999 into XCIRC/CIRC[1..n], framed by zeros at the hub and the tip.
bool ReadShape() {
    int n = 0;
    float previous = geom_.XHUB;
    for (;;) {
        float radius = 0.0f;
        float value = 0.0f;
        if (!ReadDeckFloat(&radius, "the radius of a circulation shape record") ||
            !ReadDeckFloat(&value, "the value of a circulation shape record"))
            return false;
        if (radius == kShapeEnd) break;
        if (n == kMaxShapeRecords) {
            ERROR_FILE << "\nCIRCULATION SHAPE RECORDS: MORE THAN " << kMaxShapeRecords
                       << " RECORDS BEFORE THE END RECORD 999.999\n  ---PROGRAM HALTED\n";
            except_ = 1;
            return false;
        }
        if (radius < previous - 0.0001f || radius > 1.0001f) {
            ERROR_FILE << "\nCIRCULATION SHAPE RECORD " << n + 1 << ": RADIUS = " << radius
                       << " MUST LIE BETWEEN " << previous
                       << " (HUB OR PREVIOUS RECORD) AND 1\n  ---PROGRAM HALTED\n";
            except_ = 1;
            return false;
        }
        previous = radius;
        ++n;
        gspec_.XCIRC[n] = radius;
        gspec_.CIRC[n] = value;
    }
    gspec_.XCIRC[0] = geom_.XHUB;
    gspec_.CIRC[0] = 0.0f;
    gspec_.XCIRC[n + 1] = 1.0f;
    gspec_.CIRC[n + 1] = 0.0f;
    gspec_.NCIRC = n;
    return true;
}

}  // namespace

int gopt_2__(float* coefficients) {
    static LiftingLineWork work;
    work.firstCall = 1;
    const float lambda = geom_.LAMBDA;
    const float P = gopt2_.COEF;

    float lamw = lambda;
    float w = 0.0f;
    float kappa = 0.0f;
    float E = 0.0f;
    for (int pass = 0; pass < 2; ++pass) {
        kappa = fn_kiz__(&lamw);
        E = fn_ekz__(&lamw, &kappa);
        if (gopt2_.KCOEF == 1) {
            w = (std::sqrt(kappa * kappa + 2.0f * kappa * P * (E + 0.5f)) - kappa) /
                (2.0f * kappa * (E + 0.5f));
        } else {
            const float g = kappa * (1.0f + E);
            w = (std::sqrt(kappa * kappa + 2.0f * g * P) - kappa) / (2.0f * g);
        }
        lamw = lambda * (1.0f + w);
    }
    geom_.WBAR = w / 2.0f;
    geom_.LAMW = lambda * (1.0f + w / 2.0f);
    if (!Finite(geom_.WBAR, "THE ESTIMATED DISPLACEMENT VELOCITY")) return 0;
    const float slope = fn_dcxz__(&E, &geom_.WBAR, &gopt2_.COEF, &gopt2_.KCOEF);
    setup_();

    int iterations = 0;
    float wlo = 0.0f, whi = 1.0f, clo = 0.0f, chi = 0.0f;
    float d = 0.0f;
    for (;;) {
        gopt_1__(coefficients, &work);
        if (except_ != 0) return 0;
        ++iterations;
        float computed = 0.0f;
        ctorcz_(&computed, gauss_.GABSC, gauss_.GWGHT, &gopt2_.KCOEF, &geom_.NBLADE,
                &gauss_.NGAUSS, coefficients, &s123_.NUMM1, &geom_.XHUB, &geom_.LAMBDA,
                &geom_.LAMW, &geom_.WBAR, drag_.CDCLG);
        if (!Finite(computed, "THE LOADING COEFFICIENT")) return 0;
        gopt2_.COEFCALC = computed;
        d = gopt2_.COEF - computed;
        if (std::fabs(d) < gopt2_.COEFTOL || iterations == kMaxIterations) break;
        if (d >= 0.0f) {
            wlo = geom_.WBAR;
            clo = computed;
        } else {
            whi = geom_.WBAR;
            chi = computed;
        }
        if (wlo == 0.0f || whi == 1.0f)
            geom_.WBAR += d / slope;
        else
            geom_.WBAR = wlo + (whi - wlo) * (gopt2_.COEF - clo) / (chi - clo);
        if (!Finite(geom_.WBAR, "THE DISPLACEMENT VELOCITY")) return 0;
    }
    if (iterations == kMaxIterations) OUTPUT_FILE << "  WARNING -- POOR CONVERGENCE\n";
    OUTPUT_FILE << "  NUMBER OF WAKE ITERATIONS = " << iterations
                << "\nPERCENT TOLERANCE ON BOTH THRUST AND POWER ="
                << 100.0f * std::fabs(d) / gopt2_.COEF << "%";
    return 0;
}

int g_spec__(float* coefficients, int* numm1, float* matrix, float* rhs, float* solution,
             int* pivots) {
    static LiftingLineWork work;
    work.firstCall = 1;
    int kcalcFirst = 1;
    const int N = s123_.NUM;
    const int M = *numm1;
    const float lambda = geom_.LAMBDA;
    const float xhub = geom_.XHUB;

    float tolerance = 0.0f;
    if (!ReadDeckFloat(&tolerance, "the loading tolerance of a generalized design")) return 0;
    const float step = geom_.PI / static_cast<float>(N);
    gopt1_.PHI[0] = 0.0f;
    for (int j = 1; j <= N; ++j) gopt1_.PHI[j] = gopt1_.PHI[j - 1] + step;
    if (!ReadShape()) return 0;

    // Fourier sine coefficients of the shape from its values at the interior
    // grid points.
    float xgrid[kGridSize];
    float shape[kGridSize];
    for (int j = 0; j <= N; ++j) xgrid[j] = GridPointRadius(j);
    int lastSource = gspec_.NCIRC + 1;
    int firstSource = 0;
    int firstTarget = 1;
    line_1(gspec_.XCIRC, gspec_.CIRC, xgrid, shape, numm1, &lastSource, &firstSource, &firstTarget);
    if (except_ != 0) return 0;
    for (int j = 1; j <= M; ++j) {
        for (int n = 1; n <= M; ++n)
            matrix[(n - 1) * M + (j - 1)] = std::sin(static_cast<float>(n) * gopt1_.PHI[j]);
        rhs[j - 1] = shape[j];
    }
    int lo = 1;
    matrix_(numm1, matrix, rhs, solution, &lo, pivots);
    if (except_ != 0) return 0;
    for (int n = 0; n < M; ++n) gspec_.ACIRC[n] = solution[n];

    // Pitch angles of the unloaded propeller in the given inflow.
    geom_.WBAR = 0.0f;
    float tanb[kGridSize];
    if (xhub > 0.001f)
        SetPitch(0, (1.0f - behind_.VELDED[0]) * lambda / xhub, tanb);
    else
        SetNormalPitch(0, tanb);
    for (int j = 1; j <= N; ++j) SetPitch(j, lambda * (1.0f - behind_.VELDED[j]) / xgrid[j], tanb);

    int mode = 0;
    gopt_1__(coefficients, &work);
    if (except_ != 0) return 0;
    float K = 0.0f;
    kcalc_(&K, gspec_.ACIRC, &gopt2_.COEF, &gopt2_.KCOEF, &mode, tanb, drag_.CDCLG, &kcalcFirst);
    if (except_ != 0 || !Finite(K, "THE CIRCULATION SCALE")) return 0;
    gspec_.CSCALE = K;

    float previous = K;
    int iterations = 0;
    while (iterations < kMaxIterations) {
        const float k = K / (1.0f - xhub);
        for (int j = 0; j <= N; ++j) {
            const float x = j == 0 ? xhub : (j == N ? 1.0f : xgrid[j]);
            float A = 0.0f;
            float T = 0.0f;
            for (int n = 1; n <= M; ++n) {
                A += static_cast<float>(n) * gspec_.ACIRC[n - 1] * gopt1_.HMAT[0][j][n];
                T += static_cast<float>(n) * gspec_.ACIRC[n - 1] * gopt1_.HMAT[1][j][n];
            }
            const float den = x / lambda - k * T;
            if (std::fabs(den) > 0.001f)
                SetPitch(j, (k * A + 1.0f - behind_.VELDED[j]) / den, tanb);
            else
                SetNormalPitch(j, tanb);
        }
        gopt_1__(coefficients, &work);
        if (except_ != 0) return 0;
        previous = K;
        kcalc_(&K, gspec_.ACIRC, &gopt2_.COEF, &gopt2_.KCOEF, &mode, tanb, drag_.CDCLG,
               &kcalcFirst);
        if (except_ != 0 || !Finite(K, "THE CIRCULATION SCALE")) return 0;
        ++iterations;
        if (std::fabs(K - previous) <= tolerance) break;
    }

    gopt2_.COEFCALC = gopt2_.COEF;
    if (iterations == kMaxIterations) OUTPUT_FILE << "  WARNING -- POOR CONVERGENCE";
    OUTPUT_FILE << "  NUMBER OF ITERATIONS = " << iterations
                << "\n  APPROXIMATE PERCENT ERROR IN CT AND CP = "
                << 100.0f * std::fabs(K - previous) / K << "\n";
    for (int n = 0; n < M; ++n) coefficients[n] = gspec_.ACIRC[n] * K;
    return 0;
}
