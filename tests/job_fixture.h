// Helpers of the tests that run whole jobs through the command protocol on
// the example projects, with a small synthetic polar database.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "tests/project_fixture.h"
#include "tests/synthetic_polar.h"

namespace skarvel_test {

// Writes the example `example` (a file name below examples/) into a fresh
// scratch directory with its polar database replaced by a synthetic one
// there, and sets it up; answers the SETUP_PROJECT code. `edit` may change
// the project text first.
template <typename Edit>
int SetUpExample(const std::string& example, std::string* projectPath, Edit edit) {
    const std::string dir = ScratchDir();
    std::string text = ReadFile(SourcePath("examples/" + example));
    const std::string from = "data/naca4_polars.bin";
    const std::string polar = dir + "polar.bin";
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
        text.replace(at, from.size(), polar);
    edit(text);
    const int code = SetUpProject(text, projectPath);  // empties the scratch directory
    polar_test::PolarModel model;
    model.mach = {0.0f, 0.95f, 5.0f};  // keeps the blades away from the checksum column
    polar_test::WritePolar(polar, model);
    return code;
}

inline int SetUpExample(const std::string& example, std::string* projectPath) {
    return SetUpExample(example, projectPath, [](std::string&) {});
}

// The project path without its extension, and the working directory.
inline std::string BasePath(const std::string& projectPath) {
    return projectPath.substr(0, projectPath.rfind('.'));
}
inline std::string WorkDir(const std::string& projectPath) { return BasePath(projectPath) + "_tmp/"; }

inline bool Exists(const std::string& path) { return boost::filesystem::exists(path); }

// One summary row of a performance report (the line two below each
// "K  T R R O L I R" heading line).
struct SummaryRow {
    float J = 0, beta = 0, cpcor = 0, ctcor = 0, efficiency = 0, cp = 0, ct = 0;
    int nwake = 0, ncpitr = 0, ncperr = 0, wakerr = 0, notpos = 0, lstall = 0, lgig = 0,
        mwarn = 0;
    float target = 0;
};

inline std::vector<SummaryRow> SummaryRows(const std::string& report) {
    std::vector<SummaryRow> rows;
    std::istringstream in(report);
    std::string line;
    int toRow = -1;
    while (std::getline(in, line)) {
        if (line.find("K  T R R O L I R") != std::string::npos) {
            toRow = 2;
            continue;
        }
        if (toRow > 0 && --toRow == 0) {
            std::istringstream f(line);
            SummaryRow r;
            if (f >> r.J >> r.beta >> r.cpcor >> r.ctcor >> r.efficiency >> r.cp >> r.ct >>
                r.nwake >> r.ncpitr >> r.ncperr >> r.wakerr >> r.notpos >> r.lstall >> r.lgig >>
                r.mwarn >> r.target)
                rows.push_back(r);
            // Several rows may follow one heading (a map or a sweep).
            if (f) toRow = 1;
        }
    }
    return rows;
}

}  // namespace skarvel_test
