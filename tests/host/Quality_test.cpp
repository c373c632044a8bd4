#include "tests/QualityCases.h"

#include <gtest/gtest.h>

TEST(Quality, RoundsWithA64BitSignificandWhateverTheCallersX87Unit)
{
    ExpectQualityCasesForEveryCaller();
}

TEST(Quality, ReportsAnInvalidFloatingPointOperation)
{
    try {
        QualityFromSignalError(std::numeric_limits<double>::quiet_NaN());
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Invalid floating point operation");
    }
}
