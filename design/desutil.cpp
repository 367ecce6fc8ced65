// The builders' working directory: Init of the performance and the design
// builder, and the two directory helpers.
#include "design/desutil.h"

#include "design/except.h"
#include "design/operation_trace.h"
#include "design/platform.h"

std::string InitSkarvel::TempPathName;

namespace {

constexpr const char* kSource = "../../design/desutil";

int RefusePath(int handle, const std::string& message) {
    MessageBoxFyi(handle, message.c_str(), "Invalid project path", 0, kSource, __LINE__);
    return 2;
}

}  // namespace

bool checkDir(const char* path, int /*mode*/) { return platform::PathExists(path); }

int createDir(const char* path, int mode) { return platform::MakeDirectory(path, mode); }

int BuildPerformanceFile::Init(int handle, const char* projectPath) {
    SKARVEL_TRACE_OPERATION("BuildPerformanceFile::Init", kSource);
    windowHandle = handle;
    nPoints_stdAtmos = 0;
    nPoints_notStdAtmos = 0;
    nGeometryStations = 0;
    geomConstraints.ngauss = 9;
    geomConstraints.num = 8;
    geomConstraints.problemType = 3;
    geomConstraints.inflowKind = 0;

    const std::string path = projectPath ? projectPath : "";
    const auto dot = path.rfind('.');
    const auto slash = platform::LastSeparator(path);
    if (dot == std::string::npos || slash == std::string::npos)
        return RefusePath(handle, "Project path '" + path +
                                      "' needs a directory and a file extension (\"/\" and \".\")");
    // A '.' only in a directory name would cut the path inside the directory.
    if (dot < slash)
        return RefusePath(handle, "Project path '" + path +
                                      "' has no file extension after its last \"/\"");

    const std::string workDir =
        path.substr(0, slash + 1) + path.substr(slash + 1, dot - slash - 1) + "_tmp/";
    if (workDir.size() > static_cast<std::size_t>(kPathChars))
        return RefusePath(handle, "Working directory '" + workDir + "' is longer than " +
                                      std::to_string(kPathChars) + " characters");
    projectBasePath = path.substr(0, dot);
    TempPathName = workDir;

    if (!checkDir(TempPathName.c_str(), 0777) && createDir(TempPathName.c_str(), 0777) == 0)
        return 0;
    // It existed already, or another process created it meanwhile: it must
    // be a directory.
    return platform::IsDirectory(TempPathName.c_str()) ? 0 : 7;
}

int BuildDesignFile::Init(int handle, const char* projectPath) {
    const int result = BuildPerformanceFile::Init(handle, projectPath);
    LoadingProfile[0].radius = -999.0f;  // no loading table given yet
    nStations = kDefaultRecords;
    return result;
}
