// Placeholder for the blade geometry step until it is part of the build.
#include "compute/make_geo.h"

#include "compute/engine_state.h"

int make_geometry(float* /*coefficients*/, bool* /*loadPolarDatabase*/) {
    ERROR_FILE << "Blade geometry is not available in this build\n";
    except_ = 1;
    return 0;
}
