#include "platform/RegistryWrite.h"

namespace velmora::platform {
namespace {

template <typename Set>
bool openOrCreateThenSet(RegRoot root, const std::string& path, Set set) {
    RegKey key = 0;
    if (!regOpenKey(root, path, RegAccess::Write, key) && !regCreateKey(root, path, key)) return false;
    const bool ok = set(key);
    regCloseKey(key);
    return ok;
}

}  // namespace

bool writeRegistryDword(RegRoot root, const std::string& path, const std::string& name, std::uint32_t value) {
    return openOrCreateThenSet(root, path, [&](RegKey key) { return regSetDword(key, name, value); });
}

bool writeRegistryString(RegRoot root, const std::string& path, const std::string& name, const std::string& value) {
    return openOrCreateThenSet(root, path, [&](RegKey key) { return regSetString(key, name, value); });
}

}  // namespace velmora::platform
