#include "ui/GameFolder.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "DataSets.h"
#include "host/QtProfileStore.h"
#include "support/Cp1252.h"

// The parts of the program's side that need no window: text conversion, the stored settings and the
// folder the game runs in.
namespace lingomat {
namespace {

using testing::ReadText;
using namespace Qt::Literals::StringLiterals;
namespace fs = std::filesystem;

// Every byte survives the way to QString and back; what Windows-1252 cannot hold is left out.
TEST(Cp1252Test, ConvertsBothWaysAndLeavesOutWhatWindows1252CannotHold) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string text(1, static_cast<char>(byte));
        EXPECT_EQ(FromQString(ToQString(text)), text) << "byte " << byte;
    }
    // the text, its bytes, and whether the bytes read back as the same text
    const std::tuple<const char*, std::string, bool> cases[] = {
        {"Ärger über Öl, Straße", "\304rger \374ber \326l, Stra\337e", true},
        {"5 € „Zitat“ – … Œ š Ÿ", "5 \x80 \x84Zitat\x93 \x96 \x85 \x8c \x9a \x9f", true},
        {"a→b Ω", "ab ", false},    // neither Latin-1 nor one of its additions
        {"x😀y", "xy", false},       // outside the basic plane: a surrogate pair
        {"é\u0301", "\xe9", false}, // a combining accent is no character of its own
    };
    for (const auto& [utf8, cp1252, back] : cases) {
        EXPECT_EQ(FromQString(QString::fromUtf8(utf8)), cp1252) << utf8;
        EXPECT_EQ(ToQString(cp1252) == QString::fromUtf8(utf8), back) << utf8;
    }
}

// Player names that look like another section, a path, or a line of the file.
const char* const kHostile[] = {
    "../x", "[General]", "General", "a/b", "a",  "a\\b",        "Lingomat/Dataset",          "%41",
    "A",    "x=y",       "; c",     "",    "..", "/etc/passwd", "\n[Lingomat]\nDataset=evil"};

// Values come back after reopening with their Windows-1252 bytes; value names ignore letter case, a
// missing value gives the default and text that is no number 0. Player names become section names,
// and none of them reaches another section or a file.
TEST(QtProfileStoreTest, ValuesComeBackFromTheirOwnSection) {
    QTemporaryDir folder;
    const QString ini = folder.filePath(u"settings/lingomat.ini"_s);
    const std::string jurgen = "J\xfcrgen M\xfcller";
    {
        QtProfileStore store(ini);
        store.WriteString("Lingomat", "Dataset", "lingomat.voc");
        store.WriteString("Lingomat", "Player1", jurgen);
        store.WriteInt(jurgen, "ColorWrong", 12500735);
        store.WriteInt("Anna", "Right", 650);
        store.WriteInt("Anna", "right", 700);
        store.WriteInt("Anna", "Big", -4'000'000'000);
        store.WriteString("Anna", "wrong", "viel");
        store.WriteString("Anna", "glimpse", "");
        for (std::size_t i = 0; i < std::size(kHostile); ++i) {
            store.WriteString(kHostile[i], "Dataset", "evil" + std::to_string(i));
        }
        EXPECT_TRUE(store.Sync());
    }
    QtProfileStore store(ini);
    const std::tuple<std::string, const char*, std::int64_t, std::int64_t> numbers[] = {
        {"Anna", "RIGHT", 400, 700},         {"Anna", "big", 0, -4'000'000'000},
        {"Anna", "wrong", 2000, 0},          {"Anna", "left", 2000, 2000},
        {jurgen, "colorwrong", 0, 12500735},
    };
    for (const auto& [section, name, fallback, value] : numbers) {
        EXPECT_EQ(store.GetInt(section, name, fallback), value) << name;
    }
    const std::tuple<const char*, const char*, const char*, std::string> texts[] = {
        {"Lingomat", "dataset", "", "lingomat.voc"},
        {"Lingomat", "player1", "", jurgen},
        {"Anna", "glimpse", "x", ""},
        {"Anna", "tips", "x", "x"},
        {"b", "Dataset", "none", "none"},
        {"x", "Dataset", "none", "none"},
    };
    for (const auto& [section, name, fallback, value] : texts) {
        EXPECT_EQ(store.GetString(section, name, fallback), value) << name;
    }
    for (std::size_t i = 0; i < std::size(kHostile); ++i) {
        EXPECT_EQ(store.GetString(kHostile[i], "Dataset", ""), "evil" + std::to_string(i))
            << "player \"" << kHostile[i] << "\"";
    }
    QDirIterator files(folder.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    EXPECT_EQ(QDir(folder.path()).relativeFilePath(files.next()), u"settings/lingomat.ini"_s);
    EXPECT_FALSE(files.hasNext());

    // A settings folder that cannot be written (a file stands where it should be, which stops every
    // user, root too) is reported, not passed over.
    QFile blocker(folder.filePath(u"blocked"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QtProfileStore blocked(folder.filePath(u"blocked/lingomat.ini"_s));
    blocked.WriteInt("Anna", "Right", 650);
    EXPECT_FALSE(blocked.Sync());
}

void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

void SetAge(const fs::path& file, int hoursAgo) {
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(hoursAgo));
}

// The shipped files and what they hold.
const std::pair<const char*, const char*> kShipped[] = {
    {"lingomat.voc", "shipped lingomat"},
    {"spanbasic.voc", "shipped spanbasic"},
    {"tipps.txt", "shipped tips"},
    {"help/index.html", "shipped help"},
    {"images/toolbar.png", "shipped picture"},
};

// Three folders as on an installed system: the working directory the menu starts the game in, the
// read-only shipped files, and the player's data home.
class GameFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/lingomat-gamefolder-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        working = root / "home";
        shipped = root / "usr/share/lingomat";
        player = root / "home/.local/share/lingomat";
        fs::create_directories(working);
        for (const auto& [name, text] : kShipped) {
            Write(shipped / name, text);
        }
        SetAge(shipped / "lingomat.voc", 48);
    }
    void TearDown() override { fs::remove_all(root); }

    GameFolderChoice Choose() { return ChooseGameFolder(working, shipped, player); }

    fs::path root, working, shipped, player;
};

TEST(PlayerGameFolderTest, FollowsTheDataHomeRules) {
    // XDG_DATA_HOME, HOME, the folder
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"/data/anna", "/home/anna", "/data/anna/lingomat"},
        {nullptr, "/home/anna", "/home/anna/.local/share/lingomat"},
        {"relative/data", "/home/anna", "/home/anna/.local/share/lingomat"},
        {"/data/anna", nullptr, "/data/anna/lingomat"},
        {nullptr, nullptr, ""},
        {"relative", "relative-home", ""},
    };
    for (const auto& [xdgDataHome, home, expected] : cases) {
        EXPECT_EQ(PlayerGameFolder(xdgDataHome, home), fs::path(expected))
            << (xdgDataHome ? xdgDataHome : "(unset)") << " / " << (home ? home : "(unset)");
    }
}

// The working directory stays when it holds a data set of its own, and when the player's folder
// cannot be had; only a failure while there is something to copy is told.
TEST_F(GameFolderTest, WorkingDirectoryIsKeptWithItsOwnDataSetOrWithoutAPlayersFolder) {
    // a data set of the working directory or "", the player's folder below the root or "" for none,
    // whether there are shipped files, and whether a failure is told
    const std::tuple<std::string, std::string, bool, bool> cases[] = {
        {"meine.voc", "data/lingomat", true, false},
        {"ALT.VOC", "data/lingomat", true, false},
        // A file stands where the data home should be: the folder cannot be made, even as root.
        {"", "blocked/lingomat", true, true},
        {"", "", true, true},
        // A program run from a build folder elsewhere has nothing to copy: nothing to report.
        {"", "data/lingomat", false, false},
    };
    Write(root / "blocked", "a file");
    for (const auto& [own, folder, hasShipped, failed] : cases) {
        SCOPED_TRACE(own + " " + folder);
        if (!own.empty()) {
            Write(working / own, "own");
        }
        if (!hasShipped) {
            fs::remove_all(shipped);
        }
        const GameFolderChoice choice =
            ChooseGameFolder(working, shipped, folder.empty() ? fs::path() : root / folder);
        EXPECT_EQ(choice.folder, working);
        EXPECT_FALSE(choice.playerFolder);
        EXPECT_EQ(choice.failed, failed);
        if (!own.empty()) {
            EXPECT_FALSE(fs::exists(root / "data"));
            fs::remove(working / own);
        }
    }
}

// From the menu the shipped files fill the player's folder; a folder or a file only named like a
// data set is none. The player's own files, and a data set he linked in, are left alone however old
// they are, and no half-written copies are left behind.
TEST_F(GameFolderTest, MenuStartFillsThePlayersFolderAndLeavesHisOwnFilesAlone) {
    fs::create_directories(working / "ordner.voc");
    Write(working / "lingomat.voc.bak", "backup");
    Write(shipped / "LIESMICH", "not for the game folder");
    Write(shipped / "Anna.lmp", "shipped by mistake");
    Write(shipped / "fehler.lef", "shipped by mistake");
    const std::pair<const char*, const char*> own[] = {
        {"Anna.lmp", "Anna's statistics"},
        {"fehler.lef", "Anna's mistakes"},
        {"meine.voc", "Anna's own data set"},
        {"Lingomat.VOC", "another own data set"},
    };
    for (const auto& [name, text] : own) {
        Write(player / name, text);
        SetAge(player / name, 500);
    }
    Write(root / "elsewhere.voc", "linked by the player");
    SetAge(root / "elsewhere.voc", 500);
    fs::create_symlink(root / "elsewhere.voc", player / "spanbasic.voc");
    EXPECT_FALSE(HoldsDataSet(working));

    const GameFolderChoice choice = Choose();
    EXPECT_EQ(choice.folder, player);
    EXPECT_TRUE(choice.playerFolder);
    EXPECT_FALSE(choice.failed);
    for (const auto& [name, text] : kShipped) {
        EXPECT_EQ(ReadText(player / name),
                  std::string(name) == "spanbasic.voc" ? "linked by the player" : text);
    }
    for (const auto& [name, text] : own) {
        EXPECT_EQ(ReadText(player / name), text) << name;
    }
    EXPECT_TRUE(fs::is_symlink(player / "spanbasic.voc"));
    EXPECT_FALSE(fs::exists(player / "LIESMICH"));
    EXPECT_FALSE(HoldsDataSet(working));
    for (const auto& entry : fs::directory_iterator(player)) {
        EXPECT_EQ(entry.path().filename().string().find(".partial"), std::string::npos)
            << entry.path();
    }
}

// What the player's folder held before: his copy of a data set (its age in hours, < 0: none; the
// shipped one is 48 hours old) is replaced only by a newer one. Help and pictures are linked to the
// installation, also where a link of an earlier one stood; real folders the player has are filled
// instead.
TEST_F(GameFolderTest, CopiesOnlyWhatIsOlderAndLinksHelpAndPicturesToTheInstallation) {
    const std::tuple<std::string, int, bool> cases[] = {{"none", -1, true},
                                                        {"old links", 72, true},
                                                        {"old folders", 48, false},
                                                        {"none", 1, false}};
    for (const auto& [before, hoursAgo, replaced] : cases) {
        SCOPED_TRACE(before + " " + std::to_string(hoursAgo));
        fs::remove_all(player);
        const bool folders = before == "old folders";
        if (before == "old links") {
            fs::create_directories(root / "old/help");
            fs::create_directories(player);
            fs::create_directory_symlink(root / "old/help", player / "help");
            fs::create_directory_symlink(root / "gone/images", player / "images");
        }
        for (const char* page : {"help/index.html", "images/toolbar.png"}) {
            if (folders) {
                Write(player / page, "old page");
                SetAge(player / page, 500);
            }
        }
        if (hoursAgo >= 0) {
            Write(player / "lingomat.voc", "player's copy");
            SetAge(player / "lingomat.voc", hoursAgo);
        }
        const GameFolderChoice choice = Choose();
        ASSERT_EQ(choice.folder, player);
        EXPECT_FALSE(choice.failed);
        EXPECT_EQ(fs::is_symlink(player / "help"), !folders);
        EXPECT_EQ(ReadText(player / "help/index.html"), "shipped help");
        EXPECT_EQ(ReadText(player / "images/toolbar.png"), "shipped picture");
        EXPECT_EQ(ReadText(player / "lingomat.voc"),
                  replaced ? "shipped lingomat" : "player's copy");
    }
    // An earlier copy is used once the installation is gone.
    fs::remove_all(shipped);
    const GameFolderChoice choice = Choose();
    EXPECT_EQ(choice.folder, player);
    EXPECT_FALSE(choice.failed);
}

} // namespace
} // namespace lingomat
