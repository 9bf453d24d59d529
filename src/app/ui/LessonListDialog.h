#pragma once

#include <vector>

#include <QDialog>

#include "data/GameTypes.h"

class QComboBox;
class QTreeWidget;

namespace lingomat {

class CLingomatDoc;

// "Lektionsliste": the records of one lesson, chosen from a list of the lesson names. The
// window stays open beside the game; several may be open at once. It finds the lesson again by
// its shown name whenever it lists, so it holds nothing of the document's tables.
class LessonListDialog : public QDialog {
    Q_OBJECT
public:
    explicit LessonListDialog(CLingomatDoc& doc, QWidget* parent = nullptr);

    // Lists the lesson that the choice shows.
    void ListChosenLesson();

private:
    CLingomatDoc& doc;
    std::vector<Language> shownLanguages;
    QComboBox* lessonCombo;
    QTreeWidget* recordList;
};

} // namespace lingomat
