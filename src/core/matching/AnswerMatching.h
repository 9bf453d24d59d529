#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "data/GameTypes.h"

namespace lingomat {

// Small text operations; all Windows-1252, all case-sensitive byte comparisons.

// Every run of blanks becomes one blank, then leading and trailing blanks go. Only 0x20 counts.
std::string SquashBlanks(std::string text);

// Replaces every occurrence of pattern. A replacement shorter than the pattern is searched for
// again from the left, so "((m)m)" loses both markers; a replacement that is not shorter is
// applied in one left-to-right pass, so one that contains the pattern cannot loop. An empty
// pattern leaves the text as it is.
std::string ReplaceAll(std::string text, const std::string& pattern,
                       const std::string& replacement);

std::string StripPrefix(std::string text, const std::string& prefix);

// Removes the leading lowercase article(s) of German, English, French or Spanish ("der ", "l'",
// "to ", ...). The row of candidates is chosen by the first character of the text as passed in.
std::string StripArticle(std::string text);

// Capitals with acute or grave accent become plain (É -> E); players rarely can type them.
std::string PlainCapitals(std::string text);

// A to Z and Ä, Ö, Ü lowered; every other character stays.
std::string LowerCase(std::string text);

// Accented small letters become plain; the escape signs " \ ^ are dropped and the digit 3 becomes
// "ss", so a typed escape compares equal to the letter it stands for.
std::string FoldAccents(std::string text);

// Expanding an expected answer into the forms it accepts. Each step works on the list that the
// steps before it left.
using FormList = std::vector<std::string>;

// A hostile text with many parenthesised parts would double the list for each part. Expansion
// stops adding forms once either limit is reached; real data stays far below both.
inline constexpr std::size_t MaxForms = 4096;
inline constexpr std::size_t MaxFormBytes = std::size_t{1} << 20;

// The forms of a several-answer text ("/form /form"), each closed form squashed and the last one
// as written; forms that are empty or only blanks are left out, so a stray slash never makes an
// empty answer right. Any other text is its own single form.
FormList SplitForms(const std::string& text);
// For each form with ß, a copy with "ss" instead.
void AddSharpSForms(FormList& forms);
// Each "(optional part)" is accepted both left out and kept without its parentheses. A closing
// parenthesis without an opening one before it, and an opening one that is never closed, are
// ordinary characters.
void AddParenthesisForms(FormList& forms);
// For each form that starts with an article, the form without it (when articles may be left out).
void AddArticleForms(FormList& forms);
// Blanks and hyphens, capitals and accents, as far as the options tolerate them.
std::string NormaliseAnswer(std::string text, const CorrectionOptions& options);
// Everything above: the normalised forms that an expected answer (in display form) accepts.
FormList AcceptedForms(const std::string& expected, const CorrectionOptions& options);

// Whether the typed answer is one of the forms of the expected answer. The typed answer itself is
// neither split nor stripped of an article: the player may leave out an article, not add one.
bool AnswerMatches(std::string typed, const std::string& expected,
                   const CorrectionOptions& options);

// Whether some form of one text equals some form of the other; symmetric in its texts.
bool TextsMatch(const std::string& first, const std::string& second,
                const CorrectionOptions& options);

} // namespace lingomat
