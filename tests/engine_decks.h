// Test helpers for the engine: hand-written input decks, a scratch run of
// Proprun with its control file, and a reader of the design report's table
// and summary.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "compute/proprun.h"
#include "tests/test_support.h"

namespace engine_test {

// One design case of a deck (records 1 to 10; the blade-geometry records are
// not needed while the geometry switch is 1).
struct DesignCase {
    int type = 2;
    int num = 8;
    int blades = 3;
    int ngauss = 9;
    float J = 1.2f;
    float hub = 0.2f;
    float activityFactor = 150;
    int loadKind = 1;        // types 2, 3
    float load = 0.1f;       // CT or CP; type 1: the displacement velocity
    float tolerance = 0.001f;
    std::string inflow = "UNIFORM\n";  // type 3 only
    std::string drag = "1\nDRAG\t0.3\t0.0000\n";
    std::string loading;     // type 3: rows "r\tG\t", the end row is added
    float loadingTolerance = 0.0001f;
    std::string title = "Test case";
    int geometrySwitch = 1;
    // Records 11 to 13, written when the geometry switch asks for geometry.
    std::string geometry =
        "2\n0.5\t0.01\t0.5\t\n0.8\t0.01\t0.4\t\n50\t2\t1.4\t288\t1.5e-05\t1.225\t340\t\n";

    std::string Text() const {
        std::ostringstream s;
        s << type << "\t" << num << "\t" << blades << "\t" << ngauss << "\t" << J << "\t" << hub
          << "\t\n" << activityFactor << "\t\n";
        if (type == 1)
            s << load << "\t\n";
        else
            s << loadKind << "\t" << load << "\t" << tolerance << "\t\n";
        if (type == 3) s << inflow;
        s << drag;
        if (type == 3) s << loadingTolerance << "\n" << loading << "999.999  0.0\n";
        s << title << "\n" << geometrySwitch << "\n";
        if (geometrySwitch != 1) s << geometry;
        return s.str();
    }
};

// Cases, each closed by the case-end marker, then the deck-end marker.
inline std::string Deck(const std::vector<DesignCase>& cases) {
    std::string text;
    for (const DesignCase& c : cases) text += c.Text() + "888.888\n";
    return text + "999.999\n";
}

// The numerical-analysis table and the summary of one design report.
struct DesignReport {
    std::vector<std::vector<float>> rows;  // X, G, TANBI, UA, UT
    float wbar = -1, CT = 0, CP = 0, efficiency = 0;
    bool found = false;
};

// Value after "<label> =" on the first line at or after `from` holding it.
inline float ValueAfter(const std::string& text, const std::string& label, std::size_t from) {
    const std::size_t at = text.find(label, from);
    if (at == std::string::npos) return -999;
    std::istringstream in(text.substr(text.find('=', at) + 1));
    float v = -999;
    in >> v;
    return v;
}

// Reads report number `index` (0-based) of a design output file.
inline DesignReport ReadReport(const std::string& text, int index = 0) {
    DesignReport report;
    std::size_t at = 0;
    for (int i = 0; i <= index; ++i) {
        at = text.find("TANBI", at == 0 ? 0 : at + 1);
        if (at == std::string::npos) return report;
    }
    std::istringstream in(text.substr(text.find('\n', at) + 1));
    std::string line;
    std::size_t consumed = text.find('\n', at) + 1;
    while (std::getline(in, line)) {
        consumed += line.size() + 1;
        std::istringstream fields(line);
        std::vector<float> row;
        float v;
        while (fields >> v) row.push_back(v);
        if (row.empty() && report.rows.empty()) continue;
        if (row.size() != 5) break;
        report.rows.push_back(row);
    }
    const std::size_t summary = consumed;
    const std::size_t end = text.find("EFFICIENCY", summary);
    const std::size_t disp = text.find("DISP. VEL.", summary);
    if (disp != std::string::npos && disp < end) report.wbar = ValueAfter(text, "DISP. VEL.", summary);
    report.CT = ValueAfter(text, "THRUST COEFF", summary);
    report.CP = ValueAfter(text, "POWER COEFF", summary);
    report.efficiency = ValueAfter(text, "EFFICIENCY", summary);
    report.found = !report.rows.empty() && end != std::string::npos;
    return report;
}

// A scratch directory with a control file, a stand-in polar file and the
// paths of one engine run.
class EngineRun {
public:
    EngineRun() : dir(skarvel_test::ScratchDir()) {
        deck = dir + "case.in";
        output = dir + "case.out";
        error = dir + "ERROR.OUT";
        polar = dir + "polar.bin";
        control = dir + "proprun.ini";
        skarvel_test::WriteFile(polar, "polar");
        WriteControl();
    }

    void WriteControl() const {
        skarvel_test::WriteFile(control, "1\n" + deck + "\n" + output + "\n" + polar + "\n" +
                                             error + "\n/install\n");
    }

    int Run(const std::string& deckText) {
        skarvel_test::WriteFile(deck, deckText);
        ResetDatabase();
        return Proprun(control.c_str());
    }

    std::string Output() const { return skarvel_test::ReadFile(output); }
    std::string Error() const { return skarvel_test::ReadFile(error); }

    std::string dir, deck, output, error, polar, control;
};

}  // namespace engine_test
