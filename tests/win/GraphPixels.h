#pragma once
// Reading the signal graph's pixels back, and the pixels the graph should show for some samples.
#include "app/GraphPainter.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

inline constexpr int graphWidth = 376;
inline constexpr int graphHeight = 51;

// What GDI holds in a DC: copied into a bitmap of the DC's own kind and read back with GetDIBits as
// 0x00RRGGBB rows, top row first.
inline std::vector<std::uint32_t> ReadPixels(HDC source, int width, int height)
{
    struct DcDeleter {
        void operator()(HDC dc) const { DeleteDC(dc); }
    };
    struct ObjectDeleter {
        void operator()(HGDIOBJ object) const { DeleteObject(object); }
    };
    std::unique_ptr<HDC__, DcDeleter> memory(CreateCompatibleDC(source));
    std::unique_ptr<HBITMAP__, ObjectDeleter> copy(CreateCompatibleBitmap(source, width, height));
    const HGDIOBJ previous = SelectObject(memory.get(), copy.get());
    BitBlt(memory.get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    SelectObject(memory.get(), previous);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    EXPECT_EQ(GetDIBits(memory.get(), copy.get(), 0, height, pixels.data(), &info, DIB_RGB_COLORS), height);
    for (std::uint32_t& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

// The graph of these samples, painted into memory.
inline std::vector<std::uint32_t> PaintedInMemory(const SignalSamples& samples)
{
    std::vector<std::uint32_t> pixels(graphWidth * graphHeight);
    PaintSignalGraph(samples, {pixels.data(), graphWidth, graphHeight, graphWidth});
    return pixels;
}
