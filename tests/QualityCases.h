#pragma once
// The quality rule's cases, checked under every kind of caller's x87 unit by the host and the
// Windows tests alike.
#include "app/Quality.h"
#include "tests/X87Caller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

struct QualityCase {
    double signalError;
    std::optional<std::int32_t> quality;  // empty: EInvalidOp
};

inline constexpr std::int32_t MaxQuality = std::numeric_limits<std::int32_t>::max();

inline const QualityCase QualityCases[] = {
    {0.0, 100},
    {-0.0, 100},
    {0.0123, 88},
    {0.05, 50},
    {0.0125, 87},   // the double lies above 0.0125: 87.4999..., which 53 bits would round to 87.5
    {0.0625, 38},   // 37.5, a tie, goes to the even neighbour
    {-0.0625, 162}, // 162.5 likewise
    {-0.02, 120},
    {-0.2, 300},
    {0.1, 0},
    {0.2, 0},
    {1e10, 0},
    {-2147483.5, 2147483600},
    {-1e7, MaxQuality},
    {-4294967.2, MaxQuality},  // 4294967300 would wrap round to 4 in 32 bits
    {4294967.3, 0},            // -4294967200 would wrap round to 96
    {-9223372036854774.0, MaxQuality},  // 9223372036854774100, just inside the 64-bit range
    {9223372036854774.0, 0},
    {-9223372036854776.0, std::nullopt},  // 9223372036854776100, just outside
    {9223372036854778.0, std::nullopt},
    {1e300, std::nullopt},
    {-1e300, std::nullopt},
    {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    {std::numeric_limits<double>::infinity(), std::nullopt},
    {-std::numeric_limits<double>::infinity(), std::nullopt},
};

// Every case under every caller's control word; the caller gets its control word and exception
// flags back, and no flag of the computation leaks to it.
inline void ExpectQualityCasesForEveryCaller()
{
    for (std::uint16_t controlWord : CallerControlWords) {
        for (const QualityCase& c : QualityCases) {
            std::optional<std::int32_t> quality;
            const X87CallerState left = RunAsX87Caller(controlWord, [&] {
                try {
                    quality = QualityFromSignalError(c.signalError);
                } catch (const EInvalidOp&) {
                }
            });
            const auto context = testing::Message() << "signal error " << c.signalError << ", caller's control word 0x" << std::hex << controlWord;
            EXPECT_EQ(quality, c.quality) << context;
            EXPECT_EQ(left.control, controlWord) << context;
            EXPECT_EQ(left.exceptionFlags, X87PrecisionFlag) << context;
        }
    }
}
