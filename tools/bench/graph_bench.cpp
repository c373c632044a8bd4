// How long one full redraw of the signal graph takes: stored straight into the DIB section, and the
// same picture with one GDI fill per rectangle (a solid brush made for each colour, as a canvas does).
#include "app/GraphPainter.h"
#include "ui/DibSurface.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {
constexpr int width = 376;
constexpr int height = 51;
constexpr int redraws = 5000;

struct ObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using SolidBrush = std::unique_ptr<HBRUSH__, ObjectDeleter>;

// FillRect stops one pixel short of right and bottom; a null-pen rectangle stops two short.
void FillWithoutOutline(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour)
{
    const SolidBrush brush(CreateSolidBrush(colour));
    const RECT area = {x1, y1, x2 - 1, y2 - 1};
    FillRect(dc, &area, brush.get());
}

void FillGraph(HDC dc, const SignalSamples& samples)
{
    FillWithoutOutline(dc, 0, 0, width + 1, height + 1, RGB(0, 0, 0));
    const SolidBrush slot(CreateSolidBrush(RGB(0, 70, 0)));
    for (int i = 0; i < 76; ++i) {
        const RECT area = {5 * i - 5, 0, 5 * i - 1, 51};
        FillRect(dc, &area, slot.get());
    }
    for (int i = 0; i < 76; ++i)
        FillWithoutOutline(dc, 5 * i - 5, 52 - BarHeight(samples.values[i]), 5 * i, 52, RGB(0, 68 + 2 * i, 0));
    GdiFlush();
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

template <class Redraw>
double MicrosecondsPerRedraw(Redraw redraw)
{
    for (int i = 0; i < 100; ++i)
        redraw();
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < redraws; ++i)
        redraw();
    QueryPerformanceCounter(&end);
    return Seconds(start, end) * 1e6 / redraws;
}
}  // namespace

int main()
{
    SignalSamples samples;
    for (int i = 0; i < 76; ++i)
        samples.push((i * 37) % 130);

    DibSurface direct(width, height);
    DibSurface filled(width, height);
    const double directTime = MicrosecondsPerRedraw([&] { PaintSignalGraph(samples, direct.pixels()); });
    const double fillTime = MicrosecondsPerRedraw([&] { FillGraph(filled.dc(), samples); });

    const PixelBuffer a = direct.pixels();
    const PixelBuffer b = filled.pixels();
    const bool same = std::memcmp(a.pixels, b.pixels, sizeof(std::uint32_t) * width * height) == 0;
    std::printf("graph %dx%d, %d redraws each\n", width, height, redraws);
    std::printf("direct stores into the DIB section: %8.2f us per redraw\n", directTime);
    std::printf("153 FillRect calls on the memory DC: %8.2f us per redraw\n", fillTime);
    std::printf("ratio %.1f, pixels %s\n", fillTime / directTime, same ? "identical" : "DIFFERENT");
    return 0;
}
