#include "design/units.h"

#include <cmath>

#include "design/except.h"

namespace {

constexpr const char* kSource = "../../design/desutil";

}  // namespace

const TEnumPair RPMUnits_List[2] = {{"RPM", UNIT_RPM}, {"J", UNIT_ADVANCE_RATIO}};
const TEnumPair SpeedUnits_List[6] = {{"knots", UNIT_KNOTS}, {"mi/hr", UNIT_MI_HR},
                                      {"km/h", UNIT_KM_H},   {"metr/s", UNIT_METR_S},
                                      {"Ft/s", UNIT_FT_S},   {"J", UNIT_ADVANCE_RATIO}};
const TEnumPair LoadUnits_List[9] = {{"SHP", UNIT_SHP},       {"KWatts", UNIT_KWATTS},
                                     {"ft-lbs", UNIT_FT_LBS}, {"lbs", UNIT_LBS},
                                     {"N", UNIT_NEWTON},      {"N-metr", UNIT_N_METR},
                                     {"Ct", UNIT_CT_COEFF},   {"Cp", UNIT_CP_COEFF},
                                     {"BETA_75", UNIT_BETA_75}};
const TEnumPair MapLoadUnits_List[3] = {
    {"Ct", UNIT_CT_COEFF}, {"Cp", UNIT_CP_COEFF}, {"BETA_75", UNIT_BETA_75}};
const TEnumPair TempUnits_List[6] = {{"ISA + C", UNIT_ISA_PLUS_C}, {"ISA + F", UNIT_ISA_PLUS_F},
                                     {"deg C", UNIT_DEG_C},       {"deg F", UNIT_DEG_F},
                                     {"Rankin", UNIT_RANKIN},     {"Kelvin", UNIT_KELVIN}};
const TEnumPair AltUnits_List[2] = {{"Ft", UNIT_FEET}, {"metr", UNIT_METR}};
const TEnumPair DiameterUnits_List[4] = {
    {"Ft", UNIT_FEET}, {"metr", UNIT_METR}, {"inch", UNIT_INCH}, {"cm", UNIT_CM}};
const TEnumPair ThicknessUnits_List[4] = {
    {"Ft", UNIT_FEET}, {"metr", UNIT_METR}, {"inch", UNIT_INCH}, {"cm", UNIT_CM}};

// r/R, thickness/D at AF 138, loading, axial and tangential increments, CL.
const DetailedStruct Default[kDefaultTableRecords] = {
    {0.2f, {0.0242f, 0, 0, 0, 0.0f}},
    {0.2136f, {0.02257864f, 0, 0, 0, 0.0378f}},
    {0.2536f, {0.01780835f, 0, 0, 0, 0.08097f}},
    {0.3172f, {0.01478031f, 0, 0, 0, 0.1366f}},
    {0.4f, {0.01212956f, 0, 0, 0, 0.2036f}},
    {0.4965f, {0.009926820f, 0, 0, 0, 0.2562f}},
    {0.6f, {0.008038285f, 0, 0, 0, 0.3f}},
    {0.7035f, {0.006413696f, 0, 0, 0, 0.342f}},
    {0.8f, {0.005117840f, 0, 0, 0, 0.3605f}},
    {0.8828f, {0.003834260f, 0, 0, 0, 0.335f}},
    {0.9464f, {0.002661785f, 0, 0, 0, 0.286f}},
    {0.9864f, {0.001322003f, 0, 0, 0, 0.225f}},
    {1.0f, {0.001322003f, 0, 0, 0, 0.0f}},
};

bool UnitAt(const TEnumPair* list, int listSize, int index, Units_Select* unit) {
    if (list == nullptr || index < 0 || index >= listSize) return false;
    *unit = list[index].value;
    return true;
}

float ConversionFactor(float value, const TEnumPair* list, int listSize, int index) {
    Units_Select unit;
    if (!UnitAt(list, listSize, index, &unit)) {
        MessageBoxFyi(getGlobalHandle(), "ERROR - Unknown conversion", nullptr, 0, kSource,
                      __LINE__);
        return kUnknownConversion;
    }
    // Angular speed in rad/s of an RPM value, for the torque units.
    const float w = value / 60 * 2 * 3.1416;
    switch (unit) {
    case UNIT_KNOTS: return 0.51445854f;
    case UNIT_MI_HR: return 0.44704f;
    case UNIT_KM_H: return 0.2777778f;
    case UNIT_FT_S:
    case UNIT_FEET: return 0.3048f;
    case UNIT_KWATTS: return 1.34102f;
    case UNIT_FT_LBS: return w * 1.34102 / 737.562;
    case UNIT_LBS: return 4.4482007f;
    case UNIT_N_METR: return w * 0.98909026 / 737.562;
    case UNIT_INCH: return 0.0254f;
    case UNIT_CM: return 0.01f;
    case UNIT_METR_S:
    case UNIT_ADVANCE_RATIO:
    case UNIT_SHP:
    case UNIT_NEWTON:
    case UNIT_CT_COEFF:
    case UNIT_CP_COEFF:
    case UNIT_BETA_75:
    case UNIT_METR: return 1.0f;
    default: break;
    }
    MessageBoxFyi(getGlobalHandle(), "ERROR - Unknown conversion", nullptr, 0, kSource,
                  __LINE__);
    return kUnknownConversion;
}

float KinematicParameters(float speedFactor, int rpmUnit, int speedUnit, float diameter,
                          float& rpm, float& speed) {
    if (rpmUnit == UNIT_ADVANCE_RATIO) {
        const float J = rpm;
        speed = speed * speedFactor;
        rpm = speed * 60 / (diameter * J);
    } else if (speedUnit == UNIT_ADVANCE_RATIO) {
        const float J = speed;
        speed = J * rpm * diameter / 60;
    } else {
        speed = speed * speedFactor;
    }
    return speed;
}

float StandardTemperature(float altitude) {
    // Rankine atmosphere: 519 R at sea level, lapse 0.00356616 R per foot.
    const float rankine = (1 - (altitude / 0.3048) * 0.00356616 / 519) * 519;
    const float kelvin = rankine / 1.8;
    return kelvin;
}

float TemperatureToKelvin(float altitude, float temperature, const TEnumPair* list,
                          int listSize, int index, float& stdTemperature, bool* known) {
    const float Tisa = StandardTemperature(altitude);
    stdTemperature = Tisa;

    float T = kUnknownConversion;
    bool isKnown = true;
    Units_Select unit;
    if (!UnitAt(list, listSize, index, &unit)) unit = static_cast<Units_Select>(-1);
    switch (unit) {
    case UNIT_ISA_PLUS_C: T = Tisa + temperature; break;
    case UNIT_ISA_PLUS_F: T = (temperature + 1.8 * Tisa) / 1.8; break;
    case UNIT_DEG_C: T = temperature + 273.15; break;
    case UNIT_DEG_F: T = (temperature + 459.67) / 1.8; break;
    case UNIT_RANKIN: T = temperature / 1.8; break;
    case UNIT_KELVIN: T = temperature; break;
    default:
        MessageBoxFyi(getGlobalHandle(), "ERROR", nullptr, 0, kSource, __LINE__);
        isKnown = false;
        break;
    }
    if (known != nullptr) *known = isKnown;

    // The deviation truncated toward zero exceeds 50 exactly when its
    // magnitude reaches 51; comparing the float avoids converting a huge
    // or undefined value to an integer.
    const float deviation = T - Tisa;
    if (!(std::fabs(deviation) < 51.0f)) {
        const int answer = MessageBoxModal(
            getGlobalHandle(),
            "Temperature deviation from ISA exceeds 50C:\n      click CANCEL to re-enter, OK "
            "to accept",
            "Possible Temperature Error", 0, kSource, __LINE__);
        if (answer == 2) {
            ConstraintErr.code = 0;
            throw ConstraintError(ConstraintErr);
        }
    }
    return T;
}

void StdAtmosGasProperties(float temperature, float stdTemperature, float altitude,
                           float& kinematicViscosity, float& density, float& soundSpeed) {
    const float theta = 1 - static_cast<float>(altitude / 0.3048) / 519 * 0.00356616;
    density = std::pow(theta, 4.2561) * 1.2262 * stdTemperature / temperature;
    const float mu = std::pow(theta, 1.5) * 1.789e-5 * 734.68 / (theta * 519 + 215.9);
    kinematicViscosity = mu / density;
    soundSpeed = std::sqrt(401.94 * temperature);
}

float ThrustCoefficient(float load, float density, float revPerSec, float diameter,
                        int loadUnit) {
    if (loadUnit == UNIT_CT_COEFF) return load;
    const float ct = load / (density * std::pow(revPerSec, 2) * std::pow(diameter, 4));
    return ct;
}

float PowerCoefficient(float load, float density, float revPerSec, float diameter,
                       int loadUnit) {
    if (loadUnit == UNIT_CP_COEFF) return load;
    // 0.00134102 horsepower per watt.
    const float cp =
        (load / 0.00134102) / (density * std::pow(revPerSec, 3) * std::pow(diameter, 5));
    return cp;
}

int LoadKindOf(int unit) {
    switch (unit) {
    case UNIT_SHP:
    case UNIT_KWATTS:
    case UNIT_FT_LBS:
    case UNIT_N_METR:
    case UNIT_CP_COEFF: return 2;
    case UNIT_LBS:
    case UNIT_NEWTON:
    case UNIT_CT_COEFF: return 1;
    case UNIT_BETA_75: return 3;
    default: return 0;
    }
}
