// State of the analysed blade along the radius, and the results of one
// analysed operating point.
//
// Arrays cover the grid points i = 0..NUM: point 0 is the hub, point NUM the
// tip and points 1..NUM-1 the blade stations at which the circulation is
// solved. The wake (hydrodynamic pitch) angles of the grid points live in
// gspec_.BETAG, their values of the previous wake pass in gspec_.BETAOLD.
#pragma once

#include <cstdint>

#include "compute/engine_state.h"

struct PerfStations {
    float x[kGridSize] = {};           // radius, fraction of the tip radius
    float chord[kGridSize] = {};       // metres once the first block has scaled it
    float camber[kGridSize] = {};
    float tbyc[kGridSize] = {};        // thickness-to-chord ratio
    float twist[kGridSize] = {};       // radians once the first block converted it
    float reynolds[kGridSize] = {};
    float mach[kGridSize] = {};
    float cl[kGridSize] = {};
    float cd[kGridSize] = {};
    float cdByCl[kGridSize] = {};
    float alpha[kGridSize] = {};       // angle of attack (radians)
    float alphaClMax[kGridSize] = {};  // angle of maximum lift and that lift
    float clMax[kGridSize] = {};
    float alphaClMin[kGridSize] = {};  // angle of minimum lift and that lift
    float clMin[kGridSize] = {};
    float ua[kGridSize] = {};          // axial induced velocity / forward speed
    float ut[kGridSize] = {};          // tangential induced velocity / forward speed
    float thrustGrad[kGridSize] = {};  // dCT/dx integrand t_i
    float torqueGrad[kGridSize] = {};  // dCP/dx integrand q_i
    uint16_t flags[kGridSize] = {};    // polar bracket flags
    int32_t reyIndex[kGridSize] = {};
    int32_t machIndex[kGridSize] = {};
    int32_t tcIndex[kGridSize] = {};
    int32_t cambIndex[kGridSize] = {};
};

// Flags of one operating point, in the order of the summary columns.
struct PointFlags {
    int nwake = 0;   // wake passes of the last wake solution (90 = limit)
    int ncpitr = 0;  // blade-angle iterations
    int ncperr = 0;  // more than 25 blade-angle iterations
    int wakerr = 0;  // search gave up after too many unconverged wakes
    int notpos = 0;  // 0 none, 1 too high, 2 skipped, 3 too small
    int lstall = 0;  // some station beyond its lift-maximum/minimum angle
    int lgig = 0;    // some station reached AMAX after the third pass
    int mwarn = 0;   // some station supersonic
};

// Results of one operating point as reported.
struct PointResult {
    float beta = 0;        // blade angle at the reference radius (radians)
    float J = 0;           // advance ratio
    float rpm = 0;
    float speed = 0;       // m/s
    float efficiency = 0;
    float ct = 0, cp = 0;        // computed coefficients
    float ctcor = 0, cpcor = 0;  // corrected to the target
    float thrustN = 0, thrustLb = 0;
    float powerKW = 0, powerHP = 0;
    float target = 0;            // target coefficient (0 in ANGLE mode)
    float largestWakeChange = 0; // radians, of the last wake pass
    PointFlags flags;
};
