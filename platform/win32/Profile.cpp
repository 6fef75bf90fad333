// The profile functions of Windows itself.
#include <windows.h>

#include <vector>

#include "platform/Profile.h"

namespace velmora::platform {
namespace {

const char* skipLeadingControls(const std::string& text) {
    const char* p = text.c_str();
    while (*p != '\0' && static_cast<unsigned char>(*p) <= 0x20) ++p;
    return p;
}

}  // namespace

std::string readProfileString(const std::string& file, const std::string& section, const std::string& key) {
    const char* path = skipLeadingControls(file);
    const char* sectionName = skipLeadingControls(section);
    const char* keyName = skipLeadingControls(key);
    if (*path == '\0' || *sectionName == '\0' || *keyName == '\0') return {};
    std::vector<char> buffer(kProfileBufferSize, '\0');
    const DWORD length = GetPrivateProfileStringA(sectionName, keyName, nullptr, buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path);
    return std::string(buffer.data(), length < buffer.size() ? length : buffer.size() - 1);
}

bool writeProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

}  // namespace velmora::platform
