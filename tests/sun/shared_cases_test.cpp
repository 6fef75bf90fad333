// Built into the native tests and into the Windows test program run under
// Wine: the same places and dates must give the same minutes in both
// builds, and the sine, cosine and arctangent the same bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/State.h"
#include "sun/Sun.h"
#include "sun/SunMath.h"

namespace velmora {
namespace {

struct SunCase {
    const char* longitude;
    const char* latitude;
    std::int32_t year, month, day;
    std::int32_t sunriseHour, sunriseMinute, sunsetHour, sunsetMinute;
    const char* sunrise;
    const char* sunset;
};

// Both hemispheres, both signs of longitude, polar day and night, dates
// from 2000 to 2031. The first seven rows are the calculator's reference
// examples; the eighth never settles and ends at the pass limit.
const SunCase kSunCases[] = {
    {"116.4", "39.9", 2020, 6, 30, 4, 50, 19, 46, "4：50", "19：46"},
    {"-74.0", "40.7", 2021, 2, 15, 6, 46, 17, 33, "6：46", "17：33"},
    {"0.0", "90.0", 2021, 6, 21, 13, 2, 13, 2, "13：2", "13：2"},
    {"20.0", "70.0", 2021, 6, 21, 12, 42, 12, 42, "12：42", "12：42"},
    {"20.0", "70.0", 2021, 12, 21, 12, 38, 12, 38, "12：38", "12：38"},
    {"0.0", "65.0", 2021, 6, 21, 2, 1, 24, 2, "2：1", "24：2"},
    {"-15.1", "65.5", 2021, 6, 21, 0, -22, 22, 27, "0：-22", "22：27"},
    {"-120.0", "75.0", 2020, 4, 25, 10, 57, 10, 57, "10：57", "10：57"},
    {"151.21", "-33.87", 2019, 12, 22, 5, 42, 20, 6, "5：42", "20：6"},
    {"-58.38", "-34.6", 2023, 7, 1, 7, 1, 16, 54, "7：1", "16：54"},
    {"18.42", "-33.92", 2024, 2, 29, 6, 35, 19, 21, "6：35", "19：21"},
    {"-43.17", "-22.91", 2022, 3, 20, 5, 57, 18, 2, "5：57", "18：2"},
    {"174.76", "-36.85", 2025, 9, 23, 6, 6, 18, 19, "6：6", "18：19"},
    {"-70.65", "-33.45", 2018, 11, 5, 4, 37, 18, 15, "4：37", "18：15"},
    {"139.69", "35.69", 2024, 1, 15, 7, 50, 17, 51, "7：50", "17：51"},
    {"-0.13", "51.51", 2022, 10, 30, 5, 53, 15, 34, "5：53", "15：34"},
    {"2.35", "48.86", 2023, 3, 26, 6, 37, 19, 14, "6：37", "19：14"},
    {"-122.42", "37.77", 2026, 8, 12, 4, 24, 18, 4, "4：24", "18：4"},
    {"37.62", "55.75", 2017, 5, 9, 4, 25, 20, 26, "4：25", "20：26"},
    {"103.85", "1.29", 2020, 2, 29, 6, 14, 18, 19, "6：14", "18：19"},
    {"-149.9", "61.22", 2024, 6, 20, 2, 20, 21, 42, "2：20", "21：42"},
    {"25.47", "65.01", 2023, 12, 1, 9, 52, 14, 22, "9：52", "14：22"},
    {"-68.3", "-54.8", 2021, 12, 21, 2, 52, 20, 12, "2：52", "20：12"},
    {"166.67", "-77.85", 2022, 10, 25, 12, 37, 12, 37, "12：37", "12：37"},
    {"-21.9", "64.15", 2025, 3, 1, 6, 27, 16, 51, "6：27", "16：51"},
    {"77.2", "28.61", 2009, 7, 22, 6, 8, 19, 47, "6：8", "19：47"},
    {"-157.86", "21.31", 2031, 4, 4, 5, 19, 17, 47, "5：19", "17：47"},
    {"31.24", "30.04", 2000, 1, 1, 7, 51, 18, 6, "7：51", "18：6"},
    {"-99.13", "19.43", 2019, 1, 31, 6, 10, 17, 29, "6：10", "17：29"},
    {"121.47", "31.23", 2027, 11, 11, 7, 19, 17, 57, "7：19", "17：57"},
    {"１１６．４", "　39.9", 2020, 6, 30, 4, 50, 19, 46, "4：50", "19：46"},
};

TEST(SunShared, EveryPlaceGivesTheSameMinutes) {
    for (const SunCase& c : kSunCases) {
        SCOPED_TRACE(std::string(c.longitude) + " " + c.latitude + " " + std::to_string(c.year) + "-" +
                     std::to_string(c.month) + "-" + std::to_string(c.day));
        resetProgramState();
        createMonthTables();
        controls().editLongitude.setText(c.longitude);
        controls().editLatitude.setText(c.latitude);
        sunTickOn(c.year, c.month, c.day);
        const SwitchState& s = switchState();
        EXPECT_EQ(s.sunriseHour, c.sunriseHour);
        EXPECT_EQ(s.sunriseMinute, c.sunriseMinute);
        EXPECT_EQ(s.sunsetHour, c.sunsetHour);
        EXPECT_EQ(s.sunsetMinute, c.sunsetMinute);
        EXPECT_EQ(controls().labelSunrise.text(), c.sunrise);
        EXPECT_EQ(controls().labelSunset.text(), c.sunset);
        EXPECT_EQ(s.todayYear, c.year);
        EXPECT_EQ(s.todayMonth, c.month);
        EXPECT_EQ(s.todayDay, c.day);
        releaseMonthTables();
    }
}

struct MathCase {
    double x, sin, cos, atan;
};

// Correctly rounded values (from a 1500-bit evaluation). The first rows are
// arguments on which the C library of the build machine is one unit off;
// then the calculator's own constants, huge arguments (Payne-Hanek
// reduction) and the double with the closest approach to a multiple of pi/2.
const MathCase kMathCases[] = {
    {0x1.5af0009d59318p+6, -0x1.e29764dd5d387p-1, 0x1.560ccf543916bp-2, 0x1.8f2c25b30ab04p+0},
    {-0x1.aeffdba0af780p+4, -0x1.f20e0cea9918bp-1, -0x1.daba0020cb604p-3, -0x1.889fee4072f69p+0},
    {0x1.9a76e501831a0p+6, 0x1.bdc1284b0ed63p-1, -0x1.f7c5fcd74869bp-2, 0x1.8fa1137c84664p+0},
    {0x1.266ff803b15aap+9, -0x1.f847ddf0b1affp-1, -0x1.62496a45b1913p-3, 0x1.91b06aff8b9c1p+0},
    {0x1.e36d690e69664p+8, -0x1.79cf5247fb795p-2, 0x1.dbe083c85f6dap-1, 0x1.9198249680434p+0},
    {0x1.64cb9e7cd52b8p+8, -0x1.f3234a4623bb3p-1, 0x1.c82a3b0c28fc7p-3, 0x1.9168076fc1a42p+0},
    {0x1.b5e8a17805868p+8, -0x1.e218b36a03332p-1, -0x1.58d48bbf97b5fp-2, 0x1.918a0d33c77fbp+0},
    {-0x1.3c65987792694p+9, 0x1.f1a9d1481323cp-1, -0x1.e140651299be5p-3, -0x1.91b8245b9f0d7p+0},
    {-0x1.b520276b3e394p+7, 0x1.f36c275a7bcf1p-1, 0x1.c3272cea59a19p-3, -0x1.90f3dc4483b9cp+0},
    {0x1.4ba8cbe797938p+9, -0x1.b6a2fd769236fp-2, -0x1.cea5f8238d1c0p-1, 0x1.91bce8717a87fp+0},
    {0x1.1e9448c0590a8p+9, 0x1.f786aed9e4968p-1, 0x1.730fffd524b3dp-3, 0x1.91ad5dc85ce96p+0},
    {-0x1.1826e93f5d82bp+9, -0x1.c86a176d08ce7p-1, 0x1.d0067c2df3698p-2, -0x1.91aabe3d142d3p+0},
    {-0x1.ac911678167acp+3, -0x1.788dc4189ee36p-1, 0x1.5aeab26bce9cbp-1, -0x1.7f0b5d1779831p+0},
    {0x1.ae8fe78cf42e0p+3, 0x1.8d70abea552edp-1, 0x1.42c70dafb8346p-1, 0x1.7f21ea91155e2p+0},
    {0x1.b5a68fb697e80p-1, 0x1.8244be5fe0de3p-1, 0x1.5010ff5b87523p-1, 0x1.6a1ecd6c829aep-1},
    {0x1.fa0db59600a00p-4, 0x1.f8c461fb09884p-4, 0x1.fc18eb6314c56p-1, 0x1.f780866c9ec53p-4},
    {0x1.034dbb2204c00p-3, 0x1.029c837636773p-3, 0x1.fbe6cd99d0227p-1, 0x1.01ee6297f35b8p-3},
    {-0x1.d2cb0116e7ba0p+1, 0x1.ef9f6b04b000bp-2, -0x1.c0086fb25cce2p-1, -0x1.4d9c1cc1b2686p+0},
    {0x1.921fb54411744p+2, -0x1.8aea234c4c663p-33, 0x1.0000000000000p+0, 0x1.69b8154baa622p+0},
    {-0x1.921fb54411744p+2, 0x1.8aea234c4c663p-33, 0x1.0000000000000p+0, -0x1.69b8154baa622p+0},
    {0x1.e848000000000p+19, -0x1.6664b2568d867p-2, 0x1.df9df9906d32cp-1, 0x1.921fa47d4b30dp+0},
    {0x1.921fb54411744p+1, 0x1.8aea234c4c663p-34, -0x1.0000000000000p+0, 0x1.433b8a3224c7fp+0},
    {0x1.0000000000000p-1, 0x1.eaee8744b05f0p-2, 0x1.c1528065b7d50p-1, 0x1.dac670561bb4fp-2},
    {0x1.12e0be826d695p-30, 0x1.12e0be826d695p-30, 0x1.0000000000000p+0, 0x1.12e0be826d695p-30},
    {0x1.6300000000000p+8, -0x1.f9bd0307d1de3p-16, -0x1.fffffffc18e4cp-1, 0x1.916719a0d5f4ep+0},
    {0x1.6300000000000p+9, 0x1.f9bd0303f6fafp-15, 0x1.fffffff063930p-1, 0x1.91c367668c617p+0},
    {0x1.a2e943c5bef03p-2, 0x1.9752ee9c776d2p-2, 0x1.d5c03364738edp-1, 0x1.8da3e1e961eafp-2},
    {0x1.0f0cf064dd592p+73, -0x1.b453ab76bf397p-1, 0x1.0be2cef01c8f4p-1, 0x1.921fb54442d18p+0},
    {-0x1.0f0cf064dd592p+73, 0x1.b453ab76bf397p-1, 0x1.0be2cef01c8f4p-1, -0x1.921fb54442d18p+0},
    {0x1.18b54dcae3800p+50, 0x1.df19c73fabae9p-2, -0x1.c480f4cf5072bp-1, 0x1.921fb54442d15p+0},
    {0x1.7e43c8800759cp+996, -0x1.a2c16b010e385p-1, -0x1.2699022adc4c1p-1, 0x1.921fb54442d18p+0},
    {0x1.fffffffffffffp+1023, 0x1.452fc98b34e97p-8, -0x1.fffe62ecfab75p-1, 0x1.921fb54442d18p+0},
    {0x1.6ac5b262ca1ffp+849, 0x1.0000000000000p+0, -0x1.14ae72e6ba22fp-61, 0x1.921fb54442d18p+0},
    {0x1.921fb54442d18p-1, 0x1.6a09e667f3bccp-1, 0x1.6a09e667f3bcdp-1, 0x1.54e04c05d06a0p-1},
    {0x1.921fb54442d18p+0, 0x1.0000000000000p+0, 0x1.1a62633145c07p-54, 0x1.00fe987ed02ffp+0},
    {0x1.0000000000000p-30, 0x1.0000000000000p-30, 0x1.0000000000000p+0, 0x1.0000000000000p-30},
    {0x1.2a05f20000000p+33, -0x1.f334c7896a4e3p-2, 0x1.bf098901c931ap-1, 0x1.921fb543d4de0p+0},
    {0x1.0000000000000p+0, 0x1.aed548f090ceep-1, 0x1.14a280fb5068cp-1, 0x1.921fb54442d18p-1},
    {-0x1.0000000000000p+0, -0x1.aed548f090ceep-1, 0x1.14a280fb5068cp-1, -0x1.921fb54442d18p-1},
    {0x1.9000000000000p+6, -0x1.03425b78c4db8p-1, 0x1.b981dbf665fdfp-1, 0x1.8f905eb2def22p+0},
    {0x1.1e1a300000000p+28, -0x1.c219eed2e54c4p-2, 0x1.cbe31d447d1e2p-1, 0x1.921fb535f1c7ap+0},
    {0x0.012688b70e62bp-1022, 0x0.012688b70e62bp-1022, 0x1.0000000000000p+0, 0x0.012688b70e62bp-1022},
};

TEST(SunShared, SineCosineArctangentAreCorrectlyRounded) {
    for (const MathCase& c : kMathCases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(sunmath::sin(c.x), c.sin);
        EXPECT_EQ(sunmath::cos(c.x), c.cos);
        EXPECT_EQ(sunmath::atan(c.x), c.atan);
    }
}

}  // namespace
}  // namespace velmora
