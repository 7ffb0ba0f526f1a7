// ReadLeadingNumber against a deliberately plain reading of the same rules:
// strip the blanks, take the longest leading number, convert it with strtod
// in the C locale, and tell overflow from underflow by errno and the value.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calc/number_text.h"

namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }

// The longest prefix of the form [+-]? (d+ .? d* | . d+) ([eE] [+-]? d+)?
std::string LeadingNumber(const std::string& s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && Digit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && Digit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return "";
    std::size_t end = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (i < s.size() && Digit(s[i])) {
            while (i < s.size() && Digit(s[i])) ++i;
            end = i;
        }
    }
    return s.substr(0, end);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string typed(reinterpret_cast<const char*>(data), size);
    std::string stripped;
    for (const char c : typed)
        if (c != ' ' && c != '\t' && c != '\n') stripped += c;

    const std::string number = LeadingNumber(stripped);
    double expected = 0;
    bool overflow = false;
    if (!number.empty()) {
        errno = 0;
        expected = std::strtod(number.c_str(), nullptr);
        overflow = errno == ERANGE && std::isinf(expected);
    }

    try {
        const double read = velmora::ReadLeadingNumber(typed);
        if (overflow) std::abort();  // a fault was due
        if (std::memcmp(&read, &expected, sizeof read) != 0) std::abort();
    } catch (const velmora::ArithmeticFault& fault) {
        if (!overflow || fault.kind() != velmora::ArithmeticFault::Kind::Overflow) std::abort();
    }
    return 0;
}
