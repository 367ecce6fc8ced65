// The design builder's checks: the basic data, and the radial design table
// that becomes the loading, inflow and lift-coefficient arrays of the
// design deck, completed from the default distributions where the user
// gave none.
#include <cmath>
#include <string>

#include "compute/interpolate.h"
#include "design/cell_number.h"
#include "design/desutil.h"
#include "design/operation_trace.h"
#include "design/units.h"

namespace {

// The activity factor at which the default thickness distribution holds.
constexpr float kReferenceActivityFactor = 138;

// One row of the radial table in working form.
struct RadialRow {
    float radius;
    float thickness;  // thickness over diameter, scaled to activity factor 138
    float axial;
    float tangential;
    float loading;
    float lift;
};

}  // namespace

int BuildDesignFile::Preliminary(const int& resolutionIn) {
    SKARVEL_TRACE_OPERATION("BuildDesignFile::Preliminary", "../../design/desutil");
    return InitSkarvel::Preliminary(resolutionIn);
}

int BuildDesignFile::Loads_stdAtmos(Operating_Point* points) {
    SKARVEL_TRACE_OPERATION("BuildDesignFile::Loads_stdAtmos", "../../design/desutil");
    return BuildPerformanceFile::Loads_stdAtmos(points);
}

int BuildDesignFile::Detailed() {
    SKARVEL_TRACE_OPERATION("BuildDesignFile::Detailed", "../../design/desutil");
    Geometric_Constraints& g = geomConstraints;
    const bool hasTable = !Detailed_Design_Buffer[DETAILED_RADIUS][0].empty();
    if (hasTable) {
        float hub = 0;
        if (!ReadCellFloat(Detailed_Design_Buffer[DETAILED_RADIUS][0].c_str(),
                           "Detailed design row 1: radius", windowHandle, &hub))
            return 0;
        g.hubRatio = hub;
    }

    // The default distributions rescaled from their hub (0.2) to the project's.
    const float hub = g.hubRatio;
    const float r0 = Default[0].radius;
    const float scale = (1 - hub) / (1 - r0);
    for (int i = 0; i < kDefaultRecords; ++i) {
        DefaultCopy[i] = Default[i];
        DefaultCopy[i].radius = hub + scale * (Default[i].radius - r0);
    }
    // The tip maps to the tip; rounding must not move it off 1, which the
    // deck writer requires exactly.
    DefaultCopy[kDefaultRecords - 1].radius = 1.0f;
    nDefault = kDefaultRecords;

    const float afScale = g.activityFactor / kReferenceActivityFactor;
    RadialRow rows[kMaxStations];
    int count = 0;
    if (!hasTable) {
        useOptimumLoading = 1;
        for (int i = 0; i < kDefaultRecords; ++i) {
            const DetailedStruct& d = DefaultCopy[i];
            rows[i] = RadialRow{d.radius,  d.data[THICKNESS_COLUMN - 1],
                                d.data[AXIAL_INFLOW_COLUMN - 1],
                                d.data[TANGENTIAL_INFLOW_COLUMN - 1],
                                d.data[LOADING_COLUMN - 1], d.data[LIFT_COEFFICIENT_COLUMN - 1]};
        }
        count = kDefaultRecords;
    } else {
        useOptimumLoading = 0;
        while (count < kTableRows && !Detailed_Design_Buffer[DETAILED_RADIUS][count].empty()) {
            for (int c = 1; c < DETAILED_COLUMNS; ++c)
                if (Detailed_Design_Buffer[c][count].empty()) return 0;
            static const char* const kNames[DETAILED_COLUMNS] = {
                "radius", "thickness/D", "axial inflow velocity", "loading",
                "design lift coefficient"};
            float v[DETAILED_COLUMNS];
            for (int c = 0; c < DETAILED_COLUMNS; ++c) {
                const std::string field =
                    "Detailed design row " + std::to_string(count + 1) + ": " + kNames[c];
                if (!ReadCellFloat(Detailed_Design_Buffer[c][count].c_str(), field, windowHandle,
                                   &v[c]))
                    return 0;
            }
            rows[count] = RadialRow{v[DETAILED_RADIUS], v[DETAILED_THICKNESS] / afScale,
                                    v[DETAILED_AXIAL],  0,
                                    v[DETAILED_LOADING], v[DETAILED_LIFT]};
            ++count;
        }
        if (count > 1 && rows[count - 1].radius != 1.0f) {
            const RadialRow& last = rows[count - 1];
            rows[count] = RadialRow{1.0f, 0.8f * last.thickness, last.axial, 0, 0, last.lift};
            ++count;
        }
    }
    nStations = count;

    for (int i = 0; i < count; ++i) {
        const RadialRow& r = rows[i];
        LoadingProfile[i] = Loading_Profile{r.radius, r.loading};
        InflowVelocity[i] = Inflow_Velocity{r.radius, r.axial, r.tangential};
        LiftCoefficient[i] =
            Lift_Coefficient{r.radius, afScale * r.thickness * g.diameter, r.lift};
    }
    // Columns left all zero take the default distributions; the thickness
    // is checked after that, so that an all-zero thickness column means
    // "use the default" while a single zero or negative thickness is refused.
    if (hasTable) SelectDefaults();
    if (count == 0) return 0;
    for (int i = 0; i < count; ++i)
        if (!(LiftCoefficient[i].radius > 0) || !(LiftCoefficient[i].thickness > 0)) return 0;

    g.inflowKind = 0;
    for (int i = 0; i < count; ++i)
        if (InflowVelocity[i].axial != 0) g.inflowKind = 1;

    g.ngauss = get_NGAUSS(hub, LoadingProfile, nStations);
    g.num = get_NUM(hub, LoadingProfile, resolution, nStations);
    return g.num >= 1 && g.ngauss >= 1 ? 1 : 0;
}

void BuildDesignFile::SelectDefaults() {
    const int n = nStations;
    if (n < 1 || n > kMaxStations) return;
    float radii[kMaxStations];
    float values[kMaxStations];
    int targetCount = n;
    int records = nDefault;

    // Whether the column given by the member pointer `valueOf` is all zero.
    auto allZero = [&](auto* rows, auto valueOf) {
        float sum = 0;
        for (int i = 0; i < n; ++i) sum += std::fabs(rows[i].*valueOf);
        return sum == 0;
    };
    // Fills an all-zero column with default column `column` (times
    // `factor`) interpolated at the rows' radii; the column is left
    // unchanged when the radii reach beyond the default table.
    auto fill = [&](auto* rows, auto radiusOf, auto valueOf, DetailedStructSelector column,
                    float factor) {
        if (!allZero(rows, valueOf)) return;
        for (int i = 0; i < n; ++i) radii[i] = rows[i].*radiusOf;
        if (line_2(DefaultCopy, column, radii, values, &targetCount, &records) != 0) return;
        for (int i = 0; i < n; ++i) rows[i].*valueOf = values[i] * factor;
    };

    if (allZero(LoadingProfile, &Loading_Profile::loading)) useOptimumLoading = 1;
    fill(LoadingProfile, &Loading_Profile::radius, &Loading_Profile::loading, LOADING_COLUMN,
         1.0f);
    fill(InflowVelocity, &Inflow_Velocity::radius, &Inflow_Velocity::tangential,
         TANGENTIAL_INFLOW_COLUMN, 1.0f);
    fill(InflowVelocity, &Inflow_Velocity::radius, &Inflow_Velocity::axial, AXIAL_INFLOW_COLUMN,
         1.0f);
    // The default thickness is thickness over diameter at activity factor
    // 138; the array holds metres at the project's activity factor.
    const float toMetres =
        geomConstraints.activityFactor / kReferenceActivityFactor * geomConstraints.diameter;
    fill(LiftCoefficient, &Lift_Coefficient::radius, &Lift_Coefficient::thickness,
         THICKNESS_COLUMN, toMetres);
    fill(LiftCoefficient, &Lift_Coefficient::radius, &Lift_Coefficient::liftCoefficient,
         LIFT_COEFFICIENT_COLUMN, 1.0f);
}
