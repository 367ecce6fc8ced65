// Reader of a case header of the input deck: problem, grid, blades,
// quadrature, advance ratio, hub, activity factor, load, inflow and
// drag-to-lift records, into the common blocks.
#pragma once

// Capacity of the inflow table of a case (radial rows plus the hub and tip
// rows that a performance deck may add).
constexpr int kMaxInflowRows = 32;

// Reads the header records of the next case from INPUT_FILE. Resets PI and
// except_ first; on a bad record writes its message to ERROR_FILE (an inflow
// table that does not span the grid: OUTPUT_FILE) and sets except_ = 1.
int init_();
