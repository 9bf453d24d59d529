#pragma once

#include <string>

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace lingomat {

class CLingomatDoc;

// The second set-up dialog of a new game: lessons from a list, or an alphabetic range of words,
// with a live count of the questions that gives; or the switch to playing an error file. While
// the player works it writes the choice into the document's lesson table; its end code tells
// the opener which game to start.
class LessonDialog : public QDialog {
public:
    // The end codes: they are the command numbers the opener has always compared with.
    static constexpr int LessonGame = QDialog::Accepted;
    static constexpr int AlphabeticGame = 1028;
    static constexpr int ErrorFileGame = 57601;
    static constexpr int Cancelled = 2;

    // The German/Spanish variant when the document's data set is a Spanish one.
    explicit LessonDialog(CLingomatDoc& doc, QWidget* parent = nullptr);

    // The range as the last recount read it, for the alphabetic game.
    const std::string& RangeStart() const { return rangeStart; }
    const std::string& RangeEnd() const { return rangeEnd; }
    // -1 while no sort language is chosen.
    int SortLanguage() const { return sortLanguage; }

    void accept() override;
    void reject() override;

private:
    void FillLessonList();
    void Recount();
    void MarkSelectedLessons();
    void SetAllSelected(bool selected);

    CLingomatDoc& doc;
    QListWidget* lessonList;
    QLineEdit* rangeStartEdit;
    QLineEdit* rangeEndEdit;
    QButtonGroup* sortLanguageGroup;
    QLabel* countLabel;
    QCheckBox* dueOnlyCheck;

    std::string rangeStart;
    std::string rangeEnd;
    int sortLanguage = -1;
};

} // namespace lingomat
