// The user's number conventions from Windows' user default locale.
#include <windows.h>

#include <string>

#include "calc/regional_settings.h"

namespace velmora {
namespace {

std::string LocaleText(LCTYPE type) {
    wchar_t wide[64] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, wide, 64);
    if (length <= 1) return {};
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, length - 1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, length - 1, text.data(), bytes, nullptr, nullptr);
    return text;
}

bool LocaleNumber(LCTYPE type, DWORD& value) {
    return GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type | LOCALE_RETURN_NUMBER,
                           reinterpret_cast<LPWSTR>(&value), sizeof(value) / sizeof(wchar_t)) != 0;
}

// Windows writes grouping as "3;0" (threes throughout), "3;2;0" (India) or
// "3" (one group of three, the rest ungrouped): a final 0 means "repeat the
// last size", which is what a RegionalSettings list does by itself.
std::vector<int> Grouping(const std::string& text) {
    std::vector<int> sizes;
    int size = 0;
    bool inNumber = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            size = size * 10 + (c - '0');
            inNumber = true;
        } else if (c == ';' && inNumber) {
            sizes.push_back(size);
            size = 0;
            inNumber = false;
        }
    }
    if (inNumber) sizes.push_back(size);
    if (sizes.empty()) return sizes;
    if (sizes.back() == 0)
        sizes.pop_back();
    else
        sizes.push_back(0);
    return sizes;
}

} // namespace

RegionalSettings CurrentRegionalSettings() {
    RegionalSettings settings = CLocaleSettings();
    if (std::string decimal = LocaleText(LOCALE_SDECIMAL); !decimal.empty())
        settings.decimalSeparator = decimal;
    settings.groupSeparator = LocaleText(LOCALE_STHOUSAND);
    settings.grouping = Grouping(LocaleText(LOCALE_SGROUPING));
    DWORD leadingZero = 1;
    if (LocaleNumber(LOCALE_ILZERO, leadingZero)) settings.leadingZero = leadingZero != 0;
    DWORD negativeForm = 1;
    if (LocaleNumber(LOCALE_INEGNUMBER, negativeForm) && negativeForm <= 4)
        settings.negativeForm = static_cast<NegativeNumberForm>(negativeForm);
    return settings;
}

} // namespace velmora
