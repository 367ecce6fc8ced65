// A stand-in blade geometry for driver tests: it takes the geometry records
// of a design case (section count, section rows, flow record) from the deck
// and writes one marker line, so that multi-case decks run without a polar
// database. Defining make_geometry here replaces the library's routine in the
// test program that includes this header (once per program).
#pragma once

#include <stdexcept>
#include <string>

#include "compute/engine_state.h"
#include "compute/make_geo.h"

namespace engine_test {
inline int fakeGeometryCalls = 0;
inline int fakeGeometryStatus = 0;  // except_ set by the stand-in
inline bool fakeGeometryThrows = false;
}  // namespace engine_test

int make_geometry(float* /*coefficients*/, bool* /*loadPolarDatabase*/) {
    ++engine_test::fakeGeometryCalls;
    if (engine_test::fakeGeometryThrows) throw std::runtime_error("geometry stand-in failed");
    int sections = 0;
    INPUT_FILE >> sections;
    float value = 0;
    for (int i = 0; i < 3 * sections + 7; ++i) INPUT_FILE >> value;
    OUTPUT_FILE << "\nGEOMETRY OF " << sections << " SECTIONS\n";
    except_ = engine_test::fakeGeometryStatus;
    return 0;
}
