#pragma once
// The signal quality percentage shown once a second, from the receiver's signal error figure.
#include <cstdint>
#include <stdexcept>

class EInvalidOp : public std::runtime_error {
public:
    EInvalidOp() : std::runtime_error("Invalid floating point operation") {}
};

// 100 - 1000 * signalError, computed with a 64-bit significand and rounded to the nearest integer,
// ties to even; below 0 it is 0, above the range of the result it is INT32_MAX. Raises EInvalidOp
// when the unrounded value is not finite or its rounding lies outside the signed 64-bit range.
std::int32_t QualityFromSignalError(double signalError);
