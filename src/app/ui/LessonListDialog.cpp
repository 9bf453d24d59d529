#include "ui/LessonListDialog.h"

#include <algorithm>

#include <QCollator>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "support/DialogButtons.h"
#include "game/LingomatDoc.h"
#include "matching/AccentEscapes.h"
#include "matching/LanguageNames.h"
#include "support/Cp1252.h"
#include "ui/VocabularyListView.h"

namespace lingomat {

LessonListDialog::LessonListDialog(CLingomatDoc& document, QWidget* parent)
    : QDialog(parent), doc(document),
      shownLanguages(ShownLanguages(IsSpanishDataSet(document.DataSetName()))),
      lessonCombo(new QComboBox(this)),
      recordList(MakeReportList(this, QStringLiteral("recordList"),
                                LanguageHeaders(IsSpanishDataSet(document.DataSetName())))) {
    setObjectName(QStringLiteral("lessonListDialog"));
    setWindowTitle(QStringLiteral("Lektionsliste"));

    lessonCombo->setObjectName(QStringLiteral("lessonCombo"));
    lessonCombo->setMaxVisibleItems(20);
    QStringList names;
    for (const LessonEntry& lesson : doc.lessonTable.lessons) {
        names.append(ToQString(DecodeAccents(lesson.name)));
    }
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    std::sort(names.begin(), names.end(), collator);
    lessonCombo->addItems(names);

    QPushButton* okButton = OkButton(*this, DialogWidth(50));

    auto* top = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Lektion:"), this);
    label->setBuddy(lessonCombo);
    label->setFixedWidth(DialogWidth(90));
    top->addWidget(label);
    top->addWidget(lessonCombo, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(recordList, 1);
    layout->addLayout(buttons);
    resize(DialogWidth(417), DialogHeight(321));

    ListChosenLesson();
    connect(lessonCombo, &QComboBox::currentIndexChanged, this, [this] { ListChosenLesson(); });
}

void LessonListDialog::ListChosenLesson() {
    recordList->setUpdatesEnabled(false);
    recordList->clear();
    // Stored names may hold accent escapes; the list shows them decoded, so the lesson is found
    // by its decoded name. A name no lesson has any more lists nothing.
    const std::string shown = FromQString(lessonCombo->currentText());
    const auto& lessons = doc.lessonTable.lessons;
    const auto lesson = std::find_if(lessons.begin(), lessons.end(), [&](const LessonEntry& l) {
        return DecodeAccents(l.name) == shown;
    });
    if (lessonCombo->currentIndex() >= 0 && lesson != lessons.end()) {
        for (const VocEntry& entry : doc.vocabulary) {
            if (entry.InLesson(lesson->code)) {
                AddRecordRow(recordList, entry, shownLanguages);
            }
        }
    }
    recordList->setUpdatesEnabled(true);
}

} // namespace lingomat
