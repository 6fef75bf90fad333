// The layout table the window is built from: every control the logic reads
// or writes has exactly one place in it, of the right kind, and the
// converter's controls lie inside their group box.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "ui/Layout.h"

namespace velmora {
namespace {

using ui::Kind;

TEST(Layout, EveryModelAppearsOnceWithItsKind) {
    MainControls& c = controls();
    const std::map<Control*, Kind> expected = {
        {&c.checkAutoStart, Kind::CheckBox},     {&c.editLongitude, Kind::EditBox},
        {&c.editLatitude, Kind::EditBox},        {&c.checkFollowSun, Kind::CheckBox},
        {&c.checkCustomTime, Kind::CheckBox},    {&c.comboLightHour, Kind::List},
        {&c.comboLightMinute, Kind::List},       {&c.comboDarkHour, Kind::List},
        {&c.comboDarkMinute, Kind::List},        {&c.buttonSave, Kind::Button},
        {&c.buttonHide, Kind::Button},           {&c.buttonExit, Kind::Button},
        {&c.labelSunrise, Kind::Label},          {&c.labelSunset, Kind::Label},
        {&c.labelNow, Kind::Label},              {&c.comboChangeMode, Kind::List},
        {&c.comboDayWallpaper, Kind::List},      {&c.buttonPickDayWallpaper, Kind::Button},
        {&c.labelDayWallpaperPath, Kind::Label}, {&c.comboNightWallpaper, Kind::List},
        {&c.buttonPickNightWallpaper, Kind::Button}, {&c.labelNightWallpaperPath, Kind::Label},
        {&c.buttonPickPicture, Kind::Button},    {&c.buttonPickFolder, Kind::Button},
        {&c.labelConverterFolder, Kind::Label},  {&c.buttonConvert, Kind::Button},
    };
    std::map<Control*, int> seen;
    std::set<std::string> names;
    for (const ui::LayoutItem& item : ui::mainLayout()) {
        EXPECT_TRUE(names.insert(item.name).second) << item.name;
        if (!item.model) continue;
        Control* model = item.model(c);
        ++seen[model];
        auto kind = expected.find(model);
        ASSERT_NE(kind, expected.end()) << item.name;
        EXPECT_EQ(kind->second, item.kind) << item.name;
    }
    EXPECT_EQ(seen.size(), expected.size());
    for (const auto& [model, count] : seen) EXPECT_EQ(count, 1);
}

TEST(Layout, ContainersAndPages) {
    const auto& layout = ui::mainLayout();
    for (const ui::LayoutItem& item : layout) {
        EXPECT_GE(item.page, 0);
        EXPECT_LT(item.page, static_cast<int>(ui::pageNames().size()));
        if (item.container < 0) continue;
        const ui::LayoutItem& group = layout.at(item.container);
        EXPECT_EQ(group.kind, Kind::Group) << item.name;
        EXPECT_EQ(group.page, item.page) << item.name;
        EXPECT_LE(item.x + item.width, group.width) << item.name;
        EXPECT_LE(item.y + item.height, group.height) << item.name;
        EXPECT_LT(item.container, &item - &layout[0]) << "the group is made before its children";
    }
}

TEST(Layout, CentredOnTheWholeScreen) {
    EXPECT_EQ(ui::centredPlacement(1920, 1080).left, 680);
    EXPECT_EQ(ui::centredPlacement(1920, 1080).top, 350);
    EXPECT_EQ(ui::centredPlacement(1280, 800).top, 210);  // (800 - 379) / 2, truncated
}

}  // namespace
}  // namespace velmora
