#include "ui/LessonCountDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "support/DialogButtons.h"
#include "game/LingomatDoc.h"
#include "matching/AccentEscapes.h"
#include "matching/LanguageNames.h"
#include "support/Cp1252.h"
#include "ui/VocabularyListView.h"

namespace lingomat {

namespace {

// A text that starts with a slash is not counted as a word of its language.
bool CountsAsWord(const VocEntry& entry, Language language) {
    const std::string text = entry.Text(language);
    return text.empty() || text.front() != '/';
}

void AddCountRow(QTreeWidget* list, const QString& label, long long count) {
    list->addTopLevelItem(new QTreeWidgetItem(QStringList{label, QString::number(count)}));
}

} // namespace

LessonCountDialog::LessonCountDialog(CLingomatDoc& doc, QWidget* parent)
    : QDialog(parent),
      countList(MakeReportList(this, QStringLiteral("countList"),
                               {QStringLiteral("Lektion"), QStringLiteral("Vokabeln")},
                               {300, 80})) {
    setObjectName(QStringLiteral("lessonCountDialog"));
    setWindowTitle(QStringLiteral("W\u00f6rter pro Lektion"));

    QHBoxLayout* buttons = StandardButtonRow(*this, false, DialogWidth(50));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(countList, 1);
    layout->addLayout(buttons);
    resize(DialogWidth(342), DialogHeight(279));

    for (const LessonEntry& lesson : doc.lessonTable.lessons) {
        long long count = 0;
        for (const VocEntry& entry : doc.vocabulary) {
            if (entry.InLesson(lesson.code) && CountsAsWord(entry, LanguageGerman)) {
                ++count;
            }
        }
        AddCountRow(countList, ToQString(DecodeAccents(lesson.name)), count);
    }
    // A Spanish data set has no French words, so it gets no French total that would count its
    // empty column.
    for (Language language : ShownLanguages(IsSpanishDataSet(doc.DataSetName()))) {
        long long count = 0;
        for (const VocEntry& entry : doc.vocabulary) {
            if (CountsAsWord(entry, language)) {
                ++count;
            }
        }
        AddCountRow(countList,
                    QStringLiteral("Total ") + ToQString(LanguageName(language, doc.DataSetName())),
                    count);
    }
    AddCountRow(countList, QStringLiteral("Vokabeln insgesamt"),
                static_cast<long long>(doc.vocabulary.size()));
}

} // namespace lingomat
