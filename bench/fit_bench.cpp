// Smoothing of a full set of 30 candidate geometries: the default blade (11
// interior stations) and the largest (28, a camber curve of degree 28).
#include <benchmark/benchmark.h>

#include <vector>

#include "design/fit.h"

namespace {

void BM_FitLargestDesignJob(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0)), m = n + 2, count = 30;
    std::vector<std::vector<Propeller_geom>> in(count, std::vector<Propeller_geom>(n)),
        out(count, std::vector<Propeller_geom>(m));
    std::vector<Propeller_geom*> inPtr, outPtr;
    for (int g = 0; g < count; ++g) {
        for (int k = 0; k < n; ++k) {
            const float x = 0.25f + 0.72f * k / (n - 1);
            in[g][k] = {x, 0.1f - 0.05f * x * x, 0.03f - 0.01f * x, 0.2f - 0.15f * x,
                        50.0f - 30.0f * x + g};
        }
        inPtr.push_back(in[g].data());
        outPtr.push_back(out[g].data());
    }
    int status = 0;
    for (auto _ : state) {
        FitGeometry fit(status, inPtr.data(), outPtr.data(), n, 0.2f, m, count);
        fit.Fit();
        benchmark::DoNotOptimize(out[count - 1][m / 2].twist);
    }
}
BENCHMARK(BM_FitLargestDesignJob)->Arg(11)->Arg(28)->Unit(benchmark::kMicrosecond);

}  // namespace
