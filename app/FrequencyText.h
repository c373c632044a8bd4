#pragma once
// The frequency box's text, read as a number of MHz. Valid, in this order: any number of spaces;
// an optional "+" or "-"; digits, optionally followed by the decimal separator and more digits,
// where either group may be empty but the whole may not (the separator alone is 0); an optional
// exponent of "E" or "e", an optional sign and any number of digits (none means 0); any number of
// spaces. Nothing else: no thousands separators, tabs or other characters.
#include <optional>
#include <string_view>

// Whether the text follows the rule above with this decimal separator.
bool IsFrequencyText(std::string_view text, char decimalSeparator);

// The text's value, correctly rounded to the nearest double; empty when the text is not valid or
// the value is too large for a double. A value too small for a double is 0 of its sign.
std::optional<double> FrequencyFromText(std::string_view text, char decimalSeparator);
