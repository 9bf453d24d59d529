#pragma once

#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "data/GameTypes.h"

class QTreeWidget;
class QWidget;

namespace lingomat {

class VocEntry;

// What the list windows share: a report-style list, the language columns of the loaded data set
// and the way a stored word is shown.

// A flat list with a header whose clicks do nothing: the rows keep the order they were added in.
// Columns are 150 pixels wide unless widths names them; where the list has room for all of its
// content, they fit their content instead.
QTreeWidget* MakeReportList(QWidget* parent, const QString& objectName, const QStringList& headers,
                            const std::vector<int>& widths = {});

// German, English and French; German and Spanish in a Spanish data set, whose French column is
// empty.
std::vector<Language> ShownLanguages(bool spanish);
QStringList LanguageHeaders(bool spanish);

// A stored text as the player reads it: several answers joined by ", ", accents decoded.
QString DisplayText(const std::string& stored);

// One row with the record's words in the shown languages.
void AddRecordRow(QTreeWidget* list, const VocEntry& entry, const std::vector<Language>& languages);

// The cells of one row, for tests and for the pictures.
QStringList RowTexts(const QTreeWidget* list, int row);

// Dialog units of the old dialog templates in pixels at the application font's usual size.
inline int DialogWidth(int units) {
    return units * 3 / 2;
}
inline int DialogHeight(int units) {
    return units * 13 / 8;
}

} // namespace lingomat
