#include <fstream>
#include <set>
#include <tuple>

#include "UiTestSupport.h"
#include "data/DataSetLoader.h"
#include "host/QtDocumentHost.h"
#include "support/LoadingDialog.h"
#include "ui/SmallDialogCommands.h"
#include "ui/StatisticsDialog.h"
#include "ui/TipsDialog.h"

namespace lingomat::testing {
namespace {

TEST(GameStatisticsTest, RefusedBeforeTheFirstAnswerThenShowsTallyRemainingQuestionsAndBar) {
    GameDocument game;
    {
        Answers answers;
        ShowGameStatistics(game.document, nullptr);
        EXPECT_EQ(answers.Texts(), QStringList{u"Sie m\u00fcssen schon gespielt haben, um diese "
                                               u"Funktion benutzen zu k\u00f6nnen."_s});
        EXPECT_TRUE(answers.dialogs.isEmpty());
    }
    DocProbe::RightCount(game.document) = 3;
    DocProbe::WrongCount(game.document) = 1;
    Answers answers;
    answers.On<StatisticsDialog>([&](StatisticsDialog& dialog) {
        EXPECT_EQ(Find<QProgressBar>(dialog, "rightShareBar")->value(), 75);
        const QString text = Find<QLabel>(dialog, "statisticsText")->text();
        EXPECT_TRUE(text.startsWith(QStringLiteral("Sie haben 4 Fragen beantwortet.")));
        EXPECT_TRUE(text.endsWith(u"\n\n"_s + ToQString(game.document.RemainingText())));
        SaveShot(dialog, "game-statistics");
    });
    ShowGameStatistics(game.document, nullptr);
    // The bar is the share of right answers, cut towards zero.
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

    TestDocument document{{{"Alles", "1"}}, {}};
    std::unique_ptr<TipsDialog> dialog;
};

// "Nächster Tipp" draws among the tips, never an empty line; without a tip to show (no file, an
// empty one, one of empty lines) the dialog gives a friendly text and nothing to draw. Long tips
// stay inside the box.
TEST_F(TipsTest, NextTipDrawsAmongTheTipsNeverAnEmptyLineAndLongOnesStayInTheBox) {
    const std::set<QString> none = {TipsDialog::NoTipsText()};
    const std::set<QString> three = {u"Erster Tipp."_s, u"Zweiter Tipp."_s, u"Dritter Tipp."_s};
    const std::pair<const char*, const std::set<QString>*> cases[] = {
        {nullptr, &none},
        {"", &none},
        {"\n\r\n\n", &none},
        {"Erster Tipp.\n\nZweiter Tipp.\nDritter Tipp.\n", &three},
    };
    for (const auto& [contents, tips] : cases) {
        Open(contents);
        std::set<QString> seen;
        for (int i = 0; i < 40; ++i) {
            ASSERT_EQ(tips->count(dialog->TipText()), 1u) << dialog->TipText().toStdString();
            EXPECT_EQ(TipView()->toPlainText(), dialog->TipText());
            seen.insert(dialog->TipText());
            ClickButton(*dialog, "nextTipButton");
        }
        EXPECT_EQ(seen, *tips);
        EXPECT_EQ(Find(*dialog, "nextTipButton")->isEnabled(), tips == &three);
        SaveShot(*dialog, tips == &three ? "tips" : "tips-none");
        ClickButton(*dialog, "closeButton");
        EXPECT_FALSE(dialog->isVisible());
    }
    EXPECT_EQ(document->Tips().size(), 5u);

    // A long tip wraps inside the box, which keeps its width and stays on the screen.
    const int usualWidth = dialog->sizeHint().width();
    // One long word, and one longer than any screen.
    for (const auto& [tip, scrolls] :
         {std::pair{std::string(499, 'x'), false}, std::pair{std::string(20000, 'w'), true}}) {
        DocProbe::Tips(*document) = {tip};
        Show();
        QApplication::processEvents();
        EXPECT_EQ(dialog->TipText(), ToQString(tip)) << tip.size();
        EXPECT_EQ(dialog->sizeHint().width(), usualWidth) << tip.size();
        EXPECT_EQ(TipView()->horizontalScrollBar()->maximum(), 0) << tip.size();
        EXPECT_LE(dialog->frameGeometry().height(),
                  QGuiApplication::primaryScreen()->availableGeometry().height());
        EXPECT_EQ(TipView()->verticalScrollBar()->maximum() > 0, scrolls) << tip.size();
        if (!scrolls) {
            SaveShot(*dialog, "tips-long");
        }
    }
}

// The real boxes, without answers standing in: Enter presses the default button and Escape the
// escape one, and a file chooser left with Escape chooses nothing.
TEST(PromptsTest, RealBoxesTakeEnterAndEscapeAsSaid) {
    // Whether "Ja" is the default, the key pressed, whether the answer is "Ja".
    const std::tuple<bool, Qt::Key, bool> cases[] = {{false, Qt::Key_Return, false},
                                                     {true, Qt::Key_Return, true},
                                                     {true, Qt::Key_Escape, false}};
    const auto pressOnceShown = [](Qt::Key key) {
        QTimer::singleShot(0, [key] {
            QWidget* shown = QApplication::activeModalWidget();
            ASSERT_NE(shown, nullptr);
            QTest::keyClick(shown, key);
        });
    };
    for (const auto& [yesIsDefault, key, yes] : cases) {
        pressOnceShown(key);
        EXPECT_EQ(AskYesNo(nullptr, u"Frage"_s, u"Lingomat"_s, QMessageBox::Question, yesIsDefault),
                  yes)
            << yesIsDefault << key;
    }
    pressOnceShown(Qt::Key_Return);
    ShowDialogMessage(nullptr, u"Nachricht"_s, u"Lingomat"_s, QMessageBox::Warning);
    pressOnceShown(Qt::Key_Escape);
    EXPECT_EQ(AskFile(nullptr, {.caption = u"Fehlerdatei laden"_s, .folder = GameFolder()}),
              QString());
}

// The loading window follows the load, stays until it ends, and the document host loads with it.
TEST(LoadingDialogTest, FollowsTheLoadAndStaysUntilItEnds) {
    LoadingDialog dialog;
    dialog.Begin(0, 100);
    EXPECT_TRUE(dialog.isVisible());
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

    MemoryProfileStore profile;
    QtDocumentHost host(profile);
    auto* hosts = dynamic_cast<LoadingDialog*>(host.LoadingProgress());
    ASSERT_NE(hosts, nullptr);
    VocDatabase database;
    LoadDataSet(database, (GameFolder() + QStringLiteral("/lingomat.voc")).toStdString(), hosts);
    EXPECT_FALSE(database.vocabulary.empty());
    EXPECT_FALSE(hosts->isVisible());
    EXPECT_FALSE(hosts->Loading());
    EXPECT_EQ(host.LoadingProgress(), hosts);
}

} // namespace
} // namespace lingomat::testing
