// Decimal text to the nearest double, whatever state the caller left the
// floating-point unit in.
#pragma once

#include <charconv>

// 32-bit x86, whose runtimes read with the x87 unit, and emscripten, whose
// C++ library (libc++ 13 in Debian 12) has no floating-point from_chars,
// read with the header-only fast_float.
#if defined(__i386__) || defined(_M_IX86) || defined(__EMSCRIPTEN__)
#define VELMORA_READ_WITH_FAST_FLOAT 1
#include <cfloat>
#include <cmath>
#include <fast_float/fast_float.h>
#endif

namespace velmora {

// std::from_chars for a double in the general format, with its contract:
// result_out_of_range at either end of the range, value then untouched.
// The 32-bit x86 runtimes' from_chars is built for the x87 unit, which
// multiplies at whatever precision the caller set (64 bits by default), so
// it rounds some texts twice and lands one unit in the last place off.
// There the header-only fast_float reads instead, compiled with this
// project's SSE2 arithmetic, which rounds once; so it does on emscripten.
inline std::from_chars_result NearestDouble(const char* first, const char* last, double& value) {
#if defined(VELMORA_READ_WITH_FAST_FLOAT)
    static_assert(FLT_EVAL_METHOD == 0, "32-bit x86 builds need -msse2 -mfpmath=sse");
    double read = 0.0;
    const auto [end, error] = fast_float::from_chars(first, last, read);
    // fast_float gives an infinity where from_chars reports the range.
    if (error == std::errc{} && std::isinf(read)) return {end, std::errc::result_out_of_range};
    if (error == std::errc{}) value = read;
    return {end, error};
#else
    return std::from_chars(first, last, value);
#endif
}

} // namespace velmora
