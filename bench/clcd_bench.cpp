// Speed of the polar lookups (called for every blade station in every
// iteration of the analysis and design loops) and of loading the default
// database.
#include <benchmark/benchmark.h>

#include "compute/binary_file.h"
#include "compute/clcd.h"
#include "compute/engine_state.h"
#include "compute/polar_tables.h"

namespace {

const std::string kDatabase = std::string(SKARVEL_SOURCE_DIR) + "/data/naca4_polars.bin";

bool Load(PolarLayout layout) {
    POLAR_FILE.open(kDatabase.c_str(), "rb");
    bool load = true;
    except_ = 0;
    ensure_polar_tables(layout, &load);
    return except_ == 0;
}

void BM_LoadDefaultDatabase(benchmark::State& state) {
    for (auto _ : state)
        if (!Load(PolarLayout::Performance)) state.SkipWithError("database not loaded");
    state.counters["floats"] = static_cast<double>(polar_size);
}
BENCHMARK(BM_LoadDefaultDatabase)->Unit(benchmark::kMillisecond);

// Interpolation in all five variables (16 table corners, two angle rows).
void BM_PerformanceLookup(benchmark::State& state) {
    if (!Load(PolarLayout::Performance)) return state.SkipWithError("database not loaded");
    uint16_t flags[2] = {0, 0};
    float tc[2] = {0, 0.11f}, camb[2] = {0, 0.025f}, rey[2] = {0, 7e5f}, mach[2] = {0, 0.45f};
    int32_t ir, im, it, ic;
    get_rynld_and_mach_DB_index(&rey[1], &mach[1], &ir, &im, flags[1]);
    get_tbyc_and_camb_DB_index(&tc[1], &camb[1], &it, &ic, flags[1]);
    const PolarDims d = polar_dimensions(PolarLayout::Performance);
    Get_Performance_CLCD look(polar.get(), d.d[0], d.d[1], d.d[2], d.d[3], d.d[4], shape_.NALPHA,
                              &shape_.ALPHADB[0][0], flags, tc, camb, rey, mach, nullptr,
                              shape_.REYDB, shape_.MACHDB, shape_.TCDB, shape_.CAMBDB,
                              &shape_.NREY, &shape_.NMACH, &shape_.NTC, &shape_.NCAMB);
    float alpha = 0.05f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(look.get_perf_CLCD(1, alpha, ir, im, ic, it, 1));
        alpha = alpha > 0.3f ? -0.1f : alpha + 0.013f;
    }
}
BENCHMARK(BM_PerformanceLookup);

void BM_DesignLookup(benchmark::State& state) {
    if (!Load(PolarLayout::Design)) return state.SkipWithError("database not loaded");
    int32_t machIndex[2] = {1, 3};
    const PolarDims d = polar_dimensions(PolarLayout::Design);
    Get_Design_CLCD look(polar.get(), d.d[0], d.d[1], d.d[2], d.d[3], d.d[4], shape_.NALPHA,
                         &shape_.ALPHADB[0][0], nullptr, machIndex);
    float alpha = 0.05f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(look.get_design_CLCD(1, 1, 4, 3, 5, alpha));
        alpha = alpha > 0.3f ? -0.1f : alpha + 0.013f;
    }
}
BENCHMARK(BM_DesignLookup);

}  // namespace
