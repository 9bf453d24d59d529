#include "LessonCodes.h"

#include <algorithm>
#include <deque>

namespace lingomat {

CodeMatcher::CodeMatcher(const std::vector<std::string>& codes)
    : nodes(1), nextCode(codes.size(), -1) {
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (codes[i].empty()) {
            emptyCodes.push_back(i);
            continue;
        }
        std::int32_t node = 0;
        for (const char c : codes[i]) {
            const auto key =
                (static_cast<std::uint64_t>(node) << 8) | static_cast<unsigned char>(c);
            const auto [edge, added] = edges.emplace(key, static_cast<std::int32_t>(nodes.size()));
            if (added) {
                nodes.emplace_back();
            }
            node = edge->second;
        }
        Node& end = nodes[static_cast<std::size_t>(node)];
        nextCode[i] = end.firstCode;
        end.firstCode = static_cast<std::int32_t>(i);
    }
    // The children of every node in one array, where each node's part starts.
    std::vector<std::size_t> childStart(nodes.size() + 1, 0);
    for (const auto& edge : edges) {
        ++childStart[static_cast<std::size_t>(edge.first >> 8) + 1];
    }
    for (std::size_t n = 0; n < nodes.size(); ++n) {
        childStart[n + 1] += childStart[n];
    }
    std::vector<std::pair<unsigned char, std::int32_t>> children(edges.size());
    {
        std::vector<std::size_t> filled(childStart.begin(), childStart.end() - 1);
        for (const auto& [key, child] : edges) {
            children[filled[static_cast<std::size_t>(key >> 8)]++] = {
                static_cast<unsigned char>(key & 0xFF), child};
        }
    }
    // Fail links breadth first: a node's fail target is shallower, so it is done already.
    std::deque<std::int32_t> queue;
    for (std::size_t c = childStart[0]; c < childStart[1]; ++c) {
        queue.push_back(children[c].second);
    }
    while (!queue.empty()) {
        const std::int32_t node = queue.front();
        queue.pop_front();
        for (std::size_t c = childStart[static_cast<std::size_t>(node)];
             c < childStart[static_cast<std::size_t>(node) + 1]; ++c) {
            const auto [byte, child] = children[c];
            Node& next = nodes[static_cast<std::size_t>(child)];
            next.fail = Next(nodes[static_cast<std::size_t>(node)].fail, byte);
            const Node& fail = nodes[static_cast<std::size_t>(next.fail)];
            next.output = fail.firstCode < 0 ? fail.output : next.fail;
            queue.push_back(child);
        }
    }
}

std::int32_t CodeMatcher::Next(std::int32_t node, unsigned char byte) const {
    for (;;) {
        const auto edge = edges.find((static_cast<std::uint64_t>(node) << 8) | byte);
        if (edge != edges.end()) {
            return edge->second;
        }
        if (node == 0) {
            return 0;
        }
        node = nodes[static_cast<std::size_t>(node)].fail;
    }
}

std::vector<std::size_t> CodeMatcher::Contained(std::string_view text) const {
    std::vector<std::size_t> found = emptyCodes;
    std::int32_t node = 0;
    for (const char c : text) {
        node = Next(node, static_cast<unsigned char>(c));
        for (std::int32_t at = nodes[static_cast<std::size_t>(node)].firstCode < 0
                                   ? nodes[static_cast<std::size_t>(node)].output
                                   : node;
             at >= 0; at = nodes[static_cast<std::size_t>(at)].output) {
            for (std::int32_t code = nodes[static_cast<std::size_t>(at)].firstCode; code >= 0;
                 code = nextCode[static_cast<std::size_t>(code)]) {
                found.push_back(static_cast<std::size_t>(code));
            }
        }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

LessonMembership::LessonMembership(const DataSetLayout& layout) {
    std::vector<std::string> codes;
    codes.reserve(layout.lessons.size());
    for (const auto& lesson : layout.lessons) {
        codes.emplace_back(lesson.code.text);
    }
    const CodeMatcher matcher(codes);
    recordStarts.reserve(layout.records.size() + 1);
    recordStarts.push_back(0);
    std::vector<std::size_t> lessonSizes(layout.lessons.size(), 0);
    for (const LayoutRecord& record : layout.records) {
        for (const std::size_t lesson : matcher.Contained(record.Lesson().text)) {
            recordLessons.push_back(static_cast<std::uint32_t>(lesson));
            ++lessonSizes[lesson];
        }
        recordStarts.push_back(recordLessons.size());
    }
    recordLessons.shrink_to_fit();
    lessonStarts.assign(layout.lessons.size() + 1, 0);
    for (std::size_t l = 0; l < lessonSizes.size(); ++l) {
        lessonStarts[l + 1] = lessonStarts[l] + lessonSizes[l];
    }
    lessonRecords.resize(recordLessons.size());
    std::vector<std::size_t> filled(lessonStarts.begin(), lessonStarts.end() - 1);
    for (std::size_t r = 0; r < layout.records.size(); ++r) {
        for (const std::uint32_t lesson : LessonsOf(r)) {
            lessonRecords[filled[lesson]++] = static_cast<std::uint32_t>(r);
        }
    }
}

} // namespace lingomat
