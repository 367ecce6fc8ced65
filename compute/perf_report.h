// Result lines of the performance report in OUTPUT_FILE: the condition
// block of the full report and the one-line form of the reduced report.
//
// The summary line's columns are read back by the result scanners, so its
// layout (field widths, blanks and flag positions) is fixed: a blank, then
// J (8.3), BETA (6.2), CPCOR (7.4), CTCOR (7.4), EFFIC (8.4), CP (7.4),
// CT (7.4), NWAKE (2), NCPITR (2), NCPERR, WAKERR, NOTPOS, LSTALL, LGIG,
// MWARN (1 each), each followed by a blank, then the target (6.4 in the full
// form, 7.4 in the reduced form). The five lines of vertical column titles
// put the flag titles in columns 60, 63, 65, ... 75 above those flags.
#pragma once

#include "compute/perf_stations.h"

// Writes the condition block of one operating point: advances the run-wide
// `point_number`, writes its heading, the point's figures, the two radial
// tables of grid points 0..*num (stations 1..*num-1), the warnings its flags
// call for and the summary. `degree` is 180/pi, `knots` the factor from m/s
// to knots; `mode` is the load mode ("ANGLE", "THRUST" or "POWER").
int outall_(const PointResult* point, const PerfStations* stations, const int* num,
            const float* degree, const float* knots, const char* mode);

// Writes one line of the reduced report. When *firstLine is 1 the column
// titles and heading come first and the flag is cleared. A skipped point
// (NOTPOS 2) shows 99.999 in its five coefficient columns.
int outred_(const PointResult* point, const float* degree, int* firstLine);
