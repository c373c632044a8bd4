#include "app/GraphPainter.h"

#include <algorithm>

namespace {
constexpr int slotPitch = 5;
// One below the bottom row of a 51-row graph: a rectangle filled without an outline stops one
// pixel short of its bounds, so this reaches the bottom row 50.
constexpr int graphBottom = 52;
constexpr std::uint32_t background = PixelColour(0, 0, 0);
constexpr std::uint32_t emptySlot = PixelColour(0, 70, 0);

// Fills the columns left..right-1 and the rows top..bottom-1, clipped to the picture.
void FillArea(const PixelBuffer& picture, int left, int top, int right, int bottom, std::uint32_t colour) noexcept
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, picture.width);
    bottom = std::min(bottom, picture.height);
    if (left >= right || top >= bottom)
        return;
    std::uint32_t* row = picture.pixels + top * picture.stride + left;
    for (int y = top; y < bottom; ++y, row += picture.stride)
        std::fill_n(row, right - left, colour);
}

// The rectangle (x1, y1, x2, y2) as a null-pen rectangle fills it: the columns x1 to x2 - 2 and the
// rows y1 to y2 - 2.
void FillWithoutOutline(const PixelBuffer& picture, int x1, int y1, int x2, int y2, std::uint32_t colour) noexcept
{
    FillArea(picture, x1, y1, x2 - 1, y2 - 1, colour);
}

// The green of bar i grows by 2 a place, so the oldest visible bar blends into its slot.
constexpr std::uint32_t BarColour(int index) noexcept
{
    return PixelColour(0, static_cast<std::uint8_t>(68 + 2 * index), 0);
}
}  // namespace

void PaintSignalGraph(const SignalSamples& samples, const PixelBuffer& picture) noexcept
{
    if (!picture.pixels || picture.width <= 0 || picture.height <= 0 || picture.stride < picture.width)
        return;
    // Background and slots look the same in every row the slots reach: paint the top row, copy it down.
    const PixelBuffer topRow{picture.pixels, picture.width, 1, picture.stride};
    FillArea(topRow, 0, 0, picture.width, 1, background);
    // Slot 0 lies left of the picture: sample 0 is never seen.
    for (int i = 0; i < static_cast<int>(SignalSamples::count); ++i)
        FillWithoutOutline(topRow, slotPitch * i - slotPitch, 0, slotPitch * i, graphBottom, emptySlot);
    const int slotRows = std::min(picture.height, graphBottom - 1);
    for (int y = 1; y < slotRows; ++y)
        std::copy_n(picture.pixels, picture.width, picture.pixels + y * picture.stride);
    FillArea(picture, 0, slotRows, picture.width, picture.height, background);

    for (int i = 0; i < static_cast<int>(SignalSamples::count); ++i) {
        const int top = graphBottom - BarHeight(samples.values[i]);
        FillWithoutOutline(picture, slotPitch * i - slotPitch, top, slotPitch * i, graphBottom, BarColour(i));
    }
}
