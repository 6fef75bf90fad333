#pragma once
#include <string>

namespace velmora::platform {

// Makes the picture file the tiled desktop wallpaper: sets it, records it
// with the tile style under HKCU "Control Panel\Desktop" (opened, never
// created) and writes it to the user profile. Stops at the first failing
// step; true when every step succeeded.
bool setDesktopWallpaper(const std::string& path);

}  // namespace velmora::platform
