// Unit selection lists, conversion to the engine's units, the standard
// atmosphere and the thrust and power coefficients.
//
// The project stores every value as text together with the position of the
// unit the user picked in one of the lists below. These routines turn such
// values into metres, metres per second, kelvin, newtons, horsepower and
// the nondimensional coefficients. All arithmetic is single precision with
// the operations in a fixed order, so that decks are reproducible.
#pragma once

#include <cstdint>

#include "design/job_records.h"

// The unit of one value (the numbers are fixed).
enum Units_Select : int32_t {
    UNIT_KNOTS = 0,
    UNIT_MI_HR = 1,
    UNIT_KM_H = 2,
    UNIT_METR_S = 3,
    UNIT_FT_S = 4,
    UNIT_ADVANCE_RATIO = 5,  // "J": the advance ratio is given instead
    UNIT_RPM = 6,
    UNIT_SHP = 7,
    UNIT_KWATTS = 8,
    UNIT_FT_LBS = 9,
    UNIT_LBS = 10,
    UNIT_NEWTON = 11,
    UNIT_N_METR = 12,
    UNIT_CT_COEFF = 13,
    UNIT_CP_COEFF = 14,
    UNIT_BETA_75 = 15,
    UNIT_ISA_PLUS_C = 16,
    UNIT_ISA_PLUS_F = 17,
    UNIT_DEG_C = 18,
    UNIT_DEG_F = 19,
    UNIT_RANKIN = 20,
    UNIT_KELVIN = 21,
    UNIT_FEET = 22,
    UNIT_METR = 23,
    UNIT_INCH = 24,
    UNIT_CM = 25
};

// One entry of a unit selection list: the label shown to the user and its unit.
struct TEnumPair {
    const char* label;
    Units_Select value;
};

extern const TEnumPair RPMUnits_List[2];
extern const TEnumPair SpeedUnits_List[6];
extern const TEnumPair LoadUnits_List[9];       // loads of design and performance points
extern const TEnumPair MapLoadUnits_List[3];    // loads of the performance maps
extern const TEnumPair TempUnits_List[6];
extern const TEnumPair AltUnits_List[2];
extern const TEnumPair DiameterUnits_List[4];
extern const TEnumPair ThicknessUnits_List[4];

template <int N>
constexpr int ListSize(const TEnumPair (&)[N]) {
    return N;
}

// The factor that a conversion answers for a unit it cannot convert.
constexpr float kUnknownConversion = 9999999.0f;

// Looks up the unit at `index` of `list` (`listSize` entries); false when the
// index lies outside the list.
bool UnitAt(const TEnumPair* list, int listSize, int index, Units_Select* unit);

// Factor turning a value in the unit at `index` of `list` into the engine's
// unit (m, m/s, N, hp; coefficients and angles unchanged). `value` is used
// only by the torque units, where it is the rotational speed in RPM. An
// index outside the list or a unit that is not convertible (RPM,
// temperatures) writes "ERROR - Unknown conversion" to the log and answers
// kUnknownConversion.
float ConversionFactor(float value, const TEnumPair* list, int listSize, int index);

// Turns the raw rotational-speed and speed fields of a point into RPM and
// m/s (in-out). `rpmUnit` and `speedUnit` are the units chosen for the two
// fields; either may be UNIT_ADVANCE_RATIO, in which case that field holds J.
// `diameter` is the tip diameter in metres. Answers the speed.
float KinematicParameters(float speedFactor, int rpmUnit, int speedUnit, float diameter,
                          float& rpm, float& speed);

// Standard-atmosphere temperature (K) at `altitude` metres.
float StandardTemperature(float altitude);

// Static temperature in kelvin of `temperature` in the unit at `index` of
// `list`, at `altitude` metres; the standard temperature there goes to
// `stdTemperature`. A deviation from the standard atmosphere of more than
// 50 degrees asks the user; a refusal raises ConstraintError(0). A unit that
// is not a temperature writes "ERROR" and answers kUnknownConversion (then
// subject to the same question); `*known`, when given, tells which.
float TemperatureToKelvin(float altitude, float temperature, const TEnumPair* list,
                          int listSize, int index, float& stdTemperature,
                          bool* known = nullptr);

// Gas properties of the standard atmosphere at `altitude` metres with the
// static temperature `temperature` and the standard one `stdTemperature`.
void StdAtmosGasProperties(float temperature, float stdTemperature, float altitude,
                           float& kinematicViscosity, float& density, float& soundSpeed);

// Thrust coefficient of a thrust in newtons (or a coefficient when `loadUnit`
// is UNIT_CT_COEFF), at `revPerSec` rev/s and `diameter` metres.
float ThrustCoefficient(float load, float density, float revPerSec, float diameter,
                        int loadUnit);
// Power coefficient of a power in horsepower (or a coefficient when
// `loadUnit` is UNIT_CP_COEFF).
float PowerCoefficient(float load, float density, float revPerSec, float diameter,
                       int loadUnit);

// How a load in `unit` drives the engine: 1 thrust (stored as CT), 2 power
// (stored as CP), 3 blade angle at 75 % radius (degrees); 0 for a unit that
// is no load.
int LoadKindOf(int unit);

// The default radial distributions of a design (r/R from 0.2 to 1):
// column 1 thickness over diameter at activity factor 138, columns 2 to 4
// zero, column 5 design lift coefficient.
constexpr int kDefaultTableRecords = 13;
extern const DetailedStruct Default[kDefaultTableRecords];
