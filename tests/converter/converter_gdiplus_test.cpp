// The converter against the real GDI+ of Windows: the pictures it decodes
// become BMP files of the same size.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "converter/Converter.h"
#include "tests/converter/TestPictures.h"

namespace velmora::testing {
namespace {

const std::vector<unsigned char> kUntouched = {7, 7, 7};

std::string tempName(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "velmora-converter-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(ConverterGdiplus, EveryDecodableFormatBecomesABmpOfTheSameSize) {
    const Pixels source = pattern(7, 5);
    const auto bmp = encodeBmp(source);
    // TIFF has no stb encoder: GDI+ itself makes it from the BMP.
    std::vector<unsigned char> gifByGdiplus, tiff;
    ASSERT_EQ(convertPicture(bmp, PictureGif, {}, &gifByGdiplus), 1);
    ASSERT_EQ(convertPicture(bmp, PictureTiff, {}, &tiff), 1);
    EXPECT_TRUE(startsWith(gifByGdiplus, "GIF8"));
    EXPECT_TRUE(startsWith(tiff, "II*") || startsWith(tiff, "MM"));
    // The GIF input is made by the test: Wine's GDI+ cannot read back the GIF
    // its own encoder writes (and crashes trying).
    const auto gif = encodeGif(source);
    const struct {
        const char* name;
        std::vector<unsigned char> bytes;
    } inputs[] = {{"PNG", encodePng(source)}, {"JPEG", encodeJpeg(source)}, {"GIF", gif}, {"TIFF", tiff}, {"BMP", bmp}};
    for (const auto& input : inputs) {
        SCOPED_TRACE(input.name);
        std::vector<unsigned char> result;
        ASSERT_EQ(convertPicture(input.bytes, PictureBmp, {}, &result), 1);
        EXPECT_TRUE(startsWith(result, "BM"));
        auto pixels = decode(result);
        ASSERT_TRUE(pixels);
        EXPECT_EQ(pixels->width, 7);
        EXPECT_EQ(pixels->height, 5);
    }
}

TEST(ConverterGdiplus, OutputFileIsWrittenWithItsExtension) {
    const std::string name = tempName("out");
    std::vector<unsigned char> result;
    ASSERT_EQ(convertPicture(encodePng(pattern(3, 3)), PictureBmp, name, &result), 1);
    std::FILE* f = std::fopen((name + ".bmp").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::vector<unsigned char> written(result.size() + 1);
    written.resize(std::fread(written.data(), 1, written.size(), f));
    std::fclose(f);
    DeleteFileA((name + ".bmp").c_str());
    EXPECT_EQ(written, result);
}

TEST(ConverterGdiplus, TextFileFails) {
    const std::string text = "just some words, no picture";
    const std::string name = tempName("text");
    auto result = kUntouched;
    EXPECT_EQ(convertPicture({text.begin(), text.end()}, PictureBmp, name, &result), 0);
    EXPECT_EQ(result, kUntouched);
    EXPECT_FALSE(exists(name + ".bmp"));
}

TEST(ConverterGdiplus, FlattenPutsWhiteUnderTransparentParts) {
    const auto png = encodePng(pattern(4, 2, true));
    for (bool flatten : {false, true}) {
        SCOPED_TRACE(flatten);
        std::vector<unsigned char> result;
        ASSERT_EQ(convertPicture(png, PictureBmp, {}, &result, flatten), 1);
        auto pixels = decode(result);
        ASSERT_TRUE(pixels);
        const unsigned char* hidden = pixels->at(0, 0);
        const unsigned char* blue = pixels->at(3, 1);
        EXPECT_EQ(std::vector<int>(blue, blue + 3), (std::vector<int>{0, 0, 255}));
        const bool white = hidden[0] == 255 && hidden[1] == 255 && hidden[2] == 255;
        EXPECT_EQ(white, flatten);
    }
}

}  // namespace
}  // namespace velmora::testing
