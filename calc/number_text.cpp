#include "calc/number_text.h"

#include <array>
#include <charconv>
#include <stdexcept>

#include "calc/decimal_text.h"
#include "calc/regional_number.h"

namespace velmora {
namespace {

const char* FaultName(ArithmeticFault::Kind kind) {
    switch (kind) {
    case ArithmeticFault::Kind::Overflow: return "Overflow";
    case ArithmeticFault::Kind::DivisionByZero: return "Division by zero";
    case ArithmeticFault::Kind::InvalidOperation: return "Invalid operation";
    }
    return "Invalid operation";
}

constexpr int kSignificantDigits = 15;
// Decimal exponents shown in plain form; outside them the exponent form.
constexpr int kSmallestPlainExponent = -4;
constexpr int kLargestPlainExponent = 14;

std::string WithoutTrailingZeros(std::string digits) {
    const auto last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 0 : last + 1);
    return digits;
}

std::string ExponentText(int exponent) {
    std::string text = exponent < 0 ? "E-" : "E+";
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) text += '0';
    text += std::to_string(magnitude);
    return text;
}

} // namespace

ArithmeticFault::ArithmeticFault(Kind kind) : std::runtime_error(FaultName(kind)), kind_(kind) {}

double RoundToHundredths(double value, const RegionalSettings& settings) {
    const std::optional<double> rounded =
        ReadRegionalNumber(FormatHundredths(value, settings), settings);
    // FormatHundredths only writes what ReadRegionalNumber accepts.
    if (!rounded) throw std::logic_error("two-decimal text did not read back");
    return *rounded;
}

double RoundToHundredths(double value) {
    return RoundToHundredths(value, CurrentRegionalSettings());
}

std::string NumberText(double value, const RegionalSettings& settings) {
    if (value == 0) return "0";
    // "-d.dddddddddddddde+XX": the value rounded to 15 significant digits.
    std::array<char, 32> buffer{};
    const char* end = WriteDecimal(buffer.data(), buffer.data() + buffer.size(), value, DecimalForm::Scientific,
                                   kSignificantDigits - 1);
    std::string_view scientific(buffer.data(), static_cast<std::size_t>(end - buffer.data()));

    std::string text;
    if (scientific.starts_with('-')) {
        text = "-";
        scientific.remove_prefix(1);
    }
    const std::size_t e = scientific.find('e');
    std::string digits(1, scientific.front());
    digits.append(scientific.substr(2, e - 2));
    int exponent = 0;
    std::string_view exponentText = scientific.substr(e + 1);
    if (exponentText.starts_with('+')) exponentText.remove_prefix(1);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    const std::string point = ReadableSettings(settings).decimalSeparator;
    if (exponent < kSmallestPlainExponent || exponent > kLargestPlainExponent) {
        const std::string fraction = WithoutTrailingZeros(digits.substr(1));
        text += digits.front();
        if (!fraction.empty()) text += point + fraction;
        return text + ExponentText(exponent);
    }
    if (exponent < 0) {
        return text + "0" + point + std::string(static_cast<std::size_t>(-exponent - 1), '0') +
               WithoutTrailingZeros(digits);
    }
    const std::size_t wholeDigits = static_cast<std::size_t>(exponent) + 1;
    text += digits.substr(0, wholeDigits);
    const std::string fraction = WithoutTrailingZeros(digits.substr(wholeDigits));
    if (!fraction.empty()) text += point + fraction;
    return text;
}

std::string NumberText(double value) { return NumberText(value, CurrentRegionalSettings()); }

} // namespace velmora
