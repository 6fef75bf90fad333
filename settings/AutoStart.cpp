#include "settings/AutoStart.h"

#include "core/State.h"
#include "platform/Desktop.h"
#include "platform/Registry.h"
#include "platform/RegistryWrite.h"

namespace velmora {
namespace {

using platform::RegAccess;
using platform::RegKey;
using platform::RegRoot;

const char* const kRunKey = "software\\microsoft\\windows\\CurrentVersion\\Run";
const char* const kRunValue = "DireRavari";

}  // namespace

int runValueExists() {
    RegKey key = 0;
    if (!platform::regOpenKey(RegRoot::LocalMachine, kRunKey, RegAccess::Read, key)) return 0;
    const bool found = platform::regQueryValue(key, kRunValue).has_value();
    platform::regCloseKey(key);
    return found ? 1 : 0;
}

bool writeRunValue(const std::string& data) {
    return platform::writeRegistryString(RegRoot::LocalMachine, kRunKey, kRunValue, data);
}

bool deleteRunValue() {
    RegKey key = 0;
    if (!platform::regOpenKey(RegRoot::LocalMachine, kRunKey, RegAccess::Write, key)) return false;
    const bool ok = platform::regDeleteValue(key, kRunValue);
    platform::regCloseKey(key);
    return ok;
}

void applyAutoStartChoice() {
    bool ok = true;
    if (controls().checkAutoStart.checked() == 1) {
        // Written on every click, so that it always names the current path.
        ok = writeRunValue(programPaths().executablePath());
    } else {
        // A failed delete is a failure only while the value is still there.
        ok = deleteRunValue() || runValueExists() == 0;
    }
    if (!ok) platform::showMessage("开机自启设置失败！");
}

void syncAutoStart() {
    if (controls().checkAutoStart.checked() == 1) {
        if (runValueExists() == 0) writeRunValue(programPaths().executablePath());
    } else if (runValueExists() == 1) {
        deleteRunValue();
    }
}

}  // namespace velmora
