#pragma once
// Writing one registry value the way the program always does: open the key
// for writing or, when that fails, create it; set the value; close the key.
#include <cstdint>
#include <string>

#include "platform/Registry.h"

namespace velmora::platform {

bool writeRegistryDword(RegRoot root, const std::string& path, const std::string& name, std::uint32_t value);
bool writeRegistryString(RegRoot root, const std::string& path, const std::string& name, const std::string& value);

}  // namespace velmora::platform
