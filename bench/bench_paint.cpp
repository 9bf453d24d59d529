// One full repaint of the game screen, as the player's window does it: erase step, then the
// screen the game's state calls for, on Qt's offscreen platform with the shipped data set and
// pictures. Run from anywhere; it works in the build's game folder.
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <QApplication>
#include <QWindow>

#include <benchmark/benchmark.h>

#include "game/LingomatDoc.h"
#include "platform/Clock.h"
#include "platform/DocumentHost.h"
#include "platform/ProfileStore.h"
#include "screen/LingomatView.h"

namespace {

using namespace lingomat;

class QuietHost : public DocumentHost {
public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageButtons,
                              MessageIcon) override {
        return MessageAnswer::No;
    }
    void ChoosePlayer(PlayerStatistics&, std::string&) override {}
};

// Counts its repaints, so a benchmark can tell that every repaint really drew the screen.
class CountingView : public CLingomatView {
public:
    using CLingomatView::CLingomatView;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        CLingomatView::paintEvent(event);
    }
};

// A document on the shipped data set and a view of the size the main window gives it.
struct Screen {
    Screen() : doc(host, profile, clock, "."), view(doc) {
        doc.OnNewDocument();
        view.SetHost(&host);
        view.resize(700, 430);
        view.show();
        // Until the window is exposed, repaint() has nothing to paint into.
        for (int i = 0; i < 1000 && !(view.windowHandle() && view.windowHandle()->isExposed());
             ++i) {
            QCoreApplication::processEvents();
        }
        if (!view.windowHandle() || !view.windowHandle()->isExposed()) {
            std::abort();
        }
    }
    void Start(GameMode mode) {
        doc.OnNewDocument();
        doc.ChooseGame(mode, doc.questionLanguage, doc.answerLanguage);
        doc.questionLanguage = LanguageGerman;
        doc.answerLanguage = LanguageEnglish;
        doc.lessonTable.lessons.at(0).selected = true;
        doc.lessonTable.selectedLessonCount = 1;
        doc.StartGame();
        view.StartGameTimers();
    }
    void Type(const char* text) {
        for (const char* c = text; *c != '\0'; ++c) {
            view.OnChar(static_cast<unsigned char>(*c));
        }
    }

    QuietHost host;
    MemoryProfileStore profile;
    FixedClock clock{1'700'000'000};
    CLingomatDoc doc;
    CountingView view;
};

void Repaint(benchmark::State& state, Screen& screen) {
    const int before = screen.view.paints;
    int painted = 0;
    for (auto _ : state) {
        screen.view.repaint();
        ++painted;
    }
    // The screen really was drawn each time, not skipped as unchanged or hidden.
    if (screen.view.paints - before < painted) {
        state.SkipWithError("repaint did not paint");
    }
}

void BM_RepaintStartScreen(benchmark::State& state) {
    Screen screen;
    Repaint(state, screen);
}
BENCHMARK(BM_RepaintStartScreen)->Unit(benchmark::kMicrosecond);

// Question, flags, the answer being typed, score bar, clock and a tip.
void BM_RepaintGameScreen(benchmark::State& state) {
    Screen screen;
    screen.Start(GameModeWrite);
    screen.Type("the answer so far");
    Repaint(state, screen);
}
BENCHMARK(BM_RepaintGameScreen)->Unit(benchmark::kMicrosecond);

// After a wrong answer: verdict texts, the three languages of the last question, the picture.
void BM_RepaintVerdictScreen(benchmark::State& state) {
    Screen screen;
    screen.Start(GameModeWrite);
    screen.Type("falsch\r");
    Repaint(state, screen);
}
BENCHMARK(BM_RepaintVerdictScreen)->Unit(benchmark::kMicrosecond);

void BM_RepaintChoiceScreen(benchmark::State& state) {
    Screen screen;
    screen.Start(GameModeChoiceOtherLessons);
    Repaint(state, screen);
}
BENCHMARK(BM_RepaintChoiceScreen)->Unit(benchmark::kMicrosecond);

void BM_RepaintGameOverScreen(benchmark::State& state) {
    Screen screen;
    screen.Start(GameModeWrite);
    screen.view.OnEndGame();
    Repaint(state, screen);
}
BENCHMARK(BM_RepaintGameOverScreen)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication application(argc, argv);
    std::filesystem::current_path(LINGOMAT_BENCH_GAME_DIR);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
