#include "compute/lifting_line.h"

#include <cmath>

#include "compute/linear_solve.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kEndPi = 3.1415925f;  // pi of the end-point coefficients
constexpr float kAngleGiven = 999.999f;

}  // namespace

float RadiusAtAngle(float phi) {
    return ((1.0f + geom_.XHUB) - (1.0f - geom_.XHUB) * std::cos(phi)) / 2.0f;
}

float GridPointRadius(int j) { return RadiusAtAngle(gopt1_.PHI[j]); }

int setup_() {
    const int num = s123_.NUM;
    const float step = kPi / static_cast<float>(num);
    gopt1_.PHI[0] = 0.0f;
    for (int j = 0; j < num; ++j) gopt1_.PHI[j + 1] = gopt1_.PHI[j] + step;
    for (int i = 0; i <= num; ++i) {
        for (int j = 0; j <= num; ++j) {
            const float angle = static_cast<float>(i) * gopt1_.PHI[j];
            gopt1_.GSOL[0][j][i] = std::cos(angle);
            gopt1_.CTAB[i][j] = std::cos(angle);
            gopt1_.STAB[i][j] = std::sin(angle);
        }
    }
    return 0;
}

int fact_h__(int* n, float* ha, float* ht, int* m) {
    const int harmonic = *n;
    const int point = *m;
    const bool hub = point == 0;
    float result[2] = {0.0f, 0.0f};
    for (int t = 1; t <= 2; ++t) {
        float S = 0.0f;
        float sign = 1.0f;
        for (int k = 0; k <= harmonic; ++k) {
            S += (hub ? 1.0f : sign) * gopt1_.GSOL[t][point][k];
            sign = -sign;
        }
        S *= static_cast<float>(harmonic);
        float T = 0.0f;
        for (int k = harmonic + 1; k <= s123_.NUM; ++k) {
            T += static_cast<float>(k) * (hub ? 1.0f : sign) * gopt1_.GSOL[t][point][k];
            sign = -sign;
        }
        result[t - 1] = hub ? kEndPi * (S + T)
                            : -kEndPi * std::cos(static_cast<float>(harmonic) * kEndPi) * (S + T);
    }
    *ha = result[0];
    *ht = result[1];
    return 0;
}

int gopt_1__(float* coefficients, int* num, int* numm1, float* collocation, float* rhs,
             float* solution, float* circulation, int* pivots1, int* pivots2, int* firstCall) {
    const int N = *num;
    const int M = *numm1;
    if (N < 1 || N > kMaxNum || M != N - 1) {
        ERROR_FILE << "\n\n          NUM = " << N << ", NUMM1 = " << M
                   << ": NUM MUST LIE IN 1.." << kMaxNum << " AND NUMM1 = NUM - 1-PROGRAM HALTED";
        except_ = 1;
        return 0;
    }
    int lo0 = 0;
    int lo1 = 1;
    if (*firstCall == 1) {
        *firstCall = 0;
        setup_();
        const int ld = N + 1;
        for (int n = 0; n <= N; ++n) {
            for (int m = 0; m <= N; ++m) collocation[n * ld + m] = gopt1_.GSOL[0][m][n];
            rhs[n] = 0.0f;
        }
        matrix_(num, collocation, rhs, solution, &lo0, pivots1);
        if (except_ != 0) return 0;
    }

    geom_.LAMW = (1.0f + geom_.WBAR) * geom_.LAMBDA;
    const bool anglesGiven = s123_.CODE == 3 || s123_.CODE == 4;

    for (int t = 1; t <= 2; ++t) {
        for (int m = 0; m <= N; ++m) {
            for (int i = 0; i <= N; ++i) {
                float r = 0.0f;
                if (anglesGiven) {
                    geom_.BETAI = gspec_.BETAG[i];
                    r = kAngleGiven;
                }
                induct_(&gopt1_.PHI[m], &gopt1_.PHI[i], &t, &r);
                rhs[i] = r;
            }
            solve_(num, &lo0, collocation, rhs, pivots1, solution);
            if (except_ != 0) return 0;
            for (int k = 0; k <= N; ++k) gopt1_.GSOL[t][m][k] = solution[k];
        }
    }

    for (int t = 1; t <= 2; ++t) {
        for (int m = 1; m <= M; ++m) {
            for (int n = 1; n <= M; ++n) {
                float cosSum = 0.0f;
                for (int k = 0; k <= n; ++k) cosSum += gopt1_.GSOL[t][m][k] * gopt1_.CTAB[k][m];
                float sinSum = 0.0f;
                for (int k = n + 1; k <= M; ++k) sinSum += gopt1_.GSOL[t][m][k] * gopt1_.STAB[k][m];
                gopt1_.HMAT[t - 1][m][n] =
                    geom_.PI / gopt1_.STAB[1][m] *
                    (gopt1_.STAB[n][m] * cosSum + gopt1_.CTAB[n][m] * sinSum);
            }
        }
    }

    for (int n = 1; n <= M; ++n) {
        for (int m : {0, N}) fact_h__(&n, &gopt1_.HMAT[0][m][n], &gopt1_.HMAT[1][m][n], &m);
    }

    if (s123_.CODE == 1 || s123_.CODE == 2) {
        for (int m = 1; m <= M; ++m) {
            const float xm = GridPointRadius(m);
            for (int n = 1; n <= M; ++n)
                circulation[(n - 1) * M + (m - 1)] =
                    static_cast<float>(n) *
                    (gopt1_.HMAT[0][m][n] + (geom_.LAMW / xm) * gopt1_.HMAT[1][m][n]);
            rhs[m - 1] = (1.0f - geom_.XHUB) * geom_.WBAR;
        }
        matrix_(numm1, circulation, rhs, solution, &lo1, pivots2);
        if (except_ != 0) return 0;
        for (int n = 0; n < M; ++n) coefficients[n] = solution[n];
    }
    return 0;
}

int gopt_1__(float* coefficients, LiftingLineWork* work) {
    return gopt_1__(coefficients, &s123_.NUM, &s123_.NUMM1, work->collocation, work->rhs,
                    work->solution, work->circulation, work->pivots1, work->pivots2,
                    &work->firstCall);
}
