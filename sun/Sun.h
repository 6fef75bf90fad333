#pragma once
// The sun-time calculator: today's day number since 2000, and today's
// sunrise and sunset for the place in the longitude and latitude boxes, as
// local whole hours and minutes in SwitchState and in labelSunrise /
// labelSunset. sunTick is the single entry point (every 10 s on sunTimer,
// once at creation, after each accepted coordinate edit).
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// How often sunTimer runs sunTick.
inline constexpr unsigned kSunTimerMilliseconds = 10000;

// Each pass of the refinement follows the latest sunset; near the start or
// end of polar day or night the guess can alternate for ever between a pass
// that finds the sun crossing the horizon and one that does not. The
// refinement therefore stops after this many passes, and the values of that
// last pass (computed with the guess of the pass before) stand, exactly as
// if it had settled. Ordinary places need two or three passes, places near
// the polar circles up to about ten; 32 passes take a few microseconds, so
// the GUI thread is never held up.
inline constexpr int kSunPassLimit = 32;

// The calculator's own state, alive for the whole process.
struct SunCalculator {
    double longitude = 0.0;        // degrees, east positive
    double latitude = 0.0;         // degrees, north positive
    double utGuess = 0.0;          // degrees of universal time (180 = 12:00 UT)
    double horizonAltitude = 0.0;  // degrees
    std::int32_t dayCount = 0;
    int passes = 0;  // passes of the latest computeSunTimes
};
SunCalculator& sunCalculator();

// The two month-length tables, indexed by month number 1..12 (entry m-1).
// Created empty at program start, loaded by every sunTick that passes its
// guard, released at the end.
struct MonthTables {
    std::vector<std::int32_t> leapMonthDays;
    std::vector<std::int32_t> commonMonthDays;
};
void createMonthTables();
void releaseMonthTables();
// Null while the tables do not exist.
MonthTables* monthTables();

// Timer handler: reads both coordinate texts and today's date and
// recomputes the sun times. Does nothing while either text is empty.
void sunTick();
// The same run for a given date in place of today's (the maintainers'
// command-line tool, and tests that must run on either platform).
void sunTickOn(std::int32_t year, std::int32_t month, std::int32_t day);

// Full-width forms of GBK turned into ASCII (digits, signs, letters, the
// ideographic space, tilde and stars), every other character copied; a lone
// lead byte at the end is dropped. The first step of reading a number.
std::string fullWidthToAscii(const std::string& text);
// White space as the C library's readers skip it before a number: space,
// tab, new line, vertical tab, form feed and carriage return.
inline bool isCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
// A GBK text read as a number (full-width forms as ASCII, C-library
// grammar with e/E/d/D exponents), passed through single precision.
double textToNumber(const std::string& text);
std::int32_t isLeapYear(std::int32_t year);
std::int32_t countDays(std::int32_t year, std::int32_t month, std::int32_t day);
// Runs the refinement passes on the calculator state and writes the four
// sun-time fields of SwitchState and both label texts from the last pass.
void computeSunTimes();
// Radians; 0 for an argument beyond -1..1 by more than 1e-7. An argument
// beyond by no more than that is taken as exactly -1 or 1.
double guardedAsin(double x);
double guardedAcos(double x);
std::int32_t timeZoneFromLongitude(double longitude);
// "<hour>：<minute>" in GBK, plain decimal.
std::string formatSunTime(std::int32_t hour, std::int32_t minute);
// Cut towards zero to 32 bits. A value that does not fit saturates to the
// nearest 32-bit limit; NaN gives 0.
std::int32_t truncateToInt32(double x);

}  // namespace velmora
