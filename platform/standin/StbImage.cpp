// The implementation of the stb_image decoder and encoder used by the
// stand-in's GDI+ (compiled without warnings: third-party code).
#include <cstring>

// stb_image copies zero bytes into a buffer it has not allocated yet when a
// PNG's first IDAT chunk is empty, and the C library's memcpy must not be
// given a null pointer even for zero bytes. Its copies go through this one.
namespace {
void* copyBytes(void* to, const void* from, std::size_t n) { return n == 0 ? to : std::memcpy(to, from, n); }
}  // namespace
#define memcpy copyBytes

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>
