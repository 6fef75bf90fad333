// sunTick with any longitude and latitude texts on any date the clock can
// give (years 1601 to 30827): it returns within the pass limit, the date
// fields take the date, the label texts show the four sun-time fields, and
// sunrise never comes after sunset. An empty text changes nothing at all.
//
// Input: the longitude text, a NUL, the latitude text, a NUL, then the
// date as up to three decimal numbers (year, month, day) in any form; the
// numbers are brought into the clock's range. Edit boxes hold no NUL.
#include <cstdint>
#include <string>

#include "core/State.h"
#include "fuzz/FuzzText.h"
#include "platform/standin/StandIn.h"
#include "sun/Sun.h"

using namespace velmora;
using namespace velmora::fuzz;

namespace {

std::string part(const std::string& input, std::size_t& at) {
    const std::size_t end = input.find('\0', at);
    std::string piece = input.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? input.size() : end + 1;
    return piece;
}

int daysIn(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

std::string labelFor(std::int32_t hour, std::int32_t minute) {
    return std::to_string(hour) + "\xA3\xBA" + std::to_string(minute);  // full-width colon in GBK
}

struct Snapshot {
    SwitchState state;
    std::string sunrise, sunset;
    bool operator==(const Snapshot& o) const {
        const SwitchState& a = state;
        const SwitchState& b = o.state;
        return a.sunriseHour == b.sunriseHour && a.sunriseMinute == b.sunriseMinute && a.sunsetHour == b.sunsetHour &&
               a.sunsetMinute == b.sunsetMinute && a.todayYear == b.todayYear && a.todayMonth == b.todayMonth &&
               a.todayDay == b.todayDay && sunrise == o.sunrise && sunset == o.sunset;
    }
};

Snapshot snapshot() { return {switchState(), controls().labelSunrise.text(), controls().labelSunset.text()}; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t at = 0;
    const std::string longitude = part(input, at);
    const std::string latitude = part(input, at);
    long long numbers[3] = {2024, 3, 3};
    int count = 0;
    for (std::size_t i = at; i < input.size() && count < 3; ++i) {
        if (!isDigit(input[i])) continue;
        long long n = 0;
        for (; i < input.size() && isDigit(input[i]); ++i) n = (n * 10 + (input[i] - '0')) % 1000000007;
        numbers[count++] = n;
    }
    const int year = numbers[0] >= 1601 && numbers[0] <= 30827 ? static_cast<int>(numbers[0])
                                                                : 1601 + static_cast<int>(numbers[0] % 29227);
    const int month = 1 + static_cast<int>((numbers[1] + 11) % 12);
    const int day = 1 + static_cast<int>((numbers[2] + daysIn(year, month) - 1) % daysIn(year, month));

    standin::state().now = {year, month, day, 12, 0, 0};
    MainControls& c = controls();
    // Written by the program with no handler bound: the range check of the
    // window does not run, so any text reaches the calculator.
    c.editLongitude.textChanged = nullptr;
    c.editLatitude.textChanged = nullptr;
    c.editLongitude.setText(longitude);
    c.editLatitude.setText(latitude);

    const Snapshot before = snapshot();
    sunTick();
    const Snapshot after = snapshot();
    if (longitude.empty() || latitude.empty()) {
        check(after == before, "sunTick changed something with an empty text");
        return 0;
    }
    const SwitchState& s = switchState();
    const std::string detail = hex(longitude) + "/ " + hex(latitude) + "/ " + std::to_string(year) + "-" +
                               std::to_string(month) + "-" + std::to_string(day);
    check(sunCalculator().passes >= 1 && sunCalculator().passes <= kSunPassLimit, "pass count out of range", detail);
    check(s.todayYear == year && s.todayMonth == month && s.todayDay == day, "date fields", detail);
    check(after.sunrise == labelFor(s.sunriseHour, s.sunriseMinute), "sunrise label", detail + "\n" + after.sunrise);
    check(after.sunset == labelFor(s.sunsetHour, s.sunsetMinute), "sunset label", detail + "\n" + after.sunset);
    const long long rise = static_cast<long long>(s.sunriseHour) * 60 + s.sunriseMinute;
    const long long set = static_cast<long long>(s.sunsetHour) * 60 + s.sunsetMinute;
    check(rise <= set, "sunrise after sunset", detail);

    // No run depends on an earlier one.
    sunTick();
    check(snapshot() == after, "a second run gave other values", detail);
    return 0;
}
