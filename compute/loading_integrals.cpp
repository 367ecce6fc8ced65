#include "compute/loading_integrals.h"

#include <cmath>

#include "compute/engine_state.h"
#include "compute/gauss_rule.h"
#include "compute/interpolate.h"
#include "compute/lifting_line.h"

namespace {

// Angle of the circulation series at radius x: arccos((1 + XHUB - 2x)/(1 - XHUB)),
// evaluated in double precision.
float SeriesAngle(float x, float xhub) {
    double c = (1.0 + xhub - 2.0 * x) / (1.0 - xhub);
    if (c > 1.0) c = 1.0;
    if (c < -1.0) c = -1.0;
    return static_cast<float>(std::acos(c));
}

}  // namespace

int ctorcz_(float* result, const float* nodes, const float* weights, int* kind, int* nblade,
            int* ngauss, float* coefficients, int* numm1, float* xhub, float* lambda, float* lamw,
            float* wbar, float* eps) {
    const float h = *xhub;
    const float lam = *lambda;
    const float lw = *lamw;
    const float w = *wbar;
    float x[kMaxGauss];
    float phi[kMaxGauss];
    float F[kMaxGauss];
    const int points = *ngauss < kMaxGauss ? *ngauss : kMaxGauss;
    for (int f = 0; f < points; ++f) {
        x[f] = GaussRadius(nodes[f], h);
        phi[f] = SeriesAngle(x[f], h);
        const float xf = x[f];
        if (*kind == 1)
            F[f] = (xf / lam - w * lw * xf / (xf * xf + lw * lw)) * (1.0f - lw * eps[f] / xf);
        else
            F[f] = (xf / lam) * (1.0f + w * xf * xf / (xf * xf + lw * lw)) *
                   (1.0f + xf * eps[f] / lw);
    }
    float sum = 0.0f;
    for (int n = 1; n <= *numm1; ++n) {
        float S = 0.0f;
        for (int f = 0; f < points; ++f)
            S += weights[f] * std::sin(static_cast<float>(n) * phi[f]) * F[f];
        sum += coefficients[n - 1] * S;
    }
    *result = 2.0f * static_cast<float>(*nblade) * (1.0f - h) * sum;
    return 0;
}

int kcalc_(float* result, float* coefficients, float* prescribed, int* kind, int* mode,
           float* tanb, float* eps, int* firstCall) {
    // Inflow arrays at the Gauss radii, kept from the first call of a design.
    static float thrdedGauss[kMaxGauss + 1];
    static float veldedGauss[kMaxGauss + 1];

    const int N = s123_.NUM;
    const int M = s123_.NUMM1;
    const int G = gauss_.NGAUSS;
    const float h = geom_.XHUB;
    const float hw = (1.0f - h) / 2.0f;
    const float B = static_cast<float>(geom_.NBLADE);
    const float lam = geom_.LAMBDA;
    const bool thrust = *kind == 1;
    const int table = thrust ? 1 : 0;

    float xg[kGridSize];
    float V[kGridSize];
    for (int j = 0; j <= N; ++j) {
        xg[j] = GridPointRadius(j);
        float v = 0.0f;
        for (int n = 1; n <= M; ++n)
            v += static_cast<float>(n) * coefficients[n - 1] * gopt1_.HMAT[table][j][n];
        if (thrust) v *= 1.0f - behind_.THRDED[j];
        V[j] = v;
    }

    float xf[kMaxGauss + 1];
    for (int f = 1; f <= G; ++f) xf[f] = GaussRadius(gauss_.GABSC[f - 1], h);
    int first = 0, last = N, firstG = 1, lastG = G;
    float Vf[kMaxGauss + 1];
    interpolate_quadratic(xg, V, xf, Vf, &lastG, &last, &first, &firstG);
    if (except_ != 0) return 0;
    if (*firstCall == 1) {
        *firstCall = 0;
        interpolate_quadratic(xg, behind_.THRDED, xf, thrdedGauss, &lastG, &last, &first, &firstG);
        if (except_ != 0) return 0;
        interpolate_quadratic(xg, behind_.VELDED, xf, veldedGauss, &lastG, &last, &first, &firstG);
        if (except_ != 0) return 0;
    }
    float tanbf[kMaxGauss + 1];
    interpolate_quadratic(xg, tanb, xf, tanbf, &lastG, &last, &first, &firstG);
    if (except_ != 0) return 0;

    float I1 = 0.0f;
    float I2 = 0.0f;
    for (int f = 1; f <= G; ++f) {
        const float phi = SeriesAngle(xf[f], h);
        float Gf = 0.0f;
        for (int n = 1; n <= M; ++n)
            Gf += coefficients[n - 1] * std::sin(static_cast<float>(n) * phi);
        const float e = eps[f - 1];
        float P, Q;
        if (thrust) {
            Gf *= 1.0f - e * tanbf[f];
            P = Gf * xf[f];
            Q = Gf * Vf[f];
            P *= 1.0f - thrdedGauss[f];
        } else {
            Gf *= 1.0f + e / tanbf[f];
            P = Gf * xf[f];
            Q = P * Vf[f];
            P *= 1.0f - veldedGauss[f];
        }
        const float w = gauss_.GWGHT[f - 1];
        I1 += w * P;
        I2 += w * Q;
    }

    if (*mode == 1) {
        const float g = 4.0f * B * hw * I1 / lam;
        const float hh = 4.0f * B * hw * I2 / (1.0f - h);
        *result = thrust ? g - hh : g + hh / lam;
        return 0;
    }
    const float I1p = hw * I1;
    const float I2p = hw * I2;
    const float F = (1.0f - h) * I1p / I2p;
    const float L = -lam * (1.0f - h) * *prescribed / (4.0f * B * I2p);
    if (thrust) {
        const float O = -F / lam;
        const float Lp = -L / lam;
        float arg = O * O - 4.0f * Lp;
        *result = (-sqrtx(&arg) - O) / 2.0f;
    } else {
        float arg = F * F - 4.0f * L;
        *result = (sqrtx(&arg) - F) / 2.0f;
    }
    return 0;
}

float fn_kiz__(float* lambda) {
    const float l2 = *lambda * *lambda;
    return 1.0f - l2 * std::log(1.0f + 1.0f / l2);
}

float fn_ekz__(float* lambda, float* kappa) {
    const float l = *lambda;
    const float l2 = l * l;
    const float b = l2 * (2.0f / l - 2.0f * l / (l2 + 1.0f)) - 2.0f * l * std::log(1.0f + 1.0f / l2);
    return (*kappa + b * l / 2.0f) / *kappa;
}

float fn_dcxz__(float* e, float* wbar, float* coefficient, int* kind) {
    const float a = 2.0f * *wbar;
    const float E = *e;
    if (*kind == 1) {
        const float q = E + 0.5f;
        return *coefficient * (1.0f / a + q / (a * q + 1.0f));
    }
    return *coefficient * (1.0f / a + 1.0f / (a + 1.0f) + E / (a * E + 1.0f));
}

float sqrtx(float* x) { return *x >= 0.0f ? std::sqrt(*x) : -std::sqrt(-*x); }

int afcalz_(float* result, float* xhub, int* ngauss, float* chordRatio, const float* weights,
            float* radii) {
    float sum = 0.0f;
    for (int f = 0; f < *ngauss; ++f)
        sum += weights[f] * radii[f] * radii[f] * radii[f] * chordRatio[f];
    *result = 6250.0f * (1.0f - *xhub) / 2.0f * sum;
    return 0;
}
