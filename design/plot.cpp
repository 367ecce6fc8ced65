#include "design/plot.h"

#include <cstring>
#include <iomanip>

#include "design/except.h"

namespace {

constexpr const char* kSource = "../../design/plot";
// Source lines that the open and close notices name.
constexpr int kOpenLine = 23;
constexpr int kCloseLine = 34;

// The flag titles of the comparison report, written downwards so that each
// ends on the column line: (title, column).
struct VerticalTitle {
    const char* text;
    int column;
};
constexpr VerticalTitle kFlagTitles[] = {{"NCPERR", 65}, {"NPAS5", 68}, {"NOTPOS", 70},
                                         {"LSTALL", 72}, {"LGIG", 74},  {"MWARN", 76}};
constexpr int kTitleLines = 5;
constexpr int kTitleWidth = 77;

}  // namespace

// ---- WritePlot -----------------------------------------------------------------

WritePlot::WritePlot(int& h, const char* title) : plotTitle(title), handle(&h) {}

WritePlot::~WritePlot() {
    if (file.is_open()) file.close();
}

void WritePlot::open_file(const std::string& fileName) {
    file.open(fileName, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!file.is_open()) {
        MessageBoxFyi(*handle, "ERROR opening plot file", nullptr, 0, kSource, kOpenLine);
        throw PlotFileError();
    }
}

void WritePlot::write() {
    write_header();
    write_body();
    file.flush();
}

void WritePlot::close_file() {
    if (!file.is_open()) return;
    file.close();
    if (file.fail()) MessageBoxFyi(*handle, "ERROR closing plot file", nullptr, 0, kSource,
                                   kCloseLine);
}

void WritePlot::Put(const char* text) {
    if (text == nullptr)
        file.setstate(std::ios::badbit);
    else
        file << text;
}

// ---- WritePlotFile -------------------------------------------------------------

WritePlotFile::WritePlotFile(int& h, const std::string& fileName, const char* title,
                             const char* variablesIn, const char* const* zoneNamesIn,
                             const Propeller_geom* const* geometriesIn, int stationsPerZoneIn,
                             const int* zoneIndexIn, int zoneCountIn, int repeatIn)
    : WritePlot(h, title),
      stationsPerZone(stationsPerZoneIn),
      zoneCount(zoneCountIn),
      repeat(repeatIn),
      zoneIndex(zoneIndexIn),
      zoneNames(zoneNamesIn),
      variables(variablesIn),
      geometries(geometriesIn) {
    open_file(fileName);
}

void WritePlotFile::write_header() {
    file << "TITLE = ";
    Put(plotTitle);
    file << ",\n";
    file << "VARIABLES = ";
    Put(variables);
    file << "\n";
}

const char* WritePlotFile::NameOf(int g) const {
    if (g < 0 || zoneNames == nullptr) return nullptr;
    return zoneNames[g];
}

void WritePlotFile::WriteZone(const char* name, const char* suffix,
                              const Propeller_geom* stations, int count) {
    file << "ZONE T = \"";
    Put(name);
    file << suffix << "\",  I= " << count << ", J= " << repeat << "\n";
    if (stations == nullptr) {
        file.setstate(std::ios::badbit);
        return;
    }
    file << std::fixed << std::setprecision(4);
    for (int r = 0; r < repeat; ++r) {
        for (int s = 0; s < count; ++s) {
            const Propeller_geom& p = stations[s];
            file << std::setw(9) << p.radius << ' ' << p.chordRatio << ' ' << p.camber << ' '
                 << p.thicknessRatio << ' ' << p.twist << ' ' << "\n";
        }
    }
}

void WritePlotFile::write_body() {
    if (zoneIndex == nullptr || geometries == nullptr) return;
    for (int z = 0; z < zoneCount && file.good(); ++z) {
        const int g = zoneIndex[z];
        WriteZone(NameOf(g), "", g < 0 ? nullptr : geometries[g], stationsPerZone);
    }
}

// ---- WriteCombinedPlot ---------------------------------------------------------

void WriteCombinedPlot::write_body() {
    if (zoneIndex == nullptr || geometries == nullptr) return;
    for (int z = 0; z < zoneCount && file.good(); ++z) {
        const int g = zoneIndex[z];
        WriteZone(NameOf(g), "", g < 0 ? nullptr : geometries[g], stationsPerZone);
        const Propeller_geom* fitted =
            g < 0 || fittedGeometries == nullptr ? nullptr : fittedGeometries[g];
        WriteZone(NameOf(g), " - fitted", fitted, fittedStations);
    }
}

// ---- WritePerformanceResult ----------------------------------------------------

WritePerformanceResult::WritePerformanceResult(int& h, const std::string& fileName,
                                               const char* title,
                                               const char* const* candidateNamesIn,
                                               const float* efficienciesIn,
                                               const Performance* resultsIn,
                                               const ERR_RMS* errorsIn, int countIn,
                                               const int* orderIn,
                                               const float* referenceEfficienciesIn)
    : WritePlot(h, title),
      candidateNames(candidateNamesIn),
      count(countIn),
      results(resultsIn),
      efficiencies(efficienciesIn),
      errors(errorsIn),
      order(orderIn),
      referenceEfficiencies(referenceEfficienciesIn) {
    open_file(fileName);
}

void WritePerformanceResult::write_header() {
    file << "\n";
    Put(plotTitle);
    file << "\n\n";
    file << "  Reference vector: \n";
    file << "\t\tJ      Efficiency\n";
    file << "\t=====    ==========\n";
    file << std::fixed;
    if (results != nullptr && referenceEfficiencies != nullptr) {
        for (int k = 0; k < count; ++k)
            file << std::setprecision(3) << std::setw(7) << results[k].J << std::setw(11)
                 << referenceEfficiencies[k] << "\n";
    }
    for (int line = 0; line < kTitleLines; ++line) {
        std::string text(kTitleWidth, ' ');
        for (const VerticalTitle& t : kFlagTitles) {
            // The last letter stands on the column line below the titles.
            const int length = static_cast<int>(std::strlen(t.text));
            const int letter = line - (kTitleLines + 1 - length);
            if (letter >= 0) text[static_cast<std::size_t>(t.column)] = t.text[letter];
        }
        file << text << "\n";
    }
    file << "               J    BETA   CPCOR  CTCOR    EFFIC  RawCP  RawCT   R  5 S L G N   "
            "Target\n";
}

void WritePerformanceResult::write_body() {
    if (order == nullptr || results == nullptr || efficiencies == nullptr || errors == nullptr)
        return;
    for (int i = 0; i < count && file.good(); ++i) {
        const int c = order[i];
        if (c < 0 || c >= count) continue;  // not a candidate
        Put(candidateNames == nullptr ? nullptr : candidateNames[c]);
        file << "\n=================\n";
        for (int k = 0; k < count; ++k) {
            const Performance& r = results[c * count + k];
            const float eff = efficiencies[c * count + k];
            file << "          " << std::setprecision(3) << std::setw(9) << r.J
                 << std::setprecision(2) << std::setw(7) << r.BETA << std::setprecision(3)
                 << std::setw(7) << r.CPCOR << std::setw(7) << r.CTCOR << std::setprecision(4)
                 << std::setw(9) << eff << std::setprecision(3) << std::setw(7) << r.CP
                 << std::setw(7) << r.CT << std::setw(3) << r.NCPERR << std::setw(3)
                 << r.WAKERR << std::setw(2) << r.NOTPOS << std::setw(2) << r.LSTALL
                 << std::setw(2) << r.LGIG << std::setw(2) << r.MWARN << std::setw(8)
                 << r.TARGET << "\n";
        }
        file << "          Error statistics:\n";
        file << "          ================\n";
        file << "          Figure of merit = " << std::setprecision(4) << std::setw(9)
             << errors[c].rms << ";  Bad_Count = " << errors[c].failures << "\n";
    }
}
