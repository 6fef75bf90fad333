#pragma once
// Applies the light or the dark look: the two light-mode registry values
// and, by the change mode, the default or the custom wallpaper.

namespace velmora {

void applyLight();
void applyDark();

}  // namespace velmora
