#include "design/except.h"

#include "compute/engine_state.h"

std::ostringstream outstr;
ConstraintError ConstraintErr;

namespace {

constexpr const char* kSource = "../../design/except";

}  // namespace

const char* BuildDate() { return __DATE__; }
const char* BuildTime() { return __TIME__; }

void MessageBoxFyi(int /*handle*/, const char* message, const char* title, int /*style*/,
                   const char* file, int line) {
    outstr << BuildDate() << ":" << BuildTime() << ">> in file:" << (file ? file : "")
           << " at line:" << line << "\n";
    outstr.flush();
    outstr << (message ? message : "");
    if (title != nullptr) outstr << ";" << title;
    outstr << "\n";
    outstr.flush();
}

int MessageBoxModal(int handle, const char* message, const char* title, int style,
                    const char* file, int line) {
    MessageBoxFyi(handle, message, title, style, file, line);
    return 1;
}

int MyExceptionTypes::PrintMessage(int handle) const {
    switch (code) {
        case -5: return MessageBoxModal(handle, "Operation terminated", "User Request", 0, kSource, 41);
        case 8:
            return MessageBoxModal(handle,
                                   "Not enough memory to complete operation: Close some applications",
                                   "Low Memory", 0, kSource, 37);
        default: return MessageBoxModal(handle, "Unhandled exception", nullptr, 0, kSource, 44);
    }
}

int PropRunError::PrintMessage(int handle) const {
    struct Text { const char* message; const char* title; int line; };
    static const Text texts[] = {
        {"Unclassified. Could not complete computation.", "See error file or contact user support", 106},
        {"Computation failed. See error file.", "Error in computation", 78},
        {"Could not open input file. See error file.", "Check disk space", 82},
        {"Could not open polar file. See error file.", "Polar file error", 86},
        {"Polar file is corrupt. See error file.", "Polar file error", 90},
        {"Bad initialization file. See error file.", "Check disk space", 94},
        {"Infile = Outfile. See error file.", "Contact user support", 98},
        {"Unclassified. Could not complete computation.", "See error file or contact user support", 106},
        {"Singular matrix error.", "Carefully check your inputs", 102},
    };
    const Text& t = (code >= 0 && code <= 8) ? texts[code] : texts[0];
    return MessageBoxModal(handle, t.message, t.title, 0, kSource, t.line);
}

int ConstraintError::PrintMessage(int handle) const {
    switch (code) {
        case 0:
        case 3: return code;
        case 1:
            return MessageBoxModal(handle,
                                   "Can't have loads specified within the hub!"
                                   "Ensure correct hub diameter is specified.",
                                   "Detailed design Error", 0, kSource, 62);
        case 2:
            return MessageBoxModal(handle,
                                   "Must have at least 5 points specified to define loading profile.",
                                   "Detailed design Error", 0, kSource, 66);
        default: return MessageBoxModal(handle, "Unhandled Constraint", nullptr, 0, kSource, 69);
    }
}

int InvalidRecordFormat::PrintMessage(int handle) const {
    switch (code) {
        case 0:
            return MessageBoxModal(handle,
                                   "Unexpected blanks found within data records: Error must be "
                                   "corrected before proceding",
                                   "Partial definition not allowed", 0, kSource, 12);
        case 1:
            return MessageBoxModal(handle,
                                   "Sign between CL and loading specification must be the same "
                                   "for a given record",
                                   "Signs are not consistent", 0, kSource, 16);
        case 2:
            return MessageBoxModal(handle, "Can't specify J for both RPM units and Speed units",
                                   "Invalid specification", 0, kSource, 20);
        case 3:
            return MessageBoxModal(handle, "Can't specify 0 for the kinematic constant.",
                                   "Invalid specification", 0, kSource, 24);
        default: return MessageBoxModal(handle, "Unhandled Constraint", nullptr, 0, kSource, 27);
    }
}

void ComputeFailure::PrintMessage(const char* file, int line) const {
    switch (code) {
        case 0: ERROR_FILE << "NO POLAR DATA AVAILABLE ... CAN'T PROCEED FURTHER."; break;
        case 1:
            ERROR_FILE << "CORRUPT OR NON-BINARY FILE SPECIFIED. THIS ERROR"
                       << "\nCAN ALSO BE CAUSED BY SPECIFYING VALUES OF GREATER"
                       << "\nTHAN 1024 FOR NUMBER OF TBYC,MACH,REY,CAMB VALUES";
            break;
        case 2: ERROR_FILE << "POLAR DIMENSION EXCEEDED."; break;
        case 3: ERROR_FILE << "NUM ALPHA EXCEEDED."; break;
        default: ERROR_FILE << "UNCLASSIFIED FAILURE."; break;
    }
    ERROR_FILE << " At file:" << (file ? file : "") << "; line:" << line;
}
