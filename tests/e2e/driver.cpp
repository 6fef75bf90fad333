// End-to-end check of Velmora.exe as a user meets it. First start, from a
// copy of its folder without Auto.ini: finds its window and looks at every
// control, then works the window (check boxes, typing, a list pick, hiding
// to the icon and back, "退出") and watches the program react. Second start,
// from another copy with a prepared Auto.ini: the registry (light-mode
// values, Run value) and the window follow the file, "保存" writes it and
// reports a file that cannot be written, and a PNG picked through the
// open-file dialog is converted to 图片1.bmp. Writes a picture of each page.
//
// usage: velmora_e2e <folder with Velmora.exe> <folder for the screenshots>
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

int failures = 0;
DWORD pid = 0;
HANDLE process = nullptr;

void fail(const std::string& what) {
    ++failures;
    std::printf("FAIL: %s\n", what.c_str());
    std::fflush(stdout);
}

void check(bool ok, const std::string& what) {
    if (!ok) fail(what);
}

void note(const std::string& what) {
    std::printf("%s\n", what.c_str());
    std::fflush(stdout);
}

bool waitFor(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        if (done()) return true;
        Sleep(100);
    }
    return done();
}

LRESULT send(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_NORMAL, 20000, &result);
    return static_cast<LRESULT>(result);
}

// WM_GETTEXT: the text as the control holds it now (GetWindowText would give
// the creation caption of another process' control).
std::string textOf(HWND hwnd) {
    char buffer[1024] = {};
    send(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::string className(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

RECT relativeTo(HWND hwnd, HWND container) {
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string describe(const RECT& r) {
    char text[96];
    std::snprintf(text, sizeof text, "%ld,%ld %ldx%ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return text;
}

std::vector<HWND> childrenOf(HWND parent) {
    std::vector<HWND> found;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) found.push_back(c);
    return found;
}

// The open-file dialog: a dialog with the file-name box (cmb13 or edt1).
HWND fileNameBox(HWND dialog) {
    if (HWND combo = GetDlgItem(dialog, 0x47C)) return combo;
    return GetDlgItem(dialog, 0x480);
}

bool isProgramDialog(HWND hwnd) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    return owner == pid && IsWindowVisible(hwnd) && className(hwnd) == "#32770";
}

// The message box of the program, if one is open.
BOOL CALLBACK findMessageBox(HWND hwnd, LPARAM data) {
    if (isProgramDialog(hwnd) && !fileNameBox(hwnd)) {
        *reinterpret_cast<HWND*>(data) = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND messageBox() {
    HWND found = nullptr;
    EnumWindows(findMessageBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

BOOL CALLBACK findFileDialog(HWND hwnd, LPARAM data) {
    if (isProgramDialog(hwnd) && fileNameBox(hwnd)) {
        *reinterpret_cast<HWND*>(data) = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND fileDialog() {
    HWND found = nullptr;
    EnumWindows(findFileDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Reads a message box's caption and text and presses its OK button.
bool dismissMessage(std::string& caption, std::string& text) {
    HWND box = nullptr;
    if (!waitFor([&] { return (box = messageBox()) != nullptr; }, 60000)) return false;
    Sleep(500);
    caption = textOf(box);
    HWND label = GetDlgItem(box, 0xFFFF);
    text = label ? textOf(label) : "";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return waitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 30000);
}

// A message box or file dialog still open here was left by a step that
// went wrong: closed, and counted.
void closeStrayMessages() {
    for (int i = 0; i < 5; ++i) {
        if (HWND dialog = fileDialog()) {
            fail("an open-file dialog was open");
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            Sleep(1500);
            continue;
        }
        HWND box = messageBox();
        if (!box) return;
        fail("a message box was open: " + textOf(GetDlgItem(box, 0xFFFF)));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        Sleep(1500);
    }
}

BOOL CALLBACK findVelmora(HWND hwnd, LPARAM data) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    char caption[64] = {};
    GetWindowTextA(hwnd, caption, sizeof caption);
    if (owner == pid && std::strcmp(caption, "Velmora") == 0 && className(hwnd) != "#32770") {
        *reinterpret_cast<HWND*>(data) = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND findMainWindow() {
    HWND found = nullptr;
    EnumWindows(findVelmora, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A text of the tab control, read through memory in the program's process
// (a tab item's text is not carried across processes by the system).
std::string tabText(HWND tab, int index) {
    const SIZE_T size = sizeof(TCITEMA) + 256;
    char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    if (!remote) return "<no memory>";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = remote + sizeof(TCITEMA);
    item.cchTextMax = 255;
    WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
    send(tab, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(remote));
    char text[256] = {};
    ReadProcessMemory(process, remote + sizeof(TCITEMA), text, 255, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return text;
}

// What a control should be; text is its caption, for lists the selected
// item, and items the list's entries joined by "|".
enum class Kind { Label, Check, Edit, List, Button, Group, Link };
struct Expected {
    const char* name;
    Kind kind;
    int page;
    bool inGroup;
    int x, y, w, h;
    const char* text;
    bool visible;  // its own visible state at creation
    bool enabled;
    const char* items;
    HWND hwnd;
};

std::string numbers(int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += (i ? "|" : "") + std::to_string(i);
    return s;
}
const std::string hours = numbers(24);
const std::string minutes = numbers(60);

std::vector<Expected> expectedControls() {
    return {
        {"checkAutoStart", Kind::Check, 0, false, 24, 40, 80, 24, "开机自启", true, true, nullptr, nullptr},
        {"captionLongitude", Kind::Label, 0, false, 24, 64, 100, 40, "您的经度：", true, true, nullptr, nullptr},
        {"editLongitude", Kind::Edit, 0, false, 88, 72, 80, 23, "", true, true, nullptr, nullptr},
        {"captionLatitude", Kind::Label, 0, false, 24, 96, 100, 40, "您的纬度：", true, true, nullptr, nullptr},
        {"editLatitude", Kind::Edit, 0, false, 88, 104, 80, 23, "", true, true, nullptr, nullptr},
        {"captionSwitchTime", Kind::Label, 0, false, 24, 128, 100, 40, "更换时间：", true, true, nullptr, nullptr},
        {"checkFollowSun", Kind::Check, 0, false, 24, 168, 104, 24, "根据日出日落", true, true, nullptr, nullptr},
        {"checkCustomTime", Kind::Check, 0, false, 24, 200, 80, 24, "自定义时间", true, true, nullptr, nullptr},
        {"captionLightTime", Kind::Label, 0, false, 40, 224, 100, 40, "切换白主题时间：", true, true, nullptr, nullptr},
        {"comboLightHour", Kind::List, 0, false, 144, 232, 48, 20, "", true, false, hours.c_str(), nullptr},
        {"captionLightHourUnit", Kind::Label, 0, false, 200, 224, 32, 40, "时", true, true, nullptr, nullptr},
        {"comboLightMinute", Kind::List, 0, false, 232, 232, 48, 20, "", true, false, minutes.c_str(), nullptr},
        {"captionLightMinuteUnit", Kind::Label, 0, false, 288, 224, 32, 40, "分", true, true, nullptr, nullptr},
        {"captionDarkTime", Kind::Label, 0, false, 40, 256, 100, 40, "切换黑主题时间：", true, true, nullptr, nullptr},
        {"comboDarkHour", Kind::List, 0, false, 144, 264, 48, 20, "", true, false, hours.c_str(), nullptr},
        {"captionDarkHourUnit", Kind::Label, 0, false, 200, 256, 100, 40, "时", true, true, nullptr, nullptr},
        {"comboDarkMinute", Kind::List, 0, false, 232, 264, 48, 20, "", true, false, minutes.c_str(), nullptr},
        {"captionDarkMinuteUnit", Kind::Label, 0, false, 288, 256, 32, 40, "分", true, true, nullptr, nullptr},
        {"buttonSave", Kind::Button, 0, false, 96, 312, 80, 32, "保存", true, true, nullptr, nullptr},
        {"buttonHide", Kind::Button, 0, false, 224, 312, 80, 32, "隐藏", true, true, nullptr, nullptr},
        {"buttonExit", Kind::Button, 0, false, 352, 312, 80, 32, "退出", true, true, nullptr, nullptr},
        {"captionSunrise", Kind::Label, 1, false, 32, 32, 100, 40, "日出时间：", true, true, nullptr, nullptr},
        {"labelSunrise", Kind::Label, 1, false, 96, 40, 100, 24, "", true, true, nullptr, nullptr},
        {"captionSunset", Kind::Label, 1, false, 32, 64, 100, 40, "日落时间：", true, true, nullptr, nullptr},
        {"labelSunset", Kind::Label, 1, false, 96, 72, 100, 24, "", true, true, nullptr, nullptr},
        {"captionNow", Kind::Label, 1, false, 32, 96, 100, 40, "当前时间：", true, true, nullptr, nullptr},
        {"labelNow", Kind::Label, 1, false, 96, 104, 272, 24, "", true, true, nullptr, nullptr},
        {"captionChangeMode", Kind::Label, 2, false, 32, 48, 64, 48, "更换方式：", true, true, nullptr, nullptr},
        {"comboChangeMode", Kind::List, 2, false, 104, 64, 112, 20, "更换主题+壁纸", true, true,
         "更换主题+壁纸|只更换主题|只更换壁纸", nullptr},
        {"captionDayWallpaper", Kind::Label, 2, false, 32, 96, 72, 40, "白天壁纸：", true, true, nullptr, nullptr},
        {"comboDayWallpaper", Kind::List, 2, false, 104, 104, 112, 20, "默认壁纸", true, true, "默认壁纸|自定义", nullptr},
        {"buttonPickDayWallpaper", Kind::Button, 2, false, 232, 96, 80, 32, "打开文件", false, true, nullptr, nullptr},
        {"labelDayWallpaperPath", Kind::Label, 2, false, 328, 96, 208, 32, "", false, true, nullptr, nullptr},
        {"captionNightWallpaper", Kind::Label, 2, false, 32, 136, 72, 40, "夜间壁纸：", true, true, nullptr, nullptr},
        {"comboNightWallpaper", Kind::List, 2, false, 104, 144, 112, 20, "默认壁纸", true, true, "默认壁纸|自定义", nullptr},
        {"buttonPickNightWallpaper", Kind::Button, 2, false, 232, 136, 80, 32, "打开文件", false, true, nullptr, nullptr},
        {"labelNightWallpaperPath", Kind::Label, 2, false, 328, 136, 208, 32, "", false, true, nullptr, nullptr},
        {"labelBmpNote", Kind::Label, 2, false, 24, 176, 424, 84,
         "注意：壁纸图片格式需为bmp格式，可以使用转换器（默认转换到程序运行目录）。", true, true, nullptr, nullptr},
        {"groupConverter", Kind::Group, 2, false, 24, 240, 480, 96, "图片格式转换器", true, true, nullptr, nullptr},
        {"buttonPickPicture", Kind::Button, 2, true, 384, 16, 80, 32, "选择图片", true, true, nullptr, nullptr},
        {"buttonPickFolder", Kind::Button, 2, true, 16, 32, 80, 32, "保存目录", true, true, nullptr, nullptr},
        // The creation sequence writes the program directory here: checked below.
        {"labelConverterFolder", Kind::Label, 2, true, 104, 24, 272, 56, nullptr, true, true, nullptr, nullptr},
        {"buttonConvert", Kind::Button, 2, true, 384, 56, 80, 32, "转换", true, true, nullptr, nullptr},
        {"labelCredits", Kind::Label, 3, false, 152, 96, 312, 100, nullptr, true, true, nullptr, nullptr},
        {"labelAboutNote", Kind::Label, 3, false, 96, 144, 360, 100, nullptr, true, true, nullptr, nullptr},
        {"htmlAboutLink", Kind::Link, 3, false, 192, 176, 256, 48, nullptr, true, true, nullptr, nullptr},
    };
}

bool kindMatches(HWND hwnd, Kind kind) {
    const std::string cls = className(hwnd);
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const LONG type = style & BS_TYPEMASK;
    switch (kind) {
        case Kind::Label: return cls == "Static";
        case Kind::Edit: return cls == "Edit";
        case Kind::List: return cls == "ComboBox";
        case Kind::Link: return cls == "SysLink";
        case Kind::Check: return cls == "Button" && (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX);
        case Kind::Group: return cls == "Button" && type == BS_GROUPBOX;
        case Kind::Button: return cls == "Button" && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
    }
    return false;
}

// Finds the control of that kind at that place in its container; for lists
// the closed field's height follows the font, so only place and width count.
HWND locate(const Expected& e, HWND container) {
    HWND best = nullptr;
    for (HWND c : childrenOf(container)) {
        if (!kindMatches(c, e.kind)) continue;
        const RECT r = relativeTo(c, container);
        const bool place = r.left == e.x && r.top == e.y && r.right - r.left == e.w;
        const bool size = e.kind == Kind::List || r.bottom - r.top == e.h;
        if (place && size) {
            if (!e.text || textOf(c) == e.text) return c;
            best = c;
        }
    }
    return best;
}

std::string listItems(HWND list) {
    std::string joined;
    const int count = static_cast<int>(send(list, CB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        // The wide form: Wine hands the ANSI form of this message back
        // across processes unconverted.
        wchar_t wide[256] = {};
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide), SMTO_NORMAL, 20000, &ignored);
        char item[512] = {};
        WideCharToMultiByte(936, 0, wide, -1, item, sizeof item, nullptr, nullptr);
        joined += (i ? "|" : "") + std::string(item);
    }
    return joined;
}

void checkPageShown(std::vector<Expected>& all, int page, const char* when) {
    for (const Expected& e : all) {
        if (!e.hwnd) continue;
        const bool shouldShow = e.page == page && e.visible;
        if ((IsWindowVisible(e.hwnd) != FALSE) != shouldShow)
            fail(std::string(when) + ": " + e.name + (shouldShow ? " not shown" : " shown"));
    }
}

Expected& named(std::vector<Expected>& all, const char* name) {
    for (Expected& e : all)
        if (std::strcmp(e.name, name) == 0) return e;
    static Expected none{};
    return none;
}

// A picture of the window as it is on screen. The script around the driver
// takes it from the display when asked through a request file (name.request
// holding "width height left top", removed when the picture is taken);
// without an answer the driver copies the screen into name.bmp itself.
bool screenshotFromOutside(HWND main, const std::string& path) {
    RECT r;
    GetWindowRect(main, &r);
    const std::string request = path + ".request";
    const std::string pending = request + ".tmp";
    FILE* f = std::fopen(pending.c_str(), "w");
    if (!f) return false;
    std::fprintf(f, "%ld %ld %ld %ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    std::fclose(f);
    MoveFileA(pending.c_str(), request.c_str());
    if (waitFor([&] { return GetFileAttributesA(request.c_str()) == INVALID_FILE_ATTRIBUTES; }, 30000)) return true;
    DeleteFileA(request.c_str());
    return false;
}

void screenshot(HWND main, const std::string& name) {
    SetForegroundWindow(main);
    Sleep(2500);
    if (screenshotFromOutside(main, name)) return;
    const std::string path = name + ".bmp";
    RECT r;
    GetWindowRect(main, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = (w * 3 + 3) & ~3;
    const DWORD size = stride * h;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + size;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(&file, sizeof file, 1, f);
        std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f);
        std::fwrite(bits, size, 1, f);
        std::fclose(f);
    } else {
        fail("cannot write " + path);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

void switchPage(HWND tab, int from, int to) {
    for (int p = from; p < to; ++p) send(tab, WM_KEYDOWN, VK_RIGHT, 0);
    for (int p = from; p > to; --p) send(tab, WM_KEYDOWN, VK_LEFT, 0);
    Sleep(300);
    check(send(tab, TCM_GETCURSEL) == to, "the tab control shows page " + std::to_string(to));
}

bool copyFolder(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    for (const char* name : {"Velmora.exe", "默认白壁纸.bmp", "默认黑壁纸.bmp"})
        if (!CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE)) return false;
    return true;
}

void typeInto(HWND edit, const char* text) {
    for (const char* p = text; *p; ++p) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(*p), 1);
}

bool textBecomes(HWND hwnd, const std::string& text, DWORD ms = 15000) {
    return waitFor([&] { return textOf(hwnd) == text; }, ms);
}

bool isChecked(HWND hwnd) { return send(hwnd, BM_GETCHECK) == BST_CHECKED; }

// The clock label reads "<year>年<month>月<day>日<hour>时<minute>分<second>秒":
// true when its time of day is within a few seconds of the local clock, so
// that a label showing a stale time is caught.
bool clockIsCurrent(HWND label, std::string& text) {
    text = textOf(label);
    std::vector<int> numbers;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        int n = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) n = n * 10 + (text[i] - '0');
        numbers.push_back(n);
    }
    if (numbers.size() != 6) return false;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int shown = numbers[3] * 3600 + numbers[4] * 60 + numbers[5];
    const int actual = now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
    const int apart = std::abs(actual - shown);
    return std::min(apart, 86400 - apart) <= 3;
}

void pickItem(HWND list, int index) {
    // As a user: open the list, move to the item, press Enter.
    send(list, CB_SHOWDROPDOWN, TRUE);
    Sleep(300);
    send(list, CB_SETCURSEL, index);
    send(list, WM_KEYDOWN, VK_RETURN, 0);
    Sleep(300);
}

// The registry as the program sees it: a 32-bit program's writes under
// HKEY_LOCAL_MACHINE\software land in the 32-bit view.
const char* const kPersonalize = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
const char* const kRunKey = "software\\microsoft\\windows\\CurrentVersion\\Run";

bool readDword(HKEY root, const char* path, const char* name, DWORD& value) {
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) return false;
    DWORD type = 0, size = sizeof value;
    const bool ok = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
                    type == REG_DWORD;
    RegCloseKey(key);
    return ok;
}

bool readString(HKEY root, const char* path, const char* name, std::string& value) {
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) return false;
    char data[1024] = {};
    DWORD type = 0, size = sizeof data - 1;
    const bool ok = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS &&
                    type == REG_SZ;
    RegCloseKey(key);
    value = data;
    return ok;
}

void writeDword(HKEY root, const char* path, const char* name, DWORD value) {
    HKEY key;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        fail(std::string("cannot prepare ") + path);
        return;
    }
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

void deleteValue(HKEY root, const char* path, const char* name) {
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_WRITE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

// A small RGB PNG (stored deflate blocks), so that the converter has to
// decode and re-encode rather than copy.
std::uint32_t crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string bigEndian(std::uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

std::string pngPicture(int width, int height) {
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back('\0');
        for (int x = 0; x < width; ++x) {
            raw.push_back(static_cast<char>(x * 60));
            raw.push_back(static_cast<char>(y * 80));
            raw.push_back(static_cast<char>(200));
        }
    }
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    const auto length = static_cast<std::uint16_t>(raw.size());
    std::string zlib = "\x78\x01\x01";
    zlib += {static_cast<char>(length & 0xFF), static_cast<char>(length >> 8), static_cast<char>(~length & 0xFF),
             static_cast<char>((~length >> 8) & 0xFF)};
    zlib += raw + bigEndian((b << 16) | a);
    auto chunk = [](const std::string& kind, const std::string& body) {
        return bigEndian(static_cast<std::uint32_t>(body.size())) + kind + body + bigEndian(crc32(kind + body));
    };
    const std::string header = bigEndian(width) + bigEndian(height) + std::string("\x08\x02\x00\x00\x00", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", zlib) + chunk("IEND", "");
}

bool writeFile(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

std::string readFile(const std::string& path) {
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

std::string iniValue(const std::string& file, const char* section, const char* key) {
    char value[512] = {};
    GetPrivateProfileStringA(section, key, "<absent>", value, sizeof value, file.c_str());
    return value;
}

// Starts Velmora.exe from the given folder, from another current directory
// (the program makes its own folder current), and waits for its window.
HWND startVelmora(const std::string& folder, const char* currentDirectory, DWORD& thread) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string command = "\"" + folder + "\\Velmora.exe\"";
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, currentDirectory, &startup, &info)) {
        fail("cannot start " + folder + "\\Velmora.exe");
        return nullptr;
    }
    CloseHandle(info.hThread);
    pid = info.dwProcessId;
    process = info.hProcess;
    thread = info.dwThreadId;
    note("started " + folder + "\\Velmora.exe, waiting for its window");
    HWND main = nullptr;
    if (!waitFor([&] { return (main = findMainWindow()) != nullptr && IsWindowVisible(main); }, 300000)) {
        fail("no window \"Velmora\" appeared");
        return nullptr;
    }
    Sleep(3000);
    closeStrayMessages();
    return main;
}

// "退出" ends the program; a program that does not end is stopped.
void endVelmora(HWND exitButton) {
    closeStrayMessages();
    if (exitButton) PostMessageA(exitButton, BM_CLICK, 0, 0);
    if (!exitButton || WaitForSingleObject(process, 60000) != WAIT_OBJECT_0) {
        fail("退出 did not end the program");
        closeStrayMessages();
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 30000);
    } else {
        DWORD code = 1;
        GetExitCodeProcess(process, &code);
        check(code == 0, "the program ended with code " + std::to_string(code));
    }
    CloseHandle(process);
    process = nullptr;
}

HWND tabOf(HWND main) {
    for (HWND c : childrenOf(main))
        if (className(c) == "SysTabControl32") return c;
    return nullptr;
}

void locateAll(std::vector<Expected>& all, HWND tab) {
    Expected& group = named(all, "groupConverter");
    group.hwnd = locate(group, tab);
    for (Expected& e : all) {
        if (&e == &group) continue;
        HWND container = e.inGroup ? group.hwnd : tab;
        if (container) e.hwnd = locate(e, container);
        if (!e.hwnd) fail(std::string(e.name) + ": not found");
    }
}

// Presses a button whose handler shows a message box, and reads the box.
void pressAndExpect(HWND button, const char* what, const std::string& expected) {
    closeStrayMessages();
    if (!button) return;
    PostMessageA(button, BM_CLICK, 0, 0);
    std::string caption, message;
    if (!dismissMessage(caption, message)) {
        fail(std::string("no message box after ") + what);
        return;
    }
    check(caption == "信息：", std::string(what) + ": message caption \"" + caption + "\"");
    check(message == expected, std::string(what) + ": message \"" + message + "\", expected \"" + expected + "\"");
}

// First start, without Auto.ini: the window in its initial state, worked
// as a user would. Gives the exit button.
HWND firstRun(HWND main, DWORD thread, const std::string& folder, const std::string& shots) {
    // The window: caption, size, place, frame.
    RECT outer;
    GetWindowRect(main, &outer);
    check(outer.right - outer.left == 560 && outer.bottom - outer.top == 379, "outer size 560x379, is " + describe(outer));
    const int left = (GetSystemMetrics(SM_CXSCREEN) - 560) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - 379) / 2;
    check(outer.left == left && outer.top == top, "centred on the screen, is at " + describe(outer));
    const LONG style = GetWindowLongA(main, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(main, GWL_EXSTYLE);
    check((style & WS_CAPTION) == WS_CAPTION, "the window has a caption");
    check(!(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)),
          "no system menu, no close box, fixed size");
    check(!(exStyle & WS_EX_TOPMOST), "not topmost");
    check(GetWindow(main, GW_OWNER) == nullptr, "no owner: shown in the taskbar");

    // The tab control and its four pages.
    HWND tab = nullptr;
    for (HWND c : childrenOf(main))
        if (className(c) == "SysTabControl32") tab = c;
    if (!tab) {
        fail("no tab control");
        return nullptr;
    }
    const RECT tabRect = relativeTo(tab, main);
    check(tabRect.left == 0 && tabRect.top == 0 && tabRect.right == 600 && tabRect.bottom == 368,
          "tab control at 0,0 600x368, is " + describe(tabRect));
    const char* pages[] = {"基础设置", "基础信息", "个性化", "关于"};
    check(send(tab, TCM_GETITEMCOUNT) == 4, "four pages");
    // Read through memory in the program's process; where that memory cannot
    // be reached (Wine under qemu's user-mode emulation maps it elsewhere)
    // every text reads empty, and the texts are left to the page pictures.
    std::string texts[4];
    for (int i = 0; i < 4; ++i) texts[i] = tabText(tab, i);
    if (texts[0].empty() && texts[1].empty() && texts[2].empty() && texts[3].empty())
        note("SKIP: the tab texts cannot be read across processes here; see the page pictures");
    else
        for (int i = 0; i < 4; ++i) check(texts[i] == pages[i], "page " + std::to_string(i) + " is " + texts[i]);
    check(send(tab, TCM_GETCURSEL) == 0, "the first page is shown");

    // Every control at its place, with its text and state.
    std::vector<Expected> all = expectedControls();
    Expected& group = named(all, "groupConverter");
    group.hwnd = locate(group, tab);
    for (Expected& e : all) {
        if (&e == &group) continue;
        HWND container = e.inGroup ? group.hwnd : tab;
        if (!container) continue;
        e.hwnd = locate(e, container);
    }
    for (Expected& e : all) {
        if (!e.hwnd) {
            fail(std::string(e.name) + ": no control of its kind at " + std::to_string(e.x) + "," + std::to_string(e.y));
            continue;
        }
        const std::string text = textOf(e.hwnd);
        if (e.text) check(text == e.text, std::string(e.name) + " reads \"" + text + "\"");
        check((IsWindowEnabled(e.hwnd) != FALSE) == e.enabled, std::string(e.name) + " enabled state");
        if (e.kind == Kind::Check) check(!isChecked(e.hwnd), std::string(e.name) + " unchecked");
        if (e.kind == Kind::List) {
            check(listItems(e.hwnd) == e.items, std::string(e.name) + " items: " + listItems(e.hwnd));
            check((GetWindowLongA(e.hwnd, GWL_STYLE) & 3) == CBS_DROPDOWNLIST, std::string(e.name) + " is a drop-down list");
            if (!*e.text) check(send(e.hwnd, CB_GETCURSEL) == -1, std::string(e.name) + " without selection");
        }
        if (e.kind == Kind::Label) {
            const LONG s = GetWindowLongA(e.hwnd, GWL_STYLE);
            check((s & SS_CENTERIMAGE) && (s & SS_NOPREFIX), std::string(e.name) + " one line, centred, & shown as such");
        }
        if (e.kind == Kind::Edit)
            check(GetWindowLongA(e.hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, std::string(e.name) + " sunken");
    }
    for (const char* name : {"labelCredits", "labelAboutNote", "htmlAboutLink"})
        if (named(all, name).hwnd) check(!textOf(named(all, name).hwnd).empty(), std::string(name) + " has a text");
    checkPageShown(all, 0, "at start");

    // The pages, one after the other; the clock runs on the second.
    screenshot(main, shots + "\\page1");
    switchPage(tab, 0, 1);
    checkPageShown(all, 1, "on 基础信息");
    screenshot(main, shots + "\\page2");
    switchPage(tab, 1, 2);
    checkPageShown(all, 2, "on 个性化");
    const std::string folderText = named(all, "labelConverterFolder").hwnd ? textOf(named(all, "labelConverterFolder").hwnd) : "";
    check(folderText == folder, "the converter folder is the program directory: \"" + folderText + "\"");
    screenshot(main, shots + "\\page3");
    switchPage(tab, 2, 3);
    checkPageShown(all, 3, "on 关于");
    screenshot(main, shots + "\\page4");
    switchPage(tab, 3, 0);
    checkPageShown(all, 0, "back on 基础设置");

    // The check boxes and their lock on the time lists.
    HWND followSun = named(all, "checkFollowSun").hwnd;
    HWND customTime = named(all, "checkCustomTime").hwnd;
    HWND lists[] = {named(all, "comboLightHour").hwnd, named(all, "comboLightMinute").hwnd,
                    named(all, "comboDarkHour").hwnd, named(all, "comboDarkMinute").hwnd};
    auto listsEnabled = [&](bool on) {
        for (HWND l : lists)
            if (!l || (IsWindowEnabled(l) != FALSE) != on) return false;
        return true;
    };
    struct Step {
        HWND* box;
        bool follow, custom, enabled;
        const char* what;
    } steps[] = {
        {&customTime, false, true, true, "checking 自定义时间"},
        {&followSun, true, false, false, "checking 根据日出日落"},
        {&followSun, false, false, true, "unchecking 根据日出日落"},
        {&customTime, false, true, true, "checking 自定义时间 again"},
        {&customTime, false, false, false, "unchecking 自定义时间"},
    };
    if (followSun && customTime) {
        for (const Step& s : steps) {
            send(*s.box, BM_CLICK);
            Sleep(300);
            check(isChecked(followSun) == s.follow && isChecked(customTime) == s.custom && listsEnabled(s.enabled),
                  std::string("after ") + s.what + ": boxes and lists");
        }
    }

    // Typing into the longitude box: only digits, "-" and "."; 200 is out
    // of range.
    HWND longitude = named(all, "editLongitude").hwnd;
    if (longitude) {
        typeInto(longitude, "a, x");
        Sleep(1500);
        check(textOf(longitude).empty(), "letters, commas and spaces are refused: \"" + textOf(longitude) + "\"");
        typeInto(longitude, "-1.5");
        check(textBecomes(longitude, "-1.5"), "digits, minus and point are typed: \"" + textOf(longitude) + "\"");
        send(longitude, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        check(textBecomes(longitude, ""), "the box is emptied");
        closeStrayMessages();

        typeInto(longitude, "200");
        std::string caption, message;
        if (!dismissMessage(caption, message)) {
            fail("no message box for longitude 200");
        } else {
            check(caption == "信息：", "message caption \"" + caption + "\"");
            check(message == "经度超出范围！", "message text \"" + message + "\"");
        }
        check(textBecomes(longitude, ""), "after the message the box is empty: \"" + textOf(longitude) + "\"");
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        Sleep(1500);
        GetGUIThreadInfo(thread, &gui);
        check(gui.hwndFocus == longitude, "the longitude box has the focus");
        closeStrayMessages();
    }

    // Picking "自定义" for the night wallpaper shows its picker, "默认壁纸"
    // hides it again; the day picker stays hidden.
    switchPage(tab, 0, 2);
    HWND night = named(all, "comboNightWallpaper").hwnd;
    HWND nightButton = named(all, "buttonPickNightWallpaper").hwnd;
    HWND nightPath = named(all, "labelNightWallpaperPath").hwnd;
    HWND dayButton = named(all, "buttonPickDayWallpaper").hwnd;
    if (night && nightButton && nightPath && dayButton) {
        pickItem(night, 1);
        check(waitFor([&] { return IsWindowVisible(nightButton) && IsWindowVisible(nightPath); }, 10000),
              "picking 自定义 shows the night picker");
        check(!IsWindowVisible(dayButton), "the day picker stays hidden");
        screenshot(main, shots + "\\page3-custom");
        // Another page and back: the picker is still there.
        switchPage(tab, 2, 3);
        check(!IsWindowVisible(nightButton), "the picker is hidden with its page");
        switchPage(tab, 3, 2);
        check(IsWindowVisible(nightButton), "the picker comes back with its page");
        pickItem(night, 0);
        check(waitFor([&] { return !IsWindowVisible(nightButton) && !IsWindowVisible(nightPath); }, 10000),
              "picking 默认壁纸 hides the night picker");
        // Closing the list without a pick raises nothing.
        send(night, CB_SHOWDROPDOWN, TRUE);
        Sleep(300);
        send(night, CB_SETCURSEL, 1);
        send(night, CB_SHOWDROPDOWN, FALSE);
        Sleep(1000);
        check(!IsWindowVisible(nightButton), "a list closed without a pick changes nothing");
        send(night, CB_SETCURSEL, 0);
    }
    switchPage(tab, 2, 0);

    // Hiding to the notification area and back by a double-click on the icon.
    HWND hide = named(all, "buttonHide").hwnd;
    if (hide) {
        send(hide, BM_CLICK);
        check(waitFor([&] { return !IsWindowVisible(main); }, 10000), "隐藏 hides the window");
        closeStrayMessages();
        PostMessageA(main, WM_APP + 100, 100, WM_LBUTTONUP);
        PostMessageA(main, WM_APP + 100, 100, WM_RBUTTONUP);
        Sleep(1500);
        check(!IsWindowVisible(main), "a single or right click on the icon does nothing");
        PostMessageA(main, WM_APP + 100, 100, WM_LBUTTONDBLCLK);
        check(waitFor([&] { return IsWindowVisible(main) != FALSE; }, 10000), "a double-click brings the window back");
        // Hide and restore once more: the icon is modified, not added twice.
        send(hide, BM_CLICK);
        check(waitFor([&] { return !IsWindowVisible(main); }, 10000), "隐藏 hides the window again");
        closeStrayMessages();
        PostMessageA(main, WM_APP + 100, 100, WM_LBUTTONDBLCLK);
        check(waitFor([&] { return IsWindowVisible(main) != FALSE; }, 10000), "and it comes back again");
    }

    return named(all, "buttonExit").hwnd;
}

// Second start, with a prepared Auto.ini: the saved settings come back into
// the window, the first ticks apply the look of the current period and
// register the program under Run; then saving, a save that cannot be
// written, and a picture converted through the real open-file dialog.
void secondRun(const std::string& folder, const char* temp, const std::string& shots) {
    const std::string ini = folder + "\\Auto.ini";
    // The custom times make the period certain from the clock: light from
    // 0:00 to 23:59 before noon, dark from 1:00 on after noon.
    SYSTEMTIME clock;
    GetLocalTime(&clock);
    const bool morning = clock.wHour < 12;
    const DWORD light = morning ? 1 : 0;
    const char* darkHour = morning ? "23" : "1";
    const char* darkMinute = morning ? "59" : "0";
    const std::string dayPath = "C:\\壁纸\\白天.bmp";
    const std::string settings = std::string("[基础]\r\n开机自启=1\r\n经度=116.4\r\n纬度=39.9\r\n时间自定=0\r\n白时=0\r\n黑时=") +
                                 darkHour + "\r\n白分=0\r\n黑分=" + darkMinute +
                                 "\r\n[个性]\r\n方式=1\r\n白壁=1\r\n黑壁=0\r\n白壁地址=" + dayPath +
                                 "\r\n黑壁地址=\r\n手写=留着\r\n";
    if (!writeFile(ini, settings)) {
        fail("cannot write " + ini);
        return;
    }
    // The opposite look and no Run value before the start.
    writeDword(HKEY_CURRENT_USER, kPersonalize, "AppsUseLightTheme", !light);
    writeDword(HKEY_CURRENT_USER, kPersonalize, "SystemUsesLightTheme", !light);
    deleteValue(HKEY_LOCAL_MACHINE, kRunKey, "DireRavari");

    DWORD thread = 0;
    HWND main = startVelmora(folder, temp, thread);
    HWND tab = main ? tabOf(main) : nullptr;
    if (!tab) {
        if (main) fail("no tab control");
        if (process) TerminateProcess(process, 1);
        return;
    }

    // The registry: the look of the current period and the Run value.
    auto lookIs = [&](DWORD expected) {
        DWORD apps = 2, system = 2;
        return readDword(HKEY_CURRENT_USER, kPersonalize, "AppsUseLightTheme", apps) &&
               readDword(HKEY_CURRENT_USER, kPersonalize, "SystemUsesLightTheme", system) && apps == expected &&
               system == expected;
    };
    check(waitFor([&] { return lookIs(light); }, 20000),
          std::string("the first ticks apply the ") + (light ? "light" : "dark") + " look in the registry");
    std::string run;
    check(readString(HKEY_LOCAL_MACHINE, kRunKey, "DireRavari", run) && run == folder + "\\Velmora.exe",
          "the Run value DireRavari holds the program's path: \"" + run + "\"");

    // The window shows the saved settings, with the lock and the pickers
    // following them.
    std::vector<Expected> all = expectedControls();
    locateAll(all, tab);
    for (const char* name : {"comboLightHour", "comboLightMinute", "comboDarkHour", "comboDarkMinute"})
        named(all, name).enabled = true;
    for (const char* name : {"buttonPickDayWallpaper", "labelDayWallpaperPath"}) named(all, name).visible = true;
    for (const Expected& e : all)
        if (e.hwnd) check((IsWindowEnabled(e.hwnd) != FALSE) == e.enabled, std::string(e.name) + " enabled state (loaded)");
    struct Box {
        const char* name;
        bool checked;
    } boxes[] = {{"checkAutoStart", true}, {"checkFollowSun", false}, {"checkCustomTime", true}};
    for (const Box& b : boxes)
        if (HWND h = named(all, b.name).hwnd) check(isChecked(h) == b.checked, std::string(b.name) + " as loaded");
    struct Text {
        const char* name;
        std::string text;
    } texts[] = {{"editLongitude", "116.4"},
                 {"editLatitude", "39.9"},
                 {"labelDayWallpaperPath", dayPath},
                 {"labelNightWallpaperPath", ""},
                 {"labelConverterFolder", folder}};
    auto checkTexts = [&](int page) {
        for (const Text& t : texts)
            if (HWND h = named(all, t.name).hwnd; h && named(all, t.name).page == page)
                check(textOf(h) == t.text, std::string(t.name) + " reads \"" + textOf(h) + "\", expected \"" + t.text + "\"");
    };
    checkTexts(0);
    struct Selection {
        const char* name;
        int index;
    } selections[] = {{"comboLightHour", 0},     {"comboLightMinute", 0},   {"comboDarkHour", std::atoi(darkHour)},
                      {"comboDarkMinute", std::atoi(darkMinute)}, {"comboChangeMode", 1}, {"comboDayWallpaper", 1},
                      {"comboNightWallpaper", 0}};
    for (const Selection& s : selections)
        if (HWND h = named(all, s.name).hwnd)
            check(send(h, CB_GETCURSEL) == s.index,
                  std::string(s.name) + " selects " + std::to_string(send(h, CB_GETCURSEL)) + ", expected " +
                      std::to_string(s.index));
    checkPageShown(all, 0, "loaded, at start");

    // Sun times and the clock are there as soon as their page shows (the
    // clock has ticked unseen on the first page until now, and must not show
    // a time from then), and the clock keeps running.
    switchPage(tab, 0, 1);
    checkPageShown(all, 1, "loaded, on 基础信息");
    for (const char* name : {"labelSunrise", "labelSunset"})
        if (HWND h = named(all, name).hwnd) check(!textOf(h).empty(), std::string(name) + " is shown");
    std::string clockText;
    if (HWND now = named(all, "labelNow").hwnd) {
        check(clockIsCurrent(now, clockText), "the clock shows the current time: \"" + clockText + "\"");
        const std::string first = clockText;
        check(waitFor([&] { return textOf(now) != first; }, 5000), "the clock runs: \"" + textOf(now) + "\"");
    }
    screenshot(main, shots + "\\loaded-page2");
    switchPage(tab, 1, 2);
    checkPageShown(all, 2, "loaded, on 个性化: the day picker shown, the night picker hidden");
    checkTexts(2);
    screenshot(main, shots + "\\loaded-page3");

    // "保存" writes what the window shows now, including a pick made after
    // the start; a key the program does not know survives.
    HWND night = named(all, "comboNightWallpaper").hwnd;
    if (night) pickItem(night, 1);
    pressAndExpect(named(all, "buttonSave").hwnd, "保存", "配置保存完毕！");
    struct Stored {
        const char* section;
        const char* key;
        std::string value;
    } stored[] = {{"基础", "开机自启", "1"},  {"基础", "经度", "116.4"},     {"基础", "纬度", "39.9"},
                  {"基础", "时间自定", "0"},  {"基础", "白时", "0"},         {"基础", "黑时", darkHour},
                  {"基础", "白分", "0"},      {"基础", "黑分", darkMinute},  {"个性", "方式", "1"},
                  {"个性", "白壁", "1"},      {"个性", "黑壁", "1"},         {"个性", "白壁地址", dayPath},
                  {"个性", "黑壁地址", ""},   {"个性", "手写", "留着"}};
    for (const Stored& s : stored) {
        const std::string value = iniValue(ini, s.section, s.key);
        check(value == s.value, std::string("saved ") + s.section + "/" + s.key + " = \"" + value + "\", expected \"" +
                                    s.value + "\"");
    }

    // A directory in the file's place cannot be written: the save says so.
    const std::string kept = ini + ".kept";
    if (MoveFileA(ini.c_str(), kept.c_str()) && CreateDirectoryA(ini.c_str(), nullptr)) {
        pressAndExpect(named(all, "buttonSave").hwnd, "保存 into a directory named Auto.ini", "配置保存失败！");
        RemoveDirectoryA(ini.c_str());
    } else {
        fail("cannot put a directory in the place of Auto.ini");
    }
    MoveFileA(kept.c_str(), ini.c_str());

    // The converter: a PNG picked through the real open-file dialog becomes
    // 图片1.bmp in the program directory.
    const std::string picture = folder + "-picture.png";
    const int width = 5, height = 3;
    check(writeFile(picture, pngPicture(width, height)), "cannot write the test picture " + picture);
    closeStrayMessages();
    if (HWND pickPicture = named(all, "buttonPickPicture").hwnd) PostMessageA(pickPicture, BM_CLICK, 0, 0);
    HWND dialog = nullptr;
    if (!waitFor([&] { return (dialog = fileDialog()) != nullptr; }, 60000)) {
        fail("选择图片 opened no open-file dialog");
    } else {
        Sleep(1500);
        send(fileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(picture.c_str()));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        check(waitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 30000),
              "the open-file dialog takes the typed path and closes on OK");
    }
    const std::string output = folder + "\\图片1.bmp";
    pressAndExpect(named(all, "buttonConvert").hwnd, "转换", "转换成功！");
    const std::string bmp = readFile(output);
    std::int32_t bmpWidth = 0, bmpHeight = 0;
    if (bmp.size() >= 26) {
        std::memcpy(&bmpWidth, bmp.data() + 18, 4);
        std::memcpy(&bmpHeight, bmp.data() + 22, 4);
    }
    check(bmp.size() > 54 && bmp.compare(0, 2, "BM") == 0, output + " is a BMP file (" + std::to_string(bmp.size()) + " bytes)");
    check(bmpWidth == width && std::abs(bmpHeight) == height,
          "the BMP is " + std::to_string(bmpWidth) + "x" + std::to_string(bmpHeight) + ", like the picture");
    switchPage(tab, 2, 0);

    endVelmora(named(all, "buttonExit").hwnd);
    deleteValue(HKEY_LOCAL_MACHINE, kRunKey, "DireRavari");
    for (const std::string& f : {ini, output, picture}) DeleteFileA(f.c_str());
}

void removeFolder(const std::string& folder) {
    for (const char* name : {"Velmora.exe", "默认白壁纸.bmp", "默认黑壁纸.bmp"}) DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: velmora_e2e <program folder> <screenshot folder>\n");
        return 2;
    }
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string base = std::string(temp) + "velmora-e2e-" + std::to_string(GetCurrentProcessId());
    const std::string shots = argv[2];
    CreateDirectoryA(shots.c_str(), nullptr);

    // Each start has its own copy of the program folder.
    for (const std::string& folder : {base, base + "-settings"}) {
        if (!copyFolder(argv[1], folder)) {
            fail("cannot copy the program folder " + std::string(argv[1]));
            return 1;
        }
        if (folder == base) {
            DWORD thread = 0;
            HWND main = startVelmora(folder, temp, thread);
            if (main) {
                endVelmora(firstRun(main, thread, folder, shots));
            } else if (process) {
                TerminateProcess(process, 1);
                WaitForSingleObject(process, 30000);
            }
        } else {
            secondRun(folder, temp, shots);
        }
        removeFolder(folder);
    }

    note(failures ? std::to_string(failures) + " check(s) failed" : "all checks passed");
    return failures ? 1 : 0;
}
