#include "players/dialogs/PlayerStatisticsDialog.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "data/GameTypes.h"
#include "data/LessonTable.h"
#include "game/LingomatDoc.h"
#include "matching/AccentEscapes.h"
#include "matching/LanguageNames.h"
#include "platform/qt/Cp1252.h"
#include "players/PlayerStatistics.h"
#include "ui/SetupDialogSupport.h"

namespace lingomat {

namespace {

constexpr std::int32_t AnyLanguage = -1;
constexpr int LessonIndexRole = Qt::UserRole;

enum Column { NameColumn = 0, PercentColumn = 1, LastPlayedColumn = 2 };

} // namespace

bool SortsBeforeByBytes(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

PlayerStatisticsDialog::PlayerStatisticsDialog(PlayerStatistics& store, const LessonTable& table,
                                               const CLingomatDoc& doc, QWidget* parent)
    : QDialog(parent), statistics(store), lessons(table), lessonList(new QTreeWidget(this)),
      questionLanguageCombo(new QComboBox(this)), answerLanguageCombo(new QComboBox(this)) {
    setObjectName(QStringLiteral("playerStatisticsDialog"));
    setWindowTitle(QStringLiteral("Statistik f\u00fcr ") + ToQString(statistics.PlayerName()));

    lessonList->setObjectName(QStringLiteral("lessonStatisticsList"));
    lessonList->setColumnCount(3);
    lessonList->setHeaderLabels(
        {QStringLiteral("Lektion"), QStringLiteral("Prozent"), QStringLiteral("Zuletzt gespielt")});
    lessonList->setRootIsDecorated(false);
    lessonList->setUniformRowHeights(true);
    lessonList->setColumnWidth(NameColumn, 250);
    lessonList->setColumnWidth(PercentColumn, 80);
    lessonList->setColumnWidth(LastPlayedColumn, 160);
    lessonList->setMinimumSize(740, 400);

    questionLanguageCombo->setObjectName(QStringLiteral("questionLanguageCombo"));
    answerLanguageCombo->setObjectName(QStringLiteral("answerLanguageCombo"));
    FillLanguages(*questionLanguageCombo, doc.dataSetName);
    FillLanguages(*answerLanguageCombo, doc.dataSetName);

    auto* questionLabel = new QLabel(QStringLiteral("Gefragte Sprache:"), this);
    auto* answerLabel = new QLabel(QStringLiteral("Beantwortete Sprache:"), this);
    questionLabel->setBuddy(questionLanguageCombo);
    answerLabel->setBuddy(answerLanguageCombo);
    auto* filters = new QGridLayout;
    filters->addWidget(questionLabel, 0, 0);
    filters->addWidget(questionLanguageCombo, 0, 1);
    filters->addWidget(answerLabel, 1, 0);
    filters->addWidget(answerLanguageCombo, 1, 1);
    questionLanguageCombo->setMinimumWidth(150);
    answerLanguageCombo->setMinimumWidth(150);

    auto* clear = new QPushButton(QStringLiteral("Statistik l\u00f6schen"), this);
    clear->setObjectName(QStringLiteral("clearButton"));
    clear->setAutoDefault(false);
    auto* close = new QPushButton(QStringLiteral("Schliessen"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setDefault(true);

    auto* bottom = new QHBoxLayout;
    bottom->addLayout(filters);
    bottom->addStretch(1);
    bottom->addWidget(clear, 0, Qt::AlignBottom);
    bottom->addWidget(close, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lessonList, 1);
    layout->addLayout(bottom);

    FillRows();

    connect(questionLanguageCombo, &QComboBox::currentIndexChanged, this, [this] {
        ReadChoices();
        FillRows();
    });
    connect(answerLanguageCombo, &QComboBox::currentIndexChanged, this, [this] {
        ReadChoices();
        FillRows();
    });
    connect(clear, &QPushButton::clicked, this, &PlayerStatisticsDialog::ClearStatistics);
    connect(close, &QPushButton::clicked, this, &PlayerStatisticsDialog::accept);
}

void PlayerStatisticsDialog::FillLanguages(QComboBox& combo, const std::string& dataSetName) {
    if (IsSpanishDataSet(dataSetName)) {
        // The German/Spanish lists have no "Alle" item; until the player picks a language the
        // rows hold results over every direction, and the empty list says so rather than
        // claiming a language the rows are not filtered by.
        combo.addItem(ToQString(LanguageName(LanguageGerman, dataSetName)), LanguageGerman);
        combo.addItem(ToQString(LanguageName(LanguageEnglish, dataSetName)), LanguageEnglish);
        combo.setPlaceholderText(QStringLiteral("Alle"));
        combo.setCurrentIndex(-1);
        return;
    }
    combo.addItem(QStringLiteral("Alle"), AnyLanguage);
    combo.addItem(QStringLiteral("Deutsch"), LanguageGerman);
    combo.addItem(QStringLiteral("Englisch"), LanguageEnglish);
    combo.addItem(QStringLiteral("Franz\u00f6sisch"), LanguageFrench);
    combo.setCurrentIndex(0);
}

void PlayerStatisticsDialog::ReadChoices() {
    const auto choice = [](const QComboBox& combo) {
        return combo.currentIndex() < 0 ? AnyLanguage : combo.currentData().toInt();
    };
    questionLanguageChoice = choice(*questionLanguageCombo);
    answerLanguageChoice = choice(*answerLanguageCombo);
}

void PlayerStatisticsDialog::FillRows() {
    lessonList->clear();
    std::vector<std::pair<std::string, std::size_t>> rows;
    rows.reserve(lessons.lessons.size());
    for (std::size_t i = 0; i < lessons.lessons.size(); ++i) {
        rows.emplace_back(DecodeAccents(lessons.lessons[i].name), i);
    }
    // QString order would put "ä" beside "a" and mix the cases; the list has always been in
    // byte order.
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return SortsBeforeByBytes(a.first, b.first);
    });
    QList<QTreeWidgetItem*> items;
    for (const auto& [name, index] : rows) {
        const LessonEntry& lesson = lessons.lessons[index];
        auto* item =
            new QTreeWidgetItem({ToQString(name),
                                 ToQString(statistics.BestPercentText(
                                     lesson.code, questionLanguageChoice, answerLanguageChoice)),
                                 ToQString(statistics.LastPlayedText(lesson.code))});
        item->setData(NameColumn, LessonIndexRole, static_cast<qulonglong>(index));
        items.append(item);
    }
    lessonList->addTopLevelItems(items);
}

void PlayerStatisticsDialog::ClearStatistics() {
    // Every result of the player goes at once and for good.
    if (!AskYesNo(this,
                  QStringLiteral("Sollen wirklich alle Ergebnisse von \u201e%1\u201c gel\u00f6scht "
                                 "werden?")
                      .arg(ToQString(statistics.PlayerName())),
                  QStringLiteral("Statistik l\u00f6schen"))) {
        return;
    }
    if (!statistics.ClearAll()) {
        ShowDialogMessage(this,
                          QStringLiteral("Die Statistik von \u201e%1\u201c konnte nicht "
                                         "gespeichert werden.")
                              .arg(ToQString(statistics.PlayerName())),
                          QStringLiteral("Lingomat"), QMessageBox::Warning);
    }
    FillRows();
}

} // namespace lingomat
