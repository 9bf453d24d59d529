#pragma once

#include <functional>
#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include "SetupDialogTestSupport.h"

namespace lingomat::testing {

// Drives the next modal dialog of type Dialog once it is open: a command's dialog blocks in
// exec, so the test's steps must already be waiting. The driver stops when it goes out of scope,
// so one whose dialog never opened cannot reach into a later test.
class ModalDriver {
public:
    explicit ModalDriver(std::function<bool()> tryDrive) : tryDrive(std::move(tryDrive)) {
        timer.setInterval(5);
        // Stopped while driving: the steps may open further dialogs and wait in them.
        QObject::connect(&timer, &QTimer::timeout, [this] {
            timer.stop();
            if (!this->tryDrive()) {
                timer.start();
            }
        });
        timer.start();
    }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

private:
    std::function<bool()> tryDrive;
    QTimer timer;
};

template <typename Dialog>
[[nodiscard]] std::unique_ptr<ModalDriver> WhenModalOpens(std::function<void(Dialog&)> drive) {
    return std::make_unique<ModalDriver>([drive] {
        auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return false;
        }
        drive(*dialog);
        return true;
    });
}

template <typename Widget>
Widget* Find(QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

inline void ClickButton(QWidget& dialog, const char* name) {
    if (auto* button = Find<QAbstractButton>(dialog, name)) {
        button->click();
    }
}

inline QString EditText(QWidget& dialog, const char* name) {
    auto* edit = Find<QLineEdit>(dialog, name);
    return edit != nullptr ? edit->text() : QString();
}

inline void SetEditText(QWidget& dialog, const char* name, const QString& text) {
    if (auto* edit = Find<QLineEdit>(dialog, name)) {
        edit->setText(text);
    }
}

} // namespace lingomat::testing
