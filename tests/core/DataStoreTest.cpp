#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/LessonSelection.h"
#include "data/LessonTable.h"
#include "data/QuestionPool.h"
#include "data/VocDatabase.h"

namespace lingomat {
namespace {

TEST(VocEntry, BlankCountIsCappedAtTwo) {
    const std::vector<std::pair<std::string, std::uint32_t>> cases = {
        {"", 0}, {"das Haus", 1}, {" Haus", 1}, {"a b c d e", 2}, {"Haus\tT\xFCr", 0}};
    for (const auto& [text, blanks] : cases) {
        VocEntry entry;
        entry.SetText(LanguageEnglish, text);
        EXPECT_EQ(entry.BlankCount(LanguageEnglish), blanks) << text;
        EXPECT_EQ(entry.BlankCount(LanguageGerman), 0u);
    }
    VocEntry entry;
    entry.SetText(3, "vier");
    EXPECT_EQ(entry.Text(3), "") << "no fourth column";
}

TEST(VocEntry, WordClassAndLessonMembership) {
    for (const auto& [line, wordClass] : std::vector<std::pair<std::string, std::uint32_t>>{
             {"n", 1}, {"v", 2}, {"a", 3}, {"", 0}, {"N", 0}, {"n ", 0}}) {
        VocEntry entry;
        entry.SetWordClass(line);
        EXPECT_EQ(entry.wordClass, wordClass) << line;
    }
    struct Case {
        std::string line;
        std::string code;
        bool member;
    };
    const std::vector<Case> cases = {
        {"12", "1", true},    {"12", "12", true},    {"12", "3", false},
        {"12", "123", false}, {"K3 K7", "K7", true}, {"k3", "K3", false},
    };
    for (const auto& c : cases) {
        VocEntry entry;
        entry.SetLesson(c.line);
        EXPECT_EQ(entry.InLesson(c.code), c.member) << c.line << " / " << c.code;
    }
}

// A name finds the first lesson of that name, in its stored form; past the end there is none.
TEST(LessonTable, CodeForNameAndTheEndOfTheCursor) {
    LessonTable table;
    table.lessons = {{false, "Farben", "c1"}, {true, "Farben", "c3"}, {false, "K\"uche", "c4"}};
    for (const auto& [name, code] : std::vector<std::pair<std::string, std::string>>{
             {"Farben", "c1"}, {"K\"uche", "c4"}, {"K\374che", ""}, {"farben", ""}}) {
        EXPECT_EQ(table.CodeForName(name), code) << name;
    }
    for (table.ResetCursors(); !table.CursorAtEnd(); table.AdvanceCursor()) {
    }
    EXPECT_EQ(table.CurrentLessonName(), "");
    EXPECT_EQ(LessonTable().CurrentLessonCode(), "");
}

// The lesson dialogs list names decoded and find the lesson again by what they show.
TEST(LessonTable, SelectByDisplayNameMarksTheFirstLessonShownUnderTheName) {
    const std::string kueche = "K\374che";
    const std::string strasse = "Stra\337e";
    struct Case {
        std::vector<std::string> shown; // selected one after the other
        std::vector<bool> marks;
        std::size_t cursor;
    };
    const Case cases[] = {
        {{"Tiere"}, {true, false, false, false}, 0},
        {{kueche}, {false, true, false, false}, 1},
        {{"Tiere", strasse}, {true, false, false, true}, 3}, // earlier marks stay
        // The stored form is not what the list shows, so it is not found.
        {{"K\"uche"}, {false, false, false, false}, 4},
    };
    for (const auto& c : cases) {
        LessonTable table;
        for (const char* name : {"Tiere", "K\"uche", "Tiere", "Stra\\3e"}) {
            table.lessons.push_back({false, name, std::to_string(table.lessons.size() + 1)});
        }
        for (const auto& shown : c.shown) {
            SelectByDisplayName(table, shown);
        }
        std::vector<bool> marks;
        for (const LessonEntry& lesson : table.lessons) {
            marks.push_back(lesson.selected);
        }
        EXPECT_EQ(marks, c.marks) << c.shown.back();
        EXPECT_EQ(table.lessonCursor, c.cursor) << c.shown.back();
    }
}

// From the question at current of a pool of size: steps forward, or the current one removed.
TEST(QuestionPool, AdvanceWrapsAndRemovalMovesOnToTheFollowingQuestion) {
    struct Case {
        std::size_t size;
        std::size_t current;
        std::size_t steps; // 0: remove the current question
        std::string expected;
    };
    const std::vector<Case> cases = {
        {5, 0, 1, "1"},  {5, 0, 5, "0"}, {5, 3, 3, "1"},    {5, 4, 1, "0"},
        {5, 2, 13, "0"}, {1, 0, 7, "0"}, {0, 0, 3, "none"}, {3, 0, 0, "1"},
        {3, 1, 0, "2"},  {3, 2, 0, "0"}, {1, 0, 0, "none"}, {0, 0, 0, "none"},
    };
    for (const auto& c : cases) {
        QuestionPool pool;
        for (std::size_t i = 0; i < c.size; ++i) {
            pool.Append(Question{nullptr, std::to_string(i), "", ""});
        }
        pool.Advance(c.current);
        if (c.steps > 0) {
            pool.Advance(c.steps);
        } else {
            pool.RemoveCurrent();
            EXPECT_EQ(pool.Size(), c.size == 0 ? 0 : c.size - 1);
        }
        EXPECT_EQ(pool.Current() != nullptr ? pool.Current()->questionText : "none", c.expected)
            << c.size << " " << c.current << " " << c.steps;
    }
}

TEST(VocDatabase, QuestionsKeepTheirRecordWhileTheListsGrow) {
    VocDatabase database;
    VocEntry& first = database.vocabulary.emplace_back();
    first.SetText(LanguageGerman, "Haus");
    first.SetText(LanguageFrench, "maison");
    database.pool.Append(Question::FromEntry(first, LanguageGerman, LanguageFrench));
    for (int i = 0; i < 10'000; ++i) {
        database.vocabulary.emplace_back();
    }
    ASSERT_NE(database.pool.Current(), nullptr);
    EXPECT_EQ(database.pool.Current()->entry, &database.vocabulary.front());
    EXPECT_EQ(database.pool.Current()->answerText, "maison");
}

} // namespace
} // namespace lingomat
