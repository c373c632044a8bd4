#include "tests/FrequencyCases.h"

#include <gtest/gtest.h>

TEST(FrequencyTextOnWindows, ConvertsToTheNearestDoubleAndRefusesTooLargeValues)
{
    ExpectFrequencyConversionCases();
}
