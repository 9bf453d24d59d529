#include "playerdialogs/PlayerStatisticsDialog.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "data/GameTypes.h"
#include "data/LessonTable.h"
#include "game/LingomatDoc.h"
#include "matching/AccentEscapes.h"
#include "matching/LanguageNames.h"
#include "support/Cp1252.h"
#include "players/PlayerStatistics.h"
#include "support/SetupDialogSupport.h"

namespace lingomat {

namespace {

constexpr std::int32_t AnyLanguage = -1;
constexpr int LessonIndexRole = Qt::UserRole;

constexpr int BoxCountsRole = Qt::UserRole + 1;

enum Column { NameColumn = 0, PercentColumn = 1, LastPlayedColumn = 2, BoxColumn = 3 };

// Grey for words never asked, then from red (box 1) to dark green (box 5): the bar reads from
// the words still to learn to the words known.
const std::array<QColor, CardBox::BoxCount + 1> BoxColours = {
    QColor(215, 215, 215), QColor(224, 102, 102), QColor(246, 178, 107),
    QColor(255, 217, 102), QColor(147, 196, 125), QColor(56, 118, 29)};
// Left to right: box 1 to box 5, then the words never asked.
constexpr std::array<std::size_t, CardBox::BoxCount + 1> BarOrder = {1, 2, 3, 4, 5, 0};

QString BoxName(std::size_t box) {
    return box == 0 ? QStringLiteral("noch nie gefragt") : QStringLiteral("Fach %1").arg(box);
}

// Draws the lesson's box counts as one bar divided in proportion.
class BoxBarDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QVariantList counts = index.data(BoxCountsRole).toList();
        qlonglong total = 0;
        for (const QVariant& count : counts) {
            total += count.toLongLong();
        }
        if (counts.size() != static_cast<qsizetype>(BoxColours.size()) || total == 0) {
            return;
        }
        const QRect bar = option.rect.adjusted(4, 3, -6, -3);
        painter->save();
        qlonglong before = 0;
        for (const std::size_t box : BarOrder) {
            const qlonglong count = counts[static_cast<qsizetype>(box)].toLongLong();
            const int left = bar.left() + static_cast<int>(bar.width() * before / total);
            before += count;
            const int right = bar.left() + static_cast<int>(bar.width() * before / total);
            painter->fillRect(QRect(left, bar.top(), right - left, bar.height()), BoxColours[box]);
        }
        painter->setPen(QColor(90, 90, 90));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(bar.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

} // namespace

bool SortsBeforeByBytes(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

PlayerStatisticsDialog::PlayerStatisticsDialog(PlayerStatistics& store, const LessonTable& table,
                                               const CLingomatDoc& doc, QWidget* parent)
    : QDialog(parent), statistics(store), lessons(table), doc(doc),
      lessonList(new QTreeWidget(this)), questionLanguageCombo(new QComboBox(this)),
      answerLanguageCombo(new QComboBox(this)) {
    setObjectName(QStringLiteral("playerStatisticsDialog"));
    setWindowTitle(QStringLiteral("Statistik f\u00fcr ") + ToQString(statistics.PlayerName()));

    lessonList->setObjectName(QStringLiteral("lessonStatisticsList"));
    lessonList->setColumnCount(4);
    lessonList->setHeaderLabels({QStringLiteral("Lektion"), QStringLiteral("Prozent"),
                                 QStringLiteral("Zuletzt gespielt"), QStringLiteral("Kartei")});
    lessonList->setItemDelegateForColumn(BoxColumn, new BoxBarDelegate(lessonList));
    lessonList->setRootIsDecorated(false);
    lessonList->setUniformRowHeights(true);
    lessonList->setColumnWidth(NameColumn, 250);
    lessonList->setColumnWidth(PercentColumn, 80);
    lessonList->setColumnWidth(LastPlayedColumn, 160);
    lessonList->setColumnWidth(BoxColumn, 240);
    lessonList->setMinimumSize(760, 400);

    questionLanguageCombo->setObjectName(QStringLiteral("questionLanguageCombo"));
    answerLanguageCombo->setObjectName(QStringLiteral("answerLanguageCombo"));
    FillLanguages(*questionLanguageCombo, doc.DataSetName());
    FillLanguages(*answerLanguageCombo, doc.DataSetName());

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

    QString legend;
    for (const std::size_t box : BarOrder) {
        legend += QStringLiteral("<span style=\"color:%1\">\u25a0</span>&nbsp;%2&nbsp;&nbsp; ")
                      .arg(BoxColours[box].name(), BoxName(box));
    }
    auto* boxLegend = new QLabel(QStringLiteral("Kartei: ") + legend, this);
    boxLegend->setObjectName(QStringLiteral("boxLegend"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lessonList, 1);
    layout->addWidget(boxLegend);
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
        const auto counts =
            doc.LessonBoxCounts(lesson.code, questionLanguageChoice, answerLanguageChoice);
        QVariantList shownCounts;
        QStringList parts;
        for (const std::size_t box : BarOrder) {
            parts << BoxName(box) + QStringLiteral(": ") + QString::number(counts[box]);
        }
        for (const std::uint32_t count : counts) {
            shownCounts << QVariant::fromValue(count);
        }
        item->setData(BoxColumn, BoxCountsRole, shownCounts);
        item->setToolTip(BoxColumn, parts.join(QStringLiteral(", ")));
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
