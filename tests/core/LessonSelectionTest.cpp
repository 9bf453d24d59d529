#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/LessonSelection.h"

namespace lingomat {
namespace {

LessonTable Table() {
    LessonTable table;
    for (const char* name : {"Tiere", "K\"uche", "Tiere", "Stra\\3e"}) {
        table.lessons.push_back({false, name, std::to_string(table.lessons.size() + 1)});
    }
    return table;
}

std::vector<bool> Marks(const LessonTable& table) {
    std::vector<bool> marks;
    for (const LessonEntry& lesson : table.lessons) {
        marks.push_back(lesson.selected);
    }
    return marks;
}

TEST(SelectByDisplayName, MarksTheFirstLessonShownUnderTheName) {
    const struct {
        std::string shown;
        std::vector<bool> marks;
        std::size_t cursor;
    } cases[] = {
        {"Tiere", {true, false, false, false}, 0},
        {"K\xfc" "che", {false, true, false, false}, 1},
        {"Stra\xdf" "e", {false, false, false, true}, 3},
        // The stored form is not what the list shows, so it is not found.
        {"K\"uche", {false, false, false, false}, 4},
        {"tiere", {false, false, false, false}, 4},
        {"", {false, false, false, false}, 4},
    };
    for (const auto& c : cases) {
        LessonTable table = Table();
        SelectByDisplayName(table, c.shown);
        EXPECT_EQ(Marks(table), c.marks) << c.shown;
        EXPECT_EQ(table.lessonCursor, c.cursor) << c.shown;
    }
}

TEST(SelectByDisplayName, KeepsEarlierMarks) {
    LessonTable table = Table();
    SelectByDisplayName(table, "Stra\xdf" "e");
    SelectByDisplayName(table, "Tiere");
    EXPECT_EQ(Marks(table), (std::vector<bool>{true, false, false, true}));
}

} // namespace
} // namespace lingomat
