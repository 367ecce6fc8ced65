// Writers of the two comparison files of a design run: the geometry plot
// file in the zone-and-variables text format ("TITLE =", "VARIABLES =",
// "ZONE T =" records) and the text report comparing the candidates'
// predicted performance at every design point.
//
// Every writer opens its file when constructed, writes on write() and
// closes on close_file() or when destroyed. The data belong to the caller
// and must outlive the writer.
#pragma once

#include <fstream>
#include <string>

#include "design/job_records.h"

// Raised when a plot or report file cannot be opened (the notice is in the log).
struct PlotFileError {};

class WritePlot {
public:
    WritePlot(int& handle, const char* title);
    virtual ~WritePlot();
    WritePlot(const WritePlot&) = delete;
    WritePlot& operator=(const WritePlot&) = delete;

    // Opens `fileName` for writing, replacing it; on failure writes "ERROR
    // opening plot file" and throws PlotFileError.
    virtual void open_file(const std::string& fileName);
    // write_header, then write_body.
    virtual void write();
    virtual void write_header() = 0;
    virtual void write_body() = 0;
    // Closes the file; a failure writes "ERROR closing plot file".
    void close_file();

protected:
    // Writes a text; a null text puts the stream into its failed state, so
    // that nothing more reaches the file.
    void Put(const char* text);

    std::ofstream file;
    const char* plotTitle;
    int* handle;
};

class WritePlotFile : public WritePlot {
public:
    // `geometries[g]` holds the stations of geometry g and `zoneNames[g]` its
    // name; zone z writes geometry zoneIndex[z], `stationsPerZone` stations,
    // `repeat` times.
    WritePlotFile(int& handle, const std::string& fileName, const char* title,
                  const char* variables, const char* const* zoneNames,
                  const Propeller_geom* const* geometries, int stationsPerZone,
                  const int* zoneIndex, int zoneCount, int repeat);

    void write_header() override;
    void write_body() override;

protected:
    // One "ZONE T =" record and its stations.
    void WriteZone(const char* name, const char* suffix, const Propeller_geom* stations,
                   int count);
    // The name of geometry g and its stations, or null for a bad index.
    const char* NameOf(int g) const;

    int stationsPerZone;
    int zoneCount;
    int repeat;
    const int* zoneIndex;
    const char* const* zoneNames;
    const char* variables;
    const Propeller_geom* const* geometries;
};

// The plot file with a second, fitted zone after each geometry's zone.
class WriteCombinedPlot : public WritePlotFile {
public:
    using WritePlotFile::WritePlotFile;

    void write_body() override;

    int fittedStations = 0;
    const Propeller_geom* const* fittedGeometries = nullptr;
};

class WritePerformanceResult : public WritePlot {
public:
    // `results` and `efficiencies` hold n x n entries, candidate-major
    // (entry k of candidate c at c * n + k); `errors`, `order` and
    // `referenceEfficiencies` hold n entries.
    WritePerformanceResult(int& handle, const std::string& fileName, const char* title,
                           const char* const* candidateNames, const float* efficiencies,
                           const Performance* results, const ERR_RMS* errors, int count,
                           const int* order, const float* referenceEfficiencies);

    void write_header() override;
    void write_body() override;

protected:
    const char* const* candidateNames;
    int count;
    const Performance* results;
    const float* efficiencies;
    const ERR_RMS* errors;
    const int* order;
    const float* referenceEfficiencies;
};
