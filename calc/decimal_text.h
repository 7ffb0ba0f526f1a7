// A double as decimal text with a given number of digits after the point,
// rounded exactly once, in either form.
#pragma once

#include <charconv>
#include <cstddef>

#if defined(__EMSCRIPTEN__)
#include <cstdio>
#endif

namespace velmora {

enum class DecimalForm {
    Fixed,      // -ddd.dd
    Scientific  // -d.dddde+XX
};

// Writes the text into [first, last) and returns its end, as std::to_chars
// does. Emscripten's C++ library (libc++ 13 in Debian 12) has no
// floating-point to_chars; its C library's printf rounds exactly too, and
// in the C locale, which nothing in the web build changes.
inline char* WriteDecimal(char* first, char* last, double value, DecimalForm form, int digitsAfterPoint) {
#if defined(__EMSCRIPTEN__)
    const int written = std::snprintf(first, static_cast<std::size_t>(last - first),
                                      form == DecimalForm::Fixed ? "%.*f" : "%.*e", digitsAfterPoint, value);
    return written < 0 || written >= last - first ? first : first + written;
#else
    return std::to_chars(first, last, value,
                         form == DecimalForm::Fixed ? std::chars_format::fixed : std::chars_format::scientific,
                         digitsAfterPoint)
        .ptr;
#endif
}

} // namespace velmora
