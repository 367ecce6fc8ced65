// Text handed to the Java side is valid modified UTF-8 whatever bytes the
// log holds.
#include <gtest/gtest.h>

#include <string>

#include "design/modified_utf8.h"

namespace {

struct Utf8Case {
    std::string in;
    std::string out;
};

class ModifiedUtf8 : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(ModifiedUtf8, MendsOnlyWhatIsInvalid) { EXPECT_EQ(ToModifiedUtf8(GetParam().in), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ModifiedUtf8,
    ::testing::Values(
        Utf8Case{"plain text\n", "plain text\n"},
        Utf8Case{"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC"},  // valid
        Utf8Case{std::string("a\0b", 3), "a\xC0\x80" "b"},                  // NUL byte
        Utf8Case{"\xC0\x80", "\xC0\x80"},                                    // encoded NUL
        Utf8Case{"\xE2\x82", "\xC3\xA2\xC2\x82"},                  // cut 3-byte character
        Utf8Case{"\xAC" "5", "\xC2\xAC" "5"},                      // stray continuation byte
        Utf8Case{"\xC1\xBF", "\xC3\x81\xC2\xBF"},                  // overlong form
        Utf8Case{"\xF0\x9F\x98\x80", "\xED\xA0\xBD\xED\xB8\x80"},  // U+1F600 as surrogates
        Utf8Case{"\xED\xA0\xBD", "\xED\xA0\xBD"},                  // a surrogate passes
        Utf8Case{"\xFF", "\xC3\xBF"}));

}  // namespace
