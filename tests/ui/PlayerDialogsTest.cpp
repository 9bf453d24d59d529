#include <tuple>

#include "UiTestSupport.h"
#include "players/PlayerStatistics.h"
#include "playerdialogs/PlayerChoiceDialog.h"
#include "playerdialogs/PlayerStatisticsDialog.h"

namespace lingomat::testing {
namespace {

QStringList ComboItems(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items << combo->itemText(i);
    }
    return items;
}

using Names = std::vector<std::string>;

class PlayerChoiceTest : public ::testing::Test {
protected:
    void SetUp() override { statistics.SetDirectory(folder.Path()); }

    void StoreRecent(const Names& names) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            profile.WriteString("Lingomat", "Player" + std::to_string(i + 1), names[i]);
        }
    }
    Names StoredRecent() const {
        Names names;
        for (int i = 1; i <= 5; ++i) {
            names.push_back(
                profile.GetString("Lingomat", "Player" + std::to_string(i), "<absent>"));
        }
        return names;
    }

    // Opened on the fixture's player unless another statistics object is given.
    std::unique_ptr<PlayerChoiceDialog> Open(const std::string& preset = "lingomat.voc",
                                             PlayerStatistics* player = nullptr) {
        auto dialog = std::make_unique<PlayerChoiceDialog>(player ? *player : statistics, profile,
                                                           preset, folder.Path());
        dialog->show();
        return dialog;
    }
    // Opens the dialog, types the name and presses the button.
    std::unique_ptr<PlayerChoiceDialog> Enter(const QString& name, const char* button = "okButton",
                                              PlayerStatistics* player = nullptr) {
        auto dialog = Open("lingomat.voc", player);
        NameCombo(*dialog)->setEditText(name);
        ClickButton(*dialog, button);
        return dialog;
    }
    static QComboBox* NameCombo(QDialog& dialog) {
        return Find<QComboBox>(dialog, "playerNameCombo");
    }

    TempFolder folder;
    PlayerStatistics statistics;
    MemoryProfileStore profile;
};

// The most recent player other than the current one is offered, the new player at the first
// start. The data sets of the folder are listed sorted and the preset one chosen, else the first;
// from the menu the loaded one stays and its box only shows it.
TEST_F(PlayerChoiceTest, OffersTheMostRecentPlayerAndTheFoldersDataSets) {
    auto first = Open();
    EXPECT_EQ(ComboItems(NameCombo(*first)), (QStringList{u"Neuer Spieler"_s, {}, {}, {}, {}}));
    EXPECT_EQ(NameCombo(*first)->currentText(), u"Neuer Spieler"_s);
    EXPECT_EQ(Find<QComboBox>(*first, "dataSetCombo")->count(), 0);
    ClickButton(*first, "okButton");
    EXPECT_EQ(first->result(), QDialog::Accepted);
    EXPECT_EQ(first->DataSetName(), "");

    StoreRecent({"Anna", "Bert"});
    statistics.SetPlayerName("Bert");
    for (const char* file : {"b.voc", "A.voc", "notes.txt", "c.VOC", "a.voc.bak"}) {
        WriteText(folder.File(file), "x");
    }
    auto offered = Open();
    EXPECT_EQ(ComboItems(NameCombo(*offered)), (QStringList{u"Anna"_s, u"Bert"_s, {}, {}, {}}));
    EXPECT_EQ(NameCombo(*offered)->currentText(), u"Anna"_s);
    SaveShot(*offered, "player-choice");
    // The preset data set, the one chosen, whether opened from the menu.
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"", "A.voc", false},      {"b.voc", "b.voc", false},   {"B.VOC", "b.voc", false},
        {"c.VOC", "c.VOC", false}, {"lingomat.voc", "", false}, {"b.voc", "b.voc", true}};
    for (const auto& [preset, selected, fixed] : cases) {
        auto dialog = Open(preset);
        QComboBox* dataSets = Find<QComboBox>(*dialog, "dataSetCombo");
        EXPECT_EQ(ComboItems(dataSets), (QStringList{u"A.voc"_s, u"b.voc"_s, u"c.VOC"_s}));
        EXPECT_EQ(dataSets->currentText(), QString::fromLatin1(selected)) << preset;
        if (fixed) {
            dialog->FixDataSet();
            EXPECT_FALSE(dataSets->isEnabled());
            dataSets->setCurrentIndex(0);
        }
        ClickButton(*dialog, "okButton");
        EXPECT_EQ(dialog->DataSetName(), selected) << preset;
    }

    // A name of earlier versions, too long for any screen, does not widen the dialog.
    StoreRecent({"Anna", std::string(300, 'W')});
    WriteText(folder.File(std::string(200, 'D') + ".voc"), "x");
    auto wide = Open();
    EXPECT_LT(wide->sizeHint().width(), 600);
    EXPECT_LT(NameCombo(*wide)->width(), 400);
}

// OK puts the chosen name first among the five recent players. The offered name is selected: a
// name typed at once replaces it, Enter at once accepts it.
TEST_F(PlayerChoiceTest, OkPutsTheChosenNameFirst) {
    const struct {
        Names stored;
        std::string typed;
        Names expected;
        bool byKeys = false; // typed into the offered name, then Enter
    } cases[] = {
        {{}, "Neuer Spieler", {"Neuer Spieler", "", "", "", ""}},
        {{}, "", {"Neuer Spieler", "", "", "", ""}, true},
        {{}, "Erika", {"Erika", "", "", "", ""}, true},
        {{"A", "B", "C", "D", "E"}, "C", {"C", "A", "B", "D", "E"}},
        {{"A", "B", "C", "D", "E"}, "F", {"F", "A", "B", "C", "D"}},
        {{"A", "B", "C", "D", "E"}, "A", {"A", "B", "C", "D", "E"}},
        {{"A", "B"}, "", {"", "A", "B", "", ""}},
        {{"anna", "B"}, "Anna", {"Anna", "anna", "B", "", ""}},
        {{"A"}, " A ", {" A ", "A", "", "", ""}},
        {{"A", "", "B", "", "C"}, "", {"", "A", "B", "C", ""}}, // no stale name after gaps
        {{"A"}, "J\xfcrgen", {"J\xfcrgen", "A", "", "", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.typed << " after " << c.stored.size() << c.byKeys);
        profile = MemoryProfileStore{};
        StoreRecent(c.stored);
        auto dialog = c.byKeys ? Open() : Enter(ToQString(c.typed));
        if (c.byKeys) {
            QLineEdit* name = NameCombo(*dialog)->lineEdit();
            name->setFocus();
            QTest::keyClicks(name, ToQString(c.typed));
            QTest::keyClick(name, Qt::Key_Return);
        }
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(StoredRecent(), c.expected);
        EXPECT_EQ(statistics.PlayerName(), c.expected[0]);
        EXPECT_EQ(dialog->PlayerName(), c.expected[0]);
    }
}

// Switching saves the previous player and loads the next. A second running game on the player
// is told who plays and may pick another name or only watch, and never saves over the first one's
// results.
TEST_F(PlayerChoiceTest, SwitchingSavesThePreviousPlayerAndASecondGameMayOnlyWatch) {
    statistics.SetPlayerName("Anna");
    statistics.Record("1", 80.0f, 100.0f, 0, 0, 1);

    Enter(u"Bert"_s);
    EXPECT_EQ(statistics.PlayerName(), "Bert");
    EXPECT_TRUE(statistics.Records().empty());

    Enter(u"Anna"_s);
    ASSERT_EQ(statistics.Records().size(), 1u);
    EXPECT_EQ(statistics.Records()[0].lessonCode, "1");
    ASSERT_TRUE(statistics.HoldsLock());

    PlayerStatistics second;
    second.SetDirectory(folder.Path());
    for (const auto& [button, watching] :
         {std::pair{"otherNameButton", false}, std::pair{"watchButton", true}}) {
        Answers answers;
        answers.Press(button);
        auto dialog = Enter(u"Anna"_s, "okButton", &second);
        const QString told = answers.boxes.at(0).text;
        EXPECT_TRUE(told.contains(QStringLiteral("Anna")) && told.contains(u"Prozess"_s))
            << told.toStdString();
        EXPECT_EQ(dialog->isVisible(), !watching) << button;
        EXPECT_EQ(second.PlayerName(), watching ? "Anna" : "") << button;
        EXPECT_EQ(second.ReadOnly(), watching) << button;
    }

    // A failed save of the previous player is reported; the switch still takes place.
    statistics.SetDirectory(folder.Path() / "missing");
    Answers answers;
    Enter(u"Bert"_s);
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_TRUE(answers.boxes[0].text.contains(QStringLiteral("Anna")));
    EXPECT_EQ(statistics.PlayerName(), "Bert");
}

TEST_F(PlayerChoiceTest, UnusableNamesAreRefusedAndCancelChangesNothing) {
    StoreRecent({"Anna", "Bert"});
    statistics.SetPlayerName("Anna");
    WriteText(folder.File("other.voc"), "x");
    const Names recent = {"Anna", "Bert", "<absent>", "<absent>", "<absent>"};
    // The last name would do, but the player cancels.
    const QString names[] = {u"a/b"_s,          u"c:d"_s,         u"wer?"_s, u".."_s,
                             u"x\ty"_s,         u"\u0141ukasz"_s, u"CON"_s,  u"lpt1.txt"_s,
                             QString(65, u'n'), u"Carla"_s};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const bool cancel = name == u"Carla"_s;
        Answers answers;
        auto dialog = Enter(name, cancel ? "cancelButton" : "okButton");
        const QString told = answers.Texts().join(u'|');
        EXPECT_EQ(answers.boxes.size(), cancel ? 0u : 1u);
        EXPECT_EQ(told.contains(name) && told.contains(u"Dateiname"_s), !cancel);
        EXPECT_EQ(dialog->isVisible(), !cancel);
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(dialog->DataSetName(), "lingomat.voc");
        EXPECT_EQ(statistics.PlayerName(), "Anna");
        EXPECT_EQ(StoredRecent(), recent);
    }
}

using Rows = std::vector<std::vector<std::string>>;

// Names chosen so that byte order and a friendlier order disagree.
const std::vector<TestLesson> kLessons = {
    {"zebra", "1"}, {"\"uben", "2"}, {"Apfel", "3"}, {"apfel", "4"}, {"Zoo", "5"}};
const std::vector<TestRecord> kRecords = {
    {"1", "le z\\'ebre", "the zebra", "das Zebra"}, {"2", "exercer", "to practise", "\\\"uben"},
    {"3", "la pomme", "the apple", "der Apfel"},    {"4", "la pomme", "the apple", "der Apfel"},
    {"5", "le zoo", "the zoo", "der Zoo"},
};

// Their rows in byte order.
constexpr std::size_t kZoo = 1;
constexpr std::size_t kZebra = 3;

constexpr std::int64_t kFirstGame = 1'700'000'000;
constexpr std::int64_t kSecondGame = 1'700'090'000;

class PlayerStatisticsDialogTest : public ::testing::Test {
protected:
    void Load(const std::string& dataSet = "lingomat.voc") {
        document.Load(kLessons, kRecords, dataSet);
        document->Statistics().SetPlayerName("Anna");
    }
    // Lesson "zebra" once from German to English, 8 of 10, its one word right and so in box 1;
    // lesson "Zoo" first 90 %, later 50 %.
    void Play() {
        document->Cards().Answer(document->vocabulary.at(0), LanguageGerman, LanguageEnglish, true,
                                 20000);
        document.clock.Set(kFirstGame);
        PlayerStatistics& statistics = document->Statistics();
        statistics.Record("1", 0.8f, 1.0f, GameModeWrite, LanguageGerman, LanguageEnglish);
        statistics.Record("5", 0.9f, 1.0f, GameModeWrite, LanguageFrench, LanguageGerman);
        document.clock.Set(kSecondGame);
        statistics.Record("5", 0.5f, 1.0f, GameModeWrite, LanguageEnglish, LanguageGerman);
    }
    void Open() {
        dialog = std::make_unique<PlayerStatisticsDialog>(document->Statistics(),
                                                          document->lessonTable, *document);
        dialog->show();
    }

    template <typename T> T* Find(const char* name) { return testing::Find<T>(*dialog, name); }
    QTreeWidget* List() { return Find<QTreeWidget>("lessonStatisticsList"); }
    Rows Shown() {
        Rows rows;
        QTreeWidget* list = List();
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            std::vector<std::string> row;
            for (int column = 0; column < 3; ++column) {
                row.push_back(FromQString(list->topLevelItem(i)->text(column)));
            }
            rows.push_back(row);
        }
        return rows;
    }
    // The best result of the lesson in the given row, or when it was played last (column 2).
    std::string Cell(std::size_t row, std::size_t column = 1) { return Shown().at(row).at(column); }
    // "" keeps the language chosen.
    void Choose(const char* combo, const char* text) {
        Find<QComboBox>(combo)->setCurrentText(QString::fromUtf8(text));
    }
    static std::string Stamp(std::int64_t seconds) {
        return QDateTime::fromSecsSinceEpoch(seconds)
            .toString(QStringLiteral("dd.MM.yyyy HH:mm"))
            .toStdString();
    }
    TestDocument document;
    std::unique_ptr<PlayerStatisticsDialog> dialog;
};

// One row per lesson in byte order; a player without name or games sees the lessons without
// results. The language filters restrict the best result, never when a lesson was played. A
// Spanish data set offers German and Spanish only, and at first neither list claims a language:
// the rows hold every direction.
TEST_F(PlayerStatisticsDialogTest, OneRowPerLessonInByteOrderFilteredByLanguage) {
    Load();
    document->Statistics().SetPlayerName("");
    Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Statistik f\u00fcr "));
    for (const auto& row : Shown()) {
        EXPECT_EQ(row[1] + row[2], " - ---") << row[0];
    }
    const std::string ueben = "\xFC"
                              "ben";
    // data set to open ("": the one open), question and answer language to choose ("": as they
    // are), best result of "zebra" and of "Zoo"
    const std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
        {"lingomat.voc", "", "", " (80.0%)", " (90.0%)"},
        {"", "Deutsch", "Englisch", " (80.0%)", " - "},
        {"", "Englisch", "Deutsch", " - ", " (50.0%)"},
        {"", "Alle", "Deutsch", " - ", " (90.0%)"},
        {"", "Französisch", "Alle", " - ", " (90.0%)"},
        {"", "Deutsch", "Alle", " (80.0%)", " - "},
        {"", "Alle", "Alle", " (80.0%)", " (90.0%)"},
        {"spain.voc", "", "", " (80.0%)", " (90.0%)"},
        {"", "Deutsch", "", " (80.0%)", " - "},
        {"", "", "Spanisch", " (80.0%)", " - "},
        {"", "Spanisch", "Deutsch", " - ", " (50.0%)"},
    };
    for (const auto& [dataSet, question, answer, zebra, zoo] : cases) {
        if (*dataSet != '\0') {
            Load(dataSet);
            Play();
            Open();
            EXPECT_EQ(Shown(), (Rows{{"Apfel", " - ", "---"},
                                     {"Zoo", " (90.0%)", Stamp(kSecondGame)},
                                     {"apfel", " - ", "---"},
                                     {"zebra", " (80.0%)", Stamp(kFirstGame)},
                                     {ueben, " - ", "---"}}));
            const QString offered = std::string(dataSet) == "spain.voc"
                                        ? u"Deutsch|Spanisch"_s
                                        : u"Alle|Deutsch|Englisch|Franz\u00f6sisch"_s;
            for (const char* name : {"questionLanguageCombo", "answerLanguageCombo"}) {
                auto* combo = Find<QComboBox>(name);
                EXPECT_EQ(ComboItems(combo).join(u'|'), offered) << dataSet;
                EXPECT_EQ(combo->currentIndex() < 0 ? combo->placeholderText()
                                                    : combo->currentText(),
                          u"Alle"_s)
                    << dataSet;
            }
            // The bar begins with box 1 in red and ends with the directions never asked in grey.
            QApplication::processEvents();
            QTreeWidget* list = List();
            const QImage picture = list->viewport()->grab().toImage();
            const QRect cell = list->visualItemRect(list->topLevelItem(kZebra))
                                   .intersected(QRect(list->header()->sectionViewportPosition(3), 0,
                                                      list->columnWidth(3), 10000));
            EXPECT_EQ(picture.pixelColor(cell.left() + 7, cell.center().y()),
                      QColor(224, 102, 102));
            EXPECT_EQ(picture.pixelColor(cell.right() - 9, cell.center().y()),
                      QColor(215, 215, 215));
            SaveShot(*dialog, u"player-statistics-"_s + QString::fromLatin1(dataSet).chopped(4));
        }
        Choose("questionLanguageCombo", question);
        Choose("answerLanguageCombo", answer);
        EXPECT_EQ(Cell(kZebra), zebra) << question << " -> " << answer;
        EXPECT_EQ(Cell(kZoo), zoo) << question << " -> " << answer;
        EXPECT_EQ(Cell(kZoo, 2), Stamp(kSecondGame));
        // The bar of "zebra" holds its word in box 1 where the result counts.
        const QVariantList bar = List()->topLevelItem(kZebra)->data(3, Qt::UserRole + 1).toList();
        EXPECT_EQ(bar.value(1).toUInt(), std::string(zebra) == " - " ? 0u : 1u);
    }
}

// Clearing asks first, "Nein" the default; on "Ja" list and file empty at once, and a clearing
// that cannot be saved says so.
TEST_F(PlayerStatisticsDialogTest, ClearingAsksThenEmptiesListAndFileAtOnce) {
    // The answer to the question, the player, whether the results go.
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"noButton", "Anna", false}, {"yesButton", "Anna", true}, {"yesButton", "a/b", true}};
    for (const auto& [answer, player, cleared] : cases) {
        Load();
        document->Statistics().SetPlayerName(player);
        Play();
        const bool saved = document->Statistics().Save();
        Open();
        Choose("questionLanguageCombo", "Deutsch");
        Answers answers;
        answers.Press(answer);
        Find<QPushButton>("clearButton")->click();
        const QStringList texts = answers.Texts();
        ASSERT_EQ(texts.size(), saved ? 1 : 2) << player;
        EXPECT_EQ(texts[0], u"Sollen wirklich alle Ergebnisse von \u201e"_s +
                                QString::fromUtf8(player) + u"\u201c gel\u00f6scht werden?"_s);
        EXPECT_EQ(answers.boxes[0].defaultButton, u"noButton"_s);
        if (!saved) {
            EXPECT_TRUE(texts[1].contains(QStringLiteral("a/b")));
        }
        EXPECT_EQ(Cell(kZebra), cleared ? " - " : " (80.0%)") << answer;
        EXPECT_EQ(document->Statistics().Records().empty(), cleared);
        EXPECT_EQ(Find<QComboBox>("questionLanguageCombo")->currentText(), u"Deutsch"_s);
        if (saved) {
            // The file read again holds what the list shows.
            PlayerStatistics reread;
            reread.SetDirectory(document.folder.Path());
            reread.SetPlayerName(player);
            reread.Load();
            EXPECT_EQ(reread.Records().empty(), cleared);
        }
        EXPECT_TRUE(dialog->isVisible());
    }
}

} // namespace
} // namespace lingomat::testing
