// Operating points analysed per second: a three-blade propeller given at 9
// geometry points, analysed in "POWER" mode (blade-angle search for a power
// coefficient) at 8 advance ratios and 5 power coefficients each, with the
// reduced report. The polar tables (a synthetic database of the size of a
// small real one) are loaded once, as in a run of a design job; the figure
// covers the engine's deck handling, the wake iterations, the search and
// the report.
#include <benchmark/benchmark.h>

#include <boost/filesystem.hpp>

#include <cmath>
#include <cstdlib>  // mkdtemp
#include <fstream>
#include <sstream>
#include <string>

#include "compute/proprun.h"
#include "tests/synthetic_polar.h"

namespace {

constexpr int kAdvanceRatios = 8;
constexpr int kLoads = 5;

std::string PowerDeck() {
    std::ostringstream deck;
    deck << "4\t10\t3\t9\t0.6\t0.2\t\n0\t\nUNIFORM\nBenchmark propeller\n9\n0.75\t"
         << std::atan(1.2f / (3.1415927f * 0.75f)) * 180.0f / 3.1415927f << "\n";
    for (int i = 0; i < 9; ++i) {
        const float x = 0.2f + 0.1f * static_cast<float>(i);
        const float twist = std::atan(1.2f / (3.1415927f * x)) * 180.0f / 3.1415927f;
        deck << x << "\t" << 0.09f - 0.04f * x << "\t" << 0.04f - 0.02f * x << "\t"
             << 0.2f - 0.14f * x << "\t" << twist << "\t\n";
    }
    deck << "REDUCED\nK\nSI\nDIMENSIONLESS\nPOWER\n"
         << "-40\t2\t288.15\t0\t1.225\t340.29\t1.46e-05\t\n"
         << "0.7\t0.05\t" << kAdvanceRatios << "\t\n0.06\t0.01\t" << kLoads << "\t\n99999\n"
         << "888.888\n";
    return deck.str();
}

void BM_PowerModePointsReduced(benchmark::State& state) {
    char pattern[] = "/tmp/perf_analysis_bench_XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
        state.SkipWithError("no scratch directory");
        return;
    }
    const std::string dir = std::string(made) + "/";
    std::ofstream(dir + "perfpnts.in") << PowerDeck();
    polar_test::PolarModel model;
    model.mach = {0.0f, 0.95f, 5.0f};
    polar_test::WritePolar(dir + "polar.bin", model);
    std::ofstream(dir + "proprun.ini") << "1\n" << dir << "perfpnts.in\n" << dir
                                       << "perfpnts.out\n" << dir << "polar.bin\n" << dir
                                       << "ERROR.OUT\n/install\n";
    const std::string control = dir + "proprun.ini";

    ResetDatabase();
    if (Proprun(control.c_str()) != 0) {
        state.SkipWithError("the analysis failed");
        return;
    }
    for (auto _ : state) {
        const int status = Proprun(control.c_str());
        if (status != 0) {
            state.SkipWithError("the analysis failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kAdvanceRatios * kLoads);
    boost::system::error_code ignored;
    boost::filesystem::remove_all(dir, ignored);
}
BENCHMARK(BM_PowerModePointsReduced)->Unit(benchmark::kMillisecond);

}  // namespace
