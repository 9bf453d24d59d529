#include "ui/ListCommands.h"

#include "ui/ErrorListDialog.h"
#include "ui/LessonCountDialog.h"
#include "ui/LessonListDialog.h"
#include "ui/RemainingQuestionsDialog.h"
#include "ui/VocabularySearchDialog.h"

namespace lingomat {

namespace {

// A window without a parent is not kept above the game window. It reads the document, so it
// must not outlive the window that owns the document.
template <typename Window> Window* OpenBeside(Window* window, QWidget* parent) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    if (parent != nullptr) {
        QObject::connect(parent, &QObject::destroyed, window, [window] { delete window; });
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace

VocabularySearchDialog* ShowSearch(CLingomatDoc& doc, QWidget* parent) {
    return OpenBeside(new VocabularySearchDialog(doc), parent);
}

LessonListDialog* ShowLessonLists(CLingomatDoc& doc, QWidget* parent) {
    return OpenBeside(new LessonListDialog(doc), parent);
}

void ShowRemainingQuestions(CLingomatDoc& doc, QWidget* parent) {
    RemainingQuestionsDialog dialog(doc, parent);
    dialog.exec();
}

void ShowErrorList(CLingomatDoc& doc, QWidget* parent) {
    ErrorListDialog dialog(doc, parent);
    dialog.exec();
}

void ShowWordsPerLesson(CLingomatDoc& doc, QWidget* parent) {
    LessonCountDialog dialog(doc, parent);
    dialog.exec();
}

} // namespace lingomat
