// One tick of the real program logic against the real registry: in the
// light period, with the theme-only mode, both light-mode values become 1.
#include <gtest/gtest.h>

#include "core/Scheduler.h"
#include "core/State.h"
#include "platform/Clock.h"
#include "platform/Registry.h"

namespace velmora {
namespace {

std::optional<platform::RegValue> personalize(const char* name) {
    platform::RegKey key = 0;
    if (!platform::regOpenKey(platform::RegRoot::CurrentUser,
                              "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                              platform::RegAccess::Read, key))
        return std::nullopt;
    auto value = platform::regQueryValue(key, name);
    platform::regCloseKey(key);
    return value;
}

TEST(SchedulerOnWindows, LightTickWritesBothPersonalizeValues) {
    resetProgramState();
    MainControls& c = controls();
    c.editLongitude.setText("116.4");
    c.editLatitude.setText("39.9");
    c.checkCustomTime.setChecked(1);
    c.comboChangeMode.selectListItem(ThemeOnly);
    // Light from midnight to 23:59: the light period holds unless the clock
    // is in the day's last minute.
    c.comboLightHour.selectListItem(0);
    c.comboLightMinute.selectListItem(0);
    c.comboDarkHour.selectListItem(23);
    c.comboDarkMinute.selectListItem(59);
    const platform::LocalTime now = platform::localTimeNow();
    if (now.hour == 23 && now.minute == 59) GTEST_SKIP() << "the clock is in the dark minute";

    switchTick();
    EXPECT_EQ(switchState().lightApplied, 1);
    for (const char* name : {"AppsUseLightTheme", "SystemUsesLightTheme"}) {
        auto value = personalize(name);
        ASSERT_TRUE(value.has_value()) << name;
        EXPECT_EQ(value->type, platform::RegType::Dword) << name;
        EXPECT_EQ(value->data, (std::vector<unsigned char>{1, 0, 0, 0})) << name;
    }
    EXPECT_NE(c.labelNow.text().find("0年0月0日"), std::string::npos);
}

}  // namespace
}  // namespace velmora
