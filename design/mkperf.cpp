#include "design/mkperf.h"

#include "design/deck_title.h"
#include "design/except.h"

namespace {

constexpr const char* kSource = "../../design/mkperf";
// Most stations of a geometry or an inflow table (30 rows and a tip).
constexpr int kMaxDeckStations = 32;

const char* LoadWord(int loadKind) {
    switch (loadKind) {
    case 1: return "THRUST";
    case 2: return "POWER";
    case 3: return "ANGLE";
    default: return nullptr;
    }
}

}  // namespace

CreatePerformanceFile::CreatePerformanceFile(const std::string& path, int nStations, int ngauss,
                                             int num, int nPoints)
    : nStations_(nStations), ngauss_(ngauss), num_(num), nPoints_(nPoints) {
    file.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!file.is_open())
        MessageBoxFyi(getGlobalHandle(), "E R R O R  opening file", path.c_str(), 0, kSource,
                      __LINE__);
}

CreatePerformanceFile::~CreatePerformanceFile() { close_file(); }

void CreatePerformanceFile::close_file() {
    if (file.is_open()) file.close();
}

std::pair<float, float> CreatePerformanceFile::get_reference_angle(const Propeller_geom* geometry,
                                                                   int nGeom) const {
    if (geometry == nullptr || nGeom > kMaxDeckStations) throw 1;
    for (int j = 0; j + 1 < nGeom; ++j) {
        const Propeller_geom& a = geometry[j];
        const Propeller_geom& b = geometry[j + 1];
        if (a.radius < 0.75f && 0.75f <= b.radius) {
            const float twist = a.twist + (b.twist - a.twist) / (b.radius - a.radius) *
                                              (0.75f - a.radius);
            return {0.75f, twist};
        }
    }
    throw 1;
}

void CreatePerformanceFile::write_to_file(const Operating_Point* points,
                                          const Geometric_Constraints& constraints,
                                          const Inflow_Velocity* inflow, const Options* options,
                                          const Propeller_geom* geometry, int nGeom) {
    // Everything is checked before the first byte, so that a refused deck
    // is left empty rather than half written.
    if (points == nullptr || options == nullptr || nPoints_ < 1 ||
        nPoints_ > kMaxOperatingPoints || nGeom < 2 || nGeom > kMaxDeckStations)
        throw 1;
    const bool nonUniform = constraints.inflowKind == 1;
    if (nonUniform && (inflow == nullptr || nStations_ < 1 || nStations_ > kMaxDeckStations))
        throw 1;
    for (int k = 0; k < nPoints_; ++k) {
        if (options[k].reportMode != 0 && options[k].reportMode != 1) throw 1;
        if (LoadWord(points[k].loadKind) == nullptr) throw 1;
    }
    const std::pair<float, float> reference = get_reference_angle(geometry, nGeom);
    if (!file.is_open()) return;

    std::ostream& out = file;
    out << "4" << '\t' << num_ << '\t' << constraints.bladeCount << '\t' << ngauss_ << '\t'
        << points[0].advanceRatio << '\t' << constraints.hubRatio << "\t\n";
    out << constraints.activityFactor << "\t\n";
    if (constraints.inflowKind == 0) {
        out << "UNIFORM\n";
    } else if (nonUniform) {
        out << "NONUNIFORM\n";
        const Inflow_Velocity& first = inflow[0];
        const Inflow_Velocity& last = inflow[nStations_ - 1];
        if (first.radius != constraints.hubRatio)
            out << constraints.hubRatio << '\t' << first.axial << '\t' << first.tangential
                << "\t\n";
        for (int i = 0; i < nStations_; ++i)
            out << inflow[i].radius << '\t' << inflow[i].axial << '\t' << inflow[i].tangential
                << "\t\n";
        if (last.radius != 1.0f)
            out << 1.0f << '\t' << last.axial << '\t' << last.tangential << "\t\n";
        out << "999.999\t0.0\t0.0\n";
    }
    out << DeckTitle(constraints.title) << '\n';
    out << nGeom << '\n';
    out << reference.first << '\t' << reference.second << '\n';
    for (int j = 0; j < nGeom; ++j) {
        const Propeller_geom& s = geometry[j];
        out << s.radius << '\t' << s.chordRatio << '\t' << s.camber << '\t' << s.thicknessRatio
            << '\t' << s.twist << "\t\n";
    }
    for (int k = 0; k < nPoints_; ++k) {
        const Operating_Point& p = points[k];
        const Options& o = options[k];
        out << (o.reportMode == 0 ? "REDUCED" : "FULL") << '\n';
        out << "K\n";
        out << "SI\n";
        out << "DIMENSIONLESS\n";
        out << LoadWord(p.loadKind) << '\n';
        out << p.speed << '\t' << constraints.diameter << '\t' << p.temperature << '\t'
            << p.altitude << '\t' << p.density << '\t' << p.soundSpeed << '\t'
            << p.kinematicViscosity << "\t\n";
        out << p.advanceRatio << '\t' << o.advanceRatioStep << '\t' << o.advanceRatioCount
            << "\t\n";
        out << p.loadValue << '\t' << o.loadStep << '\t' << o.loadCount << "\t\n";
        out << (k + 1 < nPoints_ ? "88888" : "99999") << '\n';
    }
    out << "888.888\n";
    out.flush();
}
