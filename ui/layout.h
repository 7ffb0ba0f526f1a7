// The one window's layout, declared once: every front end builds it from
// these tables. Positions and sizes are in twips (1/1440 inch), relative to
// the control's container; at 96 dots per inch 15 twips make a pixel.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

namespace velmora::ui {

enum class ControlKind { GroupFrame, TextBox, OptionButton, PushButton, Label };

// Named as the controls have always been named: a kind prefix and a role, or
// the unit's symbol with its own case (optmH and optMHz differ only in case).
enum class ControlId { Frame1, txtFreq, optHz, optKHz, optMHz, Frame2, txtL, optmH, optuH, lblXL, cmdCalc };

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct FontSpec {
    std::string_view face;  // front ends fall back to a sans-serif face
    double points;
    int weight;             // 400 normal, 700 bold
};

struct ControlLayout {
    ControlId id;
    std::string_view name;
    ControlKind kind;
    std::optional<ControlId> container;  // none: the window's client area
    std::string_view caption;
    TwipsRect rect;
    FontSpec font;
    int tabIndex;
    // What screen readers say for the control: its role, where its text does
    // not give it, and unit symbols as words ("mH" would be spelt out).
    std::string_view accessibleName;
};

struct Rgb {
    unsigned char red;
    unsigned char green;
    unsigned char blue;
};

struct LineLayout {
    std::string_view name;
    int x1;
    int y1;
    int x2;
    int y2;
};

struct WindowLayout {
    std::string_view name;
    std::string_view title;
    int clientWidth;   // twips
    int clientHeight;  // twips
    ControlId defaultButton;  // Enter activates it
    ControlId resultLabel;
    Rgb resultTextColour;
};

inline constexpr FontSpec kControlFont{"MS Sans Serif", 8.25, 700};
inline constexpr FontSpec kButtonFont{"MS Sans Serif", 9.75, 700};

inline constexpr WindowLayout kWindow{
    "frmVelmora", "Reactance of Inductor", 4020, 4680, ControlId::cmdCalc, ControlId::lblXL, {255, 0, 0}};

// In containment order: each container precedes what it holds.
inline constexpr std::array<ControlLayout, 11> kControls{{
    {ControlId::Frame1, "Frame1", ControlKind::GroupFrame, std::nullopt, "Frequency",
     {240, 240, 3495, 1335}, kControlFont, 0, "Frequency"},
    {ControlId::txtFreq, "txtFreq", ControlKind::TextBox, ControlId::Frame1, "",
     {240, 600, 1335, 285}, kControlFont, 1, "Frequency"},
    {ControlId::optHz, "optHz", ControlKind::OptionButton, ControlId::Frame1, "Hz",
     {1920, 240, 615, 195}, kControlFont, 5, "hertz"},
    {ControlId::optKHz, "optKHz", ControlKind::OptionButton, ControlId::Frame1, "KHz",
     {1920, 600, 735, 195}, kControlFont, 4, "kilohertz"},
    {ControlId::optMHz, "optMHz", ControlKind::OptionButton, ControlId::Frame1, "MHz",
     {1920, 960, 735, 195}, kControlFont, 3, "megahertz"},
    {ControlId::Frame2, "Frame2", ControlKind::GroupFrame, std::nullopt, "Inductance",
     {240, 1800, 3495, 1935}, kControlFont, 6, "Inductance"},
    {ControlId::txtL, "txtL", ControlKind::TextBox, ControlId::Frame2, "",
     {240, 240, 1335, 285}, kControlFont, 2, "Inductance"},
    {ControlId::optmH, "optmH", ControlKind::OptionButton, ControlId::Frame2, "mH",
     {1920, 120, 615, 255}, kControlFont, 8, "millihenries"},
    {ControlId::optuH, "optuH", ControlKind::OptionButton, ControlId::Frame2, "uH",
     {1920, 600, 615, 255}, kControlFont, 7, "microhenries"},
    {ControlId::lblXL, "lblXL", ControlKind::Label, ControlId::Frame2, "",
     {600, 960, 2055, 495}, kControlFont, 9, "Inductive reactance"},
    {ControlId::cmdCalc, "cmdCalc", ControlKind::PushButton, std::nullopt, "Calculate",
     {1200, 3840, 1575, 495}, kButtonFont, 10, "Calculate"},
}};

// Two coinciding decorative lines along the top edge, drawn on the client
// area and running past its right edge.
inline constexpr std::array<LineLayout, 2> kLines{{
    {"Line2", 4440, 0, 0, 0},
    {"Line3", 4440, 0, 0, 0},
}};

constexpr const ControlLayout& Layout(ControlId id) {
    for (const ControlLayout& control : kControls)
        if (control.id == id) return control;
    return kControls.front();  // unreachable: every id has a row
}

// The control's row in kControls, by which a front end may know it.
constexpr std::size_t RowOf(ControlId id) { return static_cast<std::size_t>(&Layout(id) - kControls.data()); }

// Option buttons that share a container form one exclusive group.
constexpr bool InOptionGroupOf(const ControlLayout& control, ControlId optionButton) {
    return control.kind == ControlKind::OptionButton && control.container == Layout(optionButton).container;
}

// Whether the control takes focus (and so has a place in the tab order).
constexpr bool TakesFocus(ControlKind kind) {
    return kind != ControlKind::GroupFrame && kind != ControlKind::Label;
}

// Every control in tab order: by tab index, in table order where two share
// one. Where a toolkit orders focus by creation, this is its creation order.
constexpr std::array<const ControlLayout*, kControls.size()> InTabOrder() {
    std::array<const ControlLayout*, kControls.size()> order{};
    for (std::size_t i = 0; i < kControls.size(); ++i) order[i] = &kControls[i];
    for (std::size_t i = 1; i < order.size(); ++i)  // insertion sort: stable, and constexpr
        for (std::size_t j = i; j > 0 && order[j]->tabIndex < order[j - 1]->tabIndex; --j)
            std::swap(order[j], order[j - 1]);
    return order;
}

// The control that has the focus as the window opens: the first in the tab
// order of those that take focus.
constexpr ControlId FirstFocusedControl() {
    for (const ControlLayout* layout : InTabOrder())
        if (TakesFocus(layout->kind)) return layout->id;
    return kControls.front().id;  // unreachable: the window has focusable controls
}

} // namespace velmora::ui
