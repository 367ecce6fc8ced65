// Station routines of the performance analysis: the first inflow state of
// the blade stations, their lift limits, the first lift distribution, the
// starting blade angle from a representative section, and the thrust and
// power integrals.
//
// Station arrays are those of PerfStations (compute/perf_stations.h): grid
// points 0..count+1 when the hub and tip ends take part, stations 1..count.
#pragma once

#include "compute/perf_stations.h"

class Get_Performance_CLCD;

// Flow of the current advance ratio.
struct StationFlow {
    float speed = 0;       // forward speed V, m/s
    float soundSpeed = 0;  // m/s
    float viscosity = 0;   // kinematic viscosity, m^2/s
    float lambda = 0;      // advance ratio over pi
};

// Signed-root local speed, Mach and Reynolds numbers (with their polar
// indices) of stations 1..*count, and their undisturbed wake angles
// atan((1 - w)/(x/lambda)) into wakeAngles. With *withEnds set, the hub
// (point 0) and tip (point *count+1) angles too. `deficit` is the axial
// velocity defect w per point.
int initmr_(PerfStations* s, const int* count, const int* withEnds, const float* deficit,
            float* wakeAngles, const StationFlow* flow);

// Angles and values of maximum and minimum lift of stations 1..*count,
// searched from zero incidence up to AMAX and down to AMIN in steps of 3
// degrees, halved near the extremum until they fall below *tolerance.
int compute_clmax(const Get_Performance_CLCD* look, PerfStations* s, const int* count,
                  const float* tolerance);

// First lift distribution for the blade angle offset *offset: each station
// takes half its geometric incidence, at most 0.75 of the angle of maximum
// lift, and its wake angle follows; the hub and tip angles move with
// stations 1 and *count.
int initcl_(const Get_Performance_CLCD* look, PerfStations* s, const int* count,
            float* wakeAngles, const float* offset);

// Incidence of the representative section (station 1 of `section`) for the
// inflow angle *phi: starts at *phi - *phi1, at most 0.8 of the angle of
// maximum lift, corrected once towards a lift of 0.3 (or -0.5 when
// *firstLoad is not positive). Leaves the lift in section->cl[1].
int initl2_(const Get_Performance_CLCD* look, PerfStations* section, const float* phi,
            const float* phi1, const float* firstLoad, float* alpha);

// What strt75_ needs of the blade: the geometry points (indexed from 1,
// chord as a fraction of the diameter, twist in degrees), the grid points
// 0..num with their axial velocity defect, and the advance-ratio sweep.
struct StartAngleInputs {
    const float* x;
    const float* chordByD;
    const float* camber;
    const float* tbyc;
    const float* twistDeg;
    int count;             // geometry points
    float referenceRadius; // percent of the tip radius
    float diameter;        // m, the factor of the station chords
    const float* gridX;    // radii of grid points 0..num
    const float* deficit;  // w at grid points 0..num
    int num;
    float firstLoad;
    int advanceCount;
    const StationFlow* flows;  // flow of advance ratio j at flows[j], j from 1
};

// Starting blade angle (radians, at the reference radius) for every advance
// ratio j = 1..advanceCount into startAngles[j], from the representative
// section at the reference radius held in `section` (station 1) and looked
// up through `look`. A geometry that does not span the reference radius
// stops with the interpolation's message.
int strt75_(const Get_Performance_CLCD* look, PerfStations* section,
            const StartAngleInputs* in, float* startAngles);

// Thrust and power coefficients and efficiency of the blade (stations
// 1..*count, grid points 0..*count+1) from its lift, drag, wake angles and
// induced velocities; also the integrands per station (thrustGrad,
// torqueGrad).
int get_thrust_torque(PerfStations* s, const int* count, const float* wakeAngles,
                      const float* deficit, const float* lambda, const float* diameter,
                      const int* blades, float* ct, float* cp, float* efficiency);
