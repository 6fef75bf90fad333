// velmora-suntimes LONGITUDE LATITUDE YYYY-MM-DD
//
// Runs the sun-time calculator as the timer does, with the two arguments as
// the texts of the longitude and latitude boxes and the given date in place
// of today's, and prints the two label texts in UTF-8, e.g. "4：50 19：46".
#include <cstdio>
#include <cstring>
#include <string>

#include "core/State.h"
#include "sun/Sun.h"
#include "sun/tools/Charset.h"

namespace {

int usage() {
    std::fputs("usage: velmora-suntimes LONGITUDE LATITUDE YYYY-MM-DD\n", stderr);
    return 2;
}

bool digits(const char* p, int count, int& value) {
    value = 0;
    for (int i = 0; i < count; ++i) {
        if (p[i] < '0' || p[i] > '9') return false;
        value = value * 10 + (p[i] - '0');
    }
    return true;
}

// A calendar date that exists (Gregorian rules).
bool parseDate(const char* text, int& year, int& month, int& day) {
    if (std::strlen(text) != 10 || text[4] != '-' || text[7] != '-') return false;
    if (!digits(text, 4, year) || !digits(text + 5, 2, month) || !digits(text + 8, 2, day)) return false;
    if (month < 1 || month > 12 || day < 1) return false;
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int length = month == 2 && leap ? 29 : lengths[month - 1];
    return day <= length;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return usage();
    int year = 0, month = 0, day = 0;
    if (!parseDate(argv[3], year, month, day)) return usage();
    using namespace velmora;
    createMonthTables();
    controls().editLongitude.setText(tools::argumentToGbk(argv[1]));
    controls().editLatitude.setText(tools::argumentToGbk(argv[2]));
    sunTickOn(year, month, day);
    const std::string line =
        tools::gbkToUtf8(controls().labelSunrise.text()) + " " + tools::gbkToUtf8(controls().labelSunset.text()) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    releaseMonthTables();
    return 0;
}
