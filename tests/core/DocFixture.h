#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DataSets.h"
#include "DocProbe.h"
#include "ScriptedHost.h"
#include "game/LingomatDoc.h"
#include "matching/AnswerForms.h"
#include "matching/AnswerMatching.h"
#include "platform/ProfileStore.h"

namespace lingomat::testing {

inline const std::vector<TestLesson> Lessons = {
    {"Tiere", "1"}, {"Farben", "2"}, {"Haus", "12"}, {"Verben", "3"}, {"Leer", "9"}};

// The house record belongs to "1", "2" and "12": codes are found anywhere in the lesson line.
inline const std::vector<TestRecord> Records = {
    {"1", "le chien", "the dog", "der Hund"},
    {"1", "le chat", "the cat", "die Katze"},
    {"1", "l'oiseau", "the bird", "der Vogel"},
    {"2", "rouge", "red", "rot"},
    {"2", "bleu", "blue", "blau"},
    {"12", "la maison", "/the house /the home", "das Haus"},
    {"3", "aller", "to go", "/gehen /laufen"},
    {"3", "la rue", "the street", "die Stra\\3e"},
};

// A document over a small data set in a fresh folder, with settings in memory and a clock that
// moves only when told.
class DocTest : public ::testing::Test {
protected:
    void SetUp() override { WriteDataSet(folder.File("lingomat.voc"), Lessons, Records); }

    CLingomatDoc& Start() {
        doc = std::make_unique<CLingomatDoc>(host, profile, clock, folder.File(""));
        // A failed start-up would end the program right after the player dialog.
        EXPECT_TRUE(doc->OnNewDocument());
        return *doc;
    }

    // A new game of the given lessons, as the new-game command sets it up.
    void Play(std::vector<std::string> codes, GameMode mode = GameModeWrite,
              Language question = LanguageGerman, Language answer = LanguageEnglish) {
        doc->OnNewDocument();
        doc->ChooseGame(mode, doc->questionLanguage, doc->answerLanguage);
        doc->questionLanguage = question;
        doc->answerLanguage = answer;
        for (auto& lesson : doc->lessonTable.lessons) {
            for (const auto& code : codes) {
                lesson.selected = lesson.selected || lesson.code == code;
            }
        }
        doc->lessonTable.selectedLessonCount = static_cast<std::int32_t>(codes.size());
        doc->StartGame();
        doc->StartClock();
    }

    const Question& Current() const { return *doc->pool.Current(); }

    // What a player who knows every word types: the first form of the answer.
    std::string RightAnswer() const {
        Random unused;
        return SquashBlanks(FormAt(Current().answerText, 0, unused));
    }

    bool Type(const std::string& text) {
        doc->TypeAnswer(text);
        return doc->CheckTypedAnswer();
    }

    // Right or wrong, typed or picked as the game on screen asks for it.
    bool Answer(bool right) {
        if (doc->ModeTraits().choice) {
            return doc->CheckChoice(right ? doc->Round().correctChoice : WrongChoice());
        }
        return Type(right ? RightAnswer() : "falsch");
    }

    // The first filled choice that is not the right one.
    std::uint32_t WrongChoice() const {
        const auto& texts = doc->Round().texts;
        for (std::uint32_t i = 0; i < texts.size(); ++i) {
            if (i != doc->Round().correctChoice && !texts[i].empty()) {
                return i;
            }
        }
        ADD_FAILURE() << "no wrong choice to pick";
        return 0;
    }

    std::vector<std::string> PoolAnswers() const {
        std::vector<std::string> answers;
        for (const Question& q : doc->pool.Questions()) {
            answers.push_back(q.answerText);
        }
        return answers;
    }

    TempFolder folder;
    MemoryProfileStore profile;
    FixedClock clock{1700000000};
    ScriptedHost host;
    std::unique_ptr<CLingomatDoc> doc;
};

} // namespace lingomat::testing
