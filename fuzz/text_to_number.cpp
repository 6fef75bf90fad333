// textToNumber on any bytes: always a value, and the value the C library's
// strtod gives for the accepted prefix of the half-width copy, narrowed to
// single precision and widened back.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/FuzzText.h"
#include "sun/Sun.h"

using namespace velmora::fuzz;

namespace {

// The number at the front of the text in the form strtod reads, with the
// exponent letters d and D written as e; empty when there is none.
std::string acceptedPrefix(const std::string& t) {
    std::size_t i = 0;
    while (i < t.size() && isCSpace(t[i])) ++i;
    std::string number;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) number += t[i++];
    bool digits = false;
    while (i < t.size() && isDigit(t[i])) number += t[i++], digits = true;
    if (i < t.size() && t[i] == '.') {
        number += t[i++];
        while (i < t.size() && isDigit(t[i])) number += t[i++], digits = true;
    }
    if (!digits) return {};
    if (i < t.size() && std::strchr("eEdD", t[i]) && t[i] != '\0') {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) exponent += t[j++];
        if (j < t.size() && isDigit(t[j])) {
            while (j < t.size() && isDigit(t[j])) exponent += t[j++];
            number += exponent;
        }
    }
    return number;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double got = velmora::textToNumber(text);

    const std::string number = acceptedPrefix(halfWidth(text));
    double expected = 0.0;
    if (!number.empty()) {
        // Out of the double range strtod gives +-HUGE_VAL or a zero of the
        // right sign, which is what single precision makes of it anyway.
        const volatile float narrowed = static_cast<float>(std::strtod(number.c_str(), nullptr));
        expected = narrowed;
    }
    check(!std::isnan(got), "textToNumber gave NaN", hex(text));
    check(std::memcmp(&got, &expected, sizeof got) == 0,
          "textToNumber differs from strtod through float",
          hex(text) + "\nprefix " + number + "\ngot " + std::to_string(got) + " expected " + std::to_string(expected));
    return 0;
}
