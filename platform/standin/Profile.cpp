// The stand-in's own profile (INI) reader and writer. It works on the file's
// text line by line and changes only the line it writes, so that everything
// else in the file (unknown keys and sections, comments, blank lines) stays
// as it was. Names and values are GBK: a byte of 0x80 or above leads a
// two-byte character whose trail byte is never taken for a bracket, an
// equals sign or an ASCII letter.
#include <optional>
#include <vector>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "platform/standin/StandIn.h"

namespace velmora::platform {
namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }
bool isLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }

std::string skipLeadingControls(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] != '\0' && isBlank(text[i])) ++i;
    // A text ends at its NUL, as the Windows functions see it.
    const std::size_t end = text.find('\0', i);
    return text.substr(i, end == std::string::npos ? std::string::npos : end - i);
}

std::string trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Equal but for the case of ASCII letters; two-byte characters compare exactly.
bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (isLead(a[i]) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// The first occurrence of c that is not the trail byte of a character.
std::size_t findSingle(const std::string& text, char c, std::size_t from = 0) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (isLead(text[i])) {
            ++i;
            continue;
        }
        if (text[i] == c) return i;
    }
    return std::string::npos;
}

enum class LineKind { Other, Section, Key };

struct Line {
    std::string text;  // without its line end
    LineKind kind = LineKind::Other;
    std::string name;   // section or key name
    std::string value;  // a key's value, trimmed
};

Line parse(std::string text) {
    Line line;
    line.text = std::move(text);
    const std::string body = trim(line.text);
    if (!body.empty() && body[0] == '[') {
        const std::size_t close = findSingle(body, ']', 1);
        if (close != std::string::npos) {
            line.kind = LineKind::Section;
            line.name = body.substr(1, close - 1);
        }
        return line;
    }
    const std::size_t equals = findSingle(body, '=');
    if (equals != std::string::npos && equals > 0) {
        line.kind = LineKind::Key;
        line.name = trim(body.substr(0, equals));
        line.value = trim(body.substr(equals + 1));
    }
    return line;
}

std::vector<Line> load(const std::string& file) {
    std::vector<Line> lines;
    const auto bytes = readWholeFile(file);
    if (!bytes) return lines;
    std::string text(bytes->begin(), bytes->end());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string piece = text.substr(start, end - start);
        if (!piece.empty() && piece.back() == '\r') piece.pop_back();
        lines.push_back(parse(std::move(piece)));
        start = end + 1;
    }
    return lines;
}

// The index of the first section of that name.
std::optional<std::size_t> findSection(const std::vector<Line>& lines, const std::string& section) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == LineKind::Section && sameName(lines[i].name, section)) return i;
    return std::nullopt;
}

// Within the section that starts at line s: the key's line, or where a new
// key goes (after the section's last line that is not blank).
struct KeyPlace {
    std::optional<std::size_t> found;
    std::size_t insertAt;
};

KeyPlace findKey(const std::vector<Line>& lines, std::size_t s, const std::string& key) {
    KeyPlace place{std::nullopt, s + 1};
    for (std::size_t i = s + 1; i < lines.size() && lines[i].kind != LineKind::Section; ++i) {
        if (lines[i].kind == LineKind::Key && sameName(lines[i].name, key) && !place.found) place.found = i;
        if (!trim(lines[i].text).empty()) place.insertAt = i + 1;
    }
    return place;
}

std::string unquote(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

void log(const std::string& call, bool ok) { standin::state().calls.push_back(call + (ok ? " = ok" : " = fail")); }

}  // namespace

std::string readProfileString(const std::string& file, const std::string& section, const std::string& key) {
    const std::string path = skipLeadingControls(file);
    // Blanks after the names do not count either, as in the file's lines.
    const std::string sectionName = trim(skipLeadingControls(section));
    const std::string keyName = trim(skipLeadingControls(key));
    std::string result;
    bool found = false;
    if (!path.empty() && !sectionName.empty() && !keyName.empty()) {
        const std::vector<Line> lines = load(path);
        if (auto s = findSection(lines, sectionName)) {
            if (auto k = findKey(lines, *s, keyName).found) {
                result = unquote(lines[*k].value);
                found = true;
            }
        }
    }
    if (result.size() > kProfileBufferSize - 1) result.resize(kProfileBufferSize - 1);
    log("GetPrivateProfileStringA(" + section + ", " + key + ")", found);
    return result;
}

bool writeProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
    const std::string path = skipLeadingControls(file);
    // Blanks after the names do not count either, as in the file's lines.
    const std::string sectionName = trim(skipLeadingControls(section));
    const std::string keyName = trim(skipLeadingControls(key));
    bool ok = false;
    if (!path.empty() && !sectionName.empty() && !keyName.empty()) {
        std::vector<Line> lines = load(path);
        if (auto s = findSection(lines, sectionName)) {
            const KeyPlace place = findKey(lines, *s, keyName);
            if (place.found) {
                // The name keeps its spelling in the file; only the value changes.
                lines[*place.found] = parse(lines[*place.found].name + "=" + value);
            } else {
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.insertAt), parse(keyName + "=" + value));
            }
        } else {
            lines.push_back(parse("[" + sectionName + "]"));
            lines.push_back(parse(keyName + "=" + value));
        }
        std::vector<unsigned char> bytes;
        for (const Line& line : lines) {
            bytes.insert(bytes.end(), line.text.begin(), line.text.end());
            bytes.push_back('\r');
            bytes.push_back('\n');
        }
        ok = writeWholeFile(path, bytes);
    }
    log("WritePrivateProfileStringA(" + section + ", " + key + ", " + value + ")", ok);
    return ok;
}

}  // namespace velmora::platform
