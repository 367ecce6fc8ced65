// Runs the computation engine on one input deck at a time and turns its two
// failure channels, a non-zero status and a non-empty error file, into
// notices for the user.
#pragma once

#include <fstream>
#include <string>

class RunBlades {
public:
    // Builds the control-file and error-file paths in `workingDirectory`
    // (which ends with "/"), keeps the polar path and the atmosphere flag, and
    // asks the engine to read the polar database afresh on its next run.
    // An empty polar path is refused: a notice in the log, then a
    // PropRunError with code 3 is thrown.
    RunBlades(int windowHandle, const std::string& polarPath, const std::string& workingDirectory,
              bool standardAtmosphere);
    RunBlades(const RunBlades&) = delete;
    RunBlades& operator=(const RunBlades&) = delete;
    // Releases the engine's polar tables.
    virtual ~RunBlades();

    // Writes "proprun.ini" naming `deck` and `output`, runs the engine and
    // reports its outcome. Answers 1 when the engine succeeded but wrote to
    // the error file, otherwise 0. Never throws.
    int Execute(const std::string& deck, const std::string& output);

    // Answers 1 (with a notice) when the error file is not empty, 0 when it
    // is empty or cannot be opened.
    int Check_error_file();

    // The engine's status of the last Execute (0 success; -999 when the
    // run could not be prepared).
    int lastStatus() const { return lastStatus_; }

    const std::string& controlFile() const { return iniName; }
    const std::string& errorFile() const { return errorName; }

private:
    int windowHandle;
    std::string iniName;
    std::string errorName;
    std::string polarName;
    std::ifstream errorStream;
    std::ofstream iniStream;
    bool standardAtmosphere;
    int lastStatus_ = 0;
};
