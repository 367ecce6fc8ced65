#include "compute/make_geo.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <memory>
#include <new>
#include <ostream>
#include <string>

#include "compute/clcd.h"
#include "compute/deck_reader.h"
#include "compute/engine_state.h"
#include "compute/gauss_rule.h"
#include "compute/interpolate.h"
#include "compute/polar_tables.h"

namespace {

constexpr int kStations = kMaxBladeStations + 1;  // station arrays, element 0 unused
constexpr float kNoDrag = 999.0f;                 // drag of a station without a section
constexpr float kAfTolerance = 1.5f;              // activity factor target tolerance
constexpr int kMaxAfPasses = 5;                   // passes after which the target is given up
constexpr int kMaxFactorPasses = 3;               // chord-shape correction passes
constexpr float kStallLowering = 0.97f;           // design CL above stall -> 0.97 of it
// Each lowering at least shrinks |CL| by 3 %, so a station settles after few
// lowerings; the cap only guards against tables that defeat that argument.
constexpr int kMaxStallLowerings = 100;
constexpr float kAngleTolerance = 0.0017449999f;  // bracket width ending an angle search
constexpr float kLiftTolerance = 0.0017449999f;   // lift match of the camber search

// Default thickness-to-chord ratio along the radius, for decks that give no
// thickness (not const only because the interpolator takes plain pointers).
float defaultTcRadius[] = {0.0f, 0.15f, 0.2f,  0.21f, 0.22f,  0.24f, 0.265f, 0.3f,   0.4f, 0.5f,
                            0.6f, 0.7f,  0.8f,  0.9f,  0.95f,  0.975f, 0.98f, 0.99f,  1.0f};
float defaultTcTable[] = {0.4f,   0.3f,    0.2f,   0.18f,  0.167f, 0.15f,  0.138f, 0.128f, 0.1052f,
                      0.0829f, 0.0661f, 0.0571f, 0.052f, 0.0438f, 0.0394f, 0.0391f, 0.0384f,
                      0.0338f, 0.0262f};
constexpr int kDefaultTcCount = sizeof(defaultTcTable) / sizeof(defaultTcTable[0]);

// Attack-angle bracket of the section search, fixed on the first pass of a case.
float alphaLow = 0.0f;
float alphaHigh = 0.0f;
// Inflow angle and resultant velocity of every station, from the chord sweep
// to the section sweep of a pass.
float inflowAngle[kStations];
float resultantVelocity[kStations];
// Set when a pass ended early at a station without a stall limit.
bool sectionsIncomplete = false;

float GridRadius(int j) {
    return ((1.0f + geom_.XHUB) - (1.0f - geom_.XHUB) * std::cos(gopt1_.PHI[j])) / 2.0f;
}

// A number of the geometry table: one blank, precision 4, width 9.
struct Cell {
    float value;
};
std::ostream& operator<<(std::ostream& out, Cell c) {
    out.precision(4);
    return out << ' ' << std::setw(9) << c.value;
}

float LiftAt(Get_Design_CLCD* lookup, int station, int rey, int camb, int tc, float alpha) {
    const int set = 1;
    return lookup->get_design_CLCD(station, set, rey, camb, tc, alpha);
}

// Index of the first tabulated angle of the lift set (count of them) whose
// lift is not negative; 0 when there is none.
int FirstLiftNotNegative(Get_Design_CLCD* lookup, int k, int rey, int camb, int tc, int count) {
    for (int i = 1; i <= count; ++i)
        if (LiftAt(lookup, k, rey, camb, tc, shape_.ALPHADB[i - 1][0]) >= 0.0f) return i;
    return 0;
}

// Angle whose lift is `lift`, by bisection on [low, high].
float AttackAngle(Get_Design_CLCD* lookup, int k, int rey, int camb, int tc, float lift, float low,
                  float high) {
    while (high - low > kAngleTolerance) {
        const float alpha = (low + high) / 2.0f;
        if (LiftAt(lookup, k, rey, camb, tc, alpha) <= lift)
            low = alpha;
        else
            high = alpha;
    }
    return (low + high) / 2.0f;
}

// The interval between two tabulated angles of the lift set in which the
// lift, rising from its zero crossing, reaches `lift` (walking down for a
// negative lift). False when the lift curve turns before reaching it.
bool AttachedInterval(Get_Design_CLCD* lookup, int k, int rey, int camb, int tc, float lift,
                      float* low, float* high) {
    const int count = std::min<int>(shape_.NALPHA[0], kMaxPolarAngles);
    auto angle = [](int i) { return shape_.ALPHADB[i - 1][0]; };
    auto value = [&](int i) { return LiftAt(lookup, k, rey, camb, tc, angle(i)); };
    const int first = FirstLiftNotNegative(lookup, k, rey, camb, tc, count);
    if (first <= 1) return false;
    if (lift >= 0.0f) {
        for (int i = first; i <= count; ++i) {
            if (i > first && value(i) <= value(i - 1)) return false;
            if (value(i) >= lift) {
                *low = angle(i - 1);
                *high = angle(i);
                return true;
            }
        }
    } else {
        for (int i = first - 1; i >= 1; --i) {
            if (i < first - 1 && value(i) >= value(i + 1)) return false;
            if (value(i) <= lift) {
                *low = angle(i);
                *high = angle(i + 1);
                return true;
            }
        }
    }
    return false;
}

// Chord of every station from the circulation (step 3 of a pass). Returns
// 0, -5 for a negative chord, or 1 for a loaded station without lift.
int ComputeChords(float* coefficients, float* velDefect, float V, float* cl, float* chords, float D,
                  int thicknessGiven, float* defaultTc, float scale, float* tc,
                  int* chordIncreased) {
    const float xhub = geom_.XHUB;
    const float tcMax = shape_.TCDB[shape_.NTC - 1];
    const float B = static_cast<float>(geom_.NBLADE);
    for (int k = 1; k <= shape_.NSTA; ++k) {
        const float x = shape_.XSTA[k];
        const bool tip = x >= 0.999999f;
        // (A station admitted just inside the hub radius keeps a valid angle.)
        const float phi =
            tip ? geom_.PI
                : std::acos(std::clamp((1.0f + xhub - 2.0f * x) / (1.0f - xhub), -1.0f, 1.0f));

        // Grid interval (from the first interval on, so a station at the hub
        // radius does not look below the grid).
        int j = 1;
        while (j < s123_.NUM && GridRadius(j) < x - 1e-6f) ++j;
        const float x0 = GridRadius(j - 1), x1 = GridRadius(j);
        const float r = (x - x0) / (x1 - x0);

        float G = 0.0f, UA = 0.0f, UT = 0.0f;
        for (int n = 1; n <= s123_.NUMM1; ++n) {
            const float an = coefficients[n - 1];
            // The circulation vanishes at the tip; sin(n*PI) in single
            // precision is not exactly 0 and could give a tiny negative chord.
            if (!tip) G += an * std::sin(n * phi);
            const float ha =
                (gopt1_.HMAT[0][j - 1][n] + r * (gopt1_.HMAT[0][j][n] - gopt1_.HMAT[0][j - 1][n])) /
                (1.0f - xhub);
            const float ht =
                (gopt1_.HMAT[1][j - 1][n] + r * (gopt1_.HMAT[1][j][n] - gopt1_.HMAT[1][j - 1][n])) /
                (1.0f - xhub);
            UA += n * an * ha;
            UT += n * an * ht;
        }
        const float w = velDefect[k];
        const float tanBeta = (UA + 1.0f - w) / (x / geom_.LAMBDA - UT);
        const float beta = std::atan(tanBeta);
        const float W = V * (1.0f - w + UA) / std::sin(beta);
        inflowAngle[k] = beta;
        resultantVelocity[k] = W;

        cl[k] *= scale;
        float ch = 0.0f;
        if (cl[k] != 0.0f) {
            ch = (2.0f * B * G * V / W) / cl[k] * geom_.PI * D / B;
        } else if (G != 0.0f) {
            ERROR_FILE << "\nINPUT ERROR: design lift coefficient = 0 at station " << k
                       << " (radius " << x << "): a loaded station needs a non-zero lift\n";
            return 1;
        }
        if (ch < 0.0f) {
            ERROR_FILE << "Negative chord computed. Aborting\n";
            ERROR_FILE << "radial index: " << k << "\n";
            ERROR_FILE << "radius:       " << x << "\n";
            ERROR_FILE << "chord:        " << ch << "\n";
            ERROR_FILE << "vel deduction:" << w << "\n";
            ERROR_FILE << "ua:           " << UA << "\n";
            ERROR_FILE << "ut:           " << UT << "\n";
            ERROR_FILE << "lcrus         " << cl[k] << "\n";
            ERROR_FILE << "affact        " << scale << "\n";
            return -5;
        }
        if (thicknessGiven) {
            tc[k] = shape_.TSTA[k] / ch;
        } else {
            tc[k] = defaultTc[k];
            shape_.TSTA[k] = tc[k] * ch;
        }
        if (tc[k] > tcMax) {
            *chordIncreased = 1;
            tc[k] = tcMax;
            const float oldChord = ch;
            ch = shape_.TSTA[k] / tc[k];
            cl[k] = cl[k] * (oldChord / ch);
        }
        chords[k] = ch;
    }
    return 0;
}

// Section of every station (step 4 of a pass): camber, stall limit, attack
// angle and twist. Returns 0, or a status; *stallMissing is set when a
// station had no stall limit (the pass then ends early).
int ComputeSections(float* cl, float* chords, float a, float nu, float* cdmin, float* camber,
                    float* stallCl, int* liftAdjusted, float* reynolds, float* mach, float* tc,
                    uint16_t* flags, bool* stallMissing) {
    Get_Design_CLCD* lookup = Get_CLCD;
    for (int k = 1; k <= shape_.NSTA; ++k) {
        int reyIndex = 1, machIndex = 1, tcIndex = 1, cambIndex = 1;
        float limit = 0.0f;
        for (int lowering = 0;; ++lowering) {
            const float W = resultantVelocity[k];
            reynolds[k] = W * chords[k] / nu;
            mach[k] = W / a;
            get_rynld_and_mach_DB_index(&reynolds[k], &mach[k], &reyIndex, &machIndex, flags[k]);
            if (except_ != 0) return except_;
            singleread_.MACHINDEX[k] = machIndex;
            get_nearest_tbyc_DB_index(&tc[k], &tcIndex);
            if (except_ != 0) return except_;
            get_optimum_camb_DB_index(lookup, &k, &tcIndex, &reyIndex, &cl[k], &shape_.NCAMB,
                                      shape_.CAMBDB, &cambIndex, &cdmin[k], &camber[k]);
            if (except_ != 0) return except_;

            int positive = 1, negative = 2;
            const float clPlus = get_stall_cl(lookup, &k, &reyIndex, &cambIndex, &tcIndex, &positive);
            const float clMinus =
                get_stall_cl(lookup, &k, &reyIndex, &cambIndex, &tcIndex, &negative);
            if (clPlus == 0.0f || clMinus == 0.0f) {
                ERROR_FILE << "\nWARNING: no stall lift coefficient in the polar tables for station "
                           << k << " (radius " << shape_.XSTA[k]
                           << "); the geometry of this and the following stations is not computed\n";
                *stallMissing = true;
                return 0;
            }
            limit = cl[k] >= 0.0f ? clPlus : clMinus;
            stallCl[k] = limit;
            if (!(std::fabs(cl[k]) > std::fabs(limit)) || lowering >= kMaxStallLowerings) break;
            *liftAdjusted = 1;
            const float oldCl = cl[k];
            cl[k] = kStallLowering * limit;
            chords[k] = chords[k] * (oldCl / cl[k]);
            tc[k] = shape_.TSTA[k] / chords[k];
        }

        // Attack angle of the design lift by bisection on the wide bracket;
        // where that lands beyond the stall (a lift curve that falls below
        // the design lift again), again on the attached-flow interval.
        float alpha = AttackAngle(lookup, k, reyIndex, cambIndex, tcIndex, cl[k], alphaLow,
                                  alphaHigh);
        float attachedLow = 0.0f, attachedHigh = 0.0f;
        if (AttachedInterval(lookup, k, reyIndex, cambIndex, tcIndex, cl[k], &attachedLow,
                             &attachedHigh) &&
            (alpha < attachedLow - kAngleTolerance || alpha > attachedHigh + kAngleTolerance))
            alpha = AttackAngle(lookup, k, reyIndex, cambIndex, tcIndex, cl[k], attachedLow,
                                attachedHigh);
        shape_.CSTA[k] = chords[k];
        shape_.BSTA[k] = inflowAngle[k] + alpha;
    }
    return 0;
}

// Activity factor of the chords: chord/D at the stations, the first value at
// the hub and 0 at the tip, interpolated to the Gauss radii.
float ActivityFactor(float* chords, float D, float* gaussRadii) {
    float xs[kStations + 1], ys[kStations + 1], yt[kMaxGauss + 1];
    const int nsta = shape_.NSTA;
    xs[0] = geom_.XHUB;
    ys[0] = chords[1] / D;
    for (int k = 1; k <= nsta; ++k) {
        xs[k] = shape_.XSTA[k];
        ys[k] = chords[k] / D;
    }
    xs[nsta + 1] = 1.0f;
    ys[nsta + 1] = 0.0f;
    int lastT = gauss_.NGAUSS, lastS = nsta + 1, firstS = 0, firstT = 1;
    line_1(xs, ys, gaussRadii, yt, &lastT, &lastS, &firstS, &firstT);
    float sum = 0.0f;
    for (int f = 1; f <= gauss_.NGAUSS; ++f) {
        const float x = gaussRadii[f];
        sum += gauss_.GWGHT[f - 1] * x * x * x * yt[f];
    }
    return 6250.0f * (1.0f - geom_.XHUB) / 2.0f * sum;
}

bool ReportFlow(const char* field, float value) {
    if (value > 0.0f) return true;
    ReportDeckValue(field, value, "must be greater than 0");
    return false;
}

// Clears the published design lookup however make_geometry ends.
struct PublishedLookup {
    explicit PublishedLookup(std::unique_ptr<Get_Design_CLCD> l) : lookup(std::move(l)) {
        Get_CLCD = lookup.get();
    }
    ~PublishedLookup() { Get_CLCD = nullptr; }
    std::unique_ptr<Get_Design_CLCD> lookup;
};

}  // namespace

int thck_(float* thickness, int32_t* count, float* radii, float* cl, float* defaultTc,
          int* thicknessGiven) {
    int n = 0;
    if (!ReadDeckInt(&n, "the blade station count")) return 0;
    if (n < 1 || n > kMaxBladeStations) {
        ReportDeckValue("the blade station count", std::to_string(n),
                        ("must lie in 1.." + std::to_string(kMaxBladeStations)).c_str());
        return 0;
    }
    for (int k = 1; k <= n; ++k) {
        if (!ReadDeckFloat(&radii[k], "a blade station radius") ||
            !ReadDeckFloat(&thickness[k], "a blade station thickness") ||
            !ReadDeckFloat(&cl[k], "a blade station design lift coefficient"))
            return 0;
        const float x = radii[k];
        if (x < geom_.XHUB - 1e-6f || x > 1.0f + 1e-6f) {
            ReportDeckValue("blade station radius", x, "must lie between the hub ratio and 1");
            return 0;
        }
        if (k > 1 && !(x > radii[k - 1])) {
            ReportDeckValue("blade station radius", x, "must exceed the radius of the station before");
            return 0;
        }
    }
    *count = n;
    *thicknessGiven = thickness[1] == 0.0f ? 0 : 1;
    if (!*thicknessGiven) {
        int lastT = n, lastS = kDefaultTcCount - 1, firstS = 0, firstT = 1;
        line_1(defaultTcRadius, defaultTcTable, radii, defaultTc, &lastT, &lastS, &firstS, &firstT);
    }
    return 0;
}

float interpolate_camber(float* drag, int* index, float* cambers) {
    const int k = *index;
    const float* y = drag;
    const float* x = cambers;
    const float h1 = std::fabs(x[k] - x[k - 1]);
    const float h2 = std::fabs(x[k] - x[k + 1]);
    float q = h1, r = y[k - 1], s = y[k + 1];
    if (h2 > h1) {
        s = y[k] + (y[k + 1] - y[k]) * h1 / h2;
    } else if (h1 > h2) {
        q = h2;
        r = y[k] + (y[k - 1] - y[k]) * h2 / h1;
    }
    const float curvature = r + s - 2.0f * y[k];
    // Drag that does not rise on both sides has no vertex: keep the winner.
    if (!(curvature > 0.0f)) return x[k];
    return x[k] + (r - s) / (2.0f * curvature) * q;
}

int get_optimum_camb_DB_index(Get_Design_CLCD* lookup, int* station, int* tcIndex, int* reyIndex,
                              float* clDesign, int32_t* ncamb, float* cambdb, int* bestIndex,
                              float* cdmin, float* camber) {
    const int count = std::min<int>(*ncamb, kMaxPolarGrid);
    float drag[kMaxPolarGrid + 1] = {};
    float cambers[kMaxPolarGrid + 1] = {};
    float least = kNoDrag;
    int best = 1;
    for (int c = 1; c <= count; ++c) {
        cambers[c] = cambdb[c - 1];
        float low = -0.17449999f, high = 0.3491f, alpha = 0.0f;
        for (int evaluation = 1; evaluation <= 49; ++evaluation) {
            alpha = (low + high) / 2.0f;
            const float lift = LiftAt(lookup, *station, *reyIndex, c, *tcIndex, alpha);
            if (std::fabs(lift - *clDesign) <= kLiftTolerance) break;
            if (lift < *clDesign)
                low = alpha;
            else
                high = alpha;
        }
        const int set = 2;
        drag[c] = lookup->get_design_CLCD(*station, set, *reyIndex, c, *tcIndex, alpha);
        if (drag[c] < least) {
            least = drag[c];
            best = c;
        }
    }
    *bestIndex = best;
    *cdmin = least;
    if (count < 1) {
        *camber = 0.0f;
    } else if (best == 1 || best == count) {
        *camber = cambers[best];
    } else {
        *camber = interpolate_camber(drag, &best, cambers);
    }
    return 0;
}

float get_stall_cl(Get_Design_CLCD* lookup, int* station, int* reyIndex, int* cambIndex,
                   int* tcIndex, int* kind) {
    const int count = std::min<int>(shape_.NALPHA[0], kMaxPolarAngles);
    if (count <= 1) return 0.0f;
    auto lift = [&](int i) {
        return LiftAt(lookup, *station, *reyIndex, *cambIndex, *tcIndex, shape_.ALPHADB[i - 1][0]);
    };
    const int first = FirstLiftNotNegative(lookup, *station, *reyIndex, *cambIndex, *tcIndex, count);
    if (first <= 1) return 0.0f;

    const int from = *kind == 1 ? first - 1 : 1;
    const int to = *kind == 1 ? count - 1 : first - 2;
    // A peak of |CL|: a value that does not exceed the running maximum.
    float runningMax = 0.0f, result = 0.0f;
    for (int i = from; i <= to; ++i) {
        const float v = std::fabs(lift(i));
        if (v > runningMax)
            runningMax = v;
        else if (runningMax > result)
            result = runningMax;
    }
    if (result > 0.0f) return *kind == 1 ? result : -result;
    return *kind == 1 ? lift(count) : lift(1);
}

int Factor_on_CL(float* factors, int32_t* count, float* activityFactor, float* chords, float* D,
                 int* changed, float* /*radii*/) {
    const int n = *count;
    *changed = 0;
    const float cmax = *activityFactor * 1.6f * 64.0f / 100000.0f;
    for (int i = 1; i <= n; ++i) {
        const float cd = chords[i] / *D;
        if (cd > cmax) {
            factors[i] = factors[i] * cd / cmax;
            *changed = 1;
        }
    }
    float ratio[kStations];
    for (int i = 1; i <= n; ++i) ratio[i] = chords[i] / factors[i];
    // The outermost chord maximum: from the tip inward, the first station
    // whose inboard neighbour is narrower.
    int k = 1;
    for (int i = n; i >= 2; --i) {
        if (ratio[i - 1] < ratio[i]) {
            k = i;
            break;
        }
    }
    const float b = ratio[k];
    bool narrow = false;
    for (int i = 1; i < k; ++i)
        if (ratio[i] < 0.8f * b) narrow = true;
    if (narrow) {
        *changed = 1;
        for (int i = 1; i < k; ++i) factors[i] = ratio[i] / b;
    }
    return 0;
}

int calculate_geometry(float* coefficients, float* velDefect, float* V, float* cl, float* chords,
                       float* D, int* thicknessGiven, float* defaultTc, int* retry, float* a,
                       float* nu, float* cdmin, float* camber, float* /*scratch*/, float* stallCl,
                       float* gaussRadii, float* activityFactor, float* afTolerance,
                       int* chordIncreased, int* liftAdjusted, float* reynolds, float* mach,
                       float* tc, uint16_t* flags) {
    if (*retry == 0) {
        alphaLow = shape_.ALPHADB[0][0] - 0.35f;
        const int lastAngle = std::clamp<int>(shape_.NALPHA[0], 1, kMaxPolarAngles);
        alphaHigh = shape_.ALPHADB[lastAngle - 1][0] + 0.35f;
        *retry = 1;
    }
    sectionsIncomplete = false;
    float scale = 1.0f;
    int passes = 0;
    *chordIncreased = 0;
    *liftAdjusted = 0;
    const bool targetMode = geom_.AFTARGET != 0.0f;
    for (;;) {
        const int chordStatus = ComputeChords(coefficients, velDefect, *V, cl, chords, *D,
                                              *thicknessGiven, defaultTc, scale, tc,
                                              chordIncreased);
        if (chordStatus != 0) return chordStatus;
        const int sectionStatus = ComputeSections(cl, chords, *a, *nu, cdmin, camber, stallCl,
                                                  liftAdjusted, reynolds, mach, tc, flags,
                                                  &sectionsIncomplete);
        if (sectionStatus != 0 || sectionsIncomplete) return sectionStatus;

        *activityFactor = ActivityFactor(chords, *D, gaussRadii);
        if (except_ != 0) return except_;
        ++passes;

        // Another pass towards the target activity factor: the first pass
        // always (when off target), later ones while no lift was lowered.
        const float af = *activityFactor, target = geom_.AFTARGET;
        const bool offTarget = std::fabs(af - target) > *afTolerance;
        const bool repeat = targetMode && offTarget &&
                            (passes == 1 || (*liftAdjusted == 0 && passes <= kMaxAfPasses));
        if (!repeat) return 0;
        scale = passes == 1 ? af / target : scale * af / target;
        *chordIncreased = 0;
        *liftAdjusted = 0;
    }
}

int make_geometry(float* coefficients, bool* loadPolarDatabase) {
    float gaussRadii[kMaxGauss + 1] = {};
    for (int f = 1; f <= gauss_.NGAUSS; ++f)
        gaussRadii[f] = GaussRadius(gauss_.GABSC[f - 1], geom_.XHUB);

    float cl[kStations] = {}, defaultTc[kStations] = {};
    int thicknessGiven = 1;
    thck_(shape_.TSTA, &shape_.NSTA, shape_.XSTA, cl, defaultTc, &thicknessGiven);
    if (except_ != 0) return 0;

    ensure_polar_tables(PolarLayout::Design, loadPolarDatabase);
    if (except_ != 0) return 0;
    if (shape_.NALPHA[0] < 1 || shape_.NALPHA[0] > kMaxPolarAngles || shape_.NTC < 1 ||
        shape_.NCAMB < 1) {
        ERROR_FILE << "\nPOLAR ERROR: lift angles = " << shape_.NALPHA[0]
                   << ", thickness ratios = " << shape_.NTC << ", cambers = " << shape_.NCAMB
                   << ": the design needs 1.." << kMaxPolarAngles
                   << " angles and at least one of each\n";
        except_ = 1;
        return 0;
    }

    uint16_t flags[kStations] = {};
    std::unique_ptr<Get_Design_CLCD> created;
    {
        const PolarDims d = polar_dimensions(PolarLayout::Design);
        created.reset(new (std::nothrow) Get_Design_CLCD(
            polar.get(), d.d[0], d.d[1], d.d[2], d.d[3], d.d[4], shape_.NALPHA,
            &shape_.ALPHADB[0][0], flags, singleread_.MACHINDEX));
    }
    if (!created) {
        ERROR_FILE << "\n\n   *** Could not read polar data. Out of memory. ****\n";
        except_ = -1;
        return 0;
    }
    const PublishedLookup published(std::move(created));

    // Flow record: V, D, ratio of specific heats (taken as 1.4), temperature,
    // kinematic viscosity, density, speed of sound.
    float V = 0, D = 0, gamma = 0, temperature = 0, nu = 0, density = 0, a = 0;
    if (!ReadDeckFloat(&V, "the forward speed") || !ReadDeckFloat(&D, "the diameter") ||
        !ReadDeckFloat(&gamma, "the ratio of specific heats") ||
        !ReadDeckFloat(&temperature, "the temperature") ||
        !ReadDeckFloat(&nu, "the kinematic viscosity") || !ReadDeckFloat(&density, "the density") ||
        !ReadDeckFloat(&a, "the speed of sound"))
        return 0;
    gamma = 1.4f;
    if (!ReportFlow("forward speed", V) || !ReportFlow("diameter", D) ||
        !ReportFlow("kinematic viscosity", nu) || !ReportFlow("speed of sound", a))
        return 0;

    OUTPUT_FILE << "\n\n *********************************"
                << "\n\n RESULTS OF THE ROTOR CALCULATIONS "
                << "\n\n *********************************\n"
                << "\n\nFORWARD SPEED       : " << V << "\nDIAMETER            : " << D
                << "\nKINEMATIC VISCOSITY : " << nu << "\nSOUND SPEED         : " << a
                << "\nMACH NUMBER         : " << V / a << "\n";

    // Velocity defect at the stations.
    float gridRadius[kGridSize], velDefect[kStations] = {};
    for (int j = 0; j <= s123_.NUM; ++j) gridRadius[j] = GridRadius(j);
    {
        int lastT = shape_.NSTA, lastS = s123_.NUM, firstS = 0, firstT = 1;
        line_1(gridRadius, behind_.VELDED, shape_.XSTA, velDefect, &lastT, &lastS, &firstS,
               &firstT);
        if (except_ != 0) return 0;
    }

    float factors[kStations], chords[kStations] = {}, cdmin[kStations], camber[kStations] = {};
    float stallCl[kStations] = {}, reynolds[kStations] = {}, mach[kStations] = {};
    float tc[kStations] = {};
    for (int k = 0; k < kStations; ++k) {
        factors[k] = 1.0f;
        cdmin[k] = kNoDrag;
    }
    float activityFactor = 0.0f, afTolerance = kAfTolerance, scratch = 0.0f;
    int retry = 0, chordIncreased = 0, liftAdjusted = 0;
    // A warning holds when any pass needed it: a later pass starts from the
    // already corrected lift coefficients and so no longer sees the cause.
    bool anyChordIncreased = false, anyLiftAdjusted = false;
    for (int pass = 1; pass <= kMaxFactorPasses; ++pass) {
        for (int k = 1; k <= shape_.NSTA; ++k) {
            cl[k] *= factors[k];
            factors[k] = 1.0f;
        }
        except_ = calculate_geometry(coefficients, velDefect, &V, cl, chords, &D, &thicknessGiven,
                                     defaultTc, &retry, &a, &nu, cdmin, camber, &scratch, stallCl,
                                     gaussRadii, &activityFactor, &afTolerance, &chordIncreased,
                                     &liftAdjusted, reynolds, mach, tc, flags);
        if (except_ != 0) return 0;
        anyChordIncreased = anyChordIncreased || chordIncreased != 0;
        anyLiftAdjusted = anyLiftAdjusted || liftAdjusted != 0;
        if (sectionsIncomplete) break;  // further passes would only repeat it
        int changed = 0;
        Factor_on_CL(factors, &shape_.NSTA, &activityFactor, chords, &D, &changed, shape_.XSTA);
        if (changed == 0) break;
    }

    OUTPUT_FILE << "\nGEOMETRICAL PARAMETERS :\n---------------\n"
                << "    RADIUS    CAMBER     CHORD THICKNESS       T/C     TWIST    MAXCL       "
                   "LIFT     CDMIN\n\n";
    for (int k = 1; k <= shape_.NSTA; ++k) {
        if (cdmin[k] == kNoDrag) {
            for (int c = 0; c < 9; ++c) OUTPUT_FILE << Cell{kNoDrag};
        } else {
            OUTPUT_FILE << Cell{shape_.XSTA[k]} << Cell{camber[k]} << Cell{shape_.CSTA[k] / D}
                        << Cell{shape_.TSTA[k]} << Cell{tc[k]}
                        << Cell{180.0f / geom_.PI * shape_.BSTA[k]} << Cell{stallCl[k]}
                        << Cell{cl[k]} << Cell{cdmin[k]};
        }
        OUTPUT_FILE << "\n";
    }
    OUTPUT_FILE << "\n    ACTIVITY FACTOR = " << activityFactor << "\n";
    if (anyChordIncreased)
        OUTPUT_FILE << "WARNING:\n"
                    << "**Chord has been increased in areas to keep t/c ratio within dataset "
                       "limits\n";
    if (anyLiftAdjusted)
        OUTPUT_FILE << "WARNING:\n"
                    << "**Some user specified design CL's exceed stall CL. The design CL's have "
                       "been adjusted.";
    return 0;
}
