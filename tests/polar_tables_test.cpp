#include "compute/polar_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "compute/binary_file.h"
#include "compute/engine_state.h"
#include "compute/rdhead.h"
#include "tests/polar_file_builder.h"

using polar_builder::Build;
using polar_builder::Bytes;
using polar_builder::EngineFiles;
using polar_builder::FirstRecordItem;
using polar_builder::PolarContent;

namespace {

const int32_t kAccepted = 651;

struct Loaded {
    std::vector<float> data;
    PolarDims dims;
};

// Reads header and tables of the open POLAR_FILE into a fresh array, with
// `accepted` as the only accepted checksum.
Loaded LoadDirect(PolarLayout layout, int32_t accepted) {
    read_polar_header__();
    Loaded l{{}, polar_dimensions(layout)};
    if (except_ != 0) return l;
    std::size_t n = l.dims.nangles;
    for (int d : l.dims.d) n *= d;
    l.data.assign(n, -99.0f);
    const uint32_t list[] = {static_cast<uint32_t>(accepted), 0xFFFFFFFFu};
    auto& d = l.dims.d;
    if (layout == PolarLayout::Performance)
        read_all_perf(nullptr, l.data.data(), d[0], d[1], d[2], d[3], d[4], list);
    else
        read_all_des__(nullptr, l.data.data(), d[0], d[1], d[2], d[3], d[4], list);
    return l;
}

int32_t ChecksumOf(const PolarContent& content) {
    int32_t sum = 0;
    for (float t : content.tc)
        for (float c : content.camb)
            for (float re : content.rey)
                for (float a : content.liftDeg)
                    for (float m : content.mach) sum = polar_checksum_add(sum, content.lift(t, c, re, m, a));
    return sum;
}

// Element (set, t/c, camber, Reynolds, Mach, angle), all from 1, of a layout.
float Element(const Loaded& l, PolarLayout layout, int s, int t, int c, int r, int m, int a) {
    const auto& d = l.dims.d;
    const int i2 = layout == PolarLayout::Performance ? c : m;
    const int i4 = layout == PolarLayout::Performance ? m : c;
    const std::size_t k = (s - 1) + d[0] * ((i2 - 1) + d[1] * ((r - 1) + d[2] * ((i4 - 1) +
                          d[3] * ((t - 1) + static_cast<std::size_t>(d[4]) * (a - 1)))));
    return l.data[k];
}

}  // namespace

class PolarTablesLayout : public ::testing::TestWithParam<PolarLayout> {};
INSTANTIATE_TEST_SUITE_P(Both, PolarTablesLayout,
                         ::testing::Values(PolarLayout::Performance, PolarLayout::Design),
                         [](const auto& info) {
                             return info.param == PolarLayout::Design ? "Design" : "Performance";
                         });

TEST_P(PolarTablesLayout, PlacesEveryCoefficientOnItsAxes) {
    EngineFiles files;
    PolarContent content;
    content.dragDeg = {-6, 0, 6, 12};  // fewer drag angles than lift angles
    files.Open(Build(content));
    const Loaded l = LoadDirect(GetParam(), ChecksumOf(content));
    ASSERT_EQ(except_, 0) << files.Output();
    EXPECT_FALSE(POLAR_FILE.is_open());
    for (int t = 1; t <= 3; ++t)
        for (int c = 1; c <= 4; ++c)
            for (int r = 1; r <= 2; ++r)
                for (int m = 1; m <= 3; ++m) {
                    const float tc = content.tc[t - 1], cb = content.camb[c - 1], re = content.rey[r - 1],
                                ma = content.mach[m - 1];
                    for (int a = 1; a <= 6; ++a)
                        ASSERT_EQ(Element(l, GetParam(), 1, t, c, r, m, a),
                                  content.lift(tc, cb, re, ma, content.liftDeg[a - 1]));
                    for (int a = 1; a <= 4; ++a)
                        ASSERT_EQ(Element(l, GetParam(), 2, t, c, r, m, a),
                                  content.drag(tc, cb, re, ma, content.dragDeg[a - 1]));
                }
}

TEST_P(PolarTablesLayout, ReynoldsKeyOneUnitInTheLastPlaceOffStopsWithStatus4) {
    EngineFiles files;
    PolarContent content;
    auto bytes = Build(content);
    // second record of set 1: t/c 0.06, camber 0, Reynolds 1e6
    const std::size_t key = FirstRecordItem(content) + (3 + 6 * 4) + 2;
    ASSERT_EQ(bytes.GetFloat(key), 1e6f);
    bytes.SetFloat(key, std::nextafter(1e6f, 2e6f));
    files.Open(bytes);
    LoadDirect(GetParam(), ChecksumOf(content));
    EXPECT_EQ(except_, 4);
    EXPECT_EQ(files.Output(),
              "\n EXPECTED: 0.06  0  1e+06 BUT GOT:  0.06  0  1e+06 FOR THICKNESS TO CHORD, "
              "CAMBER AND REYNOLD NUMBERS\n");
    EXPECT_FALSE(POLAR_FILE.is_open());
}

TEST_P(PolarTablesLayout, TruncatedFileIsCorruptAndLeavesNoData) {
    PolarContent content;
    const Bytes full = Build(content);
    const std::size_t items = full.data.size() / 4;
    // cut inside a set 1 record, at a record boundary, and in the last value
    for (std::size_t keep : {FirstRecordItem(content) + 10, FirstRecordItem(content) + 27 * 4,
                             items - 1}) {
        EngineFiles files;
        Bytes cut = full;
        cut.data.resize(keep * 4);
        files.Open(cut);
        const Loaded l = LoadDirect(GetParam(), ChecksumOf(content));
        EXPECT_EQ(except_, 4) << keep;
        EXPECT_NE(files.Output().find("POLAR FILE ENDS EARLY"), std::string::npos) << keep;
        for (float v : l.data) ASSERT_EQ(v, 0.0f) << keep;
    }
}

TEST_P(PolarTablesLayout, UnacceptedChecksumStopsWithStatus4NamingIt) {
    EngineFiles files;
    PolarContent content;
    files.Open(Build(content));
    const int32_t found = ChecksumOf(content);
    const Loaded l = LoadDirect(GetParam(), found + 1);
    EXPECT_EQ(except_, 4);
    EXPECT_EQ(files.Output(), "\n POLAR FILE NOT ACCEPTED: CHECKSUM OF THE LIFT TABLES IS " +
                                  std::to_string(found) + ", NOT ONE OF " +
                                  std::to_string(found + 1) + "\n");
    for (float v : l.data) ASSERT_EQ(v, 0.0f);
    EXPECT_FALSE(POLAR_FILE.is_open());
}

TEST(PolarTables, DimensionsThatDoNotMatchTheHeaderAreRefused) {
    EngineFiles files;
    files.Open(Build(PolarContent{}));
    read_polar_header__();
    PolarDims d = polar_dimensions(PolarLayout::Design);  // wrong layout for read_all_perf
    std::vector<float> data(1000, 1.0f);
    const uint32_t list[] = {0xFFFFFFFFu};
    read_all_perf(nullptr, data.data(), d.d[0], d.d[1], d.d[2], d.d[3], d.d[4], list);
    EXPECT_EQ(except_, 1);
    EXPECT_NE(files.Error().find("do not match the polar file's grid"), std::string::npos);
    EXPECT_EQ(data[0], 1.0f);
}

TEST(PolarChecksum, AddsTruncatedCoefficientTimes256AndWraps) {
    EXPECT_EQ(polar_checksum_add(0, 0.5f), 128);
    EXPECT_EQ(polar_checksum_add(10, 0.999f), 10 + 255);
    EXPECT_EQ(polar_checksum_add(0, -0.999f), -255);  // toward zero
    EXPECT_EQ(polar_checksum_add(std::numeric_limits<int32_t>::max(), 0.5f),
              std::numeric_limits<int32_t>::min() + 127);
}

TEST(PolarChecksum, AcceptedListHasTheFourOriginalValuesAndEndsWithTheMarker) {
    std::vector<int32_t> values;
    for (const uint32_t* c = kAcceptedPolarChecksums; *c != 0xFFFFFFFFu; ++c)
        values.push_back(static_cast<int32_t>(*c));
    ASSERT_GE(values.size(), 5u);
    EXPECT_EQ(std::vector<int32_t>(values.begin(), values.begin() + 4),
              (std::vector<int32_t>{651, 3793064, -813, -2335}));
}

// ---- ensure_polar_tables: the loading that the engine's routines call ----

namespace {

PolarContent AcceptedContent() {
    PolarContent content;
    content.balanceTo = &kAccepted;
    return content;
}

}  // namespace

TEST(PolarTablesEnsure, LoadsOnceClearsTheFlagAndRecordsTheLayout) {
    EngineFiles files;
    const std::string path = files.Open(Build(AcceptedContent()));
    bool load = true;
    ensure_polar_tables(PolarLayout::Performance, &load);
    ASSERT_EQ(except_, 0) << files.Output() << files.Error();
    EXPECT_FALSE(load);
    EXPECT_EQ(polar_layout, PolarLayout::Performance);
    EXPECT_EQ(polar_size, 2u * 4 * 2 * 3 * 3 * 6);
    // Same layout again: nothing is read, the file need not exist.
    std::remove(path.c_str());
    const float* before = polar.get();
    ensure_polar_tables(PolarLayout::Performance, &load);
    EXPECT_EQ(except_, 0);
    EXPECT_EQ(polar.get(), before);
}

TEST(PolarTablesEnsure, OtherLayoutRereadsTheFileByItsPath) {
    EngineFiles files;
    const PolarContent content = AcceptedContent();
    files.Open(Build(content));
    bool load = true;
    ensure_polar_tables(PolarLayout::Performance, &load);
    ASSERT_EQ(except_, 0);
    ensure_polar_tables(PolarLayout::Design, &load);
    ASSERT_EQ(except_, 0) << files.Error();
    EXPECT_EQ(polar_layout, PolarLayout::Design);
    EXPECT_FALSE(load);
    // design layout: (set, Mach, Reynolds, camber, t/c, angle); element
    // (1, Mach 2, Re 1, camber 3, t/c 2, angle 4)
    const std::size_t k = 0 + 2 * (1 + 3 * (0 + 2 * (2 + 4 * (1 + 3 * 3))));
    EXPECT_EQ(polar[k], content.lift(0.12f, 0.04f, 1e5f, 0.5f, 4.0f));
}

TEST(PolarTablesEnsure, ReloadAfterResetReplacesTheTables) {
    EngineFiles files;
    PolarContent content = AcceptedContent();
    files.Open(Build(content));
    bool load = true;
    ensure_polar_tables(PolarLayout::Design, &load);
    ASSERT_EQ(except_, 0);
    content.rey = {1e5f, 1e6f, 1e7f};
    files.Open(Build(content));
    load = true;  // ResetDatabase
    ensure_polar_tables(PolarLayout::Design, &load);
    ASSERT_EQ(except_, 0) << files.Output();
    EXPECT_EQ(polar_size, 2u * 3 * 3 * 4 * 3 * 6);
    EXPECT_EQ(shape_.NREY, 3);
}

TEST(PolarTablesEnsure, FailedLoadKeepsTheFlagAndLeavesNoTables) {
    EngineFiles files;
    PolarContent content;  // checksum not in the accepted list
    files.Open(Build(content));
    bool load = true;
    ensure_polar_tables(PolarLayout::Performance, &load);
    EXPECT_EQ(except_, 4);
    EXPECT_TRUE(load);
    EXPECT_EQ(polar, nullptr);
    EXPECT_EQ(polar_layout, PolarLayout::None);
    EXPECT_FALSE(POLAR_FILE.is_open());
}

TEST(PolarTablesEnsure, BadHeaderClosesTheFileAndKeepsTheFlag) {
    EngineFiles files;
    auto bytes = Build(AcceptedContent());
    bytes.SetInt(0, 1);
    files.Open(bytes);
    bool load = true;
    ensure_polar_tables(PolarLayout::Design, &load);
    EXPECT_EQ(except_, 1);
    EXPECT_TRUE(load);
    EXPECT_FALSE(POLAR_FILE.is_open());
}

TEST(PolarTablesEnsure, VanishedFileForTheOtherLayoutIsStatus3) {
    EngineFiles files;
    const std::string path = files.Open(Build(AcceptedContent()));
    bool load = true;
    ensure_polar_tables(PolarLayout::Design, &load);
    ASSERT_EQ(except_, 0);
    std::remove(path.c_str());
    ensure_polar_tables(PolarLayout::Performance, &load);
    EXPECT_EQ(except_, 3);
    EXPECT_NE(files.Error().find("Bad polar file: " + path), std::string::npos);
    EXPECT_EQ(polar_layout, PolarLayout::Design);  // the loaded tables stay usable
}
