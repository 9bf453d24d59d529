#include "game/LessonSelection.h"

#include "matching/AccentEscapes.h"

namespace lingomat {

void SelectByDisplayName(LessonTable& table, const std::string& displayName) {
    table.ResetCursors();
    for (; !table.CursorAtEnd(); table.AdvanceCursor()) {
        LessonEntry* lesson = table.CurrentLesson();
        if (DecodeAccents(lesson->name) == displayName) {
            lesson->selected = true;
            return;
        }
    }
}

} // namespace lingomat
