// The stand-in's profile reader and writer on any file: the file's bytes,
// then writes of sections, keys and values taken from the input. After the
// writes every value read back is the last one written under that section
// and key, as the profile rules give it back (without the blanks around it,
// without one pair of enclosing quotation marks, cut to 10 239 bytes), and
// every other key (the file's own among them) reads as it did before.
//
// Input: two bytes of file length (little-endian, cut to what is there),
// the file's bytes, then NUL-separated section, key and value texts, three
// per write. Names are made well-formed GBK without line ends, a key
// without '=' and not opening with '[', a section without ']' (what a
// profile line can hold at all); values keep any byte but NUL and the line
// ends, which no single line can hold.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/FuzzText.h"
#include "platform/Profile.h"
#include "platform/standin/StandIn.h"

using namespace velmora;
using namespace velmora::fuzz;

namespace {

const std::string& profilePath() {
    static const std::string path = [] {
        char pattern[] = "/tmp/velmora-fuzz-profile-XXXXXX";
        const char* dir = mkdtemp(pattern);
        if (!dir) fail("cannot make a temporary directory");
        return std::string(dir) + "/Auto.ini";
    }();
    return path;
}

bool blank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

std::string trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && blank(s[b])) ++b;
    while (e > b && blank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// Well-formed GBK only: a lead byte 81..FE keeps a trail byte 40..FE (not
// 7F) after it, anything else of 80 and above goes; so do the bytes in drop.
std::string wellFormedName(const std::string& raw, const char* drop) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto b = static_cast<unsigned char>(raw[i]);
        if (b >= 0x81 && b <= 0xFE && i + 1 < raw.size()) {
            const auto t = static_cast<unsigned char>(raw[i + 1]);
            if (t >= 0x40 && t <= 0xFE && t != 0x7F) {
                out += raw[i];
                out += raw[++i];
            }
            continue;
        }
        if (b >= 0x80 || b == '\r' || b == '\n' || std::string(drop).find(static_cast<char>(b)) != std::string::npos)
            continue;
        out += raw[i];
    }
    return out;
}

// How names compare: blanks around them do not count, nor the case of ASCII
// letters; a two-byte character counts as it is.
std::string nameKey(const std::string& name) {
    std::string t = trim(name.substr(0, name.find('\0'))), out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const auto b = static_cast<unsigned char>(t[i]);
        if (b >= 0x80 && i + 1 < t.size()) {
            out += t[i];
            out += t[++i];
        } else {
            out += b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : t[i];
        }
    }
    return out;
}

std::string readBack(const std::string& written) {
    std::string v = trim(written);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
    if (v.size() > platform::kProfileBufferSize - 1) v.resize(platform::kProfileBufferSize - 1);
    return v;
}

std::string next(const std::string& input, std::size_t& at) {
    if (at >= input.size()) return {};
    const std::size_t end = input.find('\0', at);
    std::string piece = input.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? input.size() : end + 1;
    return piece;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::string input(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::size_t fileLength = std::min<std::size_t>(data[0] | (data[1] << 8), input.size());
    const std::string file = input.substr(0, fileLength);
    {
        std::ofstream out(profilePath(), std::ios::binary | std::ios::trunc);
        out.write(file.data(), static_cast<std::streamsize>(file.size()));
    }

    // The keys of the file, as a plain line reader sees them.
    std::vector<std::pair<std::string, std::string>> probes;
    {
        std::string section;
        std::size_t start = 0;
        while (start <= file.size()) {
            std::size_t end = file.find('\n', start);
            if (end == std::string::npos) end = file.size();
            std::string line = trim(file.substr(start, end - start));
            if (!line.empty() && line[0] == '[') {
                const std::size_t close = line.find(']');
                if (close != std::string::npos) section = line.substr(1, close - 1);
            } else if (const std::size_t eq = line.find('='); eq != std::string::npos && eq > 0 && !section.empty()) {
                probes.emplace_back(section, trim(line.substr(0, eq)));
            }
            start = end + 1;
            if (probes.size() > 16) break;
        }
    }

    struct Write {
        std::string section, key, value;
    };
    std::vector<Write> writes;
    for (std::size_t at = fileLength; at < input.size() && writes.size() < 16;) {
        Write w;
        w.section = wellFormedName(next(input, at), "]");
        w.key = wellFormedName(next(input, at), "=");
        // After the blanks that do not count, a key may not open with '['.
        for (;;) {
            std::size_t p = 0;
            while (p < w.key.size() && blank(w.key[p])) ++p;
            if (p == w.key.size() || w.key[p] != '[') break;
            w.key.erase(p, 1);
        }
        w.value = next(input, at);
        std::string value;
        for (char ch : w.value)
            if (ch != '\r' && ch != '\n') value += ch;
        w.value = value;
        writes.push_back(std::move(w));
        probes.emplace_back(writes.back().section, writes.back().key);
    }

    std::map<std::pair<std::string, std::string>, std::string> before;
    for (const auto& [section, key] : probes)
        before.emplace(std::make_pair(section, key), platform::readProfileString(profilePath(), section, key));

    std::map<std::pair<std::string, std::string>, std::string> written;  // by name keys
    for (const Write& w : writes) {
        if (trim(w.section).empty() || trim(w.key).empty()) {
            // Nothing to write under: the file stays as it is.
            check(!platform::writeProfileString(profilePath(), w.section, w.key, w.value), "a write without a name");
            continue;
        }
        check(platform::writeProfileString(profilePath(), w.section, w.key, w.value), "write failed");
        written[{nameKey(w.section), nameKey(w.key)}] = readBack(w.value);
    }

    for (const auto& [probe, old] : before) {
        const std::string now = platform::readProfileString(profilePath(), probe.first, probe.second);
        const auto w = written.find({nameKey(probe.first), nameKey(probe.second)});
        const std::string detail = "section " + hex(probe.first) + "\nkey " + hex(probe.second) + "\nread " +
                                   hex(now.substr(0, 64)) + "\nfile " + hex(file.substr(0, 256));
        if (w != written.end())
            check(now == w->second, "a written value does not read back", detail + "\nwrote " + hex(w->second.substr(0, 64)));
        else
            check(now == old, "a key not written changed", detail + "\nwas " + hex(old.substr(0, 64)));
    }
    standin::state().calls.clear();
    return 0;
}
