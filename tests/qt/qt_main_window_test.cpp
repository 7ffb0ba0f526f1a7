#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <cmath>
#include <cstdlib>

#include "../calc/named_rows.h"
#include "modal_dialog_guard.h"
#include "ui/qt/qt_main_window.h"

namespace velmora::ui::qt {
namespace {

using testing::ModalDialogGuard;

class QtMainWindowTest : public ::testing::Test {
public:
    void SetUp() override {
        LoadMainWindow(window);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <class Widget = QWidget>
    Widget* Get(ControlId id) {
        return qobject_cast<Widget*>(window.Control(id));
    }
    QString Result() { return Get<QLabel>(ControlId::lblXL)->text(); }
    void Type(ControlId id, const QString& text) { QTest::keyClicks(Get(id), text); }
    void Click(ControlId id) { QTest::mouseClick(Get(id), Qt::LeftButton, {}, QPoint(4, 6)); }

    QtMainWindow window;
};

TEST_F(QtMainWindowTest, StartsWithDefaultsAndFocusInFrequency) {
    EXPECT_EQ(window.windowTitle(), "Reactance of Inductor");
    EXPECT_EQ(window.size(), QSize(268, 312));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the window must not be resizable";
    EXPECT_TRUE(Get<QRadioButton>(ControlId::optMHz)->isChecked());
    EXPECT_TRUE(Get<QRadioButton>(ControlId::optuH)->isChecked());
    EXPECT_EQ(Get<QLineEdit>(ControlId::txtFreq)->text(), "");
    EXPECT_EQ(Get<QLineEdit>(ControlId::txtL)->text(), "");
    EXPECT_EQ(Result(), "");
    EXPECT_EQ(QApplication::focusWidget(), Get(ControlId::txtFreq));
    EXPECT_FALSE(window.windowIcon().isNull());
}

// Each control where the layout puts it, inside the container it names.
TEST_F(QtMainWindowTest, EveryControlAtItsLayoutPlace) {
    for (const ControlLayout& layout : kControls) {
        SCOPED_TRACE(std::string(layout.name));
        QWidget* widget = Get(layout.id);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->objectName().toStdString(), layout.name);
        QWidget* container = layout.container ? Get(*layout.container) : &window;
        EXPECT_EQ(widget->parentWidget(), container);
        EXPECT_EQ(widget->geometry(), QRect(layout.rect.left / 15, layout.rect.top / 15,
                                            layout.rect.width / 15, layout.rect.height / 15));
        EXPECT_TRUE(container->rect().contains(widget->geometry()));
        EXPECT_TRUE(widget->font().bold());
        // The layout's face, or an installed stand-in where it is missing.
        EXPECT_TRUE(QFontDatabase::families().contains(widget->font().family(), Qt::CaseInsensitive))
            << widget->font().family().toStdString() << " is not installed";
        EXPECT_FALSE(widget->accessibleName().isEmpty() && widget->accessibleDescription().isEmpty());
    }
    EXPECT_EQ(Get<QPushButton>(ControlId::cmdCalc)->font().pixelSize(), 13);
    EXPECT_EQ(Get<QLabel>(ControlId::lblXL)->font().pixelSize(), 11);
}

struct CaptionRow {
    const char* name;
    ControlId id;
    QString caption;
    QString spokenName;  // what a screen reader says
};

class CaptionTest : public QtMainWindowTest, public ::testing::WithParamInterface<CaptionRow> {};

TEST_P(CaptionTest, ShowsItsCaptionAndIsSpokenByName) {
    QWidget* widget = Get(GetParam().id);
    EXPECT_EQ(widget->accessibleName(), GetParam().spokenName);
    if (auto* box = qobject_cast<QGroupBox*>(widget))
        EXPECT_EQ(box->title(), GetParam().caption);
    else
        EXPECT_EQ(qobject_cast<QAbstractButton*>(widget)->text(), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(Controls, CaptionTest, ::testing::Values(
    CaptionRow{"Frame1", ControlId::Frame1, "Frequency", "Frequency"},
    CaptionRow{"Frame2", ControlId::Frame2, "Inductance", "Inductance"},
    CaptionRow{"optHz", ControlId::optHz, "Hz", "hertz"},
    CaptionRow{"optKHz", ControlId::optKHz, "KHz", "kilohertz"},
    CaptionRow{"optMHz", ControlId::optMHz, "MHz", "megahertz"},
    CaptionRow{"optmH", ControlId::optmH, "mH", "millihenries"},
    CaptionRow{"optuH", ControlId::optuH, "uH", "microhenries"},
    CaptionRow{"cmdCalc", ControlId::cmdCalc, "Calculate", "Calculate"}),
    RowName{});

// Screen readers read the window's title from a window, not from a bare
// client area.
TEST_F(QtMainWindowTest, ScreenReadersSeeAWindowWithItsTitle) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&window);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Window);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Reactance of Inductor"));
}

// Offscreen windows have no frame: the client area is the outer rectangle.
TEST_F(QtMainWindowTest, CentredOnTheScreenAndStaysWhereTheUserMovesIt) {
    const QRect screen = window.screen()->geometry();
    EXPECT_EQ(window.frameGeometry().topLeft(),
              QPoint(static_cast<int>(std::lround((screen.width() - window.width()) / 2.0)),
                     static_cast<int>(std::lround((screen.height() - window.height()) / 2.0))));
    window.move(30, 40);
    QTest::qWait(50);
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(30, 40));
}

TEST_F(QtMainWindowTest, TabVisitsTextBoxesThenUnitGroupsThenCalculate) {
    const ControlId expected[] = {ControlId::txtL, ControlId::optMHz, ControlId::optuH,
                                  ControlId::cmdCalc, ControlId::txtFreq};
    for (const ControlId next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Get(next)) << "expected " << Layout(next).name;
    }
}

TEST_F(QtMainWindowTest, UnitGroupsAreExclusivePerFrame) {
    Click(ControlId::optKHz);
    EXPECT_TRUE(Get<QRadioButton>(ControlId::optKHz)->isChecked());
    EXPECT_FALSE(Get<QRadioButton>(ControlId::optMHz)->isChecked());
    EXPECT_FALSE(Get<QRadioButton>(ControlId::optHz)->isChecked());
    EXPECT_TRUE(Get<QRadioButton>(ControlId::optuH)->isChecked());
    Click(ControlId::optmH);
    EXPECT_FALSE(Get<QRadioButton>(ControlId::optuH)->isChecked());
    EXPECT_TRUE(Get<QRadioButton>(ControlId::optKHz)->isChecked());
}

TEST_F(QtMainWindowTest, CalculateShowsTheResultLineInRed) {
    Type(ControlId::txtFreq, "60");
    Click(ControlId::optHz);
    Type(ControlId::txtL, "100");
    Click(ControlId::optmH);
    Click(ControlId::cmdCalc);
    EXPECT_EQ(Result(), "Inductive Reactance = 37.7 ohms");
    EXPECT_EQ(Get<QLabel>(ControlId::lblXL)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(Get<QLabel>(ControlId::lblXL)->wordWrap());
}

struct ClearRow {
    const char* name;
    std::function<void(QtMainWindowTest&)> act;
};

class EmptiesResultTest : public QtMainWindowTest, public ::testing::WithParamInterface<ClearRow> {};

TEST_P(EmptiesResultTest, EmptiesTheShownResult) {
    Type(ControlId::txtFreq, "2");
    Type(ControlId::txtL, "8");
    QTest::keyClick(Get(ControlId::txtL), Qt::Key_Return);
    ASSERT_EQ(Result(), "Inductive Reactance = 100.53 ohms") << "Enter runs Calculate";
    GetParam().act(*this);
    EXPECT_EQ(Result(), "");
}

INSTANTIATE_TEST_SUITE_P(Actions, EmptiesResultTest, ::testing::Values(
    ClearRow{"TypingInFrequency", [](QtMainWindowTest& t) { t.Type(ControlId::txtFreq, "0"); }},
    ClearRow{"BackspaceInInductance",
             [](QtMainWindowTest& t) { QTest::keyClick(t.Get(ControlId::txtL), Qt::Key_Backspace); }},
    ClearRow{"ClickingKHz", [](QtMainWindowTest& t) { t.Click(ControlId::optKHz); }},
    ClearRow{"ClickingmH", [](QtMainWindowTest& t) { t.Click(ControlId::optmH); }},
    ClearRow{"ArrowKeyInUnitGroup",
             [](QtMainWindowTest& t) {
                 t.Get(ControlId::optMHz)->setFocus();
                 QTest::keyClick(t.Get(ControlId::optMHz), Qt::Key_Up);
             }}),
    RowName{});

struct KeyRow {
    const char* name;
    ControlId focus;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool calculates;
};

class KeyTest : public QtMainWindowTest, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(KeyTest, OnlyEnterCalculates) {
    Type(ControlId::txtFreq, "2");
    Type(ControlId::txtL, "8");
    Get(GetParam().focus)->setFocus();
    QTest::keyClick(Get(GetParam().focus), GetParam().key, GetParam().modifiers);
    EXPECT_EQ(Result(), GetParam().calculates ? "Inductive Reactance = 100.53 ohms" : "");
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyTest, ::testing::Values(
    KeyRow{"KeypadEnterInFrequency", ControlId::txtFreq, Qt::Key_Enter, Qt::KeypadModifier, true},
    KeyRow{"ReturnOnUnitButton", ControlId::optuH, Qt::Key_Return, Qt::NoModifier, true},
    KeyRow{"KeypadEnterOnCalculate", ControlId::cmdCalc, Qt::Key_Enter, Qt::KeypadModifier, true},
    KeyRow{"EscapeInInductance", ControlId::txtL, Qt::Key_Escape, Qt::NoModifier, false},
    KeyRow{"LetterOnUnitButton", ControlId::optKHz, Qt::Key_C, Qt::NoModifier, false},
    KeyRow{"SpaceOnUnitButton", ControlId::optmH, Qt::Key_Space, Qt::NoModifier, false}),
    RowName{});

TEST_F(QtMainWindowTest, NoResultLeavesTheLabelAndShowsNoMessage) {
    Type(ControlId::txtL, "100");
    Click(ControlId::cmdCalc);
    QTest::qWait(60);  // a message box would be caught by the guard meanwhile
    EXPECT_EQ(Result(), "");
}

TEST_F(QtMainWindowTest, OverflowIsReportedInAMessageBoxAndTheProgramGoesOn) {
    Type(ControlId::txtFreq, "1");
    Type(ControlId::txtL, "8");
    Click(ControlId::cmdCalc);
    const QString before = Result();
    Get<QLineEdit>(ControlId::txtFreq)->setText("1e303");
    window.SetCaption(ControlId::lblXL, before.toStdString());

    QString shown;
    ModalDialogGuard::Expect([&](QMessageBox& box) { shown = box.text(); });
    Click(ControlId::cmdCalc);
    EXPECT_FALSE(ModalDialogGuard::Pending()) << "no message box appeared";
    EXPECT_EQ(shown, "Overflow");
    EXPECT_EQ(Result(), before);

    Get<QLineEdit>(ControlId::txtFreq)->setText("1");
    Click(ControlId::cmdCalc);
    EXPECT_EQ(Result(), "Inductive Reactance = 50.27 ohms");
}

TEST_F(QtMainWindowTest, ResultIsExposedToScreenReaders) {
    Type(ControlId::txtFreq, "1");
    Type(ControlId::txtL, "1");
    Click(ControlId::cmdCalc);
    QAccessibleInterface* label = QAccessible::queryAccessibleInterface(Get(ControlId::lblXL));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(QAccessible::Name), "Inductive Reactance = 6.28 ohms");
    EXPECT_EQ(label->text(QAccessible::Description), "Inductive reactance");
}

// ctest generates the locale and points LOCPATH at it.
TEST_F(QtMainWindowTest, ResultFollowsTheRegionalSettingsAtEachCalculate) {
    ASSERT_NE(std::getenv("LOCPATH"), nullptr);
    Type(ControlId::txtFreq, "60");
    Click(ControlId::optHz);
    Type(ControlId::txtL, "100");
    Click(ControlId::optmH);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    Click(ControlId::cmdCalc);
    EXPECT_EQ(Result(), "Inductive Reactance = 37,7 ohms");
    setenv("LC_ALL", "C", 1);
    Click(ControlId::cmdCalc);
    EXPECT_EQ(Result(), "Inductive Reactance = 37.7 ohms");
    unsetenv("LC_ALL");
}

} // namespace
} // namespace velmora::ui::qt
