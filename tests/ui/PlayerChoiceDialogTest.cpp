#include <fstream>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QPushButton>

#include "SetupDialogTestSupport.h"
#include "platform/ProfileStore.h"
#include "platform/qt/Cp1252.h"
#include "players/PlayerStatistics.h"
#include "players/dialogs/PlayerChoiceDialog.h"

namespace lingomat::testing {
namespace {

using Names = std::vector<std::string>;

class PlayerChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        statistics.SetDirectory(folder.path);
    }

    void StoreRecent(const Names& names) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            profile.WriteString("Lingomat", "Player" + std::to_string(i + 1), names[i]);
        }
    }
    Names StoredRecent() const {
        Names names;
        for (int i = 1; i <= 5; ++i) {
            names.push_back(profile.GetString("Lingomat", "Player" + std::to_string(i), "<absent>"));
        }
        return names;
    }
    void Touch(const std::string& name) { std::ofstream(folder.File(name)) << "x"; }

    std::unique_ptr<PlayerChoiceDialog> Open(const std::string& preset = "lingomat.voc") {
        auto dialog = std::make_unique<PlayerChoiceDialog>(statistics, profile, preset, folder.path);
        dialog->show();
        return dialog;
    }
    static QComboBox* Combo(QDialog& dialog, const char* name) {
        auto* combo = dialog.findChild<QComboBox*>(QString::fromLatin1(name));
        EXPECT_NE(combo, nullptr) << name;
        return combo;
    }
    static void Press(QDialog& dialog, const char* name) {
        dialog.findChild<QPushButton*>(QString::fromLatin1(name))->click();
    }
    static Names Items(QComboBox* combo) {
        Names names;
        for (int i = 0; i < combo->count(); ++i) {
            names.push_back(FromQString(combo->itemText(i)));
        }
        return names;
    }

    TempFolder folder;
    PlayerStatistics statistics;
    MemoryProfileStore profile;
};

TEST_F(PlayerChoiceTest, FirstStartOffersTheNewPlayer) {
    auto dialog = Open();
    EXPECT_EQ(Items(Combo(*dialog, "playerNameCombo")), (Names{"Neuer Spieler", "", "", "", ""}));
    EXPECT_EQ(Combo(*dialog, "playerNameCombo")->currentText(), QStringLiteral("Neuer Spieler"));
}

// The offered name is selected: a name typed at once replaces it, Enter at once accepts it.
TEST_F(PlayerChoiceTest, TypingAtOnceReplacesTheOfferedNameAndEnterAcceptsIt) {
    for (const bool typeFirst : {false, true}) {
        auto dialog = Open();
        QComboBox* name = Combo(*dialog, "playerNameCombo");
        name->setFocus();
        if (typeFirst) {
            QTest::keyClicks(name->lineEdit(), QStringLiteral("Erika"));
        }
        QTest::keyClick(name->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << typeFirst;
        EXPECT_EQ(statistics.PlayerName(), typeFirst ? "Erika" : "Neuer Spieler");
    }
}

TEST_F(PlayerChoiceTest, OffersTheMostRecentPlayerNotTheCurrentOne) {
    StoreRecent({"Anna", "Bert"});
    statistics.SetPlayerName("Bert");
    auto dialog = Open();
    EXPECT_EQ(Items(Combo(*dialog, "playerNameCombo")), (Names{"Anna", "Bert", "", "", ""}));
    EXPECT_EQ(Combo(*dialog, "playerNameCombo")->currentText(), QStringLiteral("Anna"));
}

TEST_F(PlayerChoiceTest, DataSetsOfTheFolderSortedAndPreselected) {
    for (const char* file : {"b.voc", "A.voc", "notes.txt", "c.VOC", "a.voc.bak"}) {
        Touch(file);
    }
    const struct {
        const char* preset;
        const char* selected;
    } cases[] = {{"", "A.voc"}, {"b.voc", "b.voc"}, {"B.VOC", "b.voc"}, {"c.VOC", "c.VOC"},
                 {"lingomat.voc", ""}};
    for (const auto& c : cases) {
        auto dialog = Open(c.preset);
        QComboBox* dataSets = Combo(*dialog, "dataSetCombo");
        EXPECT_EQ(Items(dataSets), (Names{"A.voc", "b.voc", "c.VOC"}));
        EXPECT_EQ(dataSets->currentText(), QString::fromLatin1(c.selected)) << c.preset;
        Press(*dialog, "okButton");
        EXPECT_EQ(dialog->DataSetName(), c.selected) << c.preset;
    }
}

TEST_F(PlayerChoiceTest, NoDataSetGivesAnEmptyName) {
    auto dialog = Open();
    EXPECT_EQ(Combo(*dialog, "dataSetCombo")->count(), 0);
    Press(*dialog, "okButton");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->DataSetName(), "");
}

struct RecentCase {
    const char* label;
    Names stored;
    std::string typed;
    Names expected;
};

class RecentPlayers : public PlayerChoiceTest, public ::testing::WithParamInterface<RecentCase> {};

TEST_P(RecentPlayers, OkPutsTheChosenNameFirst) {
    const RecentCase& c = GetParam();
    StoreRecent(c.stored);
    auto dialog = Open();
    Combo(*dialog, "playerNameCombo")->setEditText(ToQString(c.typed));
    Press(*dialog, "okButton");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(StoredRecent(), c.expected);
    EXPECT_EQ(statistics.PlayerName(), c.typed);
    EXPECT_EQ(dialog->PlayerName(), c.typed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecentPlayers,
    ::testing::Values(
        RecentCase{"FirstStart", {}, "Neuer Spieler", {"Neuer Spieler", "", "", "", ""}},
        RecentCase{"ThirdMovesFirst", {"A", "B", "C", "D", "E"}, "C", {"C", "A", "B", "D", "E"}},
        RecentCase{"SixthDropsTheFifth", {"A", "B", "C", "D", "E"}, "F",
                   {"F", "A", "B", "C", "D"}},
        RecentCase{"CurrentAgainKeepsTheOrder", {"A", "B", "C", "D", "E"}, "A",
                   {"A", "B", "C", "D", "E"}},
        RecentCase{"EmptyNameStandsFirst", {"A", "B"}, "", {"", "A", "B", "", ""}},
        RecentCase{"CaseCounts", {"anna", "B"}, "Anna", {"Anna", "anna", "B", "", ""}},
        RecentCase{"BlanksAreKept", {"A"}, " A ", {" A ", "A", "", "", ""}},
        RecentCase{"NoStaleNameAfterGaps", {"A", "", "B", "", "C"}, "", {"", "A", "B", "C", ""}},
        RecentCase{"Umlaut", {"A"}, "J\xfcrgen", {"J\xfcrgen", "A", "", "", ""}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(PlayerChoiceTest, SwitchingSavesThePreviousPlayerAndLoadsTheNext) {
    statistics.SetPlayerName("Anna");
    statistics.Record("1", 80.0f, 100.0f, 0, 0, 1);

    auto toBert = Open();
    Combo(*toBert, "playerNameCombo")->setEditText(QStringLiteral("Bert"));
    Press(*toBert, "okButton");
    EXPECT_EQ(statistics.PlayerName(), "Bert");
    EXPECT_TRUE(statistics.Records().empty());

    auto backToAnna = Open();
    Combo(*backToAnna, "playerNameCombo")->setEditText(QStringLiteral("Anna"));
    Press(*backToAnna, "okButton");
    ASSERT_EQ(statistics.Records().size(), 1u);
    EXPECT_EQ(statistics.Records()[0].lessonCode, "1");
}

TEST_F(PlayerChoiceTest, UnusableNamesAreRefusedAndTheDialogStays) {
    StoreRecent({"Anna"});
    statistics.SetPlayerName("Anna");
    const QString names[] = {QStringLiteral("a/b"),  QStringLiteral("a\\b"),
                             QStringLiteral("c:d"),  QStringLiteral(".."),
                             QStringLiteral("x\ty"), QStringLiteral("\u0141ukasz")};
    for (const QString& name : names) {
        auto dialog = Open();
        Combo(*dialog, "playerNameCombo")->setEditText(name);
        MessageCatcher messages;
        Press(*dialog, "okButton");
        ASSERT_EQ(messages.texts.size(), 1) << name.toStdString();
        EXPECT_TRUE(messages.texts[0].contains(name)) << name.toStdString();
        EXPECT_TRUE(messages.texts[0].contains(QStringLiteral("Dateiname")));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(statistics.PlayerName(), "Anna");
        EXPECT_EQ(StoredRecent(), (Names{"Anna", "<absent>", "<absent>", "<absent>", "<absent>"}));
    }
}

TEST_F(PlayerChoiceTest, CancelChangesNothing) {
    StoreRecent({"Anna", "Bert"});
    statistics.SetPlayerName("Anna");
    Touch("other.voc");
    auto dialog = Open("lingomat.voc");
    Combo(*dialog, "playerNameCombo")->setEditText(QStringLiteral("Carla"));
    Press(*dialog, "cancelButton");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(dialog->DataSetName(), "lingomat.voc");
    EXPECT_EQ(statistics.PlayerName(), "Anna");
    EXPECT_EQ(StoredRecent(), (Names{"Anna", "Bert", "<absent>", "<absent>", "<absent>"}));
}

TEST_F(PlayerChoiceTest, AFailedSaveOfThePreviousPlayerIsReported) {
    statistics.SetPlayerName("Anna");
    statistics.SetDirectory(folder.path / "missing");
    auto dialog = Open();
    Combo(*dialog, "playerNameCombo")->setEditText(QStringLiteral("Bert"));
    MessageCatcher messages;
    Press(*dialog, "okButton");
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains(QStringLiteral("Anna")));
    EXPECT_EQ(statistics.PlayerName(), "Bert");
}

TEST_F(PlayerChoiceTest, Rendering) {
    StoreRecent({"Anna", "Bert", "J\xfcrgen"});
    Touch("lingomat.voc");
    Touch("spain.voc");
    auto dialog = Open();
    EXPECT_TRUE(dialog->grab().save(ScreenshotFolder() + QStringLiteral("/player-choice.png")));
}

} // namespace
} // namespace lingomat::testing
