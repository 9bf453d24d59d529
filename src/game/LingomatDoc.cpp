#include "game/LingomatDoc.h"

#include <utility>

#include "data/DataSetLoader.h"

namespace lingomat {

namespace {

const char* const AppSection = "Lingomat";
const char* const DefaultDataSet = "lingomat.voc";

// Switch order of the stored "CorrectionOptions" string; it is not the field order, and stored
// settings rely on it.
constexpr bool CorrectionOptions::*StoredSwitchOrder[] = {
    &CorrectionOptions::ignoreAccents, &CorrectionOptions::ignoreArticles,
    &CorrectionOptions::repeatAtOnce,  &CorrectionOptions::ignoreSpacing,
    &CorrectionOptions::ignoreCase,    &CorrectionOptions::oneRightSuffices,
};

// Anything but an "X" in its place, a short string included, leaves a switch off.
CorrectionOptions ParseCorrectionOptions(const std::string& text) {
    CorrectionOptions options;
    for (std::size_t i = 0; i < std::size(StoredSwitchOrder); ++i) {
        options.*StoredSwitchOrder[i] = i < text.size() && text[i] == 'X';
    }
    return options;
}

std::string CorrectionOptionsText(const CorrectionOptions& options) {
    std::string text;
    for (const auto field : StoredSwitchOrder) {
        text += options.*field ? 'X' : ' ';
    }
    return text;
}

constexpr std::int64_t MaxPause = 60000;
constexpr std::int64_t MaxColor = 0xFFFFFF;

} // namespace

CLingomatDoc::CLingomatDoc(DocumentHost& host, ProfileStore& profile, const Clock& clock,
                           std::filesystem::path workingDirectory)
    : host(host), profile(profile), clock(clock), workingDirectory(std::move(workingDirectory)) {
    playerStatistics.SetDirectory(this->workingDirectory);
    playerStatistics.SetClock(clock);
    choiceRound.Reset(multiNumber);
    LoadTips();
}

std::filesystem::path CLingomatDoc::WorkingPath(const std::string& fileName) const {
    return workingDirectory.empty() ? std::filesystem::path(fileName) : workingDirectory / fileName;
}

bool CLingomatDoc::OnNewDocument() {
    if (needsLoading) {
        needsLoading = false;
        random.Seed(static_cast<std::uint32_t>(clock.Now()));
        dataSetName = profile.GetString(AppSection, "Dataset", DefaultDataSet);
        host.ChoosePlayer(playerStatistics, dataSetName);
        LoadDataSet(*this, WorkingPath(dataSetName).string(), host.LoadingProgress());
        sameQuestions.Clear();
        ReadSettings();
        LoadCardBox();
    } else {
        ClearErrorCounts();
    }
    SetModifiedFlag(false);
    SetTitle("Neues Spiel");
    ResetGame();
    return true;
}

void CLingomatDoc::ResetGame() {
    gameStarted = false;
    verdictShowing = false;
    typedAnswer.clear();
    cursorPos = 0;
    glimpseActive = false;
    gameMode = GameModeWrite;
    lastVerdict = -1;
    gameOver = false;
    SetChoiceCount(multiNumber);
    distractorSearchLimit = 100;
    gameClock.running = false;
    rightCount = 0;
    wrongCount = 0;
    cheatCount = 0;
    pool.Clear();
    lessonTable.ClearSelection();
    verdictText.clear();
    viewModeSettings.wordShown = false;
    copyModeSettings.templateVisible = false;
    // The previous question's record is shown only after a verdict; none belongs to a new game.
    previousEntry = nullptr;
    answerVariant = 0;
    judgedCards.clear();
    cardGlimpsed = false;
}

void CLingomatDoc::StartGame() {
    SetTitle(BuildLessonPool());
    NextQuestion();
    SetModifiedFlag(true);
}

bool CLingomatDoc::SaveModified() {
    if (!modified) {
        return true;
    }
    return host.ShowMessage("Sind Sie sicher, Lingomat verlassen zu wollen?", "Lingomat",
                            MessageButtons::YesNo, MessageIcon::Stop) == MessageAnswer::Yes;
}

// The records of an opened error file count their errors too: they are written with the data
// set's records, so their counts must start afresh with every game.
void CLingomatDoc::ClearErrorCounts() {
    for (VocEntry& entry : vocabulary) {
        entry.errorCount = 0;
    }
    for (VocEntry& entry : errorFileEntries) {
        entry.errorCount = 0;
    }
}

void CLingomatDoc::OnCloseDocument() {
    WriteSettings();
    choiceRound.Reset(multiNumber);
    ClearErrorCounts();
    pool.Clear();
    SaveCardBox();
    if (!playerStatistics.Save()) {
        // The previous player file is still whole; the player should know this game's results
        // were not kept.
        host.ShowMessage("Die Spielerdatei \"" + playerStatistics.PlayerName() +
                             ".lmp\" konnte nicht geschrieben werden. Die Ergebnisse dieser "
                             "Sitzung sind nicht gespeichert.",
                         "Lingomat", MessageButtons::Ok, MessageIcon::Warning);
    }
}

void CLingomatDoc::ReadSettings() {
    const std::string section = playerStatistics.PlayerName();
    correcting = profile.GetInt(section, "Correcting", 1) != 0;
    rightTime = ClampedSetting(profile.GetInt(section, "right", 400), 0, MaxPause);
    wrongTime = ClampedSetting(profile.GetInt(section, "wrong", 2000), 0, MaxPause);
    glimpseTime = ClampedSetting(profile.GetInt(section, "glimpse", 500), 0, MaxPause);
    useRabbits = profile.GetInt(section, "Hase", 1) != 0;
    colorRight = ClampedSetting(profile.GetInt(section, "ColorRight", 12517310), 0, MaxColor);
    colorWrong = ClampedSetting(profile.GetInt(section, "ColorWrong", 12500735), 0, MaxColor);
    multiNumber = ClampedSetting(profile.GetInt(section, "MultiNumber", 4), ChoiceRound::MinChoices,
                                 ChoiceRound::MaxChoices);
    showNumbers = profile.GetInt(section, "MultiNumeration", 1) != 0;
    correctionOptions = ParseCorrectionOptions(profile.GetString(section, "CorrectionOptions", ""));
    viewModeSettings.Read(profile, section);
    copyModeSettings.Read(profile, section);
}

void CLingomatDoc::WriteSettings() {
    const std::string section = playerStatistics.PlayerName();
    profile.WriteInt(section, "Hase", useRabbits ? 1 : 0);
    profile.WriteInt(section, "Correcting", correcting ? 1 : 0);
    profile.WriteInt(section, "Right", rightTime);
    profile.WriteInt(section, "Wrong", wrongTime);
    profile.WriteInt(section, "Glimpse", glimpseTime);
    profile.WriteInt(section, "ColorRight", colorRight);
    profile.WriteInt(section, "ColorWrong", colorWrong);
    profile.WriteInt(section, "MultiNumber", multiNumber);
    profile.WriteInt(section, "MultiNumeration", showNumbers ? 1 : 0);
    profile.WriteString(section, "CorrectionOptions", CorrectionOptionsText(correctionOptions));
    profile.WriteString(AppSection, "Dataset", dataSetName);
    viewModeSettings.Write(profile, section);
    copyModeSettings.Write(profile, section);
}

void CLingomatDoc::SetTitle(const std::string& text) {
    if (text != title) {
        title = text;
        host.TitleChanged(title);
    }
}

void CLingomatDoc::SetModifiedFlag(bool value) {
    if (value != modified) {
        modified = value;
        host.ModifiedChanged(modified);
    }
}

} // namespace lingomat
