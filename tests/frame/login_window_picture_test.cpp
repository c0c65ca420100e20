#include "frame/login_window_picture.h"
#include "platform/window_shape.h"

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace {

using frame::LoginWindowPicture;
using frame::LoginWindowPictureSize;

constexpr int Width = 320;
constexpr int Height = 170;

struct Rgb {
    int red;
    int green;
    int blue;
    bool operator==(const Rgb &) const = default;
};

constexpr Rgb Key{255, 0, 0};

std::ostream &operator<<(std::ostream &out, const Rgb &c)
{
    return out << '(' << c.red << ", " << c.green << ", " << c.blue << ')';
}

// Read straight from the file bytes, so the layout is checked without any decoder's help:
// rows stored bottom-up, each pixel blue, green, red.
Rgb pixel(int x, int y)
{
    const unsigned char *p = LoginWindowPicture + 54 + ((Height - 1 - y) * Width + x) * 3;
    return {p[2], p[1], p[0]};
}

bool isKey(int x, int y)
{
    return pixel(x, y) == Key;
}

// The first and last opaque pixel along a line, {-1, -1} when it has none, and whether the
// opaque pixels between them leave no gap.
struct Span {
    int first = -1;
    int last = -1;
    bool unbroken = true;
    bool operator==(const Span &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Span &s)
{
    return out << s.first << '-' << s.last << (s.unbroken ? "" : " (broken)");
}

template <typename Opaque> Span opaqueSpan(int length, Opaque opaque)
{
    Span span;
    int count = 0;
    for (int i = 0; i < length; ++i) {
        if (!opaque(i))
            continue;
        if (span.first < 0)
            span.first = i;
        span.last = i;
        ++count;
    }
    span.unbroken = count == 0 || count == span.last - span.first + 1;
    return span;
}

Span rowSpan(int y)
{
    return opaqueSpan(Width, [y](int x) { return !isKey(x, y); });
}

Span columnSpan(int x)
{
    return opaqueSpan(Height, [x](int y) { return !isKey(x, y); });
}

unsigned readField(int offset, int size)
{
    unsigned value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | LoginWindowPicture[offset + i];
    return value;
}

TEST(LoginWindowPicture, HeaderDescribesA24BitBottomUpBitmapOf320By170)
{
    struct Field {
        const char *name;
        int offset;
        int size;
        unsigned value;
    };
    const Field fields[] = {
        {"signature", 0, 2, 'B' | 'M' << 8},
        {"file size", 2, 4, 163254},
        {"reserved", 6, 2, 0},
        {"reserved", 8, 2, 0},
        {"pixel offset", 10, 4, 54},
        {"information header size", 14, 4, 40},
        {"width", 18, 4, 320},
        {"height", 22, 4, 170},
        {"colour planes", 26, 2, 1},
        {"bits per pixel", 28, 2, 24},
        {"compression", 30, 4, 0},
        {"pixel array size", 34, 4, 163200},
        {"horizontal resolution", 38, 4, 2835},
        {"vertical resolution", 42, 4, 2835},
        {"palette colours", 46, 4, 0},
        {"important colours", 50, 4, 0},
    };
    for (const Field &field : fields)
        EXPECT_EQ(readField(field.offset, field.size), field.value) << field.name;
}

TEST(LoginWindowPicture, Has4364KeyPixels)
{
    int keys = 0;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            keys += isKey(x, y);
    EXPECT_EQ(keys, 4364);
}

TEST(LoginWindowPicture, TellingRowsHaveTheirOpaqueRuns)
{
    struct Rows {
        int from;
        int to;
        Span span;
    };
    const Span none;
    const Rows rows[] = {
        {0, 1, none},          {2, 2, {96, 223}},     {3, 3, {72, 247}},     {4, 4, {56, 263}},
        {5, 5, {44, 275}},     {6, 6, {35, 284}},     {8, 8, {23, 296}},     {10, 10, {19, 300}},
        {15, 15, {13, 306}},   {20, 20, {10, 309}},   {30, 30, {7, 312}},    {40, 40, {5, 314}},
        {50, 50, {3, 315}},    {60, 60, {2, 317}},    {69, 100, {1, 317}},   {109, 109, {2, 317}},
        {119, 119, {3, 315}},  {129, 129, {5, 314}},  {139, 139, {7, 312}},  {149, 149, {10, 309}},
        {154, 154, {13, 306}}, {159, 159, {19, 300}}, {161, 161, {23, 296}}, {163, 163, {35, 284}},
        {164, 164, {45, 274}}, {165, 165, {57, 262}}, {166, 166, {74, 245}}, {167, 167, {98, 221}},
        {168, 169, none},
    };
    for (const Rows &r : rows)
        for (int y = r.from; y <= r.to; ++y)
            EXPECT_EQ(rowSpan(y), r.span) << "row " << y;
}

TEST(LoginWindowPicture, LowerHalfMirrorsUpperHalfFromRow6)
{
    for (int k = 6; k <= 84; ++k)
        EXPECT_EQ(rowSpan(Height - 1 - k), rowSpan(k)) << "row " << k;
}

TEST(LoginWindowPicture, OpaqueAreaFillsColumns1To317AndRows2To167)
{
    int left = Width, right = -1, top = Height, bottom = -1;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (!isKey(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_EQ(left, 1);
    EXPECT_EQ(right, 317);
    EXPECT_EQ(top, 2);
    EXPECT_EQ(bottom, 167);
}

// Together with the bounding box, one unbroken run in every row and column means the key
// colour lies only in the corners and the border, never inside the outline.
TEST(LoginWindowPicture, EveryRowAndColumnHasOneUnbrokenOpaqueRun)
{
    for (int y = 2; y <= 167; ++y) {
        const Span span = rowSpan(y);
        EXPECT_TRUE(span.first >= 0 && span.unbroken) << "row " << y << ": " << span;
    }
    for (int x = 1; x <= 317; ++x) {
        const Span span = columnSpan(x);
        EXPECT_TRUE(span.first >= 0 && span.unbroken) << "column " << x << ": " << span;
    }
}

TEST(LoginWindowPicture, NoOpaquePixelHasMoreRedThanBlue)
{
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const Rgb colour = pixel(x, y);
            if (colour != Key) {
                EXPECT_LE(colour.red, colour.blue) << "at (" << x << ", " << y << ")";
            }
        }
}

TEST(LoginWindowPicture, SampleColours)
{
    struct Sample {
        const char *what;
        int x;
        int y;
        Rgb colour;
    };
    const Sample samples[] = {
        {"gradient at the centre", 160, 85, {133, 170, 234}},
        {"gradient near the left side", 10, 85, {88, 127, 190}},
        {"rim on the left side", 1, 85, {0, 66, 133}},
        {"rim on the top edge", 100, 2, {76, 110, 165}},
        {"highlight inside the top edge", 100, 3, {230, 250, 255}},
        {"highlight inside the bottom edge", 100, 166, {183, 223, 255}},
    };
    for (const Sample &s : samples)
        EXPECT_EQ(pixel(s.x, s.y), s.colour) << s.what;
}

TEST(LoginWindowPicture, ShapedWindowKeepsExactlyTheNonKeyPixels)
{
    QWidget window;
    window.resize(Width, Height);
    ASSERT_TRUE(platform::shapeWindowFromPicture(&window, LoginWindowPicture, LoginWindowPictureSize, 255));

    const QRegion mask = window.mask();
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            ASSERT_EQ(mask.contains(QPoint(x, y)), !isKey(x, y)) << "at (" << x << ", " << y << ")";
    EXPECT_EQ(mask.boundingRect(), QRect(1, 2, 317, 166));
}

} // namespace
