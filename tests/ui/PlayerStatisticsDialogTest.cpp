#include <fstream>
#include <iterator>

#include <QComboBox>
#include <QDateTime>
#include <QPushButton>
#include <QTreeWidget>

#include "SetupDialogTestSupport.h"
#include "game/LingomatDoc.h"
#include "platform/Clock.h"
#include "platform/ProfileStore.h"
#include "platform/qt/Cp1252.h"
#include "players/dialogs/PlayerStatisticsDialog.h"

namespace lingomat::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// Names chosen so that byte order and a friendlier order disagree.
const std::vector<TestLesson> kLessons = {
    {"zebra", "1"}, {"\"uben", "2"}, {"Apfel", "3"}, {"apfel", "4"}, {"Zoo", "5"}};
const std::vector<TestRecord> kRecords = {
    {"1", "le z\\'ebre", "the zebra", "das Zebra"}, {"2", "exercer", "to practise", "\\\"uben"},
    {"3", "la pomme", "the apple", "der Apfel"},    {"4", "la pomme", "the apple", "der Apfel"},
    {"5", "le zoo", "the zoo", "der Zoo"},
};

constexpr std::int64_t kFirstGame = 1'700'000'000;
constexpr std::int64_t kSecondGame = 1'700'090'000;

class PlayerStatisticsDialogTest : public ::testing::Test {
protected:
    void Load(const std::string& dataSet = "lingomat.voc") {
        WriteDataSet(folder.File(dataSet), kLessons, kRecords);
        profile.WriteString("Lingomat", "Dataset", dataSet);
        doc = std::make_unique<CLingomatDoc>(host, profile, clock, folder.path);
        doc->OnNewDocument();
        ASSERT_EQ(doc->lessonTable.lessons.size(), kLessons.size());
        doc->playerStatistics.SetPlayerName("Anna");
    }
    // Lesson "zebra" once from German to English, 8 of 10; lesson "Zoo" first 90 %, later 50 %.
    void Play() {
        clock.Set(kFirstGame);
        doc->playerStatistics.Record("1", 0.8f, 1.0f, GameModeWrite, LanguageGerman,
                                     LanguageEnglish);
        doc->playerStatistics.Record("5", 0.9f, 1.0f, GameModeWrite, LanguageFrench,
                                     LanguageGerman);
        clock.Set(kSecondGame);
        doc->playerStatistics.Record("5", 0.5f, 1.0f, GameModeWrite, LanguageEnglish,
                                     LanguageGerman);
    }
    void Open() {
        dialog = std::make_unique<PlayerStatisticsDialog>(doc->playerStatistics,
                                                          doc->lessonTable, *doc);
        dialog->show();
    }

    template <typename T> T* Find(const char* name) {
        auto* widget = dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    Rows Shown() {
        Rows rows;
        auto* list = Find<QTreeWidget>("lessonStatisticsList");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            std::vector<std::string> row;
            for (int column = 0; column < 3; ++column) {
                row.push_back(FromQString(list->topLevelItem(i)->text(column)));
            }
            rows.push_back(row);
        }
        return rows;
    }
    std::string Cell(const std::string& lesson, int column) {
        for (const auto& row : Shown()) {
            if (row[0] == lesson) {
                return row[static_cast<std::size_t>(column)];
            }
        }
        ADD_FAILURE() << "no row " << lesson;
        return {};
    }
    static std::vector<std::string> Items(QComboBox* combo) {
        std::vector<std::string> items;
        for (int i = 0; i < combo->count(); ++i) {
            items.push_back(FromQString(combo->itemText(i)));
        }
        return items;
    }
    void Choose(const char* combo, const char* text) {
        auto* box = Find<QComboBox>(combo);
        const int index = box->findText(QString::fromUtf8(text));
        ASSERT_GE(index, 0) << text;
        box->setCurrentIndex(index);
    }
    static std::string Stamp(std::int64_t seconds) {
        return QDateTime::fromSecsSinceEpoch(seconds)
            .toString(QStringLiteral("dd.MM.yyyy HH:mm"))
            .toStdString();
    }
    // The player file with its bytes turned back, one entry per line.
    std::vector<std::string> PlayerFileLines() {
        std::ifstream in(folder.File("Anna.lmp"), std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::vector<std::string> lines(1);
        for (char stored : bytes) {
            const char c = static_cast<char>(~stored);
            if (c == '\n') {
                lines.emplace_back();
            } else {
                lines.back() += c;
            }
        }
        if (lines.back().empty()) {
            lines.pop_back();
        }
        return lines;
    }

    TempFolder folder;
    QuietHost host;
    MemoryProfileStore profile;
    FixedClock clock{kFirstGame};
    std::unique_ptr<CLingomatDoc> doc;
    std::unique_ptr<PlayerStatisticsDialog> dialog;
};

TEST_F(PlayerStatisticsDialogTest, OneRowPerLessonInByteOrder) {
    Load();
    Play();
    Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Statistik f\u00fcr Anna"));
    const Rows expected = {
        {"Apfel", " - ", "---"},
        {"Zoo", " (90.0%)", Stamp(kSecondGame)},
        {"apfel", " - ", "---"},
        {"zebra", " (80.0%)", Stamp(kFirstGame)},
        {"\xFC" "ben", " - ", "---"},
    };
    EXPECT_EQ(Shown(), expected);
    EXPECT_EQ(Items(Find<QComboBox>("questionLanguageCombo")),
              (std::vector<std::string>{"Alle", "Deutsch", "Englisch", "Franz\xF6sisch"}));
    EXPECT_EQ(Find<QComboBox>("answerLanguageCombo")->currentText(), QStringLiteral("Alle"));
}

TEST_F(PlayerStatisticsDialogTest, LanguageFiltersRestrictTheBestResult) {
    Load();
    Play();
    Open();
    struct Case {
        const char* question;
        const char* answer;
        const char* zebra;
        const char* zoo;
    };
    const Case cases[] = {
        {"Deutsch", "Englisch", " (80.0%)", " - "},
        {"Englisch", "Deutsch", " - ", " (50.0%)"},
        {"Alle", "Deutsch", " - ", " (90.0%)"},
        {"Französisch", "Alle", " - ", " (90.0%)"},
        {"Deutsch", "Alle", " (80.0%)", " - "},
        {"Alle", "Alle", " (80.0%)", " (90.0%)"},
    };
    for (const Case& c : cases) {
        Choose("questionLanguageCombo", c.question);
        Choose("answerLanguageCombo", c.answer);
        EXPECT_EQ(Cell("zebra", 1), c.zebra) << c.question << " -> " << c.answer;
        EXPECT_EQ(Cell("Zoo", 1), c.zoo) << c.question << " -> " << c.answer;
        // The filters never touch when a lesson was played.
        EXPECT_EQ(Cell("Zoo", 2), Stamp(kSecondGame));
        EXPECT_EQ(Shown().size(), kLessons.size());
    }
}

TEST_F(PlayerStatisticsDialogTest, SpanishDataSetOffersGermanAndSpanishOnly) {
    Load("spain.voc");
    Play();
    Open();
    for (const char* name : {"questionLanguageCombo", "answerLanguageCombo"}) {
        auto* combo = Find<QComboBox>(name);
        EXPECT_EQ(Items(combo), (std::vector<std::string>{"Deutsch", "Spanisch"})) << name;
        // Nothing chosen yet, and the rows hold every direction: the list must not claim one.
        EXPECT_EQ(combo->currentIndex(), -1) << name;
        EXPECT_EQ(combo->placeholderText(), QStringLiteral("Alle")) << name;
    }
    EXPECT_EQ(Cell("Zoo", 1), " (90.0%)");
    Choose("questionLanguageCombo", "Deutsch");
    EXPECT_EQ(Cell("zebra", 1), " (80.0%)");
    EXPECT_EQ(Cell("Zoo", 1), " - ");
    Choose("answerLanguageCombo", "Spanisch");
    EXPECT_EQ(Cell("zebra", 1), " (80.0%)");
    Choose("questionLanguageCombo", "Spanisch");
    Choose("answerLanguageCombo", "Deutsch");
    EXPECT_EQ(Cell("zebra", 1), " - ");
    EXPECT_EQ(Cell("Zoo", 1), " (50.0%)");
}

TEST_F(PlayerStatisticsDialogTest, ClearingEmptiesListAndFileAtOnce) {
    Load();
    Play();
    ASSERT_TRUE(doc->playerStatistics.Save());
    Open();
    Choose("questionLanguageCombo", "Deutsch");
    MessageCatcher messages;
    Find<QPushButton>("clearButton")->click();
    EXPECT_TRUE(messages.texts.isEmpty());
    for (const auto& row : Shown()) {
        EXPECT_EQ(row[1], " - ") << row[0];
        EXPECT_EQ(row[2], "---") << row[0];
    }
    EXPECT_EQ(Shown().size(), kLessons.size());
    EXPECT_EQ(Find<QComboBox>("questionLanguageCombo")->currentText(), QStringLiteral("Deutsch"));
    EXPECT_EQ(PlayerFileLines(), (std::vector<std::string>{"Anna", "LingomatUserData", "#"}));
    EXPECT_TRUE(doc->playerStatistics.Records().empty());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(PlayerStatisticsDialogTest, ClearingThatCannotBeSavedSaysSo) {
    Load();
    doc->playerStatistics.SetPlayerName("a/b");
    Play();
    Open();
    MessageCatcher messages;
    Find<QPushButton>("clearButton")->click();
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains(QStringLiteral("a/b")));
    EXPECT_EQ(Cell("Zoo", 1), " - ");
}

TEST_F(PlayerStatisticsDialogTest, PlayerWithoutNameOrGamesSeesEmptyResults) {
    Load();
    doc->playerStatistics.SetPlayerName("");
    Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Statistik f\u00fcr "));
    for (const auto& row : Shown()) {
        EXPECT_EQ(row[1], " - ") << row[0];
        EXPECT_EQ(row[2], "---") << row[0];
    }
}

TEST(ByteOrderTest, ComparesUnsignedBytes) {
    struct Case {
        const char* a;
        const char* b;
        bool before;
    };
    const Case cases[] = {
        {"Z", "a", true},          {"a", "Z", false},      {"z", "\xE4", true},
        {"\xE4", "z", false},      {"Apfel", "apfel", true}, {"ab", "abc", true},
        {"abc", "ab", false},      {"ab", "ab", false},     {"", "a", true},
        {"\x7F", "\x80", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SortsBeforeByBytes(c.a, c.b), c.before) << c.a << " / " << c.b;
    }
}

TEST_F(PlayerStatisticsDialogTest, Rendering) {
    Load();
    Play();
    Open();
    EXPECT_TRUE(dialog->grab().save(ScreenshotFolder() + QStringLiteral("/player-statistics.png")));
    dialog.reset();
    Load("spain.voc");
    Play();
    Open();
    EXPECT_TRUE(
        dialog->grab().save(ScreenshotFolder() + QStringLiteral("/player-statistics-spanish.png")));
}

} // namespace
} // namespace lingomat::testing
