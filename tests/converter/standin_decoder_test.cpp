// Pictures that once broke the stand-in's GDI+ (found by fuzzing): each
// must end in a clean failure with nothing left behind, as with GDI+.
#include <gtest/gtest.h>

#include <vector>

#include "converter/Converter.h"
#include "platform/standin/StandIn.h"
#include "tests/converter/NothingLeft.h"
#include "tests/converter/TestPictures.h"

namespace velmora::testing {
namespace {

// A JPEG whose DHT segment declares more than 256 codes: stb_image wrote
// past its Huffman table on it (while decoding and while reading the size).
TEST(StandInDecoder, JpegWithOversizedHuffmanTableFails) {
    std::vector<unsigned char> jpeg = {0xFF, 0xD8, 0xFF, 0xC4};
    const unsigned length = 2 + 17 + 16 * 17;
    jpeg.push_back(static_cast<unsigned char>(length >> 8));
    jpeg.push_back(static_cast<unsigned char>(length & 0xFF));
    jpeg.push_back(0x00);                        // DC table 0
    for (int i = 0; i < 16; ++i) jpeg.push_back(17);  // 272 codes
    jpeg.insert(jpeg.end(), 16 * 17, 0x01);
    jpeg.insert(jpeg.end(), {0xFF, 0xD9});
    EXPECT_FALSE(standin::jpegHuffmanTablesFit(jpeg));
    // Fill bytes before the start marker, which stb_image skips.
    std::vector<unsigned char> filled = jpeg;
    filled.insert(filled.begin(), {0xFF, 0xFF});
    EXPECT_FALSE(standin::jpegHuffmanTablesFit(filled));
    // A segment length that ends inside a table's counts: the table is read.
    std::vector<unsigned char> shortSegment = jpeg;
    shortSegment[4] = 0x00;
    shortSegment[5] = 0x04;
    EXPECT_FALSE(standin::jpegHuffmanTablesFit(shortSegment));

    standin::reset();
    std::vector<unsigned char> result = {7};
    EXPECT_EQ(convertPicture(jpeg, PictureBmp, {}, &result), 0);
    EXPECT_EQ(result, std::vector<unsigned char>{7});
    expectNothingLeft();

    // An ordinary JPEG still passes the test and converts.
    const auto good = encodeJpeg(pattern(4, 3));
    EXPECT_TRUE(standin::jpegHuffmanTablesFit(good));
    EXPECT_EQ(convertPicture(good, PictureBmp, {}, &result), 1);
    expectNothingLeft();
}

// A PNG whose first IDAT chunk is empty: stb_image copied its zero bytes
// into a buffer not yet allocated (a null pointer given to memcpy, which
// the sanitizer build reports). The input is the one fuzzing found.
TEST(StandInDecoder, PngWithEmptyFirstDataChunkEndsCleanly) {
    const std::vector<unsigned char> png = {
        0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
        0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x0a, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x49, 0x44, 0x41, 0x54, 0x78, 0x5e, 0x32, 0xf8, 0xcf, 0x00, 0x44, 0xff, 0x19, 0x1a, 0x18, 0x40, 0x34,
        0x27, 0x27, 0xe7, 0x7f, 0x00, 0x37, 0x51, 0x00, 0x00, 0x00, 0x97, 0xa9, 0x2d, 0x00, 0x00, 0x00, 0x62, 0x49,
        0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    standin::reset();
    std::vector<unsigned char> result = {7};
    const int converted = convertPicture(png, PictureBmp, {}, &result);
    if (converted == 0) {
        EXPECT_EQ(result, std::vector<unsigned char>{7});
    } else {
        ASSERT_GE(result.size(), 2u);
        EXPECT_EQ(result[0], 'B');
        EXPECT_EQ(result[1], 'M');
    }
    expectNothingLeft();
}

// A BMP of 514 x 0 pixels: stb_image decoded it, and its PNG did not
// decode again. GDI+ makes no image of it: the conversion fails cleanly.
TEST(StandInDecoder, BmpWithoutRowsFails) {
    std::vector<unsigned char> bmp = encodeBmp(pattern(514, 1));
    bmp[22] = bmp[23] = bmp[24] = bmp[25] = 0;  // the height
    standin::reset();
    for (const PictureFormat format : {PictureBmp, PicturePng}) {
        std::vector<unsigned char> result = {7};
        EXPECT_EQ(convertPicture(bmp, format, {}, &result, true), 0) << format;
        EXPECT_EQ(result, std::vector<unsigned char>{7});
        expectNothingLeft();
    }
}

// A JPEG holds its width and height in 16 bits: a wider picture cannot
// become a JPEG (the encoder used to write the width cut to 16 bits and
// report success); BMP and PNG take it.
TEST(StandInDecoder, PictureWiderThanAJpegCanHoldFailsAsJpegOnly) {
    const auto wide = encodeBmp(pattern(65536, 1));
    standin::reset();
    struct Case {
        PictureFormat format;
        int expected;
    };
    for (const Case c : {Case{PictureJpeg, 0}, Case{PictureBmp, 1}, Case{PicturePng, 1}}) {
        std::vector<unsigned char> result = {7};
        EXPECT_EQ(convertPicture(wide, c.format, {}, &result), c.expected) << c.format;
        if (c.expected == 0) {
            EXPECT_EQ(result, std::vector<unsigned char>{7});
        } else {
            const auto back = decode(result);
            ASSERT_TRUE(back.has_value()) << c.format;
            EXPECT_EQ(back->width, 65536);
        }
        expectNothingLeft();
    }
}

}  // namespace
}  // namespace velmora::testing
