#include "ui/Behaviour.h"

#include <cmath>
#include <cstdint>

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/Tray.h"
#include "sun/Sun.h"

namespace velmora {
namespace {

// The time lists, always handled in this order.
void setTimeListsEnabled(bool on) {
    MainControls& c = controls();
    for (ComboList* list : {&c.comboLightHour, &c.comboDarkHour, &c.comboLightMinute, &c.comboDarkMinute})
        list->setEnabled(on);
}

struct Picker {
    ComboList& list;
    Button& button;
    Label& path;
    platform::OpenFileDialog& dialog;
};

Picker picker(WallpaperPicker which) {
    MainControls& c = controls();
    if (which == WallpaperPicker::Day)
        return {c.comboDayWallpaper, c.buttonPickDayWallpaper, c.labelDayWallpaperPath, c.dialogDayWallpaper};
    return {c.comboNightWallpaper, c.buttonPickNightWallpaper, c.labelNightWallpaperPath, c.dialogNightWallpaper};
}

// Shows the custom file picker for "自定义", hides it for "默认壁纸" and
// leaves it alone without a selection. A hidden path label keeps its text.
void applyPickerRule(WallpaperPicker which) {
    Picker p = picker(which);
    const int choice = p.list.selection();
    if (choice != DefaultWallpaper && choice != CustomWallpaper) return;
    p.button.setVisible(choice == CustomWallpaper);
    p.path.setVisible(choice == CustomWallpaper);
}

// Whether the notification-area icon has been added.
bool& trayIconAdded() {
    static bool added = false;
    return added;
}

}  // namespace

void bindControlHandlers() {
    MainControls& c = controls();
    c.checkFollowSun.clicked = followSunClicked;
    c.checkCustomTime.clicked = customTimeClicked;
    c.comboDayWallpaper.itemSelected = [] { wallpaperListSelected(WallpaperPicker::Day); };
    c.comboNightWallpaper.itemSelected = [] { wallpaperListSelected(WallpaperPicker::Night); };
    c.buttonPickDayWallpaper.clicked = [] { pickWallpaperFile(WallpaperPicker::Day); };
    c.buttonPickNightWallpaper.clicked = [] { pickWallpaperFile(WallpaperPicker::Night); };
    c.editLongitude.textChanged = [] { checkCoordinateText(CoordinateBox::Longitude); };
    c.editLatitude.textChanged = [] { checkCoordinateText(CoordinateBox::Latitude); };
    c.buttonHide.clicked = hideToTray;
    trayIconAdded() = false;
}

void applyTimeListLock() { setTimeListsEnabled(controls().checkCustomTime.checked() == 1); }

void applyWallpaperPickers() {
    applyPickerRule(WallpaperPicker::Night);
    applyPickerRule(WallpaperPicker::Day);
}

void followSunClicked() {
    MainControls& c = controls();
    if (c.checkFollowSun.checked()) {
        setTimeListsEnabled(false);
        c.checkCustomTime.setChecked(0);
    } else {
        setTimeListsEnabled(true);
    }
}

void customTimeClicked() {
    MainControls& c = controls();
    if (c.checkCustomTime.checked()) {
        setTimeListsEnabled(true);
        c.checkFollowSun.setChecked(0);
    } else {
        setTimeListsEnabled(false);
    }
}

void wallpaperListSelected(WallpaperPicker which) { applyPickerRule(which); }

void pickWallpaperFile(WallpaperPicker which) {
    Picker p = picker(which);
    // A cancelled dialog keeps the label as it was: writing the dialog's
    // old file name would wipe a path loaded from the settings file.
    if (platform::showOpenFileDialog(p.dialog)) p.path.setText(p.dialog.fileName);
}

void checkCoordinateText(CoordinateBox box) {
    MainControls& c = controls();
    EditBox& edit = box == CoordinateBox::Longitude ? c.editLongitude : c.editLatitude;
    const double limit = box == CoordinateBox::Longitude ? 180 : 90;
    const double v = textToNumber(edit.text());
    if (std::fabs(v) - limit > 1e-7) {
        platform::showMessage(box == CoordinateBox::Longitude ? "经度超出范围！" : "纬度超出范围！");
        edit.setText("");  // runs this check again, nested, for the empty text
        edit.focus();
        // About a second of grace in which messages keep flowing; the
        // unsigned difference survives the tick counter's wrap.
        const std::uint32_t start = platform::tickCount();
        while (platform::tickCount() - start <= 1000) platform::dispatchPendingMessages();
        return;
    }
    sunTick();
}

void hideToTray() {
    platform::hideMainWindow();
    bool shown = trayIconAdded() ? platform::modifyTrayIcon() : platform::addTrayIcon();
    if (shown) {
        trayIconAdded() = true;
        return;
    }
    // The icon is the only way back to a hidden window.
    platform::showMainWindow();
    platform::showMessage("托盘图标创建失败！");
}

void restoreFromTray(int code) {
    if (code == TrayLeftDoubleClick) platform::showMainWindow();
}

void trayRecreated() {
    if (!trayIconAdded() || platform::addTrayIcon()) return;
    trayIconAdded() = false;
    platform::showMainWindow();
    platform::showMessage("托盘图标创建失败！");
}

}  // namespace velmora
