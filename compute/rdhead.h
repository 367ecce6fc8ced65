// Reader of the polar file's header: the grid of thickness-to-chord
// ratios, cambers, Reynolds and Mach numbers and the angles of the lift and
// drag tables.
#pragma once

#include <cstdint>

constexpr int32_t kPolarMagic = 7767223;  // 0x007684B7, first item of the file

// Reads the header from POLAR_FILE into shape_ (angles converted to
// radians) and sets amxum_ from the lift angles. Always returns 0.
//
// A bad header is reported by ComputeFailure::PrintMessage in the error
// file and sets except_: code 1 for a wrong magic, a grid count above 25 or
// below 0, or an angle count above 30 or below 0; code 0 for a count of 0;
// except_ = 1 for both. A file that ends inside the header reports code 1
// and sets except_ = 4 (corrupt file). Nothing further is read after a
// failure; the file stays open.
int read_polar_header__();
