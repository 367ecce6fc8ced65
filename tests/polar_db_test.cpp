// The databases made by tools/polar_gen: the shipped default database
// (loads through both layouts, its checksum is accepted, its polars are
// physical) and, when SKARVEL_TINY_POLAR names one, a tiny database that
// the tool has just generated (run by the polar_gen CTest).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "compute/binary_file.h"
#include "compute/clcd.h"
#include "compute/engine_state.h"
#include "compute/polar_tables.h"
#include "compute/rdhead.h"
#include "tests/polar_file_builder.h"

using polar_builder::EngineFiles;

namespace {

constexpr float kRad = 0.017453294f;
const std::string kShipped = skarvel_test::SourcePath("data/naca4_polars.bin");

// Performance lookup at one section over the loaded tables.
class Section {
public:
    Section(float tc, float camber, float reynolds, float mach) {
        t[1] = tc, c[1] = camber, re[1] = reynolds, m[1] = mach;
        get_rynld_and_mach_DB_index(&re[1], &m[1], &ir, &im, flags[1]);
        get_tbyc_and_camb_DB_index(&t[1], &c[1], &it, &ic, flags[1]);
    }
    float Get(int set, float deg) {
        const PolarDims d = polar_dimensions(PolarLayout::Performance);
        Get_Performance_CLCD look(polar.get(), d.d[0], d.d[1], d.d[2], d.d[3], d.d[4],
                                  shape_.NALPHA, &shape_.ALPHADB[0][0], flags, t, c, re, m,
                                  nullptr, shape_.REYDB, shape_.MACHDB, shape_.TCDB,
                                  shape_.CAMBDB, &shape_.NREY, &shape_.NMACH, &shape_.NTC,
                                  &shape_.NCAMB);
        return look.get_perf_CLCD(1, deg * kRad, ir, im, ic, it, set);
    }
    float Lift(float deg) { return Get(1, deg); }
    float Drag(float deg) { return Get(2, deg); }
    float Slope() { return (Lift(2.0f) - Lift(-2.0f)) / 4.0f; }  // per degree

private:
    uint16_t flags[2] = {0, 0};
    float t[2], c[2], re[2], m[2];
    int32_t it = 1, ic = 1, ir = 1, im = 1;
};

class ShippedDatabase : public ::testing::Test {
protected:
    void SetUp() override {
        POLAR_FILE.open(kShipped.c_str(), "rb");
        bool load = true;
        ensure_polar_tables(PolarLayout::Performance, &load);
        ASSERT_EQ(except_, 0) << files.Output() << files.Error();
    }
    EngineFiles files;
};

}  // namespace

TEST_F(ShippedDatabase, ChecksumIsAcceptedAndBothLayoutsLoad) {
    EXPECT_EQ(polar_layout, PolarLayout::Performance);
    const float perf = Section(0.12f, 0.02f, 1e6f, 0.3f).Lift(5.0f);
    bool load = false;
    ensure_polar_tables(PolarLayout::Design, &load);
    ASSERT_EQ(except_, 0) << files.Output();
    EXPECT_EQ(polar_layout, PolarLayout::Design);
    // the same coefficient through the design layout (grid point values)
    int32_t machIndex[2] = {1, 1};
    int it = 0, ic = 0, ir = 0;
    for (int k = 0; k < shape_.NTC; ++k) if (shape_.TCDB[k] == 0.12f) it = k + 1;
    for (int k = 0; k < shape_.NCAMB; ++k) if (shape_.CAMBDB[k] == 0.02f) ic = k + 1;
    for (int k = 0; k < shape_.NREY; ++k) if (shape_.REYDB[k] == 1e6f) ir = k + 1;
    ASSERT_TRUE(it > 0 && ic > 0 && ir > 0);
    const PolarDims d = polar_dimensions(PolarLayout::Design);
    Get_Design_CLCD design(polar.get(), d.d[0], d.d[1], d.d[2], d.d[3], d.d[4], shape_.NALPHA,
                           &shape_.ALPHADB[0][0], nullptr, machIndex);
    const float lo = design.get_design_CLCD(1, 1, ir, ic, it, 5.0f * kRad);
    machIndex[1] = 3;  // Mach 0.4; 0.3 lies halfway
    const float hi = design.get_design_CLCD(1, 1, ir, ic, it, 5.0f * kRad);
    ASSERT_EQ(shape_.MACHDB[1], 0.2f);
    machIndex[1] = 2;
    const float mid = design.get_design_CLCD(1, 1, ir, ic, it, 5.0f * kRad);
    EXPECT_NEAR(perf, 0.5f * (mid + hi), 1e-5f);
    EXPECT_LT(lo, hi);
}

TEST_F(ShippedDatabase, SymmetricTwelvePercentSectionIsPhysical) {
    Section s(0.12f, 0.0f, 1e6f, 0.0f);
    EXPECT_NEAR(s.Lift(0.0f), 0.0f, 0.01f);
    EXPECT_NEAR(s.Slope(), 0.1f, 0.015f);
    float cdMin = 1.0f, clMax = -1.0f, stall = 0.0f;
    for (int i = 1; i <= shape_.NALPHA[0]; ++i) {
        const float deg = shape_.ALPHADB[i - 1][0] / kRad;
        cdMin = std::min(cdMin, s.Drag(deg));
        if (s.Lift(deg) > clMax) clMax = s.Lift(deg), stall = deg;
    }
    EXPECT_GT(cdMin, 0.004f);
    EXPECT_LT(cdMin, 0.012f);
    EXPECT_GE(stall, 12.0f);
    EXPECT_LE(stall, 18.0f);
    EXPECT_GT(clMax, 1.1f);
}

TEST_F(ShippedDatabase, DragFallsAsTheReynoldsNumberRises) {
    for (float camber : {0.0f, 0.03f}) {
        float previous = 1.0f;
        for (float re : {3e4f, 1e5f, 5e5f, 1e6f, 3e6f, 1e7f}) {
            // at 6 deg, outside the laminar bucket whose width changes with
            // the Reynolds number
            const float cd = Section(0.12f, camber, re, 0.0f).Drag(6.0f);
            EXPECT_LT(cd, previous) << "camber " << camber << " Re " << re;
            previous = cd;
        }
    }
}

TEST_F(ShippedDatabase, LiftSlopeRisesWithMachUpToTheCriticalMachNumber) {
    for (float tc : {0.08f, 0.12f}) {
        float previous = 0.0f;
        for (float mach : {0.0f, 0.2f, 0.4f, 0.5f, 0.6f}) {
            const float slope = Section(tc, 0.0f, 1e6f, mach).Slope();
            EXPECT_GT(slope, previous) << "t/c " << tc << " Mach " << mach;
            previous = slope;
        }
    }
}

TEST_F(ShippedDatabase, CoefficientsAreFiniteAndDragPositiveEverywhere) {
    ASSERT_EQ(polar_size % 2, 0u);
    for (std::size_t k = 0; k < polar_size; ++k) {
        ASSERT_TRUE(std::isfinite(polar[k])) << k;
        if (k % 2 == 1) {
            ASSERT_GT(polar[k], 0.0f) << k;  // drag set
        }
    }
}

// ---- a database just generated by the tool --------------------------------

namespace {

// The lift checksum the tool wrote into the side file.
bool SideFileChecksum(const std::string& db, int32_t* checksum) {
    std::ifstream in(db.substr(0, db.size() - 4) + "_points.txt");
    std::string line;
    const std::string key = "# checksum of the lift set: ";
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0) {
            *checksum = std::stoi(line.substr(key.size()));
            return true;
        }
    return false;
}

}  // namespace

TEST(TinyGenerated, LoadsInBothLayoutsWithTheToolsChecksum) {
    const char* path = std::getenv("SKARVEL_TINY_POLAR");
    if (path == nullptr) GTEST_SKIP() << "run by the polar_gen test";
    EngineFiles files;
    int32_t checksum = 0;
    ASSERT_TRUE(SideFileChecksum(path, &checksum));
    const uint32_t list[] = {static_cast<uint32_t>(checksum), 0xFFFFFFFFu};
    for (PolarLayout layout : {PolarLayout::Performance, PolarLayout::Design}) {
        POLAR_FILE.open(path, "rb");
        read_polar_header__();
        ASSERT_EQ(except_, 0) << files.Error();
        EXPECT_EQ(shape_.NTC, 2);
        EXPECT_EQ(shape_.NCAMB, 2);
        EXPECT_EQ(shape_.NREY, 2);
        EXPECT_EQ(shape_.NMACH, 2);
        PolarDims d = polar_dimensions(layout);
        std::vector<float> data(2 * 2 * 2 * 2 * 2 * d.nangles, -1.0f);
        if (layout == PolarLayout::Performance)
            read_all_perf(nullptr, data.data(), d.d[0], d.d[1], d.d[2], d.d[3], d.d[4], list);
        else
            read_all_des__(nullptr, data.data(), d.d[0], d.d[1], d.d[2], d.d[3], d.d[4], list);
        ASSERT_EQ(except_, 0) << files.Output();
        for (std::size_t k = 1; k < data.size(); k += 2) EXPECT_GT(data[k], 0.0f);
    }
    // The symmetric section's lift at 0 deg, Mach 0 (performance layout
    // element (1, camber 1, Re 2, Mach 1, t/c 2, angle of 0 deg)).
    bool load = true;
    POLAR_FILE.open(path, "rb");
    ensure_polar_tables(PolarLayout::Performance, &load);
    EXPECT_EQ(except_, 4) << "a fresh tiny database is not one of the accepted";
    EXPECT_NE(files.Output().find("CHECKSUM OF THE LIFT TABLES IS " + std::to_string(checksum)),
              std::string::npos);
}
