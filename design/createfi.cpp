#include "design/createfi.h"

#include <cmath>
#include <fstream>
#include <string>

#include "design/deck_title.h"
#include "design/except.h"
#include "design/getperf.h"

namespace {

constexpr const char* kSource = "../../design/createfi";
// Most radial stations a design deck carries (a table of 30 rows and its tip).
constexpr int kMaxDeckStations = 32;
// Most lifting-line intervals the engine accepts.
constexpr int kMaxDeckNum = 12;

[[noreturn]] void Refuse(const std::string& message, const char* title, int line) {
    MessageBoxFyi(getGlobalHandle(), message.c_str(), title, 0, kSource, line);
    throw DeckWriterError();
}

template <typename Row>
bool SpansHubToTip(const std::vector<Row>& rows, float hub) {
    return rows.front().radius == hub && rows.back().radius == 1.0f;
}

}  // namespace

CreateBladesFile::CreateBladesFile(const Operating_Point* points,
                                   const Geometric_Constraints& constraints,
                                   const Loading_Profile* loading, const Inflow_Velocity* inflow,
                                   const Lift_Coefficient* lift, int nStations, int nPoints,
                                   const std::string& designDeckPath,
                                   const std::string& optimumDeckPath,
                                   const std::string& optimumOutputPath, int useOptimumLoading)
    : constraints_(constraints),
      nStations_(nStations),
      nPoints_(nPoints),
      designDeckPath_(designDeckPath),
      optimumDeckPath_(optimumDeckPath),
      optimumOutputPath_(optimumOutputPath),
      useOptimumLoading_(useOptimumLoading) {
    if (nPoints < 1 || nPoints > kMaxOperatingPoints || points == nullptr)
        Refuse("Design deck: operating point count " + std::to_string(nPoints) +
                   " must lie between 1 and " + std::to_string(kMaxOperatingPoints),
               nullptr, __LINE__);
    if (nStations < 2 || nStations > kMaxDeckStations || loading == nullptr ||
        inflow == nullptr || lift == nullptr)
        Refuse("Data must span hub to tip range", nullptr, __LINE__);
    points_.assign(points, points + nPoints);
    loading_.assign(loading, loading + nStations);
    inflow_.assign(inflow, inflow + nStations);
    lift_.assign(lift, lift + nStations);
    const float hub = constraints_.hubRatio;
    if (!SpansHubToTip(inflow_, hub) || !SpansHubToTip(lift_, hub) ||
        !SpansHubToTip(loading_, hub))
        Refuse("Data must span hub to tip range", nullptr, __LINE__);
    loads = loading_;
}

CreateBladesFile::~CreateBladesFile() = default;

int CreateBladesFile::WriteOpt() { return WriteDeck(optimumDeckPath_, false); }

int CreateBladesFile::WriteDesign() {
    loads = loading_;
    if (useOptimumLoading_ != 0) {
        loadScanner_ = std::make_unique<Scan>(optimumOutputPath_, Key{"TANBI", 1, 0});
        const int rows = ExtractLoads();
        loadScanner_.reset();
        if (rows == 0)
            Refuse("The optimum loading (table \"TANBI\" with " +
                       std::to_string(constraints_.num + 1) + " rows) was not found in '" +
                       optimumOutputPath_ + "'",
                   "Design deck not written", __LINE__);
    }
    return WriteDeck(designDeckPath_, true);
}

int CreateBladesFile::ExtractLoads() {
    const int rows = constraints_.num + 1;
    if (!loadScanner_ || constraints_.num < 1 || constraints_.num > kMaxDeckNum) return 0;
    if (loadScanner_->Search_For_KEY() != 0) return 0;
    std::vector<Loading_Profile> read;
    try {
        loadScanner_->Position_to_Object();
        // X G TANBI UA UT: radius and loading, the rest dropped.
        for (int i = 0; i < rows; ++i) {
            float column[5];
            for (float& c : column) {
                if (!loadScanner_->Get_Object()) return 0;
                c = loadScanner_->value;
            }
            read.push_back(Loading_Profile{column[0], column[1]});
        }
    } catch (const ScanPositionError&) {
        return 0;
    }
    loads = read;
    return rows;
}

int CreateBladesFile::WriteDeck(const std::string& path, bool designDeck) {
    std::ofstream out(path, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!out.is_open()) {
        MessageBoxFyi(getGlobalHandle(), "E R R O R  opening file", path.c_str(), 0, kSource,
                      __LINE__);
        return 0;
    }
    for (int i = 0; i < nPoints_; ++i) WriteCase(out, i, designDeck);
    out << "999.999\n";
    out.close();
    return out.fail() ? 0 : 1;
}

void CreateBladesFile::WriteCase(std::ostream& out, int i, bool designDeck) const {
    const Operating_Point& p = points_[static_cast<std::size_t>(i)];
    const Geometric_Constraints& g = constraints_;
    const int problemType = designDeck ? g.problemType : 2;

    out << problemType << '\t' << g.num << '\t' << g.bladeCount << '\t' << g.ngauss << '\t'
        << p.advanceRatio << '\t' << g.hubRatio << "\t\n";
    out << g.activityFactor << "\t\n";
    const float tolerance = std::fabs(p.loadValue * 0.01);
    out << p.loadKind << '\t' << p.loadValue << '\t' << tolerance << "\t\n";
    if (designDeck) {
        if (g.inflowKind == 0) {
            out << "UNIFORM\n";
        } else if (g.inflowKind == 1) {
            out << "NONUNIFORM\n";
            for (const Inflow_Velocity& v : inflow_)
                out << v.radius << '\t' << v.axial << '\t' << v.tangential << "\t\n";
            out << "999.999\t0.0\t0.0\n";
        }
    }
    out << "1\n";
    out << (designDeck ? "DRAG\t0.3\t0.0200\n" : "DRAG\t0.3\t0.0000\n");
    if (designDeck) {
        out << "0.0001\n";
        for (const Loading_Profile& l : loads) out << l.radius << '\t' << l.loading << "\t\n";
        out << "999.999  0.0\n";
    }
    out << DeckTitle(g.title) << '\n';
    out << "0\n";
    out << nStations_ - 2 << '\n';
    for (int j = 1; j <= nStations_ - 2; ++j) {
        const Lift_Coefficient& c = lift_[static_cast<std::size_t>(j)];
        const float cl = p.loadValue > 0 ? c.liftCoefficient : -std::fabs(c.liftCoefficient);
        out << c.radius << '\t' << c.thickness << '\t' << cl << "\t\n";
    }
    out << p.speed << '\t' << g.diameter << '\t' << "1.4" << '\t' << p.temperature << '\t'
        << p.kinematicViscosity << '\t' << p.density << '\t' << p.soundSpeed << "\t\n";
    out << "888.888\n";
}
