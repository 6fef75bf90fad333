// The start-up sequence: with and without Auto.ini, from the saved settings
// to the first tick.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/CreationSequence.h"
#include "core/Scheduler.h"
#include "settings/SettingsFile.h"
#include "tests/core/Fixture.h"
#include "ui/Behaviour.h"

namespace velmora {
namespace {

using platform::RegRoot;

const char* const kRunKey = "software\\microsoft\\windows\\CurrentVersion\\Run";
const char* const kThemeKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

class CreationSequenceTest : public testing::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        bindControlHandlers();
    }
    void writeIni(const std::string& text) {
        std::FILE* f = std::fopen((dir_ / "Auto.ini").c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    void storeRunValue(const std::string& path) {
        platform::RegValue v{platform::RegType::String, {path.begin(), path.end()}};
        v.data.push_back(0);
        platform().localMachine[kRunKey].values["DireRavari"] = v;
    }
    bool runValueStored() { return platform().value(RegRoot::LocalMachine, kRunKey, "DireRavari").has_value(); }
    bool touchedRunKey() {
        for (const std::string& call : platform().calls)
            if (call.find("HKLM") != std::string::npos) return true;
        return false;
    }
    std::size_t lastIndexOf(const std::string& prefix) {
        std::size_t last = std::string::npos;
        for (std::size_t i = 0; i < platform().calls.size(); ++i)
            if (platform().calls[i].rfind(prefix, 0) == 0) last = i;
        return last;
    }
    std::size_t firstIndexOf(const std::string& piece) {
        for (std::size_t i = 0; i < platform().calls.size(); ++i)
            if (platform().calls[i].find(piece) != std::string::npos) return i;
        return std::string::npos;
    }
};

TEST_F(CreationSequenceTest, WithoutTheFileOnlyTheConverterFolderIsSet) {
    storeRunValue("D:\\Old\\Velmora.exe");
    runCreationSequence();
    EXPECT_EQ(ui().labelConverterFolder.text(), programPaths().directory);
    EXPECT_TRUE(runValueStored());
    EXPECT_FALSE(touchedRunKey()) << "no Run value looked at, written or removed";
    EXPECT_EQ(firstIndexOf("GetPrivateProfileStringA"), std::string::npos);
    EXPECT_EQ(state().lightApplied, 0);
    EXPECT_EQ(ui().labelNow.text(), "");
    EXPECT_EQ(ui().labelSunrise.text(), "");
    EXPECT_FALSE(ui().comboLightHour.enabled());
    EXPECT_FALSE(ui().buttonPickDayWallpaper.visible());

    // Every tick ends at its first guard until a longitude is typed.
    switchTick();
    EXPECT_EQ(ui().labelNow.text(), "");
    EXPECT_TRUE(platform().messages.empty());
}

TEST_F(CreationSequenceTest, TheConverterFolderIsNotSavedAndComesBackAsTheProgramDirectory) {
    ui().labelConverterFolder.setText("E:\\转换");
    saveSettings();
    const ProgramPaths paths = programPaths();
    resetProgramState();
    programPaths() = paths;
    bindControlHandlers();
    runCreationSequence();
    EXPECT_EQ(ui().labelConverterFolder.text(), paths.directory);
}

TEST_F(CreationSequenceTest, EmptyLongitudeWithFollowSunPrimesTheDarkLook) {
    writeIni("[基础]\r\n纬度=39.9\r\n时间自定=1\r\n");
    platform().now = {2024, 6, 1, 12, 30, 15};
    runCreationSequence();
    EXPECT_EQ(state().lightAtSeconds, 0);
    EXPECT_EQ(state().darkAtSeconds, 0);
    EXPECT_EQ(state().lightApplied, 1);
    EXPECT_EQ(ui().labelNow.text(), "0年0月0日12时30分15秒");
    EXPECT_EQ(ui().labelSunrise.text(), "");
}

TEST_F(CreationSequenceTest, CustomTimesPrimeTheFirstTickToApplyTheCurrentPeriod) {
    struct Case {
        int hour;
        int primed;
        std::uint32_t lightValueAfterTick;
    };
    for (const Case& c : {Case{12, 0, 1}, Case{22, 1, 0}, Case{6, 1, 0}}) {
        SetUp();
        writeIni("[基础]\r\n经度=116.4\r\n纬度=39.9\r\n时间自定=0\r\n白时=7\r\n黑时=19\r\n白分=0\r\n黑分=0\r\n"
                 "[个性]\r\n方式=1\r\n");
        platform().now = {2024, 6, 1, c.hour, 0, 0};
        runCreationSequence();
        SCOPED_TRACE(c.hour);
        EXPECT_EQ(ui().checkCustomTime.checked(), 1);
        EXPECT_TRUE(ui().comboLightHour.enabled()) << "the lock follows the loaded box";
        EXPECT_EQ(state().lightAtSeconds, 7 * 3600);
        EXPECT_EQ(state().darkAtSeconds, 19 * 3600);
        EXPECT_EQ(state().lightApplied, c.primed);
        EXPECT_NE(ui().labelSunrise.text(), "") << "sun times shown at once";
        EXPECT_EQ(ui().labelNow.text(), "2024年6月1日" + std::to_string(c.hour) + "时0分0秒");

        switchTick();
        EXPECT_EQ(platform().dword(RegRoot::CurrentUser, kThemeKey, "AppsUseLightTheme"), c.lightValueAfterTick);
        EXPECT_EQ(platform().dword(RegRoot::CurrentUser, kThemeKey, "SystemUsesLightTheme"), c.lightValueAfterTick);
        TearDown();
    }
}

TEST_F(CreationSequenceTest, CustomTimeWithAnEmptyListCountsItsIndexAsMinusOne) {
    writeIni("[基础]\r\n时间自定=0\r\n白时=7\r\n黑时=-1\r\n白分=30\r\n黑分=-1\r\n");
    runCreationSequence();
    EXPECT_EQ(state().lightAtSeconds, 7 * 3600 + 30 * 60);
    EXPECT_EQ(state().darkAtSeconds, -3600 - 60);
}

TEST_F(CreationSequenceTest, TheRunValueFollowsTheLoadedBoxAfterTheFileIsRead) {
    writeIni("[基础]\r\n开机自启=1\r\n");
    runCreationSequence();
    EXPECT_EQ(platform().string(RegRoot::LocalMachine, kRunKey, "DireRavari"), programPaths().executablePath());
    EXPECT_LT(lastIndexOf("GetPrivateProfileStringA"), firstIndexOf("RegOpenKeyExA(HKLM"));

    for (const char* stored : {"开机自启=0\r\n", "", "开机自启=是\r\n"}) {
        SetUp();
        storeRunValue("D:\\Old\\Velmora.exe");
        writeIni(std::string("[基础]\r\n") + stored);
        runCreationSequence();
        EXPECT_EQ(ui().checkAutoStart.checked(), 0) << stored;
        EXPECT_FALSE(runValueStored()) << stored;
        TearDown();
    }
    EXPECT_TRUE(platform().messages.empty());
}

TEST_F(CreationSequenceTest, AnOutOfRangeLongitudeIsRejectedAndTheSequenceGoesOn) {
    writeIni("[基础]\r\n经度=200\r\n纬度=39.9\r\n开机自启=1\r\n");
    platform().now = {2024, 6, 1, 12, 0, 0};
    runCreationSequence();
    EXPECT_EQ(platform().messages, std::vector<std::string>{"经度超出范围！"});
    EXPECT_EQ(ui().editLongitude.text(), "");
    EXPECT_EQ(ui().editLatitude.text(), "39.9");
    EXPECT_EQ(ui().labelNow.text(), "0年0月0日12时0分0秒");
    EXPECT_TRUE(runValueStored());
    EXPECT_EQ(state().lightApplied, 1);
}

TEST_F(CreationSequenceTest, TicksDuringTheRangeWaitEndAtTheirGuards) {
    writeIni("[基础]\r\n经度=200\r\n纬度=39.9\r\n时间自定=0\r\n白时=0\r\n黑时=23\r\n白分=0\r\n黑分=59\r\n"
             "[个性]\r\n方式=1\r\n");
    int ticks = 0;
    platform().onDispatch = [&] {
        ++ticks;
        switchTick();
    };
    runCreationSequence();
    EXPECT_GT(ticks, 0);
    EXPECT_FALSE(platform().dword(RegRoot::CurrentUser, kThemeKey, "AppsUseLightTheme"));
    EXPECT_EQ(state().lightApplied, 0) << "primed from the final settings: the light period holds";
}

}  // namespace
}  // namespace velmora
