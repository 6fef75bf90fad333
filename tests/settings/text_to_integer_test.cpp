// Reading the stored list indexes: the same results in the 64-bit native
// build and the 32-bit Windows build.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "settings/SettingsFile.h"

namespace velmora {
namespace {

struct IntegerCase {
    const char* text;
    std::int32_t expected;
};

TEST(TextToInteger, ReadsLikeTheCLibraryAfterFullWidthForms) {
    const IntegerCase cases[] = {
        {"42", 42},
        {"  \t42", 42},
        {"-7", -7},
        {"+15", 15},
        {"12abc", 12},
        {"3.9", 3},
        {"abc", 0},
        {"", 0},
        {"- 5", 0},
        {"0x1A", 0},
        {"\xA3\xB4\xA3\xB2", 42},          // full-width 42
        {"\xA3\xAD\xA3\xB5", -5},          // full-width minus and 5
        {"\xA1\xA1\xA1\xA1" "9", 9},       // ideographic spaces before the digit
        {"\xA3\xAB" "8", 8},               // full-width plus
        {"\xB8\xF6" "5", 0},               // a Chinese character first
        {"7\xB0", 7},                      // a lone lead byte at the end
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"99999999999999999999", 2147483647},
        {"-2147483648", INT32_MIN},
        {"-2147483649", INT32_MIN},
        {"-99999999999999999999", INT32_MIN},
    };
    for (const IntegerCase& c : cases) EXPECT_EQ(textToInteger(c.text), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace velmora
