// Wall time of whole jobs through the command protocol: a design
// (GENERATE_DESIGN) for 1, 5 and 30 design points, and a constant-RPM map
// of 20 advance ratios by 10 loads. Runs on the default polar database when
// it is present, else on the tests' synthetic one.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <boost/filesystem.hpp>

#include "design/except.h"
#include "design/skarvel_main.h"
#include "tests/synthetic_polar.h"

namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// A scratch directory with the polar database to use; its path ends in "/".
const std::string& Scratch(std::string& polar) {
    static std::string dir;
    static std::string polarPath;
    if (dir.empty()) {
        dir = (boost::filesystem::temp_directory_path() / "skarvel_jobs_bench").string() + "/";
        boost::filesystem::create_directories(dir);
        const std::string shipped = std::string(SKARVEL_SOURCE_DIR) + "/data/naca4_polars.bin";
        if (boost::filesystem::exists(shipped)) {
            polarPath = shipped;
        } else {
            polar_test::PolarModel model;
            model.mach = {0.0f, 0.95f, 5.0f};
            polarPath = dir + "polar.bin";
            polar_test::WritePolar(polarPath, model);
        }
    }
    polar = polarPath;
    return dir;
}

// Sets up `text` as project `name` in the scratch directory.
bool SetUp(const std::string& name, std::string text) {
    std::string polar;
    const std::string dir = Scratch(polar);
    ReplaceAll(text, "data/naca4_polars.bin", polar);
    const std::string path = dir + name + ".prj";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    DLL_main("68" + std::string(SKARVEL_SOURCE_DIR));
    DLL_main("51" + path);
    return DLL_main("52" + text).code == 52;
}

// The design example with `n` operating points between climb and cruise.
std::string DesignProject(int n) {
    std::string text = Read(std::string(SKARVEL_SOURCE_DIR) + "/examples/ga_design.prj");
    const auto begin = text.find("  <140   2400  8000");
    const auto end = text.find("  <tqbfendrecord>", begin);
    std::string rows;
    for (int i = 0; i < n; ++i) {
        const float s = n > 1 ? static_cast<float>(i) / (n - 1) : 0.0f;
        char row[96];
        std::snprintf(row, sizeof row, "  <%.0f  %.0f  %.0f  0  %.0f  1>\n", 85.0f + 55.0f * s,
                      2600.0f - 200.0f * s, 2000.0f + 6000.0f * s, 200.0f - 20.0f * s);
        rows += row;
    }
    text.replace(begin, end - begin, rows);
    return text;
}

void BM_GenerateDesign(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    if (!SetUp("design" + std::to_string(n), DesignProject(n))) {
        state.SkipWithError("project set-up failed");
        return;
    }
    for (auto _ : state) {
        outstr.str("");
        if (DLL_main("53").code != 53) {
            state.SkipWithError("GENERATE_DESIGN did not answer 53");
            break;
        }
    }
    state.counters["points"] = n;
}
BENCHMARK(BM_GenerateDesign)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateDesign)->Arg(30)->Iterations(2)->Unit(benchmark::kMillisecond);

void BM_ConstantRpmMap20x10(benchmark::State& state) {
    std::string text = Read(std::string(SKARVEL_SOURCE_DIR) + "/examples/ga_performance.prj");
    ReplaceAll(text, "<2500 20 140 13 0.02 0.10 5 0 0>", "<2500 20 140 20 0.02 0.10 10 0 0>");
    if (!SetUp("map", text)) {
        state.SkipWithError("project set-up failed");
        return;
    }
    for (auto _ : state) {
        outstr.str("");
        if (DLL_main("54").code != 54) {
            state.SkipWithError("CONST_RPM_MAP did not answer 54");
            break;
        }
    }
    state.counters["points"] = 200;
}
BENCHMARK(BM_ConstantRpmMap20x10)->Unit(benchmark::kMillisecond);

}  // namespace
