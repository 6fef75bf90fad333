#pragma once
// Starting with Windows: the string value DireRavari under the local
// machine's Run key holds the full path of the executable.
#include <string>

namespace velmora {

// 1 when the Run key opens for reading and the value can be queried, else 0.
int runValueExists();
// Opens the Run key for writing or creates it, and sets the value to data
// (REG_SZ with its NUL). False when the value could not be written.
bool writeRunValue(const std::string& data);
// Opens the Run key for writing and deletes the value. False when it could
// not be opened or the value not deleted (also when there was none).
bool deleteRunValue();

// The clicked handling of checkAutoStart: writes the value with the current
// path when the box is checked, deletes it when unchecked, and tells the
// user when that did not work. A value that was not there to delete is no
// failure.
void applyAutoStartChoice();
// At start-up: writes the value when the box is checked and there is none,
// deletes it when the box is unchecked and there is one. Silent; a value
// that exists is left alone, whatever path it names.
void syncAutoStart();

}  // namespace velmora
