#include "game/LingomatDoc.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <istream>
#include <string>
#include <system_error>

#include "platform/FileSync.h"

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

// The whole line, however long, without its CR LF or LF. False only when nothing was left.
bool ReadTextLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) {
        line.clear();
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
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
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    {
        // Binary, so that the line ends are the same bytes on every platform.
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out << questionLanguage << LineEnd << answerLanguage << LineEnd;
        // Mistakes made in a game from an error file count on that file's records, so they are
        // written after the data set's own.
        for (const auto* records : {&vocabulary, &errorFileEntries}) {
            for (const VocEntry& entry : *records) {
                // An empty German line ends the list when the file is read, which would lose
                // every record after this one; such a record cannot be played from a file anyway.
                if (entry.errorCount == 0 || entry.Text(LanguageGerman).empty()) {
                    continue;
                }
                for (Language column : {LanguageGerman, LanguageEnglish, LanguageFrench}) {
                    out << OneLine(entry.Text(column)) << LineEnd;
                }
            }
        }
        out.flush();
        out.close();
        // A stream cannot sync its file, so the closed file is synced by its name before it
        // replaces the old one.
        if (out.fail() || !SyncPath(temporary)) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
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
    return true;
}

bool CLingomatDoc::OnOpenDocument(const std::string& path) {
    // Read first: a file with no question (not an error file, say) leaves the running game.
    std::ifstream in(path, std::ios::binary);
    Language question = questionLanguage;
    Language answer = answerLanguage;
    std::deque<VocEntry> records;
    if (in && ReadLanguage(in, question) && ReadLanguage(in, answer)) {
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
