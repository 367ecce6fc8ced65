#include "compute/perf_report.h"

#include <cmath>
#include <cstring>
#include <iomanip>
#include <ostream>

#include "compute/engine_state.h"
#include "compute/report_format.h"

namespace {

// The five lines of vertical flag titles (NWAKE, NCPITR, NCPERR, WAKERR,
// NOTPOS, LSTALL, LGIG, MWARN); their last letters end the heading line.
void writeFlagTitles(std::ostream& out) {
    out << std::string(62, ' ') << "N N W N L    \n"
        << std::string(59, ' ') << "N  C C A O S   M\n"
        << std::string(59, ' ') << "W  P P K T T L W\n"
        << std::string(59, ' ') << "A  I E E P A G A\n"
        << std::string(59, ' ') << "K  T R R O L I R\n";
}

void writeSummaryLine(std::ostream& out, const PointResult& p, float degree, int targetWidth) {
    const PointFlags& f = p.flags;
    const bool skipped = f.notpos == 2;
    auto value = [skipped](float v) { return skipped ? 99.999f : v; };
    out << std::fixed << ' ' << FixedField(p.J, 8, 3) << ' ' << FixedField(p.beta * degree, 6, 2) << ' '
        << FixedField(value(p.cpcor), 7, 4) << ' ' << FixedField(value(p.ctcor), 7, 4) << ' '
        << FixedField(value(p.efficiency), 8, 4) << ' ' << FixedField(value(p.cp), 7, 4) << ' '
        << FixedField(value(p.ct), 7, 4) << ' ' << std::setw(2) << f.nwake << ' ' << std::setw(2)
        << f.ncpitr << ' ' << std::setw(1) << f.ncperr << ' ' << std::setw(1) << f.wakerr << ' '
        << std::setw(1) << f.notpos << ' ' << std::setw(1) << f.lstall << ' ' << std::setw(1)
        << f.lgig << ' ' << std::setw(1) << f.mwarn << ' ' << FixedField(p.target, targetWidth, 4)
        << '\n';
}

void writeWarnings(std::ostream& out, const PointResult& p) {
    const PointFlags& f = p.flags;
    if (f.nwake >= 90)
        out << "\n      WARNING -- POOR WAKE ANGLE CONVERGENCE: "
            << FixedField(p.largestWakeChange * 57.3f, 0, 4) << " degrees";
    if (f.ncperr == 1) out << "\n      WARNING -- POOR CONVERGENCE ON CP OR CT";
    if (f.wakerr == 1) out << "\n      WARNING -- COULD NOT CONVERGE ON CP OR CT";
    if (f.notpos == 1) out << "\n      WARNING -- ALPHA out of range -- too high";
    if (f.notpos == 3) out << "\n      WARNING -- ALPHA out of range -- too small";
    if (f.lstall == 1) {
        out << "\n      WARNING -- STALLED ROTOR";
        if (f.ncperr == 1) out << "\n      WARNING -- ROTOR LIKELY UNDERSIZED FOR THIS SCENARIO";
    }
    if (f.lgig == 1)
        out << "\n      WARNING -- SOME OF THE ABOVE ALPHA VALUES EXCEED"
            << "\n        THE VALID INCIDENCE RANGE (ALPHA > AMAX)"
            << "\n       IGNORE THE ABOVE INDICATED TOLERANCES";
    if (f.mwarn == 1) out << "\n      WARNING -- SUPERSONIC REGIONS EXIST";
}

float liftToDrag(float cl, float cd) { return cd != 0.0f ? cl / cd : 0.0f; }

// Wake, swirl and induced velocities at every grid point.
void writeWakeTable(std::ostream& out, const PerfStations& s, int num, float degree) {
    out << "\n       X     WAKE_ANG   SWIRL       UA        UT      CL:CD      MACH\n";
    for (int i = 0; i <= num; ++i) {
        const bool end = i == 0 || i == num;
        // The hub shows station 1's section, the tip station NUM-1's.
        const int section = i == 0 ? 1 : (i == num ? num - 1 : i);
        const float axial = 1.0f + s.ua[i];
        const float swirl =
            std::fabs(axial) <= 0.0001f ? 90.0f : std::atan(s.ut[i] / axial) * degree;
        out << ' ' << FixedField(s.x[i], 9, 4) << ' ' << FixedField(gspec_.BETAG[i] * degree, 9, 2) << ' '
            << FixedField(swirl, 9, 4) << ' ' << FixedField(s.ua[i], 9, 4) << ' ' << FixedField(s.ut[i], 9, 4)
            << ' ' << FixedField(liftToDrag(s.cl[section], s.cd[section]), 9, 4) << ' ';
        if (end)
            out << std::string(9, ' ');
        else
            out << FixedField(s.mach[i], 9, 4);
        out << '\n';
    }
}

// Section data and load gradients at the blade stations.
void writeSectionTable(std::ostream& out, const PerfStations& s, int num, float degree,
                       bool showMaximum) {
    out << "\n\n     X        REY          CL      ALPHA     MAXCL    THRUST    TORQUE\n";
    for (int i = 1; i <= num - 1; ++i) {
        const float limit = showMaximum ? s.clMax[i] : s.clMin[i];
        out << ' ' << FixedField(s.x[i], 8, 4) << ' ' << FixedField(s.reynolds[i], 10, 1) << ' '
            << FixedField(s.cl[i], 9, 3) << ' ' << FixedField(s.alpha[i] * degree, 9, 3) << ' '
            << FixedField(limit, 9, 3) << ' ' << FixedField(s.thrustGrad[i] * 1000.0f, 9, 4) << ' '
            << FixedField(s.torqueGrad[i] * 1000.0f, 9, 4) << '\n';
    }
}

}  // namespace

int outall_(const PointResult* point, const PerfStations* stations, const int* num,
            const float* degree, const float* knots, const char* mode) {
    std::ostream& out = OUTPUT_FILE;
    const PointResult& p = *point;
    const float deg = *degree;
    out << std::fixed;

    ++point_number;
    out << "\n\n  ========================================\n"
        << "  ========== CONDITION " << std::setw(5) << std::setfill('0') << point_number
        << std::setfill(' ') << " ==========\n"
        << "  ========================================\n";

    out << "  BETA = " << FixedField(p.beta * deg, 0, 4) << ", J = " << FixedField(p.J, 0, 4)
        << ", RPM = " << FixedField(p.rpm, 0, 4) << ", SPEED = " << FixedField(p.speed, 0, 4)
        << " m/s = " << FixedField(p.speed / *knots, 0, 4) << " knots"
        << "\n  EFFICIENCY    = " << FixedField(p.efficiency, 0, 4) << "\n\n  CtCmp  = "
        << FixedField(p.ct, 0, 4) << ", THRUST = " << FixedField(p.thrustN, 0, 4)
        << " Newtons = " << FixedField(p.thrustLb, 0, 4) << " Pounds"
        << "\n  CpCmp  = " << FixedField(p.cp, 0, 4) << ", POWER  = " << FixedField(p.powerKW, 0, 4)
        << " KWatts  = " << FixedField(p.powerHP, 0, 4) << " SHP\n";

    // With a blade angle prescribed there is no target; the lift maximum is
    // the meaningful limit then, as it is for a positive target.
    const bool showMaximum = p.target > 0.0f || std::strcmp(mode, "ANGLE") == 0;
    writeWakeTable(out, *stations, *num, deg);
    writeSectionTable(out, *stations, *num, deg, showMaximum);
    writeWarnings(out, p);

    out << "\n" << "  SUMMARY:\n" << "  ========\n";
    writeFlagTitles(out);
    out << "      J    BETA    CpCor   CtCor   EFFIC    CpCmp   CtCmp  E  R R R S L G N  TARGET\n";
    writeSummaryLine(out, p, deg, 6);
    out << std::setprecision(4);
    return 0;
}

int outred_(const PointResult* point, const float* degree, int* firstLine) {
    std::ostream& out = OUTPUT_FILE;
    out << std::fixed;
    if (*firstLine == 1) {
        writeFlagTitles(out);
        out << "      J    BETA   CPCOR   CTCOR     EFFIC    CP      CT    E  R R R S L G N  TARGET\n";
        *firstLine = 0;
    }
    writeSummaryLine(out, *point, *degree, 7);
    out << std::setprecision(4);
    return 0;
}
