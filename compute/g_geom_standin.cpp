// Placeholder for the performance analysis until it is part of the build.
#include "compute/g_geom_p.h"

#include "compute/engine_state.h"

int g_geom__(float* /*coefficients*/, float* /*matrix*/, float* /*rhs*/,
             float* /*solution*/, int* /*pivots*/, int* /*numm1*/,
             bool* /*loadPolarDatabase*/) {
    ERROR_FILE << "Performance analysis is not available in this build\n";
    except_ = 1;
    return 0;
}
