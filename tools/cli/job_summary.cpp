#include "tools/cli/job_summary.h"

#include <cmath>
#include <fstream>
#include <iomanip>
#include <set>
#include <sstream>


namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

DesignComparison ReadDesignComparison(const std::string& reportPath) {
    DesignComparison comparison;
    std::ifstream in(reportPath);
    std::string line;
    bool inReference = false;
    std::string lastName;
    while (std::getline(in, line)) {
        const std::string text = Trimmed(line);
        if (text.rfind("=====    ==========", 0) == 0) {
            inReference = true;
            continue;
        }
        if (inReference) {
            std::istringstream f(text);
            float j = 0, efficiency = 0;
            if (f >> j >> efficiency) {
                comparison.idealEfficiencies.push_back(efficiency);
                continue;
            }
            inReference = false;
        }
        if (text.rfind("Design geometry ", 0) == 0) lastName = text;
        const auto merit = text.find("Figure of merit =");
        if (merit != std::string::npos) {
            RankedCandidate candidate;
            candidate.name = lastName;
            std::istringstream f(text.substr(merit + 17));
            f >> candidate.figureOfMerit;
            const auto bad = text.find("Bad_Count =");
            if (bad != std::string::npos) candidate.badPoints = std::atoi(text.c_str() + bad + 11);
            comparison.ranking.push_back(candidate);
        }
    }
    return comparison;
}

std::vector<Propeller_geom> ReadPlotZone(const std::string& plotPath, const std::string& zone) {
    std::vector<Propeller_geom> stations;
    std::ifstream in(plotPath);
    std::string line;
    const std::string heading = "ZONE T = \"" + zone + "\"";
    bool inZone = false;
    while (std::getline(in, line)) {
        if (line.rfind("ZONE T = ", 0) == 0) {
            if (inZone) break;
            inZone = line.rfind(heading, 0) == 0;
            continue;
        }
        if (!inZone) continue;
        std::istringstream f(line);
        Propeller_geom s;
        if (f >> s.radius >> s.chordRatio >> s.camber >> s.thicknessRatio >> s.twist)
            stations.push_back(s);
    }
    return stations;
}

void PrintResultTable(std::ostream& out, const std::vector<ResultRow>& rows) {
    out << "      J   blade angle      CP       CT    efficiency  notes\n";
    for (const ResultRow& r : rows) {
        out << std::fixed << std::setprecision(3) << std::setw(7) << r.p.J << std::setw(11)
            << std::setprecision(2) << r.p.BETA << std::setw(12) << std::setprecision(4)
            << r.p.CP << std::setw(9) << r.p.CT << std::setw(11) << r.efficiency;
        if (r.p.NOTPOS != 0) out << "   alpha out of range";
        if (r.p.LSTALL != 0) out << "   stall";
        if (r.p.NCPERR != 0 || r.p.WAKERR != 0) out << "   not converged";
        out << "\n";
    }
    out.unsetf(std::ios::floatfield);
}

bool PrintDesignSummary(std::ostream& out, const std::string& basePath) {
    const std::string work = basePath + "_tmp/";
    const DesignComparison comparison = ReadDesignComparison(work + "_Project.pr1");
    if (comparison.ranking.empty()) return false;
    out << "Ranking of the candidates (figure of merit: weighted rms distance of the\n"
           "efficiencies from the optimum-loading ones; lower is better):\n";
    for (std::size_t i = 0; i < comparison.ranking.size(); ++i) {
        const RankedCandidate& c = comparison.ranking[i];
        out << "  " << std::setw(2) << i + 1 << ". " << std::left << std::setw(20) << c.name
            << std::right << "  figure of merit " << std::fixed << std::setprecision(4)
            << c.figureOfMerit << "   failed points " << c.badPoints << "\n";
    }
    const std::string best = comparison.ranking.front().name;
    out << "\nBest candidate: " << best << " (smoothed)\n"
        << "     r/R   chord/D   camber      t/c   twist (deg)\n";
    for (const Propeller_geom& s : ReadPlotZone(work + "_Project.pld", best + " - fitted"))
        out << std::setprecision(4) << std::setw(8) << s.radius << std::setw(10)
            << s.chordRatio << std::setw(9) << s.camber << std::setw(9) << s.thicknessRatio
            << std::setw(11) << std::setprecision(2) << s.twist << "\n";

    const std::vector<ResultRow> rows = ReadResultRows(basePath + ".des.html");
    out << "\nBest candidate at the design points:\n"
        << " point      J   blade angle      CP       CT    efficiency   ideal\n";
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const ResultRow& r = rows[k];
        out << std::setw(6) << k + 1 << std::setprecision(3) << std::setw(7) << r.p.J
            << std::setw(11) << std::setprecision(2) << r.p.BETA << std::setw(12)
            << std::setprecision(4) << r.p.CP << std::setw(9) << r.p.CT << std::setw(11)
            << r.efficiency;
        if (k < comparison.idealEfficiencies.size())
            out << std::setw(10) << std::setprecision(3) << comparison.idealEfficiencies[k];
        out << "\n";
    }
    out.unsetf(std::ios::floatfield);
    out << "\nResult files:\n"
        << "  design result page       " << basePath << ".des.html\n"
        << "  geometry comparison      " << work << "_Project.pld\n"
        << "  performance comparison   " << work << "_Project.pr1\n"
        << "  engine decks and outputs " << work << "\n";
    return true;
}

void PrintMapSummary(std::ostream& out, const std::string& mapPath) {
    const std::vector<ResultRow> rows = ReadResultRows(mapPath);
    std::set<long> advanceRatios;
    for (const ResultRow& r : rows) advanceRatios.insert(std::lround(r.p.J * 1000.0f));
    out << "Map of " << rows.size() << " points";
    if (!advanceRatios.empty() && rows.size() % advanceRatios.size() == 0)
        out << " (" << advanceRatios.size() << " advance ratios x "
            << rows.size() / advanceRatios.size() << " loads)";
    out << "\n  map result page " << mapPath << "\n";
}
