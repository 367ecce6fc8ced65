// Designs for a prescribed thrust or power coefficient (gopt2_.COEF):
// the classical rigid-helix design (problem type 2) and the generalized
// design with a prescribed radial shape of the circulation (type 3).
#pragma once

// Type 2: searches the displacement velocity WBAR of the rigid-helix wake
// whose optimum circulation meets COEF within COEFTOL; leaves the circulation
// coefficients in coefficients[0..NUMM1-1] and the reached coefficient in
// COEFCALC. Writes its iteration summary to OUTPUT_FILE.
int gopt_2__(float* coefficients);

// Type 3: reads the tolerance and the circulation shape records from the deck,
// finds the pitch angles of the loaded propeller (BETAG) and the scale of the
// shape that meets COEF; leaves a_n = ACIRC_n * scale in coefficients.
// `matrix` (kMaxUnknowns^2 floats), `rhs`, `solution` and `pivots`
// (kMaxUnknowns each) are the driver's storage for the shape's Fourier system.
int g_spec__(float* coefficients, int* numm1, float* matrix, float* rhs, float* solution,
             int* pivots);
