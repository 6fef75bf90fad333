// Functions bound on first use: a missing DLL or function gives null, which
// the callers take as the call failing; the DLLs the program no longer links
// load under the names it uses.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/LateBound.h"

namespace velmora::platform::win32 {
namespace {

TEST(LateBound, GivesTheFunctionOrNull) {
    const auto tick = lateBound<decltype(&GetTickCount)>("kernel32.dll", "GetTickCount");
    EXPECT_EQ(reinterpret_cast<void*>(tick),
              reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount")));

    EXPECT_EQ(lateBound<decltype(&GetTickCount)>("velmora-no-such.dll", "GetTickCount"), nullptr);
    EXPECT_EQ(lateBound<decltype(&GetTickCount)>("kernel32.dll", "VelmoraNoSuchFunction"), nullptr);

    EXPECT_NE(lateBound<decltype(&Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA"), nullptr);
    EXPECT_NE(lateBound<decltype(&SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA"), nullptr);
    EXPECT_NE(lateBound<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA"), nullptr);
}

}  // namespace
}  // namespace velmora::platform::win32
