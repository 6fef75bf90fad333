// The Windows implementation of the platform interfaces: the real calls,
// with the arguments the program relies on.
#include <windows.h>

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/Registry.h"

namespace velmora::platform {
namespace {

HKEY rootKey(RegRoot root) { return root == RegRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }
HKEY asHkey(RegKey key) { return reinterpret_cast<HKEY>(key); }
RegKey asKey(HKEY key) { return reinterpret_cast<RegKey>(key); }

}  // namespace

bool regOpenKey(RegRoot root, const std::string& path, RegAccess access, RegKey& key) {
    HKEY opened = nullptr;
    const REGSAM sam = access == RegAccess::Read ? KEY_READ : KEY_WRITE;
    if (RegOpenKeyExA(rootKey(root), path.c_str(), 0, sam, &opened) != ERROR_SUCCESS) return false;
    key = asKey(opened);
    return true;
}

bool regCreateKey(RegRoot root, const std::string& path, RegKey& key) {
    HKEY created = nullptr;
    if (RegCreateKeyA(rootKey(root), path.c_str(), &created) != ERROR_SUCCESS) return false;
    key = asKey(created);
    return true;
}

bool regSetDword(RegKey key, const std::string& name, std::uint32_t value) {
    const DWORD data = value;
    return RegSetValueExA(asHkey(key), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

bool regSetString(RegKey key, const std::string& name, const std::string& value) {
    // The length counts the terminating NUL, which is stored with the text.
    return RegSetValueExA(asHkey(key), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

std::optional<RegValue> regQueryValue(RegKey key, const std::string& name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(asHkey(key), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<unsigned char> data(size);
    if (RegQueryValueExA(asHkey(key), name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return RegValue{static_cast<RegType>(type), std::move(data)};
}

bool regDeleteValue(RegKey key, const std::string& name) {
    return RegDeleteValueA(asHkey(key), name.c_str()) == ERROR_SUCCESS;
}

void regCloseKey(RegKey key) { RegCloseKey(asHkey(key)); }

bool pathExists(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

std::optional<std::vector<unsigned char>> readWholeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::vector<unsigned char>> result;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart < 0x7fffffff) {
        std::vector<unsigned char> bytes(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                              read == bytes.size()))
            result = std::move(bytes);
    }
    CloseHandle(file);
    return result;
}

bool writeWholeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                                nullptr) &&
                                      written == bytes.size());
    return CloseHandle(file) && ok;
}

LocalTime localTimeNow() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

std::uint32_t tickCount() { return GetTickCount(); }

void showMessage(const std::string& text) {
    // No owner: MB_TASKMODAL makes the box modal for the program's windows.
    MessageBoxA(nullptr, text.c_str(), "信息：", MB_OK | MB_TASKMODAL);
}

bool systemSetWallpaper(const std::string& path, bool updateProfile) {
    return SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path.c_str()),
                                 updateProfile ? SPIF_UPDATEINIFILE : 0) != FALSE;
}

void dispatchPendingMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit request for the main message loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string executablePath() {
    char path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, length < sizeof path ? length : 0);
}

bool setCurrentDirectory(const std::string& path) { return SetCurrentDirectoryA(path.c_str()) != FALSE; }

void initializeOle() { OleInitialize(nullptr); }

}  // namespace velmora::platform
