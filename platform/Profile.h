#pragma once
// Windows profile (INI) files, read and written one value at a time with the
// semantics of GetPrivateProfileStringA and WritePrivateProfileStringA:
// section and key names match without regard to ASCII case, a value is read
// without the blanks around it and without one pair of enclosing quotation
// marks, an existing key is replaced in place, a new key goes to the end of
// its section and a new section to the end of the file. Texts are GBK.
#include <cstddef>
#include <string>

namespace velmora::platform {

// The read buffer: a longer value comes back cut to one byte less.
inline constexpr std::size_t kProfileBufferSize = 10240;

// GetPrivateProfileStringA without a default: empty text when the file, the
// section or the key is missing. Leading characters with codes up to 0x20
// are skipped in the file path, the section and the key, and blanks after
// the section and the key do not count (a name written with them reads
// back); when one of them is then empty nothing is read.
std::string readProfileString(const std::string& file, const std::string& section, const std::string& key);

// WritePrivateProfileStringA; creates the file when it does not exist.
// False when the file could not be written.
bool writeProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value);

}  // namespace velmora::platform
