// Windows: the C runtime hands the arguments over in the ANSI code page,
// which is GBK (936) on the systems the program is made for.
#include <windows.h>

#include <vector>

#include "sun/tools/Charset.h"

namespace velmora::tools {

std::string argumentToGbk(const char* argument) { return argument; }

std::string gbkToUtf8(const std::string& text) {
    if (text.empty()) return text;
    const int wide = MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::vector<wchar_t> w(static_cast<std::size_t>(wide));
    MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), w.data(), wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace velmora::tools
