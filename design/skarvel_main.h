// The host-side state object behind the command dispatcher: it owns the two
// job builders and the project reader, remembers the root directory and the
// project path, and keeps the readiness flags that tell the front end which
// screens and runs it may enable.
#pragma once

#include <cstdint>
#include <string>

#include "design/job_records.h"

class BuildDesignFile;
class BuildPerformanceFile;
class ReadProject;

constexpr int kProjectNameSize = 255;

class skarvelHostInterface {
public:
    skarvelHostInterface();
    skarvelHostInterface(const skarvelHostInterface&) = delete;
    skarvelHostInterface& operator=(const skarvelHostInterface&) = delete;
    virtual ~skarvelHostInterface();
    virtual bool CanClose();

    std::string getRootDir() const;
    void setRootDir(std::string dir);
    int setProject(std::string path);
    int initProject(std::string projectText);
    bool CmProprun(Dialog_Choice choice, MapType map);
    void PerformanceMap(MapType map);
    bool CmFIXED_RPMMap();
    bool CmFIXED_SPEEDMap();
    void CmProjectClose();
    std::string txStateData() const;

    BuildDesignFile* designBuilder = nullptr;
    BuildPerformanceFile* performanceBuilder = nullptr;
    // The project reader of this object (also published as ProjectData).
    ReadProject* projectReader = nullptr;
    char projectName[kProjectNameSize + 1] = {};
    bool EnableDesignMain = false;
    bool EnableDesignLoads = false;
    bool EnableDesignDetailed = false;
    bool EnablePerfGeometry = false;
    bool EnablePerfPoints = false;
    bool EnablePerfMain = false;
    bool EnableGenerate_stdAtmos = false;
    bool EnableGenerate_notStdAtmos = false;
    bool EnablePerfMapComp = false;
    bool EnablePerfPointsComp_stdAtmos = false;
    bool EnablePerfPointsComp_notStdAtmos = false;
    int32_t NDesignPoints_stdAtmos = 0;
    int32_t NPerfPoints_stdAtmos = 0;
    int32_t NDesignPoints_notStdAtmos = 0;
    int32_t NPerfPoints_notStdAtmos = 0;
    int32_t NGeomPoints = 0;
    bool GoodMapSpec = false;
    bool GoodPrelDesignSpec = false;
    bool GoodPrelPerforSpec = false;
    bool GoodDetlDesignSpec = false;
    int32_t errorFlag = 0;
    int32_t windowHandle = 0;
    std::string rootDir;
};

// The one host object; null until the first command (and after TERMINATE).
extern skarvelHostInterface* theHostInterface;
// The project reader of the host object.
extern ReadProject* ProjectData;

// The last SETUP_PROJECT argument: the whole project text as the front end
// sent it. Survives TERMINATE.
extern std::string projectData;

// Writes the console menu into the log.
void print_options();

// The answer of one command: `code` is 99 unless the command succeeded
// (then its own number, or the set-up's failure code for SETUP_PROJECT);
// `text` is empty unless the command answers with a text.
struct CommandResult {
    int32_t code = 99;
    std::string text;
};

// The command dispatcher: a two-digit command number directly followed by
// its argument. Never throws. Exported as a C++ function (mangled name,
// shown by `nm -DC` as DLL_main(std::string)).
CommandResult DLL_main(std::string command);

// The last-resort report of a failure that would otherwise leave the
// library: one notice in the log naming where it was caught and, when
// known, what failed. Never throws.
void ReportEscapedFailure(const char* where, const char* what) noexcept;
