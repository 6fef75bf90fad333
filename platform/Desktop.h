#pragma once
// Desktop services: the message box, the wallpaper and the message pump.
#include <string>

namespace velmora::platform {

// The program's message box: caption "信息：", one OK button, no owner,
// modal for the program's windows. Returns when the user has pressed OK;
// timer ticks and input are dispatched while it is open.
void showMessage(const std::string& text);

// SystemParametersInfoA(SPI_SETDESKWALLPAPER) with the path; with
// updateProfile the setting is written to the user profile
// (SPIF_UPDATEINIFILE alone), without it no update flag is passed.
bool systemSetWallpaper(const std::string& path, bool updateProfile);

// Dispatches every window message of the program that is waiting now.
void dispatchPendingMessages();

}  // namespace velmora::platform
