#include "app/FrequencyText.h"

#include "app/X87ControlScope.h"

#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <string>

namespace {

struct FrequencyParts {
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    bool exponentNegative = false;
    std::string_view exponentDigits;
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool AtEnd() const { return position_ == text_.size(); }
    bool Take(char c)
    {
        if (AtEnd() || text_[position_] != c)
            return false;
        ++position_;
        return true;
    }
    bool TakeSign(bool& negative)
    {
        negative = Take('-');
        return negative || Take('+');
    }
    std::string_view TakeDigits()
    {
        const std::size_t start = position_;
        while (!AtEnd() && IsDigit(text_[position_]))
            ++position_;
        return text_.substr(start, position_ - start);
    }
    void SkipSpaces()
    {
        while (Take(' ')) {
        }
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

// Digits are tried before the separator, so the grammar stays unambiguous whatever the locale's
// separator is.
std::optional<FrequencyParts> SplitFrequencyText(std::string_view text, char decimalSeparator)
{
    FrequencyParts parts;
    Scanner scanner(text);
    scanner.SkipSpaces();
    scanner.TakeSign(parts.negative);
    parts.integerDigits = scanner.TakeDigits();
    const bool hasSeparator = scanner.Take(decimalSeparator);
    if (hasSeparator)
        parts.fractionDigits = scanner.TakeDigits();
    else if (parts.integerDigits.empty())
        return std::nullopt;
    if (scanner.Take('E') || scanner.Take('e')) {
        scanner.TakeSign(parts.exponentNegative);
        parts.exponentDigits = scanner.TakeDigits();
    }
    scanner.SkipSpaces();
    if (!scanner.AtEnd())
        return std::nullopt;
    return parts;
}

// Any exponent beyond this gives the same result, and sums with it cannot overflow.
constexpr std::int64_t ExponentLimit = 1'000'000'000'000;

std::int64_t ExponentValue(const FrequencyParts& parts)
{
    std::int64_t exponent = 0;
    for (char digit : parts.exponentDigits) {
        exponent = exponent * 10 + (digit - '0');
        if (exponent > ExponentLimit) {
            exponent = ExponentLimit;
            break;
        }
    }
    return parts.exponentNegative ? -exponent : exponent;
}

// The C library's conversion, correctly rounded: MinGW's own, not the system runtime's, whose
// last digit may be off. The program never changes the C locale, so "." is its decimal point.
double CorrectlyRoundedStrtod(const char* text, char** end)
{
#ifdef __MINGW32__
    return __mingw_strtod(text, end);
#else
    return std::strtod(text, end);
#endif
}

// The magnitude 0.d1d2... x 10^exponent, d1 nonzero, as the library's conversion reads it.
std::optional<double> ScientificValue(std::string_view significantDigits, std::int64_t exponent)
{
    // 0.1e310 is above the largest double and 0.999...e-330 rounds to zero.
    if (exponent > 310)
        return std::nullopt;
    if (exponent < -330)
        return 0.0;
    std::string canonical = "0.";
    canonical += significantDigits;
    canonical += 'e';
    canonical += std::to_string(exponent);
    char* end = nullptr;
    double value = 0;
    {
        // The 32-bit library multiplies on the x87 unit: with the caller's control word its result
        // could be rounded twice, or the wrong way.
        X87ControlScope scope(X87ControlScope::DoublePrecision);
        value = CorrectlyRoundedStrtod(canonical.c_str(), &end);
    }
    if (end != canonical.c_str() + canonical.size())
        return std::nullopt;
    if (std::isinf(value))
        return std::nullopt;
    return value;
}

}  // namespace

bool IsFrequencyText(std::string_view text, char decimalSeparator)
{
    return SplitFrequencyText(text, decimalSeparator).has_value();
}

std::optional<double> FrequencyFromText(std::string_view text, char decimalSeparator)
{
    const std::optional<FrequencyParts> parts = SplitFrequencyText(text, decimalSeparator);
    if (!parts)
        return std::nullopt;

    std::string digits;
    digits.reserve(parts->integerDigits.size() + parts->fractionDigits.size());
    digits += parts->integerDigits;
    digits += parts->fractionDigits;
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    std::optional<double> magnitude = 0.0;
    if (firstSignificant != std::string::npos) {
        const std::int64_t exponent = ExponentValue(*parts) + static_cast<std::int64_t>(parts->integerDigits.size()) -
                                      static_cast<std::int64_t>(firstSignificant);
        magnitude = ScientificValue(std::string_view(digits).substr(firstSignificant), exponent);
    }
    if (!magnitude)
        return std::nullopt;
    return parts->negative ? -*magnitude : *magnitude;
}
