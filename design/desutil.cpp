// The builders' working directory: Init of the performance and the design
// builder, and the two directory helpers.
#include "design/desutil.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <boost/filesystem.hpp>

#include "design/except.h"

std::string InitSkarvel::TempPathName;

namespace {

constexpr const char* kSource = "../../design/desutil";

int RefusePath(int handle, const std::string& message) {
    MessageBoxFyi(handle, message.c_str(), "Invalid project path", 0, kSource, __LINE__);
    return 2;
}

}  // namespace

bool checkDir(const char* path, int /*mode*/) {
    if (path == nullptr) return false;
    boost::system::error_code ec;
    return boost::filesystem::exists(boost::filesystem::path(path), ec);
}

int createDir(const char* path, int mode) {
    if (path == nullptr) return -1;
    return ::mkdir(path, static_cast<mode_t>(mode));
}

int BuildPerformanceFile::Init(int handle, const char* projectPath) {
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
    const auto slash = path.rfind('/');
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
    boost::system::error_code ec;
    return boost::filesystem::is_directory(boost::filesystem::path(TempPathName), ec) ? 0 : 7;
}

int BuildDesignFile::Init(int handle, const char* projectPath) {
    const int result = BuildPerformanceFile::Init(handle, projectPath);
    LoadingProfile[0].radius = -999.0f;  // no loading table given yet
    nStations = kDefaultRecords;
    return result;
}
