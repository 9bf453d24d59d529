#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace lingomat {

// The lines of a data set or a source text in one buffer: a large data set has millions of
// short lines, and a string of its own for each cost several times the file.
class TextLines {
public:
    TextLines() = default;
    TextLines(std::initializer_list<std::string_view> lines);
    explicit TextLines(const std::vector<std::string>& lines);

    std::size_t size() const { return ends.size(); }
    bool empty() const { return ends.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : ends[i - 1];
        return std::string_view(bytes).substr(begin, ends[i] - begin);
    }

    void push_back(std::string_view line);
    // Starts a line that AppendToLast then extends, so that a line is built without a copy.
    void StartLine() { ends.push_back(ends.empty() ? 0 : ends.back()); }
    void AppendToLast(std::string_view piece);
    void Reserve(std::size_t lineCount, std::size_t byteCount);
    void clear();

    class const_iterator {
    public:
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        const_iterator() = default;
        const_iterator(const TextLines* lines, std::size_t index) : lines(lines), index(index) {}
        std::string_view operator*() const { return (*lines)[index]; }
        const_iterator& operator++() {
            ++index;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++index;
            return before;
        }
        bool operator==(const const_iterator& other) const { return index == other.index; }

    private:
        const TextLines* lines = nullptr;
        std::size_t index = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    bool operator==(const TextLines& other) const = default;

private:
    void Grow(std::size_t added);

    std::string bytes;
    // End of each line in bytes; 32 bits halve what the ends of a large data set cost.
    std::vector<std::uint32_t> ends;
};

bool operator==(const TextLines& lines, const std::vector<std::string>& other);

} // namespace lingomat
