#include "sun/Sun.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <system_error>

#include "core/State.h"
#include "platform/Clock.h"
#include "sun/SunMath.h"

namespace velmora {

using sunmath::atan;
using sunmath::cos;
using sunmath::sin;

namespace {

SunCalculator calculator;
std::unique_ptr<MonthTables> tables;

struct Date {
    std::int32_t year, month, day;
};

double magnitude(double x) { return x < 0 ? -x : x; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Narrowing to the nearest float; a value beyond the float range (at or
// past FLT_MAX plus half its unit in the last place) becomes infinity.
double throughSinglePrecision(double v) {
    constexpr double kFloatOverflow = 0x1.ffffffp127;
    if (v >= kFloatOverflow) return static_cast<double>(std::numeric_limits<float>::infinity());
    if (v <= -kFloatOverflow) return -static_cast<double>(std::numeric_limits<float>::infinity());
    return static_cast<double>(static_cast<float>(v));
}

template <class ReadDate>
void runSunTick(ReadDate readDate) {
    const LiveSettings& live = liveSettings();
    if (live.longitudeText().empty()) return;
    if (live.latitudeText().empty()) return;
    calculator.utGuess = 180.0;
    if (!tables) createMonthTables();
    tables->leapMonthDays = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    tables->commonMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    calculator.longitude = textToNumber(live.longitudeText());
    calculator.latitude = textToNumber(live.latitudeText());
    const Date today = readDate();
    SwitchState& s = switchState();
    s.todayYear = today.year;
    s.todayMonth = today.month;
    s.todayDay = today.day;
    calculator.horizonAltitude = -0.833;
    calculator.dayCount = countDays(s.todayYear, s.todayMonth, s.todayDay);
    computeSunTimes();
}

}  // namespace

// Full-width forms to ASCII, byte by byte, up to the first NUL.
std::string fullWidthToAscii(const std::string& text) {
    std::string out;
    const char* p = text.c_str();
    for (std::size_t i = 0; p[i] != '\0';) {
        const auto lead = static_cast<unsigned char>(p[i]);
        if (lead < 0x80) {
            out += p[i++];
            continue;
        }
        const auto trail = static_cast<unsigned char>(p[i + 1]);
        if (trail == 0) break;  // a lone lead byte before the end is dropped
        if (lead == 0xA1 && trail == 0xA1)
            out += ' ';
        else if (lead == 0xA1 && trail == 0xAB)
            out += '~';
        else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF))
            out += '*';
        else if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE)
            out += static_cast<char>(trail - 0x80);
        else {
            out += p[i];
            out += p[i + 1];
        }
        i += 2;
    }
    return out;
}


SunCalculator& sunCalculator() { return calculator; }

void createMonthTables() { tables = std::make_unique<MonthTables>(); }
void releaseMonthTables() { tables.reset(); }
MonthTables* monthTables() { return tables.get(); }

void sunTick() {
    runSunTick([] {
        const platform::LocalTime now = platform::localTimeNow();
        return Date{now.year, now.month, now.day};
    });
}

void sunTickOn(std::int32_t year, std::int32_t month, std::int32_t day) {
    runSunTick([=] { return Date{year, month, day}; });
}

double textToNumber(const std::string& text) {
    const std::string t = fullWidthToAscii(text);
    std::size_t i = 0;
    while (i < t.size() && isCSpace(t[i])) ++i;
    std::string number;  // the accepted prefix in the form from_chars reads
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        if (t[i] == '-') number += '-';
        ++i;
    }
    // Where the leading significant digit stands, to tell an overflow from
    // an underflow when from_chars gives up: significant digits before the
    // point, or else zeros after the point before the first other digit.
    long integerDigits = 0, fractionZeros = 0;
    bool seenDigit = false, fractionNonZero = false;
    for (; i < t.size() && isDigit(t[i]); ++i) {
        number += t[i];
        seenDigit = true;
        if ((integerDigits > 0 || t[i] != '0') && integerDigits < 100000000) ++integerDigits;
    }
    if (i < t.size() && t[i] == '.') {
        number += '.';
        for (++i; i < t.size() && isDigit(t[i]); ++i) {
            number += t[i];
            seenDigit = true;
            if (integerDigits == 0 && !fractionNonZero) {
                if (t[i] == '0' && fractionZeros < 100000000)
                    ++fractionZeros;
                else
                    fractionNonZero = true;
            }
        }
    }
    if (!seenDigit) return 0.0;
    long exponent = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) negativeExponent = t[j++] == '-';
        if (j < t.size() && isDigit(t[j])) {
            number += negativeExponent ? "e-" : "e";
            for (; j < t.size() && isDigit(t[j]); ++j) {
                number += t[j];
                if (exponent < 100000000) exponent = exponent * 10 + (t[j] - '0');
            }
            if (negativeExponent) exponent = -exponent;
        }
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Beyond the double range: infinity for a huge magnitude, zero for a
        // tiny one (the two cases lie hundreds of decades apart).
        const bool huge = integerDigits > 0 ? integerDigits + exponent > 0
                                            : fractionNonZero && exponent - fractionZeros > 0;
        const double m = huge ? std::numeric_limits<double>::infinity() : 0.0;
        value = number[0] == '-' ? -m : m;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    return throughSinglePrecision(value);
}

std::int32_t isLeapYear(std::int32_t year) {
    // The remainder on doubles, as fmod gives it (sign of the dividend); for
    // whole numbers it equals the integer remainder exactly.
    const double r = static_cast<double>(year % 4);
    return magnitude(r) <= 1e-7 ? 1 : 0;
}

std::int32_t countDays(std::int32_t year, std::int32_t month, std::int32_t day) {
    std::int32_t n = 0;
    for (std::int32_t y = 2000; y < year; ++y) n += isLeapYear(y) == 1 ? 366 : 365;
    const std::vector<std::int32_t>* months = nullptr;
    if (tables) months = isLeapYear(year) == 1 ? &tables->leapMonthDays : &tables->commonMonthDays;
    for (std::int32_t m = 1; m < month; ++m) {
        // A month beyond the table (or a table not loaded) adds nothing.
        if (months && static_cast<std::size_t>(m) <= months->size()) n += (*months)[static_cast<std::size_t>(m - 1)];
    }
    return n + day;
}

double guardedAsin(double x) {
    if (x + 1 < -1e-7 || x - 1 > 1e-7) return 0.0;
    // Within the tolerance beyond -1..1 the argument counts as exactly -1
    // or 1, so that the square root never sees a negative radicand.
    if (x > 1.0) x = 1.0;
    if (x < -1.0) x = -1.0;
    const double square = x * x;
    const double radicand = 1 - square;
    const double root = std::sqrt(radicand);
    return atan(x / root);
}

double guardedAcos(double x) {
    if (x - 1 > 1e-7 || x + 1 < -1e-7) return 0.0;
    return 1.57079632675 - guardedAsin(x);
}

std::int32_t timeZoneFromLongitude(double longitude) {
    if (longitude < -1e-7) return truncateToInt32(longitude / 15 - 1);
    return truncateToInt32(longitude / 15 + 1);
}

std::string formatSunTime(std::int32_t hour, std::int32_t minute) {
    return std::to_string(hour) + "：" + std::to_string(minute);
}

std::int32_t truncateToInt32(double x) {
    if (x != x) return 0;
    if (x >= 2147483648.0) return INT32_MAX;
    if (x <= -2147483649.0) return INT32_MIN;
    return static_cast<std::int32_t>(x);
}

void computeSunTimes() {
    SunCalculator& c = calculator;
    // These terms do not change from pass to pass; the functions give the
    // same value for the same argument, so they are evaluated once.
    const double sinHorizon = sin(c.horizonAltitude * 3.1415926535 / 180);
    const double sinLatitude = sin(c.latitude * 3.1415926535 / 180);
    const double cosLatitude = cos(c.latitude * 3.1415926535 / 180);
    double riseUt = 0.0, setUt = 0.0;
    c.passes = 0;
    for (;;) {
        ++c.passes;
        const double centuries = (c.dayCount + c.utGuess / 360) / 36525;
        const double meanLongitude = centuries * 36000.77 + 280.46;
        const double meanAnomaly = centuries * 35999.05 + 357.528;
        const double sinAnomaly = sin(meanAnomaly * 3.1415926535 / 180);
        const double sinTwiceAnomaly = sin(meanAnomaly * 6.283185307 / 180);
        const double eclipticLongitude = (meanLongitude + sinAnomaly * 1.915) + sinTwiceAnomaly * 0.02;
        const double obliquity = 23.4393 - centuries * 0.013;
        const double declination =
            guardedAsin(sin(obliquity * 0.017453292519444445) * sin(eclipticLongitude * 0.017453292519444445)) *
            57.29577951471995;
        const double greenwichHourAngle = ((((c.utGuess - 180) - sinAnomaly * 1.915) - sinTwiceAnomaly * 0.02) +
                                           sin(eclipticLongitude * 6.283185307 / 180) * 2.466) -
                                          sin(eclipticLongitude * 12.566370614 / 180) * 0.053;
        const double q = (sinHorizon - sinLatitude * sin(declination * 3.1415926535 / 180)) /
                         (cosLatitude * cos(declination * 3.1415926535 / 180));
        const double hourAngle = guardedAcos(q) * 57.29577951471995;
        riseUt = c.utGuess - ((greenwichHourAngle + c.longitude) + hourAngle);
        setUt = c.utGuess - ((greenwichHourAngle + c.longitude) - hourAngle);
        const double d = magnitude(c.utGuess - setUt);
        // NaN compares false: such a pass is the last one.
        if (!(d - 0.1 >= -1e-7) || c.passes >= kSunPassLimit) break;
        c.utGuess = setUt;
    }
    const std::int32_t timeZone = timeZoneFromLongitude(c.longitude);
    SwitchState& s = switchState();
    const double riseLocal = riseUt / 15 + timeZone;
    const double setLocal = setUt / 15 + timeZone;
    s.sunriseHour = truncateToInt32(riseLocal);
    s.sunsetHour = truncateToInt32(setLocal);
    s.sunriseMinute = truncateToInt32((riseLocal - s.sunriseHour) * 60);
    s.sunsetMinute = truncateToInt32((setLocal - s.sunsetHour) * 60);
    MainControls& ui = controls();
    ui.labelSunrise.setText(formatSunTime(s.sunriseHour, s.sunriseMinute));
    ui.labelSunset.setText(formatSunTime(s.sunsetHour, s.sunsetMinute));
}

}  // namespace velmora
