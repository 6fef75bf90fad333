// Saving the controls to Auto.ini and loading them back.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Profile.h"
#include "settings/SettingsFile.h"
#include "tests/core/Fixture.h"

namespace velmora {
namespace {

class SettingsFileTest : public testing::ProgramTest {
protected:
    void writeIni(const std::string& text) {
        std::FILE* f = std::fopen((dir_ / "Auto.ini").c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    std::string iniText() {
        std::string bytes;
        if (std::FILE* f = std::fopen((dir_ / "Auto.ini").c_str(), "rb")) {
            for (int c; (c = std::fgetc(f)) != EOF;) bytes.push_back(static_cast<char>(c));
            std::fclose(f);
        }
        return bytes;
    }
    // A restart: fresh controls, same program directory.
    void restart() {
        const ProgramPaths paths = programPaths();
        resetProgramState();
        programPaths() = paths;
    }
    std::vector<std::string> profileCalls(const char* function) {
        std::vector<std::string> found;
        for (const std::string& call : platform().calls)
            if (call.rfind(function, 0) == 0) found.push_back(call);
        return found;
    }
};

TEST_F(SettingsFileTest, WithoutTheFileNothingChangesAndNothingIsRead) {
    ui().editLongitude.setText("116.4");
    ui().comboChangeMode.selectListItem(2);
    loadSettings();
    EXPECT_EQ(ui().editLongitude.text(), "116.4");
    EXPECT_EQ(ui().comboChangeMode.selection(), 2);
    EXPECT_TRUE(profileCalls("GetPrivateProfileStringA").empty());
}

TEST_F(SettingsFileTest, ReadsEveryKeyInOrderTwoOfThemTwice) {
    writeIni("[基础]\r\n");
    loadSettings();
    const std::vector<std::string> expected = {
        "基础, 开机自启", "基础, 开机自启", "基础, 经度", "基础, 纬度", "基础, 时间自定", "基础, 时间自定",
        "基础, 白时",     "基础, 黑时",     "基础, 白分", "基础, 黑分", "个性, 方式",     "个性, 白壁",
        "个性, 黑壁",     "个性, 白壁地址", "个性, 黑壁地址"};
    const auto reads = profileCalls("GetPrivateProfileStringA");
    ASSERT_EQ(reads.size(), expected.size());
    for (std::size_t i = 0; i < reads.size(); ++i)
        EXPECT_EQ(reads[i].substr(0, reads[i].find(')')), "GetPrivateProfileStringA(" + expected[i]) << i;
}

TEST_F(SettingsFileTest, AutoStartAndSwitchModeTakeOnlyTheirExactValues) {
    struct Case {
        const char* autoStart;   // nullptr: key absent
        const char* customTime;  // the key "时间自定"
        int startChecked;        // the boxes before loading
        int autoStartAfter, followSunAfter, customTimeAfter;
    };
    const Case cases[] = {
        {"1", "1", 0, 1, 1, 0},  {" 1", "0", 0, 1, 0, 1},   {"yes", "2", 0, 0, 0, 0}, {"yes", "x", 1, 1, 1, 1},
        {"0", nullptr, 1, 0, 1, 1}, {nullptr, "\"1\"", 1, 1, 1, 0}, {"01", "", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        restart();
        std::string text = "[基础]\r\n";
        if (c.autoStart) text += std::string("开机自启=") + c.autoStart + "\r\n";
        if (c.customTime) text += std::string("时间自定=") + c.customTime + "\r\n";
        writeIni(text);
        ui().checkAutoStart.setChecked(c.startChecked);
        ui().checkFollowSun.setChecked(c.startChecked);
        ui().checkCustomTime.setChecked(c.startChecked);
        loadSettings();
        SCOPED_TRACE(text);
        EXPECT_EQ(ui().checkAutoStart.checked(), c.autoStartAfter);
        EXPECT_EQ(ui().checkFollowSun.checked(), c.followSunAfter);
        EXPECT_EQ(ui().checkCustomTime.checked(), c.customTimeAfter);
    }
}

TEST_F(SettingsFileTest, ListsTakeTheStoredNumberThroughTheirClamp) {
    struct Case {
        const char* line;  // nullptr: no key at all
        ComboList MainControls::*list;
        int selection;
    };
    const Case cases[] = {
        {"白时=99", &MainControls::comboLightHour, 23},
        {"白时=7", &MainControls::comboLightHour, 7},
        {"白时=abc", &MainControls::comboLightHour, 0},
        {nullptr, &MainControls::comboLightHour, 0},
        {"黑时=-1", &MainControls::comboDarkHour, -1},
        {"白分=\xA3\xB3\xA3\xB0", &MainControls::comboLightMinute, 30},  // full-width 30
        {"黑分= 59 ", &MainControls::comboDarkMinute, 59},
        {"方式=5", &MainControls::comboChangeMode, WallpaperOnly},
        {"白壁=-7", &MainControls::comboDayWallpaper, -1},
        {"黑壁=1", &MainControls::comboNightWallpaper, CustomWallpaper},
    };
    for (const Case& c : cases) {
        restart();
        const std::string line = c.line ? c.line : "";
        const bool personal = line.rfind("方式", 0) == 0 || line.rfind("白壁", 0) == 0 || line.rfind("黑壁", 0) == 0;
        writeIni(personal ? "[基础]\r\n[个性]\r\n" + line + "\r\n" : "[基础]\r\n" + line + "\r\n[个性]\r\n");
        (ui().*c.list).selectListItem(5);
        loadSettings();
        EXPECT_EQ((ui().*c.list).selection(), c.selection) << line;
    }
}

TEST_F(SettingsFileTest, AbsentTextsEmptyTheBoxesAndLabels) {
    writeIni("[基础]\r\n纬度=39.9\r\n[个性]\r\n黑壁地址=D:\\图片\\黑.bmp\r\n");
    ui().editLongitude.setText("116.4");
    ui().labelDayWallpaperPath.setText("C:\\old.bmp");
    loadSettings();
    EXPECT_EQ(ui().editLongitude.text(), "");
    EXPECT_EQ(ui().editLatitude.text(), "39.9");
    EXPECT_EQ(ui().labelDayWallpaperPath.text(), "");
    EXPECT_EQ(ui().labelNightWallpaperPath.text(), "D:\\图片\\黑.bmp");
}

TEST_F(SettingsFileTest, CoordinateWritesRaiseTheirHandlingBeforeTheSwitchBoxesAreSet) {
    // A tick run from the range check's wait must still find the switch
    // boxes unset, so it ends at its guards.
    writeIni("[基础]\r\n经度=116.4\r\n纬度=39.9\r\n时间自定=1\r\n白时=7\r\n");
    std::vector<std::string> seen;
    auto record = [&](const char* box) {
        return [&, box] {
            seen.push_back(std::string(box) + " lon=" + ui().editLongitude.text() + " lat=" +
                           ui().editLatitude.text() + " follow=" + std::to_string(ui().checkFollowSun.checked()) +
                           " hour=" + std::to_string(ui().comboLightHour.selection()));
        };
    };
    ui().editLongitude.textChanged = record("lon");
    ui().editLatitude.textChanged = record("lat");
    loadSettings();
    EXPECT_EQ(seen, (std::vector<std::string>{"lon lon=116.4 lat= follow=0 hour=-1",
                                              "lat lon=116.4 lat=39.9 follow=0 hour=-1"}));
}

TEST_F(SettingsFileTest, SaveThenLoadBringsEveryControlBack) {
    MainControls& c = ui();
    c.checkAutoStart.setChecked(1);
    c.editLongitude.setText("\xA3\xB1\xA3\xB1\xA3\xB6.4");  // kept as typed, full-width digits too
    c.editLatitude.setText("-33.86");
    c.checkFollowSun.setChecked(0);
    c.checkCustomTime.setChecked(1);
    c.comboLightHour.selectListItem(6);
    c.comboDarkHour.selectListItem(21);
    c.comboLightMinute.selectListItem(45);
    c.comboDarkMinute.selectListItem(-1);
    c.comboChangeMode.selectListItem(WallpaperOnly);
    c.comboDayWallpaper.selectListItem(CustomWallpaper);
    c.comboNightWallpaper.selectListItem(-1);
    c.labelDayWallpaperPath.setText("C:\\壁纸\\白天 1.bmp");
    c.labelNightWallpaperPath.setText("");
    saveSettings();
    EXPECT_EQ(platform().messages, std::vector<std::string>{"配置保存完毕！"});
    EXPECT_EQ(readIniValue("基础", "黑分"), "-1");

    restart();
    loadSettings();
    MainControls& d = ui();
    EXPECT_EQ(d.checkAutoStart.checked(), 1);
    EXPECT_EQ(d.editLongitude.text(), "\xA3\xB1\xA3\xB1\xA3\xB6.4");
    EXPECT_EQ(d.editLatitude.text(), "-33.86");
    EXPECT_EQ(d.checkFollowSun.checked(), 0);
    EXPECT_EQ(d.checkCustomTime.checked(), 1);
    EXPECT_EQ(d.comboLightHour.selection(), 6);
    EXPECT_EQ(d.comboDarkHour.selection(), 21);
    EXPECT_EQ(d.comboLightMinute.selection(), 45);
    EXPECT_EQ(d.comboDarkMinute.selection(), -1);
    EXPECT_EQ(d.comboChangeMode.selection(), WallpaperOnly);
    EXPECT_EQ(d.comboDayWallpaper.selection(), CustomWallpaper);
    EXPECT_EQ(d.comboNightWallpaper.selection(), -1);
    EXPECT_EQ(d.labelDayWallpaperPath.text(), "C:\\壁纸\\白天 1.bmp");
    EXPECT_EQ(d.labelNightWallpaperPath.text(), "");
}

TEST_F(SettingsFileTest, FollowSunRoundTripsAndNeitherBoxComesBackAsCustomTime) {
    ui().checkFollowSun.setChecked(1);
    saveSettings();
    restart();
    loadSettings();
    EXPECT_EQ(ui().checkFollowSun.checked(), 1);
    EXPECT_EQ(ui().checkCustomTime.checked(), 0);

    ui().checkFollowSun.setChecked(0);
    ui().checkCustomTime.setChecked(0);
    saveSettings();
    restart();
    loadSettings();
    EXPECT_EQ(ui().checkFollowSun.checked(), 0);
    EXPECT_EQ(ui().checkCustomTime.checked(), 1);
}

TEST_F(SettingsFileTest, FirstSaveWritesBothSectionsInOrderAndLaterSavesKeepOneCopy) {
    saveSettings();
    const std::string first = iniText();
    const char* const order[] = {"[基础]", "开机自启=0", "经度=", "纬度=", "时间自定=0", "白时=-1", "黑时=-1",
                                 "白分=-1", "黑分=-1", "[个性]", "方式=0", "白壁=0", "黑壁=0", "白壁地址=",
                                 "黑壁地址="};
    std::size_t at = 0;
    for (const char* piece : order) {
        const std::size_t found = first.find(piece, at);
        ASSERT_NE(found, std::string::npos) << piece << " in\n" << first;
        at = found + std::string(piece).size();
    }

    // A key added by hand survives, and saving again replaces in place.
    writeIni(first + "[手加]\r\n备注=留着\r\n");
    ASSERT_TRUE(platform::writeProfileString(programPaths().besideExecutable("Auto.ini"), "基础", "手写", "x"));
    ui().editLongitude.setText("120");
    saveSettings();
    saveSettings();
    const std::string later = iniText();
    EXPECT_EQ(readIniValue("手加", "备注"), "留着");
    EXPECT_EQ(readIniValue("基础", "手写"), "x");
    EXPECT_EQ(readIniValue("基础", "经度"), "120");
    std::size_t copies = 0;
    for (std::size_t p = later.find("经度="); p != std::string::npos; p = later.find("经度=", p + 1)) ++copies;
    EXPECT_EQ(copies, 1u) << later;
}

TEST_F(SettingsFileTest, AFailedSaveAttemptsEveryWriteAndSaysSo) {
    // A directory in the file's place: no write can succeed.
    std::filesystem::create_directory(dir_ / "Auto.ini");
    saveSettings();
    EXPECT_EQ(profileCalls("WritePrivateProfileStringA").size(), 13u);
    for (const std::string& call : profileCalls("WritePrivateProfileStringA")) EXPECT_TRUE(call.ends_with("= fail"));
    EXPECT_EQ(platform().messages, std::vector<std::string>{"配置保存失败！"});
}

TEST_F(SettingsFileTest, ThePathIsFormedAnewForEveryAccess) {
    saveSettings();
    const std::filesystem::path other = dir_ / "moved";
    std::filesystem::create_directory(other);
    programPaths().directory = other.string();
    EXPECT_EQ(readIniValue("基础", "开机自启"), "");
    ui().checkAutoStart.setChecked(1);
    saveSettings();
    EXPECT_EQ(readIniValue("基础", "开机自启"), "1");
    EXPECT_TRUE(std::filesystem::exists(other / "Auto.ini"));
}

}  // namespace
}  // namespace velmora
