#pragma once

#include <cstdint>
#include <string>

#include <QDialog>

class QComboBox;
class QTreeWidget;

namespace lingomat {

class CLingomatDoc;
class LessonTable;
class PlayerStatistics;

// The current player's results per lesson of the loaded data set: best result in the chosen
// direction, when the lesson was last played and a bar of how many of its words stand in each
// box of the card box. "Statistik löschen" drops all of the player's
// statistics at once and writes his file.
class PlayerStatisticsDialog : public QDialog {
public:
    // The document names the data set, which decides between the German/English/French and the
    // German/Spanish language lists.
    PlayerStatisticsDialog(PlayerStatistics& statistics, const LessonTable& lessons,
                           const CLingomatDoc& doc, QWidget* parent = nullptr);

private:
    void FillLanguages(QComboBox& combo, const std::string& dataSetName);
    void ReadChoices();
    void FillRows();
    void ClearStatistics();

    PlayerStatistics& statistics;
    const LessonTable& lessons;
    const CLingomatDoc& doc;
    QTreeWidget* lessonList;
    QComboBox* questionLanguageCombo;
    QComboBox* answerLanguageCombo;
    // The languages the two lists stand for now; -1 is any language.
    std::int32_t questionLanguageChoice = -1;
    std::int32_t answerLanguageChoice = -1;
};

// True when a sorts before b byte by byte as unsigned Windows-1252 codes, a proper prefix first:
// "Z" before "a", "ä" after "z".
bool SortsBeforeByBytes(const std::string& a, const std::string& b);

} // namespace lingomat
