// Performance analysis of a given blade geometry (problem type 4).
#pragma once

// Analyses the geometry of the current performance case at every operating
// point of its blocks and writes the performance report to OUTPUT_FILE.
//
// Called by the driver (Proprun) after `init_` has read the case header and
// inflow records, with `point_number` set to 0:
//     g_geom__(coefficients, matrix, rhs, solution, pivots, &s123_.NUMM1,
//              &loadPolarDatabase);
// INPUT_FILE then stands at the title record; the routine reads the case up to
// (not including) its case-end marker 888.888.
//   coefficients  float[kMaxCoefficients]: circulation coefficients, element
//                 n-1 for sin(n*phi), n = 1..NUMM1;
//   matrix        float[kMaxUnknowns * kMaxUnknowns]: square matrix for
//                 matrix_/solve_ (stored by columns, leading dimension = the
//                 number of unknowns);
//   rhs, solution float[kMaxUnknowns] each: right-hand side and solution;
//   pivots        int[kMaxUnknowns]: pivot record of matrix_;
//   numm1         s123_.NUMM1;
//   loadPolarDatabase  the engine's polar flag: read the tables from
//                 POLAR_FILE while it is true, clear it after a good read.
// The lifting-line solver gopt_1__ needs its own collocation storage and
// first-call flag: a LiftingLineWork (compute/lifting_line.h) owned by the
// analysis, with its flag set to 1 at entry. The capacities come from
// compute/lifting_line.h.
// Returns 0; failures are an ERROR_FILE line and a non-zero except_.
int g_geom__(float* coefficients, float* matrix, float* rhs, float* solution,
             int* pivots, int* numm1, bool* loadPolarDatabase);
