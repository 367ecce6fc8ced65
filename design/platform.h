// The few things that differ between the Linux and the Windows library:
// directory tests and creation, and the separators of a path.
// platform_posix.cpp and platform_windows.cpp implement it; the build picks
// the one of the target system.
#pragma once

#include <string>

namespace platform {

// Whether something (a file or a directory) exists at `path`.
bool PathExists(const char* path);
// Whether `path` names an existing directory.
bool IsDirectory(const char* path);
// Creates the directory `path` (`mode` is its permission where the system
// has permissions); 0 on success, non-zero when it was not created.
int MakeDirectory(const char* path, int mode);
// Position of the last separator of `path`: "/" everywhere, and "\" too on
// Windows, whose front end sends paths with either; npos when there is none.
std::string::size_type LastSeparator(const std::string& path);

}  // namespace platform
