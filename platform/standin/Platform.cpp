// The stand-in implementation of every platform interface.
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/standin/StandIn.h"

namespace velmora::platform {
namespace {

using standin::state;

// Open keys: handle -> (root, path). Handle 0 is never given out.
struct OpenKey {
    RegRoot root;
    std::string path;
};
std::map<RegKey, OpenKey>& openKeys() {
    static std::map<RegKey, OpenKey> keys;
    return keys;
}

// Windows paths on the Linux file system: each backslash separator becomes
// a slash; the trail byte of a GBK character is left alone.
std::string hostPath(const std::string& path) {
    std::string out = path;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (static_cast<unsigned char>(out[i]) >= 0x80) {
            ++i;
            continue;
        }
        if (out[i] == '\\') out[i] = '/';
    }
    return out;
}

const char* rootName(RegRoot root) { return root == RegRoot::CurrentUser ? "HKCU" : "HKLM"; }

void log(std::string call, bool ok) { state().calls.push_back(std::move(call) + (ok ? " = ok" : " = fail")); }

RegKey handOut(RegRoot root, const std::string& path) {
    static RegKey next = 0x100;
    openKeys()[++next] = {root, path};
    return next;
}

standin::RegistryKey* keyOf(RegKey key) {
    auto k = openKeys().find(key);
    if (k == openKeys().end()) return nullptr;
    auto& keys = state().root(k->second.root);
    auto found = keys.find(k->second.path);
    return found == keys.end() ? nullptr : &found->second;
}

bool writable(RegRoot root) { return root == RegRoot::CurrentUser || state().localMachineWritable; }

bool setValue(RegKey key, const std::string& name, RegValue value) {
    auto* k = keyOf(key);
    if (k == nullptr || !writable(openKeys()[key].root)) return false;
    k->values[name] = std::move(value);
    return true;
}

}  // namespace

bool regOpenKey(RegRoot root, const std::string& path, RegAccess access, RegKey& key) {
    auto& keys = state().root(root);
    const bool ok = keys.count(path) != 0 && (access == RegAccess::Read || writable(root));
    if (ok) key = handOut(root, path);
    log(std::string("RegOpenKeyExA(") + rootName(root) + ", " + path + ", " +
            (access == RegAccess::Read ? "KEY_READ" : "KEY_WRITE") + ")",
        ok);
    return ok;
}

bool regCreateKey(RegRoot root, const std::string& path, RegKey& key) {
    const bool ok = writable(root) && !path.empty();
    if (ok) {
        state().root(root)[path];
        key = handOut(root, path);
    }
    log(std::string("RegCreateKeyA(") + rootName(root) + ", " + path + ")", ok);
    return ok;
}

bool regSetDword(RegKey key, const std::string& name, std::uint32_t value) {
    RegValue v{RegType::Dword,
               {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)}};
    const bool ok = setValue(key, name, std::move(v));
    log("RegSetValueExA(" + name + ", REG_DWORD, " + std::to_string(value) + ")", ok);
    return ok;
}

bool regSetString(RegKey key, const std::string& name, const std::string& value) {
    RegValue v{RegType::String, {value.begin(), value.end()}};
    v.data.push_back(0);
    const bool ok = setValue(key, name, std::move(v));
    log("RegSetValueExA(" + name + ", REG_SZ, " + value + ")", ok);
    return ok;
}

std::optional<RegValue> regQueryValue(RegKey key, const std::string& name) {
    std::optional<RegValue> result;
    if (auto* k = keyOf(key)) {
        auto v = k->values.find(name);
        if (v != k->values.end()) result = v->second;
    }
    log("RegQueryValueExA(" + name + ")", result.has_value());
    return result;
}

bool regDeleteValue(RegKey key, const std::string& name) {
    auto* k = keyOf(key);
    const bool ok = k != nullptr && writable(openKeys()[key].root) && k->values.erase(name) == 1;
    log("RegDeleteValueA(" + name + ")", ok);
    return ok;
}

void regCloseKey(RegKey key) {
    const bool ok = openKeys().erase(key) == 1;
    log("RegCloseKey", ok);
}

bool pathExists(const std::string& path) {
    struct stat info;
    const bool ok = !path.empty() && ::stat(hostPath(path).c_str(), &info) == 0;
    log("FindFirstFileA(" + path + ")", ok);
    return ok;
}

std::optional<std::vector<unsigned char>> readWholeFile(const std::string& path) {
    std::ifstream in(hostPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    // A directory opens but cannot be read; the stream reports it by throwing.
    try {
        std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return bytes;
    } catch (const std::ios_base::failure&) {
        return std::nullopt;
    }
}

bool writeWholeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(hostPath(path), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return static_cast<bool>(out);
}

LocalTime localTimeNow() { return state().now; }

std::uint32_t tickCount() { return state().ticks; }

void showMessage(const std::string& text) {
    state().messages.push_back(text);
    log("MessageBoxA(" + text + ", 信息：, MB_OK|MB_TASKMODAL)", true);
    if (state().onMessage) state().onMessage(text);
}

bool systemSetWallpaper(const std::string& path, bool updateProfile) {
    const bool ok = state().wallpaperCallsSucceed;
    if (ok) {
        state().wallpaper = path;
        if (updateProfile) state().profileWallpaper = path;
    }
    log("SystemParametersInfoA(SPI_SETDESKWALLPAPER, " + path + ", " + (updateProfile ? "SPIF_UPDATEINIFILE" : "0") +
            ")",
        ok);
    return ok;
}

void dispatchPendingMessages() {
    state().ticks += state().ticksPerDispatch;
    if (state().onDispatch) state().onDispatch();
}

std::string executablePath() { return state().executablePath; }

bool setCurrentDirectory(const std::string& path) {
    state().currentDirectory = path;
    log("SetCurrentDirectoryA(" + path + ")", true);
    return true;
}

void initializeOle() {
    ++state().oleInitialized;
    log("OleInitialize", true);
}

}  // namespace velmora::platform
