// Directories and paths on Windows, with the system's own calls only (the
// Windows library links against nothing but the operating system).
#include "design/platform.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace platform {

bool PathExists(const char* path) {
    return path != nullptr && ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const char* path) {
    if (path == nullptr) return false;
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int MakeDirectory(const char* path, int /*mode*/) {
    if (path == nullptr) return -1;
    return ::CreateDirectoryA(path, nullptr) ? 0 : -1;
}

std::string::size_type LastSeparator(const std::string& path) {
    return path.find_last_of("/\\");
}

}  // namespace platform
