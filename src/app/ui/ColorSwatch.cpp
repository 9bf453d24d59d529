#include "ui/ColorSwatch.h"

#include <QPainter>

namespace lingomat {

QColor ColourFromRgb(std::uint32_t rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

std::uint32_t RgbFromColour(const QColor& colour) {
    const QColor plain = colour.toRgb();
    return static_cast<std::uint32_t>(plain.red()) |
           (static_cast<std::uint32_t>(plain.green()) << 8) |
           (static_cast<std::uint32_t>(plain.blue()) << 16);
}

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent) {}

void ColorSwatch::SetColour(std::uint32_t rgb) {
    colour = rgb;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(contentsRect(), ColourFromRgb(colour));
}

} // namespace lingomat
