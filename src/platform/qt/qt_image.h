#pragma once

#include <QColor>
#include <QImage>

#include "common/colour.h"
#include "common/image.h"

namespace platform::qt {

inline QColor ToQColor(common::Colour colour) {
    return QColor(common::Red(colour), common::Green(colour), common::Blue(colour));
}

inline common::Colour FromQRgb(QRgb rgb) { return common::Rgb(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

inline QImage ToQImage(const common::Image& image) {
    QImage result(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < image.width; ++x) {
            const common::Colour c = image.At(x, y);
            line[x] = qRgb(common::Red(c), common::Green(c), common::Blue(c));
        }
    }
    return result;
}

}  // namespace platform::qt
