// The calculator on the stand-in platform: day numbers, the number reader,
// time zones, sunTick with today's date from the clock, and its guard.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "sun/Sun.h"
#include "tests/core/Fixture.h"

namespace velmora {
namespace {

class SunTest : public testing::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        createMonthTables();
    }
    void TearDown() override {
        releaseMonthTables();
        ProgramTest::TearDown();
    }
    void place(const std::string& longitude, const std::string& latitude, int year, int month, int day) {
        ui().editLongitude.setText(longitude);
        ui().editLatitude.setText(latitude);
        platform().now = {year, month, day, 12, 0, 0};
    }
};

TEST_F(SunTest, DayNumbersAndLeapYears) {
    sunTick();  // loads the month tables, as every run does before counting
    place("116.4", "39.9", 2020, 1, 1);
    sunTick();
    struct Case {
        int year, month, day, want;
    } cases[] = {{2000, 1, 1, 1},    {2000, 3, 1, 61},   {2020, 6, 30, 7487}, {2020, 7, 15, 7502},
                 {2021, 1, 1, 7672}, {2021, 2, 15, 7717}, {2024, 2, 29, 8826}, {1999, 6, 30, 181}};
    for (const Case& c : cases) EXPECT_EQ(countDays(c.year, c.month, c.day), c.want) << c.year << "-" << c.month;
    for (int year : {2000, 2020, 2100, 1900}) EXPECT_EQ(isLeapYear(year), 1) << year;
    for (int year : {2021, 2019, -1}) EXPECT_EQ(isLeapYear(year), 0) << year;
    // A month beyond the tables adds nothing rather than reading past them.
    EXPECT_EQ(countDays(2000, 14, 1), 367);
}

TEST_F(SunTest, MonthTablesAreLoadedByEveryCompleteRun) {
    ASSERT_NE(monthTables(), nullptr);
    EXPECT_TRUE(monthTables()->leapMonthDays.empty());
    place("116.4", "39.9", 2020, 6, 30);
    sunTick();
    EXPECT_EQ(monthTables()->leapMonthDays,
              (std::vector<std::int32_t>{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}));
    EXPECT_EQ(monthTables()->commonMonthDays,
              (std::vector<std::int32_t>{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}));
    monthTables()->commonMonthDays[0] = 99;
    sunTick();
    EXPECT_EQ(monthTables()->commonMonthDays[0], 31);
    releaseMonthTables();
    EXPECT_EQ(monthTables(), nullptr);
}

TEST(SunText, TextToNumber) {
    struct Case {
        const char* text;
        double want;
    } cases[] = {
        {"116.4", 116.40000152587890625},
        {"１１６．４", 116.40000152587890625},  // full-width digits and full stop
        {"  \t116.4", 116.40000152587890625},
        {"　116.4", 116.40000152587890625},  // ideographic space
        {"39.9abc", 39.90000152587890625},
        {"39.9度", 39.90000152587890625},
        {"abc", 0.0},
        {"", 0.0},
        {"1e2", 100.0},
        {"1d2", 100.0},
        {"1E2", 100.0},
        {"1D+2", 100.0},
        {"１ｅ２", 100.0},
        {"－７４", -74.0},
        {"+5", 5.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1e", 1.0},  // an exponent letter without digits is not part of the number
        {"1e+", 1.0},
        {"inf", 0.0},
        {"nan", 0.0},
        {"0x10", 0.0},  // no hexadecimal form: the number at the front is 0
        {"-", 0.0},
        {".", 0.0},
        {"1\xA3", 1.0},  // a lone lead byte at the end is dropped
        {"\xA3\xB5", 5.0},
        {"0.1", 0.100000001490116119384765625},
        // Nearest double first, then nearest float: this text lies just above
        // the midpoint between the floats 1 and 1 + 2^-23, but its nearest
        // double is that midpoint, which goes to the even float 1. A direct
        // conversion to float would give 1 + 2^-23.
        {"1.000000059604644775390625000001", 1.0},
        {"1.0000000596046447753906250001e0", 1.0},
        {"1.0000000596046449", 1.00000011920928955078125},  // one double above the midpoint
        {"3.4028235e38", 3.4028234663852886e38},
        {"1e39", std::numeric_limits<double>::infinity()},
        {"-1e39", -std::numeric_limits<double>::infinity()},
        {"1e400", std::numeric_limits<double>::infinity()},
        {"1e99999999999999999999", std::numeric_limits<double>::infinity()},
        {"1e-400", 0.0},
        {"1e-45", 0x1p-149},  // the smallest float
        {"0.00000000000000000000000000000000000000000000000001", 0.0},
    };
    for (const Case& c : cases) EXPECT_EQ(textToNumber(c.text), c.want) << c.text;
}

TEST(SunText, TimeZonesAndLabels) {
    struct Case {
        double longitude;
        int want;
    } cases[] = {{116.4, 8}, {120.0, 9}, {105.0, 8}, {104.9, 7}, {0.0, 1}, {-0.00000005, 0}, {-0.1, -1}, {-74.0, -5}, {-15.1, -2}};
    for (const Case& c : cases) EXPECT_EQ(timeZoneFromLongitude(c.longitude), c.want) << c.longitude;
    EXPECT_EQ(formatSunTime(5, 3), "5：3");
    EXPECT_EQ(formatSunTime(0, -24), "0：-24");
    EXPECT_EQ(formatSunTime(-1, -30), "-1：-30");
    EXPECT_EQ(std::string(formatSunTime(4, 50)), "4\xA3\xBA" "50");
}

TEST(SunText, GuardsTakeANearMissAsExactlyOne) {
    const double halfPi = 0x1.921fb54442d18p+0;
    EXPECT_EQ(guardedAsin(1.0), halfPi);
    EXPECT_EQ(guardedAsin(1.0 + 5e-8), halfPi);
    EXPECT_EQ(guardedAsin(-1.0 - 5e-8), -halfPi);
    EXPECT_EQ(guardedAsin(1.0 + 2e-7), 0.0);
    EXPECT_EQ(guardedAcos(1.0 + 5e-8), 1.57079632675 - halfPi);
    EXPECT_EQ(guardedAcos(-1.0 - 5e-8), 1.57079632675 + halfPi);
    EXPECT_EQ(guardedAcos(-1.0 - 2e-7), 0.0);
    EXPECT_EQ(truncateToInt32(std::nan("")), 0);
    EXPECT_EQ(truncateToInt32(1e300), INT32_MAX);
    EXPECT_EQ(truncateToInt32(-std::numeric_limits<double>::infinity()), INT32_MIN);
    EXPECT_EQ(truncateToInt32(-0.9), 0);
    EXPECT_EQ(truncateToInt32(-2147483648.5), INT32_MIN);
}

TEST_F(SunTest, ReferencePlacesFromTheClock) {
    struct Case {
        const char* longitude;
        const char* latitude;
        int year, month, day;
        int passes;  // 0: not checked
        int riseHour, riseMinute, setHour, setMinute;
        const char* sunrise;
        const char* sunset;
    } cases[] = {
        {"116.4", "39.9", 2020, 6, 30, 2, 4, 50, 19, 46, "4：50", "19：46"},
        {"-74.0", "40.7", 2021, 2, 15, 3, 6, 46, 17, 33, "6：46", "17：33"},
        {"0.0", "90.0", 2021, 6, 21, 0, 13, 2, 13, 2, "13：2", "13：2"},
        {"20.0", "70.0", 2021, 6, 21, 0, 12, 42, 12, 42, "12：42", "12：42"},
        {"20.0", "70.0", 2021, 12, 21, 0, 12, 38, 12, 38, "12：38", "12：38"},
        {"0.0", "65.0", 2021, 6, 21, 0, 2, 1, 24, 2, "2：1", "24：2"},
        {"-15.1", "65.5", 2021, 6, 21, 0, 0, -22, 22, 27, "0：-22", "22：27"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.longitude + std::string(" ") + c.latitude);
        place(c.longitude, c.latitude, c.year, c.month, c.day);
        sunTick();
        if (c.passes) {
            EXPECT_EQ(sunCalculator().passes, c.passes);
        }
        EXPECT_EQ(state().sunriseHour, c.riseHour);
        EXPECT_EQ(state().sunriseMinute, c.riseMinute);
        EXPECT_EQ(state().sunsetHour, c.setHour);
        EXPECT_EQ(state().sunsetMinute, c.setMinute);
        EXPECT_EQ(ui().labelSunrise.text(), c.sunrise);
        EXPECT_EQ(ui().labelSunset.text(), c.sunset);
        EXPECT_EQ(state().todayYear, c.year);
        EXPECT_EQ(state().todayMonth, c.month);
        EXPECT_EQ(state().todayDay, c.day);
    }
    EXPECT_EQ(sunCalculator().dayCount, 7843);  // 2021-06-21
    EXPECT_EQ(sunCalculator().horizonAltitude, -0.833);
}

// The guess alternates between a pass that finds the sun crossing the
// horizon and one that does not; the run ends at the pass limit with the
// values of the last pass, which finds no crossing: both labels show the
// transit.
TEST_F(SunTest, AGuessThatNeverSettlesEndsAtThePassLimit) {
    place("-120.0", "75.0", 2020, 4, 25);
    sunTick();
    EXPECT_EQ(sunCalculator().passes, kSunPassLimit);
    EXPECT_EQ(ui().labelSunrise.text(), "10：57");
    EXPECT_EQ(ui().labelSunset.text(), "10：57");
}

TEST_F(SunTest, AnEmptyTextChangesNothing) {
    place("116.4", "39.9", 2020, 6, 30);
    sunTick();
    const SwitchState before = state();
    const SunCalculator calcBefore = sunCalculator();
    for (auto [longitude, latitude] : {std::pair{"-74.0", ""}, std::pair{"", "40.7"}, std::pair{"", ""}}) {
        place(longitude, latitude, 2021, 2, 15);
        monthTables()->leapMonthDays.clear();
        sunTick();
        EXPECT_EQ(ui().labelSunrise.text(), "4：50");
        EXPECT_EQ(ui().labelSunset.text(), "19：46");
        EXPECT_EQ(state().sunriseHour, before.sunriseHour);
        EXPECT_EQ(state().sunsetMinute, before.sunsetMinute);
        EXPECT_EQ(state().todayYear, 2020);
        EXPECT_EQ(state().todayMonth, 6);
        EXPECT_EQ(state().todayDay, 30);
        EXPECT_EQ(sunCalculator().utGuess, calcBefore.utGuess);
        EXPECT_EQ(sunCalculator().dayCount, 7487);
        EXPECT_TRUE(monthTables()->leapMonthDays.empty());
    }
    // A text of blanks is not empty: it reads as 0 and the run goes on.
    place(" ", " ", 2021, 2, 15);
    sunTick();
    EXPECT_EQ(state().todayYear, 2021);
    EXPECT_EQ(sunCalculator().latitude, 0.0);
}

// Coordinates beyond the float range read as infinities; the formulas then
// give NaN or values past 32 bits, which truncate to 0 or to a 32-bit
// limit. The run completes and every field receives an integer.
TEST_F(SunTest, InfiniteCoordinatesStillCompleteTheRun) {
    struct Case {
        const char* longitude;
        const char* latitude;
        const char* sunrise;
    } cases[] = {{"1e39", "39.9", "0：0"}, {"116.4", "-1e39", "0：0"}, {"1e30", "39.9", "-2147483648：-2147483648"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.longitude + std::string(" ") + c.latitude);
        place(c.longitude, c.latitude, 2020, 6, 30);
        sunTick();
        EXPECT_LE(sunCalculator().passes, kSunPassLimit);
        EXPECT_EQ(ui().labelSunrise.text(), c.sunrise);
        EXPECT_EQ(state().todayDay, 30);
    }
}

}  // namespace
}  // namespace velmora
