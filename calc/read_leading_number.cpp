#include <cstdint>
#include <string>

#include "calc/char_class.h"
#include "calc/nearest_double.h"
#include "calc/number_text.h"

namespace velmora {
namespace {

// Walks the text as if every blank had been removed from it first.
class BlanklessCursor {
public:
    explicit BlanklessCursor(std::string_view text) : text_(text) { SkipBlanks(); }

    bool AtEnd() const { return pos_ == text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    void Advance() {
        ++pos_;
        SkipBlanks();
    }
    bool Take(char c) {
        if (AtEnd() || text_[pos_] != c) return false;
        Advance();
        return true;
    }

private:
    void SkipBlanks() {
        while (pos_ < text_.size() && IsTypedBlank(text_[pos_])) ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// Beyond this an exponent only says "huge"; it keeps the sums below in range.
constexpr std::int64_t kExponentCap = 1'000'000'000'000;
// Decimal exponents past these are out of the double range whatever the
// digits: doubles span about 4.9e-324 to 1.8e308.
constexpr std::int64_t kBeyondLargest = 310;
constexpr std::int64_t kBeyondSmallest = -330;

// An exponent part "e[+-]digits", or nothing when no digit follows the
// letter: then the cursor is left before the letter.
std::int64_t ReadExponent(BlanklessCursor& cursor) {
    BlanklessCursor start = cursor;
    if (!cursor.Take('e') && !cursor.Take('E')) return 0;
    const bool negative = cursor.Take('-');
    if (!negative) cursor.Take('+');
    if (!IsAsciiDigit(cursor.Peek())) {
        cursor = start;
        return 0;
    }
    std::int64_t exponent = 0;
    while (IsAsciiDigit(cursor.Peek())) {
        if (exponent < kExponentCap) exponent = exponent * 10 + (cursor.Peek() - '0');
        cursor.Advance();
    }
    return negative ? -exponent : exponent;
}

} // namespace

double ReadLeadingNumber(std::string_view text) {
    BlanklessCursor cursor(text);
    const bool negative = cursor.Take('-');
    if (!negative) cursor.Take('+');

    // The digits from the first non-zero one on, and where the decimal point
    // stands among them, are enough to tell the value's order of magnitude.
    std::string significant;
    std::int64_t integerSignificantDigits = 0;
    std::int64_t zerosAfterPoint = 0;  // before the first significant digit
    bool sawDigit = false;

    while (IsAsciiDigit(cursor.Peek())) {
        sawDigit = true;
        if (!significant.empty() || cursor.Peek() != '0') {
            significant += cursor.Peek();
            ++integerSignificantDigits;
        }
        cursor.Advance();
    }
    if (cursor.Take('.')) {
        while (IsAsciiDigit(cursor.Peek())) {
            sawDigit = true;
            if (significant.empty() && cursor.Peek() == '0')
                ++zerosAfterPoint;
            else
                significant += cursor.Peek();
            cursor.Advance();
        }
    }
    if (!sawDigit) return 0.0;
    const std::int64_t exponent = ReadExponent(cursor);

    const double zero = negative ? -0.0 : 0.0;
    if (significant.empty()) return zero;

    // Scientific exponent of the first significant digit.
    const std::int64_t magnitude = integerSignificantDigits > 0
                                       ? integerSignificantDigits - 1 + exponent
                                       : exponent - zerosAfterPoint - 1;
    if (magnitude > kBeyondLargest) throw ArithmeticFault(ArithmeticFault::Kind::Overflow);
    if (magnitude < kBeyondSmallest) return zero;

    // "-d.ddd…e<magnitude>": a short exponent whatever the typed one was.
    std::string normalized;
    normalized.reserve(significant.size() + 16);
    if (negative) normalized += '-';
    normalized += significant.front();
    normalized += '.';
    normalized.append(significant, 1);
    normalized += 'e';
    normalized += std::to_string(magnitude);

    double value = 0.0;
    const auto [end, error] =
        NearestDouble(normalized.data(), normalized.data() + normalized.size(), value);
    if (error == std::errc::result_out_of_range) {
        // from_chars says the same for both ends of the range.
        if (magnitude > 0) throw ArithmeticFault(ArithmeticFault::Kind::Overflow);
        return zero;
    }
    return value;
}

} // namespace velmora
