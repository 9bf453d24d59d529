#include "data/LessonTable.h"

#include <algorithm>

#include "data/VocFileReader.h"

namespace lingomat {

namespace {

void StripTrailingBlanks(std::string& text) {
    const auto keep = text.find_last_not_of(" \n");
    text.erase(keep == std::string::npos ? 0 : keep + 1);
}

} // namespace

void LessonTable::Load(VocFileReader& reader) {
    lessons.clear();
    preambleLines.clear();
    while (!reader.NextIsSectionEnd() && !reader.atEnd) {
        std::string line = reader.ReadLine();
        if (!line.empty()) {
            preambleLines.push_back(std::move(line));
        }
    }
    while (!reader.NextIsSectionEnd() && !reader.atEnd) {
        std::string name = reader.ReadLine();
        std::string code = reader.ReadLine();
        if (name.empty()) {
            continue;
        }
        StripTrailingBlanks(name);
        StripTrailingBlanks(code);
        if (name.size() > MaxNameLength) {
            name.resize(MaxNameLength);
        }
        lessons.push_back(LessonEntry{false, std::move(name), std::move(code)});
    }
    ResetCursors();
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
