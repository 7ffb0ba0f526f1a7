// The user's number conventions from the POSIX locale the environment names.
#include <langinfo.h>
#include <locale.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "calc/regional_settings.h"
#include "calc/utf8.h"

namespace velmora {
namespace {

// The LC_NUMERIC locale name by POSIX precedence.
const char* NumericLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return value;
    }
    return "C";
}

class NumericLocale {
public:
    NumericLocale() : locale_(newlocale(LC_NUMERIC_MASK, NumericLocaleName(), locale_t{})) {}
    ~NumericLocale() {
        if (locale_ != locale_t{}) freelocale(locale_);
    }
    NumericLocale(const NumericLocale&) = delete;
    NumericLocale& operator=(const NumericLocale&) = delete;

    bool Loaded() const { return locale_ != locale_t{}; }

    // A separator as UTF-8, whatever the locale's own character set.
    std::string DecimalSeparator() const {
#ifdef __GLIBC__
        return WideItem(_NL_NUMERIC_DECIMAL_POINT_WC);
#else
        return nl_langinfo_l(RADIXCHAR, locale_);
#endif
    }
    std::string GroupSeparator() const {
#ifdef __GLIBC__
        return WideItem(_NL_NUMERIC_THOUSANDS_SEP_WC);
#else
        return nl_langinfo_l(THOUSEP, locale_);
#endif
    }

    // POSIX grouping bytes: each a group size, the last repeating, CHAR_MAX
    // (or anything not positive) ending grouping.
    std::vector<int> Grouping() const {
        std::vector<int> sizes;
        for (const char* size = nl_langinfo_l(GROUPING, locale_); *size != '\0'; ++size) {
            if (*size <= 0 || *size == CHAR_MAX) {
                sizes.push_back(0);
                break;
            }
            sizes.push_back(*size);
        }
        return sizes;
    }

private:
#ifdef __GLIBC__
    // glibc keeps a separator's wide character as the word member of a union
    // with the pointer it returns. Only the pointer's first bytes hold it:
    // its low half on little-endian machines, its high half on big-endian ones.
    std::string WideItem(nl_item item) const {
        const char* const value = nl_langinfo_l(item, locale_);
        std::uint32_t word = 0;
        std::memcpy(&word, &value, sizeof word);
        const auto character = static_cast<char32_t>(word);
        return character == 0 ? std::string() : Utf8(character);
    }
#endif

    locale_t locale_;
};

} // namespace

RegionalSettings CurrentRegionalSettings() {
    const NumericLocale locale;
    if (!locale.Loaded()) return CLocaleSettings();

    RegionalSettings settings = CLocaleSettings();
    settings.decimalSeparator = locale.DecimalSeparator();
    settings.groupSeparator = locale.GroupSeparator();
    settings.grouping = locale.Grouping();
    // POSIX locales have no leading-zero or negative-form choice: the C
    // conventions stand.
    return settings;
}

} // namespace velmora
