#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "DocFixture.h"
#include "data/DataSetLoader.h"
#include "matching/AccentEscapes.h"
#include "matching/LanguageNames.h"

namespace lingomat {
namespace {

namespace fs = std::filesystem;
using testing::DocTest;

// What a player types who reads a shown answer: each of the forms that ", " joins, once with
// its optional parts left out and once with them kept, the parentheses dropped.
std::vector<std::string> Readings(const std::string& shown, bool severalForms) {
    std::vector<std::string> forms;
    std::size_t start = 0;
    for (std::size_t comma = shown.find(", "); severalForms && comma != std::string::npos;
         comma = shown.find(", ", start)) {
        forms.push_back(shown.substr(start, comma - start));
        start = comma + 2;
    }
    forms.push_back(shown.substr(start));
    std::vector<std::string> readings;
    for (const std::string& form : forms) {
        readings.push_back(RemoveParentheses(form));
        std::string kept = form;
        std::erase_if(kept, [](char c) { return c == '(' || c == ')'; });
        readings.push_back(SquashBlanks(kept));
    }
    return readings;
}

// Under the sanitizers every tenth record: the same paths at a fraction of the time. Slow builds
// (coverage) choose their own step through LINGOMAT_VERDICT_STEP.
std::size_t RecordStep() {
#if defined(__SANITIZE_ADDRESS__)
    std::size_t step = 10;
#else
    std::size_t step = 1;
#endif
    if (const char* chosen = std::getenv("LINGOMAT_VERDICT_STEP")) {
        step = std::max<std::size_t>(1, std::strtoul(chosen, nullptr, 10));
    }
    return step;
}

std::vector<fs::path> ShippedDataSets() {
    std::vector<fs::path> sets;
    const fs::path folder = fs::path(LINGOMAT_BINARY_DIR) / "game";
    for (const auto& file : fs::directory_iterator(folder)) {
        if (file.path().extension() == ".voc") {
            sets.push_back(file.path());
        }
    }
    std::sort(sets.begin(), sets.end());
    return sets;
}

class VerdictChecker {
public:
    VerdictChecker(CLingomatDoc& doc) : doc(doc) {}

    // Every way the screen shows or offers the answer of the one question in the pool.
    void CheckQuestion() {
        const Question question = *doc.pool.Current();
        ++cases;
        const std::size_t forms = FormCount(question.answerText);
        for (std::uint32_t variant = 0; variant < forms; ++variant) {
            DocProbe::AnswerVariant(doc) = variant;
            doc.ChooseGame(GameModeCopy, doc.questionLanguage, doc.answerLanguage);
            Expect(doc.CopyTemplate(), "Abschreibvorlage");
            for (const std::string& reading : Readings(doc.ShownAnswer(), forms > 1)) {
                Expect(reading, "Einblenden");
            }
            doc.ChooseGame(GameModeView, doc.questionLanguage, doc.answerLanguage);
            for (const std::string& reading : Readings(doc.RevealedAnswer(), forms > 1)) {
                Expect(reading, "Anschauen");
            }
        }
        DocProbe::AnswerVariant(doc) = 0;
        std::vector<std::string> right = doc.OtherRightAnswers(question);
        right.push_back(DecodeAccents(question.answerText));
        for (const GameMode mode : {GameModeChoiceOtherLessons, GameModeChoiceAlteredLetters}) {
            doc.ChooseGame(mode, doc.questionLanguage, doc.answerLanguage);
            for (int attempt = 0; attempt < 100 && !doc.PrepareChoiceRound(); ++attempt) {
            }
            std::vector<std::size_t> rightChoices;
            for (std::size_t i = 0; i < doc.Round().texts.size(); ++i) {
                const std::string& text = doc.Round().texts[i];
                if (!text.empty() &&
                    std::any_of(right.begin(), right.end(), [&](const std::string& answer) {
                        return TextsMatch(text, answer, doc.Corrections());
                    })) {
                    rightChoices.push_back(i);
                }
            }
            if (rightChoices != std::vector<std::size_t>{doc.Round().correctChoice}) {
                Expect(false, "Auswahl" + std::to_string(mode),
                       ::testing::PrintToString(doc.Round().texts));
            }
        }
    }

    std::size_t cases = 0;
    std::size_t failures = 0;

private:
    void Expect(const std::string& typed, const char* where) {
        Expect(doc.IsRightAnswer(SquashBlanks(typed)), where, typed);
    }

    void Expect(bool right, const std::string& where, const std::string& what) {
        if (!right && ++failures <= 20) {
            const Question& q = *doc.pool.Current();
            const CorrectionOptions& o = doc.Corrections();
            ADD_FAILURE() << where << ": «" << what << "» for «" << q.questionText << "» -> «"
                          << q.answerText << "», direction " << doc.questionLanguage << "->"
                          << doc.answerLanguage << ", options " << o.ignoreAccents << o.ignoreCase
                          << o.ignoreSpacing << o.ignoreArticles;
        }
    }

    CLingomatDoc& doc;
};

// Every record of every shipped data set, in every direction it offers and under every
// combination of the four matching options: what the Copy template, the glimpse and the View
// game show is judged right when typed, and each multiple-choice round has one right choice.
TEST_F(DocTest, ShippedDataSetsWhatTheScreenShowsIsRightAndEveryRoundHasOneRightChoice) {
    const auto dataSets = ShippedDataSets();
    ASSERT_FALSE(dataSets.empty()) << "no packed data set in the build's game folder";
    std::size_t cases = 0;
    const std::size_t step = RecordStep();
    for (const fs::path& file : dataSets) {
        CLingomatDoc doc(host, profile, clock, folder.File(""));
        LoadDataSet(doc, file.string(), nullptr);
        ASSERT_FALSE(doc.vocabulary.empty()) << file;
        DocProbe::DataSetName(doc) = file.filename().string();
        doc.SeedRandom(7);
        WithoutPause(doc);
        doc.gameStarted = true;
        doc.SetCopyModeSettings({.copyMode = 3, .percentShown = 100, .templateVisible = true});
        WithViewSettings(doc, [&](ViewModeSettings& s) {
            s.letterByLetter = false;
            s.wordShown = true;
        });
        doc.SetChoiceCount(4);
        // The width of the search decides which wrong answers come, not whether they are
        // admitted; a narrow one keeps a few hundred thousand rounds quick.
        DocProbe::DistractorSearchLimit(doc) = 1;
        const bool spanish = IsSpanishDataSet(doc.DataSetName());
        std::vector<std::pair<Language, Language>> directions = {{0, 1}, {1, 0}};
        if (!spanish) {
            directions.insert(directions.end(), {{0, 2}, {1, 2}, {2, 0}, {2, 1}});
        }
        VerdictChecker checker(doc);
        for (unsigned mask = 0; mask < 16; ++mask) {
            doc.SetCorrectionOptions({.ignoreAccents = (mask & 1) != 0,
                                      .ignoreCase = (mask & 2) != 0,
                                      .ignoreSpacing = (mask & 4) != 0,
                                      .ignoreArticles = (mask & 8) != 0});
            for (const auto& [question, answer] : directions) {
                doc.questionLanguage = question;
                doc.answerLanguage = answer;
                for (std::size_t r = 0; r < doc.vocabulary.size(); r += step) {
                    VocEntry& record = doc.vocabulary[r];
                    if (!IsAskable(record.Text(question))) {
                        continue;
                    }
                    Question asked = Question::FromEntry(record, question, answer);
                    asked.questionText = DecodeAccents(asked.questionText);
                    asked.answerText = DecodeAccents(asked.answerText);
                    doc.pool.Clear();
                    doc.pool.Append(asked);
                    checker.CheckQuestion();
                }
            }
        }
        cases += checker.cases;
        EXPECT_EQ(checker.failures, 0u) << file;
    }
    RecordProperty("cases", std::to_string(cases));
    EXPECT_GE(cases, 100000u / step);
}

} // namespace
} // namespace lingomat
