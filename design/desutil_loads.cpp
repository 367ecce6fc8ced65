// The builders' checks of the operating-point tables and of the performance
// maps: each row becomes an Operating_Point in engine units, with its load
// as a thrust or power coefficient or a blade angle.
#include <cmath>
#include <functional>
#include <string>

#include "design/cell_number.h"
#include "design/desutil.h"
#include "design/except.h"
#include "design/operation_trace.h"
#include "design/units.h"

namespace {

constexpr const char* kSource = "../../design/desutil";
constexpr const char* kInvalidTitle = "Invalid project data";

// Positions in the unit selections handed to Get_Loads. The standard
// atmosphere rows use ComboIndex 0-4 (a map its BasicUnits); the rows with
// given gas properties use ComboIndex 5-10, of which 5 speed, 6 load,
// 9 speed of sound and 10 RPM are read (density and kinematic viscosity
// are taken as given).
enum StdUnit { STD_SPEED = 0, STD_LOAD = 1, STD_TEMPERATURE = 2, STD_ALTITUDE = 3, STD_RPM = 4 };
enum GasUnit { GAS_SPEED = 0, GAS_LOAD = 1, GAS_SOUND_SPEED = 4, GAS_RPM = 5 };
constexpr int kGasUnitsFirst = 5;

void Notice(int handle, const std::string& message, int line) {
    MessageBoxFyi(handle, message.c_str(), kInvalidTitle, 0, kSource, line);
}

// The unit of the rotational-speed field, or false (with the unknown-unit
// notice) for an index outside RPMUnits_List.
bool RpmUnit(int index, int* unit) {
    Units_Select u;
    if (!UnitAt(RPMUnits_List, ListSize(RPMUnits_List), index, &u)) {
        MessageBoxFyi(getGlobalHandle(), "ERROR - Unknown conversion", nullptr, 0, kSource,
                      __LINE__);
        return false;
    }
    *unit = u;
    return true;
}

int SpeedUnit(int index) {
    Units_Select u;
    return UnitAt(SpeedUnits_List, ListSize(SpeedUnits_List), index, &u) ? u : -1;
}

// Reads cells [0, n) of a table row as numbers; false after a notice.
template <typename Row>
bool ReadRow(const Row& row, int n, const char* const* names, const std::string& where,
             int handle, float* values) {
    for (int c = 0; c < n; ++c)
        if (!ReadCellFloat(row.cell[c].c_str(), where + ": " + names[c], handle, &values[c]))
            return false;
    return true;
}

// How notices name `row`: its number when it lies in `table`, else the
// map whose record it was made from.
template <typename Row>
std::string RowName(const Row& row, const Row (&table)[kTableRows], const char* tableName) {
    const std::less<const Row*> before;
    if (!before(&row, table) && before(&row, table + kTableRows))
        return std::string(tableName) + " " + std::to_string(&row - table + 1);
    return "Map";
}

bool IsPositiveFinite(float v) { return std::isfinite(v) && v > 0; }

// Counts the rows of a point table (first cell non-empty, at most
// kTableRows); -1 when a counted row has an empty cell.
template <typename Row, int Cells>
int CountRows(const Row (&table)[kTableRows]) {
    int rows = 0;
    while (rows < kTableRows && !table[rows].cell[0].empty()) ++rows;
    for (int i = 0; i < rows; ++i)
        for (int c = 1; c < Cells; ++c)
            if (table[i].cell[c].empty()) return -1;
    return rows;
}

// The load kind of the working load and its coefficient (Ct for a thrust,
// Cp for a power, the angle itself for a blade angle), kept in the builder.
void ClassifyLoad(BuildPerformanceFile& b, const TEnumPair* loadList, int loadListSize,
                  int index) {
    Units_Select loadUnit = UNIT_BETA_75;
    UnitAt(loadList, loadListSize, index, &loadUnit);
    b.lastLoadKind = LoadKindOf(loadUnit);
    const float D = b.geomConstraints.diameter;
    if (b.lastLoadKind == 2)
        b.lastCoefficient = b.Cp(b.workLoad, b.workDensity, b.revPerSec, D, loadUnit);
    else if (b.lastLoadKind == 1)
        b.lastCoefficient = b.Ct(b.workLoad, b.workDensity, b.revPerSec, D, loadUnit);
    else
        b.lastCoefficient = b.workLoad;
}

void RefuseAdvanceRatio(int handle, int line) {
    MessageBoxModal(handle,
                    "Unrealistic advance ratio(s) were specified! \n Check your units, "
                    "diameter, velocity and RPM.",
                    "Possible Velocity or RPM Error", 0, kSource, line);
}

// Fills `point` from the builder's working values of the last row.
void StorePoint(const BuildPerformanceFile& b, Operating_Point* point, float advanceRatio,
                float speed, MapType map) {
    point->advanceRatio = advanceRatio;
    point->rpm = b.workRPM;
    // A static point (no forward speed) is written like a constant-RPM point,
    // as minus the rotational speed: the analysis then runs it at its lowest
    // advance ratio at the given RPM, where a forward speed of 0 would leave
    // the rotational speed unknown.
    point->speed = map == FIXED_SPEED_MAP && speed != 0.0f ? speed : -b.revPerSec;
    point->temperature = b.workTemperature;
    point->kinematicViscosity = b.workViscosity;
    point->altitude = b.workAltitude;
    point->density = b.workDensity;
    point->soundSpeed = b.workSoundSpeed;
    point->loadKind = b.lastLoadKind;
    point->loadValue = b.lastCoefficient;
    point->atmosphere = b.geometry.atmosphere;
}

}  // namespace

// ---- standard atmosphere ------------------------------------------------------

int BuildPerformanceFile::Get_Loads(const TEnumPair* loadList, const int& loadListSize,
                                    const int32_t* units, const Loads_Record_stdAtmos& row,
                                    Operating_Point* point, const MapType& map) {
    static const char* const kNames[5] = {"first kinematic value", "second kinematic value",
                                          "altitude", "temperature", "load"};
    const std::string where = RowName(row, Loads_Buffer_stdAtmos, "Operating point");
    float cell[5];
    if (!ReadRow(row, 5, kNames, where, windowHandle, cell)) return 0;

    const float altitudeFactor = get_SI_ConversionFactor(0, AltUnits_List,
                                                         ListSize(AltUnits_List),
                                                         units[STD_ALTITUDE]);
    speedFactor = get_SI_ConversionFactor(0, SpeedUnits_List, ListSize(SpeedUnits_List),
                                          units[STD_SPEED]);
    int rpmUnit = 0;
    if (!RpmUnit(units[STD_RPM], &rpmUnit)) return 0;
    const int speedUnit = SpeedUnit(units[STD_SPEED]);
    float rpm = map == FIXED_SPEED_MAP ? cell[1] : cell[0];
    float speed = map == FIXED_SPEED_MAP ? cell[0] : cell[1];
    Get_Kinematic_Parameters(speedFactor, rpmUnit, speedUnit, rpm, speed);
    workRPM = rpm;

    workAltitude = cell[2] * altitudeFactor;
    loadFactor = get_SI_ConversionFactor(workRPM, loadList, loadListSize, units[STD_LOAD]);
    bool temperatureKnown = true;
    workTemperature = TemperatureToKelvin(workAltitude, cell[3], TempUnits_List,
                                          ListSize(TempUnits_List), units[STD_TEMPERATURE],
                                          stdTemperature, &temperatureKnown);
    workLoad = cell[4] * loadFactor;
    revPerSec = workRPM / 60;
    compute_gasProperties_stdAtmos(workTemperature, stdTemperature, workAltitude, workViscosity,
                                   workDensity, workSoundSpeed);

    // Every unit must have been convertible: a stand-in factor would
    // otherwise pass into the deck as if it were data.
    if (altitudeFactor == kUnknownConversion || speedFactor == kUnknownConversion ||
        loadFactor == kUnknownConversion || !temperatureKnown)
        return 0;

    ClassifyLoad(*this, loadList, loadListSize, units[STD_LOAD]);

    const float J = speed * 60 / (workRPM * geomConstraints.diameter);
    if (!(J >= 0) || J > maxAdvanceRatio) {  // also refuses a J that is not a number
        RefuseAdvanceRatio(windowHandle, __LINE__);
        return 0;
    }
    if (!(workTemperature > 0)) {
        Notice(windowHandle,
               where + ": temperature = " + std::to_string(workTemperature) +
                   " K must be above absolute zero",
               __LINE__);
        return 0;
    }
    if (!IsPositiveFinite(workDensity) || !IsPositiveFinite(workViscosity) ||
        !IsPositiveFinite(workSoundSpeed) || !std::isfinite(lastCoefficient)) {
        Notice(windowHandle,
               where + ": altitude = " + std::to_string(workAltitude) +
                   " m lies outside the standard atmosphere",
               __LINE__);
        return 0;
    }

    StorePoint(*this, point, J, speed, map);
    return 1;
}

// ---- given gas properties -----------------------------------------------------

int BuildPerformanceFile::Get_Loads(const TEnumPair* loadList, const int& loadListSize,
                                    const int32_t* units, const Loads_Record_notStdAtmos& row,
                                    Operating_Point* point, const MapType& map) {
    static const char* const kNames[6] = {"first kinematic value", "second kinematic value",
                                          "density", "kinematic viscosity", "speed of sound",
                                          "load"};
    const std::string where =
        RowName(row, Loads_Buffer_notStdAtmos, "Operating point (given gas)");
    float cell[6];
    if (!ReadRow(row, 6, kNames, where, windowHandle, cell)) return 0;

    speedFactor = get_SI_ConversionFactor(0, SpeedUnits_List, ListSize(SpeedUnits_List),
                                          units[GAS_SPEED]);
    int rpmUnit = 0;
    if (!RpmUnit(units[GAS_RPM], &rpmUnit)) return 0;
    const int speedUnit = SpeedUnit(units[GAS_SPEED]);
    float rpm = map == FIXED_SPEED_MAP ? cell[1] : cell[0];
    float speed = map == FIXED_SPEED_MAP ? cell[0] : cell[1];
    Get_Kinematic_Parameters(speedFactor, rpmUnit, speedUnit, rpm, speed);
    workRPM = rpm;

    workDensity = cell[2];
    workViscosity = cell[3];
    const float soundFactor = get_SI_ConversionFactor(
        0, SpeedUnits_List, ListSize(SpeedUnits_List), units[GAS_SOUND_SPEED]);
    workSoundSpeed = cell[4] * soundFactor;
    workTemperature = 0;
    workAltitude = 0;
    loadFactor = get_SI_ConversionFactor(workRPM, loadList, loadListSize, units[GAS_LOAD]);
    workLoad = cell[5] * loadFactor;
    revPerSec = workRPM / 60;

    if (speedFactor == kUnknownConversion || soundFactor == kUnknownConversion ||
        loadFactor == kUnknownConversion)
        return 0;
    const struct {
        const char* name;
        float value;
    } gas[] = {{"density", workDensity},
               {"kinematic viscosity", workViscosity},
               {"speed of sound", workSoundSpeed}};
    for (const auto& g : gas) {
        if (!IsPositiveFinite(g.value)) {
            Notice(windowHandle,
                   where + ": " + g.name + " = " + std::to_string(g.value) +
                       " must be above 0",
                   __LINE__);
            return 0;
        }
    }

    ClassifyLoad(*this, loadList, loadListSize, units[GAS_LOAD]);

    const float J = speed * 60 / (workRPM * geomConstraints.diameter);
    if (!(J >= 0) || J > maxAdvanceRatio || !std::isfinite(lastCoefficient)) {
        RefuseAdvanceRatio(windowHandle, __LINE__);
        return 0;
    }

    StorePoint(*this, point, J, speed, map);
    return 1;
}

// ---- the point tables ---------------------------------------------------------

namespace {

// Converts the rows of one point table into `points`; the number of points
// kept. A point of weight 0 or below is refused (it would divide the
// ranking of design candidates by zero) and not counted.
template <typename Row, int Cells, typename Convert>
int ConvertTable(const Row (&table)[kTableRows], Operating_Point* points, Options* options,
                 int handle, const char* tableName, Convert convert) {
    const int rows = CountRows<Row, Cells>(table);
    if (rows <= 0 || points == nullptr) return 0;
    int kept = 0;
    for (int i = 0; i < rows; ++i) {
        Operating_Point point;
        if (!convert(table[i], &point)) return 0;
        int weight = 0;
        const std::string where = std::string(tableName) + " " + std::to_string(i + 1);
        if (!ReadCellInt(table[i].cell[Cells - 1].c_str(), where + ": weight", handle, &weight))
            return 0;
        if (weight <= 0) {
            const std::string message = where + ": weight = " + std::to_string(weight) +
                                        " must be 1 or more; the point is left out";
            MessageBoxFyi(handle, message.c_str(), kInvalidTitle, 0, kSource, __LINE__);
            continue;
        }
        point.weight = weight;
        points[kept] = point;
        options[kept] = Options{1, 0.1f, 1, 0.1f, 1};
        ++kept;
    }
    return kept;
}

}  // namespace

int BuildPerformanceFile::Loads_stdAtmos(Operating_Point* points) {
    SKARVEL_TRACE_OPERATION("BuildPerformanceFile::Loads_stdAtmos", kSource);
    nPoints_stdAtmos = ConvertTable<Loads_Record_stdAtmos, 6>(
        Loads_Buffer_stdAtmos, points, PointOptions, windowHandle, "Operating point",
        [this](const Loads_Record_stdAtmos& row, Operating_Point* point) {
            const MapType speedFirst = FIXED_SPEED_MAP;
            return Get_Loads(LoadUnits_List, ListSize(LoadUnits_List), ComboIndex, row, point,
                             speedFirst) != 0;
        });
    return nPoints_stdAtmos;
}

int BuildPerformanceFile::Loads_notStdAtmos(Operating_Point* points) {
    SKARVEL_TRACE_OPERATION("BuildPerformanceFile::Loads_notStdAtmos", kSource);
    nPoints_notStdAtmos = ConvertTable<Loads_Record_notStdAtmos, 7>(
        Loads_Buffer_notStdAtmos, points, PointOptions, windowHandle,
        "Operating point (given gas)",
        [this](const Loads_Record_notStdAtmos& row, Operating_Point* point) {
            const MapType speedFirst = FIXED_SPEED_MAP;
            return Get_Loads(LoadUnits_List, ListSize(LoadUnits_List),
                             ComboIndex + kGasUnitsFirst, row, point, speedFirst) != 0;
        });
    return nPoints_notStdAtmos;
}

// ---- maps ---------------------------------------------------------------------

int BuildPerformanceFile::Map(const MapType& map) {
    SKARVEL_TRACE_OPERATION("BuildPerformanceFile::Map", kSource);
    if (map != FIXED_RPM_MAP && map != FIXED_SPEED_MAP) return 0;
    const Map_Record& record = Map_Buffer_stdAtmos[map];
    const int32_t* units = BasicUnits[map];

    // The first five cells as a point row, with a unit load: the point's
    // load value is then the coefficient of a unit load.
    Loads_Record_stdAtmos row;
    for (int c = 0; c < 4; ++c) row.cell[c] = record.cell[c];
    row.cell[4].assign("1.0");
    Operating_Point& point = MapPoint[map];
    if (!Get_Loads(MapLoadUnits_List, ListSize(MapLoadUnits_List), units, row, &point, map))
        return 0;
    const float unitCoefficient = point.loadValue;

    static const char* const kNames[9] = {
        "constant kinematic value", "start of the varied kinematic value", "altitude",
        "temperature", "load start", "end of the varied kinematic value",
        "number of advance ratios", "load end", "number of loads"};
    const std::string where = map == FIXED_RPM_MAP ? "Constant RPM map" : "Constant speed map";
    float loadStart = 0, end = 0, loadEnd = 0;
    int advanceCount = 0, loadCount = 0;
    if (!ReadCellFloat(record.cell[4].c_str(), where + ": " + kNames[4], windowHandle,
                       &loadStart) ||
        !ReadCellFloat(record.cell[5].c_str(), where + ": " + kNames[5], windowHandle, &end) ||
        !ReadCellInt(record.cell[6].c_str(), where + ": " + kNames[6], windowHandle,
                     &advanceCount) ||
        !ReadCellFloat(record.cell[7].c_str(), where + ": " + kNames[7], windowHandle,
                       &loadEnd) ||
        !ReadCellInt(record.cell[8].c_str(), where + ": " + kNames[8], windowHandle, &loadCount))
        return 0;
    float constant = 0;
    ParseCellFloat(record.cell[0].c_str(), &constant);  // read by Get_Loads above

    Options& options = MapOptions[map];
    options = Options{};
    options.reportMode = record.mapSetting;
    options.advanceRatioCount = advanceCount;
    options.loadCount = loadCount;

    // The advance ratio at the end of the varied kinematic value.
    float rpm = map == FIXED_RPM_MAP ? constant : end;
    float speed = map == FIXED_RPM_MAP ? end : constant;
    int rpmUnit = 0;
    if (!RpmUnit(units[STD_RPM], &rpmUnit)) return 0;
    Get_Kinematic_Parameters(speedFactor, rpmUnit, SpeedUnit(units[STD_SPEED]), rpm, speed);
    const float endAdvanceRatio = speed * 60 / (geomConstraints.diameter * rpm);
    if (!std::isfinite(endAdvanceRatio)) {
        RefuseAdvanceRatio(windowHandle, __LINE__);
        return 0;
    }

    if (advanceCount > 1)
        options.advanceRatioStep = (endAdvanceRatio - point.advanceRatio) / (advanceCount - 1);
    if (loadCount > 1)
        options.loadStep = (loadEnd - loadStart) * unitCoefficient / (loadCount - 1);
    point.loadValue = loadStart * unitCoefficient;
    return 1;
}
