#include "TextLines.h"

#include <limits>
#include <stdexcept>

namespace lingomat {

TextLines::TextLines(std::initializer_list<std::string_view> lines) {
    for (const std::string_view line : lines) {
        push_back(line);
    }
}

TextLines::TextLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        push_back(line);
    }
}

void TextLines::Grow(std::size_t added) {
    // The ends are 32 bits; a text beyond them must fail, not wrap around.
    if (added > std::numeric_limits<std::uint32_t>::max() - bytes.size()) {
        throw std::length_error("Text mit mehr als 4 GB");
    }
}

void TextLines::push_back(std::string_view line) {
    Grow(line.size());
    bytes.append(line);
    ends.push_back(static_cast<std::uint32_t>(bytes.size()));
}

void TextLines::AppendToLast(std::string_view piece) {
    Grow(piece.size());
    bytes.append(piece);
    ends.back() = static_cast<std::uint32_t>(bytes.size());
}

void TextLines::Reserve(std::size_t lineCount, std::size_t byteCount) {
    ends.reserve(lineCount);
    bytes.reserve(byteCount);
}

void TextLines::clear() {
    bytes.clear();
    ends.clear();
}

bool operator==(const TextLines& lines, const std::vector<std::string>& other) {
    if (lines.size() != other.size()) {
        return false;
    }
    for (std::size_t i = 0; i < other.size(); ++i) {
        if (lines[i] != other[i]) {
            return false;
        }
    }
    return true;
}

} // namespace lingomat
