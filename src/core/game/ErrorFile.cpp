#include "game/LingomatDoc.h"

#include <cstdio>
#include <deque>
#include <filesystem>
#include <istream>
#include <sstream>
#include <string>
#include <system_error>

#include "platform/FileSync.h"
#include "platform/SafeFiles.h"

namespace lingomat {

namespace {

// Error files are exchanged with the platform the game comes from, whose text files end their
// lines with CR LF; both endings are read.
const char* const LineEnd = "\r\n";
const char* const ErrorFileLesson = "Errorfile";

// A line break inside a text would split its record over two lines and shift every record after
// it, so it is written as a blank.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return text;
}

// The line without its CR LF or LF, cut to the length a loaded text may have. False only when
// nothing was left.
bool ReadTextLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) {
        line.clear();
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    // Every line is a text the error list shows.
    if (line.size() > VocEntry::MaxTextLength) {
        line.resize(VocEntry::MaxTextLength);
    }
    return true;
}

// The same file under any spelling of its path.
std::string FileKey(const std::string& path) {
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

bool WriteAll(std::FILE* file, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), file) == text.size();
}

// A language number as written by a save: 0, 1 or 2. Anything else would ask for a column that
// no record has.
bool ReadLanguage(std::istream& in, Language& language) {
    long long value = -1;
    if (!(in >> value) || value < LanguageGerman || value > LanguageFrench) {
        return false;
    }
    language = static_cast<Language>(value);
    return true;
}

} // namespace

bool CLingomatDoc::OnSaveDocument(const std::string& path) {
    const std::filesystem::path target(path);
    // A file this game could not read may hold what the player still needs; it is not replaced.
    if (unreadErrorFiles.count(FileKey(path)) != 0) {
        return false;
    }
    std::string text =
        std::to_string(questionLanguage) + LineEnd + std::to_string(answerLanguage) + LineEnd;
    // Mistakes made in a game from an error file count on that file's records, so they are
    // written after the data set's own.
    for (const auto* records : {&vocabulary, &errorFileEntries}) {
        for (const VocEntry& entry : *records) {
            // An empty German line ends the list when the file is read, which would lose every
            // record after this one; such a record cannot be played from a file anyway.
            if (entry.errorCount == 0 || entry.Text(LanguageGerman).empty()) {
                continue;
            }
            for (Language column : {LanguageGerman, LanguageEnglish, LanguageFrench}) {
                text += OneLine(entry.Text(column));
                text += LineEnd;
            }
        }
    }
    std::filesystem::path temporary;
    std::FILE* file = CreateTemporaryBeside(target, temporary);
    if (file == nullptr) {
        return false;
    }
    const bool written = WriteAll(file, text) && SyncFile(file);
    if (std::fclose(file) != 0 || !written) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    // The new file is in place either way; syncing the folder only makes the rename outlast a
    // power cut.
    SyncPath(target.parent_path());
    RemoveStaleTemporaries(target);
    return true;
}

bool CLingomatDoc::OnOpenDocument(const std::string& path) {
    // Read first: a file with no question (not an error file, say) leaves the running game.
    std::string content;
    const bool readable = ReadRegularFile(path, ErrorFileLimit, content);
    std::istringstream in(std::move(content));
    Language question = questionLanguage;
    Language answer = answerLanguage;
    std::deque<VocEntry> records;
    const bool parsed = readable && ReadLanguage(in, question) && ReadLanguage(in, answer);
    if (!parsed) {
        unreadErrorFiles.insert(FileKey(path));
    }
    if (parsed) {
        std::string rest;
        ReadTextLine(in, rest);
        std::string german;
        while (ReadTextLine(in, german) && !german.empty()) {
            // A record cut short by the end of the file keeps the lines it has.
            std::string english;
            std::string french;
            ReadTextLine(in, english);
            const bool whole = ReadTextLine(in, french);
            VocEntry& entry = records.emplace_back();
            entry.SetText(LanguageGerman, std::move(german));
            entry.SetText(LanguageEnglish, std::move(english));
            entry.SetText(LanguageFrench, std::move(french));
            entry.SetLesson(ErrorFileLesson);
            entry.wordClass = VocEntry::WordClassAdjective;
            if (!whole) {
                break;
            }
            german.clear();
        }
    }
    if (records.empty()) {
        return false;
    }

    ClearErrorCounts();
    SetTitle("Neues Spiel");
    ResetGame();
    // The pool and the last verdict's record are gone with the reset, so nothing refers to the
    // old entries any more.
    pool.Clear();
    errorFileEntries = std::move(records);
    gameStarted = true;
    questionLanguage = question;
    answerLanguage = answer;
    for (VocEntry& entry : errorFileEntries) {
        pool.Append(Question::FromEntry(entry, questionLanguage, answerLanguage));
    }
    SetTitle("Fehlerdatei");
    pool.MoveToFirst();
    NextQuestion();
    SetModifiedFlag(true);
    return true;
}

} // namespace lingomat
