#include "data/LessonTable.h"

#include <algorithm>

namespace lingomat {

void LessonTable::Add(std::string name, std::string code) {
    if (name.size() > MaxNameLength) {
        name.resize(MaxNameLength);
    }
    lessons.push_back(LessonEntry{false, std::move(name), std::move(code)});
}

std::string LessonTable::CurrentLessonName() const {
    const LessonEntry* lesson = CurrentLesson();
    return lesson != nullptr ? lesson->name : std::string();
}

std::string LessonTable::CurrentLessonCode() const {
    const LessonEntry* lesson = CurrentLesson();
    return lesson != nullptr ? lesson->code : std::string();
}

std::string LessonTable::CodeForName(const std::string& name) const {
    const auto found = std::find_if(lessons.begin(), lessons.end(),
                                    [&](const LessonEntry& lesson) { return lesson.name == name; });
    return found != lessons.end() ? found->code : std::string();
}

std::size_t LessonTable::SelectedCount() const {
    return static_cast<std::size_t>(std::count_if(
        lessons.begin(), lessons.end(), [](const LessonEntry& lesson) { return lesson.selected; }));
}

void LessonTable::ClearSelection() {
    for (LessonEntry& lesson : lessons) {
        lesson.selected = false;
    }
}

} // namespace lingomat
