// The design job: optimum-loading and design runs, the candidate blades read
// back and smoothed, every candidate analysed at every design point, the
// ranking, the two comparison files and the analysis of the best candidate.
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "design/createfi.h"
#include "design/desutil.h"
#include "design/except.h"
#include "design/fit.h"
#include "design/getperf.h"
#include "design/job_progress.h"
#include "design/mkperf.h"
#include "design/operation_trace.h"
#include "design/perf_job.h"
#include "design/plot.h"
#include "design/run_exe.h"

namespace {

constexpr const char* kSource = "../../design/desutil";

// Clears a builder's pointer to a job object when the job ends, however it
// ends; the object itself is owned by a unique_ptr of the job.
template <typename T>
class Borrowed {
public:
    Borrowed(T*& slot, T* object) : slot_(slot) { slot_ = object; }
    ~Borrowed() { slot_ = nullptr; }
    Borrowed(const Borrowed&) = delete;
    Borrowed& operator=(const Borrowed&) = delete;

private:
    T*& slot_;
};

// Storage of one GenerateGeometry call.
struct DesignStorage {
    explicit DesignStorage(int n)
        : efficiencies(static_cast<std::size_t>(n) * n, 99.0f),
          performance(static_cast<std::size_t>(n) * n),
          names(static_cast<std::size_t>(n)) {}
    std::vector<float> efficiencies;      // candidate-major n x n
    std::vector<Performance> performance;  // same order
    std::vector<std::string> names;
};

}  // namespace

int BuildDesignFile::GenerateGeometry(BuildPerformanceFile* /*performance*/, int n,
                                      Operating_Point* points, bool isStdAtmos) {
    SKARVEL_TRACE_OPERATION("BuildDesignFile::GenerateGeometry", kSource);
    const std::string W = TempPathName;
    firstIn = W + "first.in";
    firstOut = W + "first.out";
    secondIn = W + "second.in";
    secondOut = W + "second.out";
    performIn = W + "perform.in";
    performOut = W + "perform.out";
    plotFile = W + "_Project.pld";
    comparisonFile = W + "_Project.pr1";
    designReport = DesignResultPath(projectBasePath);

    const std::string maxPoints = "MAXFLIGHTPOINTS = " + std::to_string(kMaxOperatingPoints);
    std::unique_ptr<DesignStorage> storage;
    try {
        if (n < 1 || n > kMaxOperatingPoints || points == nullptr) throw std::bad_alloc();
        storage = std::make_unique<DesignStorage>(n);
        rawGeometries.assign(static_cast<std::size_t>(n), {});
        smoothedGeometries.assign(static_cast<std::size_t>(n), {});
    } catch (...) {
        MessageBoxModal(0, "Likely allocation failure", maxPoints.c_str(), 0, kSource, __LINE__);
        return 0;
    }

    int result = 0;
    try {
        errorCode = 0;
        // 1. Optimum-loading design, then the design of every candidate.
        auto blades = std::make_unique<CreateBladesFile>(
            points, geomConstraints, LoadingProfile, InflowVelocity, LiftCoefficient, nStations, n,
            secondIn, firstIn, firstOut, useOptimumLoading);
        Borrowed<CreateBladesFile> bladesInUse(bladeWriter, blades.get());
        {
            RunBlades designRuns(windowHandle, geometry.polarPath, W, isStdAtmos);
            ReportJobProgress("optimum-loading design (first.in -> first.out)");
            blades->WriteOpt();
            designRuns.Execute(firstIn, firstOut);
            ReportJobProgress("design of one candidate per point (second.in -> second.out)");
            blades->WriteDesign();
            designRuns.Execute(secondIn, secondOut);
        }

        // 2. The candidates read back, smoothed and written as one
        //    performance case each.
        nGeomStations = nStations - 2;
        const int smoothedStations = nGeomStations + 2;
        auto deck = std::make_unique<CreatePerformanceFile>(performIn, nStations,
                                                            geomConstraints.ngauss,
                                                            geomConstraints.num, n);
        Borrowed<CreatePerformanceFile> deckInUse(performanceWriter, deck.get());
        blades.reset();
        bladeWriter = nullptr;

        std::vector<Propeller_geom*> raw(static_cast<std::size_t>(n));
        std::vector<Propeller_geom*> smoothed(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            raw[i] = rawGeometries[i].data();
            smoothed[i] = smoothedGeometries[i].data();
        }
        int fitStatus = 0;
        FitGeometry fit(fitStatus, raw.data(), smoothed.data(), nGeomStations,
                        geomConstraints.hubRatio, smoothedStations, n);
        auto reader = std::make_unique<ExtractGeometry>(secondOut);
        Borrowed<ExtractGeometry> readerInUse(geometryReader, reader.get());
        if (reader->notFound != 0) {
            const std::string title = "resolution, maxFlightPts = " +
                                      std::to_string(smoothedStations) + ", " + std::to_string(n);
            MessageBoxModal(0, "Potential allocation failure", title.c_str(), 0, kSource,
                            __LINE__);
            errorCode = 8;
            throw MyExceptionTypes(8);
        }
        ReportJobProgress("candidate geometries read back and smoothed");
        int candidates = 0;
        // One candidate per design point: the storage holds n of them.
        for (int i = 0; reader->notFound == 0 && i < n; ++i) {
            reader->Get_Geometry(raw[i], nGeomStations);
            if (reader->notFound != 0) break;
            if (!fit.fit_data(i)) {
                const std::string message = "Design geometry " + std::to_string(i) +
                                            " could not be smoothed (" +
                                            std::to_string(nGeomStations) + " stations)";
                MessageBoxFyi(windowHandle, message.c_str(), "Smoothing failed", 0, kSource,
                              __LINE__);
                throw MyExceptionTypes(8);
            }
            deck->write_to_file(points, geomConstraints, InflowVelocity, PointOptions, smoothed[i],
                                smoothedStations);
            ++candidates;
        }
        deck->close_file();
        reader.reset();
        if (candidates < n) {
            const std::string message = secondOut + " holds " + std::to_string(candidates) +
                                        " design geometries; " + std::to_string(n) +
                                        " design points need one each";
            MessageBoxFyi(windowHandle, message.c_str(), "Missing design geometries", 0, kSource,
                          __LINE__);
        }

        // 3. Every candidate at every point, read back and ranked.
        RunBlades analysisRuns(windowHandle, geometry.polarPath, W, isStdAtmos);
        ReportJobProgress("every candidate analysed at every point (perform.in -> perform.out)");
        analysisRuns.Execute(performIn, performOut);
        {
            GetPerformance results(performOut, n, storage->efficiencies.data(), points,
                                   storage->performance.data());
        }
        for (float& e : idealEfficiencies) e = 0.0f;
        const int ideal = Get_Opt_Efficiencies(firstOut, idealEfficiencies);
        if (ideal < n) {
            const std::string message = firstOut + " holds " + std::to_string(ideal) +
                                        " optimum efficiencies for " + std::to_string(n) +
                                        " design points";
            MessageBoxFyi(windowHandle, message.c_str(), "Missing optimum efficiencies", 0,
                          kSource, __LINE__);
        }
        Rank_Propeller_Geometries(idealEfficiencies, storage->efficiencies.data(), n, points,
                                  errRms, rankOrder);

        // 4. The comparison files.
        ReportJobProgress("candidates ranked; comparison files _Project.pld and _Project.pr1");
        std::vector<const char*> names(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            storage->names[i] = "Design geometry " + std::to_string(i);
            names[i] = storage->names[i].c_str();
        }
        std::vector<const Propeller_geom*> rawView(raw.begin(), raw.end());
        std::vector<const Propeller_geom*> smoothedView(smoothed.begin(), smoothed.end());
        const char* title = "\"Comparison of design geometries\"";
        {
            WriteCombinedPlot plot(windowHandle, plotFile, title,
                                   "\"radius\", \"chord/D\", \"camber\", \"t/c\", \"twist\"",
                                   names.data(), rawView.data(), nGeomStations, rankOrder, n, 1);
            plot.fittedStations = smoothedStations;
            plot.fittedGeometries = smoothedView.data();
            plot.write();
            plot.close_file();
        }
        {
            WritePerformanceResult comparison(windowHandle, comparisonFile, title, names.data(),
                                              storage->efficiencies.data(),
                                              storage->performance.data(), errRms, n, rankOrder,
                                              idealEfficiencies);
            comparison.write();
            comparison.close_file();
        }

        // 5. The best candidate analysed at every point into the result page.
        ReportJobProgress("best candidate analysed into the design result page");
        for (int k = 0; k < n; ++k) PointOptions[k].reportMode = 1;
        {
            CreatePerformanceFile finalDeck(secondIn, nStations, geomConstraints.ngauss,
                                            geomConstraints.num, n);
            finalDeck.write_to_file(points, geomConstraints, InflowVelocity, PointOptions,
                                    smoothed[rankOrder[0]], smoothedStations);
            finalDeck.close_file();
        }
        analysisRuns.Execute(secondIn, designReport);
        resultPath = designReport;
        // An engine failure on the last run leaves the result page
        // incomplete (the runner has reported it): the design has not
        // reached its end.
        result = analysisRuns.lastStatus() == 0 ? 1 : 0;
    } catch (...) {
        MessageBoxModal(0, "Failed to generate geometry", "check for unrealistic inputs", 0,
                        kSource, __LINE__);
        errorCode = 8;
        result = 0;
    }
    rawGeometries.clear();
    smoothedGeometries.clear();
    return result;
}
