#pragma once
// The picture functions of Windows the converter needs: the GDI+ flat
// interface ("gdiplus.dll"), COM streams on global memory and CLSID parsing
// ("ole32.dll"), global memory and code-page conversion ("kernel32.dll") and
// GDI objects ("gdi32.dll"). Every function is bound by name at run time, so
// a system without one of them still runs the program; the converter then
// fails instead.
//
// The table is thin on purpose: each entry is one system call with the
// system's arguments and result, so the order of the calls stays with the
// caller. Handles are opaque; a null handle is "none".
#include <cstddef>
#include <cstdint>

namespace velmora::platform {

using GdiplusToken = std::uintptr_t;
using GpImage = void*;     // GpImage* / GpBitmap*
using ComStream = void*;   // IStream*
using GlobalMemory = void*;  // HGLOBAL
using GdiBitmap = void*;   // HBITMAP
using GpStatus = int;      // 0 is Ok
using HResult = std::int32_t;

// Laid out as a Windows GUID.
struct Clsid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};

// GdiplusStartupInput.
struct GdiplusStartupInput {
    std::uint32_t gdiplusVersion;
    void* debugEventCallback;
    std::int32_t suppressBackgroundThread;
    std::int32_t suppressExternalCodecs;
};

inline constexpr unsigned kGmemMoveable = 0x0002;  // GMEM_MOVEABLE
inline constexpr unsigned kCodePageGbk = 936;

class PictureFunctions {
public:
    // gdiplus.dll
    virtual GpStatus gdiplusStartup(GdiplusToken& token, const GdiplusStartupInput& input) = 0;
    virtual void gdiplusShutdown(GdiplusToken token) = 0;
    virtual GpStatus gdipCreateBitmapFromStream(ComStream stream, GpImage& image) = 0;
    virtual GpStatus gdipCreateHBITMAPFromBitmap(GpImage image, GdiBitmap& bitmap, std::uint32_t background) = 0;
    virtual GpStatus gdipCreateBitmapFromHBITMAP(GdiBitmap bitmap, void* palette, GpImage& image) = 0;
    virtual GpStatus gdipSaveImageToStream(GpImage image, ComStream stream, const Clsid& encoder,
                                           const void* encoderParameters) = 0;
    virtual GpStatus gdipDisposeImage(GpImage image) = 0;
    // ole32.dll
    virtual HResult createStreamOnHGlobal(GlobalMemory memory, bool deleteOnRelease, ComStream& stream) = 0;
    virtual HResult getHGlobalFromStream(ComStream stream, GlobalMemory& memory) = 0;
    virtual HResult clsidFromString(const char16_t* text, Clsid& clsid) = 0;
    // IUnknown::Release of a stream (a method of the object, not bound by name).
    virtual std::uint32_t releaseStream(ComStream stream) = 0;
    // kernel32.dll. length -1: the text with its NUL; returns the UTF-16
    // units written (NUL included), 0 on failure.
    virtual int multiByteToWideChar(unsigned codePage, const char* text, int length, char16_t* out,
                                    int outUnits) = 0;
    virtual GlobalMemory globalAlloc(unsigned flags, std::size_t bytes) = 0;
    virtual void* globalLock(GlobalMemory memory) = 0;
    virtual bool globalUnlock(GlobalMemory memory) = 0;
    virtual std::size_t globalSize(GlobalMemory memory) = 0;
    virtual GlobalMemory globalFree(GlobalMemory memory) = 0;
    // gdi32.dll
    virtual bool deleteObject(GdiBitmap bitmap) = 0;

protected:
    ~PictureFunctions() = default;
};

// The bound functions; nothing when a DLL or one of the functions is
// missing (the binding is tried again at the next call).
PictureFunctions* pictureFunctions();

}  // namespace velmora::platform
