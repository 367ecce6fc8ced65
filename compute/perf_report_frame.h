// The frame of the performance report page in OUTPUT_FILE: the HTML head
// and the opening of the page table, the results heading and problem title,
// the inflow listing, the echo of each block's basic inputs, the blade
// geometry and the markers around each block's results. The page is closed
// by the driver's run stamp and trailer.
#pragma once

// HTML preamble (script references below root_directory) and the opening
// cells of the page table into which the report text goes.
int WritePerformancePagePreamble();

// The results banner and the problem title line.
int WriteRotorResultsHeading(const char* title);

// Uniform flow: one line. Nonuniform: the table of x, VELDED and THRDED at
// the grid points 0..*num (behind_) at their cosine-spaced radii.
int WriteInflowListing(const int* num);

// What one block of operating points works with, as the report shows it.
struct BlockInputs {
    float speed = 0;               // m/s when positive, else minus revolutions per second
    float kinematicViscosity = 0;  // m^2/s
    float soundSpeed = 0;          // m/s
    float density = 0;             // kg/m^3
    float altitude = 0;            // feet
    float temperature = 0;         // kelvin
    bool standardAtmosphere = false;
};

// "START" and the block's basic inputs; `knots` converts m/s to knots.
int WriteBlockStart(const BlockInputs* inputs, const float* knots);

// The blade geometry table of *count points (arrays indexed from 1, chord
// as a fraction of the diameter, twist in degrees) and the blade summary.
int WriteBladeGeometry(const float* x, const float* chordByD, const float* camber,
                       const float* tbyc, const float* twist, const int* count,
                       const float* activityFactor, const int* bladeCount, const float* diameter,
                       const float* hubRatio);

// The heading of the block's operating points.
int WriteAnalysisHeading();

// The marker after the block's last operating point.
int WriteBlockEnd();
