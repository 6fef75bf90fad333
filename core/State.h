#pragma once
// The program's module-level state: the window's controls (which are the
// live settings), the computed switching state, and where the program lives.
// Texts are GBK: the sources are compiled with GBK as the execution charset.
#include <cstdint>
#include <string>

#include "core/Controls.h"
#include "platform/Dialogs.h"

namespace velmora {

// Every control whose state the logic reads or writes.
struct MainControls {
    // "基础设置"
    CheckBox checkAutoStart;
    EditBox editLongitude;
    EditBox editLatitude;
    CheckBox checkFollowSun;
    CheckBox checkCustomTime;
    ComboList comboLightHour{numberItems(24)};
    ComboList comboLightMinute{numberItems(60)};
    ComboList comboDarkHour{numberItems(24)};
    ComboList comboDarkMinute{numberItems(60)};
    Button buttonSave;
    Button buttonHide;
    Button buttonExit;
    // "基础信息"
    Label labelSunrise;
    Label labelSunset;
    Label labelNow;
    // "个性化"
    ComboList comboChangeMode{{"更换主题+壁纸", "只更换主题", "只更换壁纸"}};
    ComboList comboDayWallpaper{{"默认壁纸", "自定义"}};
    Button buttonPickDayWallpaper;
    Label labelDayWallpaperPath;
    ComboList comboNightWallpaper{{"默认壁纸", "自定义"}};
    Button buttonPickNightWallpaper;
    Label labelNightWallpaperPath;
    Button buttonPickPicture;
    Button buttonPickFolder;
    Label labelConverterFolder;
    Button buttonConvert;
    // The custom wallpaper dialogs keep their file names for the whole run.
    platform::OpenFileDialog dialogDayWallpaper{"*.bmp|*.bmp", ""};
    platform::OpenFileDialog dialogNightWallpaper{"*.bmp|*.bmp", ""};

    MainControls();
};

// The user's configuration as the controls hold it at this moment; a view
// onto MainControls, never a copy.
class LiveSettings {
public:
    explicit LiveSettings(MainControls& c) : c_(c) {}

    int autoStart() const { return c_.checkAutoStart.checked(); }
    const std::string& longitudeText() const { return c_.editLongitude.text(); }
    const std::string& latitudeText() const { return c_.editLatitude.text(); }
    int followSun() const { return c_.checkFollowSun.checked(); }
    int customTime() const { return c_.checkCustomTime.checked(); }
    int lightHour() const { return c_.comboLightHour.selection(); }
    int lightMinute() const { return c_.comboLightMinute.selection(); }
    int darkHour() const { return c_.comboDarkHour.selection(); }
    int darkMinute() const { return c_.comboDarkMinute.selection(); }
    int changeMode() const { return c_.comboChangeMode.selection(); }
    int dayWallpaperChoice() const { return c_.comboDayWallpaper.selection(); }
    int nightWallpaperChoice() const { return c_.comboNightWallpaper.selection(); }
    const std::string& dayWallpaperPath() const { return c_.labelDayWallpaperPath.text(); }
    const std::string& nightWallpaperPath() const { return c_.labelNightWallpaperPath.text(); }
    const std::string& converterFolder() const { return c_.labelConverterFolder.text(); }

private:
    MainControls& c_;
};

enum ChangeMode : std::int32_t { ThemeAndWallpaper = 0, ThemeOnly = 1, WallpaperOnly = 2 };
enum WallpaperChoice : std::int32_t { DefaultWallpaper = 0, CustomWallpaper = 1 };

// The computed state, all 0 when the program starts.
struct SwitchState {
    std::int32_t sunriseHour = 0, sunriseMinute = 0;
    std::int32_t sunsetHour = 0, sunsetMinute = 0;
    std::int32_t lightAtSeconds = 0, darkAtSeconds = 0;
    std::int32_t todayYear = 0, todayMonth = 0, todayDay = 0;
    std::int32_t nowHour = 0, nowMinute = 0, nowSecond = 0;
    std::int32_t nowSeconds = 0;
    std::int32_t lightApplied = 0;
};

// Where the program lives: the directory of the executable without a
// trailing backslash (the bare drive for a drive's root), and its file name.
struct ProgramPaths {
    std::string directory;
    std::string executableName;
    // A file beside the executable: plain concatenation.
    std::string besideExecutable(const std::string& name) const { return directory + "\\" + name; }
    std::string executablePath() const { return besideExecutable(executableName); }
};

// Splits a full path at its last backslash, skipping backslash bytes that
// are the trail byte of a GBK character.
ProgramPaths splitExecutablePath(const std::string& fullPath);

// The single instances.
MainControls& controls();
LiveSettings& liveSettings();
SwitchState& switchState();
ProgramPaths& programPaths();

// Puts every piece of module-level state back to its start value (controls
// as at window creation, switching state 0). For tests and for start-up.
void resetProgramState();

}  // namespace velmora
