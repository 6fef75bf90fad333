// The main window's shell services: showing and hiding it, its
// notification-area icon, and the open-file dialogs it owns.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstring>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Tray.h"
#include "platform/win32/LateBound.h"
#include "platform/win32/MainWindow.h"

namespace velmora::platform {
namespace win32 {
namespace {

bool& trayIconExists() {
    static bool exists = false;
    return exists;
}

HICON trayIcon() {
    static HICON icon = nullptr;
    if (icon) return icon;
    HINSTANCE module = GetModuleHandleA(nullptr);
    // The small icon size first; the large size when that fails.
    icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(appIconResource), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    if (!icon)
        icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(appIconResource), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    return icon;
}

// The 88-byte form of the data block (NOTIFYICONDATAA_V1_SIZE): owner, id,
// flags, callback message, icon and a 64-byte tip.
bool notifyIcon(DWORD action) {
    NOTIFYICONDATAA data;
    std::memset(&data, 0, sizeof data);
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = mainWindowHandle();
    data.uID = trayIconId;
    if (action != NIM_DELETE) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = trayCallbackMessage;
        data.hIcon = trayIcon();
        // At most 63 bytes and the NUL fit the old tip field.
        lstrcpynA(data.szTip, "Velmora", 64);
    }
    static const auto notify = lateBound<decltype(&Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA");
    return notify && notify(action, &data) != FALSE;
}

}  // namespace

HWND& mainWindowHandle() {
    static HWND window = nullptr;
    return window;
}

void removeTrayIcon() {
    if (!trayIconExists()) return;
    notifyIcon(NIM_DELETE);
    trayIconExists() = false;
}

int trayEventCode(UINT mouseMessage) {
    switch (mouseMessage) {
        case WM_LBUTTONUP: return 1;
        case WM_LBUTTONDBLCLK: return 2;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU: return 3;
        default: return 0;
    }
}

}  // namespace win32

static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the old data block is 88 bytes");

void showMainWindow() { ShowWindow(win32::mainWindowHandle(), SW_SHOW); }
void hideMainWindow() { ShowWindow(win32::mainWindowHandle(), SW_HIDE); }

bool addTrayIcon() {
    const bool ok = win32::notifyIcon(NIM_ADD);
    if (ok) win32::trayIconExists() = true;
    return ok;
}

bool modifyTrayIcon() { return win32::notifyIcon(NIM_MODIFY); }

bool showOpenFileDialog(OpenFileDialog& dialog) {
    // "name|pattern|..." becomes NUL-separated pairs ending in two NULs. The
    // trail byte of a GBK character may be 0x7C and is no separator.
    std::vector<char> filter(dialog.filter.begin(), dialog.filter.end());
    for (std::size_t i = 0; i < filter.size(); ++i) {
        if (static_cast<unsigned char>(filter[i]) >= 0x80) {
            ++i;
            continue;
        }
        if (filter[i] == '|') filter[i] = '\0';
    }
    filter.push_back('\0');
    filter.push_back('\0');

    char file[MAX_PATH * 4] = {};
    lstrcpynA(file, dialog.fileName.c_str(), sizeof file);

    OPENFILENAMEA ofn;
    std::memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = win32::mainWindowHandle();
    ofn.lpstrFilter = filter.data();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    static const auto open = win32::lateBound<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    if (!open || !open(&ofn)) return false;
    dialog.fileName = file;
    return true;
}

}  // namespace velmora::platform
