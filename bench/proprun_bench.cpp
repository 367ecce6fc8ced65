// Time per case of Proprun on an optimum-loading deck of 30 cases (NUM 10,
// 9-point quadrature), the deck that a design job runs first: case reader,
// rigid-helix design search, design report and blade geometry from a small
// synthetic polar database (read once, before the timing).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "compute/engine_state.h"
#include "compute/proprun.h"
#include "tests/synthetic_polar.h"

namespace {

constexpr int kCases = 30;

std::string OptimumDeck() {
    std::ostringstream deck;
    for (int i = 0; i < kCases; ++i) {
        const float J = 0.5f + 0.05f * static_cast<float>(i);
        const float CT = 0.05f + 0.005f * static_cast<float>(i);
        deck << "2\t10\t3\t9\t" << J << "\t0.2\t\n150\t\n1\t" << CT << "\t" << CT * 0.01f
             << "\t\n1\nDRAG\t0.3\t0.0000\nBenchmark propeller\n0\n8\n";
        for (int k = 1; k <= 8; ++k)
            deck << 0.2f + 0.09f * static_cast<float>(k) << "\t" << 0.03f - 0.002f * k << "\t0.5\t\n";
        deck << 30.0f + 4.0f * static_cast<float>(i)
             << "\t2\t1.4\t288.15\t1.46e-05\t1.225\t340.3\t\n888.888\n";
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
    polar_test::WritePolar(dir + "polar.bin", polar_test::PolarModel());
    std::ofstream(dir + "proprun.ini") << "1\n" << dir << "first.in\n" << dir << "first.out\n"
                                       << dir << "polar.bin\n" << dir << "ERROR.OUT\n/install\n";
    const std::string control = dir + "proprun.ini";
    ResetDatabase();
    bool failed = Proprun(control.c_str()) != 0;  // reads the polar tables
    for (auto _ : state) {
        if (failed) break;
        failed = Proprun(control.c_str()) != 0;
    }
    if (failed) state.SkipWithError("Proprun failed");
    std::ifstream report(dir + "first.out");
    std::string line;
    int reports = 0, geometries = 0;
    while (std::getline(report, line)) {
        reports += line.find("EFFICIENCY   = ") != std::string::npos;
        geometries += line.find("RADIUS    CAMBER ") != std::string::npos;
    }
    if (!failed && (reports != kCases || geometries != kCases))
        state.SkipWithError("not every case was designed");
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
