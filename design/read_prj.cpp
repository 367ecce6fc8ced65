#include "design/read_prj.h"

#include <climits>
#include <cstdlib>
#include <vector>

#include "design/desutil.h"
#include "design/except.h"
#include "design/platform.h"
#include "design/skarvel_main.h"

const char* const srvVersionID = "v0.2.2 (Beta)";

namespace {

constexpr const char* kSource = "../../design/read_prj";
constexpr const char* kInvalidFormat = "Invalid File Format Found. Specify another file";
constexpr int kMaxGap = 256;  // characters skipped at most before a "<"

// Further versions whose projects read as compatible; "LAST" closes the list.
const char* const kCompatibleVersions[] = {"LAST"};

// The value of `text` as the standard decimal conversion gives it, kept
// within the 32-bit range.
int32_t DecimalValue(const char* text) {
    const long value = std::strtol(text, nullptr, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::vector<std::string> SplitWords(const std::string& record) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < record.size()) {
        while (i < record.size() && IsBlank(record[i])) ++i;
        const std::size_t start = i;
        while (i < record.size() && !IsBlank(record[i])) ++i;
        if (i > start) words.push_back(record.substr(start, i - start));
    }
    return words;
}

// A value quoted in a notice: at most 40 characters of it.
std::string Quote(const std::string& value) {
    return "'" + (value.size() > 40 ? value.substr(0, 40) + "..." : value) + "'";
}

}  // namespace

ReadProject::ReadProject(skarvelHostInterface* hostInterface)
    : endOfBlockMarker("tqbfendrecord"), host(hostInterface) {
    reset_state();
    if (host != nullptr) {
        host->NDesignPoints_notStdAtmos = 0;
        host->NPerfPoints_notStdAtmos = 0;
    }
}

int ReadProject::GetDesignResolution() {
    return host && host->designBuilder ? host->designBuilder->geometry.resolution : 0;
}

int ReadProject::GetPerformanceResolution() {
    return host && host->performanceBuilder ? host->performanceBuilder->geometry.resolution : 0;
}

int ReadProject::setProject(const char* path) {
    const std::string text = path ? path : "";
    if (!projectFile.assign(text)) {
        projectFile.clear();
        projectDir.clear();
        return 9;
    }
    const auto slash = platform::LastSeparator(text);
    if (slash == std::string::npos) {
        projectDir.clear();
        return 9;
    }
    projectDir.assign(text.substr(0, slash));
    return 0;
}

bool ReadProject::isCompatibleProject(const std::string& version) const {
    if (version == srvVersionID) return true;
    for (const char* entry : kCompatibleVersions) {
        if (std::string(entry) == "LAST") break;
        if (version == entry) return true;
    }
    return false;
}

void ReadProject::reset_state() {
    if (host == nullptr) return;
    host->EnableDesignMain = false;
    host->EnableDesignLoads = false;
    host->EnableDesignDetailed = false;
    host->EnablePerfGeometry = false;
    host->EnablePerfPoints = false;
    host->EnablePerfMain = false;
    host->EnableGenerate_stdAtmos = false;
    host->EnableGenerate_notStdAtmos = false;
    host->EnablePerfMapComp = false;
    host->EnablePerfPointsComp_stdAtmos = false;
    host->EnablePerfPointsComp_notStdAtmos = false;
    host->NDesignPoints_stdAtmos = 0;
    host->NPerfPoints_stdAtmos = 0;
    host->NGeomPoints = 0;
    host->GoodMapSpec = false;
    host->GoodPrelDesignSpec = false;
    host->GoodPrelPerforSpec = false;
    host->GoodDetlDesignSpec = true;
}

int ReadProject::new_project(const char* /*name*/) { return 2; }

void ReadProject::initialize() {
    if (host == nullptr) return;
    const std::string path = projectFile.str();
    const auto slash = platform::LastSeparator(path);
    BuildPerformanceFile* builders[] = {host->designBuilder, host->performanceBuilder};
    for (BuildPerformanceFile* builder : builders) {
        if (builder == nullptr) continue;
        if (slash == std::string::npos) {
            MessageBoxModal(host->windowHandle,
                            "Project file name is invalid... try using a full pathname", "", 0,
                            kSource, 582);
            throw 1;
        }
        Primary_Data_Buffer& basic = builder->geometry;
        basic = Primary_Data_Buffer();
        basic.project = " " + path.substr(slash + 1);
        for (int32_t& entry : builder->ComboIndex) entry = 0;

        for (auto& record : builder->Loads_Buffer_stdAtmos)
            for (auto& cell : record.cell) cell.clear();
        for (auto& record : builder->Loads_Buffer_notStdAtmos)
            for (auto& cell : record.cell) cell.clear();
        for (auto& column : builder->Propeller_Geom_Buffer)
            for (auto& cell : column) cell.clear();
        for (int m = 0; m < kMapCount; ++m) {
            for (auto& cell : builder->Map_Buffer_stdAtmos[m].cell) cell.clear();
            builder->Map_Buffer_stdAtmos[m].mapSetting = 0;
            for (int32_t& unit : builder->BasicUnits[m]) unit = 0;
        }
    }
    if (host->designBuilder != nullptr)
        for (auto& column : host->designBuilder->Detailed_Design_Buffer)
            for (auto& cell : column) cell.clear();
}

// ---- reading values -------------------------------------------------------

void ReadProject::stopReading(const std::string& reason) {
    projectStream.setstate(std::ios::failbit);
    MessageBoxFyi(host ? host->windowHandle : 0,
                  (reason + "; this and every later value keep their initial values").c_str(),
                  "Project text not read to its end", 0, kSource, __LINE__);
}

bool ReadProject::readValue(std::string& value) {
    if (!projectStream.good()) return false;
    ++valueNumber;
    int skipped = 0;
    for (;;) {
        const int c = projectStream.get();
        if (c == std::char_traits<char>::eof()) {
            stopReading("The project text ends before value " + std::to_string(valueNumber));
            return false;
        }
        if (c == '<') break;
        if (++skipped >= kMaxGap) {
            stopReading("No \"<\" within " + std::to_string(kMaxGap) +
                        " characters before value " + std::to_string(valueNumber));
            return false;
        }
    }
    value.clear();
    for (;;) {
        const int c = projectStream.get();
        if (c == std::char_traits<char>::eof()) {
            stopReading("Value " + std::to_string(valueNumber) + " " + Quote(value) +
                        " has no closing \">\"");
            return false;
        }
        if (c == '>') return true;
        value.push_back(static_cast<char>(c));
    }
}

void ReadProject::readString(std::string& out) {
    std::string value;
    if (readValue(value)) out = value;
}

void ReadProject::readShortField(FixedText<29>& out) {
    std::string value;
    if (!readValue(value)) return;
    if (!out.assign(value))
        stopReading("Value " + std::to_string(valueNumber) + " " + Quote(value) + " has " +
                    std::to_string(value.size()) + " characters; a field holds at most " +
                    std::to_string(kShortFieldChars));
}

void ReadProject::readShortInt(int32_t& out) {
    FixedText<29> field;
    readShortField(field);
    if (!field.empty()) out = DecimalValue(field.c_str());
}

bool ReadProject::readRecord(std::string& record, bool* tooLong) {
    record.clear();
    if (tooLong != nullptr) *tooLong = false;
    std::string value;
    if (!readValue(value)) return false;
    if (value.size() > static_cast<std::size_t>(kRecordChars)) {
        stopReading("Record " + std::to_string(valueNumber) + " " + Quote(value) + " has " +
                    std::to_string(value.size()) + " characters; a record holds at most " +
                    std::to_string(kRecordChars));
        if (tooLong != nullptr) *tooLong = true;
        return false;
    }
    record = value;
    return true;
}

// ---- blocks -----------------------------------------------------------------

bool ReadProject::read_design_basic(Primary_Data_Buffer& buffer, int32_t* comboIndex) {
    try {
        FixedText<29> atmosphere;
        readShortField(atmosphere);
        if (!atmosphere.empty()) buffer.atmosphere = DecimalValue(atmosphere.c_str()) == 0 ? 0 : 1;
        readString(buffer.title);
        readString(buffer.name);
        readString(buffer.project);
        readString(buffer.polarPath);
        readShortField(buffer.hubDia);
        readShortField(buffer.TipDiameter);
        readShortField(buffer.MinThickness);
        readShortField(buffer.ActivityFactor);
        readShortField(buffer.BladeNumber);
        readShortInt(buffer.resolution);
        readShortInt(comboIndex[11]);
        readShortInt(comboIndex[12]);
        FixedText<29> marker;
        readShortField(marker);

        outstr << std::string(33, '=') << "\n";
        outstr << "preliminary design EOD marker = '" << marker.c_str() << "'\n";
        outstr << kSource << ":" << 276 << "\n";
        outstr << "srvVersionID = " << srvVersionID << "\n";
        outstr << "title = " << buffer.title << "\n";
        outstr << "name = " << buffer.name << "\n";
        outstr << "project = " << buffer.project << "\n";
        outstr << "hub dia = " << buffer.hubDia.c_str() << "\n";
        outstr << "activity factor = " << buffer.ActivityFactor.c_str() << "\n";
        outstr << "end_of_record = " << marker.c_str() << "\n";
        outstr.flush();

        return !(DecimalValue(buffer.BladeNumber.c_str()) < 2 ||
                 std::strtod(buffer.ActivityFactor.c_str(), nullptr) < 20 ||
                 std::strtod(buffer.TipDiameter.c_str(), nullptr) == 0 ||
                 std::strtod(buffer.MinThickness.c_str(), nullptr) == 0);
    } catch (...) {
        MessageBoxModal(host ? host->windowHandle : 0, kInvalidFormat,
                        "Error in file format. Error in fundamental design parameters.", 0,
                        kSource, 289);
        throw InvalidFileFormat();
    }
}

void ReadProject::table_format_error(Table table, const std::string& reason) {
    const int handle = host ? host->windowHandle : 0;
    if (!reason.empty()) MessageBoxFyi(handle, reason.c_str(), nullptr, 0, kSource, __LINE__);
    switch (table) {
        case Table::Detailed:
            MessageBoxModal(handle, kInvalidFormat,
                            "Error in file format while reading detailed design", 0, kSource, 329);
            MessageBoxModal(handle, kInvalidFormat,
                            "Error in file format while reading detailed design", 0, kSource, 338);
            break;
        case Table::LoadsNotStdAtmos:
            MessageBoxModal(handle, kInvalidFormat, "Error in file format while reading loads", 0,
                            kSource, 369);
            break;
        case Table::LoadsStdAtmos:
            MessageBoxModal(handle, kInvalidFormat, "Error in file format while reading loads", 0,
                            kSource, 416);
            break;
        case Table::Geometry:
            MessageBoxModal(handle, kInvalidFormat,
                            "Error in file format while reading detailed design", 0, kSource, 561);
            break;
    }
    throw InvalidFileFormat();
}

void ReadProject::read_table(Table table, int fields, const CellAt& cellAt) {
    for (int row = 0;; ++row) {
        std::string record;
        if (!readRecord(record))
            table_format_error(table, "The table ending at value " + std::to_string(valueNumber) +
                                          " has no end-of-block record");
        if (!record.empty() && record[0] == endOfBlockMarker[0]) return;
        if (DecimalValue(record.c_str()) == -1)
            table_format_error(table, "Record " + std::to_string(valueNumber) + " " +
                                          Quote(record) + " starts with -1");
        if (row >= kTableRows)
            table_format_error(table, "Record " + std::to_string(valueNumber) + " " +
                                          Quote(record) + " is data record " +
                                          std::to_string(row + 1) + "; a table holds at most " +
                                          std::to_string(kTableRows));
        const std::vector<std::string> words = SplitWords(record);
        for (int field = 0; field < fields; ++field) {
            FixedText<30>& cell = cellAt(row, field);
            if (field >= static_cast<int>(words.size())) {
                cell.clear();
            } else if (!cell.assign(words[field])) {
                table_format_error(table, "Word " + Quote(words[field]) + " of record " +
                                              std::to_string(valueNumber) + " has " +
                                              std::to_string(words[field].size()) +
                                              " characters; a cell holds at most " +
                                              std::to_string(kTableCellChars));
            }
        }
    }
}

void ReadProject::read_units(int32_t* comboIndex, const int* entries, int count) {
    for (int i = 0; i < count; ++i) readShortInt(comboIndex[entries[i]]);
    std::string ignored;
    readString(ignored);
}

void ReadProject::read_maps() {
    BuildPerformanceFile& builder = *host->performanceBuilder;
    // Word k of a map record goes to cell kWordToCell[k] (1-based cells).
    static const int kWordToCell[9] = {1, 2, 6, 7, 5, 8, 9, 3, 4};
    for (int m = 0; m < kMapCount; ++m) {
        std::string record;
        bool tooLong = false;
        if (!readRecord(record, &tooLong)) {
            if (tooLong) throw InvalidFileFormat();
            return;
        }
        if (record.size() < 2) return;
        const std::vector<std::string> words = SplitWords(record);
        if (words.size() < 9) {
            MessageBoxFyi(host->windowHandle,
                          ("Map record " + Quote(record) + " has " + std::to_string(words.size()) +
                           " words; a map record needs 9")
                              .c_str(),
                          nullptr, 0, kSource, __LINE__);
            throw InvalidFileFormat();
        }
        Map_Record& map = builder.Map_Buffer_stdAtmos[m];
        for (int k = 0; k < 9; ++k) {
            if (words[k].size() > static_cast<std::size_t>(kMapCellChars) ||
                !map.cell[kWordToCell[k] - 1].assign(words[k])) {
                MessageBoxFyi(host->windowHandle,
                              ("Map word " + Quote(words[k]) + " has " +
                               std::to_string(words[k].size()) +
                               " characters; a map cell holds at most " +
                               std::to_string(kMapCellChars))
                                  .c_str(),
                              nullptr, 0, kSource, __LINE__);
                throw InvalidFileFormat();
            }
        }
        for (int u = 0; u < kMapUnitEntries; ++u) readShortInt(builder.BasicUnits[m][u]);
        readShortInt(map.mapSetting);
    }
}

void ReadProject::read_point_tables(BuildPerformanceFile& builder) {
    static const int kStdUnits[5] = {0, 1, 2, 3, 4};
    static const int kNotStdUnits[6] = {5, 6, 9, 7, 8, 10};
    read_table(Table::LoadsStdAtmos, 6, [&](int row, int field) -> FixedText<30>& {
        return builder.Loads_Buffer_stdAtmos[row].cell[field];
    });
    read_units(builder.ComboIndex, kStdUnits, 5);
    read_table(Table::LoadsNotStdAtmos, 7, [&](int row, int field) -> FixedText<30>& {
        return builder.Loads_Buffer_notStdAtmos[row].cell[field];
    });
    read_units(builder.ComboIndex, kNotStdUnits, 6);
}

int ReadProject::read_project(std::string projectText) {
    projectStream.str(std::move(projectText));
    projectStream.clear();
    projectStream.seekg(0);
    valueNumber = 0;

    reset_state();
    initialize();
    if (host == nullptr || host->designBuilder == nullptr || host->performanceBuilder == nullptr)
        return 1;
    BuildDesignFile& design = *host->designBuilder;
    BuildPerformanceFile& performance = *host->performanceBuilder;

    std::string version;
    readString(version);
    const bool compatible = isCompatibleProject(version);
    if (!compatible)
        MessageBoxFyi(host->windowHandle,
                      ("Project version " + Quote(version) + " is not this library's version " +
                       srvVersionID + "; its data are read all the same")
                          .c_str(),
                      nullptr, 0, kSource, __LINE__);

    const bool designGood = read_design_basic(design.geometry, design.ComboIndex);
    read_table(Table::Detailed, DETAILED_COLUMNS, [&](int row, int field) -> FixedText<30>& {
        return design.Detailed_Design_Buffer[field][row];
    });
    read_point_tables(design);

    const bool performanceGood = read_design_basic(performance.geometry, performance.ComboIndex);
    read_table(Table::Geometry, GEOMETRY_COLUMNS, [&](int row, int field) -> FixedText<30>& {
        return performance.Propeller_Geom_Buffer[field][row];
    });
    read_point_tables(performance);
    read_maps();

    return (compatible && designGood && performanceGood) ? 0 : 1;
}
