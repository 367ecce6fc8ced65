// The host object and the command dispatcher.
#include "design/skarvel_main.h"

#include <cstdlib>
#include <exception>
#include <memory>
#include <sstream>

#include "design/desutil.h"
#include "design/except.h"
#include "design/read_prj.h"

skarvelHostInterface* theHostInterface = nullptr;
ReadProject* ProjectData = nullptr;
std::string projectData;

namespace {

constexpr const char* kSource = "../../design/skarvel_main";

// The one-line input-data message of the job commands.
void InputDataInvalid(int line) {
    outstr << kSource << ":" << line << ":" << "Input data invalid or missing" << "\n";
}

}  // namespace

int getGlobalHandle() { return theHostInterface ? theHostInterface->windowHandle : 0; }

// ---- the host object --------------------------------------------------------

skarvelHostInterface::skarvelHostInterface() {
    auto design = std::make_unique<BuildDesignFile>();
    auto performance = std::make_unique<BuildPerformanceFile>();
    auto reader = std::make_unique<ReadProject>(this);
    designBuilder = design.release();
    performanceBuilder = performance.release();
    projectReader = reader.release();
    ProjectData = projectReader;
}

skarvelHostInterface::~skarvelHostInterface() {
    delete designBuilder;
    delete performanceBuilder;
    if (ProjectData == projectReader) ProjectData = nullptr;
    delete projectReader;
}

bool skarvelHostInterface::CanClose() { return true; }

std::string skarvelHostInterface::getRootDir() const { return rootDir; }

void skarvelHostInterface::setRootDir(std::string dir) { rootDir = std::move(dir); }

int skarvelHostInterface::setProject(std::string path) {
    const auto last = path.find_last_not_of(' ');
    if (last == std::string::npos || last == 0) return 9;
    const std::string trimmed = path.substr(0, last + 1);
    if (trimmed.size() > static_cast<std::size_t>(kProjectNameSize)) {
        const std::string message = "Project path has " + std::to_string(trimmed.size()) +
                                    " characters; at most " + std::to_string(kProjectNameSize) +
                                    " are allowed";
        MessageBoxFyi(windowHandle, message.c_str(), "Project path too long", 0, kSource,
                      __LINE__);
        return 9;
    }
    trimmed.copy(projectName, trimmed.size());
    projectName[trimmed.size()] = '\0';
    return projectReader->setProject(projectName);
}

int skarvelHostInterface::initProject(std::string projectText) {
    errorFlag = 0;
    try {
        projectReader->read_project(std::move(projectText));
        const int performanceInit = performanceBuilder->Init(windowHandle, projectName);
        if (performanceInit != 0) return performanceInit;
        const int designInit = designBuilder->Init(windowHandle, projectName);
        if (designInit != 0) return designInit;
    } catch (...) {
        errorFlag = 1;
        return 1;
    }

    EnableDesignMain = true;
    EnableDesignLoads = true;
    EnableDesignDetailed = true;
    EnablePerfMain = true;
    EnablePerfGeometry = true;
    EnablePerfPoints = true;

    try {
        const int designResolution = projectReader->GetDesignResolution();
        GoodPrelDesignSpec = designBuilder->Preliminary(designResolution) != 0;
        if (GoodPrelDesignSpec) {
            NDesignPoints_stdAtmos = designBuilder->Loads_stdAtmos(designBuilder->Points_stdAtmos);
            NDesignPoints_notStdAtmos =
                designBuilder->Loads_notStdAtmos(designBuilder->Points_notStdAtmos);
            GoodDetlDesignSpec = designBuilder->Detailed() != 0;
        }
        EnableGenerate_stdAtmos =
            NDesignPoints_stdAtmos > 0 && GoodDetlDesignSpec && GoodPrelDesignSpec;
        EnableGenerate_notStdAtmos =
            NDesignPoints_notStdAtmos > 0 && GoodDetlDesignSpec && GoodPrelDesignSpec;

        const int performanceResolution = projectReader->GetPerformanceResolution();
        GoodPrelPerforSpec = performanceBuilder->Preliminary(performanceResolution) != 0;
        if (GoodPrelPerforSpec) {
            NGeomPoints = performanceBuilder->Geometry();
            NPerfPoints_stdAtmos =
                performanceBuilder->Loads_stdAtmos(performanceBuilder->Points_stdAtmos);
            NPerfPoints_notStdAtmos =
                performanceBuilder->Loads_notStdAtmos(performanceBuilder->Points_notStdAtmos);
        }
        EnablePerfPointsComp_stdAtmos =
            NPerfPoints_stdAtmos > 0 && NGeomPoints > 0 && GoodPrelPerforSpec;
        EnablePerfPointsComp_notStdAtmos =
            NPerfPoints_notStdAtmos > 0 && NGeomPoints > 0 && GoodPrelPerforSpec;
        EnablePerfMapComp = NGeomPoints > 0 && GoodPrelPerforSpec;
    } catch (...) {
        MessageBoxFyi(windowHandle, "Project file is probably corrupt or Invalid project file",
                      nullptr, 0, kSource, 255);
        EnableDesignLoads = false;
        EnableDesignDetailed = false;
        EnableGenerate_stdAtmos = false;
        EnableGenerate_notStdAtmos = false;
        EnablePerfGeometry = false;
        EnablePerfPoints = false;
        EnablePerfPointsComp_stdAtmos = false;
        EnablePerfPointsComp_notStdAtmos = false;
        EnablePerfMapComp = false;
    }
    return 0;
}

bool skarvelHostInterface::CmProprun(Dialog_Choice choice, MapType map) {
    try {
        switch (choice) {
            case DIALOG_CHOICE_4:
            case DIALOG_CHOICE_5: return true;
            case PERFORMANCE_POINTS: {
                Dialog_Choice job = choice;
                if (performanceBuilder->geometry.atmosphere == 0)
                    return performanceBuilder->Generate(job, FIXED_SPEED_MAP,
                                                        performanceBuilder->Points_stdAtmos,
                                                        true) != 0;
                return performanceBuilder->Generate(job, FIXED_SPEED_MAP,
                                                    performanceBuilder->Points_notStdAtmos,
                                                    false) != 0;
            }
            case PERFORMANCE_MAP: {
                bool mapBuilt = true;
                if (map == FIXED_RPM_MAP) mapBuilt = CmFIXED_RPMMap();
                else if (map == FIXED_SPEED_MAP) mapBuilt = CmFIXED_SPEEDMap();
                // A map whose input was refused would be computed from a point
                // left over from an earlier run or only half converted.
                if (errorFlag != 0) {
                    MessageBoxFyi(windowHandle,
                                  "The map input could not be converted: no map is computed",
                                  "Map not computed", 0, kSource, __LINE__);
                    return false;
                }
                Dialog_Choice job = choice;
                const bool ran = performanceBuilder->Generate(
                                     job, map, performanceBuilder->Points_stdAtmos, true) != 0;
                return mapBuilt && ran;
            }
        }
        MessageBoxFyi(windowHandle, "Invalid function usage", nullptr, 0, kSource, 602);
        return false;
    } catch (ConstraintError& error) {
        error.PrintMessage(99);
    } catch (PropRunError& error) {
        error.PrintMessage(99);
    } catch (...) {
    }
    return false;
}

void skarvelHostInterface::PerformanceMap(MapType map) {
    errorFlag = 0;
    try {
        const MapType which = map;
        if (performanceBuilder->Map(which) == 0) errorFlag = 1;  // refused, reason logged
    } catch (MonotonicException&) {
        errorFlag = 1;
    } catch (NUMException&) {
        errorFlag = 1;
    } catch (NGaussException&) {
        errorFlag = 1;
    } catch (InvalidFileFormat&) {
        errorFlag = 1;
    } catch (MyExceptionTypes& error) {
        error.PrintMessage(windowHandle);
        errorFlag = 1;
    } catch (ConstraintError& error) {
        error.PrintMessage(windowHandle);
        errorFlag = 1;
    } catch (InvalidRecordFormat& error) {
        error.PrintMessage(windowHandle);
        errorFlag = 1;
    } catch (...) {
        errorFlag = 1;
    }
}

bool skarvelHostInterface::CmFIXED_RPMMap() {
    PerformanceMap(FIXED_RPM_MAP);
    return true;
}

bool skarvelHostInterface::CmFIXED_SPEEDMap() {
    PerformanceMap(FIXED_SPEED_MAP);
    return true;
}

void skarvelHostInterface::CmProjectClose() {
    projectReader->reset_state();
}

std::string skarvelHostInterface::txStateData() const {
    std::ostringstream report;
    auto line = [&report](long value, const char* name) {
        report << "<" << value << ">" << name << "\n";
    };
    line(EnableDesignMain, "EnableDesignMain");
    line(EnableDesignLoads, "EnableDesignLoads");
    line(EnableDesignDetailed, "EnableDesignDetailed");
    line(EnableGenerate_stdAtmos, "EnableGenerate_stdAtmos");
    line(EnableGenerate_notStdAtmos, "EnableGenerate_notStdAtmos");
    line(EnablePerfGeometry, "EnablePerfGeometry");
    line(EnablePerfPoints, "EnablePerfPoints");
    line(EnablePerfMain, "EnablePerfMain");
    line(EnablePerfMapComp, "EnablePerfMapComp");
    line(EnablePerfPointsComp_stdAtmos, "EnablePerfPointsComp_stdAtmos");
    line(NDesignPoints_stdAtmos, "NDesignPoints_stdAtmos");
    line(NPerfPoints_stdAtmos, "NPerfPoints_stdAtmos");
    line(EnablePerfPointsComp_notStdAtmos, "EnablePerfPointsComp_notStdAtmos");
    line(NDesignPoints_notStdAtmos, "NDesignPoints_notStdAtmos");
    line(NPerfPoints_notStdAtmos, "NPerfPoints_notStdAtmos");
    line(NGeomPoints, "NGeomPoints");
    line(GoodMapSpec, "GoodMapSpec");
    line(GoodPrelDesignSpec, "GoodPrelDesignSpec");
    line(GoodPrelPerforSpec, "GoodPrelPerforSpec");
    line(GoodDetlDesignSpec, "GoodDetlDesignSpec");
    return report.str();
}

void print_options() {
    const std::string stars(29, '*');
    outstr << stars << "\n* what would you like to do *\n" << stars << "\n\n";
    outstr << "PERFORM WORK\n============\n";
    outstr << "51: open a project\n"
           << "52: initialize the project\n"
           << "53: design: given a loading profile (optional) and at least 1 operational "
              "condition\n"
           << "54: create a const RPM map file\n"
           << "55: create a const speed map file\n"
           << "56: predict performance given geometry and operating parameters\n"
           << "57: close the project\n"
           << "58: save the project\n"
           << "59: about wTalvern\n"
           << "80: get project data\n"
           << "81: get state data\n"
           << "60: save as...\n\n"
           << "50: QUIT\n\n";
    outstr << "SET TUNING PARAMETERS\n" << std::string(21, '=') << "\n\n";
    outstr << "DISPLAY CONVERGENCE HISTORY\n" << std::string(27, '=') << "\n\n";
    outstr.flush();
}

// ---- the dispatcher ---------------------------------------------------------

namespace {

using Command = void (*)(skarvelHostInterface& host, const std::string& argument,
                         CommandResult& result);

void Terminate(skarvelHostInterface& /*host*/, const std::string&, CommandResult& result) {
    outstr << "***TERMINATE called.\n";
    delete theHostInterface;
    theHostInterface = nullptr;
    result.code = 50;
}

void SetProject(skarvelHostInterface& host, const std::string& argument, CommandResult& result) {
    outstr << "***SET_PROJECT called.\n";
    outstr << "Set project request is:" << argument << "\n";
    const int answer = host.setProject(argument);
    if (answer == 0) {
        result.code = 51;
    } else if (answer == 7) {
        outstr << "CRITICAL FAILURE: could not create working directories\n";
    } else {
        outstr << "CRITICAL FAILURE: unresolved issue with project name or directory\n";
    }
}

void SetupProject(skarvelHostInterface& host, const std::string& argument,
                  CommandResult& result) {
    outstr << "***SETUP_PROJECT called.\n";
    projectData = argument;
    result.code = host.initProject(projectData);
    if (result.code == 0) {
        outstr << "SETUP_PROJECT successful\n";
        result.code = 52;
    } else if (result.code == 7) {
        outstr << "Could not create tmp directory during SETUP_PROJECT; file = "
               << host.projectName << "\n";
    } else {
        outstr << "General failure during SETUP_PROJECT; file = " << host.projectName << "\n";
    }
}

void GenerateDesign(skarvelHostInterface& host, const std::string&, CommandResult& result) {
    outstr << "***GENERATE_DESIGN called.\n";
    const int model = host.designBuilder->geometry.atmosphere;
    bool isStdAtmos = false;
    bool nothingCalled = true;
    int answer = 0;
    if (host.EnableGenerate_stdAtmos && model == 0) {
        answer = host.designBuilder->GenerateGeometry(host.performanceBuilder,
                                                      host.NDesignPoints_stdAtmos,
                                                      host.designBuilder->Points_stdAtmos, true);
        isStdAtmos = true;
        nothingCalled = false;
    } else if (host.EnableGenerate_notStdAtmos && model == 1) {
        answer = host.designBuilder->GenerateGeometry(
            host.performanceBuilder, host.NDesignPoints_notStdAtmos,
            host.designBuilder->Points_notStdAtmos, false);
        nothingCalled = false;
    } else {
        InputDataInvalid(923);
    }
    outstr << "isStdAtmos = " << (isStdAtmos ? 1 : 0) << "\n";
    outstr << "nothingCalled = " << (nothingCalled ? 1 : 0) << "\n";
    if (answer == 1) result.code = 53;
}

void MapRun(skarvelHostInterface& host, MapType map, int line, int code, CommandResult& result) {
    if (!host.EnablePerfMapComp) {
        InputDataInvalid(line);
        return;
    }
    if (host.CmProprun(PERFORMANCE_MAP, map)) result.code = code;
}

void ConstRpmMap(skarvelHostInterface& host, const std::string&, CommandResult& result) {
    outstr << "***CONST_RPM_MAP called.\n";
    MapRun(host, FIXED_RPM_MAP, 935, 54, result);
}

void ConstVelocityMap(skarvelHostInterface& host, const std::string&, CommandResult& result) {
    outstr << "***CONST_VELOCITY_MAP called.\n";
    MapRun(host, FIXED_SPEED_MAP, 945, 55, result);
}

void CompPerformance(skarvelHostInterface& host, const std::string&, CommandResult& result) {
    outstr << "***COMP_PERFORMANCE called.\n";
    const int model = host.designBuilder->geometry.atmosphere;
    if ((host.EnablePerfPointsComp_stdAtmos && model == 0) ||
        (host.EnablePerfPointsComp_notStdAtmos && model == 1)) {
        if (host.CmProprun(PERFORMANCE_POINTS, FIXED_RPM_MAP)) result.code = 56;
    } else {
        InputDataInvalid(969);
    }
}

void CloseProject(skarvelHostInterface& host, const std::string&, CommandResult& result) {
    outstr << "***CLOSE_PROJECT called.\n";
    host.CmProjectClose();
    result.code = 57;
}

void SaveProject(skarvelHostInterface&, const std::string&, CommandResult& result) {
    outstr << "***SAVE_PROJECT called (does nothing).\n";
    result.code = 58;
}

void About(skarvelHostInterface&, const std::string&, CommandResult& result) {
    outstr << "***ABOUT called (does nothing).\n";
    result.code = 59;
}

void SaveAs(skarvelHostInterface&, const std::string&, CommandResult& result) {
    outstr << "***SAVE_AS called (does nothing).\n";
    result.code = 60;
}

void GetLog(skarvelHostInterface&, const std::string&, CommandResult& result) {
    outstr << "***GET_LOG called.\n";
    result.text = outstr.str();
}

void ResetLog(skarvelHostInterface&, const std::string&, CommandResult& result) {
    outstr.str("");
    outstr.clear();
    outstr << "***RESET_LOG called.\n";
    result.code = 63;
}

void SetupDll(skarvelHostInterface& host, const std::string& argument, CommandResult& result) {
    outstr << "***SETUP_DLL called.\n";
    outstr << "Root directory is:" << argument << "\n";
    host.setRootDir(argument);
    result.code = 68;
}

void GetProjectData(skarvelHostInterface&, const std::string&, CommandResult& result) {
    outstr << "***GET_PROJECT_DATA called.\n";
    result.text = projectData;
}

void GetStateData(skarvelHostInterface& host, const std::string&, CommandResult& result) {
    outstr << "***GET_STATE_DATA called.\n";
    result.text = host.txStateData();
}

constexpr int kFirstCommand = 50;
constexpr int kLastCommand = 81;

// Commands 50 to 81; null entries are invalid numbers.
const Command kCommands[kLastCommand - kFirstCommand + 1] = {
    Terminate,        // 50
    SetProject,       // 51
    SetupProject,     // 52
    GenerateDesign,   // 53
    ConstRpmMap,      // 54
    ConstVelocityMap, // 55
    CompPerformance,  // 56
    CloseProject,     // 57
    SaveProject,      // 58
    About,            // 59
    SaveAs,           // 60
    GetLog,           // 61
    nullptr,          // 62
    ResetLog,         // 63
    nullptr, nullptr, nullptr, nullptr,  // 64-67
    SetupDll,         // 68
    nullptr, nullptr, nullptr, nullptr, nullptr,  // 69-73
    nullptr, nullptr, nullptr, nullptr, nullptr,  // 74-78
    nullptr,          // 79
    GetProjectData,   // 80
    GetStateData,     // 81
};

void InvalidCommand(long number, const std::string& digits, const std::string& argument) {
    const std::string stars(33, '*');
    outstr << stars << "\n";
    outstr << "***ERROR: INVALID COMMAND called!\n";
    outstr << stars << "\n";
    outstr << number << " is a bogus option. Try again!\n";
    outstr << digits.c_str() << " possibly misconverted.\n";
    outstr << std::string(20, '=') << "\n";
    outstr << argument;
}

CommandResult Dispatch(const std::string& command) {
    const std::string digits = command.substr(0, 2);
    const std::string argument = command.substr(digits.size());
    const long number = std::strtol(digits.c_str(), nullptr, 10);

    if (theHostInterface == nullptr) theHostInterface = new skarvelHostInterface();

    CommandResult result;
    result.code = 99;
    const Command handler = (number >= kFirstCommand && number <= kLastCommand)
                                ? kCommands[number - kFirstCommand]
                                : nullptr;
    if (handler == nullptr) {
        InvalidCommand(number, digits, argument);
    } else {
        handler(*theHostInterface, argument, result);
    }
    outstr.flush();
    return result;
}

}  // namespace

CommandResult DLL_main(std::string command) {
    try {
        return Dispatch(command);
    } catch (const std::exception& failure) {
        ReportEscapedFailure("DLL_main", failure.what());
    } catch (...) {
        ReportEscapedFailure("DLL_main", nullptr);
    }
    return CommandResult();
}

void ReportEscapedFailure(const char* where, const char* what) noexcept {
    try {
        std::string message = std::string("Command abandoned: unexpected failure in ") + where;
        if (what != nullptr) message += std::string(": ") + what;
        MessageBoxFyi(getGlobalHandle(), message.c_str(), "Internal error", 0, kSource, __LINE__);
    } catch (...) {
    }
}
