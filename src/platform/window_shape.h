#pragma once

#include <QImage>
#include <QRegion>

class QWidget;

namespace platform {

// A picture file held in memory, decoded; a null image when the bytes are no picture.
QImage decodePicture(const unsigned char *bytes, int size);

// The pixels whose red, green or blue differs from the colour value (red in the low byte,
// green in the next, blue in the third).
QRegion regionOutsideColour(const QImage &picture, unsigned colour);

// Cuts the pixels of exactly the colour out of the window, picture pixel (x, y) on window
// pixel (x, y). Returns false, leaving the window as it was, when the bytes do not decode.
bool shapeWindowFromPicture(QWidget *window, const unsigned char *bytes, int size, unsigned colour);

// Places a window at the centre of the screen it is on.
void centreOnScreen(QWidget *window);

} // namespace platform
