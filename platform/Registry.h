#pragma once
// The Windows registry, reduced to the calls the program makes. Keys are
// opaque handles; every call reports only whether it succeeded.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora::platform {

enum class RegRoot { CurrentUser, LocalMachine };
enum class RegAccess { Read, Write };
enum class RegType : std::uint32_t { String = 1, Dword = 4 };

using RegKey = std::uintptr_t;

struct RegValue {
    RegType type;
    std::vector<unsigned char> data;  // the stored bytes, a string's NUL included
};

// RegOpenKeyExA with KEY_READ or KEY_WRITE; fails for a key that does not exist.
bool regOpenKey(RegRoot root, const std::string& path, RegAccess access, RegKey& key);
// RegCreateKeyA: opens the key, creating it and any missing parents.
bool regCreateKey(RegRoot root, const std::string& path, RegKey& key);
// RegSetValueExA with REG_DWORD, four bytes.
bool regSetDword(RegKey key, const std::string& name, std::uint32_t value);
// RegSetValueExA with REG_SZ, the text's bytes followed by its NUL.
bool regSetString(RegKey key, const std::string& name, const std::string& value);
// RegQueryValueExA: the value's type and bytes, nothing when it cannot be read.
std::optional<RegValue> regQueryValue(RegKey key, const std::string& name);
bool regDeleteValue(RegKey key, const std::string& name);
void regCloseKey(RegKey key);

}  // namespace velmora::platform
