#pragma once

#include <functional>

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

    // Called by "Einstellungen" with the game type chosen at that moment; the opener shows
    // the settings dialog of that type and writes its values back to the document. Without
    // one, a dialog opened over the game screen edits the screen's document.
    std::function<void(GameMode)> onSettings;

    void accept() override;

private:
    void GameTypeClicked();

    QButtonGroup* questionGroup;
    QButtonGroup* answerGroup;
    QButtonGroup* gameTypeGroup;
    QPushButton* settingsButton;
};

} // namespace lingomat
