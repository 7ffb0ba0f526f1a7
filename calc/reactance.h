// Inductive reactance X = 2*pi*f*L of an inductor, from the texts and units
// the user chose, as the line the window shows.
#pragma once

#include <optional>
#include <string>

#include "calc/number_text.h"
#include "calc/regional_settings.h"

namespace velmora {

// Hz leaves the frequency as typed; KHz multiplies it by 1000, MHz by 1000000.
enum class FrequencyUnit { Hz, KHz, MHz };

// mH divides the inductance by 1000, uH by 1000000, giving henries.
enum class InductanceUnit { mH, uH };

struct ReactanceInputs {
    std::string frequencyText;
    FrequencyUnit frequencyUnit = FrequencyUnit::MHz;
    std::string inductanceText;
    InductanceUnit inductanceUnit = InductanceUnit::uH;
};

// "Inductive Reactance = <X> ohms" with X in ohms rounded to hundredths, or
// no result when either typed value is not a positive number (the inductance
// text is not read when the frequency is not positive).
//
// X = (f * 6.2831853) * L with f in hertz and L in henries. The factor is
// the eight-digit decimal the program has always used, not full-precision
// 2*pi, so results match it to the last digit. Units scale by multiplying
// (frequency) and dividing (inductance) by 1000 or 1000000, never by
// multiplying with 0.001: the last bit can differ.
//
// The product f * 6.2831853 keeps an unbounded exponent (rounded to 53 bits,
// like an x87 register at double precision) and only X is rounded to a
// double, so 1.7e308 Hz with 1 uH gives a finite result.
//
// Throws ArithmeticFault when a typed number, a scaled frequency or X lies
// beyond the double range. Underflow is no fault: a tiny X shows as 0.
std::optional<std::string> CalculateReactance(const ReactanceInputs& inputs,
                                              const RegionalSettings& settings);
std::optional<std::string> CalculateReactance(const ReactanceInputs& inputs);

} // namespace velmora
