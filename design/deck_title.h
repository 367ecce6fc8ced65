// The problem title as a deck record: the engine reads it as one line, so
// line breaks inside the project's title are written as blanks.
#pragma once

#include <string>

inline std::string DeckTitle(const std::string& title) {
    std::string line = title;
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    return line;
}
