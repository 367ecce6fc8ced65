// Time per case of Proprun on an optimum-loading deck of 30 cases (NUM 10,
// 9-point quadrature), the deck that a design job runs first.
//
// The blade-geometry step needs a polar database; here it is replaced by a
// reader of its deck records, so the figure covers the case reader, the
// rigid-helix design search, the design report and the deck handling.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "compute/engine_state.h"
#include "compute/make_geo.h"
#include "compute/proprun.h"

int make_geometry(float* /*coefficients*/, bool* /*loadPolarDatabase*/) {
    int sections = 0;
    INPUT_FILE >> sections;
    float value = 0;
    for (int i = 0; i < 3 * sections + 7; ++i) INPUT_FILE >> value;
    return 0;
}

namespace {

constexpr int kCases = 30;

std::string OptimumDeck() {
    std::ostringstream deck;
    for (int i = 0; i < kCases; ++i) {
        const float J = 0.5f + 0.05f * static_cast<float>(i);
        const float CT = 0.05f + 0.005f * static_cast<float>(i);
        deck << "2\t10\t3\t9\t" << J << "\t0.2\t\n150\t\n1\t" << CT << "\t" << CT * 0.01f
             << "\t\n1\nDRAG\t0.3\t0.0000\nBenchmark propeller\n0\n"
             << "3\n0.4\t0.02\t0.5\t\n0.7\t0.015\t0.5\t\n0.95\t0.01\t0.4\t\n"
             << "60\t2\t1.4\t288.15\t1.46e-05\t1.225\t340.3\t\n888.888\n";
    }
    deck << "999.999\n";
    return deck.str();
}

void BM_ProprunOptimumDeck(benchmark::State& state) {
    char pattern[] = "/tmp/proprun_bench_XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
        state.SkipWithError("no scratch directory");
        return;
    }
    const std::string dir = std::string(made) + "/";
    std::ofstream(dir + "first.in") << OptimumDeck();
    std::ofstream(dir + "polar.bin") << "polar";
    std::ofstream(dir + "proprun.ini") << "1\n" << dir << "first.in\n" << dir << "first.out\n"
                                       << dir << "polar.bin\n" << dir << "ERROR.OUT\n/install\n";
    const std::string control = dir + "proprun.ini";
    for (auto _ : state) {
        ResetDatabase();
        const int status = Proprun(control.c_str());
        if (status != 0) {
            state.SkipWithError("Proprun failed");
            break;
        }
    }
    std::ifstream report(dir + "first.out");
    std::string line;
    int reports = 0;
    while (std::getline(report, line)) reports += line.find("EFFICIENCY   = ") != std::string::npos;
    if (reports != kCases) state.SkipWithError("not every case was designed");
    state.counters["cases"] = kCases;
    state.counters["time_per_case"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kCases,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    for (const char* name : {"first.in", "first.out", "polar.bin", "proprun.ini", "ERROR.OUT"})
        std::remove((dir + name).c_str());
    std::remove(made);
}

BENCHMARK(BM_ProprunOptimumDeck)->Unit(benchmark::kMillisecond);

}  // namespace
