#include "core/Scheduler.h"

#include "appearance/Appearance.h"
#include "core/State.h"
#include "platform/Clock.h"

namespace velmora {

void switchTick() {
    const LiveSettings& s = liveSettings();
    // Both coordinates are required in either mode; only emptiness counts.
    if (s.longitudeText().empty()) return;
    if (s.latitudeText().empty()) return;
    if (s.followSun() == 0 && s.customTime() == 0) return;
    if (s.customTime() == 1) {
        if (s.lightHour() == -1 || s.darkHour() == -1) return;
        if (s.lightMinute() == -1 || s.darkMinute() == -1) return;
    }

    computeSwitchTimes();
    readClock();
    showClock();

    SwitchState& st = switchState();
    // The flag changes before the look is applied, so a tick nested inside
    // a message box of applyLight or applyDark finds no change to repeat.
    if (isLightPeriod() == 1) {
        if (st.lightApplied == 0) {
            st.lightApplied = 1;
            applyLight();
        }
    } else if (st.lightApplied == 1) {
        st.lightApplied = 0;
        applyDark();
    }
}

void computeSwitchTimes() {
    const LiveSettings& s = liveSettings();
    SwitchState& st = switchState();
    if (s.followSun() == 1) {
        st.lightAtSeconds = st.sunriseHour * 3600 + st.sunriseMinute * 60;
        st.darkAtSeconds = st.sunsetHour * 3600 + st.sunsetMinute * 60;
    } else if (s.customTime() == 1) {
        // A list without selection enters as -1.
        st.lightAtSeconds = s.lightHour() * 3600 + s.lightMinute() * 60;
        st.darkAtSeconds = s.darkHour() * 3600 + s.darkMinute() * 60;
    }
}

void readClock() {
    const platform::LocalTime now = platform::localTimeNow();
    SwitchState& st = switchState();
    st.nowHour = now.hour;
    st.nowMinute = now.minute;
    st.nowSecond = now.second;
}

void showClock() {
    const SwitchState& st = switchState();
    // The date comes from the latest sun-time run, not from this reading.
    controls().labelNow.setText(std::to_string(st.todayYear) + "年" + std::to_string(st.todayMonth) + "月" +
                                std::to_string(st.todayDay) + "日" + std::to_string(st.nowHour) + "时" +
                                std::to_string(st.nowMinute) + "分" + std::to_string(st.nowSecond) + "秒");
}

int isLightPeriod() {
    SwitchState& st = switchState();
    st.nowSeconds = st.nowHour * 3600 + st.nowMinute * 60 + st.nowSecond;
    // No wrap past midnight: a light moment at or after the dark moment
    // leaves the light period empty.
    return st.lightAtSeconds <= st.nowSeconds && st.nowSeconds < st.darkAtSeconds ? 1 : 0;
}

void primeTransition() { switchState().lightApplied = isLightPeriod() == 1 ? 0 : 1; }

}  // namespace velmora
