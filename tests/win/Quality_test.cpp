#include "tests/QualityCases.h"

#include <gtest/gtest.h>

TEST(QualityOnWindows, RoundsWithA64BitSignificandWhateverTheCallersX87Unit)
{
    ExpectQualityCasesForEveryCaller();
}
