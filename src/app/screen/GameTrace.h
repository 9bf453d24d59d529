#pragma once

#include <cstdint>

#include <QLoggingCategory>

namespace lingomat {

class CLingomatDoc;

// A running account of the game on standard error, one line per event, for whoever wants to
// follow a game from outside the window (a player's bug report, the program driven by a script).
// Off unless switched on: QT_LOGGING_RULES="lingomat.game.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcGame)

class GameTrace {
public:
    // A game has just started: its set-up and its first question.
    void Started(const CLingomatDoc& doc);
    // Something may have happened: verdicts given, a new question up, the game over.
    void Progress(const CLingomatDoc& doc);

private:
    void Question(const CLingomatDoc& doc) const;

    std::uint32_t right = 0;
    std::uint32_t wrong = 0;
    bool over = false;
};

} // namespace lingomat
