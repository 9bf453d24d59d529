#include <fstream>
#include <functional>
#include <set>

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "SetupDialogTestSupport.h"
#include "UiTestSupport.h"
#include "data/DataSetLoader.h"
#include "game/LingomatDoc.h"
#include "platform/qt/Cp1252.h"
#include "platform/qt/QtDocumentHost.h"
#include "ui/LoadingDialog.h"
#include "ui/SmallDialogCommands.h"
#include "ui/StatisticsDialog.h"
#include "ui/TipsDialog.h"

namespace lingomat::testing {
namespace {

// Runs act once on the first modal dialog of type T that opens, then closes it; a dialog that
// never opens fails the test instead of blocking it.
template <typename T> class WhenModal {
public:
    explicit WhenModal(std::function<void(T&)> act) : act(std::move(act)) {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            timer.stop();
            seen = true;
            this->act(*dialog);
            dialog->done(QDialog::Accepted);
        });
        timer.start();
    }
    bool seen = false;

private:
    std::function<void(T&)> act;
    QTimer timer;
};

int ScreenHeight() {
    return QGuiApplication::primaryScreen()->availableGeometry().height();
}

TEST(GameStatisticsTest, RefusesBeforeTheFirstAnswer) {
    uitest::GameDocument game;
    MessageCatcher messages;
    WhenModal<StatisticsDialog> statistics([](StatisticsDialog&) {});
    ShowGameStatistics(game.document, nullptr);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], QStringLiteral("Sie m\u00fcssen schon gespielt haben, um diese "
                                                "Funktion benutzen zu k\u00f6nnen."));
    EXPECT_EQ(messages.captions[0], QStringLiteral("Lingomat"));
    EXPECT_FALSE(statistics.seen);
}

TEST(GameStatisticsTest, ShowsTallyRemainingQuestionsAndBar) {
    uitest::GameDocument game;
    game.document.rightCount = 3;
    game.document.wrongCount = 1;
    int bar = -1;
    QString text;
    WhenModal<StatisticsDialog> statistics([&](StatisticsDialog& dialog) {
        bar = dialog.findChild<QProgressBar*>(QStringLiteral("rightShareBar"))->value();
        text = dialog.findChild<QLabel*>(QStringLiteral("statisticsText"))->text();
        EXPECT_TRUE(
            dialog.grab().save(ScreenshotFolder() + QStringLiteral("/game-statistics.png")));
    });
    ShowGameStatistics(game.document, nullptr);
    ASSERT_TRUE(statistics.seen);
    EXPECT_EQ(bar, 75);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Sie haben 4 Fragen beantwortet.")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\n\nEs sind noch %1 Fragen zu beantworten.")
                                  .arg(game.document.pool.Size())));
}

TEST(GameStatisticsTest, BarIsTheShareOfRightAnswersCutTowardsZero) {
    struct Case {
        std::uint32_t right;
        std::uint32_t wrong;
        int share;
    };
    const Case cases[] = {
        {3, 1, 75},  {2, 1, 66},   {1, 2, 33}, {1, 0, 100},        {0, 5, 0},
        {29, 71, 29}, {57, 43, 57}, {0, 0, 0}, {4000000000u, 4000000000u, 50},
        {1, 199, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RightAnswerShare(c.right, c.wrong), c.share) << c.right << "/" << c.wrong;
    }
}

class TipsTest : public ::testing::Test {
protected:
    // contents == nullptr: no "tipps.txt" at all.
    void Open(const char* contents) {
        if (contents != nullptr) {
            std::ofstream(folder.File("tipps.txt"), std::ios::binary) << contents;
        }
        doc = std::make_unique<CLingomatDoc>(host, profile, clock, folder.path);
        Show();
    }
    void Show() {
        dialog = std::make_unique<TipsDialog>(*doc);
        dialog->show();
    }
    QTextEdit* TipView() { return dialog->findChild<QTextEdit*>(QStringLiteral("tipText")); }
    QPushButton* Button(const char* name) {
        return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    }

    TempFolder folder;
    QuietHost host;
    MemoryProfileStore profile;
    FixedClock clock{1000};
    std::unique_ptr<CLingomatDoc> doc;
    std::unique_ptr<TipsDialog> dialog;
};

TEST_F(TipsTest, NoTipToShowGivesAFriendlyText) {
    struct Case {
        const char* label;
        const char* contents;
    };
    const Case cases[] = {
        {"missing file", nullptr},
        {"empty file", ""},
        {"empty lines only", "\n\r\n\n"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(folder.File("tipps.txt"));
        Open(c.contents);
        EXPECT_EQ(dialog->TipText(), TipsDialog::NoTipsText()) << c.label;
        EXPECT_EQ(TipView()->toPlainText(), TipsDialog::NoTipsText()) << c.label;
        EXPECT_FALSE(Button("nextTipButton")->isEnabled()) << c.label;
        Button("closeButton")->click();
        EXPECT_FALSE(dialog->isVisible()) << c.label;
    }
    EXPECT_TRUE(dialog->grab().save(ScreenshotFolder() + QStringLiteral("/tips-none.png")));
}

TEST_F(TipsTest, NextTipDrawsAmongTheTipsNeverAnEmptyLine) {
    Open("Erster Tipp.\n\nZweiter Tipp.\nDritter Tipp.\n");
    ASSERT_EQ(doc->tipList.size(), 5u);
    const std::set<QString> tips = {QStringLiteral("Erster Tipp."),
                                    QStringLiteral("Zweiter Tipp."),
                                    QStringLiteral("Dritter Tipp.")};
    std::set<QString> seen;
    for (int i = 0; i < 40; ++i) {
        ASSERT_EQ(tips.count(dialog->TipText()), 1u) << dialog->TipText().toStdString();
        EXPECT_EQ(TipView()->toPlainText(), dialog->TipText());
        seen.insert(dialog->TipText());
        Button("nextTipButton")->click();
    }
    EXPECT_EQ(seen, tips);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Tipps"));
}

TEST_F(TipsTest, LongTipsWrapInsideTheBoxAndStayOnTheScreen) {
    Open("Kurz.\n");
    const int usualWidth = dialog->sizeHint().width();
    struct Case {
        const char* label;
        std::string tip;
        bool scrolls;
    };
    std::string words;
    while (words.size() < 499) {
        words += "Vokabeln ";
    }
    const Case cases[] = {
        {"one word", std::string(499, 'x'), false},
        {"many words", words.substr(0, 499), false},
        {"longer than any screen", std::string(20000, 'w'), true},
    };
    for (const Case& c : cases) {
        doc->tipList = {c.tip};
        Show();
        QApplication::processEvents();
        EXPECT_EQ(dialog->TipText(), ToQString(c.tip)) << c.label;
        EXPECT_EQ(dialog->sizeHint().width(), usualWidth) << c.label;
        EXPECT_EQ(TipView()->horizontalScrollBar()->maximum(), 0) << c.label;
        EXPECT_LE(dialog->frameGeometry().height(), ScreenHeight()) << c.label;
        EXPECT_EQ(TipView()->verticalScrollBar()->maximum() > 0, c.scrolls) << c.label;
    }
    doc->tipList = {std::string(499, 'a')};
    Show();
    EXPECT_TRUE(dialog->grab().save(ScreenshotFolder() + QStringLiteral("/tips-long.png")));
}

TEST(TipsRenderingTest, ShippedTips) {
    uitest::GameDocument game;
    ASSERT_FALSE(game.document.tipList.empty());
    int shown = 0;
    WhenModal<TipsDialog> tips([&](TipsDialog& dialog) {
        shown = !dialog.TipText().isEmpty() && dialog.TipText() != TipsDialog::NoTipsText();
        EXPECT_TRUE(dialog.grab().save(ScreenshotFolder() + QStringLiteral("/tips.png")));
    });
    ShowTips(game.document, nullptr);
    EXPECT_TRUE(tips.seen);
    EXPECT_TRUE(shown);
}

TEST(LoadingDialogTest, FollowsTheLoadAndStaysUntilItEnds) {
    LoadingDialog dialog;
    dialog.Begin(0, 100);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Laden von Lingomat"));
    dialog.Set(42);
    EXPECT_EQ(dialog.Value(), 42);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    dialog.Set(64);
    EXPECT_EQ(dialog.Value(), 64);
    EXPECT_TRUE(dialog.grab().save(ScreenshotFolder() + QStringLiteral("/loading.png")));
    dialog.End();
    EXPECT_FALSE(dialog.isVisible());
    dialog.Set(80);
    EXPECT_EQ(dialog.Value(), 64);
}

TEST(LoadingDialogTest, TheDocumentHostLoadsWithIt) {
    MemoryProfileStore profile;
    QtDocumentHost host(profile);
    auto* dialog = dynamic_cast<LoadingDialog*>(host.LoadingProgress());
    ASSERT_NE(dialog, nullptr);
    VocDatabase database;
    LoadDataSet(database, (uitest::GameFolder() + QStringLiteral("/lingomat.voc")).toStdString(),
                dialog);
    EXPECT_FALSE(database.vocabulary.empty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->Loading());
    EXPECT_EQ(host.LoadingProgress(), dialog);
}

} // namespace
} // namespace lingomat::testing
