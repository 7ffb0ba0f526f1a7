// The window's behaviour, written once against WindowControls: what loading
// does, and which handler each control event runs.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "ui/window_controls.h"

namespace velmora::ui {

// Runs once after the window is built and before it is shown: centres it,
// selects MHz and uH, and empties both texts and the result.
void LoadMainWindow(WindowControls& window);

// Places the window's outer rectangle in the middle of the whole screen.
// Halves are taken in single precision, and nothing is clamped: a window
// larger than the screen gets a negative position.
void CenterOnScreen(WindowControls& window);

// Empties the result label.
void ClearResult(WindowControls& window);

// The Calculate button: shows the result line when both typed values are
// positive numbers, and has screen readers speak it each time; leaves the
// label alone otherwise. An ArithmeticFault is not caught here.
void Calculate(WindowControls& window);

enum class ControlEvent { Change, Click };

struct EventHandler {
    ControlId control;
    ControlEvent event;
    void (*handle)(WindowControls&);
};

// One handler per control event; events not listed are not handled.
inline constexpr std::array<EventHandler, 8> kEventHandlers{{
    {ControlId::cmdCalc, ControlEvent::Click, Calculate},
    {ControlId::txtFreq, ControlEvent::Change, ClearResult},
    {ControlId::txtL, ControlEvent::Change, ClearResult},
    {ControlId::optHz, ControlEvent::Click, ClearResult},
    {ControlId::optKHz, ControlEvent::Click, ClearResult},
    {ControlId::optMHz, ControlEvent::Click, ClearResult},
    {ControlId::optmH, ControlEvent::Click, ClearResult},
    {ControlId::optuH, ControlEvent::Click, ClearResult},
}};

// Tells the user about a fault that stopped a handler, by its name ("Overflow").
using FaultReporter = std::function<void(const std::string& fault)>;

// Where a front end hands a control event to the behaviour: the one place
// that stops what a handler throws. It reports the fault and returns, so the
// program goes on and no exception reaches the toolkit's event loop.
void DispatchEvent(WindowControls& window, ControlId control, ControlEvent event,
                   const FaultReporter& reportFault);

} // namespace velmora::ui
