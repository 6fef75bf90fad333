// The Run value DireRavari and the auto-start box, on the stand-in registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/AutoStart.h"
#include "tests/core/Fixture.h"

namespace velmora {
namespace {

using platform::RegRoot;

const char* const kRunKey = "software\\microsoft\\windows\\CurrentVersion\\Run";

class AutoStartTest : public testing::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        programPaths() = {"C:\\Apps\\夜间", "Velmora.exe"};
        ui().checkAutoStart.clicked = applyAutoStartChoice;
        // Windows has the Run key; the value is what the tests vary.
        platform().localMachine["SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"];
    }
    std::optional<platform::RegValue> runValue() { return platform().value(RegRoot::LocalMachine, kRunKey, "DireRavari"); }
    void storeRunValue(const std::string& path) {
        platform::RegValue v{platform::RegType::String, {path.begin(), path.end()}};
        v.data.push_back(0);
        platform().localMachine[kRunKey].values["DireRavari"] = v;
    }
    static std::vector<unsigned char> withNul(const std::string& text) {
        std::vector<unsigned char> bytes(text.begin(), text.end());
        bytes.push_back(0);
        return bytes;
    }
};

TEST_F(AutoStartTest, ClickingOnWritesTheCurrentPathOffDeletesItOnWritesAgain) {
    storeRunValue("D:\\Old\\Velmora.exe");
    ui().checkAutoStart.userClick();
    ASSERT_TRUE(runValue());
    EXPECT_EQ(runValue()->type, platform::RegType::String);
    EXPECT_EQ(runValue()->data, withNul("C:\\Apps\\夜间\\Velmora.exe"));

    ui().checkAutoStart.userClick();
    EXPECT_FALSE(runValue());
    ui().checkAutoStart.userClick();
    EXPECT_EQ(runValue()->data, withNul("C:\\Apps\\夜间\\Velmora.exe"));
    EXPECT_TRUE(platform().messages.empty());
}

TEST_F(AutoStartTest, ClickingOnCreatesAMissingRunKey) {
    platform().localMachine.clear();
    ui().checkAutoStart.userClick();
    EXPECT_EQ(runValue()->data, withNul("C:\\Apps\\夜间\\Velmora.exe"));
    EXPECT_TRUE(platform().messages.empty());
}

TEST_F(AutoStartTest, UncheckingWithoutAValueIsNoFailure) {
    ui().checkAutoStart.setChecked(1);
    ui().checkAutoStart.userClick();
    EXPECT_FALSE(runValue());
    platform().localMachineWritable = false;
    ui().checkAutoStart.setChecked(1);
    ui().checkAutoStart.userClick();
    platform().localMachine.clear();
    ui().checkAutoStart.setChecked(1);
    ui().checkAutoStart.userClick();
    EXPECT_TRUE(platform().messages.empty());
}

TEST_F(AutoStartTest, WithoutTheRightToWriteTheUserIsToldAndTheBoxKeepsTheChoice) {
    platform().localMachineWritable = false;
    ui().checkAutoStart.userClick();
    EXPECT_FALSE(runValue());
    EXPECT_EQ(ui().checkAutoStart.checked(), 1);
    EXPECT_EQ(platform().messages, std::vector<std::string>{"开机自启设置失败！"});

    storeRunValue("C:\\Apps\\夜间\\Velmora.exe");
    ui().checkAutoStart.userClick();
    EXPECT_TRUE(runValue());
    EXPECT_EQ(ui().checkAutoStart.checked(), 0);
    EXPECT_EQ(platform().messages, (std::vector<std::string>{"开机自启设置失败！", "开机自启设置失败！"}));
}

TEST_F(AutoStartTest, SyncBringsTheValueInLineSilentlyAndLeavesAnExistingOneAlone) {
    struct Case {
        int checked;
        const char* before;  // nullptr: no value
        bool writable;
        const char* after;
    };
    const Case cases[] = {
        {1, nullptr, true, "C:\\Apps\\夜间\\Velmora.exe"},
        {1, "D:\\Old\\Velmora.exe", true, "D:\\Old\\Velmora.exe"},
        {0, "D:\\Old\\Velmora.exe", true, nullptr},
        {0, nullptr, true, nullptr},
        {1, nullptr, false, nullptr},
        {0, "D:\\Old\\Velmora.exe", false, "D:\\Old\\Velmora.exe"},
    };
    for (const Case& c : cases) {
        platform().localMachine[kRunKey].values.clear();
        platform().localMachineWritable = true;
        if (c.before) storeRunValue(c.before);
        platform().localMachineWritable = c.writable;
        ui().checkAutoStart.setChecked(c.checked);
        syncAutoStart();
        SCOPED_TRACE(std::to_string(c.checked) + " " + (c.before ? c.before : "-") + (c.writable ? " rw" : " ro"));
        if (c.after) {
            ASSERT_TRUE(runValue());
            EXPECT_EQ(runValue()->data, withNul(c.after));
        } else {
            EXPECT_FALSE(runValue());
        }
    }
    EXPECT_TRUE(platform().messages.empty());
}

}  // namespace
}  // namespace velmora
