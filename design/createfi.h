// The writer of the engine's design decks: the optimum-loading deck
// ("first.in", problem type 2) and the prescribed-loading design deck
// ("second.in"), one complete case per operating point.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "design/job_records.h"

class Scan;

// Raised when a design deck cannot be written from the data given (radial
// tables not spanning hub to tip, counts outside their capacities, no
// optimum loading to take over); the notice is already in the log.
struct DeckWriterError {};

class CreateBladesFile {
public:
    // Copies the points and radial tables; `nStations` rows of each radial
    // table, `nPoints` cases. Each radial table must begin exactly at the hub
    // ratio and end exactly at 1.0, else "Data must span hub to tip range"
    // and DeckWriterError.
    CreateBladesFile(const Operating_Point* points, const Geometric_Constraints& constraints,
                     const Loading_Profile* loading, const Inflow_Velocity* inflow,
                     const Lift_Coefficient* lift, int nStations, int nPoints,
                     const std::string& designDeckPath, const std::string& optimumDeckPath,
                     const std::string& optimumOutputPath, int useOptimumLoading);
    ~CreateBladesFile();
    CreateBladesFile(const CreateBladesFile&) = delete;
    CreateBladesFile& operator=(const CreateBladesFile&) = delete;

    // Writes the optimum-loading deck; 1 when it was written and closed.
    int WriteOpt();
    // Writes the design deck, taking the loading from the optimum run's
    // output when asked to; 1 when written and closed. Throws
    // DeckWriterError when that output holds no loading table.
    int WriteDesign();
    // Reads `num` + 1 rows of the optimum run's loading table into the
    // writer's loading rows; the number of rows, 0 when the table is
    // missing or incomplete.
    int ExtractLoads();

    // Rows of the loading table written to the design deck.
    std::vector<Loading_Profile> loads;

private:
    void WriteCase(std::ostream& out, int i, bool designDeck) const;
    int WriteDeck(const std::string& path, bool designDeck);

    std::vector<Operating_Point> points_;
    Geometric_Constraints constraints_;
    std::vector<Loading_Profile> loading_;
    std::vector<Inflow_Velocity> inflow_;
    std::vector<Lift_Coefficient> lift_;
    int nStations_;
    int nPoints_;
    std::string designDeckPath_;
    std::string optimumDeckPath_;
    std::string optimumOutputPath_;
    int useOptimumLoading_;
    std::unique_ptr<Scan> loadScanner_;
};
