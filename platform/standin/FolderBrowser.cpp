// The stand-in's folder browser: answers from standin::desktop().
#include "platform/FolderBrowser.h"

#include "platform/standin/StandIn.h"

namespace velmora::platform {

std::optional<std::string> browseForFolder(const std::string& title) {
    auto& d = standin::desktop();
    d.folderBrowserTitles.push_back(title);
    if (d.whileDialogOpen) d.whileDialogOpen();
    std::optional<std::string> answer;
    if (!d.folderBrowserAnswers.empty()) {
        answer = d.folderBrowserAnswers.front();
        d.folderBrowserAnswers.erase(d.folderBrowserAnswers.begin());
    }
    // An empty path is a confirmed folder outside the file system.
    const bool confirmed = answer.has_value();
    if (answer && answer->empty()) answer.reset();
    standin::state().calls.push_back("SHBrowseForFolderA(" + title + ", desktop, BIF_EDITBOX) = " +
                                     (confirmed ? "folder" : "cancel"));
    return answer;
}

}  // namespace velmora::platform
