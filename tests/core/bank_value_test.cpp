#include "core/banks/bank_value.h"

#include <gtest/gtest.h>

namespace fenwarp {
namespace {

struct Case {
    const char* text;
    std::uint16_t value;
    bool reported;
};

class BankValueTest : public ::testing::TestWithParam<Case> {};

TEST_P(BankValueTest, Converts) {
    const Case& c = GetParam();
    MessageRecorder messages;
    EXPECT_EQ(bank_value(c.text, messages), c.value) << '"' << c.text << '"';
    if (c.reported) {
        EXPECT_EQ(messages.texts, std::vector<std::string>{"Error in conversion string"});
    } else {
        EXPECT_TRUE(messages.texts.empty()) << '"' << c.text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(Bank, BankValueTest,
                         ::testing::Values(
                             // empty is all bits set, silently
                             Case{"", 0xFFFF, false},
                             // decimal and hexadecimal; the low 16 bits are kept
                             Case{"300", 300, false}, Case{"0x1234", 0x1234, false},
                             Case{"0x12345", 0x2345, false}, Case{"-1", 0xFFFF, false},
                             Case{"70000", 70000 & 0xFFFF, false},
                             // blanks and control characters around the value are trimmed
                             Case{" 7 ", 7, false}, Case{"\t7\r\n", 7, false},
                             Case{"  $FF  ", 0xFF, false},
                             // what does not convert is reported and gives all bits set
                             Case{"7x", 0xFFFF, true}, Case{"   ", 0xFFFF, true},
                             Case{"1 2", 0xFFFF, true}, Case{"0x", 0xFFFF, true},
                             Case{"\xC2\xA0"
                                  "7",
                                  0xFFFF, true}));

}  // namespace
}  // namespace fenwarp
