// The picture functions of Windows, bound by name at run time.
#include <windows.h>
#include <objidl.h>

#include <type_traits>

#include "platform/Pictures.h"
#include "platform/win32/LateBound.h"

namespace velmora::platform {
namespace {

// The flat GDI+ entry points as gdiplus.dll exports them (WINAPI); images,
// bitmaps and streams are passed as opaque pointers.
using GdiplusStartupFn = GpStatus(WINAPI*)(ULONG_PTR*, const GdiplusStartupInput*, void*);
using GdiplusShutdownFn = void(WINAPI*)(ULONG_PTR);
using CreateBitmapFromStreamFn = GpStatus(WINAPI*)(IStream*, void**);
using CreateHBITMAPFromBitmapFn = GpStatus(WINAPI*)(void*, HBITMAP*, DWORD);
using CreateBitmapFromHBITMAPFn = GpStatus(WINAPI*)(HBITMAP, HPALETTE, void**);
using SaveImageToStreamFn = GpStatus(WINAPI*)(void*, IStream*, const CLSID*, const void*);
using DisposeImageFn = GpStatus(WINAPI*)(void*);
using CreateStreamOnHGlobalFn = HRESULT(WINAPI*)(HGLOBAL, BOOL, IStream**);
using GetHGlobalFromStreamFn = HRESULT(WINAPI*)(IStream*, HGLOBAL*);
using CLSIDFromStringFn = HRESULT(WINAPI*)(LPCOLESTR, CLSID*);
using MultiByteToWideCharFn = int(WINAPI*)(UINT, DWORD, LPCSTR, int, LPWSTR, int);
using GlobalAllocFn = HGLOBAL(WINAPI*)(UINT, SIZE_T);
using GlobalLockFn = LPVOID(WINAPI*)(HGLOBAL);
using GlobalUnlockFn = BOOL(WINAPI*)(HGLOBAL);
using GlobalSizeFn = SIZE_T(WINAPI*)(HGLOBAL);
using GlobalFreeFn = HGLOBAL(WINAPI*)(HGLOBAL);
using DeleteObjectFn = BOOL(WINAPI*)(HGDIOBJ);

static_assert(sizeof(Clsid) == sizeof(CLSID));
static_assert(sizeof(char16_t) == sizeof(wchar_t));

IStream* stream(ComStream s) { return static_cast<IStream*>(s); }

class Win32Pictures final : public PictureFunctions {
public:
    // Binds every function; false when a DLL or a function is missing.
    bool bind() {
        bool all = true;
        auto get = [&all](const char* dll, const char* name, auto& function) {
            function = win32::lateBound<std::remove_reference_t<decltype(function)>>(dll, name);
            if (!function) all = false;
        };
        get("gdiplus.dll", "GdiplusStartup", startup_);
        get("gdiplus.dll", "GdiplusShutdown", shutdown_);
        get("gdiplus.dll", "GdipCreateBitmapFromStream", fromStream_);
        get("gdiplus.dll", "GdipCreateHBITMAPFromBitmap", toHbitmap_);
        get("gdiplus.dll", "GdipCreateBitmapFromHBITMAP", fromHbitmap_);
        get("gdiplus.dll", "GdipSaveImageToStream", save_);
        get("gdiplus.dll", "GdipDisposeImage", dispose_);
        get("ole32.dll", "CreateStreamOnHGlobal", createStream_);
        get("ole32.dll", "GetHGlobalFromStream", hglobalOf_);
        get("ole32.dll", "CLSIDFromString", parseClsid_);
        get("kernel32.dll", "MultiByteToWideChar", toWide_);
        get("kernel32.dll", "GlobalAlloc", alloc_);
        get("kernel32.dll", "GlobalLock", lock_);
        get("kernel32.dll", "GlobalUnlock", unlock_);
        get("kernel32.dll", "GlobalSize", size_);
        get("kernel32.dll", "GlobalFree", free_);
        get("gdi32.dll", "DeleteObject", deleteObject_);
        return all;
    }

    GpStatus gdiplusStartup(GdiplusToken& token, const GdiplusStartupInput& input) override {
        ULONG_PTR t = 0;
        const GpStatus status = startup_(&t, &input, nullptr);
        token = t;
        return status;
    }
    void gdiplusShutdown(GdiplusToken token) override { shutdown_(token); }
    GpStatus gdipCreateBitmapFromStream(ComStream s, GpImage& image) override { return fromStream_(stream(s), &image); }
    GpStatus gdipCreateHBITMAPFromBitmap(GpImage image, GdiBitmap& bitmap, std::uint32_t background) override {
        HBITMAP b = nullptr;
        const GpStatus status = toHbitmap_(image, &b, background);
        bitmap = b;
        return status;
    }
    GpStatus gdipCreateBitmapFromHBITMAP(GdiBitmap bitmap, void* palette, GpImage& image) override {
        return fromHbitmap_(static_cast<HBITMAP>(bitmap), static_cast<HPALETTE>(palette), &image);
    }
    GpStatus gdipSaveImageToStream(GpImage image, ComStream s, const Clsid& encoder, const void* parameters) override {
        return save_(image, stream(s), reinterpret_cast<const CLSID*>(&encoder), parameters);
    }
    GpStatus gdipDisposeImage(GpImage image) override { return dispose_(image); }

    HResult createStreamOnHGlobal(GlobalMemory memory, bool deleteOnRelease, ComStream& s) override {
        IStream* created = nullptr;
        const HRESULT hr = createStream_(memory, deleteOnRelease ? TRUE : FALSE, &created);
        s = created;
        return hr;
    }
    HResult getHGlobalFromStream(ComStream s, GlobalMemory& memory) override {
        HGLOBAL m = nullptr;
        const HRESULT hr = hglobalOf_(stream(s), &m);
        memory = m;
        return hr;
    }
    HResult clsidFromString(const char16_t* text, Clsid& clsid) override {
        return parseClsid_(reinterpret_cast<LPCOLESTR>(text), reinterpret_cast<CLSID*>(&clsid));
    }
    std::uint32_t releaseStream(ComStream s) override { return stream(s)->Release(); }

    int multiByteToWideChar(unsigned codePage, const char* text, int length, char16_t* out, int outUnits) override {
        return toWide_(codePage, 0, text, length, reinterpret_cast<LPWSTR>(out), outUnits);
    }
    GlobalMemory globalAlloc(unsigned flags, std::size_t bytes) override { return alloc_(flags, bytes); }
    void* globalLock(GlobalMemory memory) override { return lock_(memory); }
    bool globalUnlock(GlobalMemory memory) override { return unlock_(memory) != FALSE; }
    std::size_t globalSize(GlobalMemory memory) override { return size_(memory); }
    GlobalMemory globalFree(GlobalMemory memory) override { return free_(memory); }
    bool deleteObject(GdiBitmap bitmap) override { return deleteObject_(static_cast<HGDIOBJ>(bitmap)) != FALSE; }

private:
    GdiplusStartupFn startup_ = nullptr;
    GdiplusShutdownFn shutdown_ = nullptr;
    CreateBitmapFromStreamFn fromStream_ = nullptr;
    CreateHBITMAPFromBitmapFn toHbitmap_ = nullptr;
    CreateBitmapFromHBITMAPFn fromHbitmap_ = nullptr;
    SaveImageToStreamFn save_ = nullptr;
    DisposeImageFn dispose_ = nullptr;
    CreateStreamOnHGlobalFn createStream_ = nullptr;
    GetHGlobalFromStreamFn hglobalOf_ = nullptr;
    CLSIDFromStringFn parseClsid_ = nullptr;
    MultiByteToWideCharFn toWide_ = nullptr;
    GlobalAllocFn alloc_ = nullptr;
    GlobalLockFn lock_ = nullptr;
    GlobalUnlockFn unlock_ = nullptr;
    GlobalSizeFn size_ = nullptr;
    GlobalFreeFn free_ = nullptr;
    DeleteObjectFn deleteObject_ = nullptr;
};

}  // namespace

PictureFunctions* pictureFunctions() {
    // The libraries stay loaded once bound; GDI+ itself is started and shut
    // down by each conversion.
    static Win32Pictures functions;
    static bool bound = false;
    if (!bound) bound = functions.bind();
    return bound ? &functions : nullptr;
}

}  // namespace velmora::platform
