#include "settings/SettingsFile.h"

#include <cstdint>
#include <limits>

#include "core/State.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Profile.h"
#include "sun/Sun.h"

namespace velmora {
namespace {

const char* const kFileName = "Auto.ini";
const char* const kBasic = "基础";
const char* const kPersonal = "个性";

std::string settingsPath() { return programPaths().besideExecutable(kFileName); }

void selectFromFile(ComboList& list, const char* section, const char* key) {
    list.selectListItem(textToInteger(readIniValue(section, key)));
}

}  // namespace

std::int32_t textToInteger(const std::string& text) {
    const std::string ascii = fullWidthToAscii(text);
    std::size_t i = 0;
    while (i < ascii.size() && isCSpace(ascii[i])) ++i;
    bool negative = false;
    if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) negative = ascii[i++] == '-';
    // Accumulated as a magnitude and held at the end of the 32-bit range,
    // so that the result is the same whatever the width of long.
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (ascii[i] - '0');
        if (magnitude > limit) magnitude = limit;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::string readIniValue(const std::string& section, const std::string& key) {
    return platform::readProfileString(settingsPath(), section, key);
}

bool writeIniValue(const std::string& section, const std::string& key, const std::string& value) {
    return platform::writeProfileString(settingsPath(), section, key, value);
}

void loadSettings() {
    if (!platform::pathExists(settingsPath())) return;
    MainControls& c = controls();

    if (readIniValue(kBasic, "开机自启") == "1") c.checkAutoStart.setChecked(1);
    if (readIniValue(kBasic, "开机自启") == "0") c.checkAutoStart.setChecked(0);

    // Each write raises the box's text-changed handling before the next step.
    c.editLongitude.setText(readIniValue(kBasic, "经度"));
    c.editLatitude.setText(readIniValue(kBasic, "纬度"));

    // The key holds the follow-sun box; the custom-time box is its opposite.
    if (readIniValue(kBasic, "时间自定") == "1") {
        c.checkFollowSun.setChecked(1);
        c.checkCustomTime.setChecked(0);
    }
    if (readIniValue(kBasic, "时间自定") == "0") {
        c.checkFollowSun.setChecked(0);
        c.checkCustomTime.setChecked(1);
    }

    selectFromFile(c.comboLightHour, kBasic, "白时");
    selectFromFile(c.comboDarkHour, kBasic, "黑时");
    selectFromFile(c.comboLightMinute, kBasic, "白分");
    selectFromFile(c.comboDarkMinute, kBasic, "黑分");
    selectFromFile(c.comboChangeMode, kPersonal, "方式");
    selectFromFile(c.comboDayWallpaper, kPersonal, "白壁");
    selectFromFile(c.comboNightWallpaper, kPersonal, "黑壁");

    c.labelDayWallpaperPath.setText(readIniValue(kPersonal, "白壁地址"));
    c.labelNightWallpaperPath.setText(readIniValue(kPersonal, "黑壁地址"));
}

void saveSettings() {
    const MainControls& c = controls();
    bool ok = true;
    // Every write is attempted even after one has failed.
    auto write = [&ok](const char* section, const char* key, const std::string& value) {
        if (!writeIniValue(section, key, value)) ok = false;
    };
    write(kBasic, "开机自启", c.checkAutoStart.checked() == 1 ? "1" : "0");
    write(kBasic, "经度", c.editLongitude.text());
    write(kBasic, "纬度", c.editLatitude.text());
    write(kBasic, "时间自定", c.checkFollowSun.checked() == 1 ? "1" : "0");
    write(kBasic, "白时", std::to_string(c.comboLightHour.selection()));
    write(kBasic, "黑时", std::to_string(c.comboDarkHour.selection()));
    write(kBasic, "白分", std::to_string(c.comboLightMinute.selection()));
    write(kBasic, "黑分", std::to_string(c.comboDarkMinute.selection()));
    write(kPersonal, "方式", std::to_string(c.comboChangeMode.selection()));
    write(kPersonal, "白壁", std::to_string(c.comboDayWallpaper.selection()));
    write(kPersonal, "黑壁", std::to_string(c.comboNightWallpaper.selection()));
    write(kPersonal, "白壁地址", c.labelDayWallpaperPath.text());
    write(kPersonal, "黑壁地址", c.labelNightWallpaperPath.text());
    platform::showMessage(ok ? "配置保存完毕！" : "配置保存失败！");
}

}  // namespace velmora
