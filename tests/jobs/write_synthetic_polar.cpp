// Writes the tests' small synthetic polar database to the path given, for
// the job tests that run outside GoogleTest (the driver and the Java client).
#include <cstdio>

#include "tests/synthetic_polar.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_synthetic_polar FILE\n");
        return 2;
    }
    polar_test::PolarModel model;
    model.mach = {0.0f, 0.95f, 5.0f};  // keeps the blades away from the checksum column
    polar_test::WritePolar(argv[1], model);
    std::FILE* written = std::fopen(argv[1], "rb");
    if (written == nullptr) return 1;
    std::fclose(written);
    return 0;
}
