#include "platform/window_shape.h"

#include <QScreen>

#include <algorithm>

#include <QRect>
#include <QWidget>

namespace platform {

QImage decodePicture(const unsigned char *bytes, int size)
{
    return QImage::fromData(bytes, size);
}

QRegion regionOutsideColour(const QImage &picture, unsigned colour)
{
    const QRgb key = qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF) & RGB_MASK;
    const auto kept = [key](QRgb pixel) { return (pixel & RGB_MASK) != key; };
    const QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
    // Runs added in row order are appended to the region, so it grows without re-merging.
    QRegion region;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        const QRgb *end = row + pixels.width();
        for (const QRgb *first = std::find_if(row, end, kept); first != end;) {
            const QRgb *last = std::find_if_not(first, end, kept);
            region += QRect(int(first - row), y, int(last - first), 1);
            first = std::find_if(last, end, kept);
        }
    }
    return region;
}

bool shapeWindowFromPicture(QWidget *window, const unsigned char *bytes, int size, unsigned colour)
{
    const QImage picture = decodePicture(bytes, size);
    if (picture.isNull())
        return false;
    window->setMask(regionOutsideColour(picture, colour));
    return true;
}

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

} // namespace platform
