// The writer of the engine's performance deck: one analysis case of a given
// blade geometry with one block per operating point ("perform.in",
// "perfpnts.in", "Map.in", and the final analysis of a design job).
#pragma once

#include <fstream>
#include <string>
#include <utility>

#include "design/job_records.h"

class CreatePerformanceFile {
public:
    // Opens (and truncates) the deck at `path` at once. `nStations` rows of
    // the inflow table, `nPoints` operating-point blocks.
    CreatePerformanceFile(const std::string& path, int nStations, int ngauss, int num,
                          int nPoints);
    ~CreatePerformanceFile();
    CreatePerformanceFile(const CreatePerformanceFile&) = delete;
    CreatePerformanceFile& operator=(const CreatePerformanceFile&) = delete;

    // Writes one complete performance case of `geometry` (`nGeom` stations)
    // at the points; `options` holds one record per point. Throws the
    // integer 1, before writing anything, for a report mode other than 0 or
    // 1, a load kind other than 1 to 3, a count outside its capacity, or a
    // geometry without a station pair around r/R 0.75.
    void write_to_file(const Operating_Point* points, const Geometric_Constraints& constraints,
                       const Inflow_Velocity* inflow, const Options* options,
                       const Propeller_geom* geometry, int nGeom);
    // (0.75, the twist at r/R 0.75 interpolated linearly); throws the
    // integer 1 when no station pair r_j < 0.75 <= r_j+1 exists.
    std::pair<float, float> get_reference_angle(const Propeller_geom* geometry, int nGeom) const;
    void close_file();

    bool is_open() const { return file.is_open(); }

private:
    std::ofstream file;
    int nStations_;
    int ngauss_;
    int num_;
    int nPoints_;
};
