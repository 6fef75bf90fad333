#pragma once
// The file system as the program sees it.
#include <optional>
#include <string>
#include <vector>

namespace velmora::platform {

// A path exists when a directory search for it (FindFirstFileA) finds an
// entry; a directory counts, an empty path does not.
bool pathExists(const std::string& path);

// The whole file, opened for reading with writing by others denied; nothing
// when it cannot be opened or read.
std::optional<std::vector<unsigned char>> readWholeFile(const std::string& path);

// Creates or replaces the file (opened with exclusive sharing) and writes
// every byte; false when it could not be opened or fewer bytes were written.
bool writeWholeFile(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace velmora::platform
