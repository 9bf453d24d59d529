#include "ui/CommandTable.h"

#include <QAction>

#include "game/LingomatDoc.h"
#include "support/Cp1252.h"
#include "screen/LingomatView.h"
#include "support/Commands.h"
#include "ui/ErrorFileCommands.h"
#include "ui/GameCommands.h"
#include "ui/ListCommands.h"
#include "ui/MainFrame.h"
#include "ui/SettingsCommands.h"
#include "ui/SmallDialogCommands.h"

namespace lingomat {

namespace {

using Context = const CommandContext&;

constexpr ToolBarRow NoBar = ToolBarRow::None;
constexpr ToolBarRow Bar = ToolBarRow::Commands;
constexpr ToolBarRow Chars = ToolBarRow::Characters;

void TypeCharacter(Context c) {
    c.view.OnChar(CharacterOf(c.command));
}

bool Checked(Context c) {
    const QAction* action = c.frame.Action(c.command.id);
    return action != nullptr && action->isChecked();
}

// A special character: its menu, its prompt and, for those on the toolbar, its picture.
CommandEntry Character(int id, const char* character, const char* prompt, const char* menu,
                       bool separatorBefore, int picture = -1, int group = 0) {
    return {id,
            character,
            prompt,
            {},
            menu,
            separatorBefore,
            picture < 0 ? NoBar : Chars,
            picture,
            group,
            false,
            TypeCharacter};
}

// One row of the table, saying only where it differs from a plain menu command: no shortcut,
// no separator before it, no toolbar button, no check mark.
struct Row {
    Row(int id, const char* text, const char* prompt, const char* menu, void (*handler)(Context))
        : entry{id, text, prompt, {}, menu, false, NoBar, -1, 0, false, handler} {}
    Row& Keys(std::initializer_list<QKeySequence> keys) {
        entry.shortcuts = keys;
        return *this;
    }
    Row& Separated() {
        entry.separatorBefore = true;
        return *this;
    }
    Row& OnBar(int picture, int group) {
        entry.toolBar = Bar;
        entry.picture = picture;
        entry.group = group;
        return *this;
    }
    Row& Checkable() {
        entry.checkable = true;
        return *this;
    }
    operator CommandEntry() const { return entry; }

    CommandEntry entry;
};

} // namespace

const std::vector<MenuEntry>& MenuTable() {
    static const std::vector<MenuEntry> menus = {
        {"&Spiel", "gameMenu"},
        {"S&pieler", "playerMenu"},
        {"&Ansicht", "viewMenu"},
        {"Sch&ummeln", "cheatMenu"},
        {"Sonder&zeichen", "specialCharacterMenu"},
        {"&Vokabeln", "vocabularyMenu"},
        {"&?", "helpMenu"},
    };
    return menus;
}

const std::vector<CommandEntry>& CommandTable() {
    // The numbers are the ones the game has always used, so help pages keep matching.
    static const std::vector<CommandEntry> table = {
        Row(CommandNew, "&Neu\tStrg+N", "Startet ein neues Spiel.\nNeu", "&Spiel",
            [](Context c) { NewGame(c.document, c.view); })
            .Keys({QKeySequence(Qt::CTRL | Qt::Key_N)})
            .OnBar(0, 0),
        // Its picture is drawn by the frame; the strip has none for it.
        Row(CommandDueWords, "Fällige &Wörter üben\tStrg+D",
            "Übt die Wörter aus allen Lektionen, die heute fällig sind.\nFällige Wörter üben",
            "&Spiel", [](Context c) { DueWordsGame(c.document, c.view); })
            .Keys({QKeySequence(Qt::CTRL | Qt::Key_D)})
            .OnBar(28, 7),
        Row(CommandEndGame, "Spiel been&den", "Beendet das aktuelle Spiel.", "&Spiel",
            [](Context c) { c.view.OnEndGame(); })
            .OnBar(27, 6),
        // The character "%" with Alt, however the keyboard makes it: on German keys it needs
        // Shift.
        Row(CommandStatistics, "&Statistik\tAlt+%",
            "Zeigt ein Fenster mit der aktuellen Statistik an.", "&Spiel",
            [](Context c) { ShowGameStatistics(c.document, &c.view); })
            .Keys({QKeySequence(Qt::ALT | Qt::Key_Percent),
                   QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Percent)})
            .Separated()
            .OnBar(3, 1),
        Row(CommandTimesAndColours, "&Zeiten und Farben",
            "Zeit- und Farbeinstellungen von Lingomat", "&Spiel",
            [](Context c) {
                RunTimesColoursSettings(c.document, &c.view);
                c.view.update();
            }),
        Row(CommandCorrectionOptions, "&Fehler- und Sprachoptionen", "Optionen zur Verbesserung",
            "&Spiel", [](Context c) { RunCorrectionOptions(c.document, &c.view); }),
        Row(CommandGameSettings, "Spiel&einstellungen",
            "Spieleinstellungen zum Ändern während des Spiels", "&Spiel",
            [](Context c) {
                RunGameSettings(c.document, &c.view);
                c.view.update();
            }),
        Row(CommandOpenErrorFile, "Fehlerdatei &laden", "Öffnet ein bestehendes Dokument.\nÖffnen",
            "&Spiel", [](Context c) { OpenErrorFileGame(c.document, c.view); })
            .Separated(),
        Row(CommandSaveErrorFile, "Fehlerdatei sch&reiben",
            "Schreibt eine Fehlerdatei mit Ihren Fehlern.", "&Spiel",
            [](Context c) { WriteErrorFile(c.document, &c.frame); }),
        Row(CommandExit, "&Beenden\tStrg+B", "Verläßt das Spiel", "&Spiel",
            [](Context c) { c.frame.close(); })
            .Keys({QKeySequence(Qt::CTRL | Qt::Key_B)})
            .Separated(),

        Row(CommandChangePlayer, "Ä&ndern", "", "S&pieler",
            [](Context c) { c.view.OnChangePlayer(); }),
        Row(CommandPlayerStatistics, "Spieler&statistik", "", "S&pieler",
            [](Context c) { ShowPlayerStatistics(c.document, &c.view); })
            .OnBar(5, 2),

        Row(CommandToolbar, "&Symbolleiste",
            "Blendet die Symbolleiste ein oder aus.\nSymbolleiste ein-/ausschalten", "&Ansicht",
            [](Context c) { c.frame.SetToolBarsVisible(Checked(c)); })
            .Checkable(),
        Row(CommandStatusBar, "S&tatusleiste",
            "Blendet die Statusleiste ein oder aus.\nStatusleiste ein-/ausschalten", "&Ansicht",
            [](Context c) { c.frame.SetStatusBarVisible(Checked(c)); })
            .Checkable(),
        Row(CommandRotateAnswers, "Mehrfachantworten rotieren", "", "&Ansicht",
            [](Context c) { c.view.OnRotateAnswers(); })
            .Separated()
            .OnBar(4, 1),

        Row(CommandGlimpse, "E&inblenden der Antwort\tStrg+U",
            "Wirft einen kurzen Blick auf die Antwort.", "Sch&ummeln",
            [](Context c) { c.view.OnGlimpse(); })
            .Keys({QKeySequence(Qt::CTRL | Qt::Key_U)})
            .OnBar(1, 1),
        Row(CommandSkipQuestion, "Eine Frage &überspringen\tStrg+I", "Überspringt die Frage",
            "Sch&ummeln", [](Context c) { c.view.OnSkipQuestion(); })
            .Keys({QKeySequence(Qt::CTRL | Qt::Key_I)})
            .OnBar(2, 1),
        Row(CommandRemoveDuplicates, "Doppelte Vokabeln entfernen", "", "Sch&ummeln",
            [](Context c) { c.view.OnRemoveDuplicates(); }),

        Character(32855, "á", "", "Sonder&zeichen/A", false),
        Character(32794, "à", "Sonderzeichen: à (Kleines A mit Accent Grave)", "Sonder&zeichen/A",
                  false, 6, 3),
        Character(32798, "â", "Sonderzeichen: â (Kleines A mit Accent Circonflexe)",
                  "Sonder&zeichen/A", false, 7, 3),
        Character(32778, "ä", "Sonderzeichen: ä (Kleines A mit Umlaut)", "Sonder&zeichen/A", false,
                  19, 4),
        Character(32784, "Ä", "Sonderzeichen: Ä (Großes A mit Umlaut)", "Sonder&zeichen/A", false,
                  22, 4),
        Character(32774, "é", "Sonderzeichen: é (Kleines E mit Accent Aigu)", "Sonder&zeichen/E",
                  false, 8, 3),
        Character(32775, "è", "Sonderzeichen: è (Kleines E mit Accent Grave)", "Sonder&zeichen/E",
                  false, 9, 3),
        Character(32792, "ê", "Sonderzeichen: ê (Kleines E mit Accent Circonflexe)",
                  "Sonder&zeichen/E", false, 10, 3),
        Character(32793, "ë", "Sonderzeichen: ë (Kleines E mit Tréma)", "Sonder&zeichen/E", false,
                  11, 3),
        Character(32856, "í", "", "Sonder&zeichen/I", false, 26, 5),
        Character(32799, "î", "Sonderzeichen: î (Kleines I mit Accent Circonflexe)",
                  "Sonder&zeichen/I", false, 12, 3),
        Character(32796, "ï", "Sonderzeichen: ï (Kleines I mit Tréma)", "Sonder&zeichen/I", false,
                  13, 3),
        Character(32857, "ó", "", "Sonder&zeichen/O", false),
        Character(32797, "ô", "Sonderzeichen: ô (Kleines O mit Accent Circonflexe)",
                  "Sonder&zeichen/O", false, 14, 3),
        Character(32780, "ö", "Sonderzeichen: ö (Kleines O mit Umlaut)", "Sonder&zeichen/O", false,
                  20, 4),
        Character(32785, "Ö", "Sonderzeichen: Ö (Großes O mit Umlaut)", "Sonder&zeichen/O", false,
                  23, 4),
        Character(32858, "ú", "", "Sonder&zeichen/U", false),
        Character(32802, "ù", "Sonderzeichen: ù (Kleines U mit Accent Grave)", "Sonder&zeichen/U",
                  false, 15, 3),
        Character(32800, "û", "Sonderzeichen: û (Kleines U mit Accent Circonflexe)",
                  "Sonder&zeichen/U", false, 16, 3),
        Character(32781, "ü", "Sonderzeichen: ü (Kleines U mit Umlaut)", "Sonder&zeichen/U", false,
                  21, 4),
        Character(32786, "Ü", "Sonderzeichen: Ü (Großes U mit Umlaut)", "Sonder&zeichen/U", false,
                  24, 4),
        Character(32801, "ç", "Sonderzeichen: ç (Kleines C mit Cédille)", "Sonder&zeichen", true,
                  17, 3),
        Character(32776, "ß", "Sonderzeichen: ß (Scharfes S (Eszett))", "Sonder&zeichen", false, 18,
                  4),
        Character(32853, "ñ", "", "Sonder&zeichen", false, 25, 5),
        Character(32854, "Ñ", "", "Sonder&zeichen", false),

        Row(CommandLessonLists, "&Lektionen auf Listen", "", "&Vokabeln",
            [](Context c) { ShowLessonLists(c.document, &c.frame); }),
        Row(CommandSearch, "&Suchen\tF3", "Durchsucht die Vokabeldatenbank von Lingomat",
            "&Vokabeln", [](Context c) { ShowSearch(c.document, &c.frame); })
            .Keys({QKeySequence(Qt::Key_F3)}),
        Row(CommandRemainingQuestions, "&Verbleibende Vokabeln",
            "Zeigt an, welche Fragen Sie noch beantworten müssen.", "&Vokabeln",
            [](Context c) {
                ShowRemainingQuestions(c.document, &c.view);
                c.view.update();
            }),
        Row(CommandErrorList, "&Fehlerliste\tStrg+F",
            "Zeigt eine Liste mit allen bislang begangenen Fehlern an.", "&Vokabeln",
            [](Context c) { ShowErrorList(c.document, &c.view); })
            .Keys({QKeySequence(Qt::CTRL | Qt::Key_F)}),
        Row(CommandWordsPerLesson, "Wörter pro Lektion", "", "&Vokabeln",
            [](Context c) { ShowWordsPerLesson(c.document, &c.view); }),

        Row(CommandHelp, "&Hilfe\tF1", "Listet die Hilfethemen auf.\nHilfethemen", "&?",
            [](Context c) { c.frame.ShowHelp(); })
            .Keys({QKeySequence(Qt::Key_F1)}),
        Row(CommandTips, "&Tipps zu Lingomat", "", "&?",
            [](Context c) { ShowTips(c.document, &c.view); }),
        Row(CommandAbout, "Inf&o über Lingomat",
            "Zeigt Programm-Informationen, Versionsnummer und Copyright an.\nInfo", "&?",
            [](Context c) { c.frame.ShowAbout(); })
            .Separated(),
        Row(CommandWeb, "Borkenwald im Web", "", "&?",
            [](Context c) { c.frame.OpenMakerWebAddress(); }),
    };
    return table;
}

const CommandEntry* FindCommand(int id) {
    for (const CommandEntry& entry : CommandTable()) {
        if (entry.id == id) {
            return &entry;
        }
    }
    return nullptr;
}

unsigned char CharacterOf(const CommandEntry& command) {
    const std::string byte = FromQString(QString::fromUtf8(command.text));
    return byte.size() == 1 ? static_cast<unsigned char>(byte.front()) : 0;
}

} // namespace lingomat
