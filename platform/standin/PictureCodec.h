#pragma once
// The stand-in's GDI+, COM streams and global memory: pictures are really
// decoded (BMP, PNG, JPEG, GIF) and encoded (BMP, PNG, JPEG; GIF and TIFF
// give a failed status) with stb_image. Every call goes into
// standin::state().calls as "Name(arguments) = result", handles written as
// mem<n>, stream<n>, image<n>, hbitmap<n>.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace velmora::standin {

struct PictureCodec {
    // Names of DLLs ("gdiplus.dll") or functions ("GdipSaveImageToStream")
    // that cannot be bound.
    std::set<std::string> missing;
    // GlobalAlloc gives no memory.
    bool allocationFails = false;

    // What exists now (for checks that everything was released).
    struct Block {
        std::vector<unsigned char> bytes;
        int locks = 0;
    };
    struct Stream {
        std::uintptr_t memory;
        bool ownsMemory;
        int references;
    };
    struct Image {
        int width, height;
        bool alpha;
        std::vector<unsigned char> rgba;
        std::uintptr_t source;  // the stream it was decoded from, 0 for none
    };
    struct Bitmap {
        int width, height;
        std::vector<unsigned char> rgba;  // opaque
    };
    std::map<std::uintptr_t, Block> blocks;
    std::map<std::uintptr_t, Stream> streams;
    std::map<std::uintptr_t, Image> images;
    std::map<std::uintptr_t, Bitmap> bitmaps;
    int gdiplusRunning = 0;  // startups not yet shut down
    int gdiplusStartups = 0;
    std::uintptr_t nextHandle = 0x10;
};

PictureCodec& pictureCodec();

// False for a JPEG with a DHT segment of more than 256 codes, which Debian's
// stb_image cannot read without writing past its table; the stand-in's
// GDI+ rejects such a picture as corrupt without giving it to stb_image.
bool jpegHuffmanTablesFit(const std::vector<unsigned char>& bytes);

}  // namespace velmora::standin
