#pragma once

#include <cstdint>

#include <QColor>
#include <QFont>

namespace lingomat {

// A font given as the game's drawing code has always given it: the character cell height and
// the average character width in pixels and a weight from 0 to 1000 (0 and 0 mean the
// defaults). Arial where installed, else its metric twin Liberation Sans.
QFont ScreenFont(int height, int width = 0, int weight = 0, bool underline = false);

// The large-text font of the answer box and the copy template.
QFont LargeTextFont();

// A colour stored as a 32-bit value with red in the lowest byte.
QColor FromColorRef(std::uint32_t value);

} // namespace lingomat
