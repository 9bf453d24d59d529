#pragma once

#include <string>

#include "data/LessonTable.h"

namespace lingomat {

// Marks the first lesson whose name, with its accent escapes decoded, equals displayName: the
// lesson dialogs list names decoded and find the lesson again by what they show. The cursor is
// left on the marked lesson, or past the end when no name matches (then nothing is marked).
void SelectByDisplayName(LessonTable& table, const std::string& displayName);

} // namespace lingomat
