#include "calc/regional_number.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "calc/char_class.h"
#include "calc/decimal_text.h"
#include "calc/nearest_double.h"

namespace velmora {
namespace {

bool HasDigit(std::string_view text) {
    return std::any_of(text.begin(), text.end(), IsAsciiDigit);
}

std::string Grouped(std::string_view digits, const RegionalSettings& settings) {
    if (settings.grouping.empty() || settings.groupSeparator.empty()) return std::string(digits);
    // Cut groups off the right end, then join them left to right.
    std::vector<std::string_view> groups;
    std::size_t end = digits.size();
    std::size_t sizeIndex = 0;
    while (end > 0) {
        const int size = settings.grouping[sizeIndex];
        if (size <= 0 || static_cast<std::size_t>(size) >= end) {
            groups.push_back(digits.substr(0, end));
            break;
        }
        groups.push_back(digits.substr(end - size, size));
        end -= size;
        if (sizeIndex + 1 < settings.grouping.size()) ++sizeIndex;
    }
    std::string text;
    for (auto group = groups.rbegin(); group != groups.rend(); ++group) {
        if (!text.empty()) text += settings.groupSeparator;
        text += *group;
    }
    return text;
}

std::string WithNegativeForm(const std::string& magnitude, NegativeNumberForm form) {
    switch (form) {
    case NegativeNumberForm::Parentheses: return "(" + magnitude + ")";
    case NegativeNumberForm::LeadingHyphen: return "-" + magnitude;
    case NegativeNumberForm::LeadingHyphenSpace: return "- " + magnitude;
    case NegativeNumberForm::TrailingHyphen: return magnitude + "-";
    case NegativeNumberForm::TrailingHyphenSpace: return magnitude + " -";
    }
    return "-" + magnitude;
}

// Strips the sign decoration of any negative form; true when there was one.
bool StripNegativeForm(std::string_view& text) {
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
        text = text.substr(1, text.size() - 2);
        return true;
    }
    if (text.starts_with("- ")) {
        text.remove_prefix(2);
        return true;
    }
    if (text.starts_with('-')) {
        text.remove_prefix(1);
        return true;
    }
    if (text.ends_with(" -")) {
        text.remove_suffix(2);
        return true;
    }
    if (text.ends_with('-')) {
        text.remove_suffix(1);
        return true;
    }
    return false;
}

} // namespace

RegionalSettings ReadableSettings(RegionalSettings settings) {
    if (settings.decimalSeparator.empty() || HasDigit(settings.decimalSeparator))
        settings.decimalSeparator.assign(1, '.');
    if (HasDigit(settings.groupSeparator) || settings.groupSeparator == settings.decimalSeparator)
        settings.groupSeparator.clear();
    return settings;
}

std::string FormatHundredths(double value, const RegionalSettings& requested) {
    const RegionalSettings settings = ReadableSettings(requested);
    // The largest double has 309 whole digits.
    std::array<char, 330> buffer{};
    const char* end = WriteDecimal(buffer.data(), buffer.data() + buffer.size(), value, DecimalForm::Fixed, 2);
    std::string_view plain(buffer.data(), static_cast<std::size_t>(end - buffer.data()));

    const bool negative = plain.starts_with('-');
    if (negative) plain.remove_prefix(1);
    const std::size_t point = plain.find('.');
    const std::string_view whole = plain.substr(0, point);
    const std::string_view fraction = plain.substr(point + 1);

    std::string magnitude;
    if (whole != "0" || settings.leadingZero) magnitude = Grouped(whole, settings);
    magnitude += settings.decimalSeparator;
    magnitude += fraction;
    return negative ? WithNegativeForm(magnitude, settings.negativeForm) : magnitude;
}

std::optional<double> ReadRegionalNumber(std::string_view text,
                                         const RegionalSettings& requested) {
    const RegionalSettings settings = ReadableSettings(requested);
    const bool negative = StripNegativeForm(text);

    std::string plain;
    bool sawPoint = false;
    bool sawDigit = false;
    while (!text.empty()) {
        if (IsAsciiDigit(text.front())) {
            plain += text.front();
            text.remove_prefix(1);
            sawDigit = true;
        } else if (!sawPoint && text.starts_with(settings.decimalSeparator)) {
            plain += '.';
            text.remove_prefix(settings.decimalSeparator.size());
            sawPoint = true;
        } else if (!sawPoint && sawDigit && !settings.groupSeparator.empty() &&
                   text.starts_with(settings.groupSeparator)) {
            text.remove_prefix(settings.groupSeparator.size());
        } else {
            return std::nullopt;
        }
    }
    if (!sawDigit) return std::nullopt;

    double value = 0.0;
    const auto result = NearestDouble(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc{} || result.ptr != plain.data() + plain.size()) return std::nullopt;
    return negative ? -value : value;
}

} // namespace velmora
