#pragma once
// Process services used at start-up.
#include <string>

namespace velmora::platform {

// GetModuleFileNameA: the full path of the running executable.
std::string executablePath();
// SetCurrentDirectoryA.
bool setCurrentDirectory(const std::string& path);
// OleInitialize for the GUI thread.
void initializeOle();

}  // namespace velmora::platform
