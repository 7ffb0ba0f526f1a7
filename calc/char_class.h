// Character tests that, unlike <cctype>, never depend on the C locale.
#pragma once

namespace velmora {

constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The blanks that typed numbers may contain anywhere: space, tab, line feed.
constexpr bool IsTypedBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

} // namespace velmora
