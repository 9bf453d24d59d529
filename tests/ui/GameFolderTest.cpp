#include "ui/GameFolder.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

namespace lingomat {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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

// Three folders as on an installed system: the working directory the menu starts the game in,
// the read-only shipped files, and the player's data home.
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
        for (const char* name : {"lingomat.voc", "spanbasic.voc", "tipps.txt"}) {
            SetAge(shipped / name, 48);
        }
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
        {"", "/home/anna", "/home/anna/.local/share/lingomat"},
        {"relative/data", "/home/anna", "/home/anna/.local/share/lingomat"},
        {"/data/anna", nullptr, "/data/anna/lingomat"},
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
        {"relative", "relative-home", ""},
    };
    for (const auto& [xdgDataHome, home, expected] : cases) {
        EXPECT_EQ(PlayerGameFolder(xdgDataHome, home), fs::path(expected))
            << (xdgDataHome ? xdgDataHome : "(unset)") << " / " << (home ? home : "(unset)");
    }
}

TEST_F(GameFolderTest, WorkingDirectoryWithItsOwnDataSetIsKept) {
    for (const char* name : {"meine.voc", "ALT.VOC"}) {
        SCOPED_TRACE(name);
        const fs::path own = working / name;
        Write(own, "own");
        const GameFolderChoice choice = Choose();
        EXPECT_EQ(choice.folder, working);
        EXPECT_FALSE(choice.playerFolder);
        EXPECT_FALSE(choice.failed);
        EXPECT_FALSE(fs::exists(player));
        fs::remove(own);
    }
}

// A folder or a file only named like a data set is none.
TEST_F(GameFolderTest, MenuStartFillsThePlayersFolder) {
    fs::create_directories(working / "ordner.voc");
    Write(working / "lingomat.voc.bak", "backup");
    Write(shipped / "LIESMICH", "not for the game folder");
    EXPECT_FALSE(HoldsDataSet(working));
    const GameFolderChoice choice = Choose();
    EXPECT_EQ(choice.folder, player);
    EXPECT_TRUE(choice.playerFolder);
    EXPECT_FALSE(choice.failed);
    for (const auto& [name, text] : kShipped) {
        EXPECT_EQ(Read(player / name), text);
    }
    EXPECT_FALSE(fs::exists(player / "LIESMICH"));
    EXPECT_FALSE(HoldsDataSet(working));
    // No half-written copies are left behind.
    for (const auto& entry : fs::directory_iterator(player)) {
        EXPECT_EQ(entry.path().filename().string().find(".partial"), std::string::npos)
            << entry.path();
    }
}

TEST_F(GameFolderTest, CopiesOnlyWhatIsMissingOrOlder) {
    // The age of the player's copy (< 0: he has none; the shipped file is 48 hours old) and
    // whether it is replaced.
    for (const auto& [hoursAgo, replaced] :
         {std::pair{-1, true}, std::pair{72, true}, std::pair{48, false}, std::pair{1, false}}) {
        SCOPED_TRACE(hoursAgo);
        fs::remove_all(player);
        if (hoursAgo >= 0) {
            Write(player / "lingomat.voc", "player's copy");
            SetAge(player / "lingomat.voc", hoursAgo);
        }
        ASSERT_EQ(Choose().folder, player);
        EXPECT_EQ(Read(player / "lingomat.voc"), replaced ? "shipped lingomat" : "player's copy");
    }
}

TEST_F(GameFolderTest, PlayersOwnFilesAndLinksAreLeftAlone) {
    Write(shipped / "Anna.lmp", "shipped by mistake");
    Write(shipped / "fehler.lef", "shipped by mistake");
    const struct {
        const char* name;
        const char* text;
    } own[] = {
        {"Anna.lmp", "Anna's statistics"},
        {"fehler.lef", "Anna's mistakes"},
        {"meine.voc", "Anna's own data set"},
        {"Lingomat.VOC", "another own data set"},
    };
    for (const auto& file : own) {
        Write(player / file.name, file.text);
        SetAge(player / file.name, 500);
    }
    // A data set the player linked in stays linked, however old its file.
    Write(root / "elsewhere.voc", "linked by the player");
    SetAge(root / "elsewhere.voc", 500);
    fs::create_symlink(root / "elsewhere.voc", player / "spanbasic.voc");
    ASSERT_EQ(Choose().folder, player);
    for (const auto& file : own) {
        EXPECT_EQ(Read(player / file.name), file.text) << file.name;
    }
    EXPECT_EQ(Read(player / "lingomat.voc"), "shipped lingomat");
    EXPECT_TRUE(fs::is_symlink(player / "spanbasic.voc"));
    EXPECT_EQ(Read(root / "elsewhere.voc"), "linked by the player");
}

TEST_F(GameFolderTest, HelpAndPicturesFollowTheCurrentInstallation) {
    struct Case {
        const char* name;
        void (*prepare)(const fs::path& player, const fs::path& root);
        bool linked;
    };
    const Case cases[] = {
        {"none yet", [](const fs::path&, const fs::path&) {}, true},
        {"link of an earlier installation",
         [](const fs::path& p, const fs::path& r) {
             fs::create_directories(p);
             fs::create_directories(r / "old/help");
             fs::create_directory_symlink(r / "old/help", p / "help");
             fs::create_directory_symlink(r / "gone/images", p / "images");
         },
         true},
        {"real folders with an old page",
         [](const fs::path& p, const fs::path&) {
             Write(p / "help/index.html", "old help");
             SetAge(p / "help/index.html", 500);
             Write(p / "images/toolbar.png", "old picture");
             SetAge(p / "images/toolbar.png", 500);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(player);
        c.prepare(player, root);
        const GameFolderChoice choice = Choose();
        ASSERT_EQ(choice.folder, player);
        EXPECT_FALSE(choice.failed);
        EXPECT_EQ(fs::is_symlink(player / "help"), c.linked);
        EXPECT_EQ(Read(player / "help/index.html"), "shipped help");
        EXPECT_EQ(Read(player / "images/toolbar.png"), "shipped picture");
    }
    // An earlier copy is used once the installation is gone.
    fs::remove_all(shipped);
    const GameFolderChoice choice = Choose();
    EXPECT_EQ(choice.folder, player);
    EXPECT_FALSE(choice.failed);
}

TEST_F(GameFolderTest, FailureIsReportedOnlyWhenTheGameHasNoDataSet) {
    struct Case {
        const char* name;
        fs::path (*playerFolder)(const fs::path& root);
        bool removeShipped;
        bool failed;
    };
    const Case cases[] = {
        // A file where the data home should be: the folder cannot be made, even as root.
        {"data home blocked",
         [](const fs::path& r) {
             Write(r / "blocked", "a file");
             return r / "blocked/lingomat";
         },
         false, true},
        {"no home at all", [](const fs::path&) { return fs::path(); }, false, true},
        // A program run from a build folder elsewhere has nothing to copy: nothing to report.
        {"nothing shipped", [](const fs::path& r) { return r / "data/lingomat"; }, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.removeShipped) {
            fs::remove_all(shipped);
        }
        const GameFolderChoice choice = ChooseGameFolder(working, shipped, c.playerFolder(root));
        EXPECT_EQ(choice.folder, working);
        EXPECT_FALSE(choice.playerFolder);
        EXPECT_EQ(choice.failed, c.failed);
    }
}

} // namespace
} // namespace lingomat
