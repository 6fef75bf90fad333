#pragma once
// Today's sunrise and sunset for the place the user typed.
#include <string>

namespace velmora {

// The ten-second run: rereads the coordinates and the date and recomputes
// the sun times and their labels.
void sunTick();

// A GBK text read as a number, passed through single precision.
double textToNumber(const std::string& text);

}  // namespace velmora
