// The text that crosses to the Java side must be modified UTF-8, the
// encoding the JNI string calls read. The library handles text as 8-bit
// bytes, so a log may hold bytes that are not valid there (a command cut
// inside a multi-byte character, a file's bytes); they are mended here.
#pragma once

#include <string>

// Returns `text` as valid modified UTF-8: valid sequences pass unchanged,
// a NUL byte becomes C0 80, a four-byte UTF-8 character becomes its
// surrogate pair, and every other byte that is not part of a valid
// sequence is taken as the Latin-1 character of that value.
std::string ToModifiedUtf8(const std::string& text);
