#include "core/State.h"

#include <memory>

namespace velmora {

MainControls::MainControls() {
    // States at window creation: the time lists disabled and without a
    // selection, the first item of the other lists selected, the custom
    // wallpaper pickers hidden.
    for (ComboList* list : {&comboLightHour, &comboDarkHour, &comboLightMinute, &comboDarkMinute})
        list->setEnabled(false);
    comboChangeMode.selectListItem(0);
    comboDayWallpaper.selectListItem(0);
    comboNightWallpaper.selectListItem(0);
    buttonPickDayWallpaper.setVisible(false);
    labelDayWallpaperPath.setVisible(false);
    buttonPickNightWallpaper.setVisible(false);
    labelNightWallpaperPath.setVisible(false);
}

ProgramPaths splitExecutablePath(const std::string& fullPath) {
    std::size_t cut = std::string::npos;
    for (std::size_t i = 0; i < fullPath.size(); ++i) {
        const auto byte = static_cast<unsigned char>(fullPath[i]);
        if (byte >= 0x80 && i + 1 < fullPath.size()) {
            ++i;  // a GBK character: its trail byte may be 0x5C and is no separator
            continue;
        }
        if (byte == '\\') cut = i;
    }
    if (cut == std::string::npos) return {"", fullPath};
    return {fullPath.substr(0, cut), fullPath.substr(cut + 1)};
}

namespace {

struct ProgramState {
    MainControls controls;
    LiveSettings settings{controls};
    SwitchState switching;
    ProgramPaths paths;
};

std::unique_ptr<ProgramState>& instance() {
    static std::unique_ptr<ProgramState> state = std::make_unique<ProgramState>();
    return state;
}

}  // namespace

MainControls& controls() { return instance()->controls; }
LiveSettings& liveSettings() { return instance()->settings; }
SwitchState& switchState() { return instance()->switching; }
ProgramPaths& programPaths() { return instance()->paths; }

void resetProgramState() { instance() = std::make_unique<ProgramState>(); }

}  // namespace velmora
