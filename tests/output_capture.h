// Captures what engine writers put into OUTPUT_FILE, for tests of report
// layouts.
#pragma once

#include <fstream>
#include <functional>
#include <string>

#include "compute/engine_state.h"
#include "tests/test_support.h"

namespace skarvel_test {

// Runs `write` with OUTPUT_FILE open on a fresh file in the test's scratch
// directory, in the stream's default format, and answers what it wrote.
inline std::string CaptureOutput(const std::function<void()>& write) {
    const std::string path = ScratchDir() + "captured.out";
    OUTPUT_FILE.open(path);
    OUTPUT_FILE.copyfmt(std::ofstream());
    write();
    OUTPUT_FILE.close();
    return ReadFile(path);
}

}  // namespace skarvel_test
