// Numbers in the text cells of a project. A cell holds one number and
// nothing else (blanks around it are allowed); text such as "12x", "1,5",
// "nan" or an empty cell is not a number. Parsing does not depend on the
// process locale, which the hosting JVM may have changed.
#pragma once

#include <string>
#include <string_view>

// The finite number in `text`; false when the text is not exactly one.
bool ParseCellFloat(std::string_view text, float* value);

// The integer in `text` ("3", "-2", or a float text of integral value such
// as "3.0"); false otherwise or when it does not fit an int.
bool ParseCellInt(std::string_view text, int* value);

// As ParseCellFloat / ParseCellInt, and on failure a notice in the log
// naming `field` and the text: "<field> = '<text>' is not a number".
bool ReadCellFloat(const char* text, const std::string& field, int handle, float* value);
bool ReadCellInt(const char* text, const std::string& field, int handle, int* value);
