// The settings under which every tick does its whole work: both coordinates
// filled in, all four time lists chosen and the change mode "theme only"
// (no wallpaper, so no message box stops a run). The benchmarks start from
// here on a fresh stand-in at noon.
#pragma once

#include "core/State.h"
#include "platform/standin/StandIn.h"

namespace velmora::bench {

enum class Moments { FollowSun, CustomTime };

inline void openEveryGuard(Moments moments) {
    resetProgramState();
    standin::reset();
    programPaths() = {"/nonexistent", "Velmora.exe"};
    MainControls& c = controls();
    c.editLongitude.setText("116.4");
    c.editLatitude.setText("39.9");
    if (moments == Moments::FollowSun)
        c.checkFollowSun.setChecked(1);
    else
        c.checkCustomTime.setChecked(1);
    c.comboLightHour.selectListItem(7);
    c.comboLightMinute.selectListItem(0);
    c.comboDarkHour.selectListItem(19);
    c.comboDarkMinute.selectListItem(0);
    c.comboChangeMode.selectListItem(ThemeOnly);
    standin::state().now = {2024, 3, 3, 12, 0, 0};
}

}  // namespace velmora::bench
