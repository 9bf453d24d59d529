#include "ui/VocabularyListView.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "data/VocEntry.h"
#include "matching/AccentEscapes.h"
#include "matching/AnswerForms.h"
#include "platform/qt/Cp1252.h"

namespace lingomat {

QTreeWidget* MakeReportList(QWidget* parent, const QString& objectName, const QStringList& headers,
                            const std::vector<int>& widths) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(objectName);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setSortingEnabled(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setHeaderLabels(headers);
    list->header()->setSectionsClickable(false);
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(false);
    list->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < headers.size(); ++column) {
        const auto index = static_cast<std::size_t>(column);
        list->setColumnWidth(column, index < widths.size() ? widths[index] : 150);
    }
    return list;
}

std::vector<Language> ShownLanguages(bool spanish) {
    if (spanish) {
        return {LanguageGerman, LanguageEnglish};
    }
    return {LanguageGerman, LanguageEnglish, LanguageFrench};
}

QStringList LanguageHeaders(bool spanish) {
    if (spanish) {
        return {QStringLiteral("Deutsch"), QStringLiteral("Spanisch")};
    }
    return {QStringLiteral("Deutsch"), QStringLiteral("Englisch"),
            QStringLiteral("Franz\u00f6sisch")};
}

QString DisplayText(const std::string& stored) {
    return ToQString(DecodeAccents(DisplayForm(stored, 0)));
}

void AddRecordRow(QTreeWidget* list, const VocEntry& entry,
                  const std::vector<Language>& languages) {
    QStringList cells;
    for (Language language : languages) {
        cells.append(DisplayText(entry.Text(language)));
    }
    list->addTopLevelItem(new QTreeWidgetItem(cells));
}

QStringList RowTexts(const QTreeWidget* list, int row) {
    QStringList cells;
    const QTreeWidgetItem* item = list->topLevelItem(row);
    if (item == nullptr) {
        return cells;
    }
    for (int column = 0; column < list->columnCount(); ++column) {
        cells.append(item->text(column));
    }
    return cells;
}

} // namespace lingomat
