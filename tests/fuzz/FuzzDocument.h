#pragma once

#include "FuzzSupport.h"
#include "ScriptedHost.h"
#include "game/LingomatDoc.h"
#include "platform/Clock.h"
#include "platform/ProfileStore.h"

namespace lingomat::fuzz {

// A document whose files live in the scratch folder, with everything it refers to beside it.
// Every question is answered with the safe choice and no player is switched.
struct FuzzDocument {
    testing::ScriptedHost host{false};
    MemoryProfileStore profile;
    FixedClock clock{1'700'000'000};
    CLingomatDoc doc{host, profile, clock, ScratchFolder::Path()};
};

} // namespace lingomat::fuzz
