// textToInteger on any bytes: the value strtoll gives for the accepted
// prefix of the half-width copy, held at the ends of the 32-bit range.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzText.h"
#include "settings/SettingsFile.h"

using namespace velmora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::int32_t got = velmora::textToInteger(text);

    const std::string t = halfWidth(text);
    std::size_t i = 0;
    while (i < t.size() && isCSpace(t[i])) ++i;
    std::string number;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) number += t[i++];
    while (i < t.size() && isDigit(t[i])) number += t[i++];
    long long wide = std::strtoll(number.c_str(), nullptr, 10);  // saturates at the 64-bit ends
    if (wide > INT32_MAX) wide = INT32_MAX;
    if (wide < INT32_MIN) wide = INT32_MIN;
    check(got == wide, "textToInteger differs from strtoll held to 32 bits",
          hex(text) + "\ngot " + std::to_string(got) + " expected " + std::to_string(wide));
    return 0;
}
