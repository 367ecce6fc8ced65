// Blade geometry from the design loads: the step that follows the design
// report of a design case whose geometry switch is 0.
//
// Station arrays (shape_.XSTA etc. and every per-station array below) are
// indexed by the station number 1..NSTA; element 0 is unused.
#pragma once

#include <cstdint>

class Get_Design_CLCD;

// Turns the circulation coefficients of the case just designed into blade
// geometry (chord, camber, thickness, twist at the deck's blade stations) and
// writes the geometry section to OUTPUT_FILE.
//
// Called by the driver (Proprun) as
//     make_geometry(coefficients, &loadPolarDatabase);
// after `output_` and after the geometry switch has been read from the deck,
// so INPUT_FILE stands at the section count of the case. The routine reads
// the section count and rows and the seven values of the flow record, and
// leaves the stream before the case-end marker 888.888.
//   coefficients      the driver's coefficient vector: coefficients[n-1] is
//                     the coefficient of sin(n*phi), n = 1..s123_.NUMM1
//                     (capacity kMaxCoefficients, compute/lifting_line.h);
//   loadPolarDatabase the engine's polar flag: when true the routine reads the
//                     polar tables from POLAR_FILE (opened by the driver) into
//                     `polar` and clears the flag after a successful read.
// Returns 0; failures are an ERROR_FILE line and a non-zero except_:
// 1 bad station or flow records (nothing written to OUTPUT_FILE), -1 polar
// tables out of memory, -5 a negative chord.
int make_geometry(float* coefficients, bool* loadPolarDatabase);

// Reads the station count into *count and the station records (radius,
// thickness, design lift coefficient). *thicknessGiven is 1, or 0 when the
// first thickness is exactly 0: then defaultTc receives the default
// thickness-to-chord ratio at every station radius. A count outside
// 1..kMaxBladeStations, radii that do not ascend strictly inside
// [XHUB, 1] or an unreadable record set except_ = 1 with an ERROR_FILE line.
int thck_(float* thickness, int32_t* count, float* radii, float* cl, float* defaultTc,
          int* thicknessGiven);

// One geometry pass over the stations, repeated while the activity-factor
// target asks for it. Returns 0, -5 for a negative chord (with its lines in
// ERROR_FILE), or the status a lookup or a refused station left in except_.
// `retry` is 0 on the first call of a case (the attack-angle bracket is
// fixed then) and set to 1; `scratch` is not used.
int calculate_geometry(float* coefficients, float* velDefect, float* V, float* cl, float* chords,
                       float* D, int* thicknessGiven, float* defaultTc, int* retry, float* a,
                       float* nu, float* cdmin, float* camber, float* scratch, float* stallCl,
                       float* gaussRadii, float* activityFactor, float* afTolerance,
                       int* chordIncreased, int* liftAdjusted, float* reynolds, float* mach,
                       float* tc, uint16_t* flags);

// Chord-shape correction after a pass: raises the factor on the design lift
// coefficient where chord/D exceeds 1.6 times the mean chord of the activity
// factor, and evens out inboard chords narrower than 0.8 of the outermost
// chord maximum. *changed is 1 when any factor changed, else 0.
int Factor_on_CL(float* factors, int32_t* count, float* activityFactor, float* chords, float* D,
                 int* changed, float* radii);

// Stall lift coefficient of the section (*kind 1 positive, 2 negative), from
// the lift set at the given grid indices; 0 when the table has no usable
// stall.
float get_stall_cl(Get_Design_CLCD* lookup, int* station, int* reyIndex, int* cambIndex,
                   int* tcIndex, int* kind);

// Camber of least drag at the design lift coefficient. `cambdb` holds the
// *ncamb camber grid values (cambdb[i-1] is camber i, as shape_.CAMBDB).
// Writes the winning camber index, its drag coefficient (999 when no camber
// gave one) and the camber, refined between grid values.
int get_optimum_camb_DB_index(Get_Design_CLCD* lookup, int* station, int* tcIndex, int* reyIndex,
                              float* clDesign, int32_t* ncamb, float* cambdb, int* bestIndex,
                              float* cdmin, float* camber);

// Camber at the vertex of the parabola through the drag values around the
// winner *index (1-based drag[] and cambers[], the winner interior).
float interpolate_camber(float* drag, int* index, float* cambers);
