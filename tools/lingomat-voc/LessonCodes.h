#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "DataSetLayout.h"

namespace lingomat {

// Finds which of many lesson codes a text contains, in time linear in the text plus the codes
// found (an Aho-Corasick automaton). Testing every code against every lesson line took minutes
// on a data set of 100,000 lessons.
class CodeMatcher {
public:
    explicit CodeMatcher(const std::vector<std::string>& codes);

    // The indices of the codes contained in text, each once, ascending. An empty code is
    // contained in every text, as for the game's substring test.
    std::vector<std::size_t> Contained(std::string_view text) const;

private:
    struct Node {
        std::int32_t fail = 0;
        std::int32_t output = -1;    // nearest node on the fail chain that ends a code, or -1
        std::int32_t firstCode = -1; // a code that ends here, the others through nextCode
    };
    std::int32_t Next(std::int32_t node, unsigned char byte) const;

    // Small nodes and the codes of a node as a chain: a list per node cost more than the codes.
    std::vector<Node> nodes;
    std::vector<std::int32_t> nextCode;
    std::unordered_map<std::uint64_t, std::int32_t> edges; // node << 8 | byte
    std::vector<std::size_t> emptyCodes;
};

// Which records belong to which lesson, by the game's rule: a record is in every lesson whose
// code occurs in its lesson line.
class LessonMembership {
public:
    explicit LessonMembership(const DataSetLayout& layout);

    // Ascending.
    std::span<const std::uint32_t> LessonsOf(std::size_t record) const {
        return Part(recordLessons, recordStarts, record);
    }
    std::span<const std::uint32_t> RecordsOf(std::size_t lesson) const {
        return Part(lessonRecords, lessonStarts, lesson);
    }

private:
    static std::span<const std::uint32_t> Part(const std::vector<std::uint32_t>& all,
                                               const std::vector<std::size_t>& starts,
                                               std::size_t i) {
        return std::span<const std::uint32_t>(all).subspan(starts[i], starts[i + 1] - starts[i]);
    }

    // Each list in one array with where every part starts: a vector per record cost more than
    // the record's texts.
    std::vector<std::uint32_t> recordLessons;
    std::vector<std::size_t> recordStarts;
    std::vector<std::uint32_t> lessonRecords;
    std::vector<std::size_t> lessonStarts;
};

} // namespace lingomat
