// The Windows entry point of Velmora.exe.
#include <windows.h>

#include "core/Program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return velmora::runProgram(); }
