#include "app/SignalGraph.h"

#include "app/GraphPainter.h"

void DrawSignalGraph(OffscreenImage& graph, const SignalSamples& samples)
{
    graph.draw([&samples](const PixelBuffer& picture) { PaintSignalGraph(samples, picture); });
}
