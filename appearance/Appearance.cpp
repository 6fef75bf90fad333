#include "appearance/Appearance.h"

#include <cstdint>
#include <string>

#include "core/State.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/RegistryWrite.h"
#include "platform/Wallpaper.h"

namespace velmora {
namespace {

const char* const kPersonalizeKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

struct Look {
    std::uint32_t lightTheme;
    int wallpaperChoice;
    const std::string& customPath;
    const char* defaultFile;
};

void writeTheme(std::uint32_t lightTheme) {
    // Failures of these writes are neither detected nor reported.
    platform::writeRegistryDword(platform::RegRoot::CurrentUser, kPersonalizeKey, "AppsUseLightTheme", lightTheme);
    platform::writeRegistryDword(platform::RegRoot::CurrentUser, kPersonalizeKey, "SystemUsesLightTheme", lightTheme);
}

void changeWallpaper(const Look& look) {
    if (look.wallpaperChoice == DefaultWallpaper) {
        const std::string path = programPaths().besideExecutable(look.defaultFile);
        if (!platform::pathExists(path)) {
            platform::showMessage("默认壁纸丢失！");
            return;
        }
        platform::setDesktopWallpaper(path);
    } else if (look.wallpaperChoice == CustomWallpaper) {
        // Copied: the label may change while a nested tick runs.
        const std::string path = look.customPath;
        if (!platform::pathExists(path)) {
            platform::showMessage("自定义壁纸丢失！");
            return;
        }
        platform::setDesktopWallpaper(path);
    }
}

void apply(const Look& look) {
    switch (liveSettings().changeMode()) {
        case ThemeAndWallpaper:
            writeTheme(look.lightTheme);
            changeWallpaper(look);
            break;
        case ThemeOnly:
            writeTheme(look.lightTheme);
            break;
        case WallpaperOnly:
            changeWallpaper(look);
            break;
        default:
            break;  // nothing selected
    }
}

}  // namespace

void applyLight() {
    const LiveSettings& s = liveSettings();
    apply({1, s.dayWallpaperChoice(), s.dayWallpaperPath(), "默认白壁纸.bmp"});
}

void applyDark() {
    const LiveSettings& s = liveSettings();
    apply({0, s.nightWallpaperChoice(), s.nightWallpaperPath(), "默认黑壁纸.bmp"});
}

}  // namespace velmora
