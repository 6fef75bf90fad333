#pragma once
// The stand-in platform: what the program sees of Windows when it runs on
// Linux for tests. Its state is open to the tests, which set the clock, look
// at the registry and the messages shown, and read the log of calls.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Registry.h"

namespace velmora::standin {

// Names compare without regard to ASCII case, as in the registry.
struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

struct RegistryKey {
    std::map<std::string, platform::RegValue, NoCaseLess> values;
};

struct State {
    // Registry: keys by root and full path ("Control Panel\Desktop").
    std::map<std::string, RegistryKey, NoCaseLess> currentUser;
    std::map<std::string, RegistryKey, NoCaseLess> localMachine;
    // When false, opening for writing and creating under the root fail, as
    // for a user without the right to write there.
    bool localMachineWritable = true;

    platform::LocalTime now{2024, 3, 3, 9, 7, 5};
    std::uint32_t ticks = 0;
    // Milliseconds the tick count moves forward at each dispatch of pending
    // messages, so that a wait on the tick count comes to an end.
    std::uint32_t ticksPerDispatch = 100;
    std::function<void()> onDispatch;

    std::vector<std::string> messages;
    // Runs while a message box is "open", with its text.
    std::function<void(const std::string&)> onMessage;

    std::string wallpaper;         // what the desktop shows
    std::string profileWallpaper;  // what the user profile records
    bool wallpaperCallsSucceed = true;

    std::string executablePath = "C:\\Program Files\\Velmora\\Velmora.exe";
    std::string currentDirectory;
    int oleInitialized = 0;

    // Every platform call in order, with its arguments, e.g.
    // "RegOpenKeyExA(HKCU, Control Panel\Desktop, KEY_WRITE) = 0".
    std::vector<std::string> calls;

    // Test helpers.
    std::map<std::string, RegistryKey, NoCaseLess>& root(platform::RegRoot r) {
        return r == platform::RegRoot::CurrentUser ? currentUser : localMachine;
    }
    std::optional<platform::RegValue> value(platform::RegRoot r, const std::string& key, const std::string& name);
    std::optional<std::uint32_t> dword(platform::RegRoot r, const std::string& key, const std::string& name);
    std::optional<std::string> string(platform::RegRoot r, const std::string& key, const std::string& name);
};

State& state();
// A fresh stand-in: empty registry but for "Control Panel\Desktop" (which
// every Windows profile has), no messages, no calls.
void reset();

}  // namespace velmora::standin

namespace velmora::standin {

// Dialogs, window and tray as the stand-in keeps them.
struct Desktop {
    // Answers the next open-file dialogs in turn: a path confirms it, an
    // empty text cancels. With no answer left the dialog is cancelled.
    std::vector<std::string> fileDialogAnswers;
    std::vector<std::string> fileDialogFilters;  // the filter of every dialog shown
    std::function<void()> whileDialogOpen;
    bool windowVisible = true;
    int trayIcons = 0;  // icons in the notification area
    bool trayCallsSucceed = true;
    // Answers the next folder browsers in turn: a path confirms that folder,
    // an empty text confirms a folder without a file-system path, nothing
    // cancels. With no answer left the browser is cancelled.
    std::vector<std::optional<std::string>> folderBrowserAnswers;
    std::vector<std::string> folderBrowserTitles;  // the title of every browser shown
};
Desktop& desktop();

}  // namespace velmora::standin
