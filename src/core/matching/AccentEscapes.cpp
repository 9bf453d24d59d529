#include "matching/AccentEscapes.h"

#include <array>
#include <string_view>

namespace lingomat {

namespace {

struct EscapeRule {
    std::string_view pattern;
    char letter;
};

// The order matters where a short form is the tail of a long one: \"a must become ä before "a
// gets a chance to turn it into a backslash followed by ä.
constexpr std::array<EscapeRule, 39> escapeRules{{
    {"\\'a", '\xE1'}, {"\\`a", '\xE0'},  {"\\^a", '\xE2'}, {"\\\"a", '\xE4'}, {"\"a", '\xE4'},
    {"^a", '\xE2'},   {"\"A", '\xC4'},   {"\\'e", '\xE9'}, {"\\`e", '\xE8'},  {"\\^e", '\xEA'},
    {"^e", '\xEA'},   {"\\\"e", '\xEB'}, {"\"e", '\xEB'},  {"\\'i", '\xED'},  {"\\`i", '\xEC'},
    {"\\^i", '\xEE'}, {"\\\"i", '\xEF'}, {"^i", '\xEE'},   {"\"i", '\xEF'},   {"~n", '\xF1'},
    {"~N", '\xD1'},   {"\\'o", '\xF3'},  {"\\`o", '\xF2'}, {"\\^o", '\xF4'},  {"\\\"o", '\xF6'},
    {"\"o", '\xF6'},  {"^o", '\xF4'},    {"\"O", '\xD6'},  {"\\'u", '\xFA'},  {"\\`u", '\xF9'},
    {"\\^u", '\xFB'}, {"\\\"u", '\xFC'}, {"\"u", '\xFC'},  {"^u", '\xFB'},    {"\"U", '\xDC'},
    {"\\cc", '\xE7'}, {"$", '\xE7'},     {"\\3", '\xDF'},  {"\\ss", '\xDF'},
}};

// One left-to-right pass replaces every occurrence: the letter is never ASCII, so it can neither
// be part of a new occurrence nor join its neighbours into one.
void ApplyRule(std::string& text, const EscapeRule& rule) {
    std::size_t found = text.find(rule.pattern);
    if (found == std::string::npos) {
        return;
    }
    std::size_t write = found;
    std::size_t read = found;
    while (read < text.size()) {
        if (text.compare(read, rule.pattern.size(), rule.pattern) == 0) {
            text[write++] = rule.letter;
            read += rule.pattern.size();
        } else {
            text[write++] = text[read++];
        }
    }
    text.resize(write);
}

} // namespace

std::string DecodeAccents(std::string text) {
    // Every escape starts with one of these; most texts hold none and are returned at once.
    if (text.find_first_of("\\\"^~$") == std::string::npos) {
        return text;
    }
    for (const EscapeRule& rule : escapeRules) {
        ApplyRule(text, rule);
    }
    return text;
}

} // namespace lingomat
