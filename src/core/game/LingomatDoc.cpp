#include "game/LingomatDoc.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <utility>

#include "data/DataSetLoader.h"

namespace lingomat {

namespace {

const char* const AppSection = "Lingomat";
const char* const DefaultDataSet = "lingomat.voc";

// Each switch has its slot in the stored "CorrectionOptions" string. Anything but an "X" in its
// place, a short string included, leaves a switch off.
CorrectionOptions ParseCorrectionOptions(const std::string& text) {
    CorrectionOptions options;
    for (const CorrectionOptionTraits& option : CorrectionOptionTable) {
        options.*option.field = option.storedSlot < text.size() && text[option.storedSlot] == 'X';
    }
    return options;
}

std::string CorrectionOptionsText(const CorrectionOptions& options) {
    std::string text(std::size(CorrectionOptionTable), ' ');
    for (const CorrectionOptionTraits& option : CorrectionOptionTable) {
        text[option.storedSlot] = options.*option.field ? 'X' : ' ';
    }
    return text;
}

constexpr std::int64_t MaxPause = 60000;
constexpr std::int64_t MaxColor = 0xFFFFFF;

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// A data set is a "*.voc" file of the game folder itself: a setting that names a path, or
// anything but a regular file there, is not loaded.
bool IsDataSetFileName(const std::string& name) {
    return name.size() > 4 && Lower(name.substr(name.size() - 4)) == ".voc" &&
           name.find_first_of("/\\:") == std::string::npos && name != "." && name != "..";
}

std::string RefusalText(ReadRefusal refusal) {
    switch (refusal) {
    case ReadRefusal::NotRegular:
        return "Sie ist keine gew\xF6hnliche Datei.";
    case ReadRefusal::TooLarge:
        return "Sie ist zu gro\xDF.";
    case ReadRefusal::None:
        return "Sie enth\xE4lt keine Vokabeln.";
    default:
        return "Sie l\xE4sst sich nicht \xF6"
               "ffnen.";
    }
}

} // namespace

std::string PlayerSettingsSection(const std::string& playerName) {
    if (Lower(playerName) == Lower(AppSection) || (!playerName.empty() && playerName[0] == '~')) {
        return "~" + playerName;
    }
    return playerName;
}

std::vector<std::string> DataSetsIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error), end;
         !error && it != end; it.increment(error)) {
        std::error_code kind;
        const std::string name = it->path().filename().string();
        if (IsDataSetFileName(name) && it->is_regular_file(kind)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = Lower(a);
        const std::string lb = Lower(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

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
        TellIfNoPlayer();
        LoadChosenDataSet();
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

void CLingomatDoc::ChooseGame(GameMode mode, Language question, Language answer) {
    gameMode = mode;
    questionLanguage = question;
    answerLanguage = answer;
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

void CLingomatDoc::LoadChosenDataSet() {
    const std::string wanted = dataSetName;
    std::error_code error;
    if (!IsDataSetFileName(wanted) || !std::filesystem::exists(WorkingPath(wanted), error)) {
        const auto present = DataSetsIn(workingDirectory);
        if (present.empty()) {
            host.ShowMessage("Im Spielordner liegt kein Datensatz (keine Datei *.voc). Ohne "
                             "Vokabeln kann nicht gespielt werden; bitte legen Sie einen "
                             "Datensatz in den Ordner und starten Sie Lingomat neu.",
                             "Lingomat", MessageButtons::Ok, MessageIcon::Warning);
            return;
        }
        host.ShowMessage("Der Datensatz \"" + wanted +
                             "\" liegt nicht im Spielordner. Geladen wird \"" + present.front() +
                             "\".",
                         "Lingomat", MessageButtons::Ok, MessageIcon::Information);
        dataSetName = present.front();
    }
    const ReadRefusal refusal =
        LoadDataSet(*this, WorkingPath(dataSetName).string(), host.LoadingProgress());
    if (refusal != ReadRefusal::None || vocabulary.empty()) {
        host.ShowMessage("Der Datensatz \"" + dataSetName + "\" konnte nicht gelesen werden. " +
                             RefusalText(refusal),
                         "Lingomat", MessageButtons::Ok, MessageIcon::Warning);
    }
}

bool CLingomatDoc::HasDataSet() {
    if (!vocabulary.empty()) {
        return true;
    }
    host.ShowMessage("Es sind keine Vokabeln geladen: Der Datensatz \"" + dataSetName +
                         "\" fehlt oder ist nicht lesbar. Bitte legen Sie einen Datensatz in "
                         "den Spielordner und starten Sie Lingomat neu.",
                     "Lingomat", MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

void CLingomatDoc::TellIfNoPlayer() {
    if (playerStatistics.PlayerName().empty() && !noPlayerTold) {
        noPlayerTold = true;
        host.ShowMessage("Ohne Spieler werden keine Ergebnisse gespeichert.", "Lingomat",
                         MessageButtons::Ok, MessageIcon::Information);
    }
}

bool CLingomatDoc::RefusesEmptyGame(const std::string& where) {
    if (!pool.Empty()) {
        return false;
    }
    ResetGame();
    SetTitle("Neues Spiel");
    host.ShowMessage(where + " liegt keine Frage. Das Spiel wird nicht gestartet.", "Lingomat",
                     MessageButtons::Ok, MessageIcon::Information);
    return true;
}

bool CLingomatDoc::StartGame() {
    const std::string played = BuildLessonPool();
    if (RefusesEmptyGame("In den gew\xE4hlten Lektionen")) {
        return false;
    }
    SetTitle(played);
    NextQuestion();
    SetModifiedFlag(true);
    return true;
}

void CLingomatDoc::ChangePlayer() {
    SaveSettings();
    SaveCardBox();
    host.ChangePlayer(playerStatistics, dataSetName);
    TellIfNoPlayer();
    ReadSettings();
    LoadCardBox();
    // The frame shows the new player's due words with the title.
    host.TitleChanged(Title());
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
    SaveSettings();
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
    const std::string section = PlayerSettingsSection(playerStatistics.PlayerName());
    feedback.correcting = profile.GetInt(section, "Correcting", 1) != 0;
    feedback.rightTime = ClampedSetting(profile.GetInt(section, "right", 400), 0, MaxPause);
    feedback.wrongTime = ClampedSetting(profile.GetInt(section, "wrong", 2000), 0, MaxPause);
    feedback.glimpseTime = ClampedSetting(profile.GetInt(section, "glimpse", 500), 0, MaxPause);
    feedback.useRabbits = profile.GetInt(section, "Hase", 1) != 0;
    feedback.colorRight =
        ClampedSetting(profile.GetInt(section, "ColorRight", 12517310), 0, MaxColor);
    feedback.colorWrong =
        ClampedSetting(profile.GetInt(section, "ColorWrong", 12500735), 0, MaxColor);
    multiNumber = ClampedSetting(profile.GetInt(section, "MultiNumber", 4), ChoiceRound::MinChoices,
                                 ChoiceRound::MaxChoices);
    showNumbers = profile.GetInt(section, "MultiNumeration", 1) != 0;
    correctionOptions = ParseCorrectionOptions(profile.GetString(section, "CorrectionOptions", ""));
    viewModeSettings.Read(profile, section);
    copyModeSettings.Read(profile, section);
}

void CLingomatDoc::SaveSettings() {
    WriteSettings();
    if (!profile.Sync() && !settingsFailureTold) {
        settingsFailureTold = true;
        host.ShowMessage("Die Einstellungen konnten nicht gespeichert werden; sie gelten nur "
                         "bis zum Ende dieses Spiels.",
                         "Lingomat", MessageButtons::Ok, MessageIcon::Warning);
    }
}

void CLingomatDoc::WriteSettings() {
    const std::string section = PlayerSettingsSection(playerStatistics.PlayerName());
    profile.WriteInt(section, "Hase", feedback.useRabbits ? 1 : 0);
    profile.WriteInt(section, "Correcting", feedback.correcting ? 1 : 0);
    profile.WriteInt(section, "Right", feedback.rightTime);
    profile.WriteInt(section, "Wrong", feedback.wrongTime);
    profile.WriteInt(section, "Glimpse", feedback.glimpseTime);
    profile.WriteInt(section, "ColorRight", feedback.colorRight);
    profile.WriteInt(section, "ColorWrong", feedback.colorWrong);
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
