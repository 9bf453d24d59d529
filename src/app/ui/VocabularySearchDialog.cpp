#include "ui/VocabularySearchDialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "game/LingomatDoc.h"
#include "matching/AccentEscapes.h"
#include "matching/AnswerMatching.h"
#include "matching/LanguageNames.h"
#include "support/Cp1252.h"
#include "ui/VocabularyListView.h"

namespace lingomat {

void SearchEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit searchRequested();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

std::string SearchFolded(std::string text) {
    // Capitals with accents (É, Ç, Ñ) are lowered as well, so that folding treats them like
    // their small letters; LowerCase alone leaves them.
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
            c = static_cast<char>(byte + 0x20);
        } else if (byte == 0x8A || byte == 0x8C || byte == 0x8E) {
            c = static_cast<char>(byte + 0x10);
        } else if (byte == 0x9F) {
            c = static_cast<char>(0xFF);
        }
    }
    return ReplaceAll(FoldAccents(LowerCase(std::move(text))), "\xDF", "ss");
}

VocabularySearchDialog::VocabularySearchDialog(CLingomatDoc& document, QWidget* parent)
    : QDialog(parent), doc(document), spanish(IsSpanishDataSet(document.DataSetName())),
      shownLanguages(ShownLanguages(spanish)), searchEdit(new SearchEdit(this)),
      languageCombo(new QComboBox(this)),
      resultList(MakeReportList(this, QStringLiteral("resultList"), LanguageHeaders(spanish))) {
    setObjectName(QStringLiteral("vocabularySearchDialog"));
    setWindowTitle(QStringLiteral("Vokabeln suchen"));

    searchEdit->setObjectName(QStringLiteral("searchEdit"));
    searchEdit->setMinimumWidth(DialogWidth(125));
    languageCombo->setObjectName(QStringLiteral("languageCombo"));
    languageCombo->setMinimumWidth(DialogWidth(165));
    languageCombo->addItem(QStringLiteral("In allen Sprachen"), AllLanguages);
    languageCombo->addItem(QStringLiteral("Nur in Deutsch"), OnlyGerman);
    languageCombo->addItem(QStringLiteral("Nur in ") +
                               ToQString(LanguageName(LanguageEnglish, doc.DataSetName())),
                           OnlyColumn1);
    if (!spanish) {
        languageCombo->addItem(QStringLiteral("Nur in Franz\u00f6sisch"), OnlyFrench);
    }
    auto* leaveButton = new QPushButton(QStringLiteral("Verlassen"), this);
    leaveButton->setObjectName(QStringLiteral("leaveButton"));
    leaveButton->setDefault(true);
    leaveButton->setMinimumWidth(DialogWidth(50));

    auto* top = new QHBoxLayout;
    top->addWidget(searchEdit);
    top->addWidget(languageCombo);
    top->addStretch(1);
    top->addWidget(leaveButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(resultList, 1);
    resize(DialogWidth(423), DialogHeight(223));

    connect(searchEdit, &QLineEdit::textChanged, this, [this] { Search(); });
    connect(searchEdit, &SearchEdit::searchRequested, this, [this] { Search(); });
    connect(languageCombo, &QComboBox::currentIndexChanged, this, [this] { Search(); });
    connect(leaveButton, &QPushButton::clicked, this, &QDialog::reject);
    searchEdit->setFocus();
}

std::vector<Language> VocabularySearchDialog::SearchedLanguages(int choice) const {
    switch (choice) {
    case OnlyGerman:
        return {LanguageGerman};
    case OnlyColumn1:
        return {LanguageEnglish};
    case OnlyFrench:
        return {LanguageFrench};
    default:
        return {LanguageGerman, LanguageEnglish, LanguageFrench};
    }
}

void VocabularySearchDialog::Search() {
    const std::string key = SearchFolded(FromQString(searchEdit->text()));
    const std::vector<Language> searched = SearchedLanguages(languageCombo->currentData().toInt());
    resultList->setUpdatesEnabled(false);
    resultList->clear();
    int rows = 0;
    for (const VocEntry& entry : doc.vocabulary) {
        if (rows >= MaxRows) {
            break;
        }
        for (Language language : searched) {
            // Stored words may spell accents as escapes or as letters; decoded, both fold alike.
            if (SearchFolded(DecodeAccents(entry.Text(language))).find(key) != std::string::npos) {
                AddRecordRow(resultList, entry, shownLanguages);
                ++rows;
                break;
            }
        }
    }
    resultList->setUpdatesEnabled(true);
}

} // namespace lingomat
