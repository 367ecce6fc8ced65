// The builders' unit conversion: members over the free routines of
// design/units.
#include "design/desutil.h"
#include "design/units.h"

float InitSkarvel::get_SI_ConversionFactor(const float& value, const TEnumPair* list,
                                           const int& listSize, const int& index) {
    return ConversionFactor(value, list, listSize, index);
}

float InitSkarvel::Get_Kinematic_Parameters(const float& speedFactor, const int& rpmUnit,
                                            const int& speedUnit, float& rpm, float& speed) {
    return KinematicParameters(speedFactor, rpmUnit, speedUnit, geomConstraints.diameter, rpm,
                               speed);
}

float BuildPerformanceFile::Temp_to_Kelvin(const float& altitude, const float& temperature,
                                           const TEnumPair* list, const int& listSize,
                                           const int& index, float& stdTemperatureOut) {
    return TemperatureToKelvin(altitude, temperature, list, listSize, index, stdTemperatureOut);
}

float BuildPerformanceFile::compute_gasProperties_stdAtmos(
    const float& temperature, const float& stdTemperatureIn, const float& altitude,
    float& kinematicViscosity, float& density, float& soundSpeed) {
    StdAtmosGasProperties(temperature, stdTemperatureIn, altitude, kinematicViscosity, density,
                          soundSpeed);
    return density;
}

float BuildPerformanceFile::Ct(const float& load, const float& density, const float& revPerSecIn,
                               const float& diameter, const int& loadUnit) {
    return ThrustCoefficient(load, density, revPerSecIn, diameter, loadUnit);
}

float BuildPerformanceFile::Cp(const float& load, const float& density, const float& revPerSecIn,
                               const float& diameter, const int& loadUnit) {
    return PowerCoefficient(load, density, revPerSecIn, diameter, loadUnit);
}
