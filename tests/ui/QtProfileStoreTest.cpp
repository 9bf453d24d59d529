#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QDirIterator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "host/QtProfileStore.h"

namespace lingomat {
namespace {

class QtProfileStoreTest : public ::testing::Test {
protected:
    QString IniFile() const { return folder.filePath(QStringLiteral("settings/lingomat.ini")); }

    // Every file below the temporary folder, relative to it.
    QStringList Files() const {
        QStringList files;
        QDirIterator it(folder.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            files << QDir(folder.path()).relativeFilePath(it.next());
        }
        return files;
    }

    QTemporaryDir folder;
};

// Value names ignore letter case; a missing value gives the default, text that is no number 0.
TEST_F(QtProfileStoreTest, ValueNamesIgnoreLetterCaseAndMissingValuesGiveTheDefault) {
    QtProfileStore store(IniFile());
    store.WriteInt("Anna", "Right", 650);
    store.WriteString("Anna", "CorrectionOptions", "X X   ");
    EXPECT_EQ(store.GetInt("Anna", "right", 400), 650);
    EXPECT_EQ(store.GetInt("Anna", "RIGHT", 400), 650);
    EXPECT_EQ(store.GetString("Anna", "correctionoptions", ""), "X X   ");
    store.WriteInt("Anna", "right", 700);
    EXPECT_EQ(store.GetInt("Anna", "Right", 400), 700);
    EXPECT_EQ(store.GetInt("Anna", "wrong", 2000), 2000);
    EXPECT_EQ(store.GetString("Lingomat", "Dataset", "lingomat.voc"), "lingomat.voc");
    store.WriteString("Anna", "wrong", "viel");
    EXPECT_EQ(store.GetInt("Anna", "wrong", 2000), 0);
    store.WriteString("Anna", "glimpse", "");
    EXPECT_EQ(store.GetString("Anna", "glimpse", "x"), "");
}

TEST_F(QtProfileStoreTest, ValuesSurviveReopeningWithTheirWindows1252Bytes) {
    const std::string name = "J\xfcrgen M\xfcller";
    {
        QtProfileStore store(IniFile());
        store.WriteString("Lingomat", "Player1", name);
        store.WriteInt(name, "ColorWrong", 12500735);
        store.WriteInt(name, "Big", -4'000'000'000);
        EXPECT_TRUE(store.Sync());
    }
    QtProfileStore reopened(IniFile());
    EXPECT_EQ(reopened.GetString("Lingomat", "player1", ""), name);
    EXPECT_EQ(reopened.GetInt(name, "colorwrong", 0), 12500735);
    EXPECT_EQ(reopened.GetInt(name, "big", 0), -4'000'000'000);
}

// A settings folder that cannot be written (here a file stands where it should be, which stops
// every user, root too) is reported, not passed over.
TEST_F(QtProfileStoreTest, SettingsThatCannotBeWrittenAreReported) {
    QFile blocker(folder.filePath(QStringLiteral("settings")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QtProfileStore store(IniFile());
    store.WriteInt("Anna", "Right", 650);
    EXPECT_FALSE(store.Sync());
}

// Player names become section names; none of these may reach another section or a file.
TEST_F(QtProfileStoreTest, HostilePlayerNamesStayInTheirOwnSection) {
    const std::vector<std::string> names = {"../x",
                                            "[General]",
                                            "General",
                                            "a/b",
                                            "a",
                                            "a\\b",
                                            "Lingomat/Dataset",
                                            "%41",
                                            "A",
                                            "x=y",
                                            "; c",
                                            "",
                                            "\n[Lingomat]\nDataset=evil",
                                            "..",
                                            "/etc/passwd"};
    {
        QtProfileStore store(IniFile());
        store.WriteString("Lingomat", "Dataset", "lingomat.voc");
        for (std::size_t i = 0; i < names.size(); ++i) {
            store.WriteString(names[i], "Dataset", "evil" + std::to_string(i));
        }
    }
    QtProfileStore store(IniFile());
    EXPECT_EQ(store.GetString("Lingomat", "Dataset", ""), "lingomat.voc");
    EXPECT_EQ(store.GetString("b", "Dataset", "none"), "none");
    EXPECT_EQ(store.GetString("x", "Dataset", "none"), "none");
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(store.GetString(names[i], "Dataset", ""), "evil" + std::to_string(i))
            << "player \"" << names[i] << "\"";
    }
    EXPECT_EQ(Files(), QStringList{QStringLiteral("settings/lingomat.ini")});
}

TEST(QtProfileStoreDefaultTest, LivesInTheUsersConfigFolderUnderTheApplicationName) {
    QtProfileStore store;
    const QString config = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    ASSERT_FALSE(config.isEmpty());
    EXPECT_EQ(store.FileName(),
              QDir(config).filePath(QStringLiteral("Lingomat/Lingomat -  Das Vokabelspiel.ini")));
}

} // namespace
} // namespace lingomat
