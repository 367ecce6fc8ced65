#include "compute/fns_prop.h"

#include <string>

#include "compute/deck_reader.h"
#include "compute/engine_state.h"

namespace {

const char kRecordError[] = " ERROR IN INPUT AT RECORD :  ";

// Index of `word` among the `count` accepted words, or -1.
int FindWord(const std::string& word, const char* const* accepted, int count) {
    for (int i = 0; i < count; ++i)
        if (word == accepted[i]) return i;
    return -1;
}

void Refuse(const std::string& word, const std::string& expected) {
    OUTPUT_FILE << kRecordError << word << expected;
    except_ = 1;
}

// An advance-ratio value of a dimensional sweep is an RPM; it becomes
// speed / (n * diameter * constant) with n = rpm / 60. A zero stays zero (a
// zero step of a single-point sweep must not become infinite).
float RpmToAdvanceRatio(float rpm, float speed, float diameter, float constant) {
    if (rpm == 0.0f) return 0.0f;
    const float n = rpm / 60.0f;
    return speed / (n * diameter * constant);
}

bool CheckCounts(const OperatingBlock& block) {
    if (block.advanceCount > kMaxAdvanceRatios || block.loadCount > kMaxLoads) {
        OUTPUT_FILE << "\n\nNumber of advance ratios must be less than " << kMaxAdvanceRatios
                    << "\n and number of CP's (or blade angle) must be less than " << kMaxLoads;
        except_ = 1;
        return false;
    }
    if (block.advanceCount < 1 || block.loadCount < 1) {
        OUTPUT_FILE << "\n\nNumber of advance ratios (" << block.advanceCount
                    << ") and number of loads (" << block.loadCount << ") must be at least 1";
        except_ = 1;
        return false;
    }
    return true;
}

}  // namespace

int getInputs(const char* const* reportWords, const char* const* scaleWords,
              const char* const* loadWords, float* constant, float* factor,
              OperatingBlock* block) {
    OperatingBlock& b = *block;
    b = OperatingBlock();

    if (!ReadDeckWord(&b.reportWord, "the report mode of an operating-point block")) return 0;
    b.reportIndex = FindWord(b.reportWord, reportWords, 2);
    if (b.reportIndex < 0) {
        Refuse(b.reportWord, std::string("\n          EXPECTED : ") + reportWords[0] + "   OR   " +
                                 reportWords[1]);
        return 0;
    }

    if (!ReadDeckWord(&b.temperatureUnit, "the temperature unit of an operating-point block"))
        return 0;
    const char unit = b.temperatureUnit[0];
    if (unit != 'C' && unit != 'F' && unit != 'K') {
        Refuse(b.temperatureUnit, "\n     EXPECTED : F  OR  C  OR K   ");
        return 0;
    }

    if (!ReadDeckWord(&b.unitSystem, "the unit system of an operating-point block")) return 0;
    const bool si = b.unitSystem == "SI";
    const bool imperial = b.unitSystem == "IM";
    if (!si && !imperial) {
        Refuse(b.unitSystem, "\n          EXPECTED : IM   or   SI ");
        return 0;
    }

    if (!ReadDeckWord(&b.scaleWord, "the load scale of an operating-point block")) return 0;
    const int scaleIndex = FindWord(b.scaleWord, scaleWords, 2);
    if (scaleIndex < 0) {
        Refuse(b.scaleWord,
               std::string("\n          EXPECTED :") + scaleWords[0] + "  OR  " + scaleWords[1]);
        return 0;
    }
    b.dimensional = scaleIndex == 1;

    if (!ReadDeckWord(&b.loadWord, "the load kind of an operating-point block")) return 0;
    b.loadIndex = FindWord(b.loadWord, loadWords, 3);
    if (b.loadIndex < 0) {
        Refuse(b.loadWord, std::string("\n          EXPECTED : ") + loadWords[0] + "   OR   " +
                               loadWords[1] + "   OR   " + loadWords[2]);
        return 0;
    }

    if (!ReadDeckFloat(&b.speed, "the forward speed of an operating-point block") ||
        !ReadDeckFloat(&b.diameter, "the diameter of an operating-point block") ||
        !ReadDeckFloat(&b.temperature, "the temperature of an operating-point block") ||
        !ReadDeckFloat(&b.altitude, "the altitude of an operating-point block") ||
        !ReadDeckFloat(&b.density, "the density of an operating-point block") ||
        !ReadDeckFloat(&b.soundSpeed, "the speed of sound of an operating-point block") ||
        !ReadDeckFloat(&b.kinematicViscosity,
                       "the kinematic viscosity of an operating-point block"))
        return 0;
    if (unit == 'F') {
        b.temperatureFactor = 0.5549133f;
        b.temperature *= b.temperatureFactor;
    }
    if (si) {
        b.altitudeFactor = 3.28084f;
        b.altitude *= b.altitudeFactor;
    } else {
        b.diameterFactor = 1.0f / 3.28084f;
        b.diameter /= 3.28084f;
        b.speedFactor = 0.514444f;
        b.speed *= b.speedFactor;
    }

    if (!ReadDeckFloat(&b.advanceStart, "the first advance ratio of an operating-point block") ||
        !ReadDeckFloat(&b.advanceStep, "the advance-ratio step of an operating-point block") ||
        !ReadDeckInt(&b.advanceCount, "the advance-ratio count of an operating-point block"))
        return 0;
    if (b.dimensional) {
        b.advanceStart = RpmToAdvanceRatio(b.advanceStart, b.speed, b.diameter, *constant);
        b.advanceStep = RpmToAdvanceRatio(b.advanceStep, b.speed, b.diameter, *constant);
    } else {
        b.advanceStart /= *constant;
        b.advanceStep /= *constant;
    }

    if (!ReadDeckFloat(&b.loadStart, "the first load of an operating-point block") ||
        !ReadDeckFloat(&b.loadStep, "the load step of an operating-point block") ||
        !ReadDeckInt(&b.loadCount, "the load count of an operating-point block"))
        return 0;
    int separator = 0;
    if (!ReadDeckInt(&separator, "the block separator of an operating-point block")) return 0;
    if (separator != 88888 && separator != 99999) {
        Refuse(std::to_string(separator), "\n          EXPECTED : 88888   or   99999");
        return 0;
    }
    b.anotherBlock = separator == 88888 ? 1 : 0;
    if (!CheckCounts(b)) return 0;

    // Dimensional imperial loads are pounds or horsepower: both the start and
    // the step become newtons or watts, so that the whole list is converted.
    if (b.loadWord != "ANGLE" && b.dimensional && !si) {
        const float toSi = b.loadWord == "THRUST" ? 4.4482203f : 745.7f;
        b.loadStart *= toSi;
        b.loadStep *= toSi;
    }
    for (int k = 0; k < b.loadCount; ++k) {
        b.loads[k] = b.loadStart + static_cast<float>(k) * b.loadStep;
        b.scaledLoads[k] = *factor * b.loads[k];
    }
    return 0;
}
