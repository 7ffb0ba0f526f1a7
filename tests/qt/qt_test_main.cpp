// Runs the widget tests on Qt's offscreen platform, and fails any test
// during which a modal dialog opens that the test did not expect.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "modal_dialog_guard.h"

namespace velmora::ui::qt::testing {

std::function<void(QMessageBox&)> ModalDialogGuard::expected_;

void ModalDialogGuard::Watch() {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (expected_ && box != nullptr) {
            auto handle = std::move(expected_);
            expected_ = nullptr;
            handle(*box);
        } else {
            ADD_FAILURE() << "unexpected modal dialog: "
                          << (box ? box->text() : modal->windowTitle()).toStdString();
        }
        modal->close();
    });
    timer->start(20);
}

} // namespace velmora::ui::qt::testing

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", VELMORA_TEST_RUNTIME_DIR);

    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    velmora::ui::qt::testing::ModalDialogGuard::Watch();
    return RUN_ALL_TESTS();
}
