#pragma once
// The state of the window's controls, held here so that the logic reads and
// writes it the same way with or without a real window. A window backend
// mirrors each control: it is told of every change the program makes
// (through the control's view hook) and reports what the user does through
// the user* functions, which raise the control's event.
#include <functional>
#include <string>
#include <vector>

namespace velmora {

// What every control has: an enabled and a visible state of its own, and a
// hook through which the window learns that the program changed something.
class Control {
public:
    bool enabled() const { return enabled_; }
    bool visible() const { return visible_; }
    void setEnabled(bool on);
    void setVisible(bool on);

    // Set by the window backend; called after every change the program makes.
    std::function<void()> viewChanged;

protected:
    void notifyView() const;

private:
    bool enabled_ = true;
    bool visible_ = true;
};

class CheckBox : public Control {
public:
    int checked() const { return checked_; }
    // A write by the program raises nothing.
    void setChecked(int on);
    // The user clicked: the mark changes, then clicked is raised.
    void userClick();
    std::function<void()> clicked;

private:
    int checked_ = 0;
};

class EditBox : public Control {
public:
    const std::string& text() const { return text_; }
    // A write by the program raises textChanged once, also for the same text.
    void setText(const std::string& text);
    // The user changed the text (typing, pasting).
    void userSetText(const std::string& text);
    void focus();
    bool hasFocus() const { return focused_; }
    std::function<void()> textChanged;
    // Set by the window backend to move the keyboard focus to the box.
    std::function<void()> focusRequested;

private:
    std::string text_;
    bool focused_ = false;
};

class ComboList : public Control {
public:
    explicit ComboList(std::vector<std::string> items = {}) : items_(std::move(items)) {}
    const std::vector<std::string>& items() const { return items_; }
    int selection() const { return selection_; }
    // The program's write: clamped to the list, raises nothing.
    void selectListItem(int value);
    // The user picked an item and the list has closed.
    void userPick(int index);
    std::function<void()> itemSelected;

private:
    std::vector<std::string> items_;
    int selection_ = -1;
};

class Label : public Control {
public:
    const std::string& text() const { return text_; }
    void setText(const std::string& text);

private:
    std::string text_;
};

// A push button has no state the program reads but its visibility.
class Button : public Control {
public:
    void userClick() const {
        if (clicked) clicked();
    }
    std::function<void()> clicked;
};

// The decimal items "0" .. "count-1", so that an index is the number itself.
std::vector<std::string> numberItems(int count);

}  // namespace velmora
