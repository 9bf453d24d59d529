#include "ui/LessonDialog.h"

#include <algorithm>
#include <vector>

#include <QButtonGroup>
#include <QCheckBox>
#include <QCollator>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "support/DialogButtons.h"
#include "game/LessonSelection.h"
#include "game/LingomatDoc.h"
#include "matching/AccentEscapes.h"
#include "matching/LanguageNames.h"
#include "support/Cp1252.h"
#include "support/SetupDialogSupport.h"

namespace lingomat {

LessonDialog::LessonDialog(CLingomatDoc& document, QWidget* parent)
    : QDialog(parent), doc(document), lessonList(new QListWidget(this)),
      rangeStartEdit(new QLineEdit(this)), rangeEndEdit(new QLineEdit(this)),
      sortLanguageGroup(new QButtonGroup(this)), countLabel(new QLabel(this)),
      dueOnlyCheck(new QCheckBox(QStringLiteral("Nur f\u00e4llige W\u00f6rter"), this)) {
    const bool spanish = IsSpanishDataSet(doc.DataSetName());
    setObjectName(spanish ? QStringLiteral("lessonDialogSpanish") : QStringLiteral("lessonDialog"));
    setWindowTitle(QStringLiteral("Lektionsauswahl"));

    auto* lessonBox = new QGroupBox(QStringLiteral("Lektion"), this);
    auto* lessonLayout = new QVBoxLayout(lessonBox);
    lessonList->setObjectName(QStringLiteral("lessonList"));
    // Several lessons are chosen by clicking alone, without Ctrl.
    lessonList->setSelectionMode(QAbstractItemView::MultiSelection);
    lessonList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lessonLayout->addWidget(lessonList);
    lessonBox->setMinimumSize(255, 270);

    auto* rangeBox = new QGroupBox(QStringLiteral("Alphabetisches Spiel"), this);
    auto* rangeLayout = new QGridLayout(rangeBox);
    rangeStartEdit->setObjectName(QStringLiteral("rangeStartEdit"));
    rangeEndEdit->setObjectName(QStringLiteral("rangeEndEdit"));
    for (QLineEdit* edit : {rangeStartEdit, rangeEndEdit}) {
        edit->setFixedWidth(60);
    }
    rangeLayout->addWidget(
        new QLabel(QStringLiteral("Von allen W\u00f6rtern beginnend mit:"), rangeBox), 0, 0);
    rangeLayout->addWidget(rangeStartEdit, 0, 1);
    rangeLayout->addWidget(new QLabel(QStringLiteral("Bis alle W\u00f6rter mit:"), rangeBox), 1, 0);
    rangeLayout->addWidget(rangeEndEdit, 1, 1);

    auto* sortBox = new QGroupBox(QStringLiteral("Sprache, in der sortiert wird"), rangeBox);
    auto* sortLayout = new QGridLayout(sortBox);
    sortLayout->setColumnStretch(0, 1);
    const struct {
        Language language;
        const char16_t* text;
        const char* objectName;
        bool shown;
    } sortChoices[] = {
        {LanguageGerman, u"Deutsch", "sortGermanRadio", true},
        {LanguageEnglish, spanish ? u"Spanisch" : u"Englisch",
         spanish ? "sortSpanishRadio" : "sortEnglishRadio", true},
        {LanguageFrench, u"Franz\u00f6sisch", "sortFrenchRadio", !spanish},
    };
    int row = 0;
    for (const auto& choice : sortChoices) {
        if (!choice.shown) {
            continue;
        }
        auto* radio = new QRadioButton(QString::fromUtf16(choice.text), sortBox);
        radio->setObjectName(QString::fromLatin1(choice.objectName));
        sortLanguageGroup->addButton(radio, static_cast<int>(choice.language));
        auto* picture = new QLabel(sortBox);
        picture->setPixmap(LanguagePicture(choice.language, spanish));
        picture->setFixedSize(48, 32);
        sortLayout->addWidget(radio, row, 0);
        sortLayout->addWidget(picture, row, 1);
        ++row;
    }
    rangeLayout->addWidget(sortBox, 2, 0, 1, 2);
    rangeLayout->setRowStretch(3, 1);

    countLabel->setObjectName(QStringLiteral("countLabel"));
    countLabel->setMinimumWidth(54);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(QStringLiteral("Anzahl der M\u00f6glichkeiten:"), this));
    countRow->addWidget(countLabel);
    countRow->addStretch(1);
    dueOnlyCheck->setObjectName(QStringLiteral("dueOnlyCheck"));
    dueOnlyCheck->setToolTip(
        QStringLiteral("Nur die W\u00f6rter Ihrer Kartei, die heute f\u00e4llig "
                       "sind"));
    dueOnlyCheck->setChecked(doc.DueOnly());

    auto* errorFileButton = new QPushButton(QStringLiteral("Fehlerdatei spielen"), this);
    errorFileButton->setObjectName(QStringLiteral("errorFileButton"));
    auto* errorFileRow = new QHBoxLayout;
    errorFileRow->addStretch(1);
    errorFileRow->addWidget(errorFileButton);

    auto* right = new QVBoxLayout;
    right->addWidget(rangeBox);
    right->addLayout(countRow);
    right->addWidget(dueOnlyCheck);
    right->addStretch(1);
    right->addLayout(errorFileRow);

    auto* upper = new QHBoxLayout;
    upper->addWidget(lessonBox, 1);
    upper->addLayout(right);

    auto* allButton = new QPushButton(QStringLiteral("Alle Lektionen"), this);
    allButton->setObjectName(QStringLiteral("allLessonsButton"));
    auto* clearButton = new QPushButton(QStringLiteral("L\u00f6schen"), this);
    clearButton->setObjectName(QStringLiteral("clearButton"));
    QPushButton* cancelButton = CancelButton(*this);
    // The default: Enter in a range field means OK, not the error file.
    QPushButton* okButton = OkButton(*this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(allButton);
    buttons->addWidget(clearButton);
    buttons->addStretch(1);
    buttons->addWidget(cancelButton);
    buttons->addWidget(okButton);
    for (QPushButton* button : {allButton, clearButton, cancelButton, okButton, errorFileButton}) {
        button->setMinimumWidth(100);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper, 1);
    layout->addLayout(buttons);

    FillLessonList();

    connect(lessonList, &QListWidget::itemSelectionChanged, this, [this] { Recount(); });
    connect(rangeStartEdit, &QLineEdit::textChanged, this, [this] { Recount(); });
    connect(rangeEndEdit, &QLineEdit::textChanged, this, [this] { Recount(); });
    connect(sortLanguageGroup, &QButtonGroup::idClicked, this, [this] { Recount(); });
    connect(dueOnlyCheck, &QCheckBox::toggled, this, [this](bool checked) {
        doc.SetDueOnly(checked);
        Recount();
    });
    connect(allButton, &QPushButton::clicked, this, [this] { SetAllSelected(true); });
    connect(clearButton, &QPushButton::clicked, this, [this] { SetAllSelected(false); });
    connect(errorFileButton, &QPushButton::clicked, this, [this] { done(ErrorFileGame); });
}

void LessonDialog::FillLessonList() {
    lessonList->clear();
    QStringList names;
    for (const LessonEntry& lesson : doc.lessonTable.lessons) {
        names.append(ToQString(DecodeAccents(lesson.name)));
    }
    // Sorted as a reader expects: letter case ignored, umlauts beside their vowels.
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    lessonList->addItems(names);
}

void LessonDialog::Recount() {
    rangeStart = FromQString(rangeStartEdit->text());
    rangeEnd = FromQString(rangeEndEdit->text());
    sortLanguage = sortLanguageGroup->checkedId();

    LessonTable& table = doc.lessonTable;
    table.lowerBound = rangeStart;
    table.upperBound = rangeEnd;
    table.rangeLanguage = sortLanguage;
    table.ClearSelection();
    MarkSelectedLessons();
    table.selectedLessonCount = static_cast<std::int32_t>(lessonList->selectedItems().size());

    countLabel->setText(QString::number(doc.CountLessonQuestions()));
}

void LessonDialog::MarkSelectedLessons() {
    // The whole shown name is looked up, however long, so every listed lesson is found again.
    for (const QListWidgetItem* item : lessonList->selectedItems()) {
        SelectByDisplayName(doc.lessonTable, FromQString(item->text()));
    }
}

void LessonDialog::SetAllSelected(bool selected) {
    const int scrollPosition = lessonList->verticalScrollBar()->value();
    {
        // One recount for the whole change instead of one per item.
        const QSignalBlocker blocker(lessonList);
        for (int i = 0; i < lessonList->count(); ++i) {
            lessonList->item(i)->setSelected(selected);
        }
    }
    lessonList->verticalScrollBar()->setValue(scrollPosition);
    lessonList->viewport()->update();
    Recount();
}

void LessonDialog::accept() {
    const bool rangeGiven = !rangeStart.empty() || !rangeEnd.empty() || sortLanguage >= 0;
    MarkSelectedLessons();
    // Lessons win over a range.
    if (!lessonList->selectedItems().isEmpty()) {
        done(LessonGame);
        return;
    }
    if (!rangeGiven) {
        return;
    }
    // With the end or the sort language missing the alphabetic game would hold no word at all,
    // and the count shown would be 0 for a missing start; so a range needs all three.
    if (rangeStart.empty() || rangeEnd.empty() || sortLanguage < 0) {
        ShowDialogMessage(this,
                          QStringLiteral("F\u00fcr ein alphabetisches Spiel geben Sie bitte den "
                                         "Anfang und das Ende des Bereichs ein und w\u00e4hlen "
                                         "Sie die Sprache, in der sortiert wird."),
                          QStringLiteral("Alphabetisches Spiel"), QMessageBox::Critical);
        return;
    }
    done(AlphabeticGame);
}

void LessonDialog::reject() {
    done(Cancelled);
}

} // namespace lingomat
