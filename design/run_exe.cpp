#include "design/run_exe.h"

#include <string>

#include "compute/proprun.h"
#include "design/except.h"
#include "design/skarvel_main.h"

namespace {

const char kSource[] = "../../design/run_exe";
// lastStatus() of a run that could not be prepared.
constexpr int kNotPrepared = -999;

std::string RootDirectory() {
    return theHostInterface != nullptr ? theHostInterface->getRootDir() : std::string();
}

}  // namespace

RunBlades::RunBlades(int handle, const std::string& polarPath, const std::string& workingDirectory,
                     bool standardAtmosphereFlag)
    : windowHandle(handle),
      iniName(workingDirectory + "proprun.ini"),
      errorName(workingDirectory + "ERROR.OUT"),
      polarName(polarPath),
      standardAtmosphere(standardAtmosphereFlag) {
    if (polarName.empty()) {
        MessageBoxFyi(windowHandle,
                      "No polar database is named: the polar file path is empty. "
                      "Name the polar file in the project before running a computation.",
                      "Polar file error", 0, kSource, 40);
        throw PropRunError(3);
    }
    ResetDatabase();
}

RunBlades::~RunBlades() {
    CleanUp();
    errorStream.close();
    iniStream.close();
}

int RunBlades::Execute(const std::string& deck, const std::string& output) {
    lastStatus_ = kNotPrepared;
    try {
        iniStream.clear();
        iniStream.open(iniName, std::ios::out | std::ios::trunc);
        if (iniStream.is_open()) {
            iniStream << (standardAtmosphere ? "1" : "0") << "\n"
                      << deck << "\n"
                      << output << "\n"
                      << polarName << "\n"
                      << errorName << "\n"
                      << RootDirectory() << "\n";
            iniStream.close();
        } else {
            iniStream.setstate(std::ios::failbit);
        }

        const int status = Proprun(iniName.c_str());
        lastStatus_ = status;
        if (status == 0) return Check_error_file();

        const std::string title =
            "RuntimeError.ProprunStatus = " + std::to_string(status) + "\n" + "Input = " + deck;
        MessageBoxModal(0, "Likely computation crash", title.c_str(), 0, kSource, 104);
    } catch (...) {
        MessageBoxModal(0, "Likely computation crash", "The engine run could not be prepared", 0,
                        kSource, 104);
    }
    return 0;
}

int RunBlades::Check_error_file() {
    errorStream.clear();
    errorStream.open(errorName, std::ios::in | std::ios::binary);
    if (!errorStream.is_open()) return 0;
    errorStream.seekg(0, std::ios::end);
    const std::streamoff size = errorStream.tellg();
    int result = 0;
    if (size > 0) {
        const std::string text = "Check the error file \"" + errorName + "\" for details.";
        MessageBoxModal(getGlobalHandle(), text.c_str(), "Computation Error", 0, kSource, 135);
        result = 1;
    }
    errorStream.close();
    errorStream.clear();
    return result;
}
