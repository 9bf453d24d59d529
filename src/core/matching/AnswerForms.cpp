#include "matching/AnswerForms.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "matching/AnswerMatching.h"

namespace lingomat {

namespace {

bool HoldsSeveral(std::string_view text) {
    return !text.empty() && text.front() == '/';
}

bool IsBlankOnly(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

// The places between the slashes of a several-answer text, exactly as stored.
std::vector<std::string_view> Places(std::string_view text) {
    std::vector<std::string_view> places;
    std::size_t start = 1;
    for (std::size_t slash = text.find('/', start); slash != std::string_view::npos;
         slash = text.find('/', start)) {
        places.push_back(text.substr(start, slash - start));
        start = slash + 1;
    }
    places.push_back(text.substr(start));
    return places;
}

struct ShownForm {
    std::size_t place;
    std::string_view text;
};

// The forms as shown: without the blank that separates a form from the next slash, and without
// places that hold nothing to show.
std::vector<ShownForm> ShownForms(std::string_view text) {
    const std::vector<std::string_view> places = Places(text);
    std::vector<ShownForm> shown;
    for (std::size_t i = 0; i < places.size(); ++i) {
        std::string_view form = places[i];
        if (i + 1 < places.size() && form.ends_with(' ')) {
            form.remove_suffix(1);
        }
        if (!IsBlankOnly(form)) {
            shown.push_back({i, form});
        }
    }
    return shown;
}

std::string Join(const std::vector<ShownForm>& forms, std::string_view separator) {
    std::string joined;
    for (const ShownForm& form : forms) {
        if (!joined.empty()) {
            joined += separator;
        }
        joined += form.text;
    }
    return joined;
}

} // namespace

std::size_t FormCount(const std::string& text) {
    if (!HoldsSeveral(text)) {
        return 1;
    }
    return 1 + static_cast<std::size_t>(std::count(text.begin() + 1, text.end(), '/'));
}

std::string DisplayForm(const std::string& text, std::size_t k) {
    if (!HoldsSeveral(text)) {
        return text;
    }
    std::vector<ShownForm> forms = ShownForms(text);
    const auto asked = std::find_if(forms.begin(), forms.end(),
                                    [k](const ShownForm& form) { return form.place == k; });
    if (asked != forms.end()) {
        std::rotate(forms.begin(), asked, asked + 1);
    }
    return Join(forms, ", ");
}

std::string QuotedForms(const std::string& text) {
    if (!HoldsSeveral(text)) {
        return text;
    }
    return Join(ShownForms(text), " \", \" ");
}

std::string FormAt(const std::string& text, long long k, Random& random) {
    if (!HoldsSeveral(text)) {
        return text;
    }
    const std::vector<std::string_view> places = Places(text);
    const std::size_t count = places.size();
    std::size_t index = static_cast<std::size_t>(k);
    if (k < 0 || index >= count) {
        index = random.Draw(static_cast<std::uint32_t>(std::min<std::size_t>(count, UINT32_MAX)));
    }
    for (std::size_t step = 0; step < count; ++step) {
        const std::string_view place = places[(index + step) % count];
        if (!IsBlankOnly(place)) {
            return std::string(place);
        }
    }
    return std::string(places[index]);
}

std::string RemoveParentheses(std::string text) {
    // One pass: once a part is cut, nothing before it can hold another opening parenthesis.
    std::size_t write = 0;
    std::size_t read = 0;
    while (read < text.size()) {
        if (text[read] == '(') {
            const std::size_t close = text.find(')', read + 1);
            read = close == std::string::npos ? text.size() : close + 1;
        } else {
            text[write++] = text[read++];
        }
    }
    text.resize(write);
    return SquashBlanks(std::move(text));
}

std::string RemoveGenderMarkers(std::string text) {
    return SquashBlanks(ReplaceAll(ReplaceAll(std::move(text), "(m)", ""), "(f)", ""));
}

std::string DropLeadingSlash(std::string text) {
    if (HoldsSeveral(text)) {
        text.erase(0, 1);
    }
    return text;
}

} // namespace lingomat
