#include "screen/ScreenFont.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QStringList>

namespace lingomat {

QFont ScreenFont(int height, int width, int weight, bool underline) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setUnderline(underline);
    if (weight > 0) {
        font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    }
    if (height <= 0) {
        return font;
    }
    // The cell height counts the internal leading; Qt's pixel size is the em without it.
    QFont probe = font;
    probe.setPixelSize(100);
    const QFontMetricsF probeMetrics(probe);
    const double cell = probeMetrics.ascent() + probeMetrics.descent();
    const int pixels = std::max(1, static_cast<int>(std::lround(height * 100.0 / cell)));
    font.setPixelSize(pixels);
    if (width > 0) {
        const double natural = QFontMetricsF(font).averageCharWidth();
        if (natural > 0) {
            font.setStretch(
                std::clamp(static_cast<int>(std::lround(100.0 * width / natural)), 1, 4000));
        }
    }
    return font;
}

FontSpec FitFont(FontSpec font, const QString& text, int width, int weightStep) {
    constexpr int narrowest = 3;
    while (font.width > narrowest && QFontMetrics(font.Font()).horizontalAdvance(text) > width) {
        --font.width;
        font.weight = std::max(1, font.weight - weightStep);
    }
    return font;
}

QColor FromColorRef(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

} // namespace lingomat
