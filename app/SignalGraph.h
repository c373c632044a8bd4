#pragma once
// The signal graph on screen: the whole picture redrawn from the samples into the image control,
// which shows it at its next repaint.
#include "app/SignalHistory.h"
#include "ui/OffscreenImage.h"

void DrawSignalGraph(OffscreenImage& graph, const SignalSamples& samples);
