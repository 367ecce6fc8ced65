// Raw 4-byte reader of the binary polar database.
//
// Items are read as raw bytes in the machine's order. A read past the end
// of the file leaves the argument unchanged and marks the file
// (short_read), so that the loaders can report a truncated file instead of
// using stale values. The stream is closed by close(), by a later open()
// and by the destructor, so no handle is ever leaked.
#pragma once

#include <cstdio>
#include <string>

class BinaryFile {
public:
    BinaryFile() = default;
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;
    virtual ~BinaryFile();
    // Opens `path` with the stdio `mode`; on failure writes
    // "Cannot open binary file: <path>" to the error file and returns null.
    std::FILE* open(const char* path, const char* mode);
    // Opens again, for reading, the file last given to open(); used when the
    // tables must be reread in another layout. Null when there is none.
    std::FILE* reopen();
    const std::string& path() const { return lastPath; }
    void close();
    bool is_open() const { return fp != nullptr; }
    // True once a read delivered fewer than 4 bytes.
    bool short_read() const { return shortRead; }

protected:
    std::FILE* fp = nullptr;
    bool shortRead = false;
    std::string lastPath;
};

class RBinaryFile : public BinaryFile {
public:
    RBinaryFile& operator>>(int& value);
    RBinaryFile& operator>>(float& value);
};

extern RBinaryFile POLAR_FILE;
