// Blade geometry from the design loads: the step that follows the design
// report of a design case whose geometry switch is 0.
#pragma once

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
// Returns 0; failures are an ERROR_FILE line and a non-zero except_.
int make_geometry(float* coefficients, bool* loadPolarDatabase);
