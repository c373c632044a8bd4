#include "app/Quality.h"

#include "app/X87ControlScope.h"

#include <limits>

std::int32_t QualityFromSignalError(double signalError)
{
    static const std::int32_t thousand = 1000;
    static const std::int32_t hundred = 100;
    std::int64_t rounded;
    bool invalid;
    {
        // The precision is the caller's otherwise: 0.0125 would give 88 with a 53-bit significand.
        X87ControlScope scope(X87ControlScope::ExtendedPrecision);
        // fistp rounds by the control word and flags an invalid operation for a NaN, an infinity
        // or a value outside the 64-bit range.
        __asm__ volatile("fldl %[x]\n\t"
                         "fimull %[thousand]\n\t"
                         "fisubrl %[hundred]\n\t"
                         "fistpll %[rounded]"
                         : [rounded] "=m"(rounded)
                         : [x] "m"(signalError), [thousand] "m"(thousand), [hundred] "m"(hundred)
                         : "memory");
        invalid = scope.InvalidOperation();
    }
    if (invalid)
        throw EInvalidOp();
    if (rounded < 0)
        return 0;
    // A huge quality stays huge instead of wrapping round to a small one.
    if (rounded > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(rounded);
}
