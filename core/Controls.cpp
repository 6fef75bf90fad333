#include "core/Controls.h"

#include <algorithm>

namespace velmora {

void Control::setEnabled(bool on) {
    enabled_ = on;
    notifyView();
}

void Control::setVisible(bool on) {
    visible_ = on;
    notifyView();
}

void Control::notifyView() const {
    if (viewChanged) viewChanged();
}

void CheckBox::setChecked(int on) {
    checked_ = on ? 1 : 0;
    notifyView();
}

void CheckBox::userClick() {
    checked_ = checked_ ? 0 : 1;
    notifyView();
    if (clicked) clicked();
}

void EditBox::setText(const std::string& text) {
    text_ = text;
    notifyView();
    if (textChanged) textChanged();
}

void EditBox::userSetText(const std::string& text) {
    if (text == text_) return;  // typing that changes nothing is no change
    text_ = text;
    if (textChanged) textChanged();
}

void EditBox::focus() {
    focused_ = true;
    if (focusRequested) focusRequested();
}

void ComboList::selectListItem(int value) {
    const int last = static_cast<int>(items_.size()) - 1;
    selection_ = std::max(std::min(value, last), -1);
    notifyView();
}

void ComboList::userPick(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    selection_ = index;
    if (itemSelected) itemSelected();
}

void Label::setText(const std::string& text) {
    text_ = text;
    notifyView();
}

std::vector<std::string> numberItems(int count) {
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) items.push_back(std::to_string(i));
    return items;
}

}  // namespace velmora
