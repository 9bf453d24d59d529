#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include "data/VocFileWriter.h"
#include "platform/DocumentHost.h"
#include "players/PlayerStatistics.h"

namespace lingomat::testing {

// Answers every message box the dialogs open with OK and keeps what it said, so a check that
// shows a message never blocks a test.
class MessageCatcher {
public:
    MessageCatcher() {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            texts.append(box->text());
            captions.append(box->windowTitle());
            icons.push_back(box->icon());
            box->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        });
        timer.start();
    }

    QStringList texts;
    QStringList captions;
    std::vector<QMessageBox::Icon> icons;

private:
    QTimer timer;
};

// A fresh folder per test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        path = std::filesystem::temp_directory_path() /
               ("lingomat-dialogs-" + std::to_string(QCoreApplication::applicationPid()) + "-" +
                std::to_string(counter++));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string File(const std::string& name) const { return (path / name).string(); }

    std::filesystem::path path;
};

struct TestLesson {
    std::string name;
    std::string code;
};

// lesson line, French, English (or Spanish), German
struct TestRecord {
    std::string lesson;
    std::string french;
    std::string english;
    std::string german;
};

inline void WriteDataSet(const std::string& file, const std::vector<TestLesson>& lessons,
                         const std::vector<TestRecord>& records) {
    VocFileWriter writer;
    writer.Open(file);
    for (const char* line : {"### Lingomatdata", "0", "Testdaten", "#"}) {
        writer.WriteLine(line);
    }
    for (const TestLesson& lesson : lessons) {
        writer.WriteLine(lesson.name);
        writer.WriteLine(lesson.code);
    }
    writer.WriteLine("#");
    for (const TestRecord& record : records) {
        for (const std::string* line :
             {&record.lesson, &record.french, &record.english, &record.german}) {
            writer.WriteLine(*line);
        }
    }
    writer.WriteLine("#");
    writer.Close();
}

// The document's window needs answered without a window: no player file, no messages.
class QuietHost : public DocumentHost {
public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageButtons buttons,
                              MessageIcon) override {
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    void ChoosePlayer(PlayerStatistics&, std::string&) override {}
};

// Where the screenshots of the dialogs go, for looking at them.
inline QString ScreenshotFolder() {
    const QString folder = QStringLiteral(LINGOMAT_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    return folder;
}

} // namespace lingomat::testing
