#include <gtest/gtest.h>

#include "core/State.h"

namespace velmora {
namespace {

TEST(PathsTest, SplitsAtTheLastBackslashThatIsNoGbkTrailByte) {
    struct Case {
        const char* full;
        const char* directory;
        const char* name;
    } cases[] = {
        {"C:\\Program Files\\Velmora\\Velmora.exe", "C:\\Program Files\\Velmora", "Velmora.exe"},
        {"C:\\Velmora.exe", "C:", "Velmora.exe"},
        // "表" is B1 ED and "\x95\x5c" is a GBK character whose trail byte is a backslash.
        {"D:\\\x95\x5c\\V.exe", "D:\\\x95\x5c", "V.exe"},
        {"D:\\a\\\x95\x5c.exe", "D:\\a", "\x95\x5c.exe"},
        {"Velmora.exe", "", "Velmora.exe"},
    };
    for (const Case& c : cases) {
        const ProgramPaths p = splitExecutablePath(c.full);
        EXPECT_EQ(p.directory, c.directory) << c.full;
        EXPECT_EQ(p.executableName, c.name) << c.full;
    }
    EXPECT_EQ(splitExecutablePath("C:\\Velmora.exe").besideExecutable("Auto.ini"), "C:\\Auto.ini");
}

}  // namespace
}  // namespace velmora
