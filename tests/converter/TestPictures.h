#pragma once
// Small test pictures made and read with stb_image, independent of the
// code under test.
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora::testing {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;
    const unsigned char* at(int x, int y) const { return &rgba[(std::size_t(y) * width + x) * 4]; }
};

// A colour pattern; with transparentLeft the left half is fully
// transparent red, the right half opaque blue.
inline Pixels pattern(int width, int height, bool transparentLeft = false) {
    Pixels p{width, height, std::vector<unsigned char>(std::size_t(width) * height * 4)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* px = &p.rgba[(std::size_t(y) * width + x) * 4];
            if (transparentLeft) {
                const bool left = x < width / 2;
                px[0] = left ? 255 : 0, px[1] = 0, px[2] = left ? 0 : 255, px[3] = left ? 0 : 255;
            } else {
                px[0] = static_cast<unsigned char>(40 * x), px[1] = static_cast<unsigned char>(60 * y), px[2] = 128;
                px[3] = 255;
            }
        }
    return p;
}

inline void appendTo(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    out->insert(out->end(), static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
}

inline std::vector<unsigned char> encodePng(const Pixels& p) {
    std::vector<unsigned char> out;
    stbi_write_png_to_func(appendTo, &out, p.width, p.height, 4, p.rgba.data(), p.width * 4);
    return out;
}

inline std::vector<unsigned char> rgbOf(const Pixels& p) {
    std::vector<unsigned char> rgb;
    for (std::size_t i = 0; i < p.rgba.size(); i += 4) rgb.insert(rgb.end(), &p.rgba[i], &p.rgba[i + 3]);
    return rgb;
}

inline std::vector<unsigned char> encodeJpeg(const Pixels& p) {
    std::vector<unsigned char> out;
    const auto rgb = rgbOf(p);
    stbi_write_jpg_to_func(appendTo, &out, p.width, p.height, 3, rgb.data(), 90);
    return out;
}

inline std::vector<unsigned char> encodeBmp(const Pixels& p) {
    std::vector<unsigned char> out;
    const auto rgb = rgbOf(p);
    stbi_write_bmp_to_func(appendTo, &out, p.width, p.height, 3, rgb.data());
    return out;
}

// A GIF of the picture's colours (at most 256, alpha ignored). Its LZW data
// holds every pixel as a plain 9-bit code, with a clear code before each
// run of 254 codes so that the code width never grows.
inline std::vector<unsigned char> encodeGif(const Pixels& p) {
    std::vector<std::uint32_t> palette;
    std::vector<unsigned char> indexes;
    for (std::size_t i = 0; i < p.rgba.size(); i += 4) {
        const std::uint32_t rgb = std::uint32_t(p.rgba[i]) << 16 | std::uint32_t(p.rgba[i + 1]) << 8 | p.rgba[i + 2];
        std::size_t k = 0;
        while (k < palette.size() && palette[k] != rgb) ++k;
        if (k == palette.size()) palette.push_back(rgb);
        indexes.push_back(static_cast<unsigned char>(k));
    }
    palette.resize(256, 0);
    auto le16 = [](std::vector<unsigned char>& out, int v) {
        out.push_back(static_cast<unsigned char>(v & 0xFF));
        out.push_back(static_cast<unsigned char>(v >> 8));
    };
    std::vector<unsigned char> out = {'G', 'I', 'F', '8', '9', 'a'};
    le16(out, p.width);
    le16(out, p.height);
    out.insert(out.end(), {0xF7, 0, 0});  // global table of 256 colours
    for (std::uint32_t c : palette)
        out.insert(out.end(), {static_cast<unsigned char>(c >> 16), static_cast<unsigned char>(c >> 8),
                               static_cast<unsigned char>(c)});
    out.push_back(0x2C);
    le16(out, 0);
    le16(out, 0);
    le16(out, p.width);
    le16(out, p.height);
    out.push_back(0);
    out.push_back(8);  // minimum code size
    std::vector<unsigned char> data;
    std::uint32_t bits = 0;
    int count = 0;
    auto put = [&](int code) {
        bits |= std::uint32_t(code) << count;
        count += 9;
        while (count >= 8) {
            data.push_back(static_cast<unsigned char>(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        if (i % 254 == 0) put(256);
        put(indexes[i]);
    }
    put(257);
    if (count > 0) data.push_back(static_cast<unsigned char>(bits & 0xFF));
    for (std::size_t i = 0; i < data.size(); i += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - i);
        out.push_back(static_cast<unsigned char>(n));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(i), data.begin() + static_cast<std::ptrdiff_t>(i + n));
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

inline std::optional<Pixels> decode(const std::vector<unsigned char>& bytes) {
    int w = 0, h = 0, n = 0;
    unsigned char* data = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &h, &n, 4);
    if (!data) return std::nullopt;
    Pixels p{w, h, std::vector<unsigned char>(data, data + std::size_t(w) * h * 4)};
    stbi_image_free(data);
    return p;
}

inline bool startsWith(const std::vector<unsigned char>& bytes, const std::string& magic) {
    if (bytes.size() < magic.size()) return false;
    for (std::size_t i = 0; i < magic.size(); ++i)
        if (bytes[i] != static_cast<unsigned char>(magic[i])) return false;
    return true;
}

}  // namespace velmora::testing
