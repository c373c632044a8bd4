#include "ui/DibSurface.h"

#include <stdexcept>

namespace {
constexpr const char* outOfResources = "Out of system resources";

HDC CreateMemoryDc()
{
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        throw std::runtime_error(outOfResources);
    return dc;
}

HBITMAP CreateTopDownDib(HDC dc, int width, int height, std::uint32_t*& bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: the first row in memory is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    if (!bitmap)
        throw std::runtime_error(outOfResources);
    bits = static_cast<std::uint32_t*>(memory);
    return bitmap;
}
}  // namespace

DibSurface::DibSurface(int width, int height)
    : width_(width), height_(height), dc_(CreateMemoryDc()), bitmap_(CreateTopDownDib(dc_.handle, width, height, bits_)),
      selection_(dc_.handle, bitmap_.handle)
{
}

PixelBuffer DibSurface::pixels() const noexcept
{
    GdiFlush();
    return {bits_, width_, height_, width_};
}
