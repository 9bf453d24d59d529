#pragma once

namespace lingomat {

class CLingomatDoc;
class CLingomatView;

// "Neu" and a click on the start screen: asks before a running game is abandoned, then the game
// type and lesson dialogs, and starts the chosen game with its timers.
void NewGame(CLingomatDoc& doc, CLingomatView& view);

// "Fällige Wörter üben": like "Neu", with "Schreiben" offered first, over the words of the
// player's card box that are due today, across all lessons.
void DueWordsGame(CLingomatDoc& doc, CLingomatView& view);

// "Fehlerdatei laden" and the lesson dialog's "Fehlerdatei spielen": asks before a running game
// is abandoned, then plays the chosen error file in place of it.
void OpenErrorFileGame(CLingomatDoc& doc, CLingomatView& view);

} // namespace lingomat
