#include "compute/proprun.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <string>

#include "compute/binary_file.h"
#include "compute/case_reader.h"
#include "compute/deck_reader.h"
#include "compute/design_report.h"
#include "compute/engine_state.h"
#include "compute/g_geom_p.h"
#include "compute/lifting_line.h"
#include "compute/make_geo.h"
#include "compute/prescribed_loading.h"

namespace {

constexpr float kCaseEnd = 888.888f;
constexpr float kDeckEnd = 999.999f;

// Working arrays of the driver, reused by every case.
float coefficients[kMaxCoefficients];
LiftingLineWork work;

struct ControlFile {
    bool standardAtmosphere = false;
    std::string input, output, polar, error, root;
};

// Reads the six lines of the control file; false when it cannot be opened
// or holds fewer lines.
bool ReadControlFile(const char* path, ControlFile* control) {
    INI_FILE.clear();
    INI_FILE.open(path);
    if (!INI_FILE.is_open()) return false;
    std::string lines[6];
    bool complete = true;
    for (std::string& line : lines) {
        if (!std::getline(INI_FILE, line)) {
            complete = false;
            break;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
    }
    INI_FILE.close();
    INI_FILE.clear();
    if (!complete) return false;
    int flag = 0;
    if (std::sscanf(lines[0].c_str(), "%d", &flag) != 1) flag = 0;
    control->standardAtmosphere = flag != 0;
    control->input = lines[1];
    control->output = lines[2];
    control->polar = lines[3];
    control->error = lines[4];
    control->root = lines[5];
    return true;
}

// Every run starts its text files in the default notation and precision.
void ResetFormat(std::ostream& out) {
    out.flags(std::ios_base::dec | std::ios_base::skipws);
    out.precision(6);
    out.width(0);
    out.fill(' ');
}

// The design step of the case's problem type.
void Design() {
    switch (s123_.CODE) {
        case 1:
            gopt_1__(coefficients, &s123_.NUM, &s123_.NUMM1, work.collocation, work.rhs,
                     work.solution, work.circulation, work.pivots1, work.pivots2, &work.firstCall);
            break;
        case 2:
            gopt_2__(coefficients);
            break;
        case 3:
            g_spec__(coefficients, &s123_.NUMM1, work.circulation, work.rhs, work.solution,
                     work.pivots2);
            break;
        default:
            break;
    }
}

enum class CaseEnd { kNextCase, kFinish, kStop };

// Runs one case whose header has been read; tells how the run goes on.
CaseEnd RunCase() {
    work.firstCall = 1;
    Design();
    if (except_ != 0) return CaseEnd::kStop;
    if (s123_.CODE == 4) {
        point_number = 0;
        g_geom__(coefficients, work.circulation, work.rhs, work.solution, work.pivots2,
                 &s123_.NUMM1, &loadPolarDatabase);
    } else {
        output_(coefficients);
        if (except_ != 0) return CaseEnd::kStop;
        int geometrySwitch = 0;
        if (!ReadDeckInt(&geometrySwitch, "the geometry switch")) return CaseEnd::kStop;
        if (geometrySwitch == 1) return CaseEnd::kFinish;
        make_geometry(coefficients, &loadPolarDatabase);
    }
    if (except_ != 0) return CaseEnd::kStop;

    // Case end: the marker, then a look at the next number without taking it.
    float marker = 0.0f;
    if (!ReadDeckFloat(&marker, "the case-end marker 888.888")) return CaseEnd::kStop;
    if (marker != kCaseEnd) return CaseEnd::kFinish;
    const std::streampos position = INPUT_FILE.tellg();
    std::string next;
    if (!(INPUT_FILE >> next)) return CaseEnd::kFinish;  // a single-case deck
    INPUT_FILE.clear();
    INPUT_FILE.seekg(position);
    char* end = nullptr;
    const float value = std::strtof(next.c_str(), &end);
    if (*end == '\0' && value == kDeckEnd) return CaseEnd::kFinish;
    return CaseEnd::kNextCase;
}

int Run(const char* controlFile) {
    ControlFile control;
    if (controlFile == nullptr || !ReadControlFile(controlFile, &control))
        return PROPRUN_CONTROL_NOT_OPENED;
    isStandardAtmosphere = control.standardAtmosphere;
    root_directory = control.root;

    ERROR_FILE.clear();
    ERROR_FILE.open(control.error, std::ios::out | std::ios::trunc);
    if (!ERROR_FILE.is_open()) return PROPRUN_FILE_NOT_OPENED;
    ResetFormat(ERROR_FILE);

    INPUT_FILE.clear();
    INPUT_FILE.open(control.input);
    if (!INPUT_FILE.is_open()) {
        ERROR_FILE << "Bad input file: " << control.input << "\n";
        CloseFiles();
        return PROPRUN_FILE_NOT_OPENED;
    }
    if (control.output == control.input) {
        ERROR_FILE << "\n\n   *** OUTPUT  file = INPUT file ****\n";
        CloseFiles();
        return PROPRUN_OUTPUT_IS_INPUT;
    }
    OUTPUT_FILE.clear();
    OUTPUT_FILE.open(control.output, std::ios::out | std::ios::trunc);
    if (!OUTPUT_FILE.is_open()) {
        ERROR_FILE << "Unable to open computations output file for writing: " << control.output
                   << "\n";
        CloseFiles();
        return PROPRUN_FILE_NOT_OPENED;
    }
    ResetFormat(OUTPUT_FILE);
    if (loadPolarDatabase && POLAR_FILE.open(control.polar.c_str(), "rb") == nullptr) {
        ERROR_FILE << "Bad polar file: " << control.polar << "\n";
        CloseFiles();
        return PROPRUN_POLAR_NOT_OPENED;
    }

    std::time_t start = std::time(nullptr);
    for (;;) {
        init_();
        if (except_ != 0) break;
        const CaseEnd end = RunCase();
        if (end == CaseEnd::kStop) break;
        if (end == CaseEnd::kFinish) {
            timstm_(&start);
            break;
        }
    }
    CloseFiles();
    return except_;
}

}  // namespace

int Proprun(const char* controlFile) {
    try {
        return Run(controlFile);
    } catch (const std::exception& failure) {
        if (ERROR_FILE.is_open())
            ERROR_FILE << "\nINTERNAL ERROR: " << failure.what() << "\n  ---PROGRAM HALTED\n";
    } catch (...) {
        if (ERROR_FILE.is_open()) ERROR_FILE << "\nINTERNAL ERROR\n  ---PROGRAM HALTED\n";
    }
    try {
        CloseFiles();
    } catch (...) {
    }
    except_ = PROPRUN_COMPUTATION_FAILED;
    return except_;
}

void CloseFiles() {
    OUTPUT_FILE.clear();
    OUTPUT_FILE.close();
    ERROR_FILE.clear();
    ERROR_FILE.close();
    INPUT_FILE.clear();
    INPUT_FILE.close();
}

void CleanUp() {
    polar.reset();
    polar_size = 0;
    POLAR_FILE.close();
}

void ResetDatabase() { loadPolarDatabase = true; }
