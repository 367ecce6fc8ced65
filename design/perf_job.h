// Result file names of the performance and map jobs, derived from the
// project base path (the project file's path without its extension).
#pragma once

#include <string>

// "<project base>.per.html": the result page of a performance run.
std::string PerformanceResultPath(const std::string& projectBasePath);
// "<project base>.map": the result page of a map run.
std::string MapResultPath(const std::string& projectBasePath);
// "<project base>.des.html": the result page of a design run.
std::string DesignResultPath(const std::string& projectBasePath);
