#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "data/GameTypes.h"
#include "data/VocDatabase.h"
#include "game/ModeSettings.h"
#include "game/SameQuestion.h"
#include "platform/Clock.h"
#include "platform/DocumentHost.h"
#include "platform/ProfileStore.h"
#include "platform/Random.h"
#include "players/CardBox.h"
#include "players/PlayerStatistics.h"

namespace lingomat {

// The settings section of a player. Players named like the program's own section (or like
// the escaped names) are kept apart from it by a leading "~".
std::string PlayerSettingsSection(const std::string& playerName);

// The "*.voc" files of a folder as the player dialog lists them: letter case ignored first.
std::vector<std::string> DataSetsIn(const std::filesystem::path& folder);

// The game clock: whole seconds of the system clock.
struct GameClock {
    std::int64_t start = 0;
    std::int64_t current = 0;
    bool running = false;
};

// The whole game without a screen: the loaded vocabulary, the running game, the player's
// settings and statistics. The window draws it and forwards input; it decides nothing itself.
class CLingomatDoc : public VocDatabase {
public:
    // Files (data set, player files, tips) are looked up in workingDirectory; empty means the
    // process's working directory. The tips are read here, once.
    CLingomatDoc(DocumentHost& host, ProfileStore& profile, const Clock& clock,
                 std::filesystem::path workingDirectory = {});
    virtual ~CLingomatDoc() = default;

    // --- start-up, reset, closing ---
    virtual bool OnNewDocument();
    virtual bool SaveModified();
    virtual void OnCloseDocument();
    // False, and the player told why, when the game would have no question; nothing starts then.
    bool StartGame();
    void ReadSettings();
    void WriteSettings();
    // Writes the settings and makes sure they reach the store; a store that cannot be written
    // is reported once per run.
    void SaveSettings();
    // "Spieler -> Ändern": the previous player's settings are saved under his name, the next
    // player plays with his own.
    void ChangePlayer();
    // Says so and returns false when no data set is loaded, so no game can be asked for.
    bool HasDataSet();

    // --- question pools ---
    std::string BuildLessonPool();
    std::int32_t CountLessonQuestions();
    bool StartAlphabeticGame(const std::string& startText, const std::string& endText,
                             Language sortLanguage);

    // --- evaluation ---
    void NextQuestion();
    bool CheckTypedAnswer();
    // The one place where a typed answer is judged: right when it is an answer of the current
    // record or of another record whose question reads the same.
    bool IsRightAnswer(const std::string& given);
    // The answers, decoded, of the other records whose question reads as this one's.
    std::vector<std::string> OtherRightAnswers(const Question& question);
    // The records by question, for the current question language and options.
    const SameQuestionIndex& SameQuestions();
    bool CheckChoice(std::uint32_t index);
    std::uint32_t FeedbackDelay() const;
    bool ContinueAfterFeedback();
    bool SkipQuestion();
    bool EndGameNow();
    void EndOfGame();
    std::string RemainingText() const;

    // --- multiple choice ---
    bool PrepareChoiceRound();
    void SetChoiceCount(std::uint32_t count);
    bool ChoiceIsTaken(const std::string& candidate);

    // --- error files ---
    virtual bool OnSaveDocument(const std::string& path);
    virtual bool OnOpenDocument(const std::string& path);

    // --- the card box: what the player knows, and when each word is due again ---
    // Reads the box of the current player and data set; a damaged or foreign file is set aside
    // and the player told.
    void LoadCardBox();
    // False (and the player told) when the box could not be written.
    bool SaveCardBox();
    // A game over every word due today in the chosen direction, across all lessons. When none is
    // due, says when the next ones are and starts nothing (false).
    bool StartDueGame();
    // Also pulls in due days that a clock set back has left too far ahead.
    Day Today();
    // Cards of the data set due today, in every direction.
    std::uint32_t DueTodayCount();
    std::string NothingDueText();
    // How many of the lesson's words stand in each box, index 0 for those never asked; a
    // language of -1 stands for any.
    std::array<std::uint32_t, CardBox::BoxCount + 1>
    LessonBoxCounts(const std::string& code, std::int32_t question, std::int32_t answer) const;

    // --- report ---
    std::string TallyText() const;
    std::string ReportText() const;
    std::string TimeReport() const;
    std::string GameDescription() const;
    // The end screen's first line: whether the game was played to its end.
    std::string EndHeadline() const;

    // --- what the screen asks of the document ---
    std::uint32_t CopyDelay(bool showNow);
    std::string CopyTemplate() const;
    std::uint32_t ViewModeStep();
    // The current answer as the glimpse shows it: decoded, several answers joined, the asked
    // form first.
    std::string ShownAnswer() const;
    std::string RevealedAnswer() const;
    void StartClock();
    bool TickClock(); // true when the shown second changed
    std::string ClockText() const;
    void Glimpse(); // the glimpse cheat: counted, answer shown until EndGlimpse
    void EndGlimpse();
    void RotateAnswerForm();
    void RemoveDuplicateQuestions();
    std::string RandomTip();
    void LoadTips();

    // --- title and modified flag (the frame is told through the host) ---
    void SetTitle(const std::string& text);
    const std::string& Title() const { return title; }
    void SetModifiedFlag(bool value);
    bool IsModified() const { return modified; }

    // --- settings: read here, changed only through these operations ---
    const CorrectionOptions& Corrections() const { return correctionOptions; }
    void SetCorrectionOptions(const CorrectionOptions& options) { correctionOptions = options; }
    const ViewModeSettings& ViewSettings() const { return viewModeSettings; }
    void SetViewModeSettings(const ViewModeSettings& settings) { viewModeSettings = settings; }
    const CopyModeSettings& CopySettings() const { return copyModeSettings; }
    void SetCopyModeSettings(const CopyModeSettings& settings) { copyModeSettings = settings; }
    const FeedbackSettings& Feedback() const { return feedback; }
    void SetFeedbackSettings(const FeedbackSettings& settings) { feedback = settings; }
    std::uint32_t ChoiceCount() const { return multiNumber; }
    bool ShowsNumbers() const { return showNumbers; }
    // The count is kept within the numbers a round can hold.
    void SetChoiceSettings(std::uint32_t count, bool numbered);
    bool DueOnly() const { return dueOnly; }
    void SetDueOnly(bool value) { dueOnly = value; }
    const std::string& DataSetName() const { return dataSetName; }
    // The game type and direction of the next game.
    void ChooseGame(GameMode mode, Language question, Language answer);
    // Replays a game: the same seed draws the same questions and choices.
    void SeedRandom(std::uint32_t seed) { random.Seed(seed); }

    // --- the running game, as the screen shows it ---
    GameMode Mode() const { return gameMode; }
    const GameModeTraits& ModeTraits() const { return TraitsOf(gameMode); }
    std::uint32_t RightCount() const { return rightCount; }
    std::uint32_t WrongCount() const { return wrongCount; }
    std::uint32_t CheatCount() const { return cheatCount; }
    bool IsGlimpsing() const { return glimpseActive; }
    bool IsVerdictShowing() const { return verdictShowing; }
    bool IsGameOver() const { return gameOver; }
    // 1 right, 0 wrong, -1 none yet.
    std::int32_t LastVerdict() const { return lastVerdict; }
    const std::string& VerdictText() const { return verdictText; }
    const std::string& PlayedTitle() const { return playedTitle; }
    const VocEntry* PreviousEntry() const { return previousEntry; }
    std::uint32_t AnswerVariant() const { return answerVariant; }
    const ChoiceRound& Round() const { return choiceRound; }
    const GameClock& Timer() const { return gameClock; }
    const std::vector<std::string>& Tips() const { return tipList; }

    // --- the typed answer and its insertion point ---
    const std::string& TypedAnswer() const { return typedAnswer; }
    std::uint32_t CursorPos() const { return cursorPos; }
    // At the insertion point, which moves on behind it.
    void TypeCharacter(char character);
    // Backspace and Delete: the character before or after the insertion point.
    void EraseBeforeCursor();
    void EraseAfterCursor();
    // Kept within the typed answer.
    void SetCursor(std::uint32_t position);
    // What is typed replaced as a whole, the insertion point at its end.
    void TypeAnswer(const std::string& text);

    // --- the player's statistics and card box: objects with their own operations ---
    PlayerStatistics& Statistics() { return playerStatistics; }
    const PlayerStatistics& Statistics() const { return playerStatistics; }
    CardBox& Cards() { return cardBox; }
    const CardBox& Cards() const { return cardBox; }

    std::filesystem::path WorkingPath(const std::string& fileName) const;

protected:
    DocumentHost& host;
    ProfileStore& profile;
    const Clock& clock;
    std::filesystem::path workingDirectory;

private:
    // Sets states that playing would reach only slowly.
    friend struct DocProbe;

    // --- settings ---
    CorrectionOptions correctionOptions;
    ViewModeSettings viewModeSettings;
    CopyModeSettings copyModeSettings;
    FeedbackSettings feedback;
    std::uint32_t multiNumber = 4;
    bool showNumbers = true;

    // --- game state ---
    ChoiceRound choiceRound;
    GameMode gameMode = GameModeWrite;
    std::uint32_t rightCount = 0;
    std::uint32_t wrongCount = 0;
    std::uint32_t cheatCount = 0;
    bool glimpseActive = false;
    std::string typedAnswer;
    std::string verdictText;
    std::uint32_t cursorPos = 0;
    bool verdictShowing = false;
    bool gameOver = false;
    std::int32_t lastVerdict = -1;
    std::string dataSetName;
    // The title of the game that ended last, which names an alphabetic range or an error file.
    std::string playedTitle;
    const VocEntry* previousEntry = nullptr;
    std::uint32_t answerVariant = 0;
    std::uint32_t distractorSearchLimit = 100;
    // Rounds made again in a row because two choices came out equivalent; after a few the round
    // is mended instead, so that asking for a round always ends.
    std::uint32_t choiceRemakes = 0;
    GameClock gameClock;
    std::vector<std::string> tipList;

    PlayerStatistics playerStatistics;
    CardBox cardBox;
    // Narrows lesson and alphabetic games to the words due today; kept for the whole run.
    bool dueOnly = false;
    Random random;

    void ResetGame();
    void LoadChosenDataSet();
    void TellIfNoPlayer();
    // Resets the game and tells the player when the pool is empty; where names what was chosen.
    bool RefusesEmptyGame(const std::string& where);
    void ClearErrorCounts();
    // The steps of judging an answer that typed answers and choices share.
    bool AcceptsAnswer() const;
    bool JudgeRight(); // false when the answer ended the game
    void JudgeWrong(const std::string& shownAnswer);
    void AfterWrong();
    void FinishVerdict();
    // The one place a verdict reaches the card box; a skip or a glimpse counts as wrong.
    void RecordCardVerdict(bool right);
    bool DueFilter(const VocEntry& entry, Day today) const;

    std::string title;
    bool modified = false;
    SameQuestionIndex sameQuestions;
    // Only the first verdict on a card in a game moves it up; later ones can only put it back.
    std::unordered_set<std::string> judgedCards;
    bool cardGlimpsed = false;
    // Error files that could not be read as such in this run; saving never replaces them.
    std::set<std::string> unreadErrorFiles;
    // Each told once per run.
    bool settingsFailureTold = false;
    bool noPlayerTold = false;
};

} // namespace lingomat
