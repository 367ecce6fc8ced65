#include "compute/clcd.h"

#include <algorithm>
#include <cstddef>

#include "compute/engine_state.h"

namespace {

constexpr float kPostStallLimit = 1.396f;  // about 80 degrees, radians

// Bracket of x in grid g[0..n-1] (ascending): 1-based index i with
// g[i] < x <= g[i+1] and true, or the clamped end (1 or n) and false.
// A value that is not a number clamps to 1.
bool bracket(const float* g, int32_t n, float x, int32_t* index) {
    *index = 1;
    if (g == nullptr || n < 1 || !(x > g[0])) return false;
    if (x >= g[n - 1]) {
        *index = n;
        return false;
    }
    for (int32_t i = 1; i < n; ++i)
        if (x <= g[i]) {
            *index = i;
            return true;
        }
    *index = n;
    return false;
}

void set_bit(uint16_t& flags, uint16_t bit, bool on) {
    flags = static_cast<uint16_t>(on ? (flags | bit) : (flags & ~bit));
}

// Linear interpolation of (v0 at g0, v1 at g1) at x.
float lerp(float v0, float v1, float g0, float g1, float x) {
    if (g1 == g0) return v0;
    return v0 + (v1 - v0) / (g1 - g0) * (x - g0);
}

}  // namespace

void get_rynld_and_mach_DB_index(const float* reynolds, const float* mach, int32_t* reyIndex,
                                 int32_t* machIndex, uint16_t& flags) {
    set_bit(flags, 1, bracket(shape_.REYDB, shape_.NREY, *reynolds, reyIndex));
    set_bit(flags, 2, bracket(shape_.MACHDB, shape_.NMACH, *mach, machIndex));
}

void get_tbyc_and_camb_DB_index(const float* tbyc, const float* camber, int32_t* tcIndex,
                                int32_t* cambIndex, uint16_t& flags) {
    set_bit(flags, 4, bracket(shape_.TCDB, shape_.NTC, *tbyc, tcIndex));
    set_bit(flags, 8, bracket(shape_.CAMBDB, shape_.NCAMB, *camber, cambIndex));
}

void get_nearest_tbyc_DB_index(const float* tbyc, int32_t* tcIndex) {
    const float x = *tbyc;
    int32_t i = 1;
    if (!bracket(shape_.TCDB, shape_.NTC, x, &i)) {
        *tcIndex = i;
        return;
    }
    const float* g = shape_.TCDB;
    *tcIndex = (x - g[i - 1] > g[i] - x) ? i + 1 : i;
}

// ---- CLCD ----------------------------------------------------------------

CLCD::CLCD(float* data, const int& d1, const int& d2, const int& d3, const int& d4,
           const int& d5, const int32_t* nalpha_, const float* alphadb_)
    : dims{d1, d2, d3, d4, d5},
      offset(-(1 + d1 + d1 * d2 + d1 * d2 * d3 + d1 * d2 * d3 * d4 + d1 * d2 * d3 * d4 * d5)),
      nangles(0),
      extent(0),
      nalpha(nalpha_),
      alphadb(alphadb_),
      polarData(data) {
    nangles = std::max(angleCount(1), angleCount(2));
    bool usable = polarData != nullptr && nangles > 0;
    std::size_t size = static_cast<std::size_t>(nangles);
    for (int32_t d : dims) {
        usable = usable && d > 0;
        size *= static_cast<std::size_t>(std::max(d, 0));
    }
    // The engine's own tables know their size; never read past it.
    if (usable && polarData == polar.get()) size = std::min(size, polar_size);
    extent = usable ? size : 0;
}

int CLCD::angleCount(int set) const {
    if (nalpha == nullptr || alphadb == nullptr || (set != 1 && set != 2)) return 0;
    return std::clamp<int32_t>(nalpha[set - 1], 0, kMaxPolarAngles);
}

float CLCD::angle(int set, int i) const { return alphadb[2 * (i - 1) + (set - 1)]; }

int CLCD::angleBracket(int set, float alpha) const {
    const int m = angleCount(set);
    if (m < 2 || !(alpha > angle(set, 1))) return 1;
    if (alpha > angle(set, m)) return m - 1;
    for (int i = 1; i < m; ++i)
        if (alpha <= angle(set, i + 1)) return i;
    return m - 1;
}

float CLCD::at(int i1, int i2, int i3, int i4, int i5, int i6) const {
    if (extent == 0) return 0.0f;
    const int idx[6] = {std::clamp(i1, 1, dims[0]), std::clamp(i2, 1, dims[1]),
                        std::clamp(i3, 1, dims[2]), std::clamp(i4, 1, dims[3]),
                        std::clamp(i5, 1, dims[4]), std::clamp(i6, 1, nangles)};
    std::size_t linear = 0, stride = 1;
    for (int k = 0; k < 5; ++k) {
        linear += static_cast<std::size_t>(idx[k] - 1) * stride;
        stride *= static_cast<std::size_t>(dims[k]);
    }
    linear += static_cast<std::size_t>(idx[5] - 1) * stride;
    return linear < extent ? polarData[linear] : 0.0f;
}

float CLCD::angleInterp(int set, float alpha, int i, int i2, int i3, int i4, int i5) const {
    const int m = angleCount(set);
    if (m == 0) return 0.0f;
    if (m == 1) return at(set, i2, i3, i4, i5, 1);
    i = std::clamp(i, 1, m - 1);
    const float v0 = at(set, i2, i3, i4, i5, i);
    const float v1 = at(set, i2, i3, i4, i5, i + 1);
    return lerp(v0, v1, angle(set, i), angle(set, i + 1), alpha);
}

// ---- Get_Design_CLCD ------------------------------------------------------

Get_Design_CLCD::Get_Design_CLCD(float* data, const int& d1, const int& d2, const int& d3,
                                 const int& d4, const int& d5, const int32_t* nalpha_,
                                 const float* alphadb_, uint16_t* flags_,
                                 const int32_t* machIndex_)
    : CLCD(data, d1, d2, d3, d4, d5, nalpha_, alphadb_), flags(flags_), machIndex(machIndex_) {}

float Get_Design_CLCD::get_design_CLCD(const int& station, const int& set, const int& reyIndex,
                                       const int& cambIndex, const int& tcIndex,
                                       const float& alpha) const {
    const int im = machIndex != nullptr ? machIndex[station] : 1;
    const int i = angleBracket(set, alpha);
    return angleInterp(set, alpha, i, im, reyIndex, cambIndex, tcIndex);
}

// ---- Get_Performance_CLCD -------------------------------------------------

Get_Performance_CLCD::Get_Performance_CLCD(
    float* data, const int& d1, const int& d2, const int& d3, const int& d4, const int& d5,
    const int32_t* nalpha_, const float* alphadb_, uint16_t* flags_, const float* stationTbyc_,
    const float* stationCamber_, const float* stationReynolds_, const float* stationMach_,
    int* callerInt_, const float* reydb_, const float* machdb_, const float* tcdb_,
    const float* cambdb_, const int32_t* nrey_, const int32_t* nmach_, const int32_t* ntc_,
    const int32_t* ncamb_)
    : CLCD(data, d1, d2, d3, d4, d5, nalpha_, alphadb_),
      flags(flags_),
      stationTbyc(stationTbyc_),
      stationCamber(stationCamber_),
      stationReynolds(stationReynolds_),
      stationMach(stationMach_),
      callerInt(callerInt_),
      reydb(reydb_),
      machdb(machdb_),
      tcdb(tcdb_),
      cambdb(cambdb_),
      nrey(nrey_),
      nmach(nmach_),
      ntc(ntc_),
      ncamb(ncamb_) {}

namespace {

// One interpolation axis of the performance lookup: the grid index, whether
// it interpolates towards the next grid point, and the weight data.
struct Axis {
    int index;
    int count;  // 1 or 2 grid points used
    float g0, g1, x;
};

Axis make_axis(int index, bool bitSet, int dim, const float* grid, const int32_t* n,
               const float* station, int k) {
    const int limit = std::min(dim, n != nullptr ? *n : dim);
    Axis a{std::clamp(index, 1, std::max(dim, 1)), 1, 0.0f, 0.0f, 0.0f};
    if (bitSet && grid != nullptr && station != nullptr && a.index + 1 <= limit) {
        a.count = 2;
        a.g0 = grid[a.index - 1];
        a.g1 = grid[a.index];
        a.x = station[k];
    }
    return a;
}

float collapse(const float* v, const Axis& a) {
    return a.count == 2 ? lerp(v[0], v[1], a.g0, a.g1, a.x) : v[0];
}

}  // namespace

float Get_Performance_CLCD::get_perf_CLCD(const int& station, const float& alpha,
                                          const int& reyIndex, const int& machIndex,
                                          const int& cambIndex, const int& tcIndex,
                                          const int& set) const {
    const float amax = amxum_.AMAX;
    const bool beyond = alpha > amax;
    const float a = beyond ? static_cast<float>(amax - 0.001) : alpha;
    const int i = angleBracket(set, a);

    const uint16_t f = flags != nullptr ? flags[station] : 0;
    // Performance layout: (set, camber, Reynolds, Mach, t/c, angle).
    const Axis camb = make_axis(cambIndex, f & 8, dims[1], cambdb, ncamb, stationCamber, station);
    const Axis rey = make_axis(reyIndex, f & 1, dims[2], reydb, nrey, stationReynolds, station);
    const Axis mach = make_axis(machIndex, f & 2, dims[3], machdb, nmach, stationMach, station);
    const Axis tc = make_axis(tcIndex, f & 4, dims[4], tcdb, ntc, stationTbyc, station);

    // Collapse t/c, then Mach, then Reynolds, then camber.
    float byCamb[2] = {0.0f, 0.0f};
    for (int c = 0; c < camb.count; ++c) {
        float byRey[2] = {0.0f, 0.0f};
        for (int r = 0; r < rey.count; ++r) {
            float byMach[2] = {0.0f, 0.0f};
            for (int m = 0; m < mach.count; ++m) {
                float byTc[2] = {0.0f, 0.0f};
                for (int t = 0; t < tc.count; ++t)
                    byTc[t] = angleInterp(set, a, i, camb.index + c, rey.index + r,
                                          mach.index + m, tc.index + t);
                byMach[m] = collapse(byTc, tc);
            }
            byRey[r] = collapse(byMach, mach);
        }
        byCamb[c] = collapse(byRey, rey);
    }
    float result = collapse(byCamb, camb);

    if (beyond && amax < kPostStallLimit) {
        if (set == 1)
            result = alpha < kPostStallLimit
                         ? result * (kPostStallLimit - alpha) / (kPostStallLimit - amax)
                         : 0.0f;
        else
            result = result + (alpha - amax);
    }
    return result;
}
