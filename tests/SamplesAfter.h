#pragma once
// A signal history as a run of pushes leaves it, for the graph's tests on both sides.
#include "app/SignalHistory.h"

#include <initializer_list>

// The qualities pushed in order into an empty history, then zerosAfter pushes of 0.
inline SignalSamples After(std::initializer_list<int> pushes, int zerosAfter = 0)
{
    SignalSamples samples;
    for (int quality : pushes)
        samples.push(quality);
    for (int i = 0; i < zerosAfter; ++i)
        samples.push(0);
    return samples;
}
