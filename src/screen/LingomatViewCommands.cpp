#include "screen/LingomatView.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>

#include "game/LingomatDoc.h"
#include "matching/LanguageNames.h"
#include "platform/DocumentHost.h"
#include "platform/qt/Cp1252.h"
#include "ui/Commands.h"
#include "ui/ErrorFileCommands.h"
#include "ui/GameTypeDialog.h"
#include "ui/LessonDialog.h"
#include "ui/ListCommands.h"
#include "ui/SettingsCommands.h"
#include "ui/SmallDialogCommands.h"

namespace lingomat {

void CLingomatView::ConnectCommands(const std::function<QAction*(int)>& action) {
    const auto bind = [&](int command, auto handler) {
        if (QAction* found = action(command)) {
            connect(found, &QAction::triggered, this, handler);
            found->setEnabled(true);
        }
    };
    bind(CommandNew, [this] { OnNewGame(); });
    bind(CommandOpenErrorFile, [this] {
        if (document.SaveModified()) {
            OnPlayErrorFile();
        }
    });
    bind(CommandSkipQuestion, [this] { OnSkipQuestion(); });
    bind(CommandGlimpse, [this] { OnGlimpse(); });
    bind(CommandRotateAnswers, [this] { OnRotateAnswers(); });
    bind(CommandRemoveDuplicates, [this] { OnRemoveDuplicates(); });
    bind(CommandEndGame, [this] { OnEndGame(); });
    bind(CommandChangePlayer, [this] { OnChangePlayer(); });
    bind(CommandStatistics, [this] { ShowGameStatistics(document, this); });
    bind(CommandTips, [this] { ShowTips(document, this); });
    bind(CommandPlayerStatistics, [this] { ShowPlayerStatistics(document, this); });
    // The settings and the remaining-questions list may change what the screen shows.
    bind(CommandTimesAndColours, [this] {
        RunTimesColoursSettings(document, this);
        update();
    });
    bind(CommandCorrectionOptions, [this] { RunCorrectionOptions(document, this); });
    bind(CommandGameSettings, [this] {
        RunGameSettings(document, this);
        update();
    });
    bind(CommandSearch, [this] { ShowSearch(document, window()); });
    bind(CommandLessonLists, [this] { ShowLessonLists(document, window()); });
    bind(CommandRemainingQuestions, [this] {
        ShowRemainingQuestions(document, this);
        update();
    });
    bind(CommandErrorList, [this] { ShowErrorList(document, this); });
    bind(CommandWordsPerLesson, [this] { ShowWordsPerLesson(document, this); });
    for (const SpecialCharacter& special : kSpecialCharacters) {
        const unsigned char byte = special.byte;
        bind(special.command, [this, byte] { OnChar(byte); });
    }
}

bool CLingomatView::Confirm(const std::string& text, const std::string& caption, bool stopIcon) {
    const MessageIcon icon = stopIcon ? MessageIcon::Stop : MessageIcon::Question;
    if (host != nullptr) {
        return host->ShowMessage(text, caption, MessageButtons::YesNo, icon) == MessageAnswer::Yes;
    }
    QMessageBox box(stopIcon ? QMessageBox::Critical : QMessageBox::Question, ToQString(caption),
                    ToQString(text), QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("messageBox"));
    QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("yesButton"));
    no->setObjectName(QStringLiteral("noButton"));
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void CLingomatView::OnNewGame() {
    if (document.IsModified() &&
        !Confirm("Sind sie sicher das Spiel verlassen zu wollen?", "Lingomat", false)) {
        return;
    }
    StopGameTimers();
    document.OnNewDocument();
    update();

    GameTypeDialog gameType(IsSpanishDataSet(document.dataSetName), this);
    if (gameType.exec() != QDialog::Accepted) {
        return;
    }
    document.questionLanguage = static_cast<Language>(gameType.QuestionLanguage());
    document.answerLanguage = static_cast<Language>(gameType.AnswerLanguage());
    document.gameMode = static_cast<GameMode>(gameType.GameType());

    LessonDialog lessons(document, this);
    switch (lessons.exec()) {
    case LessonDialog::LessonGame:
        document.StartGame();
        break;
    case LessonDialog::AlphabeticGame:
        document.StartAlphabeticGame(lessons.RangeStart(), lessons.RangeEnd(),
                                     static_cast<Language>(lessons.SortLanguage()));
        break;
    case LessonDialog::ErrorFileGame:
        OnPlayErrorFile();
        return;
    default:
        return;
    }
    StartGameTimers();
}

void CLingomatView::OnPlayErrorFile() {
    // Timers run on during the file dialog; a file that cannot be read leaves the game as it was.
    if (PlayErrorFile(document, this)) {
        StopGameTimers();
        StartGameTimers();
    }
    update();
}

void CLingomatView::OnSkipQuestion() {
    if (document.gameStarted && !document.gameOver &&
        Confirm("Sind Sie sicher diese Frage \xFC"
                "berspringen zu wollen?",
                "Frage \xFC"
                "berspringen?",
                true)) {
        document.SkipQuestion();
        KillTimer(FeedbackTimer);
        if (document.gameOver) {
            StopGameTimers();
        }
        trace.Progress(document);
    }
    update();
}

void CLingomatView::OnGlimpse() {
    if (!document.gameStarted || document.gameOver) {
        return;
    }
    document.Glimpse();
    if (document.glimpseActive) {
        SetTimer(GlimpseTimer, static_cast<int>(document.glimpseTime));
    }
    update();
}

void CLingomatView::OnRotateAnswers() {
    document.RotateAnswerForm();
    update();
}

void CLingomatView::OnRemoveDuplicates() {
    document.RemoveDuplicateQuestions();
    update();
}

void CLingomatView::OnEndGame() {
    if (document.gameStarted && !document.gameOver) {
        document.EndGameNow();
        StopGameTimers();
        trace.Progress(document);
    }
    update();
}

void CLingomatView::OnChangePlayer() {
    if (host == nullptr) {
        return;
    }
    // From the menu only the player changes; the loaded data set stays.
    std::string ignored = document.dataSetName;
    host->ChoosePlayer(document.playerStatistics, ignored);
    update();
}

} // namespace lingomat
