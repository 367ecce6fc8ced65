// Induction-factor lifting line: the radial grid, the induced-velocity
// tables of the circulation harmonics and the rigid-helix optimum design.
//
// Grid points j = 0..NUM sit at phi_j = j*pi/NUM, radius
// x_j = ((1 + XHUB) - (1 - XHUB) cos phi_j) / 2; the circulation is
// G(phi) = sum_n a_n sin(n phi), n = 1..NUMM1.
#pragma once

#include "compute/engine_state.h"

// Unknowns of the largest collocation system (NUM + 1 grid points).
constexpr int kMaxUnknowns = kMaxNum + 1;
// Capacity of a circulation coefficient vector (element n-1 holds a_n).
constexpr int kMaxCoefficients = 20;

// Working storage of one user of gopt_1__. The factored collocation matrix
// and its pivots are reused while `firstCall` stays 0, so one object must not
// be shared by designs of different NUM without setting the flag to 1.
struct LiftingLineWork {
    float collocation[kMaxUnknowns * kMaxUnknowns] = {};
    float rhs[kMaxUnknowns] = {};
    float solution[kMaxUnknowns] = {};
    float circulation[kMaxUnknowns * kMaxUnknowns] = {};
    int pivots1[kMaxUnknowns] = {};
    int pivots2[kMaxUnknowns] = {};
    int firstCall = 1;
};

// Radius ((1 + XHUB) - (1 - XHUB) cos phi) / 2 of the grid angle phi.
float RadiusAtAngle(float phi);
// Radius of grid point j, at the angle PHI[j].
float GridPointRadius(int j);

// Fills PHI, GSOL slice 0, CTAB and STAB for the current NUM.
int setup_();

// Induction factor at the control point of grid angle *phic due to the
// trailing vortex leaving grid angle *phiv; *type 1 axial, 2 tangential.
// When *result holds 999.999 on entry the caller has put the pitch angle into
// geom_.BETAI; otherwise it is atan(LAMW / x_v). Writes BETAI and XRATIO.
int induct_(float* phic, float* phiv, int* type, float* result);

// Induced-velocity tables for the current pitch and, for problem types 1
// and 2, the circulation coefficients of the rigid-helix wake (written to
// coefficients[0..NUMM1-1]). Sets LAMW = (1 + WBAR) * LAMBDA.
int gopt_1__(float* coefficients, int* num, int* numm1, float* collocation,
             float* rhs, float* solution, float* circulation, int* pivots1,
             int* pivots2, int* firstCall);

// Same, on a LiftingLineWork.
int gopt_1__(float* coefficients, LiftingLineWork* work);

// Axial (*ha) and tangential (*ht) induced-velocity coefficients of harmonic
// *n at the end point *m (0 hub, NUM tip).
int fact_h__(int* n, float* ha, float* ht, int* m);
