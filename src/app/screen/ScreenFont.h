#pragma once

#include <cstdint>

#include <QColor>
#include <QFont>

namespace lingomat {

// A font given as the game's drawing code has always given it: the character cell height and
// the average character width in pixels and a weight from 0 to 1000 (0 and 0 mean the
// defaults). Arial where installed, else its metric twin Liberation Sans.
QFont ScreenFont(int height, int width = 0, int weight = 0, bool underline = false);

// A font as the drawing code describes it, so that fitting can narrow and lighten it step by step.
struct FontSpec {
    int height = 0;
    int width = 0;
    int weight = 0;
    bool underline = false;

    QFont Font() const { return ScreenFont(height, width, weight, underline); }
};

// Narrows the font by one pixel of character width and lightens it by weightStep until the text
// fits the width on one line. It stops at a width of 3 pixels, where text is still legible.
FontSpec FitFont(FontSpec font, const QString& text, int width, int weightStep);

// A colour stored as a 32-bit value with red in the lowest byte.
QColor FromColorRef(std::uint32_t value);

} // namespace lingomat
