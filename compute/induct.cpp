// Induction factors of a helical trailing vortex at a lifting-line control
// point, with the limits for coincident points, a vortex or control point at
// the axis, blade-normal helices and very flat helices.
#include <cmath>

#include "compute/engine_state.h"
#include "compute/lifting_line.h"

namespace {

constexpr float kAngleGiven = 999.999f;
constexpr float kAxisRadius = 0.0001f;

// p**B for an integer blade number, as repeated products.
float IntPower(float p, int exponent) {
    const bool invert = exponent < 0;
    int e = invert ? -exponent : exponent;
    float result = 1.0f;
    float base = p;
    while (e > 0) {
        if (e & 1) result *= base;
        base *= base;
        e >>= 1;
    }
    return invert ? 1.0f / result : result;
}

// Magnitude held within [1e-40, 3e36], sign kept.
float HoldMagnitude(float value) {
    const float sign = value < 0.0f ? -1.0f : 1.0f;
    const float magnitude = std::fabs(value);
    if (magnitude < 1e-40f) return sign * 1e-40f;
    if (magnitude > 3e36f) return sign * 3e36f;
    return value;
}

// e**q with the exponent capped: e**20 once |q| >= 20.
float CappedExp(float q) { return std::fabs(q) >= 20.0f ? std::exp(20.0f) : std::exp(q); }

// Helix close to the blade normal (|beta - pi/2| <= 0.009).
float BladeNormal(float p, float beta, float delta, int type, float B, int nblade) {
    if (type == 1) {
        if (delta < 0.0002f) return 0.0f;
        const float o = B * (p - 1.0f) / (p * std::tan(beta));
        if (p < 1.0f) return -o / (IntPower(p, -nblade) - 1.0f);
        return o * (1.0f + 1.0f / (IntPower(p, nblade) - 1.0f));
    }
    const float o = B * (p - 1.0f);
    if (p < 1.0f) return -o * (1.0f + 1.0f / (IntPower(p, -nblade) - 1.0f));
    return o / (IntPower(p, nblade) - 1.0f);
}

// Very flat helix (unlifted pitch angle below 0.08725): exponential forms.
float FlatHelix(float p, float beta, int type, float B) {
    const float u = std::tan(beta);
    const float q = B * (1.0f / p - 1.0f) / std::fabs(u);
    const float taper = 1.0f - std::fabs(u) / (2.0f * B * p);
    if (type == 1) {
        const float o = HoldMagnitude(B * (p - 1.0f) / (p * u));
        if (p >= 1.0f) return o;
        const float t = -std::sqrt(p) * o / CappedExp(q);
        return t * taper;
    }
    const float o = -B * (p - 1.0f);
    if (p <= 1.0f) return o;
    const float t = HoldMagnitude(-std::sqrt(p) * o / CappedExp(-q));
    return t * taper;
}

// The general asymptotic form of the induction factors.
float GeneralHelix(float p, float beta, int type, float B) {
    const float k = 1.0f / std::tan(beta);
    const float s = k / p;
    const float U1 = std::sqrt(1.0f + s * s);
    const float A1 = std::sqrt(1.0f + k * k);
    // Small arguments use the series of sqrt(1 + z^2) - 1; the test is on the
    // magnitude, as the pitch angle (and with it k and s) may be negative.
    const float m1 = std::fabs(s) < 0.0005f ? s * s / 2.0f : U1 - 1.0f;
    const float m2 = std::fabs(k) < 0.0005f ? k * k / 2.0f : A1 - 1.0f;
    float U = U1 - A1 - 0.5f * std::log((U1 + 1.0f) * m2 / ((A1 + 1.0f) * m1));
    if (p > 1.0f) U = -U;
    const float D = B * U;
    double e;
    if (std::fabs(D) <= 20.0f)
        e = std::exp(static_cast<double>(D)) - 1.0;
    else
        e = D > 0.0f ? std::exp(20.0) - 1.0 : std::exp(-20.0) - 1.0;
    const float E = static_cast<float>(e);
    float F = k * k / (2.0f * B * A1 * A1 * A1) * std::log(1.0f + 1.0f / E);
    if (p > 1.0f) F = -F;
    const float I = std::sqrt(A1 / U1) * (1.0f / E + F);
    if (type == 1) {
        const float J = B * s * (p - 1.0f);
        return p <= 1.0f ? -J * I : J * (I + 1.0f);
    }
    const float J = B * (p - 1.0f);
    return p <= 1.0f ? -J * (I + 1.0f) : J * I;
}

}  // namespace

int induct_(float* phic, float* phiv, int* type, float* result) {
    const int kind = *type;
    const int nblade = geom_.NBLADE;
    const float B = static_cast<float>(nblade);
    const float xc = RadiusAtAngle(*phic);
    const float xv = RadiusAtAngle(*phiv);

    if (*result != kAngleGiven)
        geom_.BETAI = std::fabs(xv) > kAxisRadius ? std::atan(geom_.LAMW / xv) : geom_.PI / 2.0f;
    const float betai = geom_.BETAI;

    // Small pitch angles are lifted to a magnitude of at least 0.08725.
    float beta = betai;
    if (std::fabs(betai) <= 0.2443f)
        beta = betai >= 0.0f ? betai * 0.15705f / 0.2443f + 0.08725f
                             : betai * 0.15705f / 0.2443f - 0.08725f;

    bool coincident = false;
    if (std::fabs(xc) <= kAxisRadius) {
        if (std::fabs(xv) <= kAxisRadius) {
            coincident = true;
        } else {
            *result = kind == 1 ? B / std::tan(beta) : 0.0f;
            return 0;
        }
    } else if (std::fabs(xv) <= kAxisRadius) {
        *result = kind == 1 ? 0.0f : B;
        return 0;
    } else {
        const float p = xv / xc;
        geom_.XRATIO = p;
        if (std::fabs(p - 1.0f) <= 0.0005f) {
            coincident = true;
        } else {
            const float delta = std::fabs(beta - geom_.PI / 2.0f);
            if (delta <= 0.009f)
                *result = BladeNormal(p, beta, delta, kind, B, nblade);
            else if (std::fabs(betai) < 0.08725f)
                *result = FlatHelix(p, beta, kind, B);
            else
                *result = GeneralHelix(p, beta, kind, B);
            return 0;
        }
    }
    if (coincident) *result = kind == 1 ? std::cos(beta) : std::sin(beta);
    return 0;
}
