#pragma once

#include <cstdint>

#include <QColor>
#include <QFrame>

namespace lingomat {

// Colours are kept as the settings store them: red in the lowest byte, then green, then blue.
QColor ColourFromRgb(std::uint32_t rgb);
std::uint32_t RgbFromColour(const QColor& colour);

// A field that shows one colour over its whole inside, for choosing the background colours.
class ColorSwatch : public QFrame {
public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    std::uint32_t Colour() const { return colour; }
    // Repaints the swatch.
    void SetColour(std::uint32_t rgb);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t colour = 0;
};

} // namespace lingomat
