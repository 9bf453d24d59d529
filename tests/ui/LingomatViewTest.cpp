#include <vector>

#include <QDir>
#include <QImage>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "screen/LingomatView.h"
#include "ui/AboutDialog.h"
#include "ui/HelpWindow.h"
#include "ui/MainFrame.h"

namespace lingomat {
namespace {

QImage Render(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

int CountPixels(const QImage& image, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

struct BackgroundCase {
    std::int32_t lastVerdict;
    QColor expected;
};

TEST(LingomatViewTest, StartScreenBackgroundFollowsTheLastVerdict) {
    const std::uint32_t right = 0x112233; // red 0x33, green 0x22, blue 0x11
    const std::uint32_t wrong = 12500735;
    const std::vector<BackgroundCase> cases = {
        {-1, QColor(0x33, 0x22, 0x11)},
        {1, QColor(0x33, 0x22, 0x11)},
        {0, QColor(255, 190, 190)},
    };
    uitest::GameDocument game;
    game.document.colorRight = right;
    game.document.colorWrong = wrong;
    CLingomatView view(game.document);
    view.resize(692, 420);
    for (const BackgroundCase& background : cases) {
        game.document.lastVerdict = background.lastVerdict;
        const QImage image = Render(view);
        for (const QPoint corner : {QPoint(1, 1), QPoint(1, 418), QPoint(690, 418)}) {
            EXPECT_EQ(image.pixelColor(corner), background.expected)
                << background.lastVerdict << " at " << corner.x() << "," << corner.y();
        }
        // Most of the screen is background; the rest is the three big words and the texts.
        EXPECT_GT(CountPixels(image, background.expected), image.width() * image.height() / 4);
    }
}

TEST(LingomatViewTest, StartScreenDrawsItsWordsAndTexts) {
    uitest::GameDocument game;
    CLingomatView view(game.document);
    view.resize(692, 420);
    const QImage image = Render(view);
    EXPECT_EQ(image.pixelColor(1, 1), QColor(190, 255, 190));
    // "Lingomat" fills a good part of the screen; the black texts stand on top of it.
    EXPECT_GT(CountPixels(image, QColor(190, 190, 255)), 2000);
    EXPECT_GT(CountPixels(image, QColor(255, 160, 255)), 500);
    EXPECT_GT(CountPixels(image, QColor(255, 255, 160)), 200);
    EXPECT_GT(CountPixels(image, QColor(0, 0, 0)), 500);
}

TEST(HelpWindowTest, ShowsTheContentsAndTheFirstPage) {
    CHelpWindow help(QDir(uitest::GameFolder()).filePath(QStringLiteral("help")));
    help.ShowContents();
    ASSERT_TRUE(help.HasContents());
    EXPECT_GT(help.Contents()->topLevelItemCount(), 3);
    EXPECT_TRUE(help.Browser()->source().toLocalFile().endsWith(QStringLiteral("/index.html")));
    EXPECT_FALSE(help.Browser()->toPlainText().isEmpty());
    help.close();
}

TEST(HelpWindowTest, DamagedContentsNestSoundlyAndNamePagesOfTheFolderOnly) {
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("help"));
    const QString helpFolder = folder.filePath(QStringLiteral("help"));
    QFile contents(QDir(helpFolder).filePath(QStringLiteral("contents.txt")));
    ASSERT_TRUE(contents.open(QIODevice::WriteOnly));
    contents.write("../secret.html\tGeheim\n"
                   "\t\t\t\ttief.html\tZu tief\n"
                   "no tab here\n"
                   "\n"
                   "b.html\tZweite\n");
    contents.close();
    QFile outside(folder.filePath(QStringLiteral("secret.html")));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.write("<p>outside</p>");
    outside.close();

    CHelpWindow help(helpFolder);
    help.ShowContents();
    ASSERT_EQ(help.Contents()->topLevelItemCount(), 2);
    // A level that jumps ahead hangs below the line before it.
    ASSERT_EQ(help.Contents()->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(help.Contents()->topLevelItem(0)->child(0)->text(0), QStringLiteral("Zu tief"));
    EXPECT_EQ(help.Browser()->source().toLocalFile(),
              QDir(helpFolder).absoluteFilePath(QStringLiteral("secret.html")));
    EXPECT_FALSE(help.Browser()->toPlainText().contains(QStringLiteral("outside")));
    help.close();
}

TEST(HelpWindowTest, MissingHelpSaysSo) {
    QTemporaryDir folder;
    CHelpWindow help(folder.path());
    help.ShowContents();
    EXPECT_FALSE(help.HasContents());
    EXPECT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("nicht gefunden")));
    help.close();
}

// Pictures of the windows for looking at; they also show that everything can be painted.
TEST(RenderingTest, SavesScreenshotsOfFrameAboutAndHelp) {
    const QDir shots(QStringLiteral(LINGOMAT_BINARY_DIR "/screenshots"));
    ASSERT_TRUE(shots.mkpath(QStringLiteral(".")));
    uitest::GameDocument game;
    CMainFrame frame(game.document);
    frame.resize(700, 500);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_TRUE(frame.grab().save(shots.filePath(QStringLiteral("main-window.png"))));

    CAboutDialog about(&frame);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_TRUE(about.grab().save(shots.filePath(QStringLiteral("about.png"))));
    about.close();

    frame.ShowHelp();
    ASSERT_NE(frame.HelpWindow(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.HelpWindow()));
    EXPECT_TRUE(frame.HelpWindow()->grab().save(shots.filePath(QStringLiteral("help.png"))));
    frame.HelpWindow()->close();
}

} // namespace
} // namespace lingomat
