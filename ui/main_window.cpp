#include "ui/main_window.h"

#include <exception>

#include "calc/reactance.h"

namespace velmora::ui {
namespace {

FrequencyUnit SelectedFrequencyUnit(const WindowControls& window) {
    if (window.IsSelected(ControlId::optHz)) return FrequencyUnit::Hz;
    if (window.IsSelected(ControlId::optKHz)) return FrequencyUnit::KHz;
    return FrequencyUnit::MHz;
}

InductanceUnit SelectedInductanceUnit(const WindowControls& window) {
    if (window.IsSelected(ControlId::optmH)) return InductanceUnit::mH;
    return InductanceUnit::uH;
}

} // namespace

void LoadMainWindow(WindowControls& window) {
    CenterOnScreen(window);
    window.Select(ControlId::optMHz);
    window.Select(ControlId::optuH);
    window.SetText(ControlId::txtFreq, "");
    window.SetText(ControlId::txtL, "");
    ClearResult(window);
}

void CenterOnScreen(WindowControls& window) {
    const float windowWidth = window.OuterWidth();
    const float screenWidth = window.ScreenWidth();
    window.SetLeft(screenWidth / 2 - windowWidth / 2);
    const float windowHeight = window.OuterHeight();
    const float screenHeight = window.ScreenHeight();
    window.SetTop(screenHeight / 2 - windowHeight / 2);
}

void ClearResult(WindowControls& window) { window.SetCaption(kWindow.resultLabel, ""); }

void Calculate(WindowControls& window) {
    const ReactanceInputs inputs{window.Text(ControlId::txtFreq), SelectedFrequencyUnit(window),
                                 window.Text(ControlId::txtL), SelectedInductanceUnit(window)};
    if (const auto line = CalculateReactance(inputs)) {
        window.SetCaption(kWindow.resultLabel, *line);
        window.Announce(kWindow.resultLabel);
    }
}

void DispatchEvent(WindowControls& window, ControlId control, ControlEvent event,
                   const FaultReporter& reportFault) {
    for (const EventHandler& handler : kEventHandlers) {
        if (handler.control != control || handler.event != event) continue;
        try {
            handler.handle(window);
        } catch (const std::exception& fault) {
            reportFault(fault.what());
        }
        return;
    }
}

} // namespace velmora::ui
