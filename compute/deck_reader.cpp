#include "compute/deck_reader.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>

#include "compute/engine_state.h"

namespace {

// Reads the next token; reports a deck that ends before it.
bool NextToken(std::string* token, const char* field) {
    if (INPUT_FILE >> *token) return true;
    ERROR_FILE << "\nINPUT ERROR: the deck ends before " << field << "\n";
    except_ = 1;
    return false;
}

void ReportNotANumber(const char* field, const std::string& token, const char* kind) {
    ERROR_FILE << "\nINPUT ERROR: " << field << " = \"" << token << "\" is not " << kind << "\n";
    except_ = 1;
}

}  // namespace

bool ReadDeckFloat(float* value, const char* field) {
    std::string token;
    if (!NextToken(&token, field)) return false;
    const char* begin = token.c_str();
    char* end = nullptr;
    const float parsed = std::strtof(begin, &end);
    // Overflow gives an infinity and is refused; underflow to a tiny value is
    // harmless.
    if (end == begin || *end != '\0' || !std::isfinite(parsed)) {
        ReportNotANumber(field, token, "a finite number");
        return false;
    }
    *value = parsed;
    return true;
}

bool ReadDeckInt(int* value, const char* field) {
    std::string token;
    if (!NextToken(&token, field)) return false;
    const char* begin = token.c_str();
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(begin, &end, 10);
    if (end == begin || *end != '\0' || errno == ERANGE ||
        parsed > std::numeric_limits<int>::max() || parsed < std::numeric_limits<int>::min()) {
        ReportNotANumber(field, token, "an integer");
        return false;
    }
    *value = static_cast<int>(parsed);
    return true;
}

bool ReadDeckWord(std::string* word, const char* field) { return NextToken(word, field); }

bool ReadDeckLine(std::string* line) {
    if (!std::getline(INPUT_FILE, *line)) return false;
    if (!line->empty() && line->back() == '\r') line->pop_back();
    return true;
}

void ReportDeckValue(const char* field, const std::string& value, const char* rule) {
    ERROR_FILE << "\nINPUT ERROR: " << field << " = " << value << " " << rule << "\n";
    except_ = 1;
}

void ReportDeckValue(const char* field, float value, const char* rule) {
    std::ostringstream text;
    text << value;
    ReportDeckValue(field, text.str(), rule);
}
