// Dense linear systems of the lifting line: Gauss-Jordan elimination that
// keeps its multipliers and row interchanges for later right-hand sides.
#pragma once

// Solves A x = b for the unknowns lo..n (lo 0 or 1). A holds n - lo + 1
// columns of n - lo + 1 rows (stored by columns); b, x and pivots hold
// n - lo + 1 elements, element i - lo for unknown i. A and pivots keep the
// factorisation, b is overwritten. A singular matrix writes
// "\n\n          SINGULAR MATRIX ERROR-PROGRAM HALTED" to ERROR_FILE and sets
// except_ = 8; a system larger than kMaxUnknowns sets except_ = 1.
int matrix_(int* n, float* A, float* b, float* x, int* lo, int* pivots);

// Solves again for a new right-hand side b (overwritten) with what matrix_
// left in A and pivots.
int solve_(int* n, int* lo, float* A, float* b, int* pivots, float* x);
