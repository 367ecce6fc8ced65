// Cost of the commands a front end sends around every job: project set-up
// of the example project (read, check, working directory) and the state
// report.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "design/except.h"
#include "design/skarvel_main.h"

namespace {

std::string ExampleText() {
    std::ifstream in(std::string(SKARVEL_SOURCE_DIR) + "/examples/trainer_propeller.prj");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void BM_SetupProject(benchmark::State& state) {
    const std::string text = ExampleText();
    DLL_main("51/tmp/skarvel_bench_project.prj");
    for (auto _ : state) {
        benchmark::DoNotOptimize(DLL_main("52" + text).code);
        outstr.str("");
    }
    DLL_main("50");
}
BENCHMARK(BM_SetupProject);

void BM_StateReport(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(DLL_main("81").text);
        outstr.str("");
    }
    DLL_main("50");
}
BENCHMARK(BM_StateReport);

}  // namespace
