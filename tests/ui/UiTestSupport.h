#pragma once

#include <memory>
#include <string>

#include <QDir>

#include "game/LingomatDoc.h"
#include "platform/DocumentHost.h"
#include "platform/ProfileStore.h"

namespace lingomat::uitest {

// The folder the build fills with everything the game reads: data sets, tips, help, pictures.
inline QString GameFolder() { return QStringLiteral(LINGOMAT_BINARY_DIR "/game"); }

// Answers every question with "no" and keeps the player as he is, so no dialog ever blocks.
class QuietHost : public DocumentHost {
public:
    MessageAnswer ShowMessage(const std::string& text, const std::string&, MessageButtons buttons,
                              MessageIcon) override {
        lastMessage = text;
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
    }
    void ChoosePlayer(PlayerStatistics&, std::string&) override {}

    MessageAnswer answer = MessageAnswer::No;
    std::string lastMessage;
};

// A document on the shipped files, started up as at the program's start.
struct GameDocument {
    GameDocument() : document(host, profile, clock, GameFolder().toStdString()) {
        document.OnNewDocument();
    }
    QuietHost host;
    MemoryProfileStore profile;
    FixedClock clock{1'700'000'000};
    CLingomatDoc document;
};

} // namespace lingomat::uitest
