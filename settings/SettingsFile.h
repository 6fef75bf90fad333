#pragma once
// The settings file Auto.ini beside the executable: a snapshot of the
// window's controls, written on request and read back once at start-up.
#include <cstdint>
#include <string>

namespace velmora {

// Copies the file into the controls; does nothing without the file.
void loadSettings();
// Copies the controls into the file (all thirteen keys) and reports in the
// message box whether every write succeeded.
void saveSettings();

// One value of Auto.ini, the path formed anew from the program directory.
// Empty text when the file, the section or the key is missing; a value
// longer than 10 239 bytes comes back cut to that length.
std::string readIniValue(const std::string& section, const std::string& key);
// False when the file could not be written.
bool writeIniValue(const std::string& section, const std::string& key, const std::string& value);

// A GBK text read as a decimal integer: full-width forms count as their
// ASCII forms; then leading white space, an optional sign and the digits up
// to the first other character. No digits give 0; a number beyond the
// 32-bit range gives the nearest end of the range.
std::int32_t textToInteger(const std::string& text);

}  // namespace velmora
