// How the layout's measures become pixels on a screen, said once for every
// front end: twips and points at the screen's dots per inch (96, which the
// layout was drawn for, unless the system scales), and the faces a font
// falls back on where the layout's own is not installed.
#pragma once

#include <array>
#include <cmath>
#include <string_view>

#include "ui/layout.h"

namespace velmora::ui {

constexpr int kLayoutDpi = 96;
constexpr int kTwipsPerInch = 1440;
constexpr double kPointsPerInch = 72;
constexpr int kTwipsPerPixel = kTwipsPerInch / kLayoutDpi;  // at the layout's dpi

// Twips to the nearest whole pixel, and pixels back to twips.
inline int PixelsFromTwips(double twips, double dpi = kLayoutDpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}
inline float TwipsFromPixels(double pixels, double dpi = kLayoutDpi) {
    return static_cast<float>(pixels * kTwipsPerInch / dpi);
}

// A font's em height in pixels, and in whole pixels.
constexpr double FontPixels(const FontSpec& font, double dpi = kLayoutDpi) { return font.points * dpi / kPointsPerInch; }
inline int FontPixelSize(const FontSpec& font, double dpi = kLayoutDpi) {
    return static_cast<int>(std::lround(FontPixels(font, dpi)));
}

// Look-alikes of the layout's face (MS Sans Serif, a Windows bitmap face),
// in order of preference, before the system's own sans-serif face.
inline constexpr std::array<std::string_view, 3> kFallbackFaces{"Microsoft Sans Serif", "Liberation Sans", "Arial"};

} // namespace velmora::ui
