#include "ui/ErrorListDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "game/LingomatDoc.h"
#include "ui/VocabularyListView.h"

namespace lingomat {

ErrorListDialog::ErrorListDialog(CLingomatDoc& doc, QWidget* parent)
    : QDialog(parent),
      errorList(MakeReportList(this, QStringLiteral("errorList"),
                               {QStringLiteral("Anzahl der Fehler"), QStringLiteral("Frage"),
                                QStringLiteral("Antwort")})) {
    setObjectName(QStringLiteral("errorListDialog"));
    setWindowTitle(QStringLiteral("Fehlerliste"));

    auto* closeButton = new QPushButton(QStringLiteral("Fehlerliste schließen"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setDefault(true);
    closeButton->setMinimumWidth(DialogWidth(134));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(errorList, 1);
    layout->addLayout(buttons);
    resize(DialogWidth(417), DialogHeight(301));
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    // In a game from an error file the mistakes are counted on that file's records; they belong
    // to the list as much as the data set's own, just as the error file written next holds both.
    for (const auto* records : {&doc.vocabulary, &doc.errorFileEntries}) {
        for (const VocEntry& entry : *records) {
            if (entry.errorCount == 0) {
                continue;
            }
            errorList->addTopLevelItem(new QTreeWidgetItem(QStringList{
                QString::number(entry.errorCount), DisplayText(entry.Text(doc.questionLanguage)),
                DisplayText(entry.Text(doc.answerLanguage))}));
        }
    }
}

} // namespace lingomat
