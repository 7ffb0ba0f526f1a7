// The user's number conventions: what the shown result's separators,
// grouping and sign look like.
#pragma once

#include <string>
#include <vector>

namespace velmora {

// How a negative number is written; the values mirror Windows' LOCALE_INEGNUMBER.
enum class NegativeNumberForm {
    Parentheses = 0,        // (1.1)
    LeadingHyphen = 1,      // -1.1
    LeadingHyphenSpace = 2, // - 1.1
    TrailingHyphen = 3,     // 1.1-
    TrailingHyphenSpace = 4 // 1.1 -
};

struct RegionalSettings {
    // Separators are UTF-8 and may be longer than one byte (U+202F, U+2019).
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
    // Group sizes from the decimal separator leftwards. The last size repeats;
    // a size of 0 ends grouping, leaving the remaining digits ungrouped.
    // {3} is 1,234,567; {3, 2} is 12,34,567 (India); {} groups nothing.
    std::vector<int> grouping = {3};
    // Whether values below 1 keep their 0 before the decimal separator.
    bool leadingZero = true;
    NegativeNumberForm negativeForm = NegativeNumberForm::LeadingHyphen;

    bool operator==(const RegionalSettings&) const = default;
};

// The conventions of the C locale: '.', no grouping, leading zero, "-1.1".
RegionalSettings CLocaleSettings();

// The user's current conventions, read from the operating system on every
// call (never cached, the process's own locale left untouched):
// - POSIX: the LC_NUMERIC locale the environment names (LC_ALL, LC_NUMERIC,
//   LANG); one that is not installed gives the C conventions.
// - Windows: the user default locale's number settings.
RegionalSettings CurrentRegionalSettings();

} // namespace velmora
