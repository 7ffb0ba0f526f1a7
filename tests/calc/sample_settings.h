// Regional settings of a few real locales, as Windows and glibc give them.
#pragma once

#include "calc/regional_settings.h"

namespace velmora::samples {

inline RegionalSettings WithSeparators(const char* decimal, const char* group,
                                       std::vector<int> grouping = {3}) {
    RegionalSettings settings;
    settings.decimalSeparator = decimal;
    settings.groupSeparator = group;
    settings.grouping = std::move(grouping);
    return settings;
}

inline RegionalSettings EnglishUs() { return WithSeparators(".", ","); }
inline RegionalSettings German() { return WithSeparators(",", "."); }
inline RegionalSettings French() { return WithSeparators(",", "\u202F"); }
inline RegionalSettings SwissGerman() { return WithSeparators(".", "\u2019"); }
inline RegionalSettings Indian() { return WithSeparators(".", ",", {3, 2}); }

} // namespace velmora::samples
