// Checked token readers of the input deck (INPUT_FILE).
//
// Each reads one whitespace-separated token. A deck that ends, or a token
// that is not a complete number of the expected kind, writes a line naming
// the field to ERROR_FILE, sets except_ = 1 and answers false; the value is
// then left unchanged.
#pragma once

#include <string>

bool ReadDeckFloat(float* value, const char* field);
bool ReadDeckInt(int* value, const char* field);
bool ReadDeckWord(std::string* word, const char* field);

// Reads the rest of the current line (the line end is consumed, a trailing
// carriage return dropped). False, without a message, at the end of the deck.
bool ReadDeckLine(std::string* line);

// Writes "\nINPUT ERROR: <field> = <value> <rule>\n" to ERROR_FILE and sets
// except_ = 1; used for values that read well but break a rule.
void ReportDeckValue(const char* field, const std::string& value, const char* rule);
void ReportDeckValue(const char* field, float value, const char* rule);
