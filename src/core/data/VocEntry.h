#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/GameTypes.h"

namespace lingomat {

// One record of a data set: a word or phrase per language column, the lessons it belongs to,
// and what the running game has learnt about it.
class VocEntry {
public:
    static constexpr std::uint32_t WordClassNone = 0;
    static constexpr std::uint32_t WordClassNoun = 1;
    static constexpr std::uint32_t WordClassVerb = 2;
    static constexpr std::uint32_t WordClassAdjective = 3;
    // Texts are cut to this length when loaded: every list shows them, and no word or phrase
    // comes near it, while a damaged file's megabyte line would stall each list that shows it.
    static constexpr std::size_t MaxTextLength = 1000;

    // Every record the program loads has three columns, so that is where a new record starts.
    VocEntry() { SetColumnCount(3); }

    // Replaces every column by an empty text.
    void SetColumnCount(std::uint32_t count);
    std::uint32_t ColumnCount() const { return columnCount; }

    // Texts are kept as stored, accent escapes undecoded. A column outside the record is
    // ignored when set and reads as "".
    void SetText(Language language, std::string text);
    std::string Text(Language language) const;
    // The column's blanks capped at 2: 0 one word, 1 two words, 2 three or more.
    std::uint32_t BlankCount(Language language) const;

    void SetLesson(std::string line) { lesson = std::move(line); }
    const std::string& Lesson() const { return lesson; }
    // A record belongs to every lesson whose code occurs anywhere in its lesson line, so a
    // code that is part of another code takes in the records of both.
    bool InLesson(const std::string& code) const { return lesson.find(code) != std::string::npos; }

    // The word-class line of a data set: "n", "v" or "a"; anything else means none.
    void SetWordClass(const std::string& line);

    std::uint32_t errorCount = 0;
    std::uint32_t wordClass = WordClassNone;

private:
    struct Column {
        std::string text;
        std::uint32_t blankCount = 0;
    };
    const Column* Find(Language language) const;
    Column* Find(Language language);

    // Every data set has three columns: they live inside the record, so loading a large data
    // set costs no allocation per record for them. Further columns would go to the vector.
    static constexpr std::uint32_t InlineColumns = 3;
    std::uint32_t columnCount = 0;
    std::array<Column, InlineColumns> inlineColumns;
    std::vector<Column> moreColumns;
    std::string lesson;
};

} // namespace lingomat
