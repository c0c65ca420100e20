#include "frame/login_window_picture.h"

#include <algorithm>

namespace frame {

namespace {

constexpr int Width = 320;
constexpr int Height = 170;
constexpr int HeaderSize = 54;
constexpr int PixelArraySize = Width * Height * 3;
static_assert(HeaderSize + PixelArraySize == LoginWindowPictureSize);

// The opaque columns of one row; a row outside the outline has first > last.
struct Run {
    int first;
    int last;
};

// The outline's upper half, one run per row from row 2 to row 84; the lower half mirrors it.
constexpr Run UpperRuns[] = {
    {96, 223}, {72, 247}, {56, 263}, {44, 275}, {35, 284}, {28, 291}, // rows 2-7
    {23, 296}, {21, 298}, {19, 300}, {18, 301}, {16, 303}, {15, 304}, // rows 8-13
    {14, 305}, {13, 306}, {12, 307}, {12, 307}, {11, 308}, {10, 309}, // rows 14-19
    {10, 309}, {10, 309}, {9, 310},  {9, 310},  {9, 310},  {8, 311},  // rows 20-25
    {8, 311},  {8, 311},  {7, 312},  {7, 312},  {7, 312},  {7, 312},  // rows 26-31
    {7, 313},  {6, 313},  {6, 313},  {6, 313},  {6, 313},  {5, 314},  // rows 32-37
    {5, 314},  {5, 314},  {5, 314},  {5, 314},  {4, 314},  {4, 314},  // rows 38-43
    {4, 314},  {4, 315},  {4, 315},  {3, 315},  {3, 315},  {3, 315},  // rows 44-49
    {3, 315},  {3, 315},  {3, 316},  {3, 316},  {3, 316},  {2, 316},  // rows 50-55
    {2, 316},  {2, 317},  {2, 317},  {2, 317},  {2, 317},  {2, 317},  // rows 56-61
    {2, 317},  {2, 317},  {1, 317},  {1, 317},  {1, 317},  {1, 317},  // rows 62-67
    {1, 317},  {1, 317},  {1, 317},  {1, 317},  {1, 317},  {1, 317},  // rows 68-73
    {1, 317},  {1, 317},  {1, 317},  {1, 317},  {1, 317},  {1, 317},  // rows 74-79
    {1, 317},  {1, 317},  {1, 317},  {1, 317},  {1, 317},             // rows 80-84
};
// The bottom edge sits a pixel or two inside the mirrored top edge.
constexpr Run BottomRuns[] = {{45, 274}, {57, 262}, {74, 245}, {98, 221}}; // rows 164-167

constexpr Run runOfRow(int y)
{
    if (y < 2 || y > 167)
        return {0, -1};
    if (y >= 164)
        return BottomRuns[y - 164];
    return UpperRuns[std::min(y, Height - 1 - y) - 2];
}

constexpr bool isOpaque(int x, int y)
{
    const Run run = runOfRow(y);
    return run.first <= x && x <= run.last;
}

constexpr bool isOnOutline(int x, int y)
{
    return !isOpaque(x - 1, y) || !isOpaque(x + 1, y) || !isOpaque(x, y - 1) || !isOpaque(x, y + 1);
}

struct Colour {
    int red;
    int green;
    int blue;
};

constexpr Colour Key{255, 0, 0};
constexpr Colour Centre{133, 170, 234};
constexpr Colour OuterGradient{88, 127, 190}; // at (10, 85)
constexpr Colour SideRim{0, 66, 133};
constexpr Colour TopRim{76, 110, 165};
constexpr Colour TopHighlight{230, 250, 255};
constexpr Colour BottomHighlight{183, 223, 255};
constexpr int CentreX = 160;
constexpr int CentreY = 85;
constexpr int HalfHeight = CentreY - 2;     // from the centre row to the top edge
constexpr int GradientReach = CentreX - 10; // across, from the centre to OuterGradient

// from + (to - from) * part / whole, channel by channel; part may exceed whole to go past "to".
constexpr Colour blend(Colour from, Colour to, long long part, long long whole)
{
    const auto channel = [&](int a, int b) { return a + static_cast<int>((b - a) * part / whole); };
    return {channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue)};
}

constexpr long long squareRoot(long long n)
{
    if (n < 2)
        return n;
    long long root = n;
    long long next = (root + 1) / 2;
    while (next < root) {
        root = next;
        next = (root + n / root) / 2;
    }
    return root;
}

// Darkens linearly with the elliptical distance from the centre, reaching OuterGradient
// GradientReach pixels across or HalfHeight pixels up or down, and darker beyond.
constexpr Colour gradient(int x, int y)
{
    const long long dx = x - CentreX;
    const long long dy = y - CentreY;
    const long long distance = squareRoot(dx * dx * HalfHeight * HalfHeight + dy * dy * GradientReach * GradientReach);
    return blend(Centre, OuterGradient, distance, GradientReach * HalfHeight);
}

constexpr Colour pixelColour(int x, int y)
{
    if (!isOpaque(x, y))
        return Key;
    if (isOnOutline(x, y)) {
        const int fromCentreRow = y < CentreY ? CentreY - y : y - CentreY;
        return blend(SideRim, TopRim, fromCentreRow, HalfHeight);
    }
    // The highlight lies on the pixel just inside each column's top and bottom end.
    if (isOpaque(x, y - 1) && !isOpaque(x, y - 2))
        return TopHighlight;
    if (isOpaque(x, y + 1) && !isOpaque(x, y + 2))
        return BottomHighlight;
    return gradient(x, y);
}

struct Bitmap {
    unsigned char bytes[LoginWindowPictureSize]{};
};

class BitmapWriter
{
public:
    constexpr void put(unsigned value, int size)
    {
        for (int i = 0; i < size; ++i)
            bitmap.bytes[at++] = static_cast<unsigned char>(value >> (8 * i));
    }
    constexpr void put(Colour colour)
    {
        put(colour.blue, 1);
        put(colour.green, 1);
        put(colour.red, 1);
    }
    Bitmap bitmap;

private:
    int at = 0;
};

constexpr Bitmap drawPicture()
{
    BitmapWriter out;
    out.put('B', 1);
    out.put('M', 1);
    out.put(LoginWindowPictureSize, 4);
    out.put(0, 4); // two reserved fields
    out.put(HeaderSize, 4);
    out.put(40, 4); // information header size
    out.put(Width, 4);
    out.put(Height, 4); // positive: rows are stored bottom-up
    out.put(1, 2);      // colour planes
    out.put(24, 2);     // bits per pixel
    out.put(0, 4);      // no compression
    out.put(PixelArraySize, 4);
    out.put(2835, 4); // 72 dots per inch, both ways
    out.put(2835, 4);
    out.put(0, 4); // no palette
    out.put(0, 4); // important colours
    // 960 bytes per row is a multiple of four, so rows carry no padding.
    for (int y = Height - 1; y >= 0; --y)
        for (int x = 0; x < Width; ++x)
            out.put(pixelColour(x, y));
    return out.bitmap;
}

constexpr Bitmap Picture = drawPicture();

} // namespace

constinit const unsigned char (&LoginWindowPicture)[LoginWindowPictureSize] = Picture.bytes;

} // namespace frame
