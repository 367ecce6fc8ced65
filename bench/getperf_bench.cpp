// Cost of reading back the largest performance report of a design job
// (30 candidates at 30 design points: 900 condition summaries) and of
// writing the 30-point performance deck of one candidate.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <boost/filesystem.hpp>

#include "design/getperf.h"
#include "design/mkperf.h"

namespace {

constexpr int kPoints = kMaxOperatingPoints;

std::string ScratchFile(const char* name) {
    const auto dir = boost::filesystem::temp_directory_path() / "skarvel_getperf_bench";
    boost::filesystem::create_directories(dir);
    return (dir / name).string();
}

std::vector<Operating_Point> Points() {
    std::vector<Operating_Point> points(kPoints);
    for (int k = 0; k < kPoints; ++k) {
        points[k].advanceRatio = 0.3f + 0.02f * k;
        points[k].loadValue = 0.05f + 0.001f * k;
        points[k].loadKind = 2;
        points[k].speed = 50;
        points[k].density = 1.2f;
        points[k].soundSpeed = 340;
        points[k].kinematicViscosity = 1.5e-5f;
    }
    return points;
}

// A full-form report: per condition some radial table text, the five flag
// title lines, the heading and the summary row.
std::string WriteReport(const std::vector<Operating_Point>& points) {
    const std::string path = ScratchFile("perform.out");
    std::ofstream out(path);
    char row[200];
    for (int c = 0; c < kPoints; ++c) {
        for (int k = 0; k < kPoints; ++k) {
            for (int s = 0; s < 12; ++s)
                out << "    0.5000   1234567.0    0.450    3.200    1.200   12.3456    4.5678\n";
            out << "  SUMMARY:\n  ========\n" << std::string(62, ' ') << "N N W N L    \n"
                << std::string(59, ' ') << "N  C C A O S   M\n" << std::string(59, ' ')
                << "W  P P K T T L W\n" << std::string(59, ' ') << "A  I E E P A G A\n"
                << std::string(59, ' ') << "K  T R R O L I R\n"
                << "      J    BETA    CpCor   CtCor   EFFIC    CpCmp   CtCmp  E  R R R S L G N"
                   "  TARGET\n";
            std::snprintf(row, sizeof row,
                          " %8.3f %6.2f %7.4f %7.4f %8.4f %7.4f %7.4f %2d %2d 0 0 0 0 0 0 %6.4f\n",
                          points[k].advanceRatio, 25.0, points[k].loadValue, 0.04, 0.8,
                          points[k].loadValue, 0.04, 7, 3, points[k].loadValue);
            out << row;
        }
    }
    return path;
}

void BM_ReadPerformanceOfAllCandidates(benchmark::State& state) {
    const std::vector<Operating_Point> points = Points();
    const std::string path = WriteReport(points);
    std::vector<Performance> results(kPoints * kPoints);
    std::vector<float> efficiencies(kPoints * kPoints);
    for (auto _ : state) {
        GetPerformance reader(path, kPoints, efficiencies.data(), points.data(), results.data());
        benchmark::DoNotOptimize(efficiencies.data());
    }
    state.counters["rows"] = kPoints * kPoints;
}
BENCHMARK(BM_ReadPerformanceOfAllCandidates)->Unit(benchmark::kMillisecond);

void BM_WritePerformanceDeck(benchmark::State& state) {
    const std::vector<Operating_Point> points = Points();
    std::vector<Options> options(kPoints);
    std::vector<Propeller_geom> geometry(12);
    for (int j = 0; j < 12; ++j)
        geometry[j] = Propeller_geom{0.2f + j * 0.8f / 11, 0.08f, 0.2f, 0.1f, 40.0f - 2 * j};
    Geometric_Constraints constraints;
    constraints.hubRatio = 0.2f;
    constraints.diameter = 1.88f;
    constraints.bladeCount = 2;
    constraints.activityFactor = 100;
    constraints.title = "Benchmark";
    const std::string path = ScratchFile("perform.in");
    for (auto _ : state) {
        CreatePerformanceFile deck(path, 12, 9, 8, kPoints);
        deck.write_to_file(points.data(), constraints, nullptr, options.data(), geometry.data(),
                           12);
    }
}
BENCHMARK(BM_WritePerformanceDeck)->Unit(benchmark::kMicrosecond);

}  // namespace
