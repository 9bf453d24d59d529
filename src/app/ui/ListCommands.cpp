#include "ui/ListCommands.h"

#include <QApplication>

#include "ui/ErrorListDialog.h"
#include "ui/LessonCountDialog.h"
#include "ui/LessonListDialog.h"
#include "ui/RemainingQuestionsDialog.h"
#include "ui/VocabularySearchDialog.h"
#include "support/Prompts.h"

namespace lingomat {

namespace {

// A window without a parent is not kept above the game window. It reads the document, so it
// must not outlive the window that owns the document.
template <typename Window> Window* OpenBeside(Window* window, QWidget* parent) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    // Without a parent it would not take the game window's icon by itself.
    if (parent != nullptr) {
        window->setWindowIcon(parent->window()->windowIcon());
    }
    // A second window of the same kind would hide the first exactly.
    const QWidget* last = nullptr;
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other != window && other->isVisible() &&
            dynamic_cast<const Window*>(other) != nullptr &&
            (last == nullptr || other->pos().manhattanLength() > last->pos().manhattanLength())) {
            last = other;
        }
    }
    if (last != nullptr) {
        window->move(last->pos() + QPoint(30, 30));
    }
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
    RunDialog(dialog);
}

void ShowErrorList(CLingomatDoc& doc, QWidget* parent) {
    ErrorListDialog dialog(doc, parent);
    RunDialog(dialog);
}

void ShowWordsPerLesson(CLingomatDoc& doc, QWidget* parent) {
    LessonCountDialog dialog(doc, parent);
    RunDialog(dialog);
}

} // namespace lingomat
