// Times convertPicture on a 24-megapixel picture against a bare GDI+ load
// from file + save to file, in one run, and reports the peak memory.
// Windows only (run under Wine here): velmora-converter-bench [width height]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "converter/Converter.h"
#include "platform/Files.h"
#include "platform/Pictures.h"

namespace {

using Startup = int(WINAPI*)(ULONG_PTR*, const velmora::platform::GdiplusStartupInput*, void*);
using Shutdown = void(WINAPI*)(ULONG_PTR);
using LoadFromFile = int(WINAPI*)(const wchar_t*, void**);
using SaveToFile = int(WINAPI*)(void*, const wchar_t*, const CLSID*, const void*);
using Dispose = int(WINAPI*)(void*);

template <class F>
F bind(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

double seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

void memory(const char* label) {
    PROCESS_MEMORY_COUNTERS m{};
    m.cb = sizeof m;
    GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
    std::printf("%-28s peak working set %7.1f MB, peak pagefile %7.1f MB\n", label,
                m.PeakWorkingSetSize / 1048576.0, m.PeakPagefileUsage / 1048576.0);
}

}  // namespace

int main(int argc, char** argv) {
    const int width = argc > 2 ? std::atoi(argv[1]) : 6000;
    const int height = argc > 2 ? std::atoi(argv[2]) : 4000;
    // Bare GDI+ for making the input and for the baseline.
    HMODULE gdiplus = LoadLibraryA("gdiplus.dll");
    auto startup = bind<Startup>(gdiplus, "GdiplusStartup");
    auto shutdown = bind<Shutdown>(gdiplus, "GdiplusShutdown");
    auto load = bind<LoadFromFile>(gdiplus, "GdipLoadImageFromFile");
    auto save = bind<SaveToFile>(gdiplus, "GdipSaveImageToFile");
    auto dispose = bind<Dispose>(gdiplus, "GdipDisposeImage");
    if (!startup || !shutdown || !load || !save || !dispose) {
        std::puts("GDI+ missing");
        return 1;
    }

    const CLSID bmpEncoder = {0x557CF400, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    const CLSID jpegEncoder = {0x557CF401, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    velmora::platform::GdiplusStartupInput input{1, nullptr, 0, 0};

    // The input, made with little memory of our own: a 24-bit BMP written
    // row by row, re-encoded by GDI+ (file to file) as a JPEG photo.
    {
        std::FILE* f = std::fopen("bench-source.bmp", "wb");
        const std::size_t row = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
        BITMAPFILEHEADER fh{0x4D42, DWORD(54 + row * height), 0, 0, 54};
        BITMAPINFOHEADER ih{sizeof ih, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        std::fwrite(&fh, sizeof fh, 1, f);
        std::fwrite(&ih, sizeof ih, 1, f);
        std::vector<unsigned char> line(row);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                unsigned char* p = &line[std::size_t(x) * 3];
                p[0] = static_cast<unsigned char>(x * 7 + y), p[1] = static_cast<unsigned char>(y * 3),
                p[2] = static_cast<unsigned char>(x ^ y);
            }
            std::fwrite(line.data(), 1, row, f);
        }
        std::fclose(f);
        ULONG_PTR token = 0;
        startup(&token, &input, nullptr);
        void* image = nullptr;
        load(L"bench-source.bmp", &image);
        const int made = save(image, L"bench-input.jpg", &jpegEncoder, nullptr);
        dispose(image);
        shutdown(token);
        DeleteFileA("bench-source.bmp");
        if (made != 0) {
            std::printf("making the input failed: %d\n", made);
            return 1;
        }
    }
    const std::size_t inputSize = velmora::platform::readWholeFile("bench-input.jpg").value_or(std::vector<unsigned char>{}).size();
    std::printf("input: %d x %d JPEG, %.1f MB\n", width, height, inputSize / 1048576.0);
    memory("after making the input");

    // Three rounds, the two ways alternating, so that neither profits from
    // running second; the medians count.
    std::vector<double> baseTimes, convTimes;
    int status = -1, converted = 0;
    bool written = false;
    std::size_t bmpSize = 0;
    for (int round = 0; round < 3; ++round) {
        LARGE_INTEGER t0, t1, t2, t3;

        // Baseline: GDI+ load from file + save to file, nothing else.
        QueryPerformanceCounter(&t0);
        ULONG_PTR token = 0;
        startup(&token, &input, nullptr);
        void* image = nullptr;
        load(L"bench-input.jpg", &image);
        status = save(image, L"bench-baseline.bmp", &bmpEncoder, nullptr);
        dispose(image);
        shutdown(token);
        QueryPerformanceCounter(&t1);
        if (round == 0) memory("after the baseline");

        // The converter as the button runs it: read, convert, write.
        QueryPerformanceCounter(&t2);
        std::vector<unsigned char> bytes =
            velmora::platform::readWholeFile("bench-input.jpg").value_or(std::vector<unsigned char>{});
        std::vector<unsigned char> result;
        converted = velmora::convertPicture(bytes, velmora::PictureBmp, {}, &result);
        written = velmora::platform::writeWholeFile("bench-converted.bmp", result);
        QueryPerformanceCounter(&t3);
        if (round == 0) memory("after convertPicture");
        bmpSize = result.size();
        baseTimes.push_back(seconds(t0, t1));
        convTimes.push_back(seconds(t2, t3));
        std::printf("round %d: baseline %.2f s, convertPicture %.2f s\n", round + 1, baseTimes.back(), convTimes.back());
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const double base = median(baseTimes), conv = median(convTimes);
    std::printf("baseline status %d, convertPicture %d, written %d, BMP %.1f MB\n", status, converted, written,
                bmpSize / 1048576.0);
    std::printf("median: baseline %.2f s, convertPicture %.2f s, ratio %.2f\n", base, conv, conv / base);
    DeleteFileA("bench-input.jpg");
    DeleteFileA("bench-baseline.bmp");
    DeleteFileA("bench-converted.bmp");
    return 0;
}
