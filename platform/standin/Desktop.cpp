#include "platform/Dialogs.h"
#include "platform/Tray.h"
#include "platform/standin/StandIn.h"

namespace velmora::standin {

Desktop& desktop() {
    static Desktop d;
    return d;
}

}  // namespace velmora::standin

namespace velmora::platform {

using standin::desktop;
using standin::state;

bool showOpenFileDialog(OpenFileDialog& dialog) {
    auto& d = desktop();
    d.fileDialogFilters.push_back(dialog.filter);
    if (d.whileDialogOpen) d.whileDialogOpen();
    std::string answer;
    if (!d.fileDialogAnswers.empty()) {
        answer = d.fileDialogAnswers.front();
        d.fileDialogAnswers.erase(d.fileDialogAnswers.begin());
    }
    state().calls.push_back("GetOpenFileNameA(" + dialog.filter + ") = " + (answer.empty() ? "cancel" : answer));
    if (answer.empty()) return false;
    dialog.fileName = answer;
    return true;
}

void showMainWindow() {
    desktop().windowVisible = true;
    state().calls.push_back("ShowWindow(SW_SHOW)");
}

void hideMainWindow() {
    desktop().windowVisible = false;
    state().calls.push_back("ShowWindow(SW_HIDE)");
}

bool addTrayIcon() {
    const bool ok = desktop().trayCallsSucceed;
    if (ok) ++desktop().trayIcons;
    state().calls.push_back(std::string("Shell_NotifyIconA(NIM_ADD) = ") + (ok ? "ok" : "fail"));
    return ok;
}

bool modifyTrayIcon() {
    const bool ok = desktop().trayCallsSucceed && desktop().trayIcons > 0;
    state().calls.push_back(std::string("Shell_NotifyIconA(NIM_MODIFY) = ") + (ok ? "ok" : "fail"));
    return ok;
}

}  // namespace velmora::platform
