#include "compute/clcd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "compute/engine_state.h"
#include "compute/polar_tables.h"
#include "compute/rdhead.h"
#include "tests/polar_file_builder.h"

using polar_builder::Build;
using polar_builder::EngineFiles;
using polar_builder::PolarContent;

namespace {

constexpr float kRad = 0.017453294f;

// The content's database loaded in one layout into a local array, with the
// lookup objects of both kinds over it (station 1).
struct Lookup {
    PolarContent content;
    EngineFiles files;
    std::vector<float> data;
    PolarDims dims{};
    uint16_t flags[2] = {0, 0};
    float tc[2] = {0, 0}, camb[2] = {0, 0}, rey[2] = {0, 0}, mach[2] = {0, 0};
    int32_t machIndex[2] = {1, 1};
    int32_t it = 1, ic = 1, ir = 1, im = 1;

    explicit Lookup(PolarLayout layout, PolarContent s = PolarContent{}) : content(std::move(s)) {
        content.balanceTo = &kAny;
        files.Open(Build(content));
        read_polar_header__();
        dims = polar_dimensions(layout);
        std::size_t n = dims.nangles;
        for (int d : dims.d) n *= d;
        data.assign(n, 0.0f);
        const uint32_t list[] = {static_cast<uint32_t>(kAny), 0xFFFFFFFFu};
        auto& d = dims.d;
        if (layout == PolarLayout::Performance)
            read_all_perf(nullptr, data.data(), d[0], d[1], d[2], d[3], d[4], list);
        else
            read_all_des__(nullptr, data.data(), d[0], d[1], d[2], d[3], d[4], list);
        EXPECT_EQ(except_, 0) << files.Output();
    }
    // Sets the station's values and its grid indices and flags.
    void Station(float t, float c, float re, float m) {
        tc[1] = t, camb[1] = c, rey[1] = re, mach[1] = m;
        flags[1] = 0;
        get_rynld_and_mach_DB_index(&rey[1], &mach[1], &ir, &im, flags[1]);
        get_tbyc_and_camb_DB_index(&tc[1], &camb[1], &it, &ic, flags[1]);
    }
    Get_Performance_CLCD Perf() {
        auto& d = dims.d;
        return Get_Performance_CLCD(data.data(), d[0], d[1], d[2], d[3], d[4], shape_.NALPHA,
                                    &shape_.ALPHADB[0][0], flags, tc, camb, rey, mach, nullptr,
                                    shape_.REYDB, shape_.MACHDB, shape_.TCDB, shape_.CAMBDB,
                                    &shape_.NREY, &shape_.NMACH, &shape_.NTC, &shape_.NCAMB);
    }
    Get_Design_CLCD Design() {
        auto& d = dims.d;
        return Get_Design_CLCD(data.data(), d[0], d[1], d[2], d[3], d[4], shape_.NALPHA,
                               &shape_.ALPHADB[0][0], flags, machIndex);
    }
    float Perf(int set, float alphaRad) {
        return Perf().get_perf_CLCD(1, alphaRad, ir, im, ic, it, set);
    }
    static const int32_t kAny;
};
const int32_t Lookup::kAny = 651;

}  // namespace

// ---- grid indices ----------------------------------------------------------

struct BracketCase {
    float value;
    int index;
    bool inside;
};

class ReynoldsBracket : public ::testing::TestWithParam<BracketCase> {};
// Reynolds grid of the database: 1e5, 1e6 (extended to three values below).
INSTANTIATE_TEST_SUITE_P(
    Grid, ReynoldsBracket,
    ::testing::Values(BracketCase{1e4f, 1, false}, BracketCase{1e5f, 1, false},
                      BracketCase{2e5f, 1, true}, BracketCase{1e6f, 1, true},
                      BracketCase{3e6f, 2, true}, BracketCase{1e7f, 3, false},
                      BracketCase{1e9f, 3, false},
                      BracketCase{std::numeric_limits<float>::quiet_NaN(), 1, false}));

TEST_P(ReynoldsBracket, FindsIndexAndFlagLeavingOtherBits) {
    PolarContent content;
    content.rey = {1e5f, 1e6f, 1e7f};
    Lookup l(PolarLayout::Performance, content);
    const float mach = 0.3f;
    int32_t ir = -1, im = -1;
    uint16_t flags = 0x8 | 0x4 | 0x1;  // bit 1 is to be rewritten
    get_rynld_and_mach_DB_index(&GetParam().value, &mach, &ir, &im, flags);
    EXPECT_EQ(ir, GetParam().index);
    EXPECT_EQ((flags & 1) != 0, GetParam().inside);
    EXPECT_EQ(im, 1);
    EXPECT_EQ(flags & 2, 2);
    EXPECT_EQ(flags & 0xC, 0xC);
}

TEST(ThicknessAndCamberIndex, BracketsBothAndClampsAtTheEnds) {
    Lookup l(PolarLayout::Performance);  // t/c 0.06 0.12 0.18, camber 0 .02 .04 .06
    struct Case { float t, c; int it, ic; uint16_t bits; };
    for (const Case& k : {Case{0.12f, 0.05f, 1, 3, 0x4 | 0x8}, Case{0.05f, 0.0f, 1, 1, 0},
                          Case{0.2f, 0.07f, 3, 4, 0}, Case{0.13f, 0.0f, 2, 1, 0x4}}) {
        int32_t it = 0, ic = 0;
        uint16_t flags = 0x3;
        get_tbyc_and_camb_DB_index(&k.t, &k.c, &it, &ic, flags);
        EXPECT_EQ(it, k.it) << k.t;
        EXPECT_EQ(ic, k.ic) << k.c;
        EXPECT_EQ(flags, 0x3 | k.bits) << k.t << " " << k.c;
    }
}

TEST(NearestThicknessIndex, RoundsToTheNearerGridValueTieLow) {
    PolarContent content;
    content.tc = {0.0625f, 0.125f, 0.25f};  // midpoints exact in float
    Lookup l(PolarLayout::Design, content);
    struct Case { float t; int index; };
    for (const Case& k : {Case{0.01f, 1}, Case{0.0625f, 1}, Case{0.09375f, 1}, Case{0.094f, 2},
                          Case{0.125f, 2}, Case{0.1875f, 2}, Case{0.188f, 3}, Case{0.3f, 3}}) {
        int32_t index = 0;
        get_nearest_tbyc_DB_index(&k.t, &index);
        EXPECT_EQ(index, k.index) << k.t;
    }
}

// ---- performance lookup -------------------------------------------------

struct Point {
    float t, c, re, m, deg;
};

class PerformanceLookup : public ::testing::TestWithParam<Point> {};
INSTANTIATE_TEST_SUITE_P(OffGrid, PerformanceLookup,
                         ::testing::Values(Point{0.09f, 0.01f, 3e5f, 0.2f, 1.5f},
                                           Point{0.15f, 0.05f, 7e5f, 0.65f, -6.5f},
                                           Point{0.12f, 0.02f, 1e6f, 0.5f, 10.0f},
                                           Point{0.061f, 0.059f, 1.1e5f, 0.79f, 11.9f},
                                           Point{0.17f, 0.03f, 5e5f, 0.1f, -8.0f}));

TEST_P(PerformanceLookup, ReturnsTheAnalyticLiftAndDrag) {
    Lookup l(PolarLayout::Performance);
    const Point& p = GetParam();
    l.Station(p.t, p.c, p.re, p.m);
    const float a = p.deg * kRad;
    EXPECT_NEAR(l.Perf(1, a), l.content.lift(p.t, p.c, p.re, p.m, a / kRad), 2e-5f);
    // drag is quadratic in angle: exact at table angles, the chord between
    const float lo = std::floor(p.deg / 4.0f) * 4.0f, hi = lo + 4.0f;
    const float w = (p.deg - lo) / 4.0f;
    const float cd = (1 - w) * l.content.drag(p.t, p.c, p.re, p.m, lo) +
                     w * l.content.drag(p.t, p.c, p.re, p.m, hi);
    EXPECT_NEAR(l.Perf(2, a), cd, 2e-6f);
}

TEST(PerformanceLookupClamp, ValuesBeyondTheGridUseTheEndValuesWithFlagsCleared) {
    Lookup l(PolarLayout::Performance);
    l.Station(0.30f, -0.01f, 5e7f, 0.95f);
    EXPECT_EQ(l.flags[1], 0);
    EXPECT_NEAR(l.Perf(1, 4.0f * kRad), l.content.lift(0.18f, 0.0f, 1e6f, 0.8f, 4.0f), 2e-5f);
    l.Station(0.01f, 0.5f, 10.0f, -0.2f);
    EXPECT_EQ(l.flags[1], 0);
    EXPECT_NEAR(l.Perf(1, 4.0f * kRad), l.content.lift(0.06f, 0.06f, 1e5f, 0.0f, 4.0f), 2e-5f);
}

TEST(PerformanceLookupAngle, FirstAngleGivesFirstValueAndLowerAnglesExtrapolate) {
    Lookup l(PolarLayout::Performance);
    l.Station(0.12f, 0.02f, 1e6f, 0.5f);  // interior grid points: exact values
    const float first = shape_.ALPHADB[0][0];
    EXPECT_NEAR(l.Perf(1, first), l.content.lift(0.12f, 0.02f, 1e6f, 0.5f, -8.0f), 1e-5f);
    // below the table: linear from the first interval, no clamping at AMIN
    EXPECT_NEAR(l.Perf(1, -14.0f * kRad), l.content.lift(0.12f, 0.02f, 1e6f, 0.5f, -14.0f), 1e-4f);
}

TEST(PerformanceLookupPostStall, LiftFallsToZeroAt1396AndDragGrowsByTheExcessAngle) {
    Lookup l(PolarLayout::Performance);
    l.Station(0.12f, 0.02f, 1e6f, 0.5f);
    const float amax = amxum_.AMAX;
    ASSERT_NEAR(amax, 12.0f * kRad - 0.001f, 1e-7f);
    const float atLimit = static_cast<float>(amax - 0.001);
    const float cl = l.Perf(1, atLimit), cd = l.Perf(2, atLimit);
    for (float a : {0.3f, 0.8f, 1.3f}) {
        EXPECT_NEAR(l.Perf(1, a), cl * (1.396f - a) / (1.396f - amax), 1e-6f) << a;
        EXPECT_NEAR(l.Perf(2, a), cd + (a - amax), 1e-6f) << a;
    }
    EXPECT_EQ(l.Perf(1, 1.396f), 0.0f);
    EXPECT_EQ(l.Perf(1, 2.0f), 0.0f);
    // at AMAX itself the table value is returned
    EXPECT_NEAR(l.Perf(1, amax), l.content.lift(0.12f, 0.02f, 1e6f, 0.5f, amax / kRad), 1e-5f);
}

TEST(PerformanceLookupPostStall, NoRuleWhenTheTableReachesBeyond80Degrees) {
    PolarContent content;
    content.liftDeg = content.dragDeg = {-10, 0, 45, 85};
    Lookup l(PolarLayout::Performance, content);
    l.Station(0.12f, 0.02f, 1e6f, 0.5f);
    const float atLimit = static_cast<float>(amxum_.AMAX - 0.001);
    EXPECT_EQ(l.Perf(1, 1.6f), l.Perf(1, atLimit));
}

// ---- design lookup ------------------------------------------------------

TEST(DesignLookup, InterpolatesInAngleAtGridIndicesAndExtrapolatesAboveTheTable) {
    Lookup l(PolarLayout::Design);
    l.machIndex[1] = 2;  // Mach 0.5
    auto look = l.Design();
    const int station = 1, ir = 2, ic = 3, it = 1;  // Re 1e6, camber 0.04, t/c 0.06
    for (float deg : {-8.0f, -3.0f, 5.5f, 12.0f, 20.0f}) {
        const float a = deg * kRad;
        EXPECT_NEAR(look.get_design_CLCD(station, 1, ir, ic, it, a),
                    l.content.lift(0.06f, 0.04f, 1e6f, 0.5f, deg), 2e-5f)
            << deg;
    }
    EXPECT_NEAR(look.get_design_CLCD(station, 2, ir, ic, it, 4.0f * kRad),
                l.content.drag(0.06f, 0.04f, 1e6f, 0.5f, 4.0f), 1e-6f);
}

// ---- never outside the array --------------------------------------------

TEST(LookupBounds, IndicesOutsideTheGridAreClampedIntoTheArray) {
    Lookup l(PolarLayout::Performance);
    l.Station(0.12f, 0.02f, 1e6f, 0.5f);
    auto perf = l.Perf();
    // flags claim interpolation although the indices are at the last point
    l.flags[1] = 0xF;
    const float last = perf.get_perf_CLCD(1, 0.0f, 2, 3, 4, 3, 1);
    EXPECT_NEAR(last, l.content.lift(0.18f, 0.06f, 1e6f, 0.8f, 0.0f), 2e-5f);
    l.flags[1] = 0;
    EXPECT_EQ(perf.get_perf_CLCD(1, 0.0f, 99, -5, 0, 1000, 1),
              perf.get_perf_CLCD(1, 0.0f, 2, 1, 1, 3, 1));
    l.machIndex[1] = 50;
    auto des = l.Design();
    EXPECT_EQ(des.get_design_CLCD(1, 1, 7, 9, 11, 0.1f), des.get_design_CLCD(1, 1, 2, 4, 3, 0.1f));
    EXPECT_EQ(des.get_design_CLCD(1, 3, 1, 1, 1, 0.1f), 0.0f);  // no such set
}

TEST(LookupBounds, NoTablesOrSingleAngleStaySafe) {
    int32_t nalpha[2] = {1, 1};
    float angles[2] = {0.0f, 0.0f};
    float data[2] = {0.7f, 0.02f};
    int32_t machIndex[2] = {1, 1};
    Get_Design_CLCD single(data, 2, 1, 1, 1, 1, nalpha, angles, nullptr, machIndex);
    EXPECT_EQ(single.get_design_CLCD(1, 1, 1, 1, 1, 0.3f), 0.7f);
    EXPECT_EQ(single.get_design_CLCD(1, 2, 1, 1, 1, -0.3f), 0.02f);
    Get_Design_CLCD none(nullptr, 2, 1, 1, 1, 1, nalpha, angles, nullptr, machIndex);
    EXPECT_EQ(none.get_design_CLCD(1, 1, 1, 1, 1, 0.3f), 0.0f);
}
