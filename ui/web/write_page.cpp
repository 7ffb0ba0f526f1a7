// The web window as the page first arrives with it, written at build time
// (run under Node) from the layout tables: its markup, as LoadMainWindow
// leaves it, and the stylesheet that places it. The module then attaches to
// what is there (web_main_window.cpp), so the window is drawn before the
// module is even fetched, and what a person does meanwhile stays.
// The sizes are the screen rules at the dpi the viewport wants: 96 where
// the window fits, higher to fill a phone's width, lower to fit a viewport
// too small for it; CSS works them out, so nothing waits for the module.
// Usage: write_page markup|style   (to standard output)
#include <algorithm>
#include <array>
#include <cmath>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "calc/decimal_text.h"
#include "ui/main_window.h"
#include "ui/screen_units.h"

namespace velmora::ui::web {
namespace {

// The frame the page draws around the client area, in CSS pixels at the
// layout's scale.
constexpr int kBorderWidth = 1;
constexpr int kTitleBarHeight = 22;
constexpr FontSpec kTitleFont{kControlFont.face, 9, 700};  // 12 CSS pixels

// Viewports narrower than this, in CSS pixels (a phone held upright), have
// the window laid out larger to fill their width; wider ones show it at its
// own size unless that does not fit.
constexpr int kNarrowViewport = 600;

// A CSS number: nine places, and no zeros after the last that counts.
std::string Number(double value) {
    std::array<char, 64> text{};
    std::string number(text.data(), WriteDecimal(text.data(), text.data() + text.size(), value, DecimalForm::Fixed, 9));
    number.erase(number.find_last_not_of('0') + 1);
    if (number.back() == '.') number.pop_back();
    return number;
}

std::string Escaped(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

// The window's state as loading leaves it, recorded to be written out.
class LoadedWindow final : public WindowControls {
public:
    std::array<std::string, kControls.size()> texts;  // text boxes' texts, labels' captions
    std::array<bool, kControls.size()> selected{};

    std::string Text(ControlId textBox) const override { return texts[RowOf(textBox)]; }
    void SetText(ControlId textBox, const std::string& text) override { texts[RowOf(textBox)] = text; }
    bool IsSelected(ControlId optionButton) const override { return selected[RowOf(optionButton)]; }
    void Select(ControlId optionButton) override {
        for (const ControlLayout& layout : kControls)
            if (InOptionGroupOf(layout, optionButton)) selected[RowOf(layout.id)] = layout.id == optionButton;
    }
    void SetCaption(ControlId label, const std::string& caption) override { texts[RowOf(label)] = caption; }
    void Announce(ControlId) override {}
    // Centring is the stylesheet's until the module, which measures, runs.
    float OuterWidth() const override { return 0; }
    float OuterHeight() const override { return 0; }
    void SetLeft(float) override {}
    void SetTop(float) override {}
    float ScreenWidth() const override { return 0; }
    float ScreenHeight() const override { return 0; }
};

// Option buttons and what takes no focus stay in their frame, which gives
// them its name as a group; the rest stand on the client area.
bool StaysInFrame(const ControlLayout& layout) {
    return layout.container && (layout.kind == ControlKind::OptionButton || !TakesFocus(layout.kind));
}

std::string Attribute(std::string_view name, std::string_view value) {
    return " " + std::string(name) + "=\"" + Escaped(value) + "\"";
}

std::string ControlMarkup(const ControlLayout& layout, const LoadedWindow& loaded) {
    const std::string id =
        Attribute("id", layout.name) + Attribute("class", layout.kind == ControlKind::Label ? "control result" : "control");
    const std::string& text = loaded.texts[RowOf(layout.id)];
    switch (layout.kind) {
    case ControlKind::GroupFrame:
        return "<fieldset" + id + "><legend>" + Escaped(layout.caption) + "</legend>";
    case ControlKind::TextBox:
        return "<input" + id + " type=\"text\" autocomplete=\"off\" spellcheck=\"false\" autocapitalize=\"off\"" +
               Attribute("aria-label", layout.accessibleName) + (text.empty() ? "" : Attribute("value", text)) +
               (layout.id == FirstFocusedControl() ? " autofocus" : "") + ">";
    case ControlKind::OptionButton:
        // The shown symbol is hidden from screen readers, which hear the
        // spoken name.
        return "<label" + id + "><input type=\"radio\"" +
               Attribute("name", std::string(kWindow.name) + "-group-" +
                                     std::to_string(layout.container ? RowOf(*layout.container) : 0)) +
               Attribute("aria-label", layout.accessibleName) + (loaded.selected[RowOf(layout.id)] ? " checked" : "") +
               "><span aria-hidden=\"true\">" + Escaped(layout.caption) + "</span></label>";
    case ControlKind::PushButton:
        // Pressed only once the module can carry it out.
        return "<button" + id + " type=\"button\" disabled>" + Escaped(layout.caption) + "</button>";
    case ControlKind::Label:
        return "<div" + id + ">" + Escaped(text) + "</div>";
    }
    return {};
}

// The controls in the window's tab order, which the page's focus then
// follows by itself: a frame where its first tab stop falls, with what it
// holds in table order (the order arrows move in within a group).
std::string ControlsMarkup(const LoadedWindow& loaded) {
    std::string markup;
    std::array<bool, kControls.size()> written{};
    auto writeFrame = [&](const ControlLayout& frame) {
        if (written[RowOf(frame.id)]) return;
        written[RowOf(frame.id)] = true;
        markup += ControlMarkup(frame, loaded) + "\n";
        for (const ControlLayout& held : kControls)
            if (held.container == frame.id && StaysInFrame(held)) markup += ControlMarkup(held, loaded) + "\n";
        markup += "</fieldset>\n";
    };
    for (const ControlLayout* layout : InTabOrder()) {
        if (StaysInFrame(*layout))
            writeFrame(Layout(*layout->container));
        else if (layout->kind != ControlKind::GroupFrame)
            markup += ControlMarkup(*layout, loaded) + "\n";
    }
    for (const ControlLayout& layout : kControls)  // frames with nothing in them
        if (layout.kind == ControlKind::GroupFrame) writeFrame(layout);
    return markup;
}

std::string Markup() {
    LoadedWindow loaded;
    LoadMainWindow(loaded);
    const std::string name(kWindow.name);
    std::string markup = "<main" + Attribute("id", name) + " class=\"window\"" +
                         Attribute("aria-labelledby", name + "Title") + ">\n<h1" + Attribute("id", name + "Title") +
                         " class=\"title-bar\">" + Escaped(kWindow.title) + "</h1>\n<div" +
                         Attribute("id", name + "Client") + " class=\"client\">\n" + ControlsMarkup(loaded);
    for (const LineLayout& line : kLines)
        markup += "<div" + Attribute("id", line.name) + " class=\"line\" aria-hidden=\"true\"></div>\n";
    // Screen readers speak what is put here: each result as it is shown.
    return markup + "</div>\n<div" + Attribute("id", name + "Spoken") +
           " class=\"spoken\" aria-live=\"polite\" aria-atomic=\"true\"></div>\n</main>\n";
}

// A length of so many pixels at 96 dpi, at the viewport's scale, a whole
// number of CSS pixels as the screen rules round them. --u is a thousand
// such pixels: engines hold a length to a fraction of a pixel (Firefox to
// 1/60), too coarse to multiply one pixel by hundreds.
constexpr int kPixelsInU = 1000;
std::string Scaled(double pixels) { return "round(var(--u) * " + Number(pixels / kPixelsInU) + ", 1px)"; }
std::string ScaledTwips(double twips) { return Scaled(twips / kTwipsPerPixel); }

std::string CssFont(const FontSpec& font) {
    return std::to_string(font.weight) + " " + Scaled(FontPixels(font)) + " var(--faces)";
}

std::string CssBox(std::string_view id, const TwipsRect& rect) {
    return "#" + std::string(id) + " { left: " + ScaledTwips(rect.left) + "; top: " + ScaledTwips(rect.top) +
           "; width: " + ScaledTwips(rect.width) + "; height: " + ScaledTwips(rect.height) + ";";
}

// The control's rectangle in its parent: on the client area with its
// frames' offsets added.
TwipsRect RectInParent(const ControlLayout& layout) {
    TwipsRect rect = layout.rect;
    if (StaysInFrame(layout)) return rect;
    for (std::optional<ControlId> frame = layout.container; frame; frame = Layout(*frame).container) {
        rect.left += Layout(*frame).rect.left;
        rect.top += Layout(*frame).rect.top;
    }
    return rect;
}

std::string Style() {
    const double clientWidth = double(kWindow.clientWidth) / kTwipsPerPixel;
    const double clientHeight = double(kWindow.clientHeight) / kTwipsPerPixel;
    const std::string frame = std::to_string(2 * kBorderWidth) + "px";
    // The scale at which the window's outer width is the viewport's, or its
    // outer height; no larger than 1 but on a narrow viewport.
    const std::string fit = "(100vw - " + frame + ") * " + Number(kPixelsInU / clientWidth) + ", (100vh - " +
                            frame + ") * " + Number(kPixelsInU / (kTitleBarHeight + clientHeight));
    const std::string name(kWindow.name);
    std::string faces = "\"" + std::string(kControlFont.face) + "\"";
    for (std::string_view face : kFallbackFaces) faces += ", \"" + std::string(face) + "\"";
    const Rgb& colour = kWindow.resultTextColour;
    const std::string outerWidth = Scaled(clientWidth) + " + " + frame;
    const std::string outerHeight = Scaled(kTitleBarHeight) + " + " + Scaled(clientHeight) + " + " + frame;

    std::string css = ":root { --faces: " + faces + ", sans-serif; --u: min(" + fit + "); }\n" +
                      "@media (min-width: " + std::to_string(kNarrowViewport) + "px) { :root { --u: min(" + std::to_string(kPixelsInU) + "px, " +
                      fit + "); } }\n";
    // Centred as the window's behaviour centres it, which the module does
    // again as it attaches and as the viewport changes.
    css += "#" + name + " { border-width: " + std::to_string(kBorderWidth) + "px; left: round((100vw - (" +
           outerWidth + ")) / 2, 1px); top: round((100vh - (" + outerHeight + ")) / 2, 1px); }\n";
    css += "#" + name + "Title { height: " + Scaled(kTitleBarHeight) + "; line-height: " + Scaled(kTitleBarHeight) +
           "; font: " + CssFont(kTitleFont) + "; }\n";
    css += "#" + name + "Client { width: " + Scaled(clientWidth) + "; height: " + Scaled(clientHeight) +
           "; --result-colour: rgb(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
           std::to_string(colour.blue) + "); }\n";
    for (const ControlLayout& layout : kControls)
        css += CssBox(layout.name, RectInParent(layout)) + " font: " + CssFont(layout.font) + "; }\n";
    // Lines one pixel wide at any scale, as the desktop draws them.
    for (const LineLayout& line : kLines)
        css += "#" + std::string(line.name) + " { left: " + ScaledTwips(std::min(line.x1, line.x2)) +
               "; top: " + ScaledTwips(std::min(line.y1, line.y2)) + "; width: calc(" +
               ScaledTwips(std::abs(line.x2 - line.x1)) + " + 1px); height: calc(" +
               ScaledTwips(std::abs(line.y2 - line.y1)) + " + 1px); }\n";
    return css;
}

} // namespace
} // namespace velmora::ui::web

int main(int argc, char** argv) {
    const std::string_view part = argc == 2 ? argv[1] : "";
    if (part == "markup") {
        std::cout << velmora::ui::web::Markup();
    } else if (part == "style") {
        std::cout << velmora::ui::web::Style();
    } else {
        std::cerr << "Usage: write_page markup|style\n";
        return 2;
    }
    return std::cout.flush() ? 0 : 1;
}
