// Unit lists, conversion factors, kinematic relations, temperatures, the
// standard atmosphere and the coefficients.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "design/except.h"
#include "design/units.h"
#include "tests/project_fixture.h"

namespace {

using skarvel_test::TakeLog;

TEST(UnitLists, HoldTheirEntriesInOrder) {
    EXPECT_STREQ(RPMUnits_List[1].label, "J");
    EXPECT_EQ(RPMUnits_List[0].value, UNIT_RPM);
    EXPECT_STREQ(SpeedUnits_List[3].label, "metr/s");
    EXPECT_EQ(LoadUnits_List[8].value, UNIT_BETA_75);
    EXPECT_STREQ(LoadUnits_List[5].label, "N-metr");
    EXPECT_EQ(MapLoadUnits_List[0].value, UNIT_CT_COEFF);
    EXPECT_STREQ(TempUnits_List[0].label, "ISA + C");
    EXPECT_STREQ(TempUnits_List[4].label, "Rankin");
    EXPECT_EQ(AltUnits_List[1].value, UNIT_METR);
    EXPECT_STREQ(DiameterUnits_List[3].label, "cm");
    EXPECT_EQ(ThicknessUnits_List[2].value, UNIT_INCH);
    EXPECT_EQ(ListSize(LoadUnits_List), 9);
    EXPECT_EQ(ListSize(SpeedUnits_List), 6);
}

struct FactorCase {
    const TEnumPair* list;
    int size;
    int index;
    float value;
    float factor;
};

std::ostream& operator<<(std::ostream& os, const FactorCase& c) {
    return os << c.list[c.index].label << " at " << c.value;
}

class ConversionFactors : public ::testing::TestWithParam<FactorCase> {};

TEST_P(ConversionFactors, MatchTheTable) {
    const FactorCase& c = GetParam();
    TakeLog();
    EXPECT_FLOAT_EQ(ConversionFactor(c.value, c.list, c.size, c.index), c.factor);
    EXPECT_EQ(TakeLog(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Units, ConversionFactors,
    ::testing::Values(FactorCase{SpeedUnits_List, 6, 0, 0, 0.51445854f},
                      FactorCase{SpeedUnits_List, 6, 1, 0, 0.44704f},
                      FactorCase{SpeedUnits_List, 6, 2, 0, 0.2777778f},
                      FactorCase{SpeedUnits_List, 6, 3, 0, 1.0f},
                      FactorCase{SpeedUnits_List, 6, 4, 0, 0.3048f},
                      FactorCase{SpeedUnits_List, 6, 5, 0, 1.0f},
                      FactorCase{LoadUnits_List, 9, 0, 0, 1.0f},
                      FactorCase{LoadUnits_List, 9, 1, 0, 1.34102f},
                      // 2400 RPM: w = 251.328 rad/s.
                      FactorCase{LoadUnits_List, 9, 2, 2400, 251.328f * 1.34102f / 737.562f},
                      FactorCase{LoadUnits_List, 9, 2, 0, 0.0f},
                      FactorCase{LoadUnits_List, 9, 3, 0, 4.4482007f},
                      FactorCase{LoadUnits_List, 9, 5, 2400, 251.328f * 0.98909026f / 737.562f},
                      FactorCase{LoadUnits_List, 9, 8, 0, 1.0f},
                      FactorCase{AltUnits_List, 2, 0, 0, 0.3048f},
                      FactorCase{DiameterUnits_List, 4, 2, 0, 0.0254f},
                      FactorCase{ThicknessUnits_List, 4, 3, 0, 0.01f}));

TEST(ConversionFactor, WorkedValues) {
    EXPECT_FLOAT_EQ(100.0f * ConversionFactor(0, SpeedUnits_List, 6, 0), 51.445854f);
    EXPECT_FLOAT_EQ(10.0f * ConversionFactor(0, DiameterUnits_List, 4, 2), 0.254f);
}

TEST(ConversionFactor, RefusesUnitsItCannotConvert) {
    const std::string notice = "ERROR - Unknown conversion\n";
    struct {
        const TEnumPair* list;
        int size;
        int index;
    } cases[] = {{RPMUnits_List, 2, 0},       // RPM is never scaled
                 {TempUnits_List, 6, 2},      // temperatures go through their own rule
                 {SpeedUnits_List, 6, 6},     // past the list
                 {SpeedUnits_List, 6, -1},    // before the list
                 {LoadUnits_List, 9, 100000}};
    for (const auto& c : cases) {
        TakeLog();
        EXPECT_EQ(ConversionFactor(1, c.list, c.size, c.index), kUnknownConversion) << c.index;
        const std::string log = TakeLog();
        ASSERT_GE(log.size(), notice.size());
        EXPECT_EQ(log.substr(log.size() - notice.size()), notice);
        EXPECT_NE(log.find("../../design/desutil"), std::string::npos);
    }
}

TEST(KinematicParameters, HandleAdvanceRatioInEitherField) {
    // J in the rotational-speed field: rpm = V * 60 / (D J).
    float rpm = 0.5f, speed = 100.0f;
    KinematicParameters(0.51445854f, UNIT_ADVANCE_RATIO, UNIT_KNOTS, 2.0f, rpm, speed);
    EXPECT_FLOAT_EQ(speed, 51.445854f);
    EXPECT_FLOAT_EQ(rpm, 51.445854f * 60 / (2.0f * 0.5f));
    // J in the speed field: the speed factor is not applied.
    rpm = 2400.0f;
    speed = 0.8f;
    KinematicParameters(9.0f, UNIT_RPM, UNIT_ADVANCE_RATIO, 2.0f, rpm, speed);
    EXPECT_FLOAT_EQ(speed, 0.8f * 2400.0f * 2.0f / 60);
    EXPECT_FLOAT_EQ(rpm, 2400.0f);
    // Plain units.
    speed = 10.0f;
    EXPECT_FLOAT_EQ(KinematicParameters(0.3048f, UNIT_RPM, UNIT_FT_S, 2.0f, rpm, speed),
                    3.048f);
}

struct TemperatureCase {
    float altitude;
    int index;
    float value;
    float kelvin;
    bool asks;
};

std::ostream& operator<<(std::ostream& os, const TemperatureCase& c) {
    return os << c.value << " " << TempUnits_List[c.index].label << " at " << c.altitude << " m";
}

class Temperatures : public ::testing::TestWithParam<TemperatureCase> {};

TEST_P(Temperatures, ConvertAndAskOnLargeDeviation) {
    const TemperatureCase& c = GetParam();
    TakeLog();
    float stdT = 0;
    EXPECT_NEAR(TemperatureToKelvin(c.altitude, c.value, TempUnits_List, 6, c.index, stdT),
                c.kelvin, 1e-3);
    EXPECT_NEAR(stdT, StandardTemperature(c.altitude), 1e-6);
    const std::string log = TakeLog();
    EXPECT_EQ(log.find("Possible Temperature Error") != std::string::npos, c.asks) << log;
    if (c.asks) {
        EXPECT_NE(log.find("Temperature deviation from ISA exceeds 50C:\n      click CANCEL to "
                           "re-enter, OK to accept;Possible Temperature Error\n"),
                  std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    SeaLevel, Temperatures,
    ::testing::Values(TemperatureCase{0, 0, 15, 303.3333f, false},     // ISA + C
                      TemperatureCase{0, 1, 18, 298.3333f, false},     // ISA + F
                      TemperatureCase{0, 2, 80, 353.15f, true},        // deviation 64
                      TemperatureCase{0, 2, 15, 288.15f, false},       // deg C
                      TemperatureCase{0, 3, 59, 288.15f, false},       // deg F
                      TemperatureCase{0, 4, 519, 288.3333f, false},    // Rankine
                      TemperatureCase{0, 5, 339.2f, 339.2f, false},    // 50.87 truncates to 50
                      TemperatureCase{0, 5, 339.4f, 339.4f, true},     // 51.07
                      TemperatureCase{0, 5, 237.2f, 237.2f, true},     // -51.13
                      TemperatureCase{3048, 0, 0, 268.5213f, false}));  // 10000 ft

TEST(Temperature, StandardAtmosphereAtSeaLevel) {
    EXPECT_NEAR(StandardTemperature(0), 288.3333f, 1e-4);
}

TEST(Temperature, UnknownUnitIsReportedAndMarked) {
    TakeLog();
    float stdT = 0;
    bool known = true;
    EXPECT_EQ(TemperatureToKelvin(0, 20, TempUnits_List, 6, 6, stdT, &known),
              kUnknownConversion);
    EXPECT_FALSE(known);
    const std::string log = TakeLog();
    EXPECT_NE(log.find("\nERROR\n"), std::string::npos);
    EXPECT_NE(log.find("Possible Temperature Error"), std::string::npos);
}

TEST(StdAtmosphere, SeaLevelProperties) {
    const float Tisa = StandardTemperature(0);
    float nu = 0, rho = 0, a = 0;
    StdAtmosGasProperties(Tisa, Tisa, 0, nu, rho, a);
    EXPECT_FLOAT_EQ(rho, 1.2262f);
    EXPECT_NEAR(a, 340.4f, 0.05f);
    EXPECT_FLOAT_EQ(a, static_cast<float>(std::sqrt(401.94 * Tisa)));
    // Sutherland viscosity at theta = 1 over the density.
    EXPECT_FLOAT_EQ(nu, static_cast<float>(1.789e-5 * 734.68 / (519 + 215.9)) / 1.2262f);
    // A warmer day lowers the density in proportion.
    StdAtmosGasProperties(Tisa + 30, Tisa, 0, nu, rho, a);
    EXPECT_FLOAT_EQ(rho, static_cast<float>(1.2262 * Tisa / (Tisa + 30)));
}

TEST(StdAtmosphere, DensityFallsWithAltitude) {
    const float T = StandardTemperature(3048);
    float nu = 0, rho = 0, a = 0;
    StdAtmosGasProperties(T, T, 3048, nu, rho, a);
    EXPECT_NEAR(rho, 0.9057f, 0.001f);  // 10000 ft
}

TEST(Coefficients, GivenCoefficientsPassUnchanged) {
    EXPECT_EQ(ThrustCoefficient(0.123f, 0.5f, 7, 3, UNIT_CT_COEFF), 0.123f);
    EXPECT_EQ(PowerCoefficient(0.456f, 0.5f, 7, 3, UNIT_CP_COEFF), 0.456f);
}

TEST(Coefficients, FromThrustAndPower) {
    // 1000 N at 40 rev/s, D = 2 m, rho = 1.2262.
    EXPECT_FLOAT_EQ(ThrustCoefficient(1000, 1.2262f, 40, 2, UNIT_NEWTON),
                    static_cast<float>(1000 / (1.2262 * 1600 * 16)));
    // 200 hp.
    EXPECT_FLOAT_EQ(PowerCoefficient(200, 1.2262f, 40, 2, UNIT_SHP),
                    static_cast<float>((200 / 0.00134102) / (1.2262 * 64000 * 32)));
}

TEST(Coefficients, LoadKinds) {
    for (int unit : {UNIT_SHP, UNIT_KWATTS, UNIT_FT_LBS, UNIT_N_METR, UNIT_CP_COEFF})
        EXPECT_EQ(LoadKindOf(unit), 2) << unit;
    for (int unit : {UNIT_LBS, UNIT_NEWTON, UNIT_CT_COEFF}) EXPECT_EQ(LoadKindOf(unit), 1);
    EXPECT_EQ(LoadKindOf(UNIT_BETA_75), 3);
    EXPECT_EQ(LoadKindOf(UNIT_KNOTS), 0);
}

TEST(DefaultTable, SpansHubToTip) {
    EXPECT_FLOAT_EQ(Default[0].radius, 0.2f);
    EXPECT_FLOAT_EQ(Default[kDefaultTableRecords - 1].radius, 1.0f);
    EXPECT_FLOAT_EQ(Default[8].data[LIFT_COEFFICIENT_COLUMN - 1], 0.3605f);
    for (int i = 1; i < kDefaultTableRecords; ++i) {
        EXPECT_GT(Default[i].radius, Default[i - 1].radius);
        EXPECT_EQ(Default[i].data[1], 0.0f);
    }
}

}  // namespace
