// The ring of recent iteration values and the oscillation detector over it.
#include <gtest/gtest.h>

#include <vector>

#include "compute/oscillation_check.h"
#include "compute/wrap_around.h"

namespace {

TEST(WrapAround, KeepsTheLastCapacityValues) {
    WrapAround<float> ring(20);
    for (int i = 1; i <= 45; ++i) ring.write(i, static_cast<float>(i));
    EXPECT_EQ(ring.current(), 45 % 20);
    for (int i = 26; i <= 45; ++i) EXPECT_EQ(ring.read(i), static_cast<float>(i)) << i;
    // Older numbers share slots with newer ones.
    EXPECT_EQ(ring.read(25), 45.0f);
    EXPECT_EQ(ring.read(-1), ring.read(19));
}

struct OscillationCase {
    const char* name;
    int start;
    std::vector<float> values;  // values numbered 1..size
    bool expected;
};

class Oscillation : public ::testing::TestWithParam<OscillationCase> {};

TEST_P(Oscillation, Detects) {
    const OscillationCase& c = GetParam();
    WrapAround<float> ring(20);
    for (std::size_t i = 0; i < c.values.size(); ++i)
        ring.write(static_cast<int>(i + 1), c.values[i]);
    const int count = static_cast<int>(c.values.size());
    const float tolerance = 0.0005f;
    const float factor = 6.0f;
    EXPECT_EQ(Check_for_oscillations(&c.start, &count, &tolerance, &ring, &factor), c.expected);
}

// With start 5 the detector looks at values n-4..n; their mean is the sum of
// magnitudes (latest with its sign) over 6.
INSTANTIATE_TEST_SUITE_P(
    Cases, Oscillation,
    ::testing::Values(
        OscillationCase{"small_swing", 5,
                        {9, 9, 9, 9, 9, 0.002f, -0.002f, 0.002f, -0.002f, 0.001f}, true},
        OscillationCase{"one_sign", 5,
                        {9, 9, 9, 9, 9, 0.002f, 0.002f, 0.002f, 0.002f, 0.001f}, false},
        OscillationCase{"swing_too_large", 5,
                        {9, 9, 9, 9, 9, 0.005f, -0.005f, 0.005f, -0.005f, 0.001f}, false},
        OscillationCase{"latest_not_smaller", 5,
                        {9, 9, 9, 9, 9, 0.0001f, -0.0001f, 0.0001f, -0.0001f, 0.002f}, false},
        OscillationCase{"too_few_values", 5, {0.002f, -0.002f, 0.002f, -0.002f, 0.001f}, false},
        OscillationCase{"older_values_ignored", 5,
                        {-5, 5, -5, 5, 5, 0.002f, 0.002f, -0.002f, 0.002f, 0.001f}, true}),
    [](const ::testing::TestParamInfo<OscillationCase>& info) { return info.param.name; });

}  // namespace
