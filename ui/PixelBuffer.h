#pragma once
// A 32-bit picture in memory as a 32-bit DIB section holds it: rows top-down, each pixel
// 0x00RRGGBB (blue in the low byte). It only points at pixels that belong to someone else.
#include <cstddef>
#include <cstdint>

struct PixelBuffer {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    // Pixels from the start of one row to the start of the next; at least width.
    std::ptrdiff_t stride = 0;
};

constexpr std::uint32_t PixelColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) noexcept
{
    return std::uint32_t{red} << 16 | std::uint32_t{green} << 8 | blue;
}
