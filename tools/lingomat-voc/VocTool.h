#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "TextLines.h"

namespace lingomat {

// Exit codes of the tool.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailure = 1;
inline constexpr int ExitUsage = 2;

// Runs lingomat-voc with the arguments after the program name; returns the exit code.
// Results go to out, messages to err; both UTF-8.
int RunVocTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The decoded lines of a data set file, one per stored line, exactly as the game's reader
// hands them out. A file that ends without a terminator after its last line still gives
// that line.
TextLines ReadVocLines(const std::string& path);

// Whether a file holds a source text rather than a packed data set: by its first bytes when
// they are telling, then by its extension, then by whether it is valid UTF-8.
bool LooksLikeSourceText(const std::string& path, const std::string& firstBytes, bool validUtf8);

} // namespace lingomat
