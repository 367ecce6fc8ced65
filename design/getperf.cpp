#include "design/getperf.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "design/except.h"

namespace {

constexpr const char* kSource = "../../design/getperf";
// Source lines that the shortfall notices name.
constexpr int kShortfallLine = 60;
constexpr int kSlotsExhaustedLine = 111;

// Reads one whitespace-separated integer flag; refuses values that do not
// fit the 16-bit field.
bool ReadFlag(std::istream& in, int16_t& flag) {
    long v = 0;
    if (!(in >> v)) return false;
    if (v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max())
        return false;
    flag = static_cast<int16_t>(v);
    return true;
}

}  // namespace

// ---- Scan ------------------------------------------------------------------

Scan::Scan(const std::string& fileName, Key k)
    : position(0), minLength(static_cast<int32_t>(k.text ? std::strlen(k.text) : 0)), key(k) {
    open_file(fileName);
}

void Scan::open_file(const std::string& fileName) {
    if (file.is_open()) file.close();
    file.clear();
    file.open(fileName, std::ios::in | std::ios::binary);
}

void Scan::close_file() { file.close(); }

int Scan::Search_For_KEY() {
    char line[kScanLineBuffer];
    return SearchInto(line);
}

int Scan::SearchInto(char* line) {
    line[0] = '\0';
    if (key.text == nullptr || !file.good()) {
        notFound = 1;
        return notFound;
    }
    file.seekg(position);
    if (!file.good()) {
        notFound = 1;
        return notFound;
    }
    bool found = false;
    for (;;) {
        file.getline(line, kScanLineBuffer);
        // A last line without its newline still counts; a line longer than
        // kScanLineChars sets the fail state and ends the search.
        const bool gotLine = !file.fail() || (file.eof() && file.gcount() > 0);
        if (!gotLine) break;
        if (static_cast<int32_t>(std::strlen(line)) > minLength &&
            std::strstr(line, key.text) != nullptr) {
            found = true;
            break;
        }
        if (file.eof()) break;
    }
    if (found && !file.eof()) {
        position = file.tellg();
    } else if (!found) {
        notFound = 1;
    } else {
        // Matched on the unterminated last line: nothing follows it.
        position = file.tellg();
    }
    return notFound;
}

void Scan::Position_to_Object() {
    if (!file.good()) throw ScanPositionError();
    for (int skipped = 1; skipped < key.lineOffset; ++skipped) {
        file.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        if (!file.good()) throw ScanPositionError();
    }
    if (key.charOffset > 0) {
        file.ignore(key.charOffset);
        if (file.fail()) throw ScanPositionError();
    }
}

bool Scan::Get_Object() {
    float v = 0;
    if (!(file >> v)) return false;
    value = v;
    return true;
}

// ---- Scan_opt ----------------------------------------------------------------

Scan_opt::Scan_opt(const std::string& fileName, Key k, char (&buffer)[kScanLineBuffer])
    : Scan(fileName, k), line(buffer) {
    line[0] = '\0';
}

int Scan_opt::Search_For_KEY() { return SearchInto(line); }

// ---- Scan_perf ---------------------------------------------------------------

Scan_perf::Scan_perf(const std::string& fileName, Key k) : Scan(fileName, k) {}

bool Scan_perf::Get_Object() {
    // J BETA CPCOR CTCOR EFFIC CP CT NWAKE NCPITR NCPERR WAKERR NOTPOS LSTALL
    // LGIG MWARN TARGET
    Performance row;
    float effic = 0;
    int16_t nwake = 0, ncpitr = 0;
    if (!(file >> row.J >> row.BETA >> row.CPCOR >> row.CTCOR >> effic >> row.CP >> row.CT))
        return false;
    if (!ReadFlag(file, nwake) || !ReadFlag(file, ncpitr) || !ReadFlag(file, row.NCPERR) ||
        !ReadFlag(file, row.WAKERR) || !ReadFlag(file, row.NOTPOS) ||
        !ReadFlag(file, row.LSTALL) || !ReadFlag(file, row.LGIG) || !ReadFlag(file, row.MWARN))
        return false;
    if (!(file >> row.TARGET)) return false;
    performance = row;
    value = effic;
    return true;
}

// ---- ExtractGeometry ---------------------------------------------------------

ExtractGeometry::ExtractGeometry(const std::string& fileName)
    : scanner(std::make_unique<Scan>(fileName, key)) {
    notFound = scanner->notFound;
}

void ExtractGeometry::Get_Geometry(Propeller_geom* stations, int count) {
    if (stations == nullptr || count < 0 || count > kMaxGeometryRead) {
        notFound = 1;
        return;
    }
    if (scanner->Search_For_KEY() != 0) {
        notFound = 1;
        return;
    }
    try {
        scanner->Position_to_Object();
        // RADIUS CAMBER CHORD THICKNESS T/C TWIST MAXCL LIFT CDMIN
        for (int i = 0; i < count; ++i) {
            float column[9];
            for (float& c : column) {
                if (!scanner->Get_Object()) {
                    notFound = 1;
                    return;
                }
                c = scanner->value;
            }
            stations[i].radius = column[0];
            stations[i].camber = column[1];
            stations[i].chordRatio = column[2];
            stations[i].thicknessRatio = column[4];
            stations[i].twist = column[5];
        }
    } catch (const ScanPositionError&) {
        notFound = 1;
    }
}

// ---- GetPerformance ----------------------------------------------------------

GetPerformance::GetPerformance(const std::string& fileName, int n, float* efficienciesOut,
                               const Operating_Point* pointsIn, Performance* resultsOut)
    : nPoints(n), results(resultsOut), points(pointsIn), efficiencies(efficienciesOut) {
    missing.CPCOR = missing.CTCOR = missing.CP = missing.CT = 99.0f;
    missing.J = missing.BETA = missing.TARGET = 99.0f;
    missing.MWARN = missing.LGIG = missing.LSTALL = 9;
    missing.NOTPOS = missing.WAKERR = missing.NCPERR = 9;
    if (n < 1 || n > kMaxOperatingPoints || results == nullptr || points == nullptr ||
        efficiencies == nullptr)
        Shortfall(kShortfallLine);
    missCount.assign(static_cast<std::size_t>(n), 0);
    scanner = std::make_unique<Scan_perf>(fileName, key);

    const int slots = n * n;
    int slot = 0;
    while (done == 0) {
        get_condition(slot);
        ++slot;
    }
    if (slot < slots || state == 4) Shortfall(kShortfallLine);
    // The final unsuccessful search advances the counter once more than the
    // rows read, so the last slot may be left unread: it is a missing result,
    // not whatever the caller's array held.
    if (slot == slots) {
        StoreMissing(slots - 1);
        ++missCount[static_cast<std::size_t>((slots - 1) % n)];
    }
}

void GetPerformance::StoreMissing(int slot) {
    results[slot] = missing;
    efficiencies[slot] = missingEfficiency;
}

void GetPerformance::Shortfall(int line) {
    state = 5;
    MessageBoxFyi(getGlobalHandle(), "ERROR - Serious input error or memory error", nullptr, 0,
                  kSource, line);
    throw MyExceptionTypes(8);
}

void GetPerformance::get_condition(int& slot) {
    if (scanner->Search_For_KEY() != 0) {
        done = 1;
        return;
    }
    try {
        scanner->Position_to_Object();
    } catch (const ScanPositionError&) {
        done = 1;
        return;
    }
    if (!scanner->Get_Object()) {
        done = 1;
        return;
    }
    if (state == 4) state = 0;

    const Performance& row = scanner->performance;
    const int slots = nPoints * nPoints;
    auto belongs = [&](int s) {
        const Operating_Point& p = points[s % nPoints];
        return std::fabs(row.J - p.advanceRatio) <= tolerance &&
               std::fabs(row.TARGET - p.loadValue) <= tolerance;
    };
    while (slot < slots && !belongs(slot)) {
        ++missCount[static_cast<std::size_t>(slot % nPoints)];
        StoreMissing(slot);
        ++slot;
    }
    if (slot >= slots) Shortfall(kSlotsExhaustedLine);

    const int point = slot % nPoints;
    results[slot] = row;
    if (check_found_quality(row, points[point].loadKind) == 2) {
        ++missCount[static_cast<std::size_t>(point)];
        efficiencies[slot] = missingEfficiency;
    } else {
        efficiencies[slot] = scanner->value;
    }
}

int GetPerformance::check_found_quality(const Performance& result, int coefficients) const {
    if (result.NOTPOS != 0) return 2;
    if (result.LGIG != 0 || result.WAKERR != 0 || result.NCPERR != 0) {
        const float converged = coefficients == 1 ? result.CT : result.CP;
        if (std::fabs(result.TARGET - converged) > tolerance) return 2;
    }
    return 0;
}
