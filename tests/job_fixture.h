// Helpers of the tests that run whole jobs through the command protocol on
// the example projects, with a small synthetic polar database.
#pragma once

#include <string>
#include <vector>

#include "design/result_rows.h"
#include "tests/project_fixture.h"
#include "tests/synthetic_polar.h"

namespace skarvel_test {

// The polar database a job test runs on: the tests' synthetic one, written
// into the scratch directory, or the shipped default database.
enum class PolarSource { Synthetic, Shipped };

inline std::string ShippedPolar() { return SourcePath("data/naca4_polars.bin"); }

// Writes the example `example` (a file name below examples/) into a fresh
// scratch directory, naming the polar database `source`, and sets it up;
// answers the SETUP_PROJECT code. `edit` may change the project text first.
template <typename Edit>
int SetUpExample(const std::string& example, std::string* projectPath, Edit edit,
                 PolarSource source = PolarSource::Synthetic) {
    const std::string dir = ScratchDir();
    std::string text = ReadFile(SourcePath("examples/" + example));
    const std::string from = "data/naca4_polars.bin";
    const std::string polar = source == PolarSource::Shipped ? ShippedPolar() : dir + "polar.bin";
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + polar.size()))
        text.replace(at, from.size(), polar);
    edit(text);
    const int code = SetUpProject(text, projectPath);  // empties the scratch directory
    if (source == PolarSource::Synthetic) {
        polar_test::PolarModel model;
        model.mach = {0.0f, 0.95f, 5.0f};  // keeps the blades away from the checksum column
        polar_test::WritePolar(polar, model);
    }
    return code;
}

inline int SetUpExample(const std::string& example, std::string* projectPath,
                        PolarSource source = PolarSource::Synthetic) {
    return SetUpExample(example, projectPath, [](std::string&) {}, source);
}

// The project path without its extension, and the working directory.
inline std::string BasePath(const std::string& projectPath) {
    return projectPath.substr(0, projectPath.rfind('.'));
}
inline std::string WorkDir(const std::string& projectPath) { return BasePath(projectPath) + "_tmp/"; }

inline bool Exists(const std::string& path) { return boost::filesystem::exists(path); }

}  // namespace skarvel_test
