// The job builders: the classes that own the project buffers (filled by the
// project reader), check and convert them into engine units, and run the
// design, performance and map jobs.
//
//   InitSkarvel            basic design data, unit conversion, working directory
//   BuildPerformanceFile   operating points, geometry, maps; performance jobs
//   BuildDesignFile        radial design table and radial arrays; design job
//
// Builders answer 1 (or a count) for success and 0 for a failure that has
// already been reported in the log; failures the host must see travel as the
// exception types of design/except.h.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "design/fixed_text.h"
#include "design/job_records.h"

struct TEnumPair;  // one entry of a unit selection list (design/units.h)

class CreatePerformanceFile;
class CreateBladesFile;
class RunBlades;
class ExtractGeometry;
class GetPerformance;

// ---- capacities ----------------------------------------------------------
constexpr int kShortFieldChars = 29;   // text of a short field of the project
constexpr int kTableCellChars = 30;    // text of one cell of a project table
constexpr int kMapCellChars = 29;      // text of one word of a map record
constexpr int kRecordChars = 254;      // text of one table or map record
constexpr int kPathChars = 255;        // project path, directory, working directory
constexpr int kTableRows = 30;         // data records of one project table
constexpr int kComboEntries = 13;      // unit selections of a builder
constexpr int kMapUnitEntries = 5;     // unit selections of one map
constexpr int kMapCount = 2;           // maps: FIXED_RPM_MAP, FIXED_SPEED_MAP
constexpr int kMaxStations = 32;       // radial stations incl. appended tip
constexpr int kDefaultRecords = 13;    // records of the default radial table

using ShortField = FixedText<kShortFieldChars>;
using TableCell = FixedText<kTableCellChars>;

// The basic design data of a project, as text (the builders convert it).
struct Primary_Data_Buffer {
    int32_t atmosphere = 0;     // 0 standard atmosphere, 1 user-given gas properties
    std::string title;          // problem title
    std::string name;
    std::string project;        // file name of the project, led by a blank
    std::string polarPath;      // polar database handed to the engine runner
    ShortField hubDia;          // hub-to-tip diameter ratio
    ShortField TipDiameter;     // unit: ComboIndex[11]
    ShortField MinThickness;    // unit: ComboIndex[12]
    ShortField ActivityFactor;
    ShortField BladeNumber;     // an integer
    int32_t resolution = 1;
};

// One standard-atmosphere operating point as text; cell[k-1] is field k:
// 1 speed, 2 RPM, 3 altitude, 4 temperature, 5 load, 6 weight.
struct Loads_Record_stdAtmos {
    TableCell cell[6];
};

// One operating point with user-given gas properties as text; cell[k-1] is
// field k: 1 speed, 2 RPM, 3 density, 4 kinematic viscosity, 5 speed of
// sound, 6 load, 7 weight.
struct Loads_Record_notStdAtmos {
    TableCell cell[7];
};

// One performance map as text; cell[k-1] is cell k: 1 the constant
// kinematic value, 2 start of the varied one, 3 altitude, 4 temperature,
// 5 load start, 6 end of the varied kinematic value, 7 number of advance
// ratios, 8 load end, 9 number of loads. Cells 1 to 5 are laid out as
// fields 1 to 5 of a Loads_Record_stdAtmos. Each cell holds at most
// kMapCellChars characters.
struct Map_Record {
    TableCell cell[9];
    int32_t mapSetting = 0;  // the map's report mode
};

// Columns of Detailed_Design_Buffer (first index).
enum DetailedColumn {
    DETAILED_RADIUS = 0,
    DETAILED_THICKNESS = 1,  // thickness over diameter
    DETAILED_AXIAL = 2,      // axial inflow velocity increment
    DETAILED_LOADING = 3,
    DETAILED_LIFT = 4,       // design lift coefficient
    DETAILED_COLUMNS = 5
};

// Columns of Propeller_Geom_Buffer (first index).
enum GeometryColumn {
    GEOMETRY_RADIUS = 0,
    GEOMETRY_CHORD = 1,      // chord / D
    GEOMETRY_CAMBER = 2,
    GEOMETRY_THICKNESS = 3,  // t / c
    GEOMETRY_TWIST = 4,      // degrees
    GEOMETRY_AXIAL = 5,      // axial inflow velocity
    GEOMETRY_COLUMNS = 6
};

// Whether `path` exists (`mode` is accepted for symmetry and not used).
bool checkDir(const char* path, int mode);
// Creates the directory `path` with the permission `mode`; 0 on success.
int createDir(const char* path, int mode);

// ---------------------------------------------------------------------------
// The common base: basic design data and the unit conversion.
class InitSkarvel {
public:
    InitSkarvel() = default;
    InitSkarvel(const InitSkarvel&) = delete;
    InitSkarvel& operator=(const InitSkarvel&) = delete;
    virtual ~InitSkarvel() = default;

    // Checks and converts the basic design data into `geomConstraints`;
    // 1 valid, 0 not (with a warning in the log).
    virtual int Preliminary(const int& resolution);

    // Factor turning a value in the unit at `index` of `list` (`listSize`
    // entries) into the engine's unit; `value` is the RPM for torque units.
    // An index outside the list is not convertible.
    float get_SI_ConversionFactor(const float& value, const TEnumPair* list,
                                  const int& listSize, const int& index);
    // Turns the raw rpm and speed of a point into RPM and m/s (in-out),
    // by the units chosen for them (Units_Select values); reads the tip
    // diameter in metres from `geomConstraints`.
    float Get_Kinematic_Parameters(const float& speedFactor, const int& rpmUnit,
                                   const int& speedUnit, float& rpm, float& speed);

    // The project's basic design data (named so because the log reports its
    // cells as "geometry.TipDiameter" and so on).
    Primary_Data_Buffer geometry;
    // Unit selections: 0-4 standard-atmosphere points (speed, load,
    // temperature, altitude, RPM), 5-10 user-gas points, 11 diameter,
    // 12 thickness.
    int32_t ComboIndex[kComboEntries] = {};
    int windowHandle = 0;
    Geometric_Constraints geomConstraints;
    int resolution = 1;

    // The project's working directory, "<project base name>_tmp/" beside
    // the project file, ending with "/"; set by Init (at most kPathChars).
    static std::string TempPathName;
};

// ---------------------------------------------------------------------------
// Performance at given points and performance maps of a given geometry.
class BuildPerformanceFile : public InitSkarvel {
public:
    BuildPerformanceFile() = default;
    ~BuildPerformanceFile() override = default;

    // Basic data plus the hub ratio and station counts from the geometry.
    int Preliminary(const int& resolution) override;
    // Runs a performance (choice 3) or map (choice 6) job; the result of
    // CalculatePoints, 0 for another choice.
    virtual int Generate(Dialog_Choice& choice, MapType map, const Operating_Point* points,
                         bool isStdAtmos);
    // Converts the standard-atmosphere / user-gas point tables into `points`
    // (kMaxOperatingPoints); the number converted, 0 for none or a failure.
    virtual int Loads_stdAtmos(Operating_Point* points);
    virtual int Loads_notStdAtmos(Operating_Point* points);
    // Fixes the working directory of the project at `projectPath`:
    // 0 success, 2 bad path, 7 working directory not creatable.
    virtual int Init(int handle, const char* projectPath);

    // Converts the geometry table; the number of stations (0 failure).
    int Geometry();
    // Converts map record `map` into its point and options; 1 or 0.
    int Map(const MapType& map);
    // Converts one table row (or, for the standard atmosphere, the first
    // five cells of a map record) into `point`; `units` are the unit
    // selections of the row (speed, load, temperature or gas, altitude,
    // RPM); `loadList` is LoadUnits_List or MapLoadUnits_List. 1 or 0.
    int Get_Loads(const TEnumPair* loadList, const int& loadListSize, const int32_t* units,
                  const Loads_Record_stdAtmos& row, Operating_Point* point, const MapType& map);
    int Get_Loads(const TEnumPair* loadList, const int& loadListSize, const int32_t* units,
                  const Loads_Record_notStdAtmos& row, Operating_Point* point,
                  const MapType& map);
    // Gauss points (5, 7, 9) that fit the stations, 0 if none does.
    int get_NGAUSS(const float& hub, const Propeller_geom* stations, const int& count);
    int get_NGAUSS(const float& hub, const Loading_Profile* stations, const int& count);
    // Lifting-line intervals (5 to 10) that fit the stations, capped by the
    // resolution; 0 on failure.
    int get_NUM(const float& hub, const Propeller_geom* stations, const int& resolution,
                const int& count);
    int get_NUM(const float& hub, const Loading_Profile* stations, const int& resolution,
                const int& count);
    // Writes the deck at `deckPath` and runs it into `resultPath`; 1 run
    // made, 0 refused.
    int CalculatePoints(int& count, const std::string& deckPath, const Operating_Point* points,
                        const Options* options, const std::string& resultPath, bool isStdAtmos);
    // The result file of the last job.
    std::string PopUpResult();

    // Static temperature (K) at altitude `altitude` (m) of a value in the
    // unit at `index` of `list`; writes the standard temperature there.
    // May raise ConstraintError.
    float Temp_to_Kelvin(const float& altitude, const float& temperature, const TEnumPair* list,
                         const int& listSize, const int& index, float& stdTemperature);
    // Standard-atmosphere gas properties at `altitude` with the static and
    // the standard temperature.
    float compute_gasProperties_stdAtmos(const float& temperature, const float& stdTemperature,
                                         const float& altitude, float& kinematicViscosity,
                                         float& density, float& soundSpeed);
    // Thrust / power coefficient of a load in the unit `loadUnit`
    // (Units_Select value); a load already given as coefficient passes.
    float Ct(const float& load, const float& density, const float& revPerSec,
             const float& diameter, const int& loadUnit);
    float Cp(const float& load, const float& density, const float& revPerSec,
             const float& diameter, const int& loadUnit);

    // ---- project buffers (filled by the project reader) -----------------
    Loads_Record_stdAtmos Loads_Buffer_stdAtmos[kTableRows];
    Loads_Record_notStdAtmos Loads_Buffer_notStdAtmos[kTableRows];
    // Propeller_Geom_Buffer[column][row], columns GeometryColumn.
    TableCell Propeller_Geom_Buffer[GEOMETRY_COLUMNS][kTableRows];
    Map_Record Map_Buffer_stdAtmos[kMapCount];   // index MapType
    int32_t BasicUnits[kMapCount][kMapUnitEntries] = {};  // speed, load, temperature, altitude, RPM

    // ---- converted job data (engine units) --------------------------------
    Operating_Point Points_stdAtmos[kMaxOperatingPoints];
    Operating_Point Points_notStdAtmos[kMaxOperatingPoints];
    Options PointOptions[kMaxOperatingPoints];
    Operating_Point MapPoint[kMapCount];
    Options MapOptions[kMapCount];
    Inflow_Velocity InflowVelocity[kMaxStations];
    Propeller_geom GeometryStations[kMaxStations];
    int nPoints_stdAtmos = 0;
    int nPoints_notStdAtmos = 0;
    int nGeometryStations = 0;

    // ---- constants ------------------------------------------------------
    const float maxAdvanceRatio = 20.0f;
    const float PI = 3.1415929f;
    const float tangentialInflow = 0.0f;

    // ---- working values of the last converted point ---------------------
    float workRPM = 0;
    float speedFactor = 0;
    float loadFactor = 0;
    float revPerSec = 0;
    float workAltitude = 0;
    float workTemperature = 0;
    float workLoad = 0;
    float stdTemperature = 0;
    float workDensity = 0;
    float workViscosity = 0;
    float workSoundSpeed = 0;
    int32_t lastLoadKind = 0;
    float lastCoefficient = 0;

    // ---- paths --------------------------------------------------------------
    std::string projectBasePath;  // project path without its extension
    std::string resultPath;       // result file of the last job

    // The writer and runner of the job in progress: owned by the running
    // operation, null between jobs.
    CreatePerformanceFile* performanceWriter = nullptr;
    RunBlades* runner = nullptr;
};

// ---------------------------------------------------------------------------
// The design job: radial design data, candidate geometries and their ranking.
class BuildDesignFile : public BuildPerformanceFile {
public:
    BuildDesignFile() = default;
    ~BuildDesignFile() override = default;

    // The base Init, then: no loading given yet, 13 stations.
    int Init(int handle, const char* projectPath) override;
    // The basic design data only (InitSkarvel::Preliminary).
    int Preliminary(const int& resolution) override;
    int Loads_stdAtmos(Operating_Point* points) override;
    // Checks and converts the radial design table into the radial arrays;
    // non-zero when valid.
    int Detailed();
    // Fills all-zero columns of the radial arrays from DefaultCopy.
    void SelectDefaults();
    // Designs, smooths, analyses and ranks one candidate per point; 1 when
    // the sequence ran to its end, 0 when abandoned. `n` <= kMaxOperatingPoints.
    virtual int GenerateGeometry(BuildPerformanceFile* performance, int n,
                                 Operating_Point* points, bool isStdAtmos);
    // Fills `errRms` and the rank `order` of the n candidates from their
    // efficiencies `results` (n x n) and the ideal efficiencies.
    void Rank_Propeller_Geometries(const float* idealEfficiencies, const float* results,
                                   const int& n, const Operating_Point* points, ERR_RMS* errRms,
                                   int* order);
    // Reads the ideal efficiencies from the optimum-loading output; the
    // number read.
    int Get_Opt_Efficiencies(const std::string& outputPath, float* idealEfficiencies);

    // ---- project buffer ---------------------------------------------------
    // Detailed_Design_Buffer[column][row], columns DetailedColumn.
    TableCell Detailed_Design_Buffer[DETAILED_COLUMNS][kTableRows];

    // ---- radial arrays of the design deck (InflowVelocity is the base's) --
    Loading_Profile LoadingProfile[kMaxStations];
    Lift_Coefficient LiftCoefficient[kMaxStations];
    int nStations = kDefaultRecords;
    // The default radial table rescaled to the project's hub ratio.
    DetailedStruct DefaultCopy[kDefaultRecords];
    int nDefault = kDefaultRecords;
    // 1 when the design deck takes its loading from the optimum-loading run.
    int useOptimumLoading = 1;

    // ---- candidates of one GenerateGeometry call (empty between calls) ----
    std::vector<std::array<Propeller_geom, kMaxStations>> rawGeometries;
    std::vector<std::array<Propeller_geom, kMaxStations>> smoothedGeometries;
    int nGeomStations = 0;  // interior stations: nStations - 2
    float idealEfficiencies[kMaxOperatingPoints] = {};
    ERR_RMS errRms[kMaxOperatingPoints];
    int rankOrder[kMaxOperatingPoints] = {};

    // ---- working files ------------------------------------------------------
    std::string firstIn, firstOut;        // optimum-loading deck and output
    std::string secondIn, secondOut;      // design deck and output
    std::string performIn, performOut;    // performance of all candidates
    std::string plotFile;                 // "_Project.pld"
    std::string comparisonFile;           // "_Project.pr1"
    std::string designReport;             // project base path + ".des.html"

    // The objects of the job in progress (owned by GenerateGeometry).
    CreateBladesFile* bladeWriter = nullptr;
    ExtractGeometry* geometryReader = nullptr;
    GetPerformance* performanceReader = nullptr;
    int errorCode = 0;  // 8 after a failed geometry generation
};
