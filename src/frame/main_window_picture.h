#pragma once

#include <QImage>
#include <QSize>

namespace frame {

// The background of the main window's start page: a quiet, light scene of a freight yard (a
// depot, a delivery van, stacked parcels and a route between pins), drawn here by code. Its top
// band, where the welcome text sits, holds nothing but a pale sky, so dark text reads on it.
QImage drawMainWindowPicture(const QSize &size);

} // namespace frame
