#pragma once

#include <cstddef>
#include <string>

#include "platform/Random.h"

namespace lingomat {

// A text that starts with a slash holds several accepted answers: "/form /form /form". Forms are
// numbered from 0 by their place between the slashes; a place that holds nothing but blanks
// (from a doubled or trailing slash) is never shown.

// 1 for a text without a leading slash, else 1 plus the number of further slashes.
std::size_t FormCount(const std::string& text);

// The forms joined by ", ", form k first; for k beyond the last form, in stored order.
std::string DisplayForm(const std::string& text, std::size_t k);

// The forms joined by « ", " », for a verdict that puts the whole text in double quotes.
std::string QuotedForms(const std::string& text);

// Form k as stored, the blank before the next slash included; a random form when k is outside
// the forms. An empty place gives way to the next form that has text.
std::string FormAt(const std::string& text, long long k, Random& random);

// Deletes every "(optional part)"; an opening parenthesis that is never closed deletes the rest.
std::string RemoveParentheses(std::string text);

// Deletes every "(m)" and "(f)".
std::string RemoveGenderMarkers(std::string text);

std::string DropLeadingSlash(std::string text);

} // namespace lingomat
