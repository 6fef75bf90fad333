// Profile (INI) files as the program relies on them, checked against
// whichever backend this build has: the stand-in's own reader and writer
// natively, the Windows profile functions under Wine. One table of cases
// keeps the two from drifting apart.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/Profile.h"
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velmora::platform {
namespace {

std::string tempFile(const std::string& name) {
#ifdef _WIN32
    char buffer[MAX_PATH];
    GetTempPathA(sizeof buffer, buffer);
    return std::string(buffer) + "velmora-" + std::to_string(GetCurrentProcessId()) + "-" + name + ".ini";
#else
    return "/tmp/velmora-" + std::to_string(::getpid()) + "-" + name + ".ini";
#endif
}

void writeRaw(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string readRaw(const std::string& path) {
    std::string bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char chunk[4096];
        std::size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
        std::fclose(f);
    }
    return bytes;
}

std::size_t occurrences(const std::string& text, const std::string& piece) {
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
    return count;
}

struct Write {
    std::string section, key, value;
};
struct Read {
    std::string section, key, expected;
    std::string pathPrefix = "";  // put before the file's path
};

struct IniCase {
    const char* name;
    std::optional<std::string> initial;  // nothing: the file does not exist
    std::vector<Write> writes;
    std::vector<Read> reads;
    // Pieces that must stand in the file in this order after the writes,
    // each exactly once.
    std::vector<std::string> fileOrder;
    std::vector<std::string> fileLacks;
};

const std::string kLong(12000, 'a');
const std::string kTwoSections = "[s]\r\na=1\r\nb=2\r\n[t]\r\nc=3\r\n";

const IniCase kCases[] = {
    {"AbsentFileReadsEmpty", std::nullopt, {}, {{"基础", "经度", ""}}, {}, {}},
    {"WriteCreatesTheFile", std::nullopt, {{"基础", "经度", "116.4"}, {"基础", "纬度", "39.9"}},
     {{"基础", "经度", "116.4"}, {"基础", "纬度", "39.9"}}, {"[基础]", "经度=116.4", "纬度=39.9"}, {}},
    {"NamesIgnoreAsciiCase", "[Basic]\r\nLongKey=v\r\n", {}, {{"bASIC", "LONGKEY", "v"}}, {}, {}},
    {"MissingSectionOrKeyReadsEmpty", "[s]\r\nk=v\r\n", {}, {{"s", "other", ""}, {"other", "k", ""}}, {}, {}},
    {"BlanksAroundValueAndNameDropped", "[s]\r\n  k  =   two words  \r\nt=\t7\t\r\n", {},
     {{"s", "k", "two words"}, {"s", "t", "7"}}, {}, {}},
    {"OnePairOfQuotesDropped", "[s]\r\nq=\"quoted\"\r\nd=\"\"x\"\"\r\no=\"open\r\nm=in\"side\"\r\n", {},
     {{"s", "q", "quoted"}, {"s", "d", "\"x\""}, {"s", "o", "\"open"}, {"s", "m", "in\"side\""}}, {}, {}},
    {"LeadingBlanksOfArgumentsSkipped", "[s]\r\nk=v\r\n", {},
     {{" \ts", "  k", "v"}, {"s", "k", "v", " \t"}, {"  ", "k", ""}, {"s", " ", ""}}, {}, {}},
    // How a new key named with trailing blanks is spelt in the file is the
    // backend's own (Windows keeps the blanks, the stand-in drops them); it
    // reads back under either spelling.
    {"TrailingBlanksOfNamesDoNotCount", "[x]\r\nk=1\r\n", {{"x ", "k \t", "2"}, {" x", "ku ", "3"}},
     {{"x ", "k ", "2"}, {"x", "k", "2"}, {"x\t", "ku ", "3"}, {"X", "KU", "3"}}, {"[x]", "k=2", "ku"}, {"k=1", "[x "}},
    {"ExistingKeyReplacedInPlace", kTwoSections, {{"S", "A", "9"}}, {{"s", "a", "9"}},
     {"[s]", "a=9", "b=2", "[t]", "c=3"}, {"a=1"}},
    {"NewKeyAtEndOfItsSection", kTwoSections, {{"s", "new", "x"}}, {{"s", "new", "x"}, {"t", "c", "3"}},
     {"[s]", "a=1", "b=2", "new=x", "[t]", "c=3"}, {}},
    {"NewSectionAtEndOfFile", kTwoSections, {{"u", "k", "v"}}, {{"u", "k", "v"}},
     {"[s]", "a=1", "[t]", "c=3", "[u]", "k=v"}, {}},
    {"UnknownKeysAndSectionsSurviveRepeatedWrites", "[基础]\r\n手加=hand\r\n[其他]\r\nx=1\r\n",
     {{"基础", "经度", "116"}, {"基础", "经度", "117"}, {"个性", "方式", "1"}, {"个性", "方式", "2"}},
     {{"基础", "手加", "hand"}, {"其他", "x", "1"}, {"基础", "经度", "117"}, {"个性", "方式", "2"}},
     {"[基础]", "手加=hand", "经度=117", "[其他]", "x=1", "[个性]", "方式=2"}, {"116", "方式=1"}},
    {"LongValueCutTo10239Bytes", "[s]\r\nlong=" + kLong + "\r\n", {}, {{"s", "long", kLong.substr(0, 10239)}}, {},
     {}},
    {"GbkValuesPassThrough", "[个性]\r\n白壁地址=C:\\壁纸\\夜色.bmp\r\n", {{"个性", "黑壁地址", "D:\\图片\\黑.bmp"}},
     {{"个性", "白壁地址", "C:\\壁纸\\夜色.bmp"}, {"个性", "黑壁地址", "D:\\图片\\黑.bmp"}}, {}, {}},
};

class ProfileConformance : public ::testing::TestWithParam<IniCase> {};

TEST_P(ProfileConformance, BehavesAsTheWindowsProfileFunctions) {
    const IniCase& c = GetParam();
    const std::string path = tempFile(c.name);
    std::remove(path.c_str());
    if (c.initial) writeRaw(path, *c.initial);

    for (const Write& w : c.writes)
        EXPECT_TRUE(writeProfileString(path, w.section, w.key, w.value)) << w.section << "/" << w.key;
    for (const Read& r : c.reads)
        EXPECT_EQ(readProfileString(r.pathPrefix + path, r.section, r.key), r.expected) << r.section << "/" << r.key;

    const std::string file = readRaw(path);
    std::size_t at = 0;
    for (const std::string& piece : c.fileOrder) {
        EXPECT_EQ(occurrences(file, piece), 1u) << piece << " in\n" << file;
        const std::size_t found = file.find(piece, at);
        EXPECT_NE(found, std::string::npos) << piece << " out of order in\n" << file;
        if (found != std::string::npos) at = found + piece.size();
    }
    for (const std::string& piece : c.fileLacks) EXPECT_EQ(file.find(piece), std::string::npos) << piece;
    std::remove(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Ini, ProfileConformance, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileWrite, FailsWhenTheFileCannotBeWritten) {
    // A directory of the file's name cannot be written as a file.
    const std::string path = tempFile("directory");
#ifdef _WIN32
    CreateDirectoryA(path.c_str(), nullptr);
#else
    ::mkdir(path.c_str(), 0700);
#endif
    EXPECT_FALSE(writeProfileString(path, "基础", "经度", "1"));
    EXPECT_EQ(readProfileString(path, "基础", "经度"), "");
#ifdef _WIN32
    RemoveDirectoryA(path.c_str());
#else
    ::rmdir(path.c_str());
#endif
}

}  // namespace
}  // namespace velmora::platform
