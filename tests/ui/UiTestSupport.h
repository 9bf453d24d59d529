#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// The tests reach into every kind of widget.
#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include "game/LingomatDoc.h"
#include "platform/Clock.h"
#include "platform/DocumentHost.h"
#include "platform/ProfileStore.h"
#include "support/Cp1252.h"
#include "support/Prompts.h"

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
inline void SaveShot(QWidget& widget, QAnyStringView name) {
    const QString folder = QStringLiteral(LINGOMAT_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    const QString file = folder + u'/' + name.toString() + u".png"_s;
    EXPECT_TRUE(widget.grab().save(file)) << file.toStdString();
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

// Stands in for the player at every message box, file chooser and modal dialog while it lives.
// Answers are queued in the order the questions come, and everything asked is kept. A box
// without a queued answer gets its default button, a chooser without one is cancelled, and a
// dialog without one is closed as by Escape. An answer left over at the end fails the test: its
// question never came.
class Answers : public PromptAnswers {
public:
    Answers() { SetPromptAnswers(this); }
    ~Answers() override {
        SetPromptAnswers(nullptr);
        EXPECT_TRUE(presses.empty()) << "unused answer " << presses.front().toStdString();
        EXPECT_TRUE(paths.empty()) << "unused path " << paths.front().toStdString();
        EXPECT_TRUE(acts.empty()) << acts.size() << " dialog(s) never opened";
    }
    Answers(const Answers&) = delete;
    Answers& operator=(const Answers&) = delete;

    // The next box gets the button with this object name.
    Answers& Press(const char* button) {
        presses.push_back(QString::fromLatin1(button));
        return *this;
    }
    // The next file chooser returns this path; an empty one is Abbrechen.
    Answers& Choose(const QString& path) {
        paths.push_back(path);
        return *this;
    }
    // The next dialog must be a T; act plays the player's part, and a dialog act left open is
    // then accepted.
    template <typename T> Answers& On(std::function<void(T&)> act) {
        acts.push_back([act = std::move(act)](QDialog& dialog) {
            // The name is taken before the cast: GCC's flow analysis would otherwise think the
            // dialog itself null on the failing branch.
            const std::string name = dialog.objectName().toStdString();
            auto* typed = dynamic_cast<T*>(&dialog);
            if (typed == nullptr) {
                ADD_FAILURE() << "unexpected dialog " << name;
                dialog.reject();
                return;
            }
            act(*typed);
        });
        return *this;
    }

    struct Box {
        QString caption, text, defaultButton;
        QMessageBox::Icon icon;
    };
    std::vector<Box> boxes;
    std::vector<FilePrompt> choosers;
    QStringList dialogs; // object names, in order

    QStringList Texts() const {
        QStringList texts;
        for (const Box& box : boxes) {
            texts << box.text;
        }
        return texts;
    }

    int Answer(const Prompt& prompt) override {
        const auto button = [&](int i) {
            return prompt.buttons.at(static_cast<std::size_t>(i)).objectName;
        };
        boxes.push_back({prompt.caption, prompt.text, button(prompt.defaultButton), prompt.icon});
        if (presses.empty()) {
            return prompt.defaultButton;
        }
        const QString wanted = presses.takeFirst();
        for (int i = 0; i < static_cast<int>(prompt.buttons.size()); ++i) {
            if (button(i) == wanted) {
                return i;
            }
        }
        ADD_FAILURE() << "no button " << wanted.toStdString() << " in "
                      << prompt.text.toStdString();
        return prompt.escapeButton;
    }
    QString AnswerFile(const FilePrompt& prompt) override {
        choosers.push_back(prompt);
        return paths.isEmpty() ? QString() : paths.takeFirst();
    }
    int Run(QDialog& dialog) override {
        dialogs << dialog.objectName();
        if (acts.empty()) {
            return QDialog::Rejected;
        }
        const auto act = std::move(acts.front());
        acts.erase(acts.begin());
        dialog.show();
        try {
            act(dialog);
        } catch (const MissingWidget&) {
            // Already a failure of the test; the dialog still has to close.
        }
        if (dialog.isVisible()) {
            dialog.done(QDialog::Accepted);
        }
        return dialog.result();
    }

private:
    QStringList presses;
    QStringList paths;
    std::vector<std::function<void(QDialog&)>> acts;
};

inline void ClickButton(QWidget& dialog, const char* name) {
    Find<QAbstractButton>(dialog, name)->click();
}

} // namespace lingomat::testing
