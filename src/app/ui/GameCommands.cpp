#include "ui/GameCommands.h"

#include "game/LingomatDoc.h"
#include "matching/LanguageNames.h"
#include "screen/LingomatView.h"
#include "ui/ErrorFileCommands.h"
#include "ui/GameTypeDialog.h"
#include "ui/LessonDialog.h"

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

} // namespace

void NewGame(CLingomatDoc& doc, CLingomatView& view) {
    if (doc.IsModified() &&
        !view.Confirm("Sind Sie sicher, das Spiel verlassen zu wollen?", "Lingomat", false)) {
        return;
    }
    view.StopGameTimers();
    doc.OnNewDocument();
    view.update();
    if (!doc.HasDataSet()) {
        return;
    }

    GameTypeDialog gameType(IsSpanishDataSet(doc.DataSetName()), &view);
    if (gameType.exec() != QDialog::Accepted) {
        return;
    }
    doc.ChooseGame(static_cast<GameMode>(gameType.GameType()),
                   static_cast<Language>(gameType.QuestionLanguage()),
                   static_cast<Language>(gameType.AnswerLanguage()));

    LessonDialog lessons(doc, &view);
    switch (lessons.exec()) {
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
    if (doc.IsModified() &&
        !view.Confirm("Sind Sie sicher, das Spiel verlassen zu wollen?", "Lingomat", false)) {
        return;
    }
    view.StopGameTimers();
    doc.OnNewDocument();
    view.update();
    if (!doc.HasDataSet()) {
        return;
    }

    GameTypeDialog gameType(IsSpanishDataSet(doc.DataSetName()), &view);
    // Writing is what the box is for; the player may still pick another game type.
    if (auto* write = gameType.findChild<QRadioButton*>(QStringLiteral("writeRadio"))) {
        write->click();
    }
    if (gameType.exec() != QDialog::Accepted) {
        return;
    }
    doc.ChooseGame(static_cast<GameMode>(gameType.GameType()),
                   static_cast<Language>(gameType.QuestionLanguage()),
                   static_cast<Language>(gameType.AnswerLanguage()));
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
