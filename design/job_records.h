// Records that the job builders fill in engine units and hand to the deck
// writers and result readers.
#pragma once

#include <cstdint>
#include <string>

constexpr int kMaxOperatingPoints = 30;  // MAXFLIGHTPOINTS
constexpr int kMaxRadialRows = 30;       // rows of a radial table

// One operating point in engine units.
struct Operating_Point {
    float advanceRatio = 0;        // J = V / (n D)
    float rpm = 0;                 // rev/min
    float speed = 0;               // m/s; for a constant-RPM map: -n (rev/s)
    float temperature = 0;         // K
    float kinematicViscosity = 0;  // m^2/s
    float altitude = 0;            // m
    float density = 0;             // kg/m^3
    float soundSpeed = 0;          // m/s
    int32_t weight = 0;            // weight of the point in the ranking
    int32_t loadKind = 0;          // 1 thrust, 2 power, 3 blade angle at 75 %
    float loadValue = 0;           // CT, CP or blade angle (deg)
    int32_t atmosphere = 0;        // copied from the builder; no deck reads it
};

struct Geometric_Constraints {
    int32_t problemType = 3;   // 2 optimum design, 3 prescribed loading, 4 analysis
    int32_t inflowKind = 0;    // 0 uniform, 1 non-uniform
    float hubRatio = 0;
    float diameter = 0;        // m
    float minThickness = 0;    // m
    float activityFactor = 0;
    int32_t bladeCount = 0;
    int32_t ngauss = 9;        // 5, 7 or 9
    int32_t num = 8;           // 5 to 10
    std::string title;
};

struct Options {
    int32_t reportMode = 1;        // 0 reduced, 1 full
    float advanceRatioStep = 0.1f;
    int32_t advanceRatioCount = 1;
    float loadStep = 0.1f;
    int32_t loadCount = 1;
};

// One radial station of a blade.
struct Propeller_geom {
    float radius = 0;          // r/R
    float chordRatio = 0;      // chord / D
    float camber = 0;
    float thicknessRatio = 0;  // t/c
    float twist = 0;           // deg
};

struct Loading_Profile {
    float radius = 0;
    float loading = 0;
};

struct Inflow_Velocity {
    float radius = 0;
    float axial = 0;       // axial velocity increment
    float tangential = 0;  // tangential velocity increment
};

struct Lift_Coefficient {
    float radius = 0;
    float thickness = 0;         // m
    float liftCoefficient = 0;   // design CL
};

// Figure of merit of one design candidate.
struct ERR_RMS {
    float rms = 0;
    int32_t failures = 0;
};

// One analysed operating point as read back from a performance report.
struct Performance {
    float CPCOR = 0, CTCOR = 0, CP = 0, CT = 0, J = 0, BETA = 0, TARGET = 0;
    int16_t MWARN = 0, LGIG = 0, LSTALL = 0, NOTPOS = 0, WAKERR = 0, NCPERR = 0;
};

enum MapType { FIXED_RPM_MAP = 0, FIXED_SPEED_MAP = 1 };

enum Dialog_Choice {
    PERFORMANCE_POINTS = 3,
    DIALOG_CHOICE_4 = 4,
    DIALOG_CHOICE_5 = 5,
    PERFORMANCE_MAP = 6
};

// One record of a detailed-design radial table: r/R, then five data columns
// picked by a DetailedStructSelector (1 thickness over diameter, 2 loading,
// 3 axial inflow increment, 4 tangential inflow increment, 5 design CL).
struct DetailedStruct {
    float radius = 0;
    float data[5] = {0, 0, 0, 0, 0};
};

enum DetailedStructSelector {
    THICKNESS_COLUMN = 1,
    LOADING_COLUMN = 2,
    AXIAL_INFLOW_COLUMN = 3,
    TANGENTIAL_INFLOW_COLUMN = 4,
    LIFT_COEFFICIENT_COLUMN = 5
};
