#include "app/SignalGraph.h"

#include "GraphPixels.h"
#include "app/GraphPainter.h"
#include "tests/SamplesAfter.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

namespace {
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() { ReleaseDC(window_, dc_); }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};
struct WindowDeleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using TopWindow = std::unique_ptr<HWND__, WindowDeleter>;

TopWindow CreateTopWindow(int width, int height)
{
    return TopWindow(CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr));
}

std::uint32_t Green(int level) { return PixelColour(0, static_cast<std::uint8_t>(level), 0); }

// A top-level window holding an image control of the main window's graph size.
class SignalGraphControl : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.get()) << GetLastError();
        image.emplace(host.get(), 12, 8, graphWidth, graphHeight);
        UpdateWindow(host.get());
    }

    std::vector<std::uint32_t> OnScreen(int width = graphWidth, int height = graphHeight)
    {
        UpdateWindow(image->window());
        return ReadPixels(WindowDc(image->window()).get(), width, height);
    }
    std::vector<std::uint32_t> InPicture() { return ReadPixels(image->pictureDc(), graphWidth, graphHeight); }

    TopWindow host = CreateTopWindow(800, 120);
    std::optional<OffscreenImage> image;
};
}  // namespace

TEST_F(SignalGraphControl, ShowsThePictureOfTheSamplesInItsBitmapAndOnScreen)
{
    struct Spot {
        int x;
        int y;
        std::uint32_t colour;
    };
    struct Case {
        const char* what;
        SignalSamples samples;
        std::initializer_list<Spot> spots;
    };
    const Case cases[] = {
        {"empty", After({}), {{0, 0, Green(70)}, {3, 50, Green(70)}, {4, 0, 0}, {370, 0, Green(70)}, {374, 0, 0}, {375, 50, 0}}},
        {"one push of 100", After({100}), {{370, 0, Green(218)}, {373, 50, Green(218)}, {374, 50, 0}, {365, 50, Green(70)}}},
        {"100 after 74 zeros", After({100}, 74), {{0, 0, Green(70)}, {370, 50, Green(70)}}},
        {"3", After({3}), {{370, 50, Green(218)}, {370, 49, Green(70)}}},
    };
    for (const Case& c : cases) {
        DrawSignalGraph(*image, c.samples);
        const std::vector<std::uint32_t> expected = PaintedInMemory(c.samples);
        const std::vector<std::uint32_t> picture = InPicture();
        const std::vector<std::uint32_t> screen = OnScreen();
        EXPECT_EQ(picture, expected) << c.what;
        EXPECT_EQ(screen, expected) << c.what;
        for (const Spot& spot : c.spots)
            EXPECT_EQ(screen[spot.y * graphWidth + spot.x], spot.colour) << c.what << " at " << spot.x << ", " << spot.y;
    }
}

TEST_F(SignalGraphControl, DrawingOnlyMarksTheControlForRepainting)
{
    DrawSignalGraph(*image, After({}));
    const std::vector<std::uint32_t> before = OnScreen();
    RECT pending = {};
    EXPECT_FALSE(GetUpdateRect(image->window(), &pending, FALSE));

    DrawSignalGraph(*image, After({100}));
    ASSERT_TRUE(GetUpdateRect(image->window(), &pending, FALSE));
    EXPECT_EQ(pending.right - pending.left, graphWidth);
    EXPECT_EQ(pending.bottom - pending.top, graphHeight);
    EXPECT_EQ(ReadPixels(WindowDc(image->window()).get(), graphWidth, graphHeight), before) << "painted while drawing";

    EXPECT_EQ(OnScreen()[370], Green(218)) << "not painted at the next repaint";
}

TEST_F(SignalGraphControl, KeepsThePictureSizeOfTheFirstDrawingAndStretchesItToTheControl)
{
    const SignalSamples samples = After({100});
    DrawSignalGraph(*image, samples);
    MoveWindow(image->window(), 12, 8, 2 * graphWidth, 2 * graphHeight, FALSE);

    PixelBuffer drawnOn;
    image->draw([&](const PixelBuffer& picture) {
        drawnOn = picture;
        PaintSignalGraph(samples, picture);
    });
    EXPECT_EQ(drawnOn.width, graphWidth);
    EXPECT_EQ(drawnOn.height, graphHeight);

    const std::vector<std::uint32_t> expected = PaintedInMemory(samples);
    const std::vector<std::uint32_t> screen = OnScreen(2 * graphWidth, 2 * graphHeight);
    int wrong = 0;
    for (int y = 0; y < 2 * graphHeight; ++y)
        for (int x = 0; x < 2 * graphWidth; ++x)
            wrong += screen[y * 2 * graphWidth + x] != expected[y / 2 * graphWidth + x / 2];
    EXPECT_EQ(wrong, 0);
}

TEST_F(SignalGraphControl, MakesThePictureAtTheSizeOfTheFirstDrawingThatHasAnArea)
{
    MoveWindow(image->window(), 12, 8, 0, 0, FALSE);
    bool painted = false;
    image->draw([&](const PixelBuffer&) { painted = true; });
    EXPECT_FALSE(painted);
    EXPECT_EQ(image->pictureDc(), nullptr);

    MoveWindow(image->window(), 12, 8, 200, 30, FALSE);
    PixelBuffer drawnOn;
    image->draw([&](const PixelBuffer& picture) { drawnOn = picture; });
    EXPECT_EQ(drawnOn.width, 200);
    EXPECT_EQ(drawnOn.height, 30);
}
