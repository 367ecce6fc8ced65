#include "compute/g_geom_p.h"

#include <cmath>
#include <memory>
#include <string>

#include "compute/blade_angle_search.h"
#include "compute/clcd.h"
#include "compute/ctcp_convergence.h"
#include "compute/deck_reader.h"
#include "compute/engine_state.h"
#include "compute/fns_prop.h"
#include "compute/gauss_rule.h"
#include "compute/interpolate.h"
#include "compute/lifting_line.h"
#include "compute/linear_solve.h"
#include "compute/loading_integrals.h"
#include "compute/perf_report.h"
#include "compute/perf_report_frame.h"
#include "compute/perf_station.h"
#include "compute/perf_stations.h"
#include "compute/polar_tables.h"
#include "compute/wake_convergence.h"
#include "compute/wrap_around.h"

namespace {

constexpr int kMaxGeometryPoints = kMaxBladeStations;
constexpr int kTitleLength = 128;
constexpr int kRingCapacity = 20;
constexpr float kKnots = 0.514444f;        // m/s per knot
constexpr float kStaticAdvanceRatio = 0.15f;  // static points are analysed here
constexpr float kClMaxTolerance = 0.004f;

const char* const kReportWords[] = {"REDUCED", "FULL"};
const char* const kScaleWords[] = {"DIMENSIONLESS", "DIMENSIONAL"};
const char* const kLoadWords[] = {"ANGLE", "THRUST", "POWER"};

// The geometry of the case as the deck gives it (indexed from 1).
struct BladeGeometry {
    int count = 0;
    float referenceRadius = 0;  // percent of the tip radius
    float referenceAngle = 0;   // radians
    float x[kMaxGeometryPoints + 1] = {};
    float chordByD[kMaxGeometryPoints + 1] = {};
    float camber[kMaxGeometryPoints + 1] = {};
    float tbyc[kMaxGeometryPoints + 1] = {};
    float twistDeg[kMaxGeometryPoints + 1] = {};
    float activityFactor = 0;   // as reported: prescribed, else computed
};

// Advance ratio, speed and rotation of one point of the sweep.
struct SweepPoint {
    StationFlow flow;
    float revolutions = 0;  // per second
};

// Loads of one advance ratio (indexed from 1).
struct LoadList {
    float loads[kMaxLoads + 1] = {};    // as given: coefficients or dimensional
    float angles[kMaxLoads + 1] = {};   // the same list in radians (ANGLE mode)
    float targets[kMaxLoads + 1] = {};  // target coefficients
    float ct[kMaxLoads + 1] = {};
    float cp[kMaxLoads + 1] = {};
};

class PerformanceAnalysis {
public:
    PerformanceAnalysis(float* coefficients, float* matrix, float* rhs, float* solution,
                        int* pivots)
        : coefficients_(coefficients),
          system_(matrix),
          rhs_(rhs),
          solution_(solution),
          pivots_(pivots),
          wakeRing_(kRingCapacity),
          searchRing_(kRingCapacity) {}

    void run(bool* loadPolarDatabase);

private:
    bool setUp(bool* loadPolarDatabase);
    bool readGeometry();
    bool placeStations();
    bool checkBlock(const OperatingBlock& b) const;
    bool runBlock(const OperatingBlock& b);
    SweepPoint sweepPoint(const OperatingBlock& b, int j) const;
    // Undisturbed inflow and first lift distribution of the stations for a
    // blade-angle offset; with liftLimits also their lift maxima and minima.
    void prepareLoad(const StationFlow& flow, float offset, bool liftLimits);
    bool analysePoint(const OperatingBlock& b, const SweepPoint& sweep, int k, float* offset,
                      PointResult* result);
    bool solveWake(const StationFlow& flow, float offset, WakePass* pass, int* passes);
    void report(const OperatingBlock& b, const PointResult& result);

    float* coefficients_;
    float* system_;
    float* rhs_;
    float* solution_;
    int* pivots_;
    WrapAround<float> wakeRing_;
    WrapAround<float> searchRing_;
    std::unique_ptr<Get_Performance_CLCD> blade_;
    std::unique_ptr<Get_Performance_CLCD> single_;
    int firstLine_ = 1;
    float diameter_ = 0;    // of the current block
    float chordScale_ = 0;  // diameter that turned the station chords into metres
    float degree_ = 0;
};

// Analysis state that the engine keeps between runs, as its other common
// storage: the stations, the representative section and the lifting line's
// work arrays.
BladeGeometry geometry;
PerfStations stations;
PerfStations section;
LiftingLineWork liftingLine;
LoadList loadList;
float startAngles[kMaxAdvanceRatios + 1];
SweepPoint sweep[kMaxAdvanceRatios + 1];
StationFlow sweepFlows[kMaxAdvanceRatios + 1];

float degreeFactor() {
    static const float degree = 180.0f / geom_.PI;  // fixed once per process
    return degree;
}

std::unique_ptr<Get_Performance_CLCD> makeLookup(PerfStations* s) {
    const PolarDims d = polar_dimensions(PolarLayout::Performance);
    return std::make_unique<Get_Performance_CLCD>(
        polar.get(), d.d[0], d.d[1], d.d[2], d.d[3], d.d[4], shape_.NALPHA,
        &shape_.ALPHADB[0][0], s->flags, s->tbyc, s->camber, s->reynolds, s->mach, nullptr,
        shape_.REYDB, shape_.MACHDB, shape_.TCDB, shape_.CAMBDB, &shape_.NREY, &shape_.NMACH,
        &shape_.NTC, &shape_.NCAMB);
}

bool PerformanceAnalysis::setUp(bool* loadPolarDatabase) {
    ensure_polar_tables(PolarLayout::Performance, loadPolarDatabase);
    if (except_ != 0) return false;
    stations = PerfStations();
    section = PerfStations();
    blade_ = makeLookup(&stations);
    single_ = makeLookup(&section);
    degree_ = degreeFactor();

    WritePerformancePagePreamble();
    std::string rest, title;
    if (!ReadDeckLine(&rest) || !ReadDeckLine(&title)) {
        ERROR_FILE << "\nINPUT ERROR: the problem title of the performance case is missing "
                      "(the deck ends)\n";
        except_ = 1;
        return false;
    }
    if (title.size() > static_cast<std::size_t>(kTitleLength)) title.resize(kTitleLength);
    WriteRotorResultsHeading(title.c_str());
    WriteInflowListing(&s123_.NUM);
    return readGeometry() && placeStations();
}

bool PerformanceAnalysis::readGeometry() {
    BladeGeometry& g = geometry;
    g = BladeGeometry();
    float referenceAngleDeg = 0.0f;
    if (!ReadDeckInt(&g.count, "the number of geometry points")) return false;
    if (g.count < 2 || g.count > kMaxGeometryPoints) {
        ReportDeckValue("the number of geometry points", std::to_string(g.count),
                        ("must lie in 2.." + std::to_string(kMaxGeometryPoints)).c_str());
        return false;
    }
    if (!ReadDeckFloat(&g.referenceRadius, "the reference radius of the geometry") ||
        !ReadDeckFloat(&referenceAngleDeg, "the reference blade angle of the geometry"))
        return false;
    g.referenceRadius *= 100.0f;
    g.referenceAngle = referenceAngleDeg * geom_.PI / 180.0f;
    for (int i = 1; i <= g.count; ++i) {
        if (!ReadDeckFloat(&g.x[i], "the radius of a geometry point") ||
            !ReadDeckFloat(&g.chordByD[i], "the chord/D of a geometry point") ||
            !ReadDeckFloat(&g.camber[i], "the camber of a geometry point") ||
            !ReadDeckFloat(&g.tbyc[i], "the t/c of a geometry point") ||
            !ReadDeckFloat(&g.twistDeg[i], "the twist of a geometry point"))
            return false;
        if (i > 1 && g.x[i] < g.x[i - 1]) {
            const std::string field = "the radius of geometry point " + std::to_string(i);
            ReportDeckValue(field.c_str(), g.x[i],
                            "must not be below the radius of the point before it");
            return false;
        }
    }
    return true;
}

bool PerformanceAnalysis::placeStations() {
    PerfStations& s = stations;
    BladeGeometry& g = geometry;
    const int n = s123_.NUM;
    int m = s123_.NUMM1;
    const float xh = geom_.XHUB;
    for (int i = 0; i <= n; ++i) {
        gopt1_.PHI[i] = static_cast<float>(i) * geom_.PI / static_cast<float>(n);
        s.x[i] = RadiusAtAngle(gopt1_.PHI[i]);
    }
    s.x[0] = xh;
    s.x[n] = 1.0f;

    int one = 1;
    auto toStations = [&](float* values, float* out) {
        line_1(g.x, values, s.x, out, &m, &g.count, &one, &one);
        return except_ == 0;
    };
    if (!toStations(g.chordByD, s.chord) || !toStations(g.camber, s.camber) ||
        !toStations(g.tbyc, s.tbyc) || !toStations(g.twistDeg, s.twist))
        return false;

    // Activity factor from the chord at the Gauss radii, with the chord held
    // at the hub and falling to zero at the tip.
    s.chord[0] = s.chord[1];
    s.chord[n] = 0.0f;
    float gaussX[kMaxGauss] = {};
    float gaussChord[kMaxGauss] = {};
    int last = gauss_.NGAUSS - 1;
    int zero = 0;
    int lastGrid = n;
    for (int f = 0; f < gauss_.NGAUSS; ++f) gaussX[f] = GaussRadius(gauss_.GABSC[f], xh);
    interpolate_quadratic(s.x, s.chord, gaussX, gaussChord, &last, &lastGrid, &zero, &zero);
    if (except_ != 0) return false;
    float computed = 0.0f;
    float hub = xh;
    afcalz_(&computed, &hub, &gauss_.NGAUSS, gaussChord, gauss_.GWGHT, gaussX);
    g.activityFactor = computed;
    if (geom_.AFTARGET != 0.0f) {
        if (!(computed > 0.0f)) {
            ReportDeckValue("the activity factor of the geometry", computed,
                            "must be positive to scale the chords to the prescribed one");
            return false;
        }
        const float ratio = geom_.AFTARGET / computed;
        for (int i = 0; i <= n; ++i) s.chord[i] *= ratio;
        for (int i = 1; i <= g.count; ++i) g.chordByD[i] *= ratio;
        g.activityFactor = geom_.AFTARGET;
    }

    for (int i = 1; i <= m; ++i)
        get_tbyc_and_camb_DB_index(&s.tbyc[i], &s.camber[i], &s.tcIndex[i], &s.cambIndex[i],
                                   s.flags[i]);
    return true;
}

bool PerformanceAnalysis::checkBlock(const OperatingBlock& b) const {
    const struct {
        const char* field;
        float value;
    } positive[] = {{"the diameter of an operating-point block", b.diameter},
                    {"the density of an operating-point block", b.density},
                    {"the speed of sound of an operating-point block", b.soundSpeed},
                    {"the kinematic viscosity of an operating-point block",
                     b.kinematicViscosity}};
    for (const auto& p : positive) {
        if (!(p.value > 0.0f)) {
            ReportDeckValue(p.field, p.value, "must be positive");
            return false;
        }
    }
    if (b.speed == 0.0f) {
        ReportDeckValue("the forward speed of an operating-point block", b.speed,
                        "must not be 0 (positive: forward speed, negative: minus the "
                        "revolutions per second)");
        return false;
    }
    return true;
}

SweepPoint PerformanceAnalysis::sweepPoint(const OperatingBlock& b, int j) const {
    SweepPoint p;
    const float pi = geom_.PI;
    const float requested = b.advanceStart + static_cast<float>(j - 1) * b.advanceStep;
    const bool fixedRpm = b.speed <= 0.0f;
    const float floor = kStaticAdvanceRatio / pi;
    float lambda = requested;
    float speed = b.speed;
    if (requested <= floor) {
        lambda = floor;
        // At a fixed forward speed the rotation stays that of the requested
        // advance ratio; a requested ratio of zero or below has none, and the
        // point is analysed at the given speed.
        if (!fixedRpm && requested > 0.0f) speed = b.speed * (lambda / requested);
    }
    if (fixedRpm) speed = pi * lambda * (-b.speed) * b.diameter;
    p.flow.lambda = lambda;
    p.flow.speed = speed;
    p.flow.soundSpeed = b.soundSpeed;
    p.flow.viscosity = b.kinematicViscosity;
    p.revolutions = speed / (pi * lambda * b.diameter);
    return p;
}

void PerformanceAnalysis::prepareLoad(const StationFlow& flow, float offset,
                                      bool liftLimits) {
    const int m = s123_.NUMM1;
    const int withEnds = 1;
    initmr_(&stations, &m, &withEnds, behind_.VELDED, gspec_.BETAG, &flow);
    if (liftLimits) compute_clmax(blade_.get(), &stations, &m, &kClMaxTolerance);
    initcl_(blade_.get(), &stations, &m, gspec_.BETAG, &offset);
}

bool PerformanceAnalysis::solveWake(const StationFlow& flow, float offset, WakePass* pass,
                                    int* passes) {
    PerfStations& s = stations;
    const int n = s123_.NUM;
    int m = s123_.NUMM1;
    const float xh = geom_.XHUB;
    const float lambda = flow.lambda;
    const float blades = static_cast<float>(geom_.NBLADE);
    float newAngles[kGridSize] = {};
    int q = 0;
    bool stop = false;
    while (!stop) {
        ++q;
        gopt_1__(coefficients_, &liftingLine);
        if (except_ != 0) return false;

        // Circulation equations for the Fourier coefficients a_1..a_M
        // (matrix stored by columns).
        for (int i = 1; i <= m; ++i) {
            const float sigma = blades * s.chord[i] / (geom_.PI * diameter_);
            const float phi = gspec_.BETAG[i];
            for (int h = 1; h <= m; ++h)
                system_[(h - 1) * m + (i - 1)] =
                    2.0f * blades * std::cos(phi) * gopt1_.STAB[h][i] +
                    static_cast<float>(h) * sigma * s.cl[i] / (1.0f - xh) * gopt1_.HMAT[1][i][h];
            rhs_[i - 1] = sigma * s.x[i] * s.cl[i] / lambda;
        }
        int lo = 1;
        matrix_(&m, system_, rhs_, solution_, &lo, pivots_);
        if (except_ != 0) return false;
        for (int h = 0; h < m; ++h) coefficients_[h] = solution_[h];

        for (int i = 0; i <= n; ++i) {
            float ua = 0.0f;
            float ut = 0.0f;
            for (int h = 1; h <= m; ++h) {
                ua += static_cast<float>(h) * coefficients_[h - 1] * gopt1_.HMAT[0][i][h];
                ut += static_cast<float>(h) * coefficients_[h - 1] * gopt1_.HMAT[1][i][h];
            }
            s.ua[i] = ua / (1.0f - xh);
            s.ut[i] = ut / (1.0f - xh);
            const float num = s.ua[i] + 1.0f - behind_.VELDED[i];
            const float den = s.x[i] / lambda - s.ut[i];
            if (std::fabs(den) > 0.001f)
                newAngles[i] = std::atan(num / den) + (den < 0.0f ? geom_.PI : 0.0f);
            else
                newAngles[i] = std::copysign(geom_.PI / 2.0f, num);
        }
        stop = Check_Wake_Convergence(blade_.get(), &s, &q, newAngles, &offset, &flow,
                                      &wakeRing_, pass);
    }
    *passes = q;

    for (int i = 1; i <= m; ++i) {
        s.cd[i] = blade_->get_perf_CLCD(i, s.alpha[i], s.reyIndex[i], s.machIndex[i],
                                        s.cambIndex[i], s.tcIndex[i], 2);
        const float cl =
            std::fabs(s.cl[i]) <= 1e-6f ? std::copysign(1e-6f, s.cl[i]) : s.cl[i];
        s.cdByCl[i] = s.cd[i] / cl;
    }
    return true;
}

bool PerformanceAnalysis::analysePoint(const OperatingBlock& b, const SweepPoint& sweep,
                                       int k, float* offset, PointResult* result) {
    const bool angleMode = b.loadWord == "ANGLE";
    const char* mode = b.loadWord.c_str();
    const StationFlow& flow = sweep.flow;
    const int m = s123_.NUMM1;
    const float reference = geometry.referenceAngle;
    const float baseStep = geom_.PI / 180.0f;
    const int limit = kMaxBladeAngleTries;

    PointSearchState search;
    WakePass pass;
    int passes = 0;
    float computed = 0.0f, target = loadList.targets[k], relative = 0.0f;
    float bladeAngle = *offset + reference;
    float efficiency = 0.0f;
    for (;;) {
        if (!solveWake(flow, *offset, &pass, &passes)) return false;
        if (passes >= kMaxWakePasses) search.wakeUnconverged = 1;
        get_thrust_torque(&stations, &m, gspec_.BETAG, behind_.VELDED, &flow.lambda,
                          &diameter_, &geom_.NBLADE, &loadList.ct[k], &loadList.cp[k],
                          &efficiency);
        if (angleMode) break;
        if (!Check_CtCp_Convergence(blade_.get(), &stations, loadList.cp, loadList.ct,
                                    loadList.targets, &k, &computed, &target, &relative, mode,
                                    "THRUST", &search, &limit, &bladeAngle, offset, &reference,
                                    &pass.range, &baseStep, &searchRing_))
            break;
    }

    PointResult& r = *result;
    const float pi = geom_.PI;
    const float ct = loadList.ct[k];
    const float cp = loadList.cp[k];
    const float n = sweep.revolutions;
    const float d = diameter_;
    r.beta = *offset + reference;
    r.J = pi * flow.lambda;
    r.speed = flow.speed;
    r.rpm = 60.0f * flow.speed / (d * r.J);
    r.efficiency = efficiency;
    r.ct = ct;
    r.cp = cp;
    r.ctcor = ct;
    r.cpcor = cp;
    if (!angleMode && search.notpos == 0 && computed != 0.0f) {
        r.ctcor = ct * target / computed;
        r.cpcor = cp * target / computed;
    }
    const float thrustScale = b.density * n * n * d * d * d * d;
    const float powerScale = thrustScale * n * d;
    r.thrustN = ct * thrustScale;
    r.thrustLb = r.thrustN * 0.224809f;
    r.powerKW = cp * powerScale / 1000.0f;
    r.powerHP = r.powerKW / 0.7457f;
    r.target = angleMode ? 0.0f : loadList.targets[k];
    r.largestWakeChange = pass.largestChange;
    r.flags.nwake = passes;
    r.flags.ncpitr = search.iterations;
    r.flags.ncperr = search.iterations > limit ? 1 : 0;
    r.flags.wakerr = search.gaveUp;
    r.flags.notpos = search.notpos;
    r.flags.lstall = pass.range.outside;
    r.flags.lgig = pass.range.above;
    // The warning describes the reported solution, not the iterates on the
    // way to it.
    for (int i = 1; i <= m; ++i)
        if (stations.mach[i] > 1.0f) r.flags.mwarn = 1;
    return true;
}

void PerformanceAnalysis::report(const OperatingBlock& b, const PointResult& result) {
    if (b.reportIndex == 1) {
        if (result.flags.notpos == 2) return;  // a skipped point has no condition block
        const int n = s123_.NUM;
        outall_(&result, &stations, &n, &degree_, &kKnots, b.loadWord.c_str());
    } else {
        outred_(&result, &degree_, &firstLine_);
    }
}

bool PerformanceAnalysis::runBlock(const OperatingBlock& b) {
    const bool angleMode = b.loadWord == "ANGLE";
    const int loads = b.loadCount;
    const float reference = geometry.referenceAngle;
    for (int k = 1; k <= loads; ++k) {
        loadList.loads[k] = b.loads[k - 1];
        loadList.angles[k] = b.scaledLoads[k - 1];
    }
    for (int j = 1; j <= b.advanceCount; ++j) {
        sweep[j] = sweepPoint(b, j);
        sweepFlows[j] = sweep[j].flow;
    }

    if (!angleMode) {
        StartAngleInputs in{geometry.x,          geometry.chordByD, geometry.camber,
                            geometry.tbyc,       geometry.twistDeg, geometry.count,
                            geometry.referenceRadius, chordScale_,   stations.x,
                            behind_.VELDED,      s123_.NUM,         loadList.loads[1],
                            b.advanceCount,      sweepFlows};
        section = PerfStations();
        strt75_(single_.get(), &section, &in, startAngles);
        if (except_ != 0) return false;
    }

    for (int j = 1; j <= b.advanceCount; ++j) {
        const SweepPoint& point = sweep[j];
        const StationFlow& flow = point.flow;
        geom_.LAMBDA = flow.lambda;
        int first = 1;
        float offset = 0.0f;
        if (angleMode)
            getCurrBladeAngleOffset(&first, loadList.angles, &reference, &offset);
        else
            getCurrBladeAngleOffset(&j, startAngles, &reference, &offset);
        prepareLoad(flow, offset, true);

        const float n = point.revolutions;
        const float d = diameter_;
        const float thrustScale = b.density * n * n * d * d * d * d;
        const float powerScale = thrustScale * n * d;
        for (int k = 1; k <= loads; ++k) loadList.targets[k] = loadList.loads[k];
        if (!angleMode && b.dimensional)
            makeLoadsDimensionless(loadList.loads, loadList.targets, &loads, "POWER",
                                   b.loadWord.c_str(), &thrustScale, &powerScale);

        // Points that cannot reach their target in a row make the rest of
        // this advance ratio hopeless.
        int fallingStreak = 0;
        int otherStreak = 0;
        bool skipping = false;
        int previousNotpos = 0;
        for (int k = 1; k <= loads; ++k) {
            if (k > 1 && !skipping) {
                if (previousNotpos == 1 && loadList.loads[2] < loadList.loads[1]) {
                    ++fallingStreak;
                    otherStreak = 0;
                } else if (previousNotpos != 0) {
                    ++otherStreak;
                    fallingStreak = 0;
                } else {
                    fallingStreak = 0;
                    otherStreak = 0;
                }
                skipping = fallingStreak > 2 || otherStreak > 2;
            }
            PointResult result;
            if (skipping) {
                result.flags.notpos = 2;
                result.beta = offset + reference;
                result.J = geom_.PI * flow.lambda;
                result.target = angleMode ? 0.0f : loadList.targets[k];
            } else if (!analysePoint(b, point, k, &offset, &result)) {
                return false;
            }
            report(b, result);
            previousNotpos = result.flags.notpos;

            if (k < loads) {
                int next = k + 1;
                if (angleMode)
                    getCurrBladeAngleOffset(&next, loadList.angles, &reference, &offset);
                else
                    getCurrBladeAngleOffset(&j, startAngles, &reference, &offset);
                prepareLoad(flow, offset, false);
            }
        }
    }
    return true;
}

void PerformanceAnalysis::run(bool* loadPolarDatabase) {
    liftingLine.firstCall = 1;
    firstLine_ = 1;
    if (!setUp(loadPolarDatabase)) return;

    float constant = geom_.PI;
    float factor = geom_.PI / 180.0f;
    bool firstBlock = true;
    OperatingBlock block;
    do {
        getInputs(kReportWords, kScaleWords, kLoadWords, &constant, &factor, &block);
        if (except_ != 0 || !checkBlock(block)) return;
        diameter_ = block.diameter;
        if (firstBlock) {
            chordScale_ = block.diameter;
            // The stations' chords become metres and their twists radians.
            for (int i = 0; i <= s123_.NUM; ++i) stations.chord[i] *= block.diameter;
            for (int i = 1; i <= s123_.NUMM1; ++i) stations.twist[i] *= geom_.PI / 180.0f;
        }
        BlockInputs inputs;
        inputs.speed = block.speed;
        inputs.kinematicViscosity = block.kinematicViscosity;
        inputs.soundSpeed = block.soundSpeed;
        inputs.density = block.density;
        inputs.altitude = block.altitude;
        inputs.temperature = block.temperature;
        inputs.standardAtmosphere = isStandardAtmosphere;
        WriteBlockStart(&inputs, &kKnots);
        if (firstBlock)
            WriteBladeGeometry(geometry.x, geometry.chordByD, geometry.camber, geometry.tbyc,
                               geometry.twistDeg, &geometry.count, &geometry.activityFactor,
                               &geom_.NBLADE, &block.diameter, &geom_.XHUB);
        WriteAnalysisHeading();
        if (!runBlock(block)) return;
        WriteBlockEnd();
        firstBlock = false;
    } while (block.anotherBlock == 1);
}

}  // namespace

int g_geom__(float* coefficients, float* matrix, float* rhs, float* solution, int* pivots,
             int* /*numm1*/, bool* loadPolarDatabase) {
    PerformanceAnalysis analysis(coefficients, matrix, rhs, solution, pivots);
    analysis.run(loadPolarDatabase);
    return 0;
}
