#include <fstream>
#include <set>
#include <tuple>

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>

#include "UiTestSupport.h"
#include "data/DataSetLoader.h"
#include "host/QtDocumentHost.h"
#include "support/LoadingDialog.h"
#include "ui/SmallDialogCommands.h"
#include "ui/StatisticsDialog.h"
#include "ui/TipsDialog.h"

namespace lingomat::testing {
namespace {

int ScreenHeight() {
    return QGuiApplication::primaryScreen()->availableGeometry().height();
}

TEST(GameStatisticsTest, RefusedBeforeTheFirstAnswerThenShowsTallyRemainingQuestionsAndBar) {
    GameDocument game;
    {
        Answers answers;
        ShowGameStatistics(game.document, nullptr);
        ASSERT_EQ(answers.boxes.size(), 1u);
        EXPECT_EQ(answers.boxes[0].text, u"Sie m\u00fcssen schon gespielt haben, um diese "
                                         u"Funktion benutzen zu k\u00f6nnen."_s);
        EXPECT_EQ(answers.boxes[0].caption, u"Lingomat"_s);
        EXPECT_TRUE(answers.dialogs.isEmpty());
    }
    DocProbe::RightCount(game.document) = 3;
    DocProbe::WrongCount(game.document) = 1;
    int bar = -1;
    QString text;
    Answers answers;
    answers.On<StatisticsDialog>([&](StatisticsDialog& dialog) {
        bar = Find<QProgressBar>(dialog, "rightShareBar")->value();
        text = Find<QLabel>(dialog, "statisticsText")->text();
        SaveShot(dialog, "game-statistics");
    });
    ShowGameStatistics(game.document, nullptr);
    EXPECT_EQ(bar, 75);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Sie haben 4 Fragen beantwortet.")));
    EXPECT_TRUE(text.endsWith(u"\n\n"_s + ToQString(game.document.RemainingText())));
}

TEST(GameStatisticsTest, BarIsTheShareOfRightAnswersCutTowardsZero) {
    const std::tuple<std::uint32_t, std::uint32_t, int> cases[] = {
        {2, 1, 66}, {1, 2, 33},   {1, 0, 100},
        {0, 5, 0},  {29, 71, 29}, {57, 43, 57},
        {0, 0, 0},  {1, 199, 0},  {4000000000u, 4000000000u, 50},
    };
    for (const auto& [right, wrong, share] : cases) {
        EXPECT_EQ(RightAnswerShare(right, wrong), share) << right << "/" << wrong;
    }
}

class TipsTest : public ::testing::Test {
protected:
    // contents == nullptr: no "tipps.txt" at all.
    void Open(const char* contents) {
        const std::string file = document.folder.File("tipps.txt");
        std::filesystem::remove(file);
        if (contents != nullptr) {
            std::ofstream(file, std::ios::binary) << contents;
        }
        document->LoadTips();
        Show();
    }
    void Show() {
        dialog = std::make_unique<TipsDialog>(*document);
        dialog->show();
    }
    QTextEdit* TipView() { return Find<QTextEdit>(*dialog, "tipText"); }
    QAbstractButton* Button(const char* name) { return Find<QAbstractButton>(*dialog, name); }

    TestDocument document{{{"Alles", "1"}}, {}};
    std::unique_ptr<TipsDialog> dialog;
};

TEST_F(TipsTest, NoTipToShowGivesAFriendlyText) {
    // No file at all, an empty one, one of empty lines.
    for (const char* contents : {static_cast<const char*>(nullptr), "", "\n\r\n\n"}) {
        Open(contents);
        EXPECT_EQ(dialog->TipText(), TipsDialog::NoTipsText());
        EXPECT_EQ(TipView()->toPlainText(), TipsDialog::NoTipsText());
        EXPECT_FALSE(Button("nextTipButton")->isEnabled());
        SaveShot(*dialog, "tips-none");
        Button("closeButton")->click();
        EXPECT_FALSE(dialog->isVisible());
    }
}

TEST_F(TipsTest, NextTipDrawsAmongTheTipsNeverAnEmptyLine) {
    Open("Erster Tipp.\n\nZweiter Tipp.\nDritter Tipp.\n");
    ASSERT_EQ(document->Tips().size(), 5u);
    const std::set<QString> tips = {QStringLiteral("Erster Tipp."), QStringLiteral("Zweiter Tipp."),
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
    std::string words;
    while (words.size() < 499) {
        words += "Vokabeln ";
    }
    // One word, many words, and longer than any screen.
    for (const auto& [tip, scrolls] :
         {std::pair{std::string(499, 'x'), false}, std::pair{words.substr(0, 499), false},
          std::pair{std::string(20000, 'w'), true}}) {
        DocProbe::Tips(*document) = {tip};
        Show();
        QApplication::processEvents();
        EXPECT_EQ(dialog->TipText(), ToQString(tip)) << tip.size();
        EXPECT_EQ(dialog->sizeHint().width(), usualWidth) << tip.size();
        EXPECT_EQ(TipView()->horizontalScrollBar()->maximum(), 0) << tip.size();
        EXPECT_LE(dialog->frameGeometry().height(), ScreenHeight()) << tip.size();
        EXPECT_EQ(TipView()->verticalScrollBar()->maximum() > 0, scrolls) << tip.size();
        if (!scrolls) {
            SaveShot(*dialog, "tips-long");
        }
    }
}

TEST(TipsRenderingTest, ShippedTips) {
    GameDocument game;
    ASSERT_FALSE(game.document.Tips().empty());
    bool shown = false;
    Answers answers;
    answers.On<TipsDialog>([&](TipsDialog& dialog) {
        shown = !dialog.TipText().isEmpty() && dialog.TipText() != TipsDialog::NoTipsText();
        SaveShot(dialog, "tips");
    });
    ShowTips(game.document, nullptr);
    EXPECT_TRUE(shown);
}

// The real boxes, without answers standing in: Enter presses the default button and Escape the
// escape one, and a file chooser left with Escape chooses nothing.
TEST(PromptsTest, RealBoxesTakeEnterAndEscapeAsSaid) {
    const struct {
        bool yesIsDefault;
        Qt::Key key;
        bool yes;
    } cases[] = {{false, Qt::Key_Return, false},
                 {true, Qt::Key_Return, true},
                 {true, Qt::Key_Escape, false}};
    const auto pressOnceShown = [](Qt::Key key) {
        QTimer::singleShot(0, [key] {
            QWidget* shown = QApplication::activeModalWidget();
            ASSERT_NE(shown, nullptr);
            QTest::keyClick(shown, key);
        });
    };
    for (const auto& c : cases) {
        pressOnceShown(c.key);
        EXPECT_EQ(
            AskYesNo(nullptr, u"Frage"_s, u"Lingomat"_s, QMessageBox::Question, c.yesIsDefault),
            c.yes)
            << c.yesIsDefault << c.key;
    }
    pressOnceShown(Qt::Key_Return);
    ShowDialogMessage(nullptr, u"Nachricht"_s, u"Lingomat"_s, QMessageBox::Warning);
    pressOnceShown(Qt::Key_Escape);
    EXPECT_EQ(AskFile(nullptr, {.caption = u"Fehlerdatei laden"_s, .folder = GameFolder()}),
              QString());
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
    SaveShot(dialog, "loading");
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
    LoadDataSet(database, (GameFolder() + QStringLiteral("/lingomat.voc")).toStdString(), dialog);
    EXPECT_FALSE(database.vocabulary.empty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->Loading());
    EXPECT_EQ(host.LoadingProgress(), dialog);
}

} // namespace
} // namespace lingomat::testing
