#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "game/LingomatDoc.h"
#include "platform/Clock.h"
#include "platform/DocumentHost.h"
#include "platform/ProfileStore.h"
#include "support/Cp1252.h"

#include "DataSets.h"
#include "DocProbe.h"
#include "ScriptedHost.h"
#include "TempFolder.h"

namespace lingomat::testing {

using namespace Qt::Literals::StringLiterals;

// Thrown by Find: the test that looked for a missing widget fails, and the run goes on with the
// next test instead of crashing on a null pointer.
struct MissingWidget : std::runtime_error {
    using std::runtime_error::runtime_error;
};

template <typename Widget = QWidget> Widget* Find(QWidget& parent, const char* name) {
    auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (widget == nullptr) {
        ADD_FAILURE() << "no widget named " << name;
        throw MissingWidget(name);
    }
    return widget;
}

// The folder the build fills with everything the game reads: data sets, tips, help, pictures.
inline QString GameFolder() {
    return QStringLiteral(LINGOMAT_BINARY_DIR "/game");
}

// Pictures of every screen and dialog go under the build folder, for looking at them; saving
// one also shows that the widget can be painted.
inline void SaveShot(QWidget& widget, const QString& name) {
    const QString folder = QStringLiteral(LINGOMAT_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    EXPECT_TRUE(widget.grab().save(folder + u'/' + name + u".png"_s)) << name.toStdString();
}
inline void SaveShot(QWidget& widget, const char* name) {
    SaveShot(widget, QString::fromLatin1(name));
}

// A document on the shipped files, started up as at the program's start.
struct GameDocument {
    GameDocument() : document(host, profile, clock, GameFolder().toStdString()) {
        EXPECT_TRUE(document.OnNewDocument());
    }
    ScriptedHost host{false};
    MemoryProfileStore profile;
    FixedClock clock{1'700'000'000};
    CLingomatDoc document;
};

// A document loaded from a small data set written for the test into a folder of its own.
class TestDocument {
public:
    TestDocument() = default;
    TestDocument(const std::vector<TestLesson>& lessons, const std::vector<TestRecord>& records,
                 const std::string& dataSet = "lingomat.voc") {
        Load(lessons, records, dataSet);
    }
    // Writes the data set (under a Spanish data set's name, such as "spain.voc", it is one)
    // and starts a new document on it.
    void Load(const std::vector<TestLesson>& lessons, const std::vector<TestRecord>& records,
              const std::string& dataSet = "lingomat.voc") {
        WriteDataSet(folder.File(dataSet), lessons, records);
        profile.WriteString("Lingomat", "Dataset", dataSet);
        doc = std::make_unique<CLingomatDoc>(host, profile, clock, folder.Path());
        ASSERT_TRUE(doc->OnNewDocument());
        ASSERT_EQ(doc->lessonTable.lessons.size(), lessons.size());
    }
    CLingomatDoc& operator*() { return *doc; }
    CLingomatDoc* operator->() { return doc.get(); }

    TempFolder folder;
    ScriptedHost host{false};
    MemoryProfileStore profile;
    FixedClock clock{1'000'000};
    std::unique_ptr<CLingomatDoc> doc;
};

// A German to English game on the first lesson, as the set-up dialogs would start it.
inline void StartGame(CLingomatDoc& doc, GameMode mode) {
    doc.OnNewDocument();
    doc.ChooseGame(mode, doc.questionLanguage, doc.answerLanguage);
    doc.questionLanguage = LanguageGerman;
    doc.answerLanguage = LanguageEnglish;
    doc.lessonTable.lessons.at(0).selected = true;
    doc.lessonTable.selectedLessonCount = 1;
    doc.StartGame();
    ASSERT_TRUE(doc.gameStarted);
}

// A command's dialog blocks in exec, so the test's steps must already be waiting: act runs on
// the first modal dialog of type T that opens (on every one when every is set), which is then
// accepted unless act closed it. A dialog that never opens leaves seen false; the steps stop
// when the object goes out of scope, so they cannot reach into a later test.
template <typename T> class OnModal {
public:
    explicit OnModal(std::function<void(T&)> act, bool every = false) : act(std::move(act)) {
        QObject::connect(&timer, &QTimer::timeout, [this, every] {
            auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            // Stopped while acting: the steps may open further dialogs and wait in them.
            timer.stop();
            seen = true;
            try {
                this->act(*dialog);
            } catch (const MissingWidget&) {
                // Already a failure of the test; an exception must not cross Qt's event loop.
            }
            if (dialog->isVisible()) {
                static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
            }
            if (every) {
                timer.start(5);
            }
        });
        timer.start(5);
    }
    bool seen = false;

private:
    std::function<void(T&)> act;
    QTimer timer;
};

// Answers every message box with the button named answer (OK where it has none) and keeps what
// it said, so a check that shows a message never blocks a test.
class MessageCatcher {
public:
    explicit MessageCatcher(const char* answer = "okButton")
        : answer(QString::fromLatin1(answer)) {}

    QStringList texts;
    QStringList captions;
    QStringList defaults;
    std::vector<QMessageBox::Icon> icons;

private:
    QString answer;
    OnModal<QMessageBox> boxes{[this](QMessageBox& box) {
                                   texts.append(box.text());
                                   captions.append(box.windowTitle());
                                   icons.push_back(box.icon());
                                   defaults.append(box.defaultButton() != nullptr
                                                       ? box.defaultButton()->objectName()
                                                       : QString());
                                   auto* button = box.findChild<QPushButton*>(answer);
                                   if (button == nullptr) {
                                       button = Find<QPushButton>(box, "okButton");
                                   }
                                   button->click();
                               },
                               true};
};

inline void ClickButton(QWidget& dialog, const char* name) {
    Find<QAbstractButton>(dialog, name)->click();
}

} // namespace lingomat::testing
