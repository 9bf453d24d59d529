#include "ui/GameCommands.h"

#include "game/LingomatDoc.h"
#include "matching/LanguageNames.h"
#include "screen/LingomatView.h"
#include "ui/ErrorFileCommands.h"
#include "ui/GameTypeDialog.h"
#include "ui/LessonDialog.h"
#include "support/Prompts.h"

#include <QRadioButton>

namespace lingomat {

namespace {

void PlayErrorFileIn(CLingomatDoc& doc, CLingomatView& view) {
    // Timers run on during the file dialog; a file that cannot be read leaves the game as it was.
    if (PlayErrorFile(doc, &view)) {
        view.StopGameTimers();
        view.StartGameTimers();
    }
    view.update();
}

// Leaves the running game (if the player agrees), starts afresh and asks for the game type; true
// when the player chose one.
bool ChooseGameType(CLingomatDoc& doc, CLingomatView& view, bool writing) {
    if (doc.IsModified() &&
        !view.Confirm("Sind Sie sicher, das Spiel verlassen zu wollen?", "Lingomat", false)) {
        return false;
    }
    view.StopGameTimers();
    doc.OnNewDocument();
    view.update();
    if (!doc.HasDataSet()) {
        return false;
    }

    GameTypeDialog gameType(IsSpanishDataSet(doc.DataSetName()), &view);
    // For the due words, writing is what the box is for; the player may still pick another game
    // type.
    auto* write = gameType.findChild<QRadioButton*>(QStringLiteral("writeRadio"));
    if (writing && write != nullptr) {
        write->click();
    }
    if (RunDialog(gameType) != QDialog::Accepted) {
        return false;
    }
    doc.ChooseGame(static_cast<GameMode>(gameType.GameType()),
                   static_cast<Language>(gameType.QuestionLanguage()),
                   static_cast<Language>(gameType.AnswerLanguage()));
    return true;
}

} // namespace

void NewGame(CLingomatDoc& doc, CLingomatView& view) {
    if (!ChooseGameType(doc, view, false)) {
        return;
    }
    LessonDialog lessons(doc, &view);
    switch (RunDialog(lessons)) {
    case LessonDialog::LessonGame:
        if (!doc.StartGame()) {
            return;
        }
        break;
    case LessonDialog::AlphabeticGame:
        if (!doc.StartAlphabeticGame(lessons.RangeStart(), lessons.RangeEnd(),
                                     static_cast<Language>(lessons.SortLanguage()))) {
            return;
        }
        break;
    case LessonDialog::ErrorFileGame:
        PlayErrorFileIn(doc, view);
        return;
    default:
        return;
    }
    view.StartGameTimers();
}

void DueWordsGame(CLingomatDoc& doc, CLingomatView& view) {
    if (!ChooseGameType(doc, view, true)) {
        return;
    }
    if (doc.StartDueGame()) {
        view.StartGameTimers();
    }
    view.update();
}

void OpenErrorFileGame(CLingomatDoc& doc, CLingomatView& view) {
    if (doc.SaveModified()) {
        PlayErrorFileIn(doc, view);
    }
}

} // namespace lingomat
