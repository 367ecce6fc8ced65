// The running side of the performance builder: the performance run at the
// project's operating points and the two maps, each one deck and one engine
// run.
#include "design/perf_job.h"

#include <memory>
#include <string>

#include "design/desutil.h"
#include "design/except.h"
#include "design/mkperf.h"
#include "design/operation_trace.h"
#include "design/run_exe.h"

namespace {

constexpr const char* kSource = "../../design/desutil";

int CouldNotRun(int handle, const std::string& message, int line) {
    MessageBoxModal(handle, message.c_str(), "Could not run", 0, kSource, line);
    return 0;
}

}  // namespace

std::string PerformanceResultPath(const std::string& projectBasePath) {
    return projectBasePath + ".per.html";
}

std::string MapResultPath(const std::string& projectBasePath) { return projectBasePath + ".map"; }

std::string DesignResultPath(const std::string& projectBasePath) {
    return projectBasePath + ".des.html";
}

int BuildPerformanceFile::Generate(Dialog_Choice& choice, MapType map,
                                   const Operating_Point* points, bool isStdAtmos) {
    SKARVEL_TRACE_OPERATION("BuildPerformanceFile::Generate", kSource);
    int count = 0;
    std::string deck;
    const Operating_Point* runPoints = points;
    const Options* runOptions = PointOptions;
    switch (choice) {
        case PERFORMANCE_POINTS:
            deck = TempPathName + "perfpnts.in";
            resultPath = PerformanceResultPath(projectBasePath);
            count = isStdAtmos ? nPoints_stdAtmos : nPoints_notStdAtmos;
            break;
        case PERFORMANCE_MAP:
            if (map != FIXED_RPM_MAP && map != FIXED_SPEED_MAP)
                return CouldNotRun(windowHandle,
                                   "Map type " + std::to_string(static_cast<int>(map)) +
                                       " is neither 0 (constant RPM) nor 1 (constant speed)",
                                   __LINE__);
            deck = TempPathName + "Map.in";
            resultPath = MapResultPath(projectBasePath);
            count = 1;
            runPoints = &MapPoint[map];
            runOptions = &MapOptions[map];
            break;
        default: return 0;
    }
    return CalculatePoints(count, deck, runPoints, runOptions, resultPath, isStdAtmos);
}

int BuildPerformanceFile::CalculatePoints(int& count, const std::string& deckPath,
                                          const Operating_Point* points, const Options* options,
                                          const std::string& resultPath, bool isStdAtmos) {
    SKARVEL_TRACE_OPERATION("BuildPerformanceFile::CalculatePoints", kSource);
    const int ngauss = geomConstraints.ngauss;
    const int num = geomConstraints.num;
    if (ngauss == 0 || num == 0)
        return CouldNotRun(windowHandle, "Hub and/or tip definition inconsistent", __LINE__);
    if (count == 0) return CouldNotRun(windowHandle, "No operating conditions specified", __LINE__);
    if (count < 0 || count > kMaxOperatingPoints || points == nullptr || options == nullptr)
        return CouldNotRun(windowHandle,
                           "Number of operating conditions " + std::to_string(count) +
                               " is outside 1 to " + std::to_string(kMaxOperatingPoints),
                           __LINE__);
    if (nGeometryStations < 2 || nGeometryStations > kMaxStations)
        return CouldNotRun(windowHandle,
                           "Blade geometry has " + std::to_string(nGeometryStations) +
                               " stations; at least 2 are needed",
                           __LINE__);

    try {
        CreatePerformanceFile writer(deckPath, nGeometryStations, ngauss, num, count);
        if (!writer.is_open()) return 0;  // the writer has reported it
        writer.write_to_file(points, geomConstraints, InflowVelocity, options, GeometryStations,
                             nGeometryStations);
        writer.close_file();
    } catch (int) {
        return CouldNotRun(windowHandle,
                           "The performance deck " + deckPath +
                               " could not be written: a report mode, load kind or station "
                               "count is outside its range, or no station pair lies around "
                               "r/R 0.75",
                           __LINE__);
    }

    RunBlades runner(windowHandle, geometry.polarPath, TempPathName, isStdAtmos);
    runner.Execute(deckPath, resultPath);
    // A run that ended with an engine failure has been reported by the
    // runner; its result page is incomplete, so the job has not succeeded.
    return runner.lastStatus() == 0 ? 1 : 0;
}

std::string BuildPerformanceFile::PopUpResult() { return resultPath; }
