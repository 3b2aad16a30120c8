#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPixmap>

#include <algorithm>
#include <utility>

// The darkest tenth of a picture's drawn pixels, and how many are clearly
// coloured: a toolbar picture reads as enabled by its dark outline or ink,
// or by its colour.
inline std::pair<int, int> pictureTone(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QList<int> lightness;
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = QColor::fromRgba(image.pixel(x, y));
            if (colour.alpha() < 128)
                continue;
            lightness << colour.lightness();
            if (colour.hslSaturation() > 100 && colour.lightness() < 200)
                ++coloured;
        }
    std::sort(lightness.begin(), lightness.end());
    return {lightness.isEmpty() ? 255 : lightness.at(lightness.size() / 10), coloured};
}
