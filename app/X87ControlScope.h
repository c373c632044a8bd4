#pragma once
// The x87 unit's control word sets the precision and rounding of every long double operation and,
// in the 32-bit build, of the runtime library's own double arithmetic. An in-process component may
// change it, or unmask its exceptions, so code that depends on it runs inside this scope.
#include <cstdint>

class X87ControlScope {
public:
    // Round to nearest (ties to even), every exception masked; the significand of 64 or 53 bits.
    static constexpr std::uint16_t ExtendedPrecision = 0x037F;
    static constexpr std::uint16_t DoublePrecision = 0x027F;

    // Loads the control word with the exception flags cleared.
    explicit X87ControlScope(std::uint16_t controlWord) noexcept;
    // Gives the caller back its control word and exception flags; the register stack stays as it is.
    ~X87ControlScope();

    X87ControlScope(const X87ControlScope&) = delete;
    X87ControlScope& operator=(const X87ControlScope&) = delete;

    // Whether an invalid operation (a NaN operand, an infinity or an integer out of range in a
    // conversion) has happened inside the scope so far.
    bool InvalidOperation() const noexcept;

    // The environment as fnstenv stores it: control, status and tag words, then the last
    // instruction and operand pointers.
    struct Environment {
        std::uint16_t control, reserved1, status, reserved2, tags, reserved3;
        std::uint32_t pointers[4];
    };

private:
    Environment callers_;
};
