#pragma once

#include <QDialog>

class QTreeWidget;

namespace lingomat {

class CLingomatDoc;

// "Wörter pro Lektion": how many words each lesson holds, then the totals per language.
class LessonCountDialog : public QDialog {
    Q_OBJECT
public:
    explicit LessonCountDialog(CLingomatDoc& doc, QWidget* parent = nullptr);

private:
    QTreeWidget* countList;
};

} // namespace lingomat
