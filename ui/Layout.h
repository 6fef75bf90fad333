#pragma once
// The main window as data: its caption and size, the four pages, and every
// control with its kind, page, container, place, size and text. A window
// backend builds the real window from this table; the controls that the
// logic reads or writes name their model in MainControls, the rest (captions,
// the group frame and the About page) are static.
#include <string>
#include <vector>

#include "core/State.h"

namespace velmora::ui {

enum class Kind { Label, CheckBox, EditBox, List, Button, Group, Link };

struct LayoutItem {
    const char* name;  // the control's name, for diagnostics and tests
    Kind kind;
    int page;       // index into pageNames()
    int container;  // index of the group box in the table, or -1 for the tab control
    int x, y, width, height;  // relative to the container
    const char* text;         // caption; for lists, edit boxes and labels with a model the model's text
    // The model the control mirrors; null for static controls.
    Control* (*model)(MainControls&);
};

inline constexpr const char* windowCaption = "Velmora";
inline constexpr int windowWidth = 560;
inline constexpr int windowHeight = 379;
inline constexpr int tabWidth = 600;
inline constexpr int tabHeight = 368;
// Drop-down lists are created this high, which sets how far they drop down.
inline constexpr int listDropHeight = 160;

const std::vector<std::string>& pageNames();
const std::vector<LayoutItem>& mainLayout();

// The target of the About page's link: the project's read-me.
const char* aboutLinkTarget();

// Where the window goes: centred on the whole screen (not the work area).
struct Placement {
    int left, top;
};
Placement centredPlacement(int screenWidth, int screenHeight);

// The items a list control shows: those of its model.
const std::vector<std::string>& listItems(const LayoutItem& item, MainControls& c);

}  // namespace velmora::ui
