// The design report of problem types 1 to 3 and the run stamp with the page
// trailer that closes the computations output file. The result scanners read
// the labels and number formats back, so both are fixed.
#pragma once

#include <ctime>

// Writes the design report of the case just designed to OUTPUT_FILE; reads
// the problem title from the deck. coefficients[n-1] holds a_n.
int output_(float* coefficients);

// Writes the run stamp and the page trailer. `start` is not used.
int timstm_(std::time_t* start);
