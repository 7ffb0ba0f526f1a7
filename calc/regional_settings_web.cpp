// The user's number conventions from the browser's preferred languages,
// through Intl.NumberFormat. A language the browser cannot format, or a
// JavaScript without Intl, gives the C conventions.
#include <emscripten.h>

#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "calc/regional_settings.h"

namespace velmora {
namespace {

// Writes the conventions into [text, text + size) as lines: decimal
// separator, group separator, group sizes from the decimal separator
// leftwards (digits, or none), "0" or "1" for the leading zero, and the
// negative form's number; nothing when the browser cannot say.
// clang-format off
EM_JS(void, WriteBrowserNumberConventions, (char* text, int size), {
    try {
        var wanted = (typeof navigator !== "undefined" && navigator.languages) ? navigator.languages : [];
        var languages = Intl.NumberFormat.supportedLocalesOf(wanted);
        if (languages.length === 0) { HEAPU8[text] = 0; return; }
        var format = new Intl.NumberFormat(languages[0], {
            useGrouping: true, minimumFractionDigits: 2, maximumFractionDigits: 2 });
        var parts = function(value) { return format.formatToParts(value); };
        var partValue = function(list, type) {
            var found = list.find(function(part) { return part.type === type; });
            return found ? found.value : "";
        };
        var large = parts(123456789012345.5);
        var groups = large.filter(function(part) { return part.type === "integer"; })
                          .map(function(part) { return part.value.length; }).reverse();
        var sizes = groups.length > 1 ? groups.slice(0, 2) : [];
        if (sizes.length === 2 && sizes[0] === sizes[1]) sizes = [sizes[0]];
        var negative = parts(-1.5);
        var sign = negative.findIndex(function(part) { return part.type === "minusSign"; });
        var number = negative.findIndex(function(part) { return part.type === "integer"; });
        var spaced = negative.some(function(part) { return part.type === "literal" && part.value.trim() === ""; });
        var form = sign < 0 || sign < number ? (spaced ? 2 : 1) : (spaced ? 4 : 3);
        var lines = [partValue(parts(1.5), "decimal"), partValue(large, "group"), sizes.join(","),
                     parts(0.5)[0].value === "0" ? "1" : "0", String(form)];
        var bytes = new TextEncoder().encode(lines.join("\n"));
        if (bytes.length >= size) bytes = new Uint8Array(0);
        HEAPU8.set(bytes, text);
        HEAPU8[text + bytes.length] = 0;
    } catch (error) {
        HEAPU8[text] = 0;
    }
});
// clang-format on

std::string_view NextLine(std::string_view& rest) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    return line;
}

int Digits(std::string_view text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

RegionalSettings CurrentRegionalSettings() {
    std::array<char, 128> buffer{};
    WriteBrowserNumberConventions(buffer.data(), static_cast<int>(buffer.size()));
    std::string_view rest(buffer.data());
    if (rest.empty()) return CLocaleSettings();

    RegionalSettings settings;
    settings.decimalSeparator = NextLine(rest);
    settings.groupSeparator = NextLine(rest);
    settings.grouping.clear();
    for (std::string_view sizes = NextLine(rest); !sizes.empty();) {
        const std::size_t comma = sizes.find(',');
        settings.grouping.push_back(Digits(sizes.substr(0, comma)));
        sizes = comma == std::string_view::npos ? std::string_view{} : sizes.substr(comma + 1);
    }
    settings.leadingZero = NextLine(rest) == "1";
    const int form = Digits(NextLine(rest));
    settings.negativeForm = form >= 1 && form <= 4 ? static_cast<NegativeNumberForm>(form)
                                                   : NegativeNumberForm::LeadingHyphen;
    return settings;
}

} // namespace velmora
