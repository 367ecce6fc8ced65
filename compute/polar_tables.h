// Loading of the polar coefficient tables that follow the polar file's
// header, in the two memory layouts of the engine (see clcd.h), and the
// bookkeeping of which layout is in memory.
//
// File format (all items 4 bytes, machine byte order): the header read by
// read_polar_header__ (rdhead.h), then for set 1 (lift) and set 2 (drag),
// for every t/c index, camber index and Reynolds index (outermost first) a
// record: the key floats t/c, camber, Reynolds number (must equal the
// header's grid values bit for bit), then per angle of the set one float
// (the angle, ignored) and NMACH coefficients in MACHDB order.
//
// How the blade-geometry and performance-analysis routines get their tables:
//
//   ensure_polar_tables(PolarLayout::Design, loadPolarDatabase);
//   if (except_ != 0) return 0;                 // status already reported
//   PolarDims d = polar_dimensions(PolarLayout::Design);
//   ... build the lookup over polar.get() with d.d[0..4] ...
//
// ensure_polar_tables reads header and tables when *loadPolarDatabase is
// set, or when the tables in memory are in the other layout (then it
// reopens the polar file by the path POLAR_FILE was last opened with). On
// success it clears *loadPolarDatabase and records the layout in
// `polar_layout`; on failure `except_` is set (1 bad header, 4 corrupt file
// or checksum not accepted, -1 out of memory, 3 file cannot be reopened),
// the message is in the error or output file, and *loadPolarDatabase stays
// set so that the next run reads the file again.
#pragma once

#include <cstdint>

enum class PolarLayout {
    None,         // no tables in memory
    Performance,  // (set, camber, Reynolds, Mach, t/c, angle)
    Design,       // (set, Mach, Reynolds, camber, t/c, angle)
};

// Layout of the tables now in `polar` (None after CleanUp / before a load).
extern PolarLayout polar_layout;

// The first five dimensions of the array in a layout, from shape_'s counts
// (d[0] = 2), and the sixth (the larger angle count).
struct PolarDims {
    int32_t d[5];
    int32_t nangles;
};
PolarDims polar_dimensions(PolarLayout layout);

// Checksums of set 1 accepted by the loaders, ending with 0xFFFFFFFF: the
// four values of the databases this engine has always accepted and the
// checksum of the default database shipped in data/.
extern const uint32_t kAcceptedPolarChecksums[];

// Checksum of set 1 as the loaders compute it: the sum, wrapping in 32
// bits, of every lift coefficient times 256 truncated toward zero.
int32_t polar_checksum_add(int32_t sum, float coefficient);

// Read the tables from POLAR_FILE (positioned after the header) into
// `data`, performance or design layout. d1..d5 must be the dimensions of
// the layout (polar_dimensions); `data` must hold d1*..*d5*max(NALPHA)
// floats. `checksums` ends with 0xFFFFFFFF. The first argument is not
// read. Both close the file and return 0; failure sets except_ to 4 with a
// message in the output file (key mismatch, short file, checksum not in
// the list) or to 1 (dimensions that do not match the header).
int read_all_perf(int* unused, float* data, int& d1, int& d2, int& d3, int& d4, int& d5,
                  const uint32_t* checksums);
int read_all_des__(int* unused, float* data, int& d1, int& d2, int& d3, int& d4, int& d5,
                   const uint32_t* checksums);

// See the top of this file. Returns 0.
int ensure_polar_tables(PolarLayout layout, bool* loadPolarDatabase);

// Frees the tables and forgets the layout (used by the driver's CleanUp).
void release_polar_tables();
