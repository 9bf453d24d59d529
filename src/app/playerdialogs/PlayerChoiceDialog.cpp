#include "playerdialogs/PlayerChoiceDialog.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "support/DialogButtons.h"
#include "platform/ProfileStore.h"
#include "support/Cp1252.h"
#include "players/PlayerStatistics.h"
#include "support/SetupDialogSupport.h"

namespace lingomat {

namespace {

const std::string kSection = "Lingomat";
const std::string kNewPlayer = "Neuer Spieler";

std::string RecentPlayerKey(int index) {
    return "Player" + std::to_string(index + 1);
}

// The first entry that begins with text, letter case ignored; -1 when none does. An entry
// equal to the text in every byte is preferred, since file names differ by case here.
int FindEntry(const QComboBox& combo, const QString& text) {
    const int exact = combo.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return exact >= 0 ? exact : combo.findText(text, Qt::MatchStartsWith);
}

} // namespace

PlayerChoiceDialog::PlayerChoiceDialog(PlayerStatistics& store, ProfileStore& settings,
                                       const std::string& presetDataSet,
                                       const std::filesystem::path& workingDirectory,
                                       QWidget* parent)
    : QDialog(parent), statistics(store), profile(settings), playerCombo(new QComboBox(this)),
      dataSetCombo(new QComboBox(this)), dataSetName(presetDataSet) {
    setObjectName(QStringLiteral("playerChoiceDialog"));
    setWindowTitle(QStringLiteral("Lingomat: Wahl des Spielers"));

    auto* welcome = new QLabel(
        QStringLiteral("Willkommen bei Lingomat!\nBitte w\u00e4hlen Sie Ihren Spielernamen aus und "
                       "klicken Sie dann auf OK, um Lingomat zu starten.\n\nWenn Sie noch keinen "
                       "Spieler haben, geben Sie bitte einen neuen Spielernamen ein. Ein Spieler "
                       "wird dann f\u00fcr Sie erstellt."),
        this);
    welcome->setWordWrap(true);

    playerCombo->setObjectName(QStringLiteral("playerNameCombo"));
    playerCombo->setEditable(true);
    // The list is the registry's order; a typed name must not be added to it by Enter.
    playerCombo->setInsertPolicy(QComboBox::NoInsert);
    playerCombo->setDuplicatesEnabled(true);
    // No inline completion: with the offered name selected it would take the first Enter for
    // itself instead of letting it press OK.
    playerCombo->setCompleter(nullptr);
    dataSetCombo->setObjectName(QStringLiteral("dataSetCombo"));
    // A long name in the list of recent players must not widen the dialog beyond the screen:
    // the boxes keep a fixed width and the lists cut long entries short.
    for (QComboBox* combo : {playerCombo, dataSetCombo}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(18);
        combo->view()->setTextElideMode(Qt::ElideMiddle);
    }

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Spielername:"), this), 0, 0);
    fields->addWidget(playerCombo, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Datensatz:"), this), 1, 0);
    fields->addWidget(dataSetCombo, 1, 1);
    fields->setColumnStretch(1, 1);

    QHBoxLayout* buttons = StandardButtonRow(*this, true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(welcome);
    layout->addSpacing(6);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    // About the 182 dialog units of the original template; the welcome text wraps within that
    // width and the dialog grows to hold all of it whatever the font.
    welcome->setFixedWidth(320);
    welcome->setMinimumHeight(welcome->heightForWidth(320));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FillPlayers();
    FillDataSets(workingDirectory);
}

void PlayerChoiceDialog::FillPlayers() {
    playerCombo->setEditText(ToQString(statistics.PlayerName()));
    for (int i = 0; i < RecentPlayerCount; ++i) {
        playerCombo->addItem(
            ToQString(profile.GetString(kSection, RecentPlayerKey(i), i == 0 ? kNewPlayer : "")));
    }
    // The most recent player is offered, not the one playing now.
    const QString mostRecent =
        ToQString(profile.GetString(kSection, RecentPlayerKey(0), kNewPlayer));
    const int index = FindEntry(*playerCombo, mostRecent);
    if (index >= 0) {
        playerCombo->setCurrentIndex(index);
    }
    playerCombo->setEditText(mostRecent);
    // Selected, so that a new player's name typed straight away replaces the offered one.
    playerCombo->lineEdit()->selectAll();
}

void PlayerChoiceDialog::FillDataSets(const std::filesystem::path& workingDirectory) {
    const std::filesystem::path folder =
        workingDirectory.empty() ? std::filesystem::path(".") : workingDirectory;
    QStringList names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error)) {
            continue;
        }
        const QString name = QFile::decodeName(it->path().filename().string().c_str());
        // The core keeps the name in Windows-1252; a name it cannot hold could not be opened.
        if (name.endsWith(QStringLiteral(".voc"), Qt::CaseInsensitive) &&
            ToQString(FromQString(name)) == name) {
            names.append(name);
        }
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = QString::compare(a, b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    dataSetCombo->addItems(names);
    dataSetCombo->setCurrentIndex(FindEntry(*dataSetCombo, ToQString(dataSetName)));
}

void PlayerChoiceDialog::FixDataSet() {
    dataSetCombo->setEnabled(false);
    dataSetCombo->setToolTip(
        QStringLiteral("Ein anderer Datensatz wird beim n\u00e4chsten Start geladen."));
}

bool PlayerChoiceDialog::RefusesName(const QString& typed, const std::string& name) {
    // The empty name is allowed: that player plays without a file.
    if (name.empty() && typed.isEmpty()) {
        return false;
    }
    QString reason;
    if (ToQString(name) != typed) {
        reason = QStringLiteral("Er enth\u00e4lt Zeichen, die Lingomat nicht speichern kann.");
    } else if (!IsUsablePlayerFileName(name)) {
        reason = QStringLiteral("Bitte w\u00e4hlen Sie einen Namen von h\u00f6chstens 64 Zeichen "
                                "ohne / \\ : und ohne Steuerzeichen.");
    } else {
        // A player who already has a file keeps his name, whatever other systems allow.
        std::error_code error;
        if (std::filesystem::exists(statistics.FilePathOf(name), error)) {
            return false;
        }
        reason = ToQString(PlayerNameProblem(name));
    }
    if (reason.isEmpty()) {
        return false;
    }
    ShowDialogMessage(this,
                      QStringLiteral("Der Name \u201e%1\u201c kann nicht als Dateiname verwendet "
                                     "werden. %2")
                          .arg(typed, reason),
                      QStringLiteral("Lingomat: Wahl des Spielers"), QMessageBox::Warning);
    playerCombo->setFocus();
    playerCombo->lineEdit()->selectAll();
    return true;
}

void PlayerChoiceDialog::accept() {
    const QString typed = playerCombo->currentText();
    const std::string name = FromQString(typed);
    if (RefusesName(typed, name)) {
        return;
    }
    const auto watchOnly = [this, &typed](const std::string& holder) {
        const Prompt prompt{
            .icon = QMessageBox::Warning,
            .caption = QStringLiteral("Lingomat: Wahl des Spielers"),
            .text = ToQString(PlayerInUseText(FromQString(typed), holder)),
            .objectName = QStringLiteral("playerInUseBox"),
            .buttons = {{QStringLiteral("&Anderer Name"), QStringLiteral("otherNameButton"),
                         QMessageBox::RejectRole},
                        {QStringLiteral("Nur &ansehen"), QStringLiteral("watchButton"),
                         QMessageBox::AcceptRole}}};
        return Ask(this, prompt) == 1;
    };
    const PlayerSwitch result = SwitchPlayer(statistics, name, watchOnly);
    if (!result.switched) {
        playerCombo->setFocus();
        playerCombo->lineEdit()->selectAll();
        return;
    }
    playerName = name;
    const int dataSet = dataSetCombo->currentIndex();
    if (dataSetCombo->isEnabled()) {
        dataSetName = dataSet >= 0 ? FromQString(dataSetCombo->itemText(dataSet)) : std::string();
    }
    if (!result.previousSaved) {
        ShowDialogMessage(this,
                          QStringLiteral("Die Statistik von \u201e%1\u201c konnte nicht "
                                         "gespeichert werden.")
                              .arg(ToQString(result.previousName)),
                          QStringLiteral("Lingomat"), QMessageBox::Warning);
    }
    const std::string problem = PlayerFileLoadText(playerName, result.loaded);
    if (!problem.empty()) {
        ShowDialogMessage(this, ToQString(problem), QStringLiteral("Lingomat"),
                          QMessageBox::Warning);
    }
    RememberPlayer();
    QDialog::accept();
}

void PlayerChoiceDialog::RememberPlayer() {
    std::vector<std::string> recent{playerName};
    for (int i = 0; i < RecentPlayerCount; ++i) {
        std::string stored = profile.GetString(kSection, RecentPlayerKey(i), "");
        if (stored != playerName) {
            recent.push_back(std::move(stored));
        }
    }
    // Written in full, so no stale name stays behind when the list got shorter.
    recent.resize(RecentPlayerCount);
    for (int i = 0; i < RecentPlayerCount; ++i) {
        profile.WriteString(kSection, RecentPlayerKey(i), recent[static_cast<std::size_t>(i)]);
    }
}

} // namespace lingomat
