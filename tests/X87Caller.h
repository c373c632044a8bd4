#pragma once
// Runs code as a caller whose x87 unit an in-process component has set up its own way: its own
// control word, and the precision flag already raised by an earlier inexact operation.
#include <cstdint>

struct X87CallerState {
    std::uint16_t control;
    std::uint16_t exceptionFlags;
};

constexpr std::uint16_t X87PrecisionFlag = 0x0020;

// Control words of callers, each with the precision exception masked.
inline constexpr std::uint16_t CallerControlWords[] = {
    0x037F,  // 64-bit significand, to nearest, all masked
    0x027F,  // 53-bit significand, to nearest
    0x0A7F,  // 53-bit significand, upward
    0x0C7F,  // 24-bit significand, toward zero
    0x1372,  // 64-bit significand, invalid operation, divide by zero and overflow unmasked
};

// Runs the code under the caller's control word and returns what it left of the caller's state;
// the test's own control word is back afterwards. The code must not let an exception out.
template <class Code>
X87CallerState RunAsX87Caller(std::uint16_t controlWord, Code&& code)
{
    static const std::int32_t three = 3;
    std::uint16_t own;
    __asm__ volatile("fnstcw %0" : "=m"(own) : : "memory");
    __asm__ volatile("fnclex\n\t"
                     "fldcw %0\n\t"
                     "fld1\n\t"
                     "fidivl %1\n\t"
                     "fstp %%st(0)"
                     :
                     : "m"(controlWord), "m"(three)
                     : "memory");
    code();
    X87CallerState left;
    std::uint16_t status;
    __asm__ volatile("fnstcw %0\n\t"
                     "fnstsw %1"
                     : "=m"(left.control), "=m"(status)
                     :
                     : "memory");
    left.exceptionFlags = status & 0x003F;
    __asm__ volatile("fnclex\n\t"
                     "fldcw %0"
                     :
                     : "m"(own)
                     : "memory");
    return left;
}
