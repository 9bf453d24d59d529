#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QStringList>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "SetupDialogTestSupport.h"
#include "UiTestSupport.h"

namespace lingomat::testing {

// Drives the next modal dialog of type Dialog once it is open: a command's dialog blocks in
// exec, so the test's steps must already be waiting. It stops when it goes out of scope, so a
// driver whose dialog never opened cannot reach into a later test.
class ModalDriver {
public:
    explicit ModalDriver(std::function<bool()> tryDrive) : tryDrive(std::move(tryDrive)) {
        // Stopped while driving: the steps may open further dialogs and wait in them.
        QObject::connect(&timer, &QTimer::timeout, [this] {
            timer.stop();
            if (!this->tryDrive()) {
                timer.start(5);
            }
        });
        timer.start(5);
    }

private:
    std::function<bool()> tryDrive;
    QTimer timer;
};

template <typename Dialog>
[[nodiscard]] std::unique_ptr<ModalDriver> WhenModalOpens(std::function<void(Dialog&)> drive) {
    return std::make_unique<ModalDriver>([drive] {
        auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr) {
            drive(*dialog);
        }
        return dialog != nullptr;
    });
}

template <typename Widget = QWidget>
Widget* Find(QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

inline void ClickButton(QWidget& dialog, const char* name) {
    Find<QAbstractButton>(dialog, name)->click();
}

inline void SetEditText(QWidget& dialog, const char* name, const char16_t* text) {
    Find<QLineEdit>(dialog, name)->setText(QString::fromUtf16(text));
}

inline void Close(QWidget& dialog, bool ok) {
    if (ok) {
        ClickButton(dialog, "okButton");
    } else {
        QTest::keyClick(&dialog, Qt::Key_Escape);
    }
}

// Types into one edit, presses OK and expects the one message, the dialog still open and the
// edit focused for typing again.
inline void ExpectRefusal(QWidget& dialog, const char* edit, const char16_t* typed,
                          const char16_t* message) {
    SetEditText(dialog, edit, typed);
    MessageCatcher messages;
    ClickButton(dialog, "okButton");
    ASSERT_EQ(messages.texts.size(), 1) << edit;
    EXPECT_EQ(messages.texts[0], QString::fromUtf16(message)) << edit;
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), Find(dialog, edit));
}

inline QStringList Latin1List(const std::vector<const char*>& texts) {
    QStringList list;
    for (const char* text : texts) {
        list << QString::fromLatin1(text);
    }
    return list;
}

inline void SaveShot(QWidget& dialog, const char* name) {
    EXPECT_TRUE(dialog.grab().save(ScreenshotFolder() + QLatin1Char('/') +
                                   QString::fromLatin1(name) + QStringLiteral(".png")));
}

} // namespace lingomat::testing
