#include <gtest/gtest.h>

#include "core/State.h"

namespace velmora {
namespace {

TEST(ControlsTest, FreshWindowHoldsTheInitialSettings) {
    resetProgramState();
    const LiveSettings& s = liveSettings();
    EXPECT_EQ(s.autoStart(), 0);
    EXPECT_EQ(s.followSun(), 0);
    EXPECT_EQ(s.customTime(), 0);
    EXPECT_TRUE(s.longitudeText().empty());
    EXPECT_TRUE(s.latitudeText().empty());
    EXPECT_EQ(s.lightHour(), -1);
    EXPECT_EQ(s.lightMinute(), -1);
    EXPECT_EQ(s.darkHour(), -1);
    EXPECT_EQ(s.darkMinute(), -1);
    EXPECT_EQ(s.changeMode(), 0);
    EXPECT_EQ(s.dayWallpaperChoice(), 0);
    EXPECT_EQ(s.nightWallpaperChoice(), 0);
    EXPECT_TRUE(s.dayWallpaperPath().empty());
    EXPECT_TRUE(s.nightWallpaperPath().empty());
    EXPECT_FALSE(controls().comboLightHour.enabled());
    EXPECT_FALSE(controls().buttonPickDayWallpaper.visible());
    EXPECT_FALSE(controls().labelNightWallpaperPath.visible());
}

TEST(ControlsTest, SelectListItemClampsAndRaisesNothing) {
    struct Case {
        int written;
        int readBack;
    } cases[] = {{99, 23}, {23, 23}, {0, 0}, {-1, -1}, {-5, -1}, {-2147483647 - 1, -1}, {2147483647, 23}};
    ComboList hours{numberItems(24)};
    int raised = 0;
    hours.itemSelected = [&] { ++raised; };
    for (const Case& c : cases) {
        hours.selectListItem(c.written);
        EXPECT_EQ(hours.selection(), c.readBack) << c.written;
    }
    EXPECT_EQ(raised, 0);
    hours.userPick(5);
    EXPECT_EQ(raised, 1);
}

TEST(ControlsTest, EditWritesRaiseTextChangedOncePerWriteEvenForTheSameText) {
    EditBox box;
    std::vector<std::string> seen;
    box.textChanged = [&] { seen.push_back(box.text()); };
    box.setText("116.4");
    box.setText("116.4");
    box.setText("");
    EXPECT_EQ(seen, (std::vector<std::string>{"116.4", "116.4", ""}));
}

TEST(ControlsTest, CheckBoxRaisesClickedOnlyForTheUserAfterTheMarkChanged) {
    CheckBox box;
    std::vector<int> seen;
    box.clicked = [&] { seen.push_back(box.checked()); };
    box.setChecked(1);
    box.setChecked(0);
    EXPECT_TRUE(seen.empty());
    box.userClick();
    box.userClick();
    EXPECT_EQ(seen, (std::vector<int>{1, 0}));
}

}  // namespace
}  // namespace velmora
