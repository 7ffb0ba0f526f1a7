// What the window's behaviour needs of a built window, whatever the toolkit.
#pragma once

#include <string>

#include "ui/layout.h"

namespace velmora::ui {

class WindowControls {
public:
    virtual ~WindowControls() = default;

    // Text boxes. Setting a text raises its change notification as typing does.
    virtual std::string Text(ControlId textBox) const = 0;
    virtual void SetText(ControlId textBox, const std::string& text) = 0;

    // Option buttons. Selecting one raises its click notification.
    virtual bool IsSelected(ControlId optionButton) const = 0;
    virtual void Select(ControlId optionButton) = 0;

    // Labels. Announce has screen readers speak the caption now, also when
    // it is the same as before: setting it alone is not spoken.
    virtual void SetCaption(ControlId label, const std::string& caption) = 0;
    virtual void Announce(ControlId label) = 0;

    // The window's outer size (frame and title bar included), its position,
    // and the whole screen's size, all in twips.
    virtual float OuterWidth() const = 0;
    virtual float OuterHeight() const = 0;
    virtual void SetLeft(float twips) = 0;
    virtual void SetTop(float twips) = 0;
    virtual float ScreenWidth() const = 0;
    virtual float ScreenHeight() const = 0;
};

} // namespace velmora::ui
