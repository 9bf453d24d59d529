// Error files are plain text that players keep, pass on and edit. Opening any of them must give
// a sound game or be refused, and saving that game's records must give a file that opens to the
// same game.

#include "FuzzSupport.h"

namespace lingomat::fuzz {

struct Opened {
    Language questionLanguage;
    Language answerLanguage;
    std::vector<std::vector<std::string>> records;
};

Opened Open(CLingomatDoc& doc, const std::string& path, std::size_t fileSize) {
    // A file without a question is refused and leaves the document as it was.
    if (!doc.OnOpenDocument(path)) {
        FUZZ_CHECK(doc.errorFileEntries.empty() && !doc.IsModified());
        return Opened{doc.questionLanguage, doc.answerLanguage, {}};
    }
    FUZZ_CHECK(doc.gameStarted && doc.Mode() == GameModeWrite && doc.IsModified());
    FUZZ_CHECK(doc.questionLanguage <= LanguageFrench && doc.answerLanguage <= LanguageFrench);
    FUZZ_CHECK(doc.pool.Size() == doc.errorFileEntries.size());
    FUZZ_CHECK(doc.errorFileEntries.size() <= fileSize);
    FUZZ_CHECK(doc.pool.Empty() || doc.pool.Current() != nullptr);

    Opened opened{doc.questionLanguage, doc.answerLanguage, {}};
    for (const VocEntry& entry : doc.errorFileEntries) {
        FUZZ_CHECK(entry.Lesson() == "Errorfile" &&
                   entry.wordClass == VocEntry::WordClassAdjective);
        FUZZ_CHECK(!entry.Text(LanguageGerman).empty());
        std::vector<std::string> texts;
        for (Language column = 0; column < 3; ++column) {
            const std::string text = entry.Text(column);
            FUZZ_CHECK(text.find('\n') == std::string::npos && text.size() <= fileSize);
            texts.push_back(text);
        }
        opened.records.push_back(std::move(texts));
    }
    for (const Question& question : doc.pool.Questions()) {
        FUZZ_CHECK(question.entry != nullptr);
        FUZZ_CHECK(question.questionText == question.entry->Text(doc.questionLanguage));
        FUZZ_CHECK(question.answerText == question.entry->Text(doc.answerLanguage));
    }
    return opened;
}

LINGOMAT_FUZZ_TARGET(input) {
    const std::string content = input.Rest();
    auto first = std::make_unique<FuzzDocument>();
    const Opened opened =
        Open(first->doc, ScratchFolder::Write("fuzz.lef", content), content.size());

    // The records of the opened game, all answered wrongly, saved as a new error file.
    auto second = std::make_unique<FuzzDocument>();
    CLingomatDoc& saver = second->doc;
    saver.questionLanguage = opened.questionLanguage;
    saver.answerLanguage = opened.answerLanguage;
    for (const auto& texts : opened.records) {
        VocEntry& entry = saver.vocabulary.emplace_back();
        for (Language column = 0; column < 3; ++column) {
            entry.SetText(column, texts[column]);
        }
        entry.errorCount = 1;
    }
    const std::string copy = ScratchFolder::File("copy.lef");
    FUZZ_CHECK(saver.OnSaveDocument(copy));

    auto third = std::make_unique<FuzzDocument>();
    const Opened reopened = Open(third->doc, copy, std::filesystem::file_size(copy));
    FUZZ_CHECK(reopened.questionLanguage == opened.questionLanguage);
    FUZZ_CHECK(reopened.answerLanguage == opened.answerLanguage);
    // A carriage return inside a text is written as a blank, so the file keeps one record per
    // three lines; everything else must come back as it was.
    auto saved = opened.records;
    for (auto& texts : saved) {
        for (std::string& text : texts) {
            std::replace(text.begin(), text.end(), '\r', ' ');
        }
    }
    FUZZ_CHECK(reopened.records == saved);
}

} // namespace lingomat::fuzz
