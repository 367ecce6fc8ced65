// Raw 4-byte reader of the binary polar database.
#pragma once

#include <cstdio>

class BinaryFile {
public:
    BinaryFile() = default;
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;
    virtual ~BinaryFile();
    // Opens `path` with the stdio `mode`; on failure writes
    // "Cannot open binary file: <path>" to the error file and returns null.
    std::FILE* open(const char* path, const char* mode);
    void close();
    bool is_open() const { return fp != nullptr; }
    // True once a read delivered fewer than 4 bytes.
    bool short_read() const { return shortRead; }

protected:
    std::FILE* fp = nullptr;
    bool shortRead = false;
};

class RBinaryFile : public BinaryFile {
public:
    RBinaryFile& operator>>(int& value);
    RBinaryFile& operator>>(float& value);
};

extern RBinaryFile POLAR_FILE;
