#include "platform/window_shape.h"

#include <QBuffer>
#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QWidget>

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

constexpr unsigned PureRed = 255;

// A picture drawn as text: K is the key colour (pure red), 'a' red 254 / green 0 / blue 0,
// 'b' red 255 / green 0 / blue 1, anything else an ordinary opaque blue.
QRgb colourOf(char c)
{
    switch (c) {
    case 'K':
        return qRgb(255, 0, 0);
    case 'a':
        return qRgb(254, 0, 0);
    case 'b':
        return qRgb(255, 0, 1);
    default:
        return qRgb(90, 130, 200);
    }
}

QImage pictureFrom(std::initializer_list<const char *> rows)
{
    QImage picture(int(qstrlen(*rows.begin())), int(rows.size()), QImage::Format_RGB32);
    int y = 0;
    for (const char *row : rows) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, colourOf(row[x]));
        ++y;
    }
    return picture;
}

QByteArray bitmapFile(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    return bytes;
}

const unsigned char *data(const QByteArray &bytes)
{
    return reinterpret_cast<const unsigned char *>(bytes.constData());
}

class ShapeWindowFromPicture : public ::testing::Test
{
protected:
    // Rows with a hole inside the outline, several runs in one row, runs that touch both
    // edges, a row of key colour only, and the two near-key colours.
    const QImage picture = pictureFrom({
        "KK...KK",
        ".......",
        "..aKb..",
        ".K.K.K.",
        "KKKKKKK",
    });
    const QByteArray file = bitmapFile(picture);
    QWidget window;
};

TEST_F(ShapeWindowFromPicture, MaskKeepsExactlyThePixelsThatAreNotTheKeyColour)
{
    window.resize(picture.size());
    ASSERT_TRUE(platform::shapeWindowFromPicture(&window, data(file), int(file.size()), PureRed));

    const QRegion mask = window.mask();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            EXPECT_EQ(mask.contains(QPoint(x, y)), picture.pixel(x, y) != qRgb(255, 0, 0))
                << "at (" << x << ", " << y << ")";
    EXPECT_TRUE(mask.contains(QPoint(2, 2))) << "red 254 is not the key colour";
    EXPECT_TRUE(mask.contains(QPoint(4, 2))) << "blue 1 is not the key colour";
    EXPECT_FALSE(mask.contains(QPoint(3, 2))) << "a key pixel inside the outline is a hole";
    EXPECT_EQ(mask.boundingRect(), QRect(0, 0, 7, 4));
}

TEST_F(ShapeWindowFromPicture, BytesThatAreNoPictureLeaveTheWindowAsItWas)
{
    const QRegion before(0, 0, 3, 3);
    window.setMask(before);
    const QByteArray truncated = file.left(20);
    const QByteArray text("not a picture at all");

    for (const QByteArray &bytes : {truncated, text, QByteArray()}) {
        EXPECT_TRUE(platform::decodePicture(data(bytes), int(bytes.size())).isNull());
        EXPECT_FALSE(platform::shapeWindowFromPicture(&window, data(bytes), int(bytes.size()), PureRed));
        EXPECT_EQ(window.mask(), before);
    }
}

// A colour value holds red in its low byte, green in the next and blue in the third.
TEST(RegionOutsideColour, CutsOnlyThePixelsOfExactlyTheColourValue)
{
    struct Case {
        QRgb pixel;
        unsigned colour;
        bool kept;
    };
    const Case cases[] = {
        {qRgb(255, 0, 0), 0x0000FF, false}, {qRgb(254, 0, 0), 0x0000FF, true},  {qRgb(255, 1, 0), 0x0000FF, true},
        {qRgb(255, 0, 1), 0x0000FF, true},  {qRgb(0, 0, 255), 0xFF0000, false}, {qRgb(255, 0, 0), 0xFF0000, true},
        {qRgb(0, 255, 0), 0x00FF00, false}, {qRgb(1, 2, 3), 0x030201, false},   {qRgb(3, 2, 1), 0x030201, true},
        {qRgb(0, 0, 0), 0x000000, false},
    };
    for (const Case &c : cases) {
        QImage picture(1, 1, QImage::Format_RGB32);
        picture.setPixel(0, 0, c.pixel);
        EXPECT_EQ(platform::regionOutsideColour(picture, c.colour).contains(QPoint(0, 0)), c.kept)
            << std::hex << "pixel " << c.pixel << ", colour value " << c.colour;
    }
}

} // namespace
