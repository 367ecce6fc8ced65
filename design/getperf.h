// Keyed scanners that read numbers back out of the engine's text reports,
// and the two readers built on them: the blade geometry of a design report
// and the performance rows of a performance report.
//
// A scanner searches forward, line by line, for a line containing its key
// text, then moves a fixed number of lines and characters on to the object
// it reads. Its position only moves forward, so repeated searches visit
// successive occurrences of the key.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "design/job_records.h"

// What a scanner looks for.
struct Key {
    const char* text;    // the text a line must contain (not owned)
    int32_t lineOffset;  // lines from the end of the matching line to the object (1: the next)
    int32_t charOffset;  // characters to skip at the start of that line
};

// Longest line a scanner reads, and the size of a caller's line buffer.
constexpr int kScanLineChars = 255;
constexpr int kScanLineBuffer = kScanLineChars + 1;

// Raised by Position_to_Object when the file ends before the object.
struct ScanPositionError {};

class Scan {
public:
    // Opens `fileName` for reading; a file that cannot be opened leaves the
    // stream failed, so that every search ends as not found.
    Scan(const std::string& fileName, Key key);
    virtual ~Scan() = default;
    Scan(const Scan&) = delete;
    Scan& operator=(const Scan&) = delete;

    // Searches from `position` for the next line longer than the key text
    // that contains it; answers `notFound` (0 = found).
    virtual int Search_For_KEY();
    // Moves from the end of the matching line to the object; throws
    // ScanPositionError when the file ends first.
    void Position_to_Object();
    // Reads the object; true on success. Scan reads one number into `value`.
    virtual bool Get_Object();

    void open_file(const std::string& fileName);
    void close_file();

    std::ifstream file;
    std::streampos position;
    int32_t minLength;
    Key key;
    int32_t notFound = 0;
    float value = 0;

protected:
    // One search; each line read goes to `line` (kScanLineBuffer chars).
    int SearchInto(char* line);
};

// A scanner that hands the matching line to its caller.
class Scan_opt : public Scan {
public:
    Scan_opt(const std::string& fileName, Key key, char (&line)[kScanLineBuffer]);
    int Search_For_KEY() override;

    char* line;  // the caller's buffer; holds the matching line after a search
};

// A scanner of the summary rows of a performance report: each object is one
// row of sixteen columns; `value` receives the efficiency.
class Scan_perf : public Scan {
public:
    Scan_perf(const std::string& fileName, Key key);
    bool Get_Object() override;

    Performance performance;
};

// Reads the blade geometry tables of a design report, one table per call.
class ExtractGeometry {
public:
    explicit ExtractGeometry(const std::string& fileName);

    // Fills `count` stations (at most kMaxGeometryRead) from the next
    // geometry table; leaves `notFound` = 1 when the table is missing or
    // unreadable (stations already read keep their values).
    void Get_Geometry(Propeller_geom* stations, int count);

    static constexpr int kMaxGeometryRead = 32;

    int32_t notFound;
    Key key{"RADIUS    CAMBER ", 1, 0};
    std::unique_ptr<Scan> scanner;
};

// Reads the performance of n candidate geometries at n design points from a
// performance report: slot s = candidate * n + point belongs to operating
// point s mod n. All reading happens in the constructor, which throws
// MyExceptionTypes(8) when the report holds too few results.
class GetPerformance {
public:
    GetPerformance(const std::string& fileName, int n, float* efficiencies,
                   const Operating_Point* points, Performance* results);

    // Reads the next row into slot `slot` (advanced past missing slots).
    void get_condition(int& slot);
    // 2 when a result is unusable, else 0; `coefficients` is the point's
    // load kind (1 thrust target, otherwise power).
    int check_found_quality(const Performance& result, int coefficients) const;

    int32_t nPoints;
    Performance missing;  // stored for a missing or unusable result
    Performance* results;
    const Operating_Point* points;
    std::vector<int32_t> missCount;  // per operating point
    std::unique_ptr<Scan_perf> scanner;
    float tolerance = 0.02f;
    int32_t state = 4;  // 4 before the first row, then 0
    int32_t done = 0;
    Key key{"K  T R R O L I R", 2, 0};
    float missingEfficiency = 99.0f;
    float* efficiencies;

private:
    void StoreMissing(int slot);
    [[noreturn]] void Shortfall(int line);
};
