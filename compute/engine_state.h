// Process-wide state of the computation engine: its file streams, status
// flag and the common blocks (global records of fixed layout) that every
// engine routine reads and writes directly.
//
// Arrays in the common blocks are declared 0-based with the capacities the
// engine needs; the formulas index grid points j = 0..NUM and harmonics
// n = 1..NUMM1 directly into them. Every count read from a deck is checked
// against these capacities before it bounds a loop.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

// ---- capacities --------------------------------------------------------
constexpr int kMaxNum = 12;           // lifting-line intervals (NUM)
constexpr int kGridSize = 21;         // grid-point arrays (j = 0..20)
constexpr int kMaxDragRecords = 20;   // DRAG records per case
// Prescribed circulation shape records: a design deck carries one per row of
// the project's radial table (up to 30 rows and an appended tip row).
constexpr int kMaxShapeRecords = 32;
constexpr int kMaxGauss = 9;          // points of the largest quadrature rule
constexpr int kMaxPolarGrid = 25;     // values per polar grid axis
constexpr int kMaxPolarAngles = 30;   // angles per polar set
constexpr int kMaxBladeStations = 32; // blade stations of a design case

// ---- file streams and flags -------------------------------------------
extern std::ifstream INI_FILE;     // control file "proprun.ini"
extern std::ifstream INPUT_FILE;   // input deck
extern std::ofstream OUTPUT_FILE;  // computations output file
extern std::ofstream ERROR_FILE;   // error file
extern std::string root_directory; // installation root (report script paths)
extern bool isStandardAtmosphere;
extern int except_;                // 0 while all is well, else a status code
extern int point_number;           // running number of the analysed point
extern bool loadPolarDatabase;     // polar tables must be (re)read
// Polar coefficient tables (both sets), owned by the engine; freed by CleanUp.
extern std::unique_ptr<float[]> polar;
extern std::size_t polar_size;     // number of floats held by `polar`

class Get_Design_CLCD;
extern Get_Design_CLCD* Get_CLCD;  // design lookup of the current case

// ---- common blocks ----------------------------------------------------
struct S123 {
    int32_t CODE;   // problem type 1..4
    int32_t NUM;    // intervals of the radial control-point grid, 1..12
    int32_t NUMM1;  // NUM - 1, terms of the circulation Fourier series
};
extern S123 s123_;

struct Geom {
    float XHUB;      // hub-to-tip diameter ratio
    int32_t NBLADE;  // number of blades
    float LAMW;      // advance ratio of the wake helix over pi
    float PI;        // 3.1415927
    float LAMBDA;    // advance ratio J / pi
    float BETAI;     // hydrodynamic pitch angle handed to induct_ (rad)
    float XRATIO;    // vortex radius / control-point radius (scratch)
    float WBAR;      // wake displacement velocity / forward speed
    float AFTARGET;  // target activity factor, 0 = none
};
extern Geom geom_;

struct Gauss {
    const float* GABSC;  // nodes on [-1, 1], ascending
    const float* GWGHT;  // weights in the same order
    int32_t NGAUSS;      // 5, 7 or 9
};
extern Gauss gauss_;

struct Gopt1 {
    float PHI[kGridSize];                     // grid angles j*pi/NUM
    float HMAT[2][kGridSize][kGridSize];      // [axial|tangential][j][n]
    float GSOL[3][kGridSize][kGridSize];      // [slice][j][n]
    float CTAB[kMaxNum + 1][kMaxNum + 1];     // cos(i*phi_j)
    float STAB[kMaxNum + 1][kMaxNum + 1];     // sin(i*phi_j)
};
extern Gopt1 gopt1_;

struct Gopt2 {
    float COEF;      // prescribed loading coefficient (normalised)
    float COEFTOL;   // its tolerance, scaled the same way
    int32_t KCOEF;   // 1 thrust, 2 power prescribed
    float COEFCALC;  // loading coefficient of the last computed design
};
extern Gopt2 gopt2_;

struct Drag {
    float XDRAG[kMaxDragRecords + 2];  // radii: XHUB, records, 1.0
    float CDCL[kMaxDragRecords + 2];   // CD/CL at those radii
    float CDCLG[kMaxDragRecords];      // CD/CL at the Gauss radii
    int32_t NDRAG;                     // number of DRAG records, <= 20
};
extern Drag drag_;

struct Behind {
    float THRDED[kGridSize];  // thrust deduction fraction at grid points
    float VELDED[kGridSize];  // axial velocity defect at grid points
    int32_t IFLOW;            // 0 uniform, 1 non-uniform
};
extern Behind behind_;

struct Gspec {
    float BETAG[kGridSize];   // pitch angles at grid points (rad)
    float ACIRC[20];          // Fourier coefficients of the prescribed shape
    float CIRC[kMaxShapeRecords + 2];   // shape values, 0 at hub and tip
    float XCIRC[kMaxShapeRecords + 2];  // their radii, XHUB .. 1.0
    float CSCALE;             // scale applied to the shape
    float BETAOLD[20];        // performance analysis: previous pitch angles
    float WORK1[20];          // performance analysis scratch
    float WORK2[20];          // performance analysis scratch
    int32_t NCIRC;            // number of shape records read
};
extern Gspec gspec_;

// Polar grid (filled by the polar header reader) and blade stations
// (filled by the design geometry).
struct Shape {
    int32_t NREY, NMACH, NTC, NCAMB;
    float MACHDB[kMaxPolarGrid];
    float TCDB[kMaxPolarGrid];
    float REYDB[kMaxPolarGrid];
    float CAMBDB[kMaxPolarGrid];
    // Angle block: NALPHA[0..1] are the angle counts of set 1 (lift) and
    // set 2 (drag); ALPHADB[i-1][s-1] is angle i of set s, in radians, so
    // the angles of the two sets follow each other (interleaved).
    int32_t NALPHA[2];
    float ALPHADB[kMaxPolarAngles][2];
    int32_t NSTA;                      // blade stations of the design case
    float XSTA[kMaxBladeStations + 1]; // station radii (1-based)
    float TSTA[kMaxBladeStations + 1]; // thickness
    float CSTA[kMaxBladeStations + 1]; // chord
    float BSTA[kMaxBladeStations + 1]; // blade angle (rad)
};
extern Shape shape_;

struct Amxum {
    float AMAX;  // valid upper incidence limit (rad)
    float AMIN;  // valid lower incidence limit (rad)
};
extern Amxum amxum_;

struct SingleRead {
    int32_t MACHINDEX[kMaxBladeStations + 1];  // Mach-grid index per station
};
extern SingleRead singleread_;
