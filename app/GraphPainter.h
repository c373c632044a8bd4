#pragma once
// The signal graph drawn straight into pixels: a row of thin green bars on dark green slots, the
// newest sample at the right, as a null-pen rectangle fill would leave them, at a fraction of its cost.
#include "app/SignalHistory.h"
#include "ui/PixelBuffer.h"

// The bar height value of a sample: the integer nearest to 0.52 x sample (13/25 has no ties for
// samples up to 255). A bar shows this value less one row.
constexpr int BarHeight(int sample) noexcept { return (26 * sample + 25) / 50; }

// Redraws the whole picture from the samples. Only the black background follows the picture's size;
// slots and bars keep their fixed places for 376 x 51 and are clipped to the picture.
void PaintSignalGraph(const SignalSamples& samples, const PixelBuffer& picture) noexcept;
