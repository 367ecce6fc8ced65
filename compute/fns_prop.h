// Reader of one operating-point block of a performance deck.
#pragma once

#include <string>

// Capacities of the advance-ratio sweep and of the load list of one block.
constexpr int kMaxAdvanceRatios = 40;
constexpr int kMaxLoads = 99;

// What one operating-point block holds, after unit conversion.
struct OperatingBlock {
    std::string reportWord;       // "REDUCED" or "FULL" (as accepted)
    std::string temperatureUnit;  // first letter C, F or K
    std::string unitSystem;       // "SI" or "IM"
    std::string scaleWord;        // "DIMENSIONLESS" or "DIMENSIONAL"
    std::string loadWord;         // "ANGLE", "THRUST" or "POWER"
    int reportIndex = 0;          // index of reportWord among the accepted words
    int loadIndex = 0;            // index of loadWord among the accepted words
    bool dimensional = false;     // scale word is the second accepted one

    // Flow record; speed > 0 forward speed, else minus the rotational speed.
    float speed = 0, diameter = 0, temperature = 0, altitude = 0;
    float density = 0, soundSpeed = 0, kinematicViscosity = 0;
    // Factor applied to each value on input (1 when it was not converted).
    float speedFactor = 1, diameterFactor = 1, temperatureFactor = 1, altitudeFactor = 1;

    // Advance-ratio sweep, divided by the caller's constant.
    float advanceStart = 0, advanceStep = 0;
    int advanceCount = 0;

    // Load list: loads[k] = loadStart + k*loadStep, scaledLoads[k] =
    // factor * loads[k], k = 0..loadCount-1.
    float loadStart = 0, loadStep = 0;
    int loadCount = 0;
    float loads[kMaxLoads] = {};
    float scaledLoads[kMaxLoads] = {};

    // 1 when another block follows (88888), 0 after the last one (99999).
    int anotherBlock = 0;
};

// Reads one block from INPUT_FILE. `reportWords` and `scaleWords` point at
// two accepted words each, `loadWords` at three (in the order ANGLE, THRUST,
// POWER, as the conversions of dimensional loads rely on the words
// themselves). `constant` divides the advance ratios (pi), `factor` scales
// the loads. Failures write their message to OUTPUT_FILE (a deck that ends
// or holds text where a number belongs: to ERROR_FILE) and set except_ = 1;
// the block is then unusable. An advance-ratio count above kMaxAdvanceRatios
// or a load count above kMaxLoads is refused here with the message
// "\n\nNumber of advance ratios must be less than 40\n and number of CP's
// (or blade angle) must be less than 99", a count below 1 likewise, so the
// caller may loop over the counts without further checks. Returns 0.
int getInputs(const char* const* reportWords, const char* const* scaleWords,
              const char* const* loadWords, float* constant, float* factor,
              OperatingBlock* block);
