// What the program relies on from the platform, checked against whichever
// backend this build has: the stand-in natively, Windows (Wine) in the
// Windows build. The same expectations keep the two from drifting apart.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/RegistryWrite.h"
#include "platform/Wallpaper.h"
#ifdef _WIN32
#include <windows.h>
#else
#include "platform/standin/StandIn.h"
#endif

namespace velmora::platform {
namespace {

const char* const kTestKey = "Software\\VelmoraConformance\\Nested";

std::optional<RegValue> read(RegRoot root, const std::string& path, const std::string& name) {
    RegKey key = 0;
    if (!regOpenKey(root, path, RegAccess::Read, key)) return std::nullopt;
    auto value = regQueryValue(key, name);
    regCloseKey(key);
    return value;
}

std::string tempDir() {
#ifdef _WIN32
    char buffer[MAX_PATH];
    GetTempPathA(sizeof buffer, buffer);
    std::string dir = buffer;
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    return dir;
#else
    return "/tmp";
#endif
}

class PlatformConformance : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef _WIN32
        standin::reset();
#endif
        RegKey key = 0;
        if (regOpenKey(RegRoot::CurrentUser, kTestKey, RegAccess::Write, key)) {
            regDeleteValue(key, "Text");
            regDeleteValue(key, "Number");
            regCloseKey(key);
        }
    }
};

TEST_F(PlatformConformance, WritingUnderAMissingKeyCreatesIt) {
    const std::string path = std::string(kTestKey) + "\\Fresh" + std::to_string(::testing::UnitTest::GetInstance()->random_seed());
    RegKey key = 0;
    EXPECT_FALSE(regOpenKey(RegRoot::CurrentUser, path, RegAccess::Write, key));
    EXPECT_TRUE(writeRegistryDword(RegRoot::CurrentUser, path, "Number", 1));
    auto value = read(RegRoot::CurrentUser, path, "Number");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, RegType::Dword);
    EXPECT_EQ(value->data, (std::vector<unsigned char>{1, 0, 0, 0}));
}

TEST_F(PlatformConformance, StringIsStoredWithItsNul) {
    ASSERT_TRUE(writeRegistryString(RegRoot::CurrentUser, kTestKey, "Text", "C:\\Velmora\\Velmora.exe"));
    auto value = read(RegRoot::CurrentUser, kTestKey, "Text");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, RegType::String);
    const std::string expected = "C:\\Velmora\\Velmora.exe";
    ASSERT_EQ(value->data.size(), expected.size() + 1);
    EXPECT_EQ(value->data.back(), 0);
    EXPECT_EQ(std::string(value->data.begin(), value->data.end() - 1), expected);
}

TEST_F(PlatformConformance, DeletedValueIsGoneAndDeletingAgainFails) {
    ASSERT_TRUE(writeRegistryString(RegRoot::CurrentUser, kTestKey, "Text", "x"));
    RegKey key = 0;
    ASSERT_TRUE(regOpenKey(RegRoot::CurrentUser, kTestKey, RegAccess::Write, key));
    EXPECT_TRUE(regDeleteValue(key, "Text"));
    EXPECT_FALSE(regDeleteValue(key, "Text"));
    EXPECT_FALSE(regQueryValue(key, "Text").has_value());
    regCloseKey(key);
}

TEST_F(PlatformConformance, PathExistsForFilesAndDirectoriesButNotForEmptyOrMissing) {
    const std::string dir = tempDir();
    EXPECT_TRUE(pathExists(dir));
    EXPECT_FALSE(pathExists(""));
    EXPECT_FALSE(pathExists(dir + "\\velmora-no-such-file.bmp"));
    const std::string file = dir + "\\velmora-conformance.bin";
    ASSERT_TRUE(writeWholeFile(file, {'B', 'M', 0, 1}));
    EXPECT_TRUE(pathExists(file));
    auto back = readWholeFile(file);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, (std::vector<unsigned char>{'B', 'M', 0, 1}));
    EXPECT_FALSE(readWholeFile(dir + "\\velmora-no-such-file.bmp").has_value());
    EXPECT_FALSE(writeWholeFile(dir + "\\no-such-folder\\x.bmp", {1}));
}

TEST_F(PlatformConformance, SetDesktopWallpaperRecordsTheTileStyle) {
    // A real 1x1 24-bit BMP, so that the system accepts it as a wallpaper.
    const std::vector<unsigned char> bmp = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0,
                                            0,   0,   1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0,
                                            0,   0,   0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 0};
    const std::string file = tempDir() + "\\velmora-wallpaper.bmp";
    ASSERT_TRUE(writeWholeFile(file, bmp));
    ASSERT_TRUE(setDesktopWallpaper(file));
    auto text = [](const char* name) -> std::string {
        auto v = read(RegRoot::CurrentUser, "Control Panel\\Desktop", name);
        if (!v || v->type != RegType::String || v->data.empty()) return "<none>";
        return std::string(v->data.begin(), v->data.end() - 1);
    };
    EXPECT_EQ(text("Wallpaper"), file);
    EXPECT_EQ(text("WallpaperStyle"), "1");
    EXPECT_EQ(text("TileWallpaper"), "1");
}

#ifdef _WIN32
TEST(WindowsConformance, AnsiCodePageIsGbk) { EXPECT_EQ(GetACP(), 936u); }
#endif

}  // namespace
}  // namespace velmora::platform
