// Two-decimal regional number text and its reading back: the round trip
// behind RoundToHundredths.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/regional_settings.h"

namespace velmora {

// The settings with separators that cannot be mistaken for digits or for
// each other: an empty or digit-bearing decimal separator gives way to ".",
// a group separator with a digit or equal to the decimal one to none.
RegionalSettings ReadableSettings(RegionalSettings settings);

// The finite value with exactly two decimals, correctly rounded (an exact
// tie goes to the even hundredth), grouped, with the leading zero and the
// negative form the settings give: 62,831,853.00, (0.38), 1.234,57.
// Uses ReadableSettings, so the text always reads back.
std::string FormatHundredths(double value, const RegionalSettings& settings);

// A number written the regional way: digits, group separators within the
// whole part, one decimal separator, and the settings' negative form (a
// leading "-" is accepted too). Nothing else may stand in the text.
std::optional<double> ReadRegionalNumber(std::string_view text,
                                         const RegionalSettings& settings);

} // namespace velmora
