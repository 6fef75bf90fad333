#pragma once
// The one-second tick that decides between the light and the dark period
// and applies the look of the period once per change.

namespace velmora {

void switchTick();
void computeSwitchTimes();
void readClock();
void showClock();
int isLightPeriod();
void primeTransition();

}  // namespace velmora
