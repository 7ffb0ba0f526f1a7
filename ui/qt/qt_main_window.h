// The window built with Qt Widgets from the layout tables. It forwards every
// control event to the shared behaviour and has none of its own.
#pragma once

#include <QFont>
#include <QWidget>

#include <map>
#include <optional>
#include <string_view>
#include <tuple>

#include "ui/main_window.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velmora::ui::qt {

class QtMainWindow final : public QWidget, public WindowControls {
public:
    // Faults go to a message box unless another reporter is given.
    explicit QtMainWindow(FaultReporter reportFault = {});

    QWidget* Control(ControlId id) const { return controls_.at(id); }

    // WindowControls
    std::string Text(ControlId textBox) const override;
    void SetText(ControlId textBox, const std::string& text) override;
    bool IsSelected(ControlId optionButton) const override;
    void Select(ControlId optionButton) override;
    void SetCaption(ControlId label, const std::string& caption) override;
    void Announce(ControlId label) override;
    float OuterWidth() const override;
    float OuterHeight() const override;
    void SetLeft(float twips) override;
    void SetTop(float twips) override;
    float ScreenWidth() const override;
    float ScreenHeight() const override;

    void setVisible(bool visible) override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* Build(const ControlLayout& layout, QWidget* parent);
    QMargins FrameMargins() const;
    QSize OuterSize() const;
    void MoveFrameTo(QPoint topLeft);
    void CentrePlacedFrame();
    const QFont& Font(const FontSpec& wanted);
    void Forward(ControlId control, ControlEvent event);
    void ReportFaultInMessageBox(const std::string& fault);

    std::map<ControlId, QWidget*> controls_;
    std::map<std::tuple<std::string_view, double, int>, QFont> fonts_;
    FaultReporter reportFault_;
    // The frame's borders: as the window manager announced them before the
    // first show, or as it placed the frame.
    std::optional<QMargins> frame_;
    bool awaitingPlacedFrame_ = false;  // for the window manager to place the frame it was asked to centre
    std::optional<QPoint> windowManagersPlace_;  // where it first placed that frame
    // Where the frame's corner is: where the program last put it, or where
    // the window manager placed it. Qt's own geometry learns of a position
    // asked for before the first show only once shown.
    QPoint placedFrame_;
};

} // namespace velmora::ui::qt
