// The Run value through the registry of this build: the stand-in natively,
// the Windows registry under Wine (a 32-bit program reads back its own view
// of HKEY_LOCAL_MACHINE\software).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/State.h"
#include "platform/Registry.h"
#include "settings/AutoStart.h"
#ifndef _WIN32
#include "platform/standin/StandIn.h"
#endif

namespace velmora {
namespace {

using namespace platform;

const char* const kRunKey = "software\\microsoft\\windows\\CurrentVersion\\Run";

std::optional<RegValue> storedRunValue() {
    RegKey key = 0;
    if (!regOpenKey(RegRoot::LocalMachine, kRunKey, RegAccess::Read, key)) return std::nullopt;
    auto value = regQueryValue(key, "DireRavari");
    regCloseKey(key);
    return value;
}

class RunValue : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef _WIN32
        standin::reset();
#endif
        resetProgramState();
        programPaths() = {"C:\\Program Files\\Velmora 测试", "Velmora.exe"};
        deleteRunValue();
    }
    void TearDown() override { deleteRunValue(); }
};

TEST_F(RunValue, WrittenWithItsNulFoundAndDeletedOnce) {
    ASSERT_EQ(runValueExists(), 0);
    EXPECT_FALSE(deleteRunValue()) << "nothing to delete";
    ASSERT_TRUE(writeRunValue("C:\\Program Files\\Velmora 测试\\Velmora.exe"));
    EXPECT_EQ(runValueExists(), 1);
    const auto value = storedRunValue();
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, RegType::String);
    const std::string expected = "C:\\Program Files\\Velmora 测试\\Velmora.exe";
    std::vector<unsigned char> bytes(expected.begin(), expected.end());
    bytes.push_back(0);
    EXPECT_EQ(value->data, bytes);
    EXPECT_TRUE(deleteRunValue());
    EXPECT_EQ(runValueExists(), 0);
}

TEST_F(RunValue, SyncWritesAMissingValueAndKeepsAnExistingOne) {
    controls().checkAutoStart.setChecked(1);
    syncAutoStart();
    ASSERT_EQ(runValueExists(), 1);
    const auto first = storedRunValue();

    programPaths().directory = "D:\\Moved";
    syncAutoStart();
    EXPECT_EQ(storedRunValue()->data, first->data);

    controls().checkAutoStart.setChecked(0);
    syncAutoStart();
    EXPECT_EQ(runValueExists(), 0);
}

}  // namespace
}  // namespace velmora
