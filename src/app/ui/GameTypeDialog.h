#pragma once

#include <QDialog>

#include "data/GameTypes.h"

class QButtonGroup;
class QPushButton;

namespace lingomat {

// The first of the two set-up dialogs of a new game: question and answer language and the game
// type. There is no cancel button; Escape or the close box end it without a game.
class GameTypeDialog : public QDialog {
public:
    // spanish: the data set's column 1 is Spanish, and French is not offered.
    explicit GameTypeDialog(bool spanish, QWidget* parent = nullptr);

    // Radio indices, -1 while none is chosen. The language indices are the data set columns,
    // the game type index is the GameMode number.
    int QuestionLanguage() const;
    int AnswerLanguage() const;
    int GameType() const;

    void accept() override;

private:
    void GameTypeClicked();

    QButtonGroup* questionGroup;
    QButtonGroup* answerGroup;
    QButtonGroup* gameTypeGroup;
    QPushButton* settingsButton;
};

} // namespace lingomat
