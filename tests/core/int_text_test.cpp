#include "core/int_text.h"

#include <gtest/gtest.h>

#include <optional>

namespace fenwarp {
namespace {

struct Case {
    const char* text;
    std::optional<std::int32_t> value;
};

class IntTextTest : public ::testing::TestWithParam<Case> {};

TEST_P(IntTextTest, Converts) {
    const Case& c = GetParam();
    EXPECT_EQ(to_int(c.text), c.value) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntTextTest,
    ::testing::Values(
        // decimal, signs and leading blanks
        Case{"0", 0}, Case{"8192", 8192}, Case{"  42", 42}, Case{"-1", -1}, Case{"+7", 7},
        Case{"2147483647", 2147483647}, Case{"-2147483648", INT32_MIN},
        Case{"2147483648", std::nullopt}, Case{"007", 7},
        // every hexadecimal prefix, either case of digits
        Case{"$FF", 255}, Case{"x2000", 8192}, Case{"X2000", 8192}, Case{"0x2000", 8192},
        Case{"0X2000", 8192}, Case{"0xabcdef", 0xABCDEF}, Case{" -$10", -16},
        // eight hex digits are two's complement; nine are too many
        Case{"$FFFFFFFF", -1}, Case{"0x80000000", INT32_MIN}, Case{"$123456789", std::nullopt},
        // what fails
        Case{"", std::nullopt}, Case{"   ", std::nullopt}, Case{"7 ", std::nullopt},
        Case{"7x", std::nullopt}, Case{"0x", std::nullopt}, Case{"$", std::nullopt},
        Case{"-", std::nullopt}, Case{"1.5", std::nullopt}, Case{"\t7", std::nullopt},
        Case{"0xG1", std::nullopt}, Case{"--1", std::nullopt}));

}  // namespace
}  // namespace fenwarp
