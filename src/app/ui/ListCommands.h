#pragma once

class QWidget;

namespace lingomat {

class CLingomatDoc;
class LessonListDialog;
class VocabularySearchDialog;

// The commands of the "Vokabeln" menu. The search and the lesson list open a new window beside
// the game each time and return at once; the game goes on meanwhile. Such a window is a window
// of its own (not kept above the game), deletes itself when closed, does not keep the program
// running when the main window closes, and goes when parent goes. The other three lists are
// modal. None of them changes the game, except for the removal of repeated questions.

// "&Suchen" (F3).
VocabularySearchDialog* ShowSearch(CLingomatDoc& doc, QWidget* parent);
// "&Lektionen auf Listen".
LessonListDialog* ShowLessonLists(CLingomatDoc& doc, QWidget* parent);
// "&Verbleibende Vokabeln"; its "Doppelte Fragen löschen" thins out the running game's pool.
// The caller repaints the game screen afterwards.
void ShowRemainingQuestions(CLingomatDoc& doc, QWidget* parent);
// "&Fehlerliste" (Ctrl+F).
void ShowErrorList(CLingomatDoc& doc, QWidget* parent);
// "Wörter pro Lektion".
void ShowWordsPerLesson(CLingomatDoc& doc, QWidget* parent);

} // namespace lingomat
