#include "compute/case_reader.h"

#include <cmath>
#include <iomanip>
#include <string>

#include "compute/deck_reader.h"
#include "compute/engine_state.h"
#include "compute/gauss_rule.h"
#include "compute/interpolate.h"
#include "compute/lifting_line.h"

namespace {

constexpr float kTableEnd = 999.999f;

void Halt() { except_ = 1; }

bool ReadHeader(float* advanceRatio, int* ngauss) {
    int num = 0;  // becomes s123_.NUM only once it fits the grid arrays
    if (!ReadDeckInt(&s123_.CODE, "the problem type of the case header") ||
        !ReadDeckInt(&num, "NUM of the case header") ||
        !ReadDeckInt(&geom_.NBLADE, "the blade number of the case header") ||
        !ReadDeckInt(ngauss, "NGAUSS of the case header") ||
        !ReadDeckFloat(advanceRatio, "the advance ratio of the case header") ||
        !ReadDeckFloat(&geom_.XHUB, "the hub ratio of the case header") ||
        !ReadDeckFloat(&geom_.AFTARGET, "the activity factor record"))
        return false;
    if (num > kMaxNum) {
        ERROR_FILE << "\nNUM =" << std::setw(3) << num << " EXCEEDS MAXIMUM OF"
                   << std::setw(3) << kMaxNum;
        Halt();
        return false;
    }
    if (num < 2) {
        ReportDeckValue("NUM", std::to_string(num),
                        "IS BELOW THE MINIMUM OF 2 (ONE CIRCULATION TERM)");
        return false;
    }
    s123_.NUM = num;
    s123_.NUMM1 = num - 1;
    if (geom_.NBLADE < 1) {
        ReportDeckValue("BLADE NUMBER", std::to_string(geom_.NBLADE), "MUST BE AT LEAST 1");
        return false;
    }
    if (!(geom_.XHUB >= 0.0f && geom_.XHUB < 1.0f)) {
        ReportDeckValue("HUB RATIO", geom_.XHUB, "MUST LIE IN [0, 1)");
        return false;
    }
    if (s123_.CODE >= 1 && s123_.CODE <= 3 && !(*advanceRatio > 0.0f)) {
        ReportDeckValue("ADVANCE RATIO", *advanceRatio, "MUST BE POSITIVE FOR A DESIGN");
        return false;
    }
    return true;
}

// Record 3: the displacement velocity (type 1) or the prescribed load
// (types 2 and 3), normalised by J^2 pi/8 (thrust) or J^3 pi/8 (power).
bool ReadLoad(float J) {
    if (s123_.CODE == 1)
        return ReadDeckFloat(&geom_.WBAR, "the displacement velocity record");
    if (s123_.CODE != 2 && s123_.CODE != 3) return true;
    if (!ReadDeckInt(&gopt2_.KCOEF, "the load kind of the load record") ||
        !ReadDeckFloat(&gopt2_.COEF, "the load value of the load record") ||
        !ReadDeckFloat(&gopt2_.COEFTOL, "the load tolerance of the load record"))
        return false;
    float scale;
    if (gopt2_.KCOEF == 1) {
        scale = J * J * geom_.PI / 8.0f;
    } else if (gopt2_.KCOEF == 2) {
        scale = J * J * J * geom_.PI / 8.0f;
    } else {
        ReportDeckValue("LOAD KIND", std::to_string(gopt2_.KCOEF),
                        "MUST BE 1 (THRUST COEFFICIENT) OR 2 (POWER COEFFICIENT)");
        return false;
    }
    gopt2_.COEF /= scale;
    gopt2_.COEFTOL /= scale;
    return true;
}

void UniformInflow() {
    behind_.IFLOW = 0;
    for (int j = 0; j < kGridSize; ++j) {
        behind_.VELDED[j] = 0.0f;
        behind_.THRDED[j] = 0.0f;
    }
}

// Record 4: "UNIFORM", or "NONUNIFORM" and rows (radius, velocity deduction,
// thrust deduction) up to the radius 999.999, interpolated to the grid.
bool ReadInflow() {
    UniformInflow();
    if (s123_.CODE != 3 && s123_.CODE != 4) return true;
    std::string word;
    if (!ReadDeckWord(&word, "the inflow record")) return false;
    if (word == "UNIFORM") return true;
    if (word != "NONUNIFORM") {
        ERROR_FILE << "\nERROR READ  " << word << " << BUT EXPECTED " << "UNIFORM" << " OR "
                   << "NONUNIFORM" << "\n  ---PROGRAM HALTED";
        Halt();
        return false;
    }
    float radius[kMaxInflowRows];
    float velded[kMaxInflowRows];
    float thrded[kMaxInflowRows];
    int rows = 0;
    for (;;) {
        float r = 0.0f, v = 0.0f, t = 0.0f;
        if (!ReadDeckFloat(&r, "the radius of an inflow row") ||
            !ReadDeckFloat(&v, "the velocity deduction of an inflow row") ||
            !ReadDeckFloat(&t, "the thrust deduction of an inflow row"))
            return false;
        if (r == kTableEnd) break;
        if (rows == kMaxInflowRows) {
            ERROR_FILE << "\nINFLOW ROWS: MORE THAN " << kMaxInflowRows
                       << " ROWS BEFORE THE END ROW 999.999\n  ---PROGRAM HALTED\n";
            Halt();
            return false;
        }
        if (rows > 0 && r < radius[rows - 1]) {
            ERROR_FILE << "\nINFLOW ROW " << rows + 1 << ": RADIUS = " << r
                       << " IS BELOW THE RADIUS OF THE ROW BEFORE (" << radius[rows - 1]
                       << ")\n  ---PROGRAM HALTED\n";
            Halt();
            return false;
        }
        radius[rows] = r;
        velded[rows] = v;
        thrded[rows] = t;
        ++rows;
    }
    if (rows == 0) {
        ERROR_FILE << "\nINFLOW ROWS: NONUNIFORM INFLOW WITHOUT ROWS\n  ---PROGRAM HALTED\n";
        Halt();
        return false;
    }
    float station[kGridSize];
    for (int k = 0; k <= s123_.NUM; ++k)
        station[k] = RadiusAtAngle(static_cast<float>(k) * geom_.PI / static_cast<float>(s123_.NUM));
    int lastT = s123_.NUM, lastS = rows - 1, firstS = 0, firstT = 0;
    line_1(radius, velded, station, behind_.VELDED, &lastT, &lastS, &firstS, &firstT);
    if (except_ != 0) return false;
    line_1(radius, thrded, station, behind_.THRDED, &lastT, &lastS, &firstS, &firstT);
    if (except_ != 0) return false;
    behind_.IFLOW = 1;
    return true;
}

// Records 5 and 6: the DRAG records, interpolated to the Gauss radii.
bool ReadDrag() {
    int count = 0;
    if (!ReadDeckInt(&count, "the drag record count")) return false;
    if (count < 1 || count > kMaxDragRecords) {
        ERROR_FILE << "\nDRAG RECORD COUNT = " << count << " MUST LIE BETWEEN 1 AND "
                   << kMaxDragRecords << "\n  ---PROGRAM HALTED\n";
        Halt();
        return false;
    }
    for (int k = 1; k <= count; ++k) {
        std::string word;
        float radius = 0.0f, ratio = 0.0f;
        if (!ReadDeckWord(&word, "the keyword of a DRAG record") ||
            !ReadDeckFloat(&radius, "the radius of a DRAG record") ||
            !ReadDeckFloat(&ratio, "the CD/CL of a DRAG record"))
            return false;
        if (word != "DRAG") {
            ERROR_FILE << "\nERROR AT RECORD --- " << word << " " << radius << " " << ratio
                       << "\n  ---PROGRAM HALTED";
            Halt();
            return false;
        }
        if (k > 1 && radius < drag_.XDRAG[k - 1]) {
            ERROR_FILE << "\nDRAG RECORD " << k << ": RADIUS = " << radius
                       << " IS BELOW THE RADIUS OF THE RECORD BEFORE (" << drag_.XDRAG[k - 1]
                       << ")\n  ---PROGRAM HALTED\n";
            Halt();
            return false;
        }
        drag_.XDRAG[k] = radius;
        drag_.CDCL[k] = ratio;
    }
    drag_.NDRAG = count;
    drag_.XDRAG[0] = geom_.XHUB;
    drag_.CDCL[0] = drag_.CDCL[1];
    drag_.XDRAG[count + 1] = 1.0f;
    drag_.CDCL[count + 1] = drag_.CDCL[count];

    for (int f = 0; f < gauss_.NGAUSS; ++f) {
        const float x = GaussRadius(gauss_.GABSC[f], geom_.XHUB);
        int k = 1;
        while (k <= count && x - drag_.XDRAG[k] > 0.0001f) ++k;
        const float x0 = drag_.XDRAG[k - 1], x1 = drag_.XDRAG[k];
        const float c0 = drag_.CDCL[k - 1], c1 = drag_.CDCL[k];
        drag_.CDCLG[f] = x1 == x0 ? c1 : c0 + (c1 - c0) * (x - x0) / (x1 - x0);
    }
    return true;
}

}  // namespace

int init_() {
    geom_.PI = 3.1415927f;
    except_ = 0;
    float J = 0.0f;
    int ngauss = 0;  // becomes gauss_.NGAUSS only once it names a rule
    if (!ReadHeader(&J, &ngauss)) return 0;
    if (!ReadLoad(J)) return 0;
    if (!ReadInflow()) return 0;
    if (!SelectGaussRule(ngauss)) {
        ERROR_FILE << "NGAUSS= " << ngauss << " IS NOT A VALID VALUE";
        Halt();
        return 0;
    }
    geom_.LAMBDA = J / geom_.PI;
    if (s123_.CODE == 4) return 0;
    ReadDrag();
    return 0;
}
