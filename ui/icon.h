// The window's icon as pixel data: 32 x 32, 16 colours, with a transparency
// mask. A white square in a cyan border with X-subscript-L, the symbol of
// inductive reactance, cut out as transparent strokes, the X edged in yellow.
// Every icon the program ships (window, executable, desktop) is made from it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "ui/layout.h"

namespace velmora::ui {

inline constexpr int kIconSize = 32;

// The standard 16-colour palette.
inline constexpr std::array<Rgb, 16> kIconPalette{{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
    {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
    {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

// One character a pixel, rows top to bottom: c cyan, w white, y yellow,
// '.' transparent.
inline constexpr std::array<std::string_view, kIconSize> kIconPixels{{
    "cccccccccccccccccccccccccccccccc",
    "cwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwc",
    "cwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwc",
    "cwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwc",
    "cwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwc",
    "cwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwc",
    "cww..ywwwwwwwwwwwwwwy..wwwwwwwwc",
    "cwww..ywwwwwwwwwwwwy..wwwwwwwwwc",
    "cwwww..ywwwwwwwwwwy..wwwwwwwwwwc",
    "cwwwwww..ywwwwwwy..wwwwwwwwwwwwc",
    "cwwwwwww..ywwwwy..wwwwwwwwwwwwwc",
    "cwwwwwwww..ywwy..wwwwwwwwwwwwwwc",
    "cwwwwwwwww..yy..wwwwwwwwwwwwwwwc",
    "cwwwwwwwwww....wwwwwwwwwwwwwwwwc",
    "cwwwwwwwwwy....ywwwwwwwwwwwwwwwc",
    "cwwwwwwwwy..ww..ywwwwwwwwwwwwwwc",
    "cwwwwwwwy..wwww..ywwwwwwwwwwwwwc",
    "cwwwwwwy..wwwwww..ywwwwwwwwwwwwc",
    "cwwwwwy..wwwwwwww..ywwwww..wwwwc",
    "cwwwy..wwwwwwwwwwww..ywww..wwwwc",
    "cwwy..wwwwwwwwwwwwww..yww..wwwwc",
    "cww..wwwwwwwwwwwwwwww..ww..wwwwc",
    "cwwwwwwwwwwwwwwwwwwwwwwww..wwwwc",
    "cwwwwwwwwwwwwwwwwwwwwwwww..wwwwc",
    "cwwwwwwwwwwwwwwwwwwwwwwww..wwwwc",
    "cwwwwwwwwwwwwwwwwwwwwwwww..wwwwc",
    "cwwwwwwwwwwwwwwwwwwwwwwww.....wc",
    "cwwwwwwwwwwwwwwwwwwwwwwww.....wc",
    "cwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwc",
    "cwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwc",
    "cwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwc",
    "cccccccccccccccccccccccccccccccc",
}};

// The pixel's palette index, or nothing where the mask makes it transparent.
constexpr std::optional<int> IconColourIndex(int x, int y) {
    switch (kIconPixels[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) {
    case 'c': return 14;
    case 'w': return 15;
    case 'y': return 11;
    default: return std::nullopt;
    }
}

// The pixel as 0xAARRGGBB, fully transparent or fully opaque.
constexpr std::uint32_t IconArgb(int x, int y) {
    const std::optional<int> index = IconColourIndex(x, y);
    if (!index) return 0;
    const Rgb colour = kIconPalette[static_cast<std::size_t>(*index)];
    return 0xFF000000u | (std::uint32_t{colour.red} << 16) | (std::uint32_t{colour.green} << 8) |
           std::uint32_t{colour.blue};
}

} // namespace velmora::ui
