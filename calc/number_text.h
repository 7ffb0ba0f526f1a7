// The three conversions between typed or shown text and numbers.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "calc/regional_settings.h"

namespace velmora {

// A number beyond the double range, or an arithmetic step that overflowed,
// divided by zero or was invalid. what() names the fault.
class ArithmeticFault : public std::runtime_error {
public:
    enum class Kind { Overflow, DivisionByZero, InvalidOperation };

    explicit ArithmeticFault(Kind kind);
    Kind kind() const noexcept { return kind_; }

private:
    Kind kind_;
};

// The number at the start of what the user typed, independent of any locale.
// Blanks (space, tab, line feed) are removed wherever they stand; then an
// optional sign, digits with at most one '.', and an optional exponent
// (E or e, optional sign, at least one digit) are read as far as they go,
// and the rest is ignored. Only ASCII digits count; ',' ends the number.
// No digit at all gives 0. A value too small for a double gives 0 (or a
// subnormal); one too large throws ArithmeticFault(Overflow).
// Linear in the length of the text.
double ReadLeadingNumber(std::string_view text);

// The value rounded to two decimals the way the user's settings show it:
// formatted as two-decimal regional text (grouped, signed per the settings)
// and read back by the regional rules. The formatting is correctly rounded
// from the exact binary value; an exact tie goes to the even hundredth
// (0.125 gives 0.12, 0.375 gives 0.38). The value must be finite.
double RoundToHundredths(double value, const RegionalSettings& settings);
double RoundToHundredths(double value);

// The display text of a finite value: rounded to 15 significant digits, no
// grouping, the regional decimal separator, trailing zeros and a bare
// separator dropped, a leading 0 below 1, and "-" for negatives.
// From 1e15 up, and below 1e-4, the exponent form is used: the mantissa as
// above, then "E", the exponent's sign and at least two digits
// (1.23456789012346E+15, 1E-05).
std::string NumberText(double value, const RegionalSettings& settings);
std::string NumberText(double value);

} // namespace velmora
