// Short human summaries of the result files of a job, read back from the
// files the library wrote: the result pages, the geometry comparison plot
// file and the performance comparison report of a design.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "design/job_records.h"
#include "design/result_rows.h"

// One design candidate as the performance comparison report ranks it.
struct RankedCandidate {
    std::string name;
    float figureOfMerit = 0;
    int badPoints = 0;
};
// The candidates in rank order and the ideal efficiencies of the points.
struct DesignComparison {
    std::vector<RankedCandidate> ranking;
    std::vector<float> idealEfficiencies;
};
DesignComparison ReadDesignComparison(const std::string& reportPath);

// The stations of the zone named `zone` of a geometry plot file.
std::vector<Propeller_geom> ReadPlotZone(const std::string& plotPath, const std::string& zone);

// The table of J, blade angle, CP, CT and efficiency of the rows.
void PrintResultTable(std::ostream& out, const std::vector<ResultRow>& rows);
// The ranking, the best candidate's smoothed geometry, its efficiency at
// every design point against the ideal one, and the result file paths.
// `basePath` is the project path without its extension. False when the
// comparison report cannot be read.
bool PrintDesignSummary(std::ostream& out, const std::string& basePath);
// The number of map points, advance ratios and loads, and the path.
void PrintMapSummary(std::ostream& out, const std::string& mapPath);
