#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QTreeWidget>

#include "SetupDialogTestSupport.h"
#include "game/LingomatDoc.h"
#include "platform/Clock.h"
#include "platform/ProfileStore.h"
#include "platform/qt/Cp1252.h"
#include "ui/VocabularyListView.h"

namespace lingomat::testing {

using namespace Qt::Literals::StringLiterals;

// A document loaded from a small data set written for the test.
class ListDocument {
public:
    ListDocument(const std::vector<TestLesson>& lessons, const std::vector<TestRecord>& records,
                 const std::string& dataSet = "lingomat.voc") {
        WriteDataSet(folder.File(dataSet), lessons, records);
        profile.WriteString("Lingomat", "Dataset", dataSet);
        doc = std::make_unique<CLingomatDoc>(host, profile, clock, folder.path);
        doc->OnNewDocument();
    }
    CLingomatDoc& operator*() { return *doc; }
    CLingomatDoc* operator->() { return doc.get(); }

    TempFolder folder;
    QuietHost host;
    MemoryProfileStore profile;
    FixedClock clock{1000000};
    std::unique_ptr<CLingomatDoc> doc;
};

// A lesson game on every lesson, as the lesson dialog would start it.
inline void StartAllLessons(CLingomatDoc& doc) {
    for (LessonEntry& lesson : doc.lessonTable.lessons) {
        lesson.selected = true;
    }
    doc.lessonTable.selectedLessonCount = static_cast<std::int32_t>(doc.lessonTable.lessons.size());
    doc.StartGame();
}

// The texts of one column, top to bottom.
inline QStringList ColumnTexts(const QTreeWidget* list, int column) {
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        texts.append(list->topLevelItem(row)->text(column));
    }
    return texts;
}

// The column headings, joined by "|".
inline QString Headers(const QTreeWidget* list) {
    QStringList headers;
    for (int column = 0; column < list->columnCount(); ++column) {
        headers.append(list->headerItem()->text(column));
    }
    return headers.join(u'|');
}

// Runs act on the first modal dialog of type T that opens and closes it if act left it open; a
// dialog that never opens leaves seen false instead of blocking the test.
template <typename T> class OnModal {
public:
    explicit OnModal(std::function<void(T&)> act) : act(std::move(act)) {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            timer.stop();
            seen = true;
            this->act(*dialog);
            if (dialog->isVisible()) {
                static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
            }
        });
        timer.start();
    }
    bool seen = false;

private:
    std::function<void(T&)> act;
    QTimer timer;
};

} // namespace lingomat::testing
