// Directories and paths on Linux: Boost.Filesystem for the tests, POSIX
// mkdir for the creation.
#include "design/platform.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <boost/filesystem.hpp>

namespace platform {

bool PathExists(const char* path) {
    if (path == nullptr) return false;
    boost::system::error_code ec;
    return boost::filesystem::exists(boost::filesystem::path(path), ec);
}

bool IsDirectory(const char* path) {
    if (path == nullptr) return false;
    boost::system::error_code ec;
    return boost::filesystem::is_directory(boost::filesystem::path(path), ec);
}

int MakeDirectory(const char* path, int mode) {
    if (path == nullptr) return -1;
    return ::mkdir(path, static_cast<mode_t>(mode));
}

std::string::size_type LastSeparator(const std::string& path) { return path.rfind('/'); }

}  // namespace platform
