// convertPicture on the stand-in with any bytes and any format code: the
// result is 0 with the result buffer untouched and no file written, or 1
// with a picture of the format that decodes to the size of the source; BMP
// output begins with "BM". Every handle, stream, memory block and GDI+
// start-up is released again.
//
// Input: one byte choosing the format code, one byte of flags (1: flatten,
// 2: also write an output file), then the picture's bytes.
#include <sys/stat.h>
#include <unistd.h>

#include <stb/stb_image.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "converter/Converter.h"
#include "fuzz/FuzzText.h"
#include "platform/standin/PictureCodec.h"
#include "platform/standin/StandIn.h"

using namespace velmora;
using namespace velmora::fuzz;

namespace {

constexpr std::int32_t kCodes[] = {1, 2, 3, 4, 5, 0, 6, -1, 7, 255, INT32_MIN, INT32_MAX};
const char* const kExtensions[] = {".bmp", ".jpg", ".gif", ".tiff", ".png"};

const std::string& outputBase() {
    static const std::string base = [] {
        char pattern[] = "/tmp/velmora-fuzz-convert-XXXXXX";
        const char* dir = mkdtemp(pattern);
        if (!dir) fail("cannot make a temporary directory");
        return std::string(dir) + "/out";
    }();
    return base;
}

bool exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::int32_t format = kCodes[data[0] % std::size(kCodes)];
    const bool flatten = data[1] & 1;
    const bool toFile = data[1] & 2;
    const std::vector<unsigned char> picture(data + 2, data + size);

    // The converter has no limit on a picture's size other than memory; a
    // few header bytes can claim gigabytes of pixels. Such pictures are
    // left out here, so that running out of memory is not taken for a fault,
    // and so are pictures large enough that the stand-in's PNG encoder,
    // slow under the sanitizers, would pass the time limit (a 25-byte TGA
    // of 512 x 6144 pixels took 10 s): half a million pixels at the most.
    int w = 0, h = 0, comp = 0;
    if (!standin::jpegHuffmanTablesFit(picture)) return 0;  // stb_image would write past its table
    if (stbi_info_from_memory(picture.data(), static_cast<int>(picture.size()), &w, &h, &comp) &&
        static_cast<long long>(w) * h > (1 << 19))
        return 0;

    standin::reset();
    const std::string outputFile = toFile ? outputBase() : std::string();
    const std::string writtenName =
        format >= 1 && format <= 5 ? outputBase() + kExtensions[format - 1] : outputBase() + ".none";
    if (toFile) ::unlink(writtenName.c_str());

    std::vector<unsigned char> result = {0xEE};
    const int converted = convertPicture(picture, format, outputFile, &result, flatten);

    const auto& codec = standin::pictureCodec();
    check(codec.blocks.empty() && codec.streams.empty() && codec.images.empty() && codec.bitmaps.empty(),
          "the conversion left handles behind");
    check(codec.gdiplusRunning == 0, "GDI+ not shut down");
    if (picture.size() < 3) check(codec.gdiplusStartups == 0, "GDI+ started for a picture of fewer than 3 bytes");

    if (converted == 0) {
        check(result.size() == 1 && result[0] == 0xEE, "result changed on failure");
        if (toFile) check(!exists(writtenName), "a file was written on failure");
        return 0;
    }
    check(converted == 1, "result neither 0 nor 1");
    check(format >= 1 && format <= 5, "a conversion with an unknown format code");
    check(!result.empty(), "success without bytes");
    if (format == PictureBmp) check(result.size() >= 2 && result[0] == 'B' && result[1] == 'M', "BMP without BM");
    int sw = 0, sh = 0, rw = 0, rh = 0, c = 0;
    check(stbi_info_from_memory(picture.data(), static_cast<int>(picture.size()), &sw, &sh, &c) == 1,
          "a conversion of something that is no picture");
    if (format != PictureTiff) {
        unsigned char* pixels = stbi_load_from_memory(result.data(), static_cast<int>(result.size()), &rw, &rh, &c, 0);
        check(pixels != nullptr, "the converted picture does not decode");
        stbi_image_free(pixels);
        check(rw == sw && rh == sh, "the converted picture has another size");
    }
    if (toFile) {
        std::ifstream in(writtenName, std::ios::binary);
        const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        check(file == result, "the output file differs from the result");
    }
    return 0;
}
