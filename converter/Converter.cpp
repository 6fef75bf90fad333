#include "converter/Converter.h"

#include <cctype>
#include <cstring>
#include <optional>

#include "core/State.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/FolderBrowser.h"
#include "platform/Pictures.h"

namespace velmora {
namespace {

using namespace platform;

struct FormatEntry {
    std::int32_t code;
    const char* extension;
    const char* encoder;
};

constexpr FormatEntry kFormats[] = {
    {PictureBmp, ".bmp", "{557CF400-1A04-11D3-9A73-0000F81EF32E}"},
    {PictureJpeg, ".jpg", "{557CF401-1A04-11D3-9A73-0000F81EF32E}"},
    {PictureGif, ".gif", "{557CF402-1A04-11D3-9A73-0000F81EF32E}"},
    {PictureTiff, ".tiff", "{557CF405-1A04-11D3-9A73-0000F81EF32E}"},
    {PicturePng, ".png", "{557CF406-1A04-11D3-9A73-0000F81EF32E}"},
};

const FormatEntry* lookUpFormat(std::int32_t code) {
    for (const auto& entry : kFormats)
        if (entry.code == code) return &entry;
    return nullptr;
}

bool blank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// The extension is ASCII and starts with '.', which is never part of a GBK
// character, so a byte-wise comparison of the tail is a comparison of
// characters.
bool endsWithNoCase(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[text.size() - tail.size() + i]);
        const auto b = static_cast<unsigned char>(tail[i]);
        if (std::tolower(a) != std::tolower(b)) return false;
    }
    return true;
}

// What one conversion has created, released in the fixed order whatever
// path the conversion takes once GDI+ is started.
struct Conversion {
    PictureFunctions& api;
    GdiplusToken token = 0;
    GlobalMemory inputMemory = nullptr;
    ComStream inputStream = nullptr;
    GpImage decoded = nullptr;
    GpImage flattened = nullptr;
    ComStream outputStream = nullptr;
    GlobalMemory outputMemory = nullptr;
    void* outputBytes = nullptr;

    explicit Conversion(PictureFunctions& functions) : api(functions) {}
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    ~Conversion() {
        if (inputStream) api.releaseStream(inputStream);
        if (outputBytes) api.globalUnlock(outputMemory);
        // The output stream owns its memory and frees it here.
        if (outputStream) api.releaseStream(outputStream);
        // GDI+ may read the input stream for as long as the decoded image
        // lives: the input memory goes only after the image.
        if (flattened) api.gdipDisposeImage(flattened);
        if (decoded) api.gdipDisposeImage(decoded);
        if (inputMemory) api.globalFree(inputMemory);
        api.gdiplusShutdown(token);
    }
};

}  // namespace

int convertPicture(const std::vector<unsigned char>& picture, std::int32_t format, const std::string& outputFile,
                   std::vector<unsigned char>* result, bool flatten) {
    if (picture.size() < 3) return 0;
    PictureFunctions* functions = pictureFunctions();
    if (functions == nullptr) return 0;
    PictureFunctions& api = *functions;

    Conversion c(api);
    const GdiplusStartupInput input{1, nullptr, 0, 0};
    api.gdiplusStartup(c.token, input);

    const FormatEntry* entry = lookUpFormat(format);
    if (entry == nullptr) return 0;
    char16_t clsidText[64] = {};
    Clsid encoder{};
    if (api.multiByteToWideChar(kCodePageGbk, entry->encoder, -1, clsidText, 64) == 0) return 0;
    if (api.clsidFromString(clsidText, encoder) != 0) return 0;

    c.inputMemory = api.globalAlloc(kGmemMoveable, picture.size());
    if (c.inputMemory == nullptr) return 0;
    api.createStreamOnHGlobal(c.inputMemory, false, c.inputStream);
    void* inputBytes = api.globalLock(c.inputMemory);
    if (inputBytes == nullptr) return 0;
    std::memcpy(inputBytes, picture.data(), picture.size());
    api.globalUnlock(c.inputMemory);

    api.gdipCreateBitmapFromStream(c.inputStream, c.decoded);
    GpImage image = c.decoded;
    if (flatten) {
        GdiBitmap bitmap = nullptr;
        api.gdipCreateHBITMAPFromBitmap(c.decoded, bitmap, 0x00FFFFFF);
        api.gdipCreateBitmapFromHBITMAP(bitmap, nullptr, c.flattened);
        if (bitmap) api.deleteObject(bitmap);
        image = c.flattened;
    }

    api.createStreamOnHGlobal(nullptr, true, c.outputStream);
    api.gdipSaveImageToStream(image, c.outputStream, encoder, nullptr);

    if (c.outputStream) api.getHGlobalFromStream(c.outputStream, c.outputMemory);
    std::size_t size = 0;
    if (c.outputMemory) {
        c.outputBytes = api.globalLock(c.outputMemory);
        size = api.globalSize(c.outputMemory);
    }
    // Memory that nothing was saved into stays empty, and locking empty
    // memory gives no pointer: that is the test of success.
    if (c.outputBytes == nullptr) return 0;
    const auto* bytes = static_cast<const unsigned char*>(c.outputBytes);
    std::vector<unsigned char> converted(bytes, bytes + size);

    if (!blank(outputFile)) {
        // Only the emptiness test trims; the name written is the one given.
        std::string name = outputFile;
        if (!endsWithNoCase(name, entry->extension)) name += entry->extension;
        writeWholeFile(name, converted);
    }
    if (result) *result = std::move(converted);
    return 1;
}

platform::OpenFileDialog& dialogPicture() {
    static platform::OpenFileDialog dialog{"所有文件|*.*|BMP图片|*.bmp|JPEG图片|*.jpg|GIF图片|*.gif|PNG图片|*.png", ""};
    return dialog;
}

void buttonPickPictureClicked() { platform::showOpenFileDialog(dialogPicture()); }

void buttonPickFolderClicked() {
    // A cancel, or a folder without a file-system path, keeps the folder
    // the converter had: an empty one would put the picture at the root of
    // the current drive.
    if (auto folder = platform::browseForFolder("请选择文件夹")) controls().labelConverterFolder.setText(*folder);
}

void buttonConvertClicked() {
    const std::string& chosen = dialogPicture().fileName;
    if (chosen.empty()) {
        platform::showMessage("还没有选择图片！");
        return;
    }
    const std::vector<unsigned char> picture = platform::readWholeFile(chosen).value_or(std::vector<unsigned char>{});
    std::vector<unsigned char> result;
    convertPicture(picture, PictureBmp, {}, &result, false);
    // The bytes taken as text up to the first zero byte; a BMP starts "BM".
    if (result.empty() || result[0] == 0) {
        platform::showMessage("转换失败");
        return;
    }
    const std::string outputName = liveSettings().converterFolder() + "\\图片" + std::to_string(1) + ".bmp";
    // A picture that did not reach the disk is no success.
    if (!platform::writeWholeFile(outputName, result)) {
        platform::showMessage("转换失败");
        return;
    }
    platform::showMessage("转换成功！");
}

}  // namespace velmora
