#include "compute/binary_file.h"

#include <cstdint>
#include <cstring>

#include "compute/engine_state.h"

RBinaryFile POLAR_FILE;

BinaryFile::~BinaryFile() { close(); }

std::FILE* BinaryFile::open(const char* path, const char* mode) {
    close();
    shortRead = false;
    lastPath = path != nullptr ? path : "";
    fp = path != nullptr && mode != nullptr ? std::fopen(path, mode) : nullptr;
    if (fp == nullptr) ERROR_FILE << "Cannot open binary file: " << lastPath << "\n";
    return fp;
}

std::FILE* BinaryFile::reopen() {
    if (lastPath.empty()) {
        close();
        ERROR_FILE << "Cannot open binary file: no polar file was named\n";
        return nullptr;
    }
    const std::string path = lastPath;
    return open(path.c_str(), "rb");
}

void BinaryFile::close() {
    if (fp != nullptr) std::fclose(fp);
    fp = nullptr;
}

namespace {

template <typename T>
void read4(std::FILE* fp, bool& shortRead, T& value) {
    static_assert(sizeof(T) == 4, "polar items are 4 bytes");
    unsigned char bytes[4];
    if (fp == nullptr || std::fread(bytes, 1, 4, fp) != 4) {
        shortRead = true;
        return;
    }
    std::memcpy(&value, bytes, 4);
}

}  // namespace

RBinaryFile& RBinaryFile::operator>>(int& value) {
    read4(fp, shortRead, value);
    return *this;
}

RBinaryFile& RBinaryFile::operator>>(float& value) {
    read4(fp, shortRead, value);
    return *this;
}
