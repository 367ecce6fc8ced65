#include "compute/perf_station.h"

#include <algorithm>
#include <cmath>

#include "compute/clcd.h"
#include "compute/engine_state.h"
#include "compute/interpolate.h"
#include "compute/loading_integrals.h"

namespace {

constexpr int kLift = 1;
constexpr float kFirstStep = 0.05236f;  // 3 degrees

float lift(const Get_Performance_CLCD* look, const PerfStations& s, int i, float alpha) {
    return look->get_perf_CLCD(i, alpha, s.reyIndex[i], s.machIndex[i], s.cambIndex[i],
                               s.tcIndex[i], kLift);
}

// Extremum of the lift of station i searched from zero incidence in the
// direction of `sign` (+1 maximum up to AMAX, -1 minimum down to AMIN).
void searchLiftLimit(const Get_Performance_CLCD* look, const PerfStations& s, int i,
                     float sign, float bound, float tolerance, float* alphaOut, float* clOut) {
    float alpha = 0.0f;
    float step = kFirstStep;
    float cl = lift(look, s, i, alpha);
    auto inside = [&](float a) { return sign > 0 ? a < bound : a > bound; };
    while (inside(alpha) && step > tolerance) {
        float next = alpha + sign * step;
        if (!inside(next)) next = bound;
        const float clNext = lift(look, s, i, next);
        const bool passed = sign > 0 ? clNext < cl : clNext > cl;
        if (passed && step >= tolerance) {
            step *= 0.5f;
            alpha -= sign * step;
            cl = lift(look, s, i, alpha);
        } else {
            alpha = next;
            cl = clNext;
        }
    }
    *alphaOut = alpha;
    *clOut = cl;
}

}  // namespace

int initmr_(PerfStations* s, const int* count, const int* withEnds, const float* deficit,
            float* wakeAngles, const StationFlow* flow) {
    const float lambda = flow->lambda;
    for (int i = 1; i <= *count; ++i) {
        const float axial = 1.0f - deficit[i];
        const float tangential = s->x[i] / lambda;
        float square = axial * axial + tangential * tangential;
        const float speed = flow->speed * sqrtx(&square);
        s->mach[i] = speed / flow->soundSpeed;
        s->reynolds[i] = speed * s->chord[i] / flow->viscosity;
        get_rynld_and_mach_DB_index(&s->reynolds[i], &s->mach[i], &s->reyIndex[i],
                                    &s->machIndex[i], s->flags[i]);
        wakeAngles[i] = std::atan(axial / tangential);
    }
    if (*withEnds) {
        for (int i : {0, *count + 1})
            wakeAngles[i] = std::atan((1.0f - deficit[i]) / (s->x[i] / lambda));
    }
    return 0;
}

int compute_clmax(const Get_Performance_CLCD* look, PerfStations* s, const int* count,
                  const float* tolerance) {
    for (int i = 1; i <= *count; ++i) {
        searchLiftLimit(look, *s, i, 1.0f, amxum_.AMAX, *tolerance, &s->alphaClMax[i],
                        &s->clMax[i]);
        searchLiftLimit(look, *s, i, -1.0f, amxum_.AMIN, *tolerance, &s->alphaClMin[i],
                        &s->clMin[i]);
    }
    return 0;
}

int initcl_(const Get_Performance_CLCD* look, PerfStations* s, const int* count,
            float* wakeAngles, const float* offset) {
    const int m = *count;
    float hubShift = 0.0f;
    float tipShift = 0.0f;
    for (int i = 1; i <= m; ++i) {
        const float geometric = s->twist[i] + *offset - wakeAngles[i];
        const float alpha = std::min(0.5f * geometric, 0.75f * s->alphaClMax[i]);
        s->alpha[i] = alpha;
        s->cl[i] = lift(look, *s, i, alpha);
        wakeAngles[i] = s->twist[i] + *offset - alpha;
        if (i == 1) hubShift = geometric - alpha;
        if (i == m) tipShift = geometric - alpha;
    }
    wakeAngles[0] += hubShift;
    wakeAngles[m + 1] += tipShift;
    return 0;
}

int initl2_(const Get_Performance_CLCD* look, PerfStations* section, const float* phi,
            const float* phi1, const float* firstLoad, float* alpha) {
    float a = std::min(*phi - *phi1, 0.8f * section->alphaClMax[1]);
    float cl = lift(look, *section, 1, a);
    const bool positive = *firstLoad > 0.0f;
    const float target = positive ? 0.3f : -0.5f;
    if (positive ? cl <= 0.3f : cl >= -0.5f) {
        a += (target - cl) / 6.0f;
        cl = lift(look, *section, 1, a);
    }
    section->alpha[1] = a;
    section->cl[1] = cl;
    *alpha = a;
    return 0;
}

int strt75_(const Get_Performance_CLCD* look, PerfStations* section,
            const StartAngleInputs* in, float* startAngles) {
    PerfStations& s = *section;
    float xt[2] = {0.0f, in->referenceRadius / 100.0f};
    int one = 1;
    int firstS = 1;
    int lastS = in->count;
    auto atReference = [&](const float* values, float* out) {
        interpolate_quadratic(const_cast<float*>(in->x), const_cast<float*>(values), xt, out,
                              &one, &lastS, &firstS, &one);
        return except_ == 0;
    };
    s.x[1] = xt[1];
    float chordByD[2] = {};
    float twistDeg[2] = {};
    if (!atReference(in->tbyc, s.tbyc) || !atReference(in->camber, s.camber) ||
        !atReference(in->chordByD, chordByD) || !atReference(in->twistDeg, twistDeg))
        return 0;
    s.chord[1] = chordByD[1] * in->diameter;
    s.twist[1] = twistDeg[1] * geom_.PI / 180.0f;

    float deficit[3] = {};
    if (behind_.IFLOW == 1) {
        int firstGrid = 0;
        int lastGrid = in->num;
        interpolate_quadratic(const_cast<float*>(in->gridX), const_cast<float*>(in->deficit),
                              xt, deficit, &one, &lastGrid, &firstGrid, &one);
        if (except_ != 0) return 0;
    }
    get_tbyc_and_camb_DB_index(&s.tbyc[1], &s.camber[1], &s.tcIndex[1], &s.cambIndex[1],
                               s.flags[1]);

    const float tolerance = 0.005f;
    const int noEnds = 0;
    for (int j = 1; j <= in->advanceCount; ++j) {
        const StationFlow& flow = in->flows[j];
        float wake[3] = {};
        initmr_(section, &one, &noEnds, deficit, wake, &flow);
        compute_clmax(look, section, &one, &tolerance);
        const float phi = std::atan((1.0f - deficit[1]) * flow.lambda / s.x[1]);
        float alpha = 0.0f;
        initl2_(look, section, &phi, &wake[1], &in->firstLoad, &alpha);
        startAngles[j] = alpha + phi;
    }
    return 0;
}

int get_thrust_torque(PerfStations* s, const int* count, const float* wakeAngles,
                      const float* deficit, const float* lambda, const float* diameter,
                      const int* blades, float* ct, float* cp, float* efficiency) {
    const int m = *count;
    const int n = m + 1;
    const float lam = *lambda;
    for (int i = 1; i <= m; ++i) {
        const float axial = 1.0f - deficit[i] + s->ua[i];
        const float tangential = s->x[i] / lam - s->ut[i];
        const float w2 = axial * axial + tangential * tangential;
        const float c = std::cos(wakeAngles[i]);
        const float sn = std::sin(wakeAngles[i]);
        const float chordByD = s->chord[i] / *diameter;
        s->thrustGrad[i] = (s->cl[i] * c - s->cd[i] * sn) * w2 * chordByD;
        s->torqueGrad[i] = (s->cl[i] * sn + s->cd[i] * c) * w2 * chordByD * s->x[i];
    }
    s->thrustGrad[0] = 0.0f;
    s->thrustGrad[n] = 0.0f;
    s->torqueGrad[0] = s->torqueGrad[1];
    s->torqueGrad[n] = 0.5f * s->torqueGrad[m];

    float thrust = 0.0f;
    float torque = 0.0f;
    for (int i = 0; i < n; ++i) {
        const float dx = s->x[i + 1] - s->x[i];
        thrust += 0.5f * (s->thrustGrad[i] + s->thrustGrad[i + 1]) * dx;
        torque += 0.5f * (s->torqueGrad[i] + s->torqueGrad[i + 1]) * dx;
    }
    const float pi = geom_.PI;
    const float b = static_cast<float>(*blades);
    *ct = pi * pi * lam * lam * b / 4.0f * thrust;
    *cp = pi * pi * pi * lam * lam * b / 4.0f * torque;
    *efficiency = *cp != 0.0f ? pi * lam * *ct / *cp : 0.0f;
    return 0;
}
