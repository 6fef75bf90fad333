#pragma once
// Shared inside the Windows backend: the main window's handle and its
// notification-area icon.
#include <windows.h>

namespace velmora::platform::win32 {

// The main window, once created (null before and after).
HWND& mainWindowHandle();

// The callback message of the notification-area icon.
inline constexpr UINT trayCallbackMessage = WM_APP + 100;
inline constexpr UINT trayIconId = 100;
// The program's icon in the resources.
inline constexpr int appIconResource = 1;

// Removes the notification-area icon if one was added; run when the main
// window is destroyed.
void removeTrayIcon();

// The TrayEventCode for a mouse message on the icon, 0 for none.
int trayEventCode(UINT mouseMessage);

}  // namespace velmora::platform::win32
