#include "ui/VocabularyListView.h"

#include <algorithm>
#include <utility>

#include <QEvent>
#include <QHeaderView>
#include <QTimer>
#include <QTreeWidget>

#include "data/VocEntry.h"
#include "matching/AccentEscapes.h"
#include "matching/AnswerForms.h"
#include "support/Cp1252.h"

namespace lingomat {

namespace {

// Widens the columns to their content while the list has room for all of it, the room left
// going to the last column; a list too narrow keeps the columns' given widths and scrolls.
class ColumnFitter : public QObject {
public:
    ColumnFitter(QTreeWidget* list, std::vector<int> widths)
        : QObject(list), list(list), given(std::move(widths)) {
        list->installEventFilter(this);
        // Once after a batch of rows, not once per row.
        QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, this, [this] {
            if (!pending) {
                pending = true;
                QTimer::singleShot(0, this, [this] { Fit(); });
            }
        });
    }

    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::Resize) {
            Fit();
        }
        return false;
    }

private:
    void Fit() {
        pending = false;
        const int columns = list->columnCount();
        std::vector<int> wanted;
        int total = 0;
        for (int column = 0; column < columns; ++column) {
            wanted.push_back(
                std::max(list->header()->sectionSizeHint(column),
                         static_cast<QAbstractItemView*>(list)->sizeHintForColumn(column)) +
                8);
            total += wanted.back();
        }
        const int room = list->viewport()->width();
        if (columns == 0 || total > room) {
            for (int column = 0; column < columns; ++column) {
                list->setColumnWidth(column, given[static_cast<std::size_t>(column)]);
            }
            return;
        }
        wanted.back() += room - total;
        for (int column = 0; column < columns; ++column) {
            list->setColumnWidth(column, wanted[static_cast<std::size_t>(column)]);
        }
    }

    QTreeWidget* list;
    std::vector<int> given;
    bool pending = false;
};

} // namespace

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
    std::vector<int> given;
    for (int column = 0; column < headers.size(); ++column) {
        const auto index = static_cast<std::size_t>(column);
        given.push_back(index < widths.size() ? widths[index] : 150);
        list->setColumnWidth(column, given.back());
    }
    new ColumnFitter(list, std::move(given));
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
