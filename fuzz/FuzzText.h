#pragma once
// Helpers shared by the fuzz targets: an independent reading of the
// full-width rule, so that the targets can check the program's readers
// against it, and a check that stops the run with a message.
#include <cstdio>
#include <cstdlib>
#include <string>

namespace velmora::fuzz {

[[noreturn]] inline void fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "FUZZ CHECK FAILED: %s\n%s\n", what, detail.c_str());
    std::abort();
}

inline void check(bool ok, const char* what, const std::string& detail = {}) {
    if (!ok) fail(what, detail);
}

// Bytes as hex, for failure messages.
inline std::string hex(const std::string& bytes) {
    std::string out;
    char b[4];
    for (unsigned char c : bytes) {
        std::snprintf(b, sizeof b, "%02X ", c);
        out += b;
    }
    return out;
}

// Full-width forms to ASCII, up to the first NUL: ideographic space to a
// blank, full-width tilde to '~', the two stars to '*', A3 A1..A3 FE to the
// ASCII character 0x21..0x7E; every other pair unchanged; a lead byte
// without a trail byte ends the text.
inline std::string halfWidth(const std::string& text) {
    std::string out;
    const std::string t = text.substr(0, text.find('\0'));
    for (std::size_t i = 0; i < t.size(); ++i) {
        const auto lead = static_cast<unsigned char>(t[i]);
        if (lead < 0x80) {
            out += t[i];
            continue;
        }
        if (i + 1 >= t.size()) break;
        const auto trail = static_cast<unsigned char>(t[++i]);
        if (lead == 0xA1 && trail == 0xA1) out += ' ';
        else if (lead == 0xA1 && trail == 0xAB) out += '~';
        else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) out += '*';
        else if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) out += static_cast<char>(trail - 0x80);
        else {
            out += static_cast<char>(lead);
            out += static_cast<char>(trail);
        }
    }
    return out;
}

inline bool isCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace velmora::fuzz
