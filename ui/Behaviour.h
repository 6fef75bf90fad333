#pragma once
// How the controls of the main window react to the user: the two switching
// check boxes and their lock on the time lists, the wallpaper pickers, the
// range check of the coordinate boxes, and hiding to the notification area.
#include "core/State.h"

namespace velmora {

enum class WallpaperPicker { Day, Night };
enum class CoordinateBox { Longitude, Latitude };

// Binds every control event of the main window to its handling (check
// boxes, edit boxes, lists, buttons). Run once after the controls exist.
void bindControlHandlers();

void applyTimeListLock();
void applyWallpaperPickers();
void followSunClicked();
void customTimeClicked();
void wallpaperListSelected(WallpaperPicker picker);
void pickWallpaperFile(WallpaperPicker picker);
void checkCoordinateText(CoordinateBox box);
void hideToTray();

// TrayEventCode: 1 left button up, 2 left double-click, 3 right button up
// or context menu.
enum TrayEventCode { TrayLeftUp = 1, TrayLeftDoubleClick = 2, TrayRightUp = 3 };
void restoreFromTray(int code);
// Explorer restarted ("TaskbarCreated"): the icon is added again if it existed.
void trayRecreated();

}  // namespace velmora
