// The in-memory log, the two message calls and the small exception types
// with which the lower layers report failures to the host.
//
// The library has no window: every "message box" is a two-line notice in the
// log `outstr`, which the front end reads with the GET_LOG command.
#pragma once

#include <cstdint>
#include <sstream>

// The process-wide log. Grows until RESET_LOG empties it.
extern std::ostringstream outstr;

// The library's build date and time ("Jul 21 2010", "18:41:40"), which head
// every notice.
const char* BuildDate();
const char* BuildTime();

// Writes a notice to the log. `handle` and `style` are accepted and ignored;
// `title` may be null (then the message line carries no ";" and title).
// A null `message` or `file` is written as an empty text.
void MessageBoxFyi(int handle, const char* message, const char* title, int style,
                   const char* file, int line);

// Same as MessageBoxFyi; answers 1, the answer of a user who clicked OK.
int MessageBoxModal(int handle, const char* message, const char* title, int style,
                    const char* file, int line);

// The host window handle handed to every message box (never set: 0).
int getGlobalHandle();

class MyExceptionTypes {
public:
    explicit MyExceptionTypes(int32_t c = 0) : code(c) {}
    int PrintMessage(int handle) const;
    int32_t code;
};

class PropRunError {
public:
    explicit PropRunError(int32_t c = 0) : code(c) {}
    int PrintMessage(int handle) const;
    int32_t code;
};

class ConstraintError {
public:
    explicit ConstraintError(int32_t c = 0) : code(c) {}
    int PrintMessage(int handle) const;
    int32_t code;
};

// The process-wide constraint error; its code is set before a copy is thrown.
extern ConstraintError ConstraintErr;

class InvalidRecordFormat {
public:
    explicit InvalidRecordFormat(int32_t c = 0) : code(c) {}
    int PrintMessage(int handle) const;
    int32_t code;
};

class InvalidFileFormat {};
class NGaussException {};
class NUMException {};
class MonotonicException {};

// Raised by the polar header reader; its message goes to the engine's error
// file, not to the log.
class ComputeFailure {
public:
    explicit ComputeFailure(int32_t c = 0) : code(c) {}
    void PrintMessage(const char* file, int line) const;
    int32_t code;
};
