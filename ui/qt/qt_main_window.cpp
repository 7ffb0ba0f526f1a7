#include "ui/qt/qt_main_window.h"

#include <QAccessibleWidget>
#include <QFontDatabase>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "ui/icon.h"
#include "ui/qt/x11_window_manager.h"
#include "ui/screen_units.h"

namespace velmora::ui::qt {
namespace {

// How often, and how long after the first show at most, the window looks for
// the frame the window manager placed, where no move of the window tells.
constexpr std::chrono::milliseconds kPlacementPoll{10};
constexpr std::chrono::seconds kPlacementWait{2};

int Pixels(double twips) { return PixelsFromTwips(twips); }

// The same, keeping the current pixel where it is as near: a window manager
// that centred the frame itself may have rounded a half pixel the other way.
int Pixels(double twips, int current) {
    return std::abs(current - twips / kTwipsPerPixel) <= 0.5 ? current : Pixels(twips);
}

float Twips(int pixels) { return TwipsFromPixels(pixels); }

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The layout's face where it is installed, else the first installed of its
// look-alikes. Checked against the list of installed families, which Qt
// has at hand: resolving each name as an alias costs a fontconfig search.
QString InstalledFace(std::string_view face) {
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(FromUtf8(face), Qt::CaseInsensitive)) return FromUtf8(face);
    for (std::string_view fallback : kFallbackFaces)
        if (installed.contains(FromUtf8(fallback), Qt::CaseInsensitive)) return FromUtf8(fallback);
    return {};
}

// How screen readers hear each result. Qt 6.8 has them speak a text with an
// announcement, and the result label is a label. Qt 6.4 has no such event,
// and Orca ignores name changes of labels: there the result label is
// presented as a notification, which Orca speaks whenever one is shown
// (Announce says so). Either way its name is its text alone: an empty label
// would otherwise borrow its group box's title.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
constexpr QAccessible::Role kResultRole = QAccessible::StaticText;
#else
constexpr QAccessible::Role kResultRole = QAccessible::Notification;
#endif

class ResultLabelAccessible final : public QAccessibleWidget {
public:
    explicit ResultLabelAccessible(QLabel* label) : QAccessibleWidget(label, kResultRole) {}
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
};

// Screen readers' views of two of the window's widgets, where Qt 6.4's own
// fall short: the main window, which Qt presents as a bare client area
// (AT-SPI "filler") whose title they cannot read, as a window (AT-SPI
// "frame"); and the result label, as above.
QAccessibleInterface* Accessible(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) return nullptr;
    if (widget->isWindow() && widget->objectName() == FromUtf8(kWindow.name))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (auto* label = qobject_cast<QLabel*>(widget);
        label != nullptr && label->objectName() == FromUtf8(Layout(kWindow.resultLabel).name))
        return new ResultLabelAccessible(label);
    return nullptr;
}

QIcon WindowIcon() {
    QImage image(kIconSize, kIconSize, QImage::Format_ARGB32);
    for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x) image.setPixel(x, y, IconArgb(x, y));
    return QIcon(QPixmap::fromImage(image));
}

} // namespace

// Sized in pixels at 96 dpi, as the layout's geometry is: Qt's own scaling
// then grows text and geometry together. Made once for each distinct font.
const QFont& QtMainWindow::Font(const FontSpec& wanted) {
    const auto key = std::make_tuple(wanted.face, wanted.points, wanted.weight);
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        QFont font(InstalledFace(wanted.face));
        font.setStyleHint(QFont::SansSerif);
        font.setPixelSize(FontPixelSize(wanted));
        font.setWeight(static_cast<QFont::Weight>(wanted.weight));
        found = fonts_.emplace(key, font).first;
    }
    return found->second;
}

QtMainWindow::QtMainWindow(FaultReporter reportFault) : reportFault_(std::move(reportFault)) {
    if (!reportFault_) reportFault_ = [this](const std::string& fault) { ReportFaultInMessageBox(fault); };

    setObjectName(FromUtf8(kWindow.name));
    // Once per program: the factory serves every window made after it.
    static const bool accessibleFactoryInstalled = [] {
        QAccessible::installFactory(Accessible);
        return true;
    }();
    Q_UNUSED(accessibleFactoryInstalled);
    setWindowTitle(FromUtf8(kWindow.title));
    setWindowIcon(WindowIcon());
    setFixedSize(Pixels(kWindow.clientWidth), Pixels(kWindow.clientHeight));
    // A fixed-size window offers no maximise button, also where Qt draws
    // the title bar itself (Wayland without server-side decorations).
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    for (const ControlLayout& layout : kControls)
        controls_[layout.id] = Build(layout, layout.container ? Control(*layout.container) : this);

    // Qt orders focus by setTabOrder.
    const ControlLayout* previous = nullptr;
    for (const ControlLayout* layout : InTabOrder()) {
        if (!TakesFocus(layout->kind)) continue;
        if (previous != nullptr) setTabOrder(Control(previous->id), Control(layout->id));
        previous = layout;
    }
    Control(FirstFocusedControl())->setFocus();

    // On X11 the window is first drawn where it stays. Where the window
    // manager tells the frame before the first show, on request, centring
    // places the frame itself; elsewhere setVisible has the window manager
    // centre it.
    if (WindowManagerAnnouncesFrames()) {
        winId();
        frame_ = RequestFrameExtents(*windowHandle());
    }
}

QWidget* QtMainWindow::Build(const ControlLayout& layout, QWidget* parent) {
    const ControlId id = layout.id;
    const QString caption = FromUtf8(layout.caption);
    QWidget* widget = nullptr;
    switch (layout.kind) {
    case ControlKind::GroupFrame:
        widget = new QGroupBox(caption, parent);
        // The frame's line runs through the middle of its caption, as the
        // layout's coordinates expect, rather than below it.
        widget->setStyleSheet(QStringLiteral(
            "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
            "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
        break;
    case ControlKind::TextBox: {
        auto* edit = new QLineEdit(parent);
        connect(edit, &QLineEdit::textChanged, this, [this, id] { Forward(id, ControlEvent::Change); });
        widget = edit;
        break;
    }
    case ControlKind::OptionButton: {
        auto* option = new QRadioButton(caption, parent);
        // Selected by a click, a key or the program alike.
        connect(option, &QRadioButton::toggled, this, [this, id](bool selected) {
            if (selected) Forward(id, ControlEvent::Click);
        });
        widget = option;
        break;
    }
    case ControlKind::PushButton: {
        auto* button = new QPushButton(caption, parent);
        button->setDefault(id == kWindow.defaultButton);
        connect(button, &QPushButton::clicked, this, [this, id] { Forward(id, ControlEvent::Click); });
        widget = button;
        break;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (id == kWindow.resultLabel) {
            const Rgb red = kWindow.resultTextColour;
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, QColor(red.red, red.green, red.blue));
            label->setPalette(palette);
        }
        widget = label;
        break;
    }
    }
    widget->setObjectName(FromUtf8(layout.name));
    widget->installEventFilter(this);
    // A label's accessible name is its text, which screen readers announce
    // as it changes; its role goes into the description instead.
    if (layout.kind == ControlKind::Label)
        widget->setAccessibleDescription(FromUtf8(layout.accessibleName));
    else
        widget->setAccessibleName(FromUtf8(layout.accessibleName));
    widget->setFont(Font(layout.font));
    widget->setGeometry(Pixels(layout.rect.left), Pixels(layout.rect.top), Pixels(layout.rect.width),
                        Pixels(layout.rect.height));
    return widget;
}

void QtMainWindow::Forward(ControlId control, ControlEvent event) {
    DispatchEvent(*this, control, event, reportFault_);
}

void QtMainWindow::ReportFaultInMessageBox(const std::string& fault) {
    QMessageBox::critical(this, FromUtf8(kWindow.title), QString::fromStdString(fault));
}

std::string QtMainWindow::Text(ControlId textBox) const {
    return static_cast<QLineEdit*>(Control(textBox))->text().toStdString();
}

void QtMainWindow::SetText(ControlId textBox, const std::string& text) {
    static_cast<QLineEdit*>(Control(textBox))->setText(QString::fromStdString(text));
}

bool QtMainWindow::IsSelected(ControlId optionButton) const {
    return static_cast<QRadioButton*>(Control(optionButton))->isChecked();
}

void QtMainWindow::Select(ControlId optionButton) {
    static_cast<QRadioButton*>(Control(optionButton))->setChecked(true);
}

void QtMainWindow::SetCaption(ControlId label, const std::string& caption) {
    static_cast<QLabel*>(Control(label))->setText(QString::fromStdString(caption));
}

// Spoken politely, after what the screen reader is saying: see
// ResultLabelAccessible.
void QtMainWindow::Announce(ControlId label) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(Control(label), static_cast<QLabel*>(Control(label))->text());
    announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&announcement);
#else
    QAccessibleEvent shown(Control(label), QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}

// The frame's borders as far as they are known: none before the window
// manager announces or places a frame.
QMargins QtMainWindow::FrameMargins() const { return frame_.value_or(QMargins()); }

QSize QtMainWindow::OuterSize() const { return size().grownBy(FrameMargins()); }

float QtMainWindow::OuterWidth() const { return Twips(OuterSize().width()); }
float QtMainWindow::OuterHeight() const { return Twips(OuterSize().height()); }

// Places the frame's top-left corner by asking for the client's position
// inside it. A frame position is read by the window manager through the
// window's gravity, which KWin does not honour as the others do. A shown
// frame already there is not asked to move.
void QtMainWindow::MoveFrameTo(QPoint topLeft) {
    if (isVisible() && topLeft == placedFrame_) return;
    placedFrame_ = topLeft;
    const QMargins frame = FrameMargins();
    if (windowHandle() != nullptr)
        windowHandle()->setPosition(topLeft + QPoint(frame.left(), frame.top()));
    else
        move(topLeft);  // no native window, so no frame yet
}

void QtMainWindow::SetLeft(float twips) { MoveFrameTo({Pixels(twips, placedFrame_.x()), placedFrame_.y()}); }
void QtMainWindow::SetTop(float twips) { MoveFrameTo({placedFrame_.x(), Pixels(twips, placedFrame_.y())}); }

float QtMainWindow::ScreenWidth() const { return Twips(screen()->geometry().width()); }
float QtMainWindow::ScreenHeight() const { return Twips(screen()->geometry().height()); }

// Where the window manager told no frame before this first show (KWin,
// mutter 44 on), centring placed the window as if it had none, and the
// window manager is asked to centre its frame on it as it maps it: so the
// frame is first drawn centred where it honours that (KWin on X11).
// CentrePlacedFrame checks that it was as the window moves and, since the
// frame may come without a move of the window, for a while after the show.
void QtMainWindow::setVisible(bool visible) {
    if (!visible || isVisible() || frame_ || !OnX11()) {
        QWidget::setVisible(visible);
        return;
    }
    {
        const X11ServerGrab grab;
        QWidget::setVisible(true);
        AskToCentreFrame(*windowHandle());
    }
    awaitingPlacedFrame_ = true;
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this, poll, giveUp = std::chrono::steady_clock::now() + kPlacementWait] {
        CentrePlacedFrame();
        if (std::chrono::steady_clock::now() > giveUp) {
            awaitingPlacedFrame_ = false;
            poll->deleteLater();
        }
    });
    poll->start(kPlacementPoll);
}

// The window manager moves the window into its frame as it places it.
// Where it left the frame off centre, centre it now: KWin, as the compositor
// of a Wayland session, places the frame of an Xwayland window before it
// knows the title bar's height, and mutter 44 on before its frames process
// has made the frame. KWin may put the frame back where it first placed it
// once more; a frame the user moved elsewhere stays.
void QtMainWindow::CentrePlacedFrame() {
    if (!awaitingPlacedFrame_) return;
    const auto placed = PlacedFrame(*windowHandle());
    if (!placed) return;
    if (!windowManagersPlace_)
        windowManagersPlace_ = placed->outer.topLeft();
    else if (placed->outer.topLeft() != *windowManagersPlace_)
        return;
    frame_ = placed->extents;
    placedFrame_ = placed->outer.topLeft();
    CenterOnScreen(*this);
}

bool QtMainWindow::event(QEvent* event) {
    if (event->type() == QEvent::Move) CentrePlacedFrame();
    return QWidget::event(event);
}

// Enter and keypad Enter run the default button wherever the focus is. The
// window filters them before any control sees them: what a control does with
// Enter depends on the platform theme (under GNOME's, a focused option button
// takes it as a press, and a group box swallows what a text box passes up),
// but a filter runs ahead of every control's own key handling, whatever the
// theme. Space and every other key go on to the control.
bool QtMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            static_cast<QPushButton*>(Control(kWindow.defaultButton))->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QtMainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    for (const LineLayout& line : kLines)
        painter.drawLine(Pixels(line.x1), Pixels(line.y1), Pixels(line.x2), Pixels(line.y2));
}

} // namespace velmora::ui::qt
