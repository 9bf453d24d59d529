#pragma once

#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "game/LingomatDoc.h"
#include "platform/Clock.h"
#include "platform/DocumentHost.h"
#include "platform/ProfileStore.h"

namespace lingomat::fuzz {

// Stands in for the window: every question is answered with the safe choice, and no player is
// switched, so a document runs on its own.
class QuietHost : public DocumentHost {
public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageButtons buttons,
                              MessageIcon) override {
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    void ChoosePlayer(PlayerStatistics&, std::string&) override {}
};

// A document whose files live in the scratch folder, with everything it refers to beside it.
struct FuzzDocument {
    QuietHost host;
    MemoryProfileStore profile;
    FixedClock clock{1'700'000'000};
    CLingomatDoc doc{host, profile, clock, ScratchFolder::Path()};
};

} // namespace lingomat::fuzz
