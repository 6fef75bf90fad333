#include "platform/Wallpaper.h"

#include "platform/Desktop.h"
#include "platform/Registry.h"

namespace velmora::platform {

bool setDesktopWallpaper(const std::string& path) {
    // Change the wallpaper at once; nothing reaches the profile yet.
    if (!systemSetWallpaper(path, false)) return false;

    RegKey key = 0;
    if (!regOpenKey(RegRoot::CurrentUser, "Control Panel\\Desktop", RegAccess::Write, key)) return false;
    // Style "1" with tiling on: the tile style.
    const bool recorded = regSetString(key, "Wallpaper", path) && regSetString(key, "WallpaperStyle", "1") &&
                          regSetString(key, "TileWallpaper", "1");
    regCloseKey(key);
    if (!recorded) return false;

    // Written to the profile with SPIF_UPDATEINIFILE alone: no broadcast.
    return systemSetWallpaper(path, true);
}

}  // namespace velmora::platform
