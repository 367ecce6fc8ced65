// The project reader: parses the project text that the front end sends
// with SETUP_PROJECT into the buffers of the two job builders, holds the
// project's path and directory, and resets the host's readiness fields.
//
// The text is a sequence of values, each between "<" and ">"; whatever
// stands between values is a label for the reader of the file and is
// skipped. Three kinds of value are read: short fields (at most 29
// characters), records (at most 254 characters, words separated by
// blanks) and strings (any length).
//
// Overlong values never overrun a buffer:
//  - a short field or a record that is too long, or more than 256
//    characters before the next "<", or the end of the text, stops the
//    reading: the text stream goes into its failed state, a notice says
//    why, and that value and every later one keep their initial values
//    (a table reached in that state is a format error);
//  - a table word longer than a cell (30 characters) is a format error of
//    its table; a map word longer than 29 characters, a map record longer
//    than 254 or with fewer than 9 words is a format error of the maps.
#pragma once

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>

#include "design/fixed_text.h"

class skarvelHostInterface;
class BuildPerformanceFile;
struct Primary_Data_Buffer;

// The library's version identifier; a project is read as compatible when
// its version value equals it.
extern const char* const srvVersionID;

class ReadProject {
public:
    explicit ReadProject(skarvelHostInterface* host);
    ReadProject(const ReadProject&) = delete;
    ReadProject& operator=(const ReadProject&) = delete;
    virtual ~ReadProject() = default;

    // `resolution` of the design / performance builder's basic data.
    virtual int GetDesignResolution();
    virtual int GetPerformanceResolution();

    // Stores the project path and splits it at its last "/"; 0, or 9 when
    // the path has no "/" or is longer than 255 characters.
    int setProject(const char* path);
    // Reads the whole project text into the builders' buffers: 0 when the
    // version is compatible and both basic-data blocks passed their checks,
    // else 1. A malformed table throws InvalidFileFormat; a project path
    // without "/" throws the integer 1.
    int read_project(std::string projectText);
    bool isCompatibleProject(const std::string& version) const;
    // Clears the host's readiness fields (the user-gas point counts stay).
    void reset_state();
    // Puts every buffer of both builders into its initial state.
    void initialize();
    // Accepted and ignored; answers 2.
    int new_project(const char* name);

    const char* projectPath() const { return projectFile.c_str(); }
    const char* projectDirectory() const { return projectDir.c_str(); }

private:
    enum class Table { Detailed, Geometry, LoadsStdAtmos, LoadsNotStdAtmos };
    using CellAt = std::function<FixedText<30>&(int row, int field)>;

    bool readValue(std::string& value);
    void readString(std::string& out);
    void readShortField(FixedText<29>& out);
    void readShortInt(int32_t& out);
    bool readRecord(std::string& record, bool* tooLong = nullptr);
    void stopReading(const std::string& reason);

    bool read_design_basic(Primary_Data_Buffer& buffer, int32_t* comboIndex);
    void read_table(Table table, int fields, const CellAt& cellAt);
    [[noreturn]] void table_format_error(Table table, const std::string& reason);
    void read_units(int32_t* comboIndex, const int* entries, int count);
    // The two operating-point tables of a builder with their unit selections.
    void read_point_tables(BuildPerformanceFile& builder);
    void read_maps();

    std::string endOfBlockMarker;
    skarvelHostInterface* host;
    FixedText<255> projectFile;
    FixedText<255> projectDir;
    std::istringstream projectStream;
    int valueNumber = 0;  // values read so far in this project text
};
