// Start-up, running and shutdown of the whole program against the stand-in
// window: what is prepared before the window loads, what the window's events
// are bound to, and that "退出" ends the loop with no icon left behind.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/Program.h"
#include "sun/Sun.h"
#include "platform/standin/StandInWindow.h"
#include "tests/core/Fixture.h"

namespace velmora {
namespace {

class ProgramRun : public testing::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        standin::mainWindow() = {};
        standin::desktop() = {};
        programPaths() = {};
        platform().executablePath = dir_.string() + "\\Velmora.exe";
    }
    std::size_t callIndex(const std::string& prefix) const {
        const auto& calls = standin::state().calls;
        auto at = std::find_if(calls.begin(), calls.end(),
                               [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
        return at == calls.end() ? std::string::npos : static_cast<std::size_t>(at - calls.begin());
    }
    standin::MainWindow& window() { return standin::mainWindow(); }
};

TEST_F(ProgramRun, PreparesTheProcessBeforeTheWindowAndRunsTheCreationSequence) {
    std::string folderAtCreation;
    std::string currentDirAtCreation;
    int oleAtCreation = -1;
    window().messageLoop = [&] {
        folderAtCreation = ui().labelConverterFolder.text();
        currentDirAtCreation = platform().currentDirectory;
        oleAtCreation = platform().oleInitialized;
    };
    EXPECT_EQ(runProgram(), 0);

    EXPECT_EQ(oleAtCreation, 1);
    EXPECT_EQ(programPaths().directory, dir_.string());
    EXPECT_EQ(programPaths().executableName, "Velmora.exe");
    EXPECT_EQ(currentDirAtCreation, dir_.string());
    // The creation sequence ran: the converter works in the program directory.
    EXPECT_EQ(folderAtCreation, dir_.string());
    EXPECT_EQ(window().created, 1);
    EXPECT_FALSE(window().exists);
}

TEST_F(ProgramRun, TimersTrayAndExitReachTheirHandling) {
    window().messageLoop = [&] {
        auto& events = window().events;
        ASSERT_TRUE(events.sunTimerTick && events.switchTimerTick && events.trayEvent && events.taskbarCreated);
        // With a place and a mode, the one-second tick shows the running
        // clock and the ten-second tick the sun times.
        ui().editLongitude.userSetText("116.4");
        ui().editLatitude.userSetText("39.9");
        ui().checkFollowSun.userClick();
        ui().comboChangeMode.selectListItem(ThemeOnly);  // no wallpaper file needed
        ui().labelSunrise.setText("");
        EXPECT_EQ(ui().labelNow.text(), "");
        events.switchTimerTick();
        EXPECT_NE(ui().labelNow.text(), "");
        events.sunTimerTick();
        EXPECT_NE(ui().labelSunrise.text(), "");
        EXPECT_TRUE(platform().messages.empty());

        // Hide, a single click does nothing, a double-click brings it back.
        ui().buttonHide.userClick();
        EXPECT_FALSE(standin::desktop().windowVisible);
        EXPECT_EQ(standin::desktop().trayIcons, 1);
        events.trayEvent(1);
        events.trayEvent(3);
        EXPECT_FALSE(standin::desktop().windowVisible);
        events.trayEvent(2);
        EXPECT_TRUE(standin::desktop().windowVisible);

        // "退出" destroys the window, and the icon goes with it.
        ui().buttonExit.userClick();
        EXPECT_FALSE(window().exists);
        EXPECT_EQ(standin::desktop().trayIcons, 0);
    };
    EXPECT_EQ(runProgram(), 0);
    EXPECT_NE(callIndex("Shell_NotifyIconA(NIM_DELETE)"), std::string::npos);
    EXPECT_LT(callIndex("Shell_NotifyIconA(NIM_DELETE)"), callIndex("message loop ended"));
}

TEST_F(ProgramRun, StartsAgainAfterAnEarlierRun) {
    // Two copies one after the other: no single-instance check keeps the
    // second from making its own window.
    EXPECT_EQ(runProgram(), 0);
    resetProgramState();
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(window().created, 2);
    EXPECT_EQ(ui().labelConverterFolder.text(), dir_.string());
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

class ProgramButtons : public ProgramRun {};

TEST_F(ProgramButtons, SaveAutoStartAndConverterButtonsReachTheirHandling) {
    window().messageLoop = [&] {
        ui().buttonSave.userClick();
        ui().checkAutoStart.userClick();
        ui().buttonConvert.userClick();
    };
    runProgram();
    EXPECT_TRUE(std::filesystem::exists(dir_ / "Auto.ini"));
    EXPECT_EQ(platform().string(platform::RegRoot::LocalMachine, "software\\microsoft\\windows\\CurrentVersion\\Run",
                                "DireRavari"),
              dir_.string() + "\\Velmora.exe");
    EXPECT_EQ(platform().messages, (std::vector<std::string>{"配置保存完毕！", "还没有选择图片！"}));
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

class ProgramMonthTables : public ProgramRun {};

TEST_F(ProgramMonthTables, ExistEmptyFromStartAndAreReleasedAtTheEnd) {
    releaseMonthTables();
    bool existedEmpty = false;
    window().messageLoop = [&] {
        MonthTables* t = monthTables();
        existedEmpty = t != nullptr && t->leapMonthDays.empty() && t->commonMonthDays.empty();
    };
    runProgram();
    EXPECT_TRUE(existedEmpty);
    EXPECT_EQ(monthTables(), nullptr);
}

}  // namespace
}  // namespace velmora
