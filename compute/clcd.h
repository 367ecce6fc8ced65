// Lift and drag lookup in the loaded polar tables.
//
// The tables (the global `polar`, filled by read_all_perf / read_all_des__)
// form a six-dimensional column-major array, every index from 1, the set
// index (1 lift, 2 drag) first. Angles are in radians.
//
//   performance layout: (set, camber, Reynolds, Mach, t/c, angle)
//   design layout:      (set, Mach, Reynolds, camber, t/c, angle)
//
// Bracket flags (one 16-bit word per blade station): bit 1 Reynolds number
// strictly inside the grid, 2 Mach number, 4 thickness-to-chord, 8 camber.
// A clear bit means the value was clamped to a grid end and that variable
// is not interpolated.
//
// The lookups never read outside the array: grid indices are clamped into
// 1..dimension, an interpolating variable whose upper neighbour would lie
// past the grid is taken at its index alone, and a set with a single angle
// returns that angle's value. With no tables loaded they return 0. The
// extent of the array is taken when a lookup object is built, so build it
// after the tables are loaded and build a new one after a reload.
//
// Per-station arrays (flags, Mach indices, station t/c, camber, Reynolds and
// Mach numbers) are indexed by the station number directly (element 0
// unused), like shape_.XSTA and singleread_.MACHINDEX; the caller sizes
// them for its stations. The index functions read the grid of shape_.
//
// Typical use (performance analysis):
//   ensure_polar_tables(PolarLayout::Performance, loadPolarDatabase);  // polar_tables.h
//   if (except_) return 0;
//   PolarDims d = polar_dimensions(PolarLayout::Performance);
//   Get_Performance_CLCD look(polar.get(), d.d[0], d.d[1], d.d[2], d.d[3], d.d[4],
//                             shape_.NALPHA, &shape_.ALPHADB[0][0], flags, tc, camb, rey,
//                             mach, nullptr, shape_.REYDB, shape_.MACHDB, shape_.TCDB,
//                             shape_.CAMBDB, &shape_.NREY, &shape_.NMACH, &shape_.NTC,
//                             &shape_.NCAMB);
//   get_rynld_and_mach_DB_index(&rey[k], &mach[k], &ir, &im, flags[k]);
//   get_tbyc_and_camb_DB_index(&tc[k], &camb[k], &it, &ic, flags[k]);
//   float cl = look.get_perf_CLCD(k, alpha, ir, im, ic, it, 1);
#pragma once

#include <cstddef>
#include <cstdint>

// Grid indices of a station's Reynolds and Mach numbers in REYDB / MACHDB
// (shape_); sets bits 1 and 2 of `flags` and leaves the others.
void get_rynld_and_mach_DB_index(const float* reynolds, const float* mach, int32_t* reyIndex,
                                 int32_t* machIndex, uint16_t& flags);

// The same for thickness-to-chord (TCDB, bit 4) and camber (CAMBDB, bit 8).
void get_tbyc_and_camb_DB_index(const float* tbyc, const float* camber, int32_t* tcIndex,
                                int32_t* cambIndex, uint16_t& flags);

// Index of the thickness-to-chord grid value nearest to *tbyc (ties go to
// the lower index; values outside the grid give 1 or NTC).
void get_nearest_tbyc_DB_index(const float* tbyc, int32_t* tcIndex);

// Common part of the two lookups: the array, its first five dimensions
// (d1 = 2), the angle counts NALPHA[0..1] and the interleaved angle block
// (angle i of set s at alphadb[2*(i-1) + (s-1)], i.e. shape_.ALPHADB).
// Owns none of them.
class CLCD {
public:
    CLCD(float* data, const int& d1, const int& d2, const int& d3, const int& d4, const int& d5,
         const int32_t* nalpha, const float* alphadb);

protected:
    // Angle count of `set` (1 or 2), 0 when unusable.
    int angleCount(int set) const;
    // Angle i of `set`, i = 1..angleCount(set).
    float angle(int set, int i) const;
    // Bracket of alpha in the angles of `set`: 1 at or below the first
    // angle, m - 1 above the last, else i with angle[i] < alpha <= angle[i+1].
    int angleBracket(int set, float alpha) const;
    // Element (i1..i6) of the array, indices clamped into their dimensions.
    float at(int i1, int i2, int i3, int i4, int i5, int i6) const;
    // Value of `set` at alpha, interpolated (extrapolated outside the table)
    // in angle between rows i and i+1 at the given leading indices.
    float angleInterp(int set, float alpha, int i, int i2, int i3, int i4, int i5) const;

    int32_t dims[5];
    int32_t offset;  // -(1 + d1 + d1*d2 + ... + d1*..*d5)
    // Sixth dimension (the larger angle count) and the number of floats
    // the lookups may read, fixed at construction (0: nothing to read).
    int32_t nangles;
    std::size_t extent;
    const int32_t* nalpha;
    const float* alphadb;
    float* polarData;
};

// Design lookup: interpolates only in the angle; the other four variables
// are grid indices (Mach index from the per-station array).
class Get_Design_CLCD : public CLCD {
public:
    Get_Design_CLCD(float* data, const int& d1, const int& d2, const int& d3, const int& d4,
                    const int& d5, const int32_t* nalpha, const float* alphadb, uint16_t* flags,
                    const int32_t* machIndex);

    // station and indices from 1; set 1 lift, 2 drag; alpha in radians.
    float get_design_CLCD(const int& station, const int& set, const int& reyIndex,
                          const int& cambIndex, const int& tcIndex, const float& alpha) const;

private:
    uint16_t* flags;  // kept for the caller; not read
    const int32_t* machIndex;
};

// Performance lookup: linear in all five variables (per the station's
// bracket flags), with the post-stall rule beyond AMAX (amxum_).
class Get_Performance_CLCD : public CLCD {
public:
    Get_Performance_CLCD(float* data, const int& d1, const int& d2, const int& d3, const int& d4,
                         const int& d5, const int32_t* nalpha, const float* alphadb,
                         uint16_t* flags, const float* stationTbyc, const float* stationCamber,
                         const float* stationReynolds, const float* stationMach, int* callerInt,
                         const float* reydb, const float* machdb, const float* tcdb,
                         const float* cambdb, const int32_t* nrey, const int32_t* nmach,
                         const int32_t* ntc, const int32_t* ncamb);

    // station and indices from 1 (indices as set by the index functions);
    // set 1 lift, 2 drag; alpha in radians.
    float get_perf_CLCD(const int& station, const float& alpha, const int& reyIndex,
                        const int& machIndex, const int& cambIndex, const int& tcIndex,
                        const int& set) const;

private:
    uint16_t* flags;
    const float* stationTbyc;
    const float* stationCamber;
    const float* stationReynolds;
    const float* stationMach;
    int* callerInt;  // kept for the caller; not read
    const float* reydb;
    const float* machdb;
    const float* tcdb;
    const float* cambdb;
    const int32_t* nrey;
    const int32_t* nmach;
    const int32_t* ntc;
    const int32_t* ncamb;
};
