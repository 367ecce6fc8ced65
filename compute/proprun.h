// Entry of the computation engine: runs the input deck named by a control
// file case by case and returns a status code.
#pragma once

// Status codes of Proprun (other engine parts add 4, 8, -1 and -5).
enum ProprunStatus {
    PROPRUN_OK = 0,
    PROPRUN_COMPUTATION_FAILED = 1,
    PROPRUN_FILE_NOT_OPENED = 2,
    PROPRUN_POLAR_NOT_OPENED = 3,
    PROPRUN_POLAR_CORRUPT = 4,
    PROPRUN_CONTROL_NOT_OPENED = 5,
    PROPRUN_OUTPUT_IS_INPUT = 6,
    PROPRUN_SINGULAR_MATRIX = 8,
    PROPRUN_OUT_OF_MEMORY = -1,
    PROPRUN_NEGATIVE_CHORD = -5
};

// Runs the engine on the files named by the control file `controlFile` (six
// lines: standard-atmosphere switch, input deck, output file, polar file,
// error file, installation root). Never throws.
int Proprun(const char* controlFile);

// Clears the state of OUTPUT_FILE, ERROR_FILE and INPUT_FILE and closes them.
void CloseFiles();

// Frees the polar tables (and closes the polar file if it is still open).
void CleanUp();

// Makes the next design geometry or analysis read the polar tables again.
void ResetDatabase();
