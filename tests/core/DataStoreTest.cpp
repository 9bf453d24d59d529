#include <cstddef>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/LessonTable.h"
#include "data/QuestionPool.h"
#include "data/VocDatabase.h"
#include "data/VocEntry.h"

namespace lingomat {
namespace {

TEST(VocEntry, BlankCountIsCappedAtTwo) {
    const std::vector<std::pair<std::string, std::uint32_t>> cases = {
        {"", 0}, {"Haus", 0}, {"das Haus", 1}, {" Haus", 1}, {"sich die Z\xE4hne putzen", 2},
        {"a b c d e", 2}, {"tout de suite", 2}, {"Haus\tT\xFCr", 0}};
    for (const auto& [text, blanks] : cases) {
        VocEntry entry;
        entry.SetText(LanguageEnglish, text);
        EXPECT_EQ(entry.BlankCount(LanguageEnglish), blanks) << text;
        EXPECT_EQ(entry.Text(LanguageEnglish), text);
        EXPECT_EQ(entry.BlankCount(LanguageGerman), 0u) << "other columns keep their own count";
    }
}

TEST(VocEntry, ColumnsOutsideTheRecordReadAsEmpty) {
    VocEntry entry;
    entry.SetText(3, "vier");
    EXPECT_EQ(entry.Text(3), "");
    EXPECT_EQ(entry.BlankCount(3), 0u);
    entry.SetText(LanguageFrench, "la porte");
    entry.SetColumnCount(2);
    EXPECT_EQ(entry.ColumnCount(), 2u);
    EXPECT_EQ(entry.Text(LanguageFrench), "");
    EXPECT_EQ(entry.Text(LanguageGerman), "");
}

TEST(VocEntry, LessonMembershipIsASubstringTest) {
    struct Case {
        std::string line;
        std::string code;
        bool member;
    };
    const std::vector<Case> cases = {
        {"12", "1", true},    {"12", "12", true},   {"12", "2", true},  {"12", "3", false},
        {"12", "123", false}, {"K3 K7", "K7", true}, {"k3", "K3", false}, {"", "1", false},
    };
    for (const auto& c : cases) {
        VocEntry entry;
        entry.SetLesson(c.line);
        EXPECT_EQ(entry.InLesson(c.code), c.member) << c.line << " / " << c.code;
    }
}

LessonTable Lessons() {
    LessonTable table;
    table.lessons = {{false, "Farben", "c1"}, {false, "Tiere", "c2"}, {false, "Farben", "c3"},
                     {false, "K\"uche", "c4"}};
    return table;
}

TEST(LessonTable, CodeForNameComparesStoredNames) {
    const LessonTable table = Lessons();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Tiere", "c2"}, {"Farben", "c1"}, {"K\"uche", "c4"}, {"K\xFC" "che", ""}, {"tiere", ""},
        {"", ""}};
    for (const auto& [name, code] : cases) {
        EXPECT_EQ(table.CodeForName(name), code) << name;
    }
}

TEST(LessonTable, SelectionAndCursor) {
    LessonTable table = Lessons();
    EXPECT_EQ(table.SelectedCount(), 0u);
    table.lessons[1].selected = true;
    table.lessons[3].selected = true;
    EXPECT_EQ(table.SelectedCount(), 2u);
    table.ClearSelection();
    EXPECT_EQ(table.SelectedCount(), 0u);

    std::vector<std::string> walked;
    for (table.ResetCursors(); !table.CursorAtEnd(); table.AdvanceCursor()) {
        walked.push_back(table.CurrentLessonCode());
    }
    EXPECT_EQ(walked, (std::vector<std::string>{"c1", "c2", "c3", "c4"}));
    table.AdvanceCursor();
    EXPECT_EQ(table.CurrentLesson(), nullptr);
    EXPECT_EQ(table.CurrentLessonName(), "");
    EXPECT_EQ(table.CurrentLessonCode(), "");
    table.ResetCursors();
    EXPECT_EQ(table.CurrentLessonName(), "Farben");

    LessonTable empty;
    EXPECT_TRUE(empty.CursorAtEnd());
    EXPECT_EQ(empty.CurrentLessonName(), "");
    EXPECT_EQ(empty.CodeForName("Farben"), "");
}

// A pool of the given size whose questions are numbered by their question text.
QuestionPool NumberedPool(std::size_t size) {
    QuestionPool pool;
    for (std::size_t i = 0; i < size; ++i) {
        pool.Append(Question{nullptr, std::to_string(i), "", ""});
    }
    return pool;
}

std::string CurrentText(const QuestionPool& pool) {
    return pool.Current() != nullptr ? pool.Current()->questionText : "none";
}

TEST(QuestionPool, AdvanceWrapsFromTheLastToTheFirst) {
    struct Case {
        std::size_t size;
        std::size_t start;
        std::size_t steps;
        std::string current;
    };
    const std::vector<Case> cases = {
        {5, 0, 0, "0"}, {5, 0, 1, "1"}, {5, 0, 4, "4"}, {5, 0, 5, "0"}, {5, 3, 3, "1"},
        {5, 4, 1, "0"}, {5, 2, 13, "0"}, {1, 0, 7, "0"}, {0, 0, 3, "none"},
    };
    for (const auto& c : cases) {
        QuestionPool pool = NumberedPool(c.size);
        pool.Advance(c.start);
        pool.Advance(c.steps);
        EXPECT_EQ(CurrentText(pool), c.current) << c.size << " " << c.start << " " << c.steps;
    }
}

TEST(QuestionPool, RemoveCurrentMovesOnToTheFollowingQuestion) {
    struct Case {
        std::size_t size;
        std::size_t at;
        std::string current;
        std::size_t left;
    };
    const std::vector<Case> cases = {
        {3, 0, "1", 2}, {3, 1, "2", 2}, {3, 2, "0", 2}, {1, 0, "none", 0}, {0, 0, "none", 0},
    };
    for (const auto& c : cases) {
        QuestionPool pool = NumberedPool(c.size);
        pool.Advance(c.at);
        pool.RemoveCurrent();
        EXPECT_EQ(CurrentText(pool), c.current) << c.size << " " << c.at;
        EXPECT_EQ(pool.Size(), c.left);
    }
}

TEST(QuestionPool, EmptyPoolIsSafeForEveryOperation) {
    QuestionPool pool = NumberedPool(2);
    pool.Advance(1);
    pool.Clear();
    EXPECT_TRUE(pool.Empty());
    EXPECT_EQ(pool.Current(), nullptr);
    pool.Advance(5);
    pool.RemoveCurrent();
    pool.MoveToFirst();
    EXPECT_EQ(pool.Size(), 0u);
    pool.Append(Question{nullptr, "neu", "", ""});
    EXPECT_EQ(CurrentText(pool), "neu") << "a cleared pool starts on its first question";
}

TEST(VocDatabase, QuestionsKeepTheirRecordWhileTheListsGrow) {
    VocDatabase database;
    VocEntry& first = database.vocabulary.emplace_back();
    first.SetText(LanguageGerman, "Haus");
    first.SetText(LanguageFrench, "maison");
    database.pool.Append(Question::FromEntry(first, LanguageGerman, LanguageFrench));
    for (int i = 0; i < 10'000; ++i) {
        database.vocabulary.emplace_back().SetText(LanguageGerman, "Wort");
    }
    const Question* question = database.pool.Current();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->entry, &database.vocabulary.front());
    EXPECT_EQ(question->entry->Text(LanguageFrench), "maison");
    EXPECT_EQ(question->questionText, "Haus");
    EXPECT_EQ(question->answerText, "maison");
    EXPECT_TRUE(database.needsLoading);
    EXPECT_FALSE(database.gameStarted);
}

TEST(ChoiceRound, ResetKeepsTheNumberOfChoicesInRange) {
    const std::vector<std::pair<std::size_t, std::size_t>> cases = {
        {0, 2}, {1, 2}, {2, 2}, {4, 4}, {5, 5}, {6, 5}, {1000, 5}};
    for (const auto& [asked, given] : cases) {
        ChoiceRound round;
        round.texts[0] = "alt";
        round.correctChoice = 1;
        round.Reset(asked);
        EXPECT_EQ(round.MultiNumber(), given) << asked;
        EXPECT_EQ(round.texts, std::vector<std::string>(given)) << asked;
        EXPECT_EQ(round.correctChoice, 0u);
    }
}

} // namespace
} // namespace lingomat
