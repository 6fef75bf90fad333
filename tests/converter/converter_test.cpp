// The converter's logic against the stand-in GDI+ (stb_image underneath):
// what it produces, what it writes, and the order in which it creates and
// releases the system's objects.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "converter/Converter.h"
#include "platform/Files.h"
#include "platform/standin/PictureCodec.h"
#include "tests/converter/NothingLeft.h"
#include "tests/converter/TestPictures.h"
#include "tests/core/Fixture.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

const std::vector<unsigned char> kUntouched = {7, 7, 7};
const char* const kOutputName = "图片1.bmp";

class ConverterTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        dialogPicture().fileName.clear();
        ui().labelConverterFolder.setText(programPaths().directory);
    }

    // Writes bytes into the program directory; returns the program's name for it.
    std::string put(const std::string& name, const std::vector<unsigned char>& bytes) {
        std::ofstream(dir_ / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return programPaths().besideExecutable(name);
    }
    std::vector<unsigned char> read(const fs::path& host) {
        std::ifstream in(host, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    bool called(const std::string& prefix) {
        for (const auto& call : platform().calls)
            if (call.rfind(prefix, 0) == 0) return true;
        return false;
    }
    // The picture calls of the log, from GDI+'s start on.
    std::vector<std::string> pictureCalls() {
        std::vector<std::string> out;
        bool started = false;
        for (const auto& call : platform().calls) {
            started = started || call.rfind("GdiplusStartup", 0) == 0;
            if (started) out.push_back(call);
        }
        return out;
    }
    void choose(const std::string& path) {
        standin::desktop().fileDialogAnswers = {path};
        buttonPickPictureClicked();
    }
    fs::path output() { return dir_ / kOutputName; }
};

TEST_F(ConverterTest, InputsShorterThanThreeBytesNeverStartGdiplus) {
    for (std::size_t size : {0u, 1u, 2u}) {
        SCOPED_TRACE(size);
        standin::reset();
        auto result = kUntouched;
        const std::string outFile = programPaths().besideExecutable("short");
        EXPECT_EQ(convertPicture(std::vector<unsigned char>(size, 'B'), PictureBmp, outFile, &result), 0);
        EXPECT_EQ(result, kUntouched);
        EXPECT_EQ(standin::pictureCodec().gdiplusStartups, 0);
        EXPECT_FALSE(fs::exists(dir_ / "short.bmp"));

        choose(put("short.png", std::vector<unsigned char>(size, 'B')));
        buttonConvertClicked();
        EXPECT_EQ(platform().messages, std::vector<std::string>{"转换失败"});
        EXPECT_EQ(standin::pictureCodec().gdiplusStartups, 0);
        EXPECT_FALSE(fs::exists(output()));
    }
}

TEST_F(ConverterTest, TextFileFailsAndReleasesEverythingInOrder) {
    const std::string text = "just some words, no picture";
    const std::vector<unsigned char> bytes(text.begin(), text.end());
    auto result = kUntouched;
    EXPECT_EQ(convertPicture(bytes, PictureBmp, programPaths().besideExecutable("out"), &result), 0);
    EXPECT_EQ(result, kUntouched);
    EXPECT_FALSE(fs::exists(dir_ / "out.bmp"));
    expectNothingLeft();
    const std::vector<std::string> expected = {
        "GdiplusStartup(version 1) = 0",
        "MultiByteToWideChar(936, {557CF400-1A04-11D3-9A73-0000F81EF32E}, -1) = 39",
        "CLSIDFromString({557CF400-1A04-11D3-9A73-0000F81EF32E}) = S_OK",
        "GlobalAlloc(GMEM_MOVEABLE, 27) = mem18",
        "CreateStreamOnHGlobal(mem18, FALSE) = stream19",
        "GlobalLock(mem18) = pointer",
        "GlobalUnlock(mem18)",
        "GdipCreateBitmapFromStream(stream19) = 13",
        "CreateStreamOnHGlobal(null, TRUE) = stream21",
        "GdipSaveImageToStream(null, stream21, BMP) = 2",
        "GetHGlobalFromStream(stream21) = mem20",
        "GlobalLock(mem20) = null",
        "GlobalSize(mem20) = 0",
        "IStream::Release(stream19)",
        "IStream::Release(stream21)",
        "GlobalFree(mem18)",
        "GdiplusShutdown",
    };
    EXPECT_EQ(pictureCalls(), expected);
}

TEST_F(ConverterTest, FlattenedConversionReleasesInOrderAfterTheImagesAreDone) {
    const auto png = encodePng(pattern(4, 2, true));
    std::vector<unsigned char> result;
    ASSERT_EQ(convertPicture(png, PictureBmp, {}, &result, true), 1);
    expectNothingLeft();
    const auto calls = pictureCalls();
    const std::vector<std::string> expected = {
        "GdiplusStartup(version 1) = 0",
        "MultiByteToWideChar(936, {557CF400-1A04-11D3-9A73-0000F81EF32E}, -1) = 39",
        "CLSIDFromString({557CF400-1A04-11D3-9A73-0000F81EF32E}) = S_OK",
        "GlobalAlloc(GMEM_MOVEABLE, " + std::to_string(png.size()) + ") = mem18",
        "CreateStreamOnHGlobal(mem18, FALSE) = stream19",
        "GlobalLock(mem18) = pointer",
        "GlobalUnlock(mem18)",
        "GdipCreateBitmapFromStream(stream19) = 0 image20",
        "GdipCreateHBITMAPFromBitmap(image20, 0x00FFFFFF) = 0 hbitmap21",
        "GdipCreateBitmapFromHBITMAP(hbitmap21, no palette) = 0 image22",
        "DeleteObject(hbitmap21)",
        "CreateStreamOnHGlobal(null, TRUE) = stream24",
        "GdipSaveImageToStream(image22, stream24, BMP) = 0",
        "GetHGlobalFromStream(stream24) = mem23",
        "GlobalLock(mem23) = pointer",
        "GlobalSize(mem23) = " + std::to_string(result.size()),
        "IStream::Release(stream19)",
        "GlobalUnlock(mem23)",
        "IStream::Release(stream24)",
        "GdipDisposeImage(image22) = 0",
        "GdipDisposeImage(image20) = 0",
        "GlobalFree(mem18)",
        "GdiplusShutdown",
    };
    EXPECT_EQ(calls, expected);
}

TEST_F(ConverterTest, FlattenPutsWhiteUnderTransparentParts) {
    const auto png = encodePng(pattern(4, 2, true));
    for (bool flatten : {false, true}) {
        SCOPED_TRACE(flatten);
        std::vector<unsigned char> bmp;
        ASSERT_EQ(convertPicture(png, PictureBmp, {}, &bmp, flatten), 1);
        ASSERT_TRUE(startsWith(bmp, "BM"));
        auto pixels = decode(bmp);
        ASSERT_TRUE(pixels);
        const unsigned char* hidden = pixels->at(0, 0);
        const unsigned char* blue = pixels->at(3, 1);
        EXPECT_EQ(std::vector<int>(blue, blue + 4), (std::vector<int>{0, 0, 255, 255}));
        if (flatten)
            EXPECT_EQ(std::vector<int>(hidden, hidden + 4), (std::vector<int>{255, 255, 255, 255}));
        else
            EXPECT_EQ(hidden[3], 0);  // still transparent
    }
}

TEST_F(ConverterTest, EachFormatCodeSelectsItsEncoderAndExtension) {
    struct Case {
        std::int32_t code;
        const char* extension;  // nullptr: nothing produced
        const char* encoder;    // what the save was asked for; nullptr: no save at all
        std::string magic;
    };
    const Case cases[] = {
        {PictureBmp, ".bmp", "BMP", "BM"},
        {PictureJpeg, ".jpg", "JPEG", "\xFF\xD8"},
        {PictureGif, nullptr, "GIF", ""},  // the stand-in encodes no GIF
        {PictureTiff, nullptr, "TIFF", ""},
        {PicturePng, ".png", "PNG", "\x89PNG"},
        {0, nullptr, nullptr, ""},
        {6, nullptr, nullptr, ""},
        {-1, nullptr, nullptr, ""},
    };
    const auto png = encodePng(pattern(5, 3));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        standin::reset();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        auto result = kUntouched;
        const int converted = convertPicture(png, c.code, programPaths().besideExecutable("out"), &result);
        expectNothingLeft();
        EXPECT_EQ(called("GdipSaveImageToStream"), c.encoder != nullptr);
        if (c.encoder) {
            const std::string save = pictureCalls().at(9);
            EXPECT_EQ(save.substr(0, 21), "GdipSaveImageToStream");
            EXPECT_NE(save.find(", " + std::string(c.encoder) + ") = "), std::string::npos) << save;
        }
        if (!c.extension) {
            EXPECT_EQ(converted, 0);
            EXPECT_EQ(result, kUntouched);
            EXPECT_TRUE(fs::is_empty(dir_));
            continue;
        }
        EXPECT_EQ(converted, 1);
        EXPECT_TRUE(startsWith(result, c.magic));
        auto pixels = decode(result);
        ASSERT_TRUE(pixels);
        EXPECT_EQ(pixels->width, 5);
        EXPECT_EQ(pixels->height, 3);
        EXPECT_EQ(read(dir_ / (std::string("out") + c.extension)), result);
    }
}

TEST_F(ConverterTest, OutputFileGetsTheExtensionUnlessItEndsInIt) {
    struct Case {
        std::int32_t code;
        std::string given;
        std::string written;  // empty: no file
    };
    const Case cases[] = {
        {PictureBmp, "x", "x.bmp"},
        {PictureBmp, "x.BMP", "x.BMP"},
        {PictureBmp, "x.Bmp", "x.Bmp"},
        {PictureBmp, "x.jpg", "x.jpg.bmp"},
        {PictureBmp, "mp", "mp.bmp"},       // shorter than the extension
        {PictureBmp, " y ", " y .bmp"},     // trimmed only to test for emptiness
        {PictureJpeg, "photo.JPG", "photo.JPG"},
        {PictureBmp, "图片", "图片.bmp"},
    };
    const auto png = encodePng(pattern(2, 2));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        std::vector<unsigned char> result;
        ASSERT_EQ(convertPicture(png, c.code, programPaths().besideExecutable(c.given), &result), 1);
        std::vector<std::string> files;
        for (const auto& entry : fs::directory_iterator(dir_)) files.push_back(entry.path().filename().string());
        EXPECT_EQ(files, std::vector<std::string>{c.written});
        EXPECT_EQ(read(dir_ / c.written), result);
    }
    // A blank name writes nothing at all, not even "  .bmp" in the current directory.
    const fs::path before = fs::current_path();
    fs::current_path(dir_);
    std::vector<unsigned char> result;
    for (const std::string blank : {"", "  "}) {
        EXPECT_EQ(convertPicture(png, PictureBmp, blank, &result), 1);
        EXPECT_TRUE(startsWith(result, "BM"));
    }
    EXPECT_FALSE(fs::exists(dir_ / "  .bmp"));
    EXPECT_FALSE(fs::exists(dir_ / ".bmp"));
    fs::current_path(before);
}

TEST_F(ConverterTest, MissingSystemFunctionEndsWithNothingWritten) {
    const auto png = encodePng(pattern(2, 2));
    for (const char* missing : {"gdiplus.dll", "ole32.dll", "GdipSaveImageToStream", "CLSIDFromString", "GlobalLock",
                                "MultiByteToWideChar", "DeleteObject"}) {
        SCOPED_TRACE(missing);
        standin::reset();
        standin::pictureCodec().missing = {missing};
        auto result = kUntouched;
        EXPECT_EQ(convertPicture(png, PictureBmp, programPaths().besideExecutable("out"), &result, true), 0);
        EXPECT_EQ(result, kUntouched);
        EXPECT_FALSE(fs::exists(dir_ / "out.bmp"));
        EXPECT_EQ(standin::pictureCodec().gdiplusStartups, 0);
    }
}

TEST_F(ConverterTest, InputMemoryThatCannotBeAllocatedFails) {
    standin::pictureCodec().allocationFails = true;
    auto result = kUntouched;
    EXPECT_EQ(convertPicture(encodePng(pattern(2, 2)), PictureBmp, {}, &result), 0);
    EXPECT_EQ(result, kUntouched);
    EXPECT_FALSE(called("CreateStreamOnHGlobal"));
    EXPECT_EQ(platform().calls.back(), "GdiplusShutdown");
    expectNothingLeft();
}

// The buttons.

TEST_F(ConverterTest, ConvertWithoutAChosenPictureSaysSo) {
    buttonConvertClicked();
    EXPECT_EQ(platform().messages, std::vector<std::string>{"还没有选择图片！"});
    EXPECT_FALSE(called("GdiplusStartup"));
    EXPECT_FALSE(fs::exists(output()));
}

TEST_F(ConverterTest, CancelledPickKeepsTheEarlierPicture) {
    const std::string picture = put("a.png", encodePng(pattern(3, 2)));
    standin::desktop().fileDialogAnswers = {picture, ""};
    buttonPickPictureClicked();
    buttonPickPictureClicked();
    EXPECT_EQ(dialogPicture().fileName, picture);
    EXPECT_EQ(standin::desktop().fileDialogFilters.at(1),
              "所有文件|*.*|BMP图片|*.bmp|JPEG图片|*.jpg|GIF图片|*.gif|PNG图片|*.png");
    buttonConvertClicked();
    EXPECT_EQ(platform().messages, std::vector<std::string>{"转换成功！"});
    auto pixels = decode(read(output()));
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->width, 3);
    EXPECT_EQ(pixels->height, 2);
}

TEST_F(ConverterTest, EveryConversionReplacesTheSameFile) {
    // The second picture is a BMP itself: it is written again, re-encoded.
    const std::string first = put("a.png", encodePng(pattern(3, 2)));
    const std::string second = put("b.bmp", encodeBmp(pattern(5, 4)));
    for (const auto& picture : {first, second}) {
        choose(picture);
        buttonConvertClicked();
    }
    EXPECT_EQ(platform().messages, (std::vector<std::string>{"转换成功！", "转换成功！"}));
    auto pixels = decode(read(output()));
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->width, 5);
    EXPECT_EQ(pixels->height, 4);
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(dir_)) files.insert(entry.path().filename().string());
    EXPECT_EQ(files, (std::set<std::string>{"a.png", "b.bmp", kOutputName}));
}

TEST_F(ConverterTest, PictureDeletedAfterItWasChosenFails) {
    choose(put("gone.png", encodePng(pattern(2, 2))));
    fs::remove(dir_ / "gone.png");
    buttonConvertClicked();
    EXPECT_EQ(platform().messages, std::vector<std::string>{"转换失败"});
    EXPECT_FALSE(called("GdiplusStartup"));
    EXPECT_FALSE(fs::exists(output()));
}

TEST_F(ConverterTest, BmpThatCannotBeWrittenIsNoSuccess) {
    fs::create_directories(dir_ / "full");
    fs::create_symlink("/dev/full", dir_ / "full" / kOutputName);  // every write runs out of space
    const std::string folders[] = {
        programPaths().besideExecutable("missing"),  // no such folder
        "/proc",                                     // no right to create files (also for root)
        programPaths().besideExecutable("full"),     // fewer bytes written than the picture has
    };
    choose(put("a.png", encodePng(pattern(2, 2))));
    for (const auto& folder : folders) {
        SCOPED_TRACE(folder);
        platform().messages.clear();
        ui().labelConverterFolder.setText(folder);
        buttonConvertClicked();
        EXPECT_EQ(platform().messages, std::vector<std::string>{"转换失败"});
    }
}

TEST_F(ConverterTest, FolderBrowserResultBecomesTheFolderOnlyWithAPath) {
    const std::string before = ui().labelConverterFolder.text();
    // Cancelled, and confirmed on a folder outside the file system.
    standin::desktop().folderBrowserAnswers = {std::nullopt, std::string()};
    buttonPickFolderClicked();
    buttonPickFolderClicked();
    EXPECT_EQ(ui().labelConverterFolder.text(), before);
    EXPECT_EQ(standin::desktop().folderBrowserTitles, (std::vector<std::string>{"请选择文件夹", "请选择文件夹"}));

    fs::create_directories(dir_ / "out");
    const std::string chosen = programPaths().besideExecutable("out");
    standin::desktop().folderBrowserAnswers = {chosen};
    buttonPickFolderClicked();
    EXPECT_EQ(ui().labelConverterFolder.text(), chosen);
    choose(put("a.png", encodePng(pattern(2, 2))));
    buttonConvertClicked();
    EXPECT_EQ(platform().messages, std::vector<std::string>{"转换成功！"});
    EXPECT_TRUE(fs::exists(dir_ / "out" / kOutputName));
}

}  // namespace
}  // namespace velmora::testing
