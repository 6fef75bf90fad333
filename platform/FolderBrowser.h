#pragma once
// The shell's folder browser.
#include <optional>
#include <string>

namespace velmora::platform {

// SHBrowseForFolderA with the title, the desktop as root and BIF_EDITBOX,
// owned by the program's active window. While it is open the program's
// top-level windows are disabled; afterwards each gets its former enabled
// state back and the formerly active window is active again. The item list
// is freed through the shell's allocator (SHGetMalloc).
// The file-system path of the confirmed folder; nothing when the user
// cancelled or the folder has no file-system path.
std::optional<std::string> browseForFolder(const std::string& title);

}  // namespace velmora::platform
