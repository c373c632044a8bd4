#include "app/GraphPainter.h"

#include "tests/SamplesAfter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <vector>

namespace {
constexpr std::uint32_t black = PixelColour(0, 0, 0);
constexpr std::uint32_t slotGreen = PixelColour(0, 70, 0);
constexpr std::uint32_t untouched = 0xDEADBEEF;

// A bar as it should be seen: four columns from firstColumn, `rows` rows up from the bottom row 50.
struct Bar {
    int firstColumn;
    int rows;
    int green;
};

// What the graph must look like: 75 slots of four columns with one black column after each, 51 rows
// high, black elsewhere, the given bars over them; cut to the picture's size.
std::uint32_t ExpectedPixel(int x, int y, std::initializer_list<Bar> bars)
{
    for (const Bar& bar : bars)
        if (x >= bar.firstColumn && x < bar.firstColumn + 4 && y > 50 - bar.rows && y <= 50)
            return PixelColour(0, static_cast<std::uint8_t>(bar.green), 0);
    return x <= 373 && x % 5 < 4 && y <= 50 ? slotGreen : black;
}

struct Picture {
    int width;
    int height;
    std::ptrdiff_t stride;
    std::vector<std::uint32_t> pixels;

    Picture(int width, int height, std::ptrdiff_t stride)
        : width(width), height(height), stride(stride), pixels(static_cast<std::size_t>(stride) * height, untouched)
    {
    }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * stride + x)]; }
};

Picture Paint(const SignalSamples& samples, int width = 376, int height = 51, std::ptrdiff_t stride = 376)
{
    Picture picture(width, height, stride);
    PaintSignalGraph(samples, {picture.pixels.data(), width, height, stride});
    return picture;
}

// Compares every pixel, and checks that the padding at the end of each row is left alone.
void ExpectPicture(const Picture& picture, std::initializer_list<Bar> bars, const std::string& what)
{
    int wrong = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.stride; ++x) {
            const std::uint32_t expected = x < picture.width ? ExpectedPixel(x, y, bars) : untouched;
            if (picture.at(x, y) != expected && ++wrong <= 5)
                ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") is " << std::hex << picture.at(x, y)
                              << ", expected " << expected;
        }
    EXPECT_EQ(wrong, 0) << what;
}

}  // namespace

TEST(GraphPainter, BarHeightIsTheNearestIntegerToTheExtendedPrecisionProduct)
{
    ASSERT_EQ(std::numeric_limits<long double>::digits, 64) << "needs the 80-bit extended type";
    for (int sample = 0; sample <= 255; ++sample)
        EXPECT_EQ(BarHeight(sample), std::nearbyint(0.52L * sample)) << sample;
}

TEST(GraphPainter, DrawsSlotsAndBarsOfTheSamples)
{
    struct Case {
        const char* what;
        SignalSamples samples;
        std::initializer_list<Bar> bars;
    };
    const Case cases[] = {
        {"empty history", After({}), {}},
        {"one push of 100", After({100}), {{370, 51, 218}}},
        {"100 after 73 zeros", After({100}, 73), {{5, 51, 72}}},
        {"100 after 74 zeros, slot colour", After({100}, 74), {}},
        {"100 after 75 zeros, gone", After({100}, 75), {}},
        {"150 as high as 100", After({150}), {{370, 51, 218}}},
        {"255", After({255}), {{370, 51, 218}}},
        {"a push of 300 saturates", After({300}), {{370, 51, 218}}},
        {"2 draws nothing", After({2}), {}},
        {"3 the bottom row", After({3}), {{370, 1, 218}}},
        {"4 the bottom row", After({4}), {{370, 1, 218}}},
        {"50", After({50}), {{370, 25, 218}}},
        {"98", After({98}), {{370, 50, 218}}},
        {"99", After({99}), {{370, 50, 218}}},
        {"each place its own green", After({50, 100, 3}), {{360, 25, 214}, {365, 51, 216}, {370, 1, 218}}},
    };
    for (const Case& c : cases)
        ExpectPicture(Paint(c.samples), c.bars, c.what);
}

TEST(GraphPainter, OnlyTheBackgroundFollowsThePictureSize)
{
    const SignalSamples samples = After({100, 50}, 55);  // the 100 at index 19, columns 90 to 93
    struct Case {
        int width;
        int height;
        std::ptrdiff_t stride;
    };
    const Case cases[] = {
        {400, 60, 400},   // black right of the last slot and below row 50
        {400, 60, 403},   // rows with padding after them
        {100, 20, 104},   // slots and bars cut at the right and at the bottom
        {1, 1, 1},
    };
    for (const Case& c : cases)
        ExpectPicture(Paint(samples, c.width, c.height, c.stride), {{90, 51, 106}, {95, 25, 108}},
                      std::to_string(c.width) + "x" + std::to_string(c.height) + " stride " + std::to_string(c.stride));
}

TEST(GraphPainter, LeavesAnUnusableBufferAlone)
{
    const SignalSamples samples = After({100});
    struct Case {
        int width;
        int height;
        std::ptrdiff_t stride;
    };
    const Case cases[] = {{0, 4, 4}, {4, 0, 4}, {-4, 4, 4}, {4, -1, 4}, {4, 4, 3}};
    for (const Case& c : cases) {
        std::vector<std::uint32_t> pixels(16, untouched);
        PaintSignalGraph(samples, {pixels.data(), c.width, c.height, c.stride});
        EXPECT_EQ(pixels, std::vector<std::uint32_t>(16, untouched)) << c.width << "x" << c.height << " stride " << c.stride;
    }
    PaintSignalGraph(samples, {nullptr, 376, 51, 376});
}
