#pragma once

#include <filesystem>
#include <string>

#include <QDialog>

class QComboBox;

namespace lingomat {

class PlayerStatistics;
class ProfileStore;

// Who plays, and with which data set. OK switches the statistics store to the chosen player
// (a name without a file is a new player) and puts him first in the list of the five most
// recent players; Abbrechen changes nothing.
class PlayerChoiceDialog : public QDialog {
public:
    // dataSetName is the preset: at start-up the data set of the last start, from the menu
    // empty. Data sets are the "*.voc" files of workingDirectory (empty: the current folder).
    PlayerChoiceDialog(PlayerStatistics& statistics, ProfileStore& profile,
                       const std::string& dataSetName,
                       const std::filesystem::path& workingDirectory = {},
                       QWidget* parent = nullptr);

    // After OK: the name as typed and the chosen data set ("" when the list is empty).
    // After Abbrechen: as handed in.
    const std::string& PlayerName() const { return playerName; }
    const std::string& DataSetName() const { return dataSetName; }

    void accept() override;
    // From the menu: the loaded data set stays for this run, so its box only shows it.
    void FixDataSet();

    static constexpr int RecentPlayerCount = 5;

private:
    void FillPlayers();
    void FillDataSets(const std::filesystem::path& workingDirectory);
    void RememberPlayer();
    // Says why and returns true when the typed name cannot be the player's.
    bool RefusesName(const QString& typed, const std::string& name);

    PlayerStatistics& statistics;
    ProfileStore& profile;
    QComboBox* playerCombo;
    QComboBox* dataSetCombo;
    std::string playerName;
    std::string dataSetName;
};

} // namespace lingomat
