#include <gtest/gtest.h>

#include "appearance/Appearance.h"
#include "tests/core/Fixture.h"

namespace velmora {
namespace {

using platform::RegRoot;
const char* const kPersonalize = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

class AppearanceTest : public testing::ProgramTest {
protected:
    std::optional<std::uint32_t> value(const char* name) { return platform().dword(RegRoot::CurrentUser, kPersonalize, name); }
};

TEST_F(AppearanceTest, ChangeModesAndChoicesDecideWhatIsApplied) {
    struct Case {
        int mode;
        int choice;
        bool defaultFilePresent;
        std::optional<std::uint32_t> theme;
        bool wallpaperSet;
        std::vector<std::string> messages;
    } cases[] = {
        {ThemeAndWallpaper, DefaultWallpaper, true, 0u, true, {}},
        {ThemeAndWallpaper, DefaultWallpaper, false, 0u, false, {"默认壁纸丢失！"}},
        {ThemeAndWallpaper, -1, true, 0u, false, {}},
        {ThemeOnly, DefaultWallpaper, false, 0u, false, {}},
        {WallpaperOnly, DefaultWallpaper, true, std::nullopt, true, {}},
        {WallpaperOnly, DefaultWallpaper, false, std::nullopt, false, {"默认壁纸丢失！"}},
        {WallpaperOnly, CustomWallpaper, true, std::nullopt, false, {"自定义壁纸丢失！"}},  // empty path
        {-1, DefaultWallpaper, true, std::nullopt, false, {}},
    };
    for (const Case& c : cases) {
        resetProgramState();
        standin::reset();
        programPaths() = {dir_.string(), "Velmora.exe"};
        std::filesystem::remove(dir_ / "默认黑壁纸.bmp");
        if (c.defaultFilePresent) touch("默认黑壁纸.bmp");
        ui().comboChangeMode.selectListItem(c.mode);
        ui().comboNightWallpaper.selectListItem(c.choice);
        applyDark();
        const std::string what = "mode " + std::to_string(c.mode) + " choice " + std::to_string(c.choice);
        EXPECT_EQ(value("AppsUseLightTheme"), c.theme) << what;
        EXPECT_EQ(value("SystemUsesLightTheme"), c.theme) << what;
        EXPECT_EQ(platform().wallpaper, c.wallpaperSet ? programPaths().besideExecutable("默认黑壁纸.bmp") : "") << what;
        EXPECT_EQ(platform().messages, c.messages) << what;
    }
}

TEST_F(AppearanceTest, LightLookUsesTheDayChoiceAndTheCustomPath) {
    const std::string custom = touch("day.bmp");
    ui().comboDayWallpaper.selectListItem(CustomWallpaper);
    ui().labelDayWallpaperPath.setText(custom);
    applyLight();
    EXPECT_EQ(value("AppsUseLightTheme"), 1u);
    EXPECT_EQ(value("SystemUsesLightTheme"), 1u);
    EXPECT_EQ(platform().profileWallpaper, custom);
    EXPECT_EQ(platform().string(RegRoot::CurrentUser, "Control Panel\\Desktop", "Wallpaper"), custom);
}

TEST_F(AppearanceTest, ThemeWriteCreatesAMissingKeyAndWritesEveryTime) {
    ui().comboChangeMode.selectListItem(ThemeOnly);
    applyDark();
    applyDark();
    const std::vector<std::string> once = {
        "RegOpenKeyExA(HKCU, " + std::string(kPersonalize) + ", KEY_WRITE) = fail",
        "RegCreateKeyA(HKCU, " + std::string(kPersonalize) + ") = ok",
        "RegSetValueExA(AppsUseLightTheme, REG_DWORD, 0) = ok",
        "RegCloseKey = ok",
    };
    ASSERT_GE(platform().calls.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(platform().calls.begin(), platform().calls.begin() + 4), once);
    EXPECT_EQ(platform().calls[7], "RegOpenKeyExA(HKCU, " + std::string(kPersonalize) + ", KEY_WRITE) = ok");
    EXPECT_EQ(platform().calls.size(), 13u);  // the second look opens the key it made
}

TEST_F(AppearanceTest, CustomPathNamingADirectoryReachesTheWallpaperCall) {
    std::filesystem::create_directory(dir_ / "folder");
    ui().comboChangeMode.selectListItem(WallpaperOnly);
    ui().comboNightWallpaper.selectListItem(CustomWallpaper);
    ui().labelNightWallpaperPath.setText(programPaths().besideExecutable("folder"));
    platform().wallpaperCallsSucceed = false;
    applyDark();
    EXPECT_TRUE(platform().messages.empty());
    EXPECT_EQ(platform().calls.back(),
              "SystemParametersInfoA(SPI_SETDESKWALLPAPER, " + programPaths().besideExecutable("folder") + ", 0) = fail");
}

TEST_F(AppearanceTest, SetDesktopWallpaperRunsItsStepsInOrder) {
    const std::string path = touch("w.bmp");
    ui().comboChangeMode.selectListItem(WallpaperOnly);
    ui().comboNightWallpaper.selectListItem(CustomWallpaper);
    ui().labelNightWallpaperPath.setText(path);
    applyDark();
    const std::vector<std::string> expected = {
        "FindFirstFileA(" + path + ") = ok",
        "SystemParametersInfoA(SPI_SETDESKWALLPAPER, " + path + ", 0) = ok",
        "RegOpenKeyExA(HKCU, Control Panel\\Desktop, KEY_WRITE) = ok",
        "RegSetValueExA(Wallpaper, REG_SZ, " + path + ") = ok",
        "RegSetValueExA(WallpaperStyle, REG_SZ, 1) = ok",
        "RegSetValueExA(TileWallpaper, REG_SZ, 1) = ok",
        "RegCloseKey = ok",
        "SystemParametersInfoA(SPI_SETDESKWALLPAPER, " + path + ", SPIF_UPDATEINIFILE) = ok",
    };
    EXPECT_EQ(platform().calls, expected);

    // A failing first call ends it there; a missing Desktop key is not created.
    for (bool spiFails : {true, false}) {
        standin::reset();
        platform().wallpaperCallsSucceed = !spiFails;
        if (!spiFails) platform().currentUser.erase("Control Panel\\Desktop");
        applyDark();
        const std::size_t steps = spiFails ? 2 : 3;
        EXPECT_EQ(platform().calls.size(), steps) << spiFails;
        EXPECT_EQ(platform().profileWallpaper, "");
        if (!spiFails) {
            EXPECT_EQ(platform().currentUser.count("Control Panel\\Desktop"), 0u);
        }
    }
}

}  // namespace
}  // namespace velmora
