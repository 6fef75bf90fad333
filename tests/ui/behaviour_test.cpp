#include <gtest/gtest.h>

#include "tests/core/Fixture.h"
#include "ui/Behaviour.h"

namespace velmora {
namespace {

class BehaviourTest : public testing::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        bindControlHandlers();
    }
    std::vector<bool> listsEnabled() {
        MainControls& c = ui();
        return {c.comboLightHour.enabled(), c.comboDarkHour.enabled(), c.comboLightMinute.enabled(),
                c.comboDarkMinute.enabled()};
    }
    bool listsAre(bool on) { return listsEnabled() == std::vector<bool>(4, on); }
};

TEST_F(BehaviourTest, SwitchingCheckBoxesLockEachOtherAndTheTimeLists) {
    struct Step {
        CheckBox MainControls::*box;
        int followSun, customTime;
        bool listsEnabled;
    } steps[] = {
        {&MainControls::checkCustomTime, 0, 1, true},   // checks custom time
        {&MainControls::checkFollowSun, 1, 0, false},   // checks follow sun: custom unchecked
        {&MainControls::checkFollowSun, 0, 0, true},    // unchecks follow sun: lists enabled, none checked
        {&MainControls::checkCustomTime, 0, 1, true},
        {&MainControls::checkCustomTime, 0, 0, false},  // unchecks custom time: lists disabled
    };
    int n = 0;
    for (const Step& s : steps) {
        (ui().*s.box).userClick();
        EXPECT_EQ(ui().checkFollowSun.checked(), s.followSun) << "step " << n;
        EXPECT_EQ(ui().checkCustomTime.checked(), s.customTime) << "step " << n;
        EXPECT_TRUE(listsAre(s.listsEnabled)) << "step " << n;
        ++n;
    }
}

TEST_F(BehaviourTest, TimeListLockFollowsCustomTimeOnly) {
    ui().checkFollowSun.setChecked(1);
    applyTimeListLock();
    EXPECT_TRUE(listsAre(false));
    ui().checkCustomTime.setChecked(1);
    applyTimeListLock();
    EXPECT_TRUE(listsAre(true));
}

TEST_F(BehaviourTest, PickerRuleShowsHidesOrLeavesAlone) {
    MainControls& c = ui();
    c.labelNightWallpaperPath.setText("D:\\night.bmp");
    c.comboNightWallpaper.userPick(CustomWallpaper);
    EXPECT_TRUE(c.buttonPickNightWallpaper.visible());
    EXPECT_TRUE(c.labelNightWallpaperPath.visible());
    EXPECT_FALSE(c.buttonPickDayWallpaper.visible());
    c.comboNightWallpaper.userPick(DefaultWallpaper);
    EXPECT_FALSE(c.buttonPickNightWallpaper.visible());
    EXPECT_FALSE(c.labelNightWallpaperPath.visible());
    EXPECT_EQ(c.labelNightWallpaperPath.text(), "D:\\night.bmp");

    // Without a selection nothing changes; applyWallpaperPickers does both.
    c.comboDayWallpaper.selectListItem(CustomWallpaper);
    c.comboNightWallpaper.selectListItem(-1);
    c.buttonPickNightWallpaper.setVisible(true);
    applyWallpaperPickers();
    EXPECT_TRUE(c.buttonPickDayWallpaper.visible());
    EXPECT_TRUE(c.labelDayWallpaperPath.visible());
    EXPECT_TRUE(c.buttonPickNightWallpaper.visible());
    EXPECT_FALSE(c.labelNightWallpaperPath.visible());
}

TEST_F(BehaviourTest, WallpaperDialogFillsThePathAndCancelKeepsIt) {
    auto& desk = standin::desktop();
    MainControls& c = ui();
    c.labelDayWallpaperPath.setText("C:\\loaded.bmp");  // as loaded from the settings file
    desk.fileDialogAnswers = {"", "C:\\a.bmp", ""};
    c.buttonPickDayWallpaper.userClick();
    EXPECT_EQ(c.labelDayWallpaperPath.text(), "C:\\loaded.bmp");
    c.buttonPickDayWallpaper.userClick();
    EXPECT_EQ(c.labelDayWallpaperPath.text(), "C:\\a.bmp");
    c.buttonPickDayWallpaper.userClick();
    EXPECT_EQ(c.labelDayWallpaperPath.text(), "C:\\a.bmp");
    EXPECT_EQ(desk.fileDialogFilters, std::vector<std::string>(3, "*.bmp|*.bmp"));
    EXPECT_TRUE(c.labelNightWallpaperPath.text().empty());
}

TEST_F(BehaviourTest, CoordinateRangeCheck) {
    struct Case {
        const char* text;
        bool longitude;
        bool accepted;
    } cases[] = {
        {"180", true, true},   {"-180", true, true},   {"181", true, false},      {"200", true, false},
        {"90", false, true},   {"-90", false, true},   {"-90.5", false, false},   {"90.000000001", false, true},
        {"-", true, true},     {".", false, true},     {"1-2", true, true},       {"１８１", true, false},
    };
    for (const Case& c : cases) {
        standin::reset();
        resetProgramState();
        bindControlHandlers();
        EditBox& box = c.longitude ? ui().editLongitude : ui().editLatitude;
        box.userSetText(c.text);
        const std::vector<std::string> expected =
            c.accepted ? std::vector<std::string>{} : std::vector<std::string>{c.longitude ? "经度超出范围！" : "纬度超出范围！"};
        EXPECT_EQ(platform().messages, expected) << c.text;
        EXPECT_EQ(box.text(), c.accepted ? c.text : "") << c.text;
        EXPECT_EQ(box.hasFocus(), !c.accepted) << c.text;
    }
}

TEST_F(BehaviourTest, RejectionWaitsMoreThanASecondWhileMessagesFlow) {
    // The counter is close to its wrap; ticks keep arriving during the wait.
    platform().ticks = 0xFFFFFF00u;
    int dispatched = 0;
    std::vector<std::string> textDuringBox;
    platform().onMessage = [&](const std::string&) { textDuringBox.push_back(ui().editLongitude.text()); };
    platform().onDispatch = [&] { ++dispatched; };
    ui().editLatitude.setText("40");
    ui().editLongitude.userSetText("200");
    EXPECT_EQ(textDuringBox, std::vector<std::string>{"200"});  // the box is open before the text is cleared
    EXPECT_EQ(dispatched, 11);  // 100 ms per dispatch: ends once more than 1000 ms have passed
    EXPECT_TRUE(ui().editLongitude.text().empty());
}

TEST_F(BehaviourTest, TypingDuringTheWaitIsCheckedNestedInsideIt) {
    platform().onDispatch = [&] {
        if (ui().editLongitude.text().empty()) ui().editLongitude.userSetText("300");
    };
    platform().onMessage = [&](const std::string&) {
        if (platform().messages.size() == 2) platform().onDispatch = nullptr;
    };
    ui().editLongitude.userSetText("200");
    EXPECT_EQ(platform().messages, (std::vector<std::string>{"经度超出范围！", "经度超出范围！"}));
    EXPECT_TRUE(ui().editLongitude.text().empty());
}

TEST_F(BehaviourTest, HideRestoreHideLeavesOneIcon) {
    auto& desk = standin::desktop();
    ui().buttonHide.userClick();
    EXPECT_FALSE(desk.windowVisible);
    EXPECT_EQ(desk.trayIcons, 1);
    for (int code : {int(TrayLeftUp), int(TrayRightUp), 0, 99}) {
        restoreFromTray(code);
        EXPECT_FALSE(desk.windowVisible) << code;
    }
    restoreFromTray(TrayLeftDoubleClick);
    EXPECT_TRUE(desk.windowVisible);
    ui().buttonHide.userClick();
    EXPECT_EQ(desk.trayIcons, 1);
    EXPECT_EQ(platform().calls.back(), "Shell_NotifyIconA(NIM_MODIFY) = ok");
    EXPECT_TRUE(platform().messages.empty());
}

TEST_F(BehaviourTest, FailedTrayIconBringsTheWindowBackWithAMessage) {
    auto& desk = standin::desktop();
    desk.trayCallsSucceed = false;
    ui().buttonHide.userClick();
    EXPECT_TRUE(desk.windowVisible);
    EXPECT_EQ(platform().messages, std::vector<std::string>{"托盘图标创建失败！"});
}

TEST_F(BehaviourTest, ExplorerRestartAddsTheIconAgainOnlyIfItExisted) {
    auto& desk = standin::desktop();
    trayRecreated();
    EXPECT_EQ(desk.trayIcons, 0);
    ui().buttonHide.userClick();
    desk.trayIcons = 0;  // the new taskbar has no icons
    trayRecreated();
    EXPECT_EQ(desk.trayIcons, 1);
    EXPECT_EQ(platform().calls.back(), "Shell_NotifyIconA(NIM_ADD) = ok");
}

}  // namespace
}  // namespace velmora
