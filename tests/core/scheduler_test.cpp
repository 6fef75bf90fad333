#include <gtest/gtest.h>

#include "core/Scheduler.h"
#include "tests/core/Fixture.h"

namespace velmora {
namespace {

using platform::RegRoot;
const char* const kPersonalize = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

class SchedulerTest : public testing::ProgramTest {
protected:
    // Coordinates filled in, custom time 07:00 to 19:00, theme only, so that
    // every transition shows in the registry.
    void SetUp() override {
        ProgramTest::SetUp();
        configure();
    }
    void configure() {
        ui().editLongitude.setText("116.4");
        ui().editLatitude.setText("39.9");
        ui().checkCustomTime.setChecked(1);
        setTimes(7, 0, 19, 0);
        ui().comboChangeMode.selectListItem(ThemeOnly);
    }
    void setTimes(int lh, int lm, int dh, int dm) {
        ui().comboLightHour.selectListItem(lh);
        ui().comboLightMinute.selectListItem(lm);
        ui().comboDarkHour.selectListItem(dh);
        ui().comboDarkMinute.selectListItem(dm);
    }
    void at(int h, int m, int s) { platform().now = {2024, 3, 3, h, m, s}; }
    std::optional<std::uint32_t> theme() { return platform().dword(RegRoot::CurrentUser, kPersonalize, "AppsUseLightTheme"); }
    int themeWrites() {
        int n = 0;
        for (const auto& c : platform().calls) n += c.rfind("RegSetValueExA(AppsUseLightTheme", 0) == 0;
        return n;
    }
};

TEST_F(SchedulerTest, PeriodBoundariesBelongToTheirPeriods) {
    struct Case {
        int h, m, s;
        int light;
    } cases[] = {{6, 59, 59, 0}, {7, 0, 0, 1}, {12, 0, 0, 1}, {18, 59, 59, 1}, {19, 0, 0, 0}, {0, 0, 0, 0}, {23, 59, 59, 0}};
    state().lightApplied = 1;  // so that the first, dark, case applies its look
    for (const Case& c : cases) {
        at(c.h, c.m, c.s);
        switchTick();
        EXPECT_EQ(state().nowSeconds, c.h * 3600 + c.m * 60 + c.s);
        EXPECT_EQ(isLightPeriod(), c.light) << c.h << ":" << c.m << ":" << c.s;
        EXPECT_EQ(state().lightApplied, c.light);
        EXPECT_EQ(theme(), std::optional<std::uint32_t>(c.light));
    }
}

TEST_F(SchedulerTest, EachChangeOfPeriodAppliesItsLookOnce) {
    at(6, 59, 59);
    switchTick();
    EXPECT_EQ(themeWrites(), 0);  // dark at start while lightApplied is 0: nothing to apply
    at(7, 0, 0);
    switchTick();
    switchTick();
    EXPECT_EQ(themeWrites(), 1);
    EXPECT_EQ(theme(), 1u);
    at(19, 0, 0);
    switchTick();
    switchTick();
    EXPECT_EQ(themeWrites(), 2);
    EXPECT_EQ(theme(), 0u);
}

TEST_F(SchedulerTest, LightAtOrAfterDarkMeansDarkAllDay) {
    for (auto [lh, dh] : {std::pair{20, 8}, std::pair{9, 9}}) {
        setTimes(lh, 0, dh, 0);
        state().lightApplied = 1;
        for (int h : {0, 8, 9, 12, 20, 23}) {
            at(h, 0, 0);
            switchTick();
            EXPECT_EQ(state().lightApplied, 0) << lh << "->" << dh << " at " << h;
        }
        EXPECT_EQ(theme(), 0u);
    }
}

TEST_F(SchedulerTest, ClockTextUsesTheDateOfTheLatestSunRun) {
    at(9, 7, 5);
    switchTick();
    EXPECT_EQ(ui().labelNow.text(), "0年0月0日9时7分5秒");
    state().todayYear = 2024;
    state().todayMonth = 3;
    state().todayDay = 3;
    switchTick();
    EXPECT_EQ(ui().labelNow.text(), "2024年3月3日9时7分5秒");
}

TEST_F(SchedulerTest, EveryGuardEndsTheTickWithNothingChanged) {
    struct Case {
        const char* what;
        std::function<void(MainControls&)> spoil;
    } cases[] = {
        {"empty longitude", [](MainControls& c) { c.editLongitude.setText(""); }},
        {"empty latitude", [](MainControls& c) { c.editLatitude.setText(""); }},
        {"no mode", [](MainControls& c) { c.checkCustomTime.setChecked(0); }},
        {"light hour unset", [](MainControls& c) { c.comboLightHour.selectListItem(-1); }},
        {"dark hour unset", [](MainControls& c) { c.comboDarkHour.selectListItem(-1); }},
        {"light minute unset, sun mode as well",
         [](MainControls& c) {
             c.checkFollowSun.setChecked(1);
             c.comboLightMinute.selectListItem(-1);
         }},
        {"dark minute unset", [](MainControls& c) { c.comboDarkMinute.selectListItem(-1); }},
    };
    for (const Case& c : cases) {
        resetProgramState();
        standin::reset();
        programPaths() = {dir_.string(), "Velmora.exe"};
        configure();
        state().lightAtSeconds = 11;
        state().darkAtSeconds = 22;
        state().nowHour = 1;
        state().nowSeconds = 33;
        ui().labelNow.setText("before");
        c.spoil(ui());
        at(12, 0, 0);
        switchTick();
        EXPECT_EQ(state().lightAtSeconds, 11) << c.what;
        EXPECT_EQ(state().darkAtSeconds, 22) << c.what;
        EXPECT_EQ(state().nowHour, 1) << c.what;
        EXPECT_EQ(state().nowSeconds, 33) << c.what;
        EXPECT_EQ(state().lightApplied, 0) << c.what;
        EXPECT_EQ(ui().labelNow.text(), "before") << c.what;
        EXPECT_TRUE(platform().calls.empty()) << c.what;
    }
}

TEST_F(SchedulerTest, BlankCoordinatesPassTheGuard) {
    ui().editLongitude.setText(" ");
    ui().editLatitude.setText("abc");
    at(12, 0, 0);
    switchTick();
    EXPECT_EQ(state().lightApplied, 1);
}

TEST_F(SchedulerTest, SunModeWinsAndUsesTheSunTimesAsTheyStand) {
    ui().checkFollowSun.setChecked(1);
    state().sunriseHour = -1;
    state().sunriseMinute = -30;
    state().sunsetHour = 19;
    state().sunsetMinute = 46;
    at(0, 0, 0);
    switchTick();
    EXPECT_EQ(state().lightAtSeconds, -5400);
    EXPECT_EQ(state().darkAtSeconds, 19 * 3600 + 46 * 60);
    EXPECT_EQ(state().lightApplied, 1);
}

TEST_F(SchedulerTest, ComputeSwitchTimesTakesUnsetListsAsMinusOneAndKeepsMomentsWithoutAMode) {
    setTimes(-1, 30, 19, -1);
    computeSwitchTimes();
    EXPECT_EQ(state().lightAtSeconds, -3600 + 30 * 60);
    EXPECT_EQ(state().darkAtSeconds, 19 * 3600 - 60);
    ui().checkCustomTime.setChecked(0);
    setTimes(1, 1, 2, 2);
    computeSwitchTimes();
    EXPECT_EQ(state().lightAtSeconds, -1800);
}

TEST_F(SchedulerTest, PrimeTransitionSetsTheOppositeOfThePeriod) {
    computeSwitchTimes();
    for (auto [hour, primed] : {std::pair{12, 0}, std::pair{22, 1}, std::pair{7, 0}, std::pair{19, 1}}) {
        at(hour, 0, 0);
        readClock();
        primeTransition();
        EXPECT_EQ(state().lightApplied, primed) << hour;
    }
}

// A missing wallpaper shows a message; ticks arriving while it is open
// must not apply the same look again, but do apply a change of period.
class NestedTickTest : public SchedulerTest {
protected:
    void SetUp() override {
        SchedulerTest::SetUp();
        ui().comboChangeMode.selectListItem(ThemeAndWallpaper);
        at(7, 0, 0);
    }
};

TEST_F(NestedTickTest, TickDuringTheMissingWallpaperBoxAppliesNothing) {
    int nested = 0;
    platform().onMessage = [&](const std::string&) {
        ++nested;
        switchTick();
        switchTick();
    };
    switchTick();
    EXPECT_EQ(platform().messages, std::vector<std::string>{"默认壁纸丢失！"});
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(state().lightApplied, 1);
    EXPECT_EQ(themeWrites(), 1);
}

TEST_F(NestedTickTest, PeriodChangingWhileTheBoxIsOpenAppliesTheOppositeLookInside) {
    platform().onMessage = [&](const std::string&) {
        if (platform().messages.size() > 1) return;
        at(19, 0, 0);
        switchTick();
    };
    switchTick();
    EXPECT_EQ(platform().messages, (std::vector<std::string>{"默认壁纸丢失！", "默认壁纸丢失！"}));
    EXPECT_EQ(state().lightApplied, 0);
    EXPECT_EQ(theme(), 0u);
    // The failed look is not retried.
    switchTick();
    EXPECT_EQ(platform().messages.size(), 2u);
}

}  // namespace
}  // namespace velmora
