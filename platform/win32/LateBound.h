// Functions bound by name at run time. GDI+ and its helpers for the
// converter are bound so; so are the DLLs the program needs only now and
// then: shell32 for the tray icon and the folder browser, comdlg32 for the
// open-file dialog. Linking those would load them, and what they load in
// turn (shcore, shlwapi, winspool, compstui), at every start of a program
// that mostly sits idle; they are loaded on first use instead and stay
// loaded.
#pragma once

#include <windows.h>

namespace velmora::platform::win32 {

// The function, or null when the DLL or the function is missing; callers
// treat null as the call failing.
template <typename Function>
Function lateBound(const char* dll, const char* name) {
    HMODULE module = LoadLibraryA(dll);
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace velmora::platform::win32
