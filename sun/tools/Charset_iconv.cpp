// Linux: arguments arrive in UTF-8; iconv converts both ways.
#include <iconv.h>

#include <cstring>

#include "sun/tools/Charset.h"

namespace velmora::tools {
namespace {

std::string convert(const char* to, const char* from, const std::string& text) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return text;
    std::string in = text, out(text.size() * 4 + 4, '\0');
    char* inp = in.data();
    char* outp = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<std::size_t>(-1)) break;
        // A sequence the target cannot hold: keep a '?' in its place.
        ++inp;
        --inLeft;
        if (outLeft == 0) break;
        *outp++ = '?';
        --outLeft;
    }
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

std::string argumentToGbk(const char* argument) { return convert("GBK", "UTF-8", argument); }
std::string gbkToUtf8(const std::string& text) { return convert("UTF-8", "GBK", text); }

}  // namespace velmora::tools
