// The builders' checks of the basic design data and of the performance
// geometry table, which turn the project's text into engine units.
#include <string>

#include "design/cell_number.h"
#include "design/desutil.h"
#include "design/except.h"
#include "design/operation_trace.h"
#include "design/units.h"

namespace {

// A cell's number, or 0 when the cell holds none (which every rule below
// then refuses).
float NumberOr0(const ShortField& cell) {
    float v = 0;
    return ParseCellFloat(cell.c_str(), &v) ? v : 0.0f;
}

}  // namespace

int InitSkarvel::Preliminary(const int& resolutionIn) {
    SKARVEL_TRACE_OPERATION("InitSkarvel::Preliminary", "../../design/desutil");
    resolution = resolutionIn;
    const float diameterFactor =
        get_SI_ConversionFactor(0, DiameterUnits_List, ListSize(DiameterUnits_List),
                                ComboIndex[11]);
    const float thicknessFactor =
        get_SI_ConversionFactor(0, ThicknessUnits_List, ListSize(ThicknessUnits_List),
                                ComboIndex[12]);

    geomConstraints.diameter = NumberOr0(geometry.TipDiameter) * diameterFactor;
    geomConstraints.minThickness = NumberOr0(geometry.MinThickness) * thicknessFactor;
    geomConstraints.hubRatio = NumberOr0(geometry.hubDia);
    int blades = 0;
    geomConstraints.bladeCount = ParseCellInt(geometry.BladeNumber.c_str(), &blades) ? blades : 0;
    geomConstraints.title = geometry.title;
    geomConstraints.activityFactor = NumberOr0(geometry.ActivityFactor);

    // A unit that cannot be converted leaves no valid length.
    const bool unitsKnown =
        diameterFactor != kUnknownConversion && thicknessFactor != kUnknownConversion;
    const Geometric_Constraints& g = geomConstraints;
    if (unitsKnown && g.diameter > 0 && g.bladeCount > 1 && g.activityFactor > 0 &&
        g.minThickness > 0 && g.hubRatio > 0 && g.hubRatio < 0.5f)
        return 1;

    outstr << "WARNING: Problem with basic design data.\n";
    outstr << "geometry.TipDiameter = " << geometry.TipDiameter.c_str() << "\n";
    outstr << "geometry.BladeNumber = " << geometry.BladeNumber.c_str() << "\n";
    outstr << "geometry.ActivityFactor = " << geometry.ActivityFactor.c_str() << "\n";
    outstr << "geometry.MinThickness = " << geometry.MinThickness.c_str() << "\n";
    // The hub ratio is checked too (0 < hub < 0.5); name it as well.
    outstr << "geometry.hubDia = " << geometry.hubDia.c_str() << "\n";
    outstr.flush();
    return 0;
}

int BuildPerformanceFile::Preliminary(const int& resolutionIn) {
    SKARVEL_TRACE_OPERATION("BuildPerformanceFile::Preliminary", "../../design/desutil");
    const int result = InitSkarvel::Preliminary(resolutionIn);
    const TableCell& firstRadius = Propeller_Geom_Buffer[GEOMETRY_RADIUS][0];
    float hub = 0;
    if (!firstRadius.empty() && ParseCellFloat(firstRadius.c_str(), &hub)) {
        geomConstraints.hubRatio = hub;
        if (nGeometryStations > 0 && nGeometryStations <= kMaxStations) {
            geomConstraints.ngauss = get_NGAUSS(hub, GeometryStations, nGeometryStations);
            geomConstraints.num = get_NUM(hub, GeometryStations, resolution, nGeometryStations);
        }
    }
    return result;
}

int BuildPerformanceFile::Geometry() {
    SKARVEL_TRACE_OPERATION("BuildPerformanceFile::Geometry", "../../design/desutil");
    nGeometryStations = 0;
    int rows = 0;
    while (rows < kTableRows && !Propeller_Geom_Buffer[GEOMETRY_RADIUS][rows].empty()) ++rows;
    if (rows == 0) {
        geomConstraints.inflowKind = 0;
        return 0;
    }
    for (int i = 0; i < rows; ++i)
        for (int c = 1; c < GEOMETRY_COLUMNS; ++c)
            if (Propeller_Geom_Buffer[c][i].empty()) return 0;

    static const char* const kColumnNames[GEOMETRY_COLUMNS] = {
        "radius", "chord/D", "camber", "t/c", "twist", "axial inflow velocity"};
    for (int i = 0; i < rows; ++i) {
        float v[GEOMETRY_COLUMNS];
        for (int c = 0; c < GEOMETRY_COLUMNS; ++c) {
            const std::string field =
                "Geometry row " + std::to_string(i + 1) + ": " + kColumnNames[c];
            if (!ReadCellFloat(Propeller_Geom_Buffer[c][i].c_str(), field, windowHandle, &v[c]))
                return 0;
        }
        GeometryStations[i] = Propeller_geom{v[GEOMETRY_RADIUS], v[GEOMETRY_CHORD],
                                             v[GEOMETRY_CAMBER], v[GEOMETRY_THICKNESS],
                                             v[GEOMETRY_TWIST]};
        InflowVelocity[i] = Inflow_Velocity{v[GEOMETRY_RADIUS], v[GEOMETRY_AXIAL],
                                            tangentialInflow};
        if (!(v[GEOMETRY_CHORD] > 0) || !(v[GEOMETRY_THICKNESS] > 0)) return 0;
    }
    if (!(GeometryStations[0].radius > 0)) {
        const std::string message = "Geometry row 1: radius = " +
                                    Propeller_Geom_Buffer[GEOMETRY_RADIUS][0].str() +
                                    " must be above 0 (it is the hub ratio)";
        MessageBoxFyi(windowHandle, message.c_str(), "Invalid project data", 0,
                      "../../design/desutil", __LINE__);
        return 0;
    }

    int count = rows;
    const Propeller_geom last = GeometryStations[rows - 1];
    if (last.radius != 1.0f) {
        GeometryStations[count] = Propeller_geom{1.0f, 0.9f * last.chordRatio, last.camber,
                                                 last.thicknessRatio,
                                                 last.twist - 30 * (1 - last.radius)};
        InflowVelocity[count] = InflowVelocity[rows - 1];
        ++count;
    }

    const float hub = GeometryStations[0].radius;
    geomConstraints.hubRatio = hub;
    geomConstraints.ngauss = get_NGAUSS(hub, GeometryStations, count);
    geomConstraints.num = get_NUM(hub, GeometryStations, resolution, count);
    if (geomConstraints.ngauss == 0 || geomConstraints.num == 0) return 0;

    geomConstraints.inflowKind = 0;
    for (int i = 0; i < count; ++i)
        if (InflowVelocity[i].axial != 0) geomConstraints.inflowKind = 1;
    nGeometryStations = count;
    return count;
}
