#pragma once
// The main window's appearance on screen and its notification-area icon.
namespace velmora::platform {

void showMainWindow();
void hideMainWindow();

// Shell_NotifyIconA with NIM_ADD, resp. NIM_MODIFY, for the main window's
// icon (identifier 100, callback WM_APP + 100, tip "Velmora").
bool addTrayIcon();
bool modifyTrayIcon();

}  // namespace velmora::platform
