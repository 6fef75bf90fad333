// The main window on Windows: a tab control with four pages, every control
// of the layout table as a real child window mirroring its model, the two
// timers and the notification-area callback.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "core/State.h"
#include "platform/Window.h"
#include "platform/win32/MainWindow.h"
#include "ui/Layout.h"

namespace velmora::platform {
namespace {

using ui::Kind;
using ui::LayoutItem;

constexpr UINT_PTR sunTimerId = 1;
constexpr UINT_PTR switchTimerId = 2;
constexpr UINT sunTimerMs = 10000;
constexpr UINT switchTimerMs = 1000;
// A list pick is raised once the list's notifications have all arrived.
constexpr UINT deferredPickMessage = WM_APP + 1;
constexpr int firstControlId = 1000;
const char* const windowClass = "VelmoraMainWindow";

struct View {
    const LayoutItem* item = nullptr;
    HWND hwnd = nullptr;
    Control* model = nullptr;
    bool pushing = false;      // the program is writing into the control
    bool pickConfirmed = false;  // the list was closed with a pick
    bool pickPosted = false;
    // The control's own enabled and visible states as last set: only the
    // program changes them, so a write need not ask the window first.
    bool enabled = true;  // created without WS_DISABLED
    bool shown = false;   // created without WS_VISIBLE
    // The text the label holds. Only the program writes a label's text, and
    // the clock label is written every second: a label takes a new text only
    // while it is shown, and catches up as it comes into view with its page.
    std::string labelText;
};

struct WindowState {
    WindowEvents events;
    HWND tab = nullptr;
    int page = 0;
    bool creating = false;
    UINT taskbarCreated = 0;
    std::vector<View> views;
    WNDPROC tabProc = nullptr;
    WNDPROC groupProc = nullptr;
    WNDPROC editProc = nullptr;
};

WindowState& window() {
    static WindowState w;
    return w;
}

View* viewOf(int id) {
    const int index = id - firstControlId;
    if (index < 0 || index >= static_cast<int>(window().views.size())) return nullptr;
    return &window().views[index];
}

View* viewOf(HWND hwnd) {
    for (View& v : window().views)
        if (v.hwnd == hwnd) return &v;
    return nullptr;
}

std::string windowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(length + 1, '\0');
    text.resize(GetWindowTextA(hwnd, text.data(), length + 1));
    return text;
}

// A control shows when its page is up and its own visible state is on.
bool shouldShow(const View& v) {
    return v.item->page == window().page && (!v.model || v.model->visible());
}

// A transparent label leaves its old text on screen unless the parent
// paints the area behind it again first.
void redrawBehind(HWND hwnd) {
    HWND parent = GetParent(hwnd);
    RECT area;
    GetWindowRect(hwnd, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Brings a label's text up to its model's.
void syncLabel(View& v) {
    if (!v.model) return;
    const std::string& text = static_cast<Label*>(v.model)->text();
    if (v.labelText == text) return;
    SetWindowTextA(v.hwnd, text.c_str());
    v.labelText = text;
    if (v.shown && IsWindowVisible(v.hwnd)) redrawBehind(v.hwnd);
}

// Gives the control its visible state; a label that comes into view takes
// its current text first.
void setShown(View& v, bool show) {
    if (show && v.item->kind == Kind::Label) syncLabel(v);
    if (v.shown == show) return;
    ShowWindow(v.hwnd, show ? SW_SHOW : SW_HIDE);
    v.shown = show;
}

// Pushes the model's state into the control.
void push(View& v) {
    if (!v.model) return;
    v.pushing = true;
    switch (v.item->kind) {
        case Kind::CheckBox: {
            const WPARAM mark = static_cast<CheckBox*>(v.model)->checked() ? BST_CHECKED : BST_UNCHECKED;
            if (static_cast<WPARAM>(SendMessageA(v.hwnd, BM_GETCHECK, 0, 0)) != mark) {
                SendMessageA(v.hwnd, BM_SETCHECK, mark, 0);
                // Drawn on a transparent background, like the labels.
                if (IsWindowVisible(v.hwnd)) redrawBehind(v.hwnd);
            }
            break;
        }
        case Kind::EditBox: {
            const std::string& text = static_cast<EditBox*>(v.model)->text();
            if (windowText(v.hwnd) != text) SetWindowTextA(v.hwnd, text.c_str());
            break;
        }
        case Kind::List:
            SendMessageA(v.hwnd, CB_SETCURSEL, static_cast<WPARAM>(static_cast<ComboList*>(v.model)->selection()), 0);
            break;
        default: break;  // a label's text goes with its visible state
    }
    const bool enabled = v.model->enabled();
    if (v.enabled != enabled) {
        EnableWindow(v.hwnd, enabled);
        v.enabled = enabled;
    }
    setShown(v, shouldShow(v));
    v.pushing = false;
}

void showPage(int page) {
    window().page = page;
    for (View& v : window().views) setShown(v, shouldShow(v));
}

// The tab control and the group box pass their children's notifications
// and colour requests on to the main window.
LRESULT forwardToMain(WNDPROC original, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            return SendMessageA(win32::mainWindowHandle(), message, wParam, lParam);
        default: return CallWindowProcA(original, hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK tabProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return forwardToMain(window().tabProc, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK groupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return forwardToMain(window().groupProc, hwnd, message, wParam, lParam);
}

// Decimal input: a typed printable character other than a digit, "-" or "."
// is refused. Control characters (backspace, the paste shortcut) pass, and
// pasted text is not looked at.
LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR) {
        const WPARAM ch = wParam;
        const bool control = ch < 0x20 || ch == 0x7F;
        const bool allowed = (ch >= '0' && ch <= '9') || ch == '-' || ch == '.';
        if (!control && !allowed) return 0;
    }
    return CallWindowProcA(window().editProc, hwnd, message, wParam, lParam);
}

void listNotification(View& v, int code) {
    auto* list = static_cast<ComboList*>(v.model);
    if (!list || v.pushing) return;
    const bool dropped = SendMessageA(v.hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
    switch (code) {
        case CBN_SELENDOK: v.pickConfirmed = true; break;
        case CBN_SELENDCANCEL: v.pickConfirmed = false; break;
        case CBN_CLOSEUP: break;
        case CBN_SELCHANGE:
            if (dropped) return;  // arrow keys in the open list: not a pick yet
            break;
        default: return;
    }
    if (code == CBN_SELENDOK && dropped) return;  // raised when the list has closed
    // Raise the pick after the list's remaining notifications of this
    // action, once, with the selection it ends with.
    if (!v.pickPosted) {
        v.pickPosted = true;
        PostMessageA(win32::mainWindowHandle(), deferredPickMessage, static_cast<WPARAM>(v.item - &ui::mainLayout()[0]),
                     0);
    }
}

void command(int id, int code) {
    View* v = viewOf(id);
    if (!v || !v->model) return;
    switch (v->item->kind) {
        case Kind::Button:
            if (code == BN_CLICKED) static_cast<Button*>(v->model)->userClick();
            break;
        case Kind::CheckBox:
            if (code == BN_CLICKED) static_cast<CheckBox*>(v->model)->userClick();
            break;
        case Kind::EditBox:
            if (code == EN_CHANGE && !v->pushing) static_cast<EditBox*>(v->model)->userSetText(windowText(v->hwnd));
            break;
        case Kind::List: listNotification(*v, code); break;
        default: break;
    }
}

void deferredPick(int index) {
    if (index < 0 || index >= static_cast<int>(window().views.size())) return;
    View& v = window().views[index];
    v.pickPosted = false;
    if (!v.pickConfirmed) return;
    v.pickConfirmed = false;
    const int selection = static_cast<int>(SendMessageA(v.hwnd, CB_GETCURSEL, 0, 0));
    static_cast<ComboList*>(v.model)->userPick(selection);
}

// Labels, check boxes and the link show the tab page behind them.
bool isTransparent(HWND hwnd) {
    const View* v = viewOf(hwnd);
    return v && (v->item->kind == Kind::Label || v->item->kind == Kind::CheckBox || v->item->kind == Kind::Link);
}

void windowDestroyed(HWND hwnd) {
    win32::removeTrayIcon();
    KillTimer(hwnd, sunTimerId);
    KillTimer(hwnd, switchTimerId);
    // The models outlive the window: they stop mirroring into it.
    for (View& v : window().views) {
        if (!v.model) continue;
        v.model->viewChanged = nullptr;
        if (v.item->kind == Kind::EditBox) static_cast<EditBox*>(v.model)->focusRequested = nullptr;
    }
    PostQuitMessage(0);
}

LRESULT CALLBACK mainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowState& w = window();
    switch (message) {
        case WM_COMMAND:
            if (lParam) command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == w.tab && header->code == TCN_SELCHANGE)
                showPage(static_cast<int>(SendMessageA(w.tab, TCM_GETCURSEL, 0, 0)));
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            if (isTransparent(reinterpret_cast<HWND>(lParam))) {
                SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
                SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
                return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            }
            break;
        case WM_TIMER:
            if (w.creating) return 0;  // the creation sequence comes before any tick
            if (wParam == sunTimerId && w.events.sunTimerTick) w.events.sunTimerTick();
            if (wParam == switchTimerId && w.events.switchTimerTick) w.events.switchTimerTick();
            return 0;
        case deferredPickMessage: deferredPick(static_cast<int>(wParam)); return 0;
        case win32::trayCallbackMessage: {
            const int code = win32::trayEventCode(static_cast<UINT>(LOWORD(lParam)));
            if (code && w.events.trayEvent) w.events.trayEvent(code);
            return 0;
        }
        case WM_DESTROY: windowDestroyed(hwnd); return 0;
        default:
            if (message == w.taskbarCreated && w.taskbarCreated != 0) {
                if (w.events.taskbarCreated) w.events.taskbarCreated();
                return 0;
            }
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND createControl(const LayoutItem& item, HWND parent, int id, HFONT font) {
    const char* cls = "STATIC";
    DWORD style = WS_CHILD;
    DWORD exStyle = 0;
    int height = item.height;
    std::string text = item.text;
    switch (item.kind) {
        case Kind::Label: style |= SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX; break;
        case Kind::CheckBox: cls = "BUTTON"; style |= BS_CHECKBOX | BS_MULTILINE | BS_VCENTER | WS_TABSTOP; break;
        case Kind::EditBox:
            cls = "EDIT";
            style |= ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case Kind::List:
            cls = "COMBOBOX";
            style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
            if (height < ui::listDropHeight) height = ui::listDropHeight;
            break;
        case Kind::Button: cls = "BUTTON"; style |= BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP; break;
        case Kind::Group:
            cls = "BUTTON";
            style |= BS_GROUPBOX;
            exStyle = WS_EX_CONTROLPARENT;
            break;
        case Kind::Link:
            cls = "SysLink";
            style |= WS_TABSTOP;
            text = std::string("<a href=\"") + ui::aboutLinkTarget() + "\">" + item.text + "</a>";
            break;
    }
    HWND hwnd = CreateWindowExA(exStyle, cls, text.c_str(), style, item.x, item.y, item.width, height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
}

void createControls(HWND main) {
    WindowState& w = window();
    HINSTANCE module = GetModuleHandleA(nullptr);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

    w.tab = CreateWindowExA(WS_EX_CONTROLPARENT, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP,
                            0, 0, ui::tabWidth, ui::tabHeight, main, nullptr, module, nullptr);
    SendMessageA(w.tab, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const auto& pages = ui::pageNames();
    for (std::size_t i = 0; i < pages.size(); ++i) {
        TCITEMA tabItem{};
        tabItem.mask = TCIF_TEXT;
        tabItem.pszText = const_cast<char*>(pages[i].c_str());
        SendMessageA(w.tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&tabItem));
    }
    w.tabProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w.tab, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&tabProc)));

    MainControls& c = controls();
    const auto& layout = ui::mainLayout();
    w.views.assign(layout.size(), View{});
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const LayoutItem& item = layout[i];
        View& v = w.views[i];
        v.item = &item;
        v.model = item.model ? item.model(c) : nullptr;
        HWND parent = item.container < 0 ? w.tab : w.views[item.container].hwnd;
        v.hwnd = createControl(item, parent, firstControlId + static_cast<int>(i), font);
        if (item.kind == Kind::Label) v.labelText = item.text;
        if (item.kind == Kind::Group)
            w.groupProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(v.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&groupProc)));
        if (item.kind == Kind::EditBox)
            w.editProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(v.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&editProc)));
        if (item.kind == Kind::List)
            for (const std::string& entry : ui::listItems(item, c))
                SendMessageA(v.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    // From now on every program write reaches its control.
    for (std::size_t i = 0; i < w.views.size(); ++i) {
        View& v = w.views[i];
        if (!v.model) continue;
        v.model->viewChanged = [i] { push(window().views[i]); };
        if (v.item->kind == Kind::EditBox) {
            HWND hwnd = v.hwnd;
            static_cast<EditBox*>(v.model)->focusRequested = [hwnd] { SetFocus(hwnd); };
        }
        push(v);
    }
    showPage(0);
}

}  // namespace

int runMainWindow(const WindowEvents& events) {
    WindowState& w = window();
    w.events = events;
    HINSTANCE module = GetModuleHandleA(nullptr);

    INITCOMMONCONTROLSEX init{sizeof init, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&init);
    w.taskbarCreated = RegisterWindowMessageA("TaskbarCreated");

    WNDCLASSEXA cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = mainProc;
    cls.hInstance = module;
    cls.hIcon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(win32::appIconResource), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    cls.hIconSm = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(win32::appIconResource), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    cls.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = windowClass;
    RegisterClassExA(&cls);

    // Centred on the whole screen, not the work area; a caption without a
    // system menu, so no close, minimise or maximise box; fixed size.
    const ui::Placement at = ui::centredPlacement(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    HWND main = CreateWindowExA(WS_EX_APPWINDOW, windowClass, ui::windowCaption,
                                WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN, at.left, at.top, ui::windowWidth,
                                ui::windowHeight, nullptr, nullptr, module, nullptr);
    win32::mainWindowHandle() = main;
    createControls(main);
    ShowWindow(main, SW_SHOW);
    UpdateWindow(main);

    SetTimer(main, sunTimerId, sunTimerMs, nullptr);
    SetTimer(main, switchTimerId, switchTimerMs, nullptr);
    w.creating = true;
    if (w.events.created) w.events.created();
    w.creating = false;

    MSG msg;
    int code = 0;
    while (true) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            code = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1) break;
        // Dialog navigation is for input; the timers' ticks, many an hour,
        // go straight to the window.
        if (msg.message != WM_TIMER && win32::mainWindowHandle() && IsDialogMessageA(win32::mainWindowHandle(), &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    win32::mainWindowHandle() = nullptr;
    return code;
}

void destroyMainWindow() {
    if (win32::mainWindowHandle()) DestroyWindow(win32::mainWindowHandle());
}

}  // namespace velmora::platform
