#include "app/X87ControlScope.h"

#include <type_traits>

#if !defined(__i386__) && !defined(__x86_64__)
#error "The x87 control scope is written for x86 processors."
#endif

static_assert(sizeof(X87ControlScope::Environment) == 28);
static_assert(!std::is_copy_constructible_v<X87ControlScope> && !std::is_copy_assignable_v<X87ControlScope>);

namespace {
// Exception flags (invalid, denormal, divide by zero, overflow, underflow, precision), the stack
// fault and the error summary: the bits of the status word that belong to the caller.
constexpr std::uint16_t StatusFlagBits = 0x00FF;
constexpr std::uint16_t InvalidOperationFlag = 0x0001;
}

X87ControlScope::X87ControlScope(std::uint16_t controlWord) noexcept
{
    // fnstenv masks every exception once it has stored the environment, so an exception the caller
    // left pending and unmasked cannot fire here; fnclex then drops the caller's flags.
    __asm__ volatile("fnstenv %0\n\t"
                     "fnclex\n\t"
                     "fldcw %1"
                     : "=m"(callers_)
                     : "m"(controlWord)
                     : "memory");
}

X87ControlScope::~X87ControlScope()
{
    // fldenv of the saved environment would also bring back the old tag word, which may no longer
    // match the registers in use: patch the current environment instead.
    Environment current;
    __asm__ volatile("fnstenv %0" : "=m"(current) : : "memory");
    current.control = callers_.control;
    current.status = static_cast<std::uint16_t>((current.status & ~StatusFlagBits) | (callers_.status & StatusFlagBits));
    __asm__ volatile("fldenv %0" : : "m"(current) : "memory");
}

bool X87ControlScope::InvalidOperation() const noexcept
{
    std::uint16_t status;
    __asm__ volatile("fnstsw %0" : "=m"(status) : : "memory");
    return (status & InvalidOperationFlag) != 0;
}
