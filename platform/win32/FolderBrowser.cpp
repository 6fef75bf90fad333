// The shell's folder browser, modal for all of the program's windows.
#include <windows.h>
#include <shlobj.h>

#include <utility>
#include <vector>

#include "platform/FolderBrowser.h"
#include "platform/win32/LateBound.h"

namespace velmora::platform {
namespace {

using WindowStates = std::vector<std::pair<HWND, bool>>;

BOOL CALLBACK disableWindow(HWND window, LPARAM states) {
    reinterpret_cast<WindowStates*>(states)->emplace_back(window, IsWindowEnabled(window) != FALSE);
    EnableWindow(window, FALSE);
    return TRUE;
}

}  // namespace

std::optional<std::string> browseForFolder(const std::string& title) {
    static const auto browse = win32::lateBound<decltype(&SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
    static const auto pathOf = win32::lateBound<decltype(&SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
    static const auto shellMalloc = win32::lateBound<decltype(&SHGetMalloc)>("shell32.dll", "SHGetMalloc");
    // Without the shell there is no dialog: the same as a cancel.
    if (!browse || !pathOf || !shellMalloc) return std::nullopt;

    HWND active = GetActiveWindow();
    // The program's top-level windows are those of its one (GUI) thread.
    WindowStates states;
    EnumThreadWindows(GetCurrentThreadId(), disableWindow, reinterpret_cast<LPARAM>(&states));

    char displayName[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = active;
    info.pidlRoot = nullptr;  // the desktop
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_EDITBOX;
    LPITEMIDLIST items = browse(&info);

    for (auto it = states.rbegin(); it != states.rend(); ++it)
        if (IsWindow(it->first)) EnableWindow(it->first, it->second ? TRUE : FALSE);
    if (active && IsWindow(active)) SetActiveWindow(active);

    if (items == nullptr) return std::nullopt;
    char path[MAX_PATH] = {};
    const bool inFileSystem = pathOf(items, path) != FALSE && path[0] != '\0';
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(shellMalloc(&allocator)) && allocator) {
        allocator->Free(items);
        allocator->Release();
    }
    if (!inFileSystem) return std::nullopt;
    return std::string(path);
}

}  // namespace velmora::platform
