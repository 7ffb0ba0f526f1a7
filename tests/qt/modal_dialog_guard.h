#pragma once

#include <functional>

class QMessageBox;

namespace velmora::ui::qt::testing {

// Closes any modal dialog that opens while an event loop runs. A dialog a
// test announced with Expect is handed to it; any other fails the test.
class ModalDialogGuard {
public:
    static void Watch();
    static void Expect(std::function<void(QMessageBox&)> handle) { expected_ = std::move(handle); }
    static bool Pending() { return static_cast<bool>(expected_); }

private:
    static std::function<void(QMessageBox&)> expected_;
};

} // namespace velmora::ui::qt::testing
