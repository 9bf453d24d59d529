#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lingomat {

struct LessonEntry {
    bool selected = false;
    // As stored: may hold accent escapes.
    std::string name;
    // The text by which records name this lesson in their lesson line.
    std::string code;
};

// The lessons of the loaded data set and the lesson dialog's choice.
class LessonTable {
public:
    // Names are cut to this length when loaded (the file keeps them whole): the lesson lists
    // show every name, and a megabyte name would stall them.
    static constexpr std::size_t MaxNameLength = 200;

    // Appends a lesson as the data set names it; a long name is cut.
    void Add(std::string name, std::string code);

    void ResetCursors() { lessonCursor = 0; }
    bool CursorAtEnd() const { return lessonCursor >= lessons.size(); }
    void AdvanceCursor() {
        if (!CursorAtEnd()) {
            ++lessonCursor;
        }
    }
    // Null when the cursor stands past the last lesson.
    LessonEntry* CurrentLesson() { return CursorAtEnd() ? nullptr : &lessons[lessonCursor]; }
    const LessonEntry* CurrentLesson() const {
        return CursorAtEnd() ? nullptr : &lessons[lessonCursor];
    }
    // "" when the cursor stands past the last lesson.
    std::string CurrentLessonName() const;
    std::string CurrentLessonCode() const;

    // The code of the first lesson whose stored name equals the argument, "" when none does.
    std::string CodeForName(const std::string& name) const;

    std::size_t SelectedCount() const;
    void ClearSelection();

    // Range of the lesson dialog; empty bounds mean no range.
    std::string lowerBound;
    std::string upperBound;
    // The column compared with the range; -1 none.
    std::int32_t rangeLanguage = -1;
    // Lessons chosen in the lesson dialog; 0 means a lesson game takes all records.
    std::int32_t selectedLessonCount = 0;
    std::vector<LessonEntry> lessons;
    // Index into lessons; equal to lessons.size() when past the end.
    std::size_t lessonCursor = 0;
    std::vector<std::string> preambleLines;
};

} // namespace lingomat
