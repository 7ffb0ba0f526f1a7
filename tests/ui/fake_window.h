// A window without a toolkit: keeps the controls' state, logs every
// operation the behaviour performs, and raises change and click
// notifications the way real controls do.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/main_window.h"

namespace velmora::ui::testing {

inline std::string NameOf(ControlId id) { return std::string(Layout(id).name); }

class FakeWindow final : public WindowControls {
public:
    std::vector<std::string> log;
    std::vector<std::string> reportedFaults;
    float outerWidth = 4140;
    float outerHeight = 5190;
    float screenWidth = 15360;
    float screenHeight = 11520;
    float left = 0;
    float top = 0;

    // What a user does: each raises its notification through DispatchEvent.
    void Type(ControlId textBox, const std::string& text) { SetText(textBox, texts_[textBox] + text); }
    void Click(ControlId control) {
        if (Layout(control).kind == ControlKind::OptionButton)
            Select(control);
        else
            Raise(control, ControlEvent::Click);
    }
    void Raise(ControlId control, ControlEvent event) {
        DispatchEvent(*this, control, event,
                      [this](const std::string& fault) { reportedFaults.push_back(fault); });
    }
    const std::string& Caption(ControlId label) { return captions_[label]; }

    std::string Text(ControlId textBox) const override { return Get(texts_, textBox); }
    void SetText(ControlId textBox, const std::string& text) override {
        log.push_back("SetText " + NameOf(textBox) + " '" + text + "'");
        if (texts_[textBox] == text) return;
        texts_[textBox] = text;
        Raise(textBox, ControlEvent::Change);
    }
    bool IsSelected(ControlId optionButton) const override { return selected_.count(optionButton) > 0; }
    void Select(ControlId optionButton) override {
        log.push_back("Select " + NameOf(optionButton));
        for (const ControlLayout& other : kControls)
            if (InOptionGroupOf(other, optionButton))
                selected_.erase(other.id);
        selected_.insert({optionButton, true});
        Raise(optionButton, ControlEvent::Click);
    }
    void SetCaption(ControlId label, const std::string& caption) override {
        log.push_back("SetCaption " + NameOf(label) + " '" + caption + "'");
        captions_[label] = caption;
    }
    void Announce(ControlId label) override { log.push_back("Announce " + NameOf(label)); }
    float OuterWidth() const override { return outerWidth; }
    float OuterHeight() const override { return outerHeight; }
    void SetLeft(float twips) override {
        log.push_back("SetLeft");
        left = twips;
    }
    void SetTop(float twips) override {
        log.push_back("SetTop");
        top = twips;
    }
    float ScreenWidth() const override { return screenWidth; }
    float ScreenHeight() const override { return screenHeight; }

private:
    static std::string Get(const std::map<ControlId, std::string>& map, ControlId id) {
        const auto found = map.find(id);
        return found == map.end() ? std::string() : found->second;
    }

    std::map<ControlId, std::string> texts_;
    std::map<ControlId, std::string> captions_;
    std::map<ControlId, bool> selected_;
};

} // namespace velmora::ui::testing
