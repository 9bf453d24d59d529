#include "ui/RemainingQuestionsDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "support/DialogButtons.h"
#include "game/LingomatDoc.h"
#include "matching/AccentEscapes.h"
#include "support/Cp1252.h"
#include "ui/VocabularyListView.h"

namespace lingomat {

RemainingQuestionsDialog::RemainingQuestionsDialog(CLingomatDoc& document, QWidget* parent)
    : QDialog(parent), doc(document),
      questionList(MakeReportList(this, QStringLiteral("questionList"),
                                  {QStringLiteral("Frage"), QStringLiteral("Antwort")})),
      countLabel(new QLabel(this)) {
    setObjectName(QStringLiteral("remainingQuestionsDialog"));
    setWindowTitle(QStringLiteral("Verbleibende Fragen"));

    countLabel->setObjectName(QStringLiteral("countLabel"));
    auto* removeButton = new QPushButton(QStringLiteral("Doppelte Fragen l\u00f6schen"), this);
    removeButton->setObjectName(QStringLiteral("removeDuplicatesButton"));
    removeButton->setAutoDefault(false);
    QPushButton* okButton = OkButton(*this, DialogWidth(50));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(countLabel, 1);
    bottom->addWidget(removeButton);
    bottom->addWidget(okButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(questionList, 1);
    layout->addLayout(bottom);
    resize(DialogWidth(338), DialogHeight(263));

    connect(removeButton, &QPushButton::clicked, this, [this] { RemoveDuplicates(); });
    Fill();
}

void RemainingQuestionsDialog::RemoveDuplicates() {
    // The document's removal keeps the asked question in the pool and its position valid, so
    // the running game goes on with the word the player is looking at.
    doc.RemoveDuplicateQuestions();
    Fill();
}

void RemainingQuestionsDialog::Fill() {
    questionList->setUpdatesEnabled(false);
    questionList->clear();
    for (const Question& question : doc.pool.Questions()) {
        // Questions from an error file keep their texts as stored; decoding them is harmless for
        // the others, as the game screen does the same.
        questionList->addTopLevelItem(new QTreeWidgetItem(QStringList{
            ToQString(DecodeAccents(question.questionText)), DisplayText(question.answerText)}));
    }
    questionList->setUpdatesEnabled(true);
    countLabel->setText(ToQString(doc.RemainingText()));
}

} // namespace lingomat
