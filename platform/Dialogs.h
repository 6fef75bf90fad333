#pragma once
// The system's modal dialogs. Timer ticks and input go on being dispatched
// while one is open.
#include <string>

namespace velmora::platform {

// An open-file dialog that keeps its file name for the whole run: empty until
// the first confirmed choice, then the full path of the last confirmed file;
// a cancel leaves it as it was.
struct OpenFileDialog {
    // Name and pattern alternating, "|"-separated, as "*.bmp|*.bmp".
    std::string filter;
    std::string fileName;
};

// GetOpenFileNameA with the dialog's filter (first entry preselected), no
// title and no initial directory of its own, file and path must exist, the
// read-only box hidden. True and fileName updated when the user confirmed.
bool showOpenFileDialog(OpenFileDialog& dialog);

}  // namespace velmora::platform
