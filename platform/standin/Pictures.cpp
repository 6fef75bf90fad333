// The stand-in's picture functions, on stb_image.
#include "platform/standin/PictureCodec.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <cstring>

#include "platform/Pictures.h"
#include "platform/standin/StandIn.h"

namespace velmora::standin {

PictureCodec& pictureCodec() {
    static PictureCodec codec;
    return codec;
}

// Debian's stb_image writes past its Huffman table when a JPEG's DHT
// segment declares more than 256 codes; GDI+ rejects such a file as
// corrupt. The stand-in looks at every DHT segment before it decodes.
bool jpegHuffmanTablesFit(const std::vector<unsigned char>& b) {
    // stb_image takes any run of fill bytes 0xFF before the start marker.
    std::size_t i = 0;
    while (i < b.size() && b[i] == 0xFF) ++i;
    if (i == 0 || i >= b.size() || b[i] != 0xD8) return true;  // not a JPEG
    ++i;
    while (i + 1 < b.size()) {
        if (b[i] != 0xFF) {  // entropy-coded data up to the next marker
            ++i;
            continue;
        }
        const unsigned char marker = b[i + 1];
        if (marker == 0xFF || marker == 0x00 || (marker >= 0xD0 && marker <= 0xD9) || marker == 0x01) {
            i += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (i + 3 >= b.size()) break;
        const std::size_t end = i + 2 + (std::size_t(b[i + 2]) << 8 | b[i + 3]);
        if (marker == 0xC4) {
            // Tables follow one another while the segment has bytes left, as
            // stb_image reads them; past the end of the file it reads zeros.
            for (std::size_t t = i + 4; t < end && t < b.size();) {
                std::size_t codes = 0;
                for (std::size_t k = 1; k <= 16 && t + k < b.size(); ++k) codes += b[t + k];
                if (codes > 256) return false;
                t += 17 + codes;
            }
        }
        i = end;
    }
    return true;
}

}  // namespace velmora::standin

namespace velmora::platform {
namespace {

using standin::pictureCodec;

// GDI+ statuses and COM results the stand-in gives.
constexpr GpStatus kOk = 0;
constexpr GpStatus kInvalidParameter = 2;
constexpr GpStatus kNotImplemented = 6;
constexpr GpStatus kWin32Error = 7;
constexpr GpStatus kFileNotFound = 10;
constexpr GpStatus kUnknownImageFormat = 13;
constexpr HResult kSOk = 0;
constexpr HResult kEInvalidArg = static_cast<HResult>(0x80070057u);
[[maybe_unused]] constexpr HResult kEOutOfMemory = static_cast<HResult>(0x8007000Eu);
constexpr HResult kClassString = static_cast<HResult>(0x800401F3u);

enum class Encoder { Bmp, Jpeg, Gif, Tiff, Png, Unknown };

Encoder encoderOf(const Clsid& c) {
    // The built-in encoders differ only in the low byte of data1.
    static const std::uint8_t tail[8] = {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E};
    if ((c.data1 & 0xFFFFFF00u) != 0x557CF400u || c.data2 != 0x1A04 || c.data3 != 0x11D3 ||
        std::memcmp(c.data4, tail, 8) != 0)
        return Encoder::Unknown;
    switch (c.data1 & 0xFF) {
        case 0x00: return Encoder::Bmp;
        case 0x01: return Encoder::Jpeg;
        case 0x02: return Encoder::Gif;
        case 0x05: return Encoder::Tiff;
        case 0x06: return Encoder::Png;
        default: return Encoder::Unknown;
    }
}

std::string name(const char* kind, void* handle) {
    return handle ? kind + std::to_string(reinterpret_cast<std::uintptr_t>(handle)) : std::string("null");
}
std::uintptr_t id(void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }
void* newHandle() { return reinterpret_cast<void*>(++pictureCodec().nextHandle); }

void log(std::string call) { standin::state().calls.push_back(std::move(call)); }

void appendBytes(void* context, void* data, int size) {
    auto& bytes = *static_cast<std::vector<unsigned char>*>(context);
    const auto* p = static_cast<const unsigned char*>(data);
    bytes.insert(bytes.end(), p, p + size);
}

// Decodes a picture to RGBA as GDI+ would take it, or gives null. A JPEG
// whose Huffman tables do not fit is refused before stb_image sees it, and
// a picture of no rows or columns gives no image: stb_image hands back
// pixels for a BMP of height 0, GDI+ makes no image of it, and no encoder
// could write one.
unsigned char* decodeRgba(const std::vector<unsigned char>& bytes, int& w, int& h, int& channels) {
    if (!standin::jpegHuffmanTablesFit(bytes)) return nullptr;
    unsigned char* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &h, &channels, 4);
    if (pixels != nullptr && (w <= 0 || h <= 0)) {
        stbi_image_free(pixels);
        return nullptr;
    }
    return pixels;
}

class StandInPictures final : public PictureFunctions {
public:
    GpStatus gdiplusStartup(GdiplusToken& token, const GdiplusStartupInput& input) override {
        const bool ok = input.gdiplusVersion == 1;
        if (ok) {
            token = ++pictureCodec().nextHandle;
            ++pictureCodec().gdiplusRunning;
            ++pictureCodec().gdiplusStartups;
        }
        log("GdiplusStartup(version " + std::to_string(input.gdiplusVersion) +
            (input.debugEventCallback ? ", callback" : "") + (input.suppressBackgroundThread ? ", no thread" : "") +
            (input.suppressExternalCodecs ? ", no external codecs" : "") + ") = " + std::to_string(ok ? kOk : kInvalidParameter));
        return ok ? kOk : kInvalidParameter;
    }

    void gdiplusShutdown(GdiplusToken token) override {
        if (token != 0 && pictureCodec().gdiplusRunning > 0) --pictureCodec().gdiplusRunning;
        log("GdiplusShutdown");
    }

    GpStatus gdipCreateBitmapFromStream(ComStream stream, GpImage& image) override {
        GpStatus status = kInvalidParameter;
        auto s = pictureCodec().streams.find(id(stream));
        if (pictureCodec().gdiplusRunning == 0) {
            status = kWin32Error;
        } else if (s != pictureCodec().streams.end()) {
            auto& block = pictureCodec().blocks.at(s->second.memory);
            int w = 0, h = 0, channels = 0;
            unsigned char* pixels = decodeRgba(block.bytes, w, h, channels);
            if (pixels == nullptr) {
                status = kUnknownImageFormat;
            } else {
                image = newHandle();
                // The image keeps the stream (and so reads from its memory)
                // until it is disposed.
                ++s->second.references;
                pictureCodec().images[id(image)] = {w, h, channels == 2 || channels == 4,
                                                    std::vector<unsigned char>(pixels, pixels + std::size_t(w) * h * 4),
                                                    id(stream)};
                stbi_image_free(pixels);
                status = kOk;
            }
        }
        log("GdipCreateBitmapFromStream(" + name("stream", stream) + ") = " + std::to_string(status) +
            (status == kOk ? " " + name("image", image) : ""));
        return status;
    }

    GpStatus gdipCreateHBITMAPFromBitmap(GpImage image, GdiBitmap& bitmap, std::uint32_t background) override {
        GpStatus status = kInvalidParameter;
        auto i = pictureCodec().images.find(id(image));
        if (i != pictureCodec().images.end()) {
            // Drawn over the background colour (0x00RRGGBB).
            const unsigned char bg[3] = {static_cast<unsigned char>(background >> 16),
                                         static_cast<unsigned char>(background >> 8),
                                         static_cast<unsigned char>(background)};
            standin::PictureCodec::Bitmap out{i->second.width, i->second.height, i->second.rgba};
            for (std::size_t p = 0; p < out.rgba.size(); p += 4) {
                const unsigned a = i->second.alpha ? out.rgba[p + 3] : 255;
                for (int k = 0; k < 3; ++k)
                    out.rgba[p + k] = static_cast<unsigned char>((out.rgba[p + k] * a + bg[k] * (255 - a) + 127) / 255);
                out.rgba[p + 3] = 255;
            }
            bitmap = newHandle();
            pictureCodec().bitmaps[id(bitmap)] = std::move(out);
            status = kOk;
        }
        char colour[16];
        std::snprintf(colour, sizeof colour, "0x%08X", background);
        log("GdipCreateHBITMAPFromBitmap(" + name("image", image) + ", " + colour + ") = " + std::to_string(status) +
            (status == kOk ? " " + name("hbitmap", bitmap) : ""));
        return status;
    }

    GpStatus gdipCreateBitmapFromHBITMAP(GdiBitmap bitmap, void* palette, GpImage& image) override {
        GpStatus status = kInvalidParameter;
        auto b = pictureCodec().bitmaps.find(id(bitmap));
        if (b != pictureCodec().bitmaps.end() && pictureCodec().gdiplusRunning > 0) {
            image = newHandle();
            pictureCodec().images[id(image)] = {b->second.width, b->second.height, false, b->second.rgba, 0};
            status = kOk;
        }
        log("GdipCreateBitmapFromHBITMAP(" + name("hbitmap", bitmap) + ", " + (palette ? "palette" : "no palette") +
            ") = " + std::to_string(status) + (status == kOk ? " " + name("image", image) : ""));
        return status;
    }

    GpStatus gdipSaveImageToStream(GpImage image, ComStream stream, const Clsid& encoder, const void* parameters) override {
        GpStatus status = kInvalidParameter;
        auto i = pictureCodec().images.find(id(image));
        auto s = pictureCodec().streams.find(id(stream));
        const Encoder kind = encoderOf(encoder);
        if (i != pictureCodec().images.end() && s != pictureCodec().streams.end() && parameters == nullptr) {
            const auto& img = i->second;
            // An image decoded from a stream whose memory is gone can no
            // longer be read.
            if (img.source != 0 && !pictureCodec().blocks.count(pictureCodec().streams.at(img.source).memory)) {
                status = kWin32Error;
            } else if (kind == Encoder::Unknown) {
                status = kFileNotFound;
            } else if (kind == Encoder::Gif || kind == Encoder::Tiff) {
                status = kNotImplemented;
            } else if (kind == Encoder::Jpeg && (img.width > 65535 || img.height > 65535)) {
                // A JPEG holds its size in 16 bits; stb_image_write would cut it.
                status = kInvalidParameter;
            } else {
                std::vector<unsigned char> encoded;
                std::vector<unsigned char> rgb;
                const int comp = img.alpha && kind != Encoder::Jpeg ? 4 : 3;
                const unsigned char* data = img.rgba.data();
                if (comp == 3) {
                    rgb.reserve(img.rgba.size() / 4 * 3);
                    for (std::size_t p = 0; p < img.rgba.size(); p += 4) rgb.insert(rgb.end(), &img.rgba[p], &img.rgba[p + 3]);
                    data = rgb.data();
                }
                int ok = 0;
                if (kind == Encoder::Bmp) ok = stbi_write_bmp_to_func(appendBytes, &encoded, img.width, img.height, comp, data);
                if (kind == Encoder::Png)
                    ok = stbi_write_png_to_func(appendBytes, &encoded, img.width, img.height, comp, data, img.width * comp);
                if (kind == Encoder::Jpeg)
                    ok = stbi_write_jpg_to_func(appendBytes, &encoded, img.width, img.height, comp, data, 90);
                if (ok) {
                    auto& block = pictureCodec().blocks.at(s->second.memory);
                    block.bytes.insert(block.bytes.end(), encoded.begin(), encoded.end());
                    status = kOk;
                } else {
                    status = kWin32Error;
                }
            }
        }
        static const char* const kinds[] = {"BMP", "JPEG", "GIF", "TIFF", "PNG", "unknown"};
        log("GdipSaveImageToStream(" + name("image", image) + ", " + name("stream", stream) + ", " +
            kinds[static_cast<int>(kind)] + ") = " + std::to_string(status));
        return status;
    }

    GpStatus gdipDisposeImage(GpImage image) override {
        auto i = pictureCodec().images.find(id(image));
        GpStatus status = kInvalidParameter;
        if (i != pictureCodec().images.end()) {
            const std::uintptr_t source = i->second.source;
            pictureCodec().images.erase(i);
            if (source != 0) dropReference(source);
            status = kOk;
        }
        log("GdipDisposeImage(" + name("image", image) + ") = " + std::to_string(status));
        return status;
    }

    HResult createStreamOnHGlobal(GlobalMemory memory, bool deleteOnRelease, ComStream& stream) override {
        HResult hr = kSOk;
        std::uintptr_t block = id(memory);
        if (memory == nullptr) {
            // The stream's own memory: movable and empty until written.
            block = ++pictureCodec().nextHandle;
            pictureCodec().blocks[block];
        } else if (!pictureCodec().blocks.count(block)) {
            hr = kEInvalidArg;
        }
        if (hr == kSOk) {
            stream = newHandle();
            pictureCodec().streams[id(stream)] = {block, deleteOnRelease, 1};
        }
        log("CreateStreamOnHGlobal(" + name("mem", memory) + ", " + (deleteOnRelease ? "TRUE" : "FALSE") + ") = " +
            (hr == kSOk ? name("stream", stream) : "fail"));
        return hr;
    }

    HResult getHGlobalFromStream(ComStream stream, GlobalMemory& memory) override {
        auto s = pictureCodec().streams.find(id(stream));
        if (s != pictureCodec().streams.end()) memory = reinterpret_cast<void*>(s->second.memory);
        log("GetHGlobalFromStream(" + name("stream", stream) + ") = " +
            (s != pictureCodec().streams.end() ? name("mem", memory) : "fail"));
        return s != pictureCodec().streams.end() ? kSOk : kEInvalidArg;
    }

    HResult clsidFromString(const char16_t* text, Clsid& clsid) override {
        std::string narrow;
        for (const char16_t* p = text; *p; ++p) narrow += *p < 0x80 ? static_cast<char>(*p) : '?';
        Clsid c{};
        unsigned d4[8];
        unsigned d2 = 0, d3 = 0;
        int used = 0;
        const bool ok = narrow.size() == 38 &&
                        std::sscanf(narrow.c_str(), "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}%n", &c.data1, &d2, &d3,
                                    &d4[0], &d4[1], &d4[2], &d4[3], &d4[4], &d4[5], &d4[6], &d4[7], &used) == 11 &&
                        used == 38;
        if (ok) {
            c.data2 = static_cast<std::uint16_t>(d2);
            c.data3 = static_cast<std::uint16_t>(d3);
            for (int k = 0; k < 8; ++k) c.data4[k] = static_cast<std::uint8_t>(d4[k]);
            clsid = c;
        }
        log("CLSIDFromString(" + narrow + ") = " + (ok ? "S_OK" : "CO_E_CLASSSTRING"));
        return ok ? kSOk : kClassString;
    }

    std::uint32_t releaseStream(ComStream stream) override {
        log("IStream::Release(" + name("stream", stream) + ")");
        return dropReference(id(stream));
    }

    int multiByteToWideChar(unsigned codePage, const char* text, int length, char16_t* out, int outUnits) override {
        // The texts converted here are ASCII, the same in every code page.
        const std::size_t count = length < 0 ? std::strlen(text) + 1 : static_cast<std::size_t>(length);
        int written = 0;
        if (static_cast<int>(count) <= outUnits) {
            for (std::size_t k = 0; k < count; ++k) out[k] = static_cast<unsigned char>(text[k]);
            written = static_cast<int>(count);
        }
        log("MultiByteToWideChar(" + std::to_string(codePage) + ", " + text + ", " + std::to_string(length) + ") = " +
            std::to_string(written));
        return written;
    }

    GlobalMemory globalAlloc(unsigned flags, std::size_t bytes) override {
        GlobalMemory memory = nullptr;
        if (!pictureCodec().allocationFails) {
            memory = newHandle();
            pictureCodec().blocks[id(memory)].bytes.assign(bytes, 0);
        }
        log("GlobalAlloc(" + std::string(flags == kGmemMoveable ? "GMEM_MOVEABLE" : std::to_string(flags)) + ", " +
            std::to_string(bytes) + ") = " + name("mem", memory));
        return memory;
    }

    void* globalLock(GlobalMemory memory) override {
        void* pointer = nullptr;
        auto b = pictureCodec().blocks.find(id(memory));
        // Empty movable memory has no place to point to.
        if (b != pictureCodec().blocks.end() && !b->second.bytes.empty()) {
            ++b->second.locks;
            pointer = b->second.bytes.data();
        }
        log("GlobalLock(" + name("mem", memory) + ") = " + (pointer ? "pointer" : "null"));
        return pointer;
    }

    bool globalUnlock(GlobalMemory memory) override {
        auto b = pictureCodec().blocks.find(id(memory));
        const bool locked = b != pictureCodec().blocks.end() && --b->second.locks > 0;
        log("GlobalUnlock(" + name("mem", memory) + ")");
        return locked;
    }

    std::size_t globalSize(GlobalMemory memory) override {
        auto b = pictureCodec().blocks.find(id(memory));
        const std::size_t size = b == pictureCodec().blocks.end() ? 0 : b->second.bytes.size();
        log("GlobalSize(" + name("mem", memory) + ") = " + std::to_string(size));
        return size;
    }

    GlobalMemory globalFree(GlobalMemory memory) override {
        const bool ok = pictureCodec().blocks.erase(id(memory)) == 1;
        log("GlobalFree(" + name("mem", memory) + ")");
        return ok ? nullptr : memory;
    }

    bool deleteObject(GdiBitmap bitmap) override {
        const bool ok = pictureCodec().bitmaps.erase(id(bitmap)) == 1;
        log("DeleteObject(" + name("hbitmap", bitmap) + ")");
        return ok;
    }

private:
    std::uint32_t dropReference(std::uintptr_t stream) {
        auto s = pictureCodec().streams.find(stream);
        if (s == pictureCodec().streams.end()) return 0;
        const int left = --s->second.references;
        if (left == 0) {
            if (s->second.ownsMemory) pictureCodec().blocks.erase(s->second.memory);
            pictureCodec().streams.erase(s);
        }
        return static_cast<std::uint32_t>(left);
    }
};

}  // namespace

PictureFunctions* pictureFunctions() {
    static const char* const kNeeded[] = {
        "gdiplus.dll", "GdiplusStartup", "GdiplusShutdown", "GdipCreateBitmapFromStream",
        "GdipCreateHBITMAPFromBitmap", "GdipCreateBitmapFromHBITMAP", "GdipSaveImageToStream", "GdipDisposeImage",
        "ole32.dll", "CreateStreamOnHGlobal", "GetHGlobalFromStream", "CLSIDFromString",
        "kernel32.dll", "MultiByteToWideChar", "GlobalAlloc", "GlobalLock", "GlobalUnlock", "GlobalSize", "GlobalFree",
        "gdi32.dll", "DeleteObject"};
    for (const char* needed : kNeeded) {
        if (pictureCodec().missing.count(needed)) {
            log(std::string(std::strstr(needed, ".dll") ? "LoadLibraryA(" : "GetProcAddress(") + needed + ") = fail");
            return nullptr;
        }
    }
    static StandInPictures functions;
    return &functions;
}

}  // namespace velmora::platform
