#include "frame/main_window_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace frame {

namespace {

// A muted palette: everything stays light, so the page's texts and buttons keep their contrast.
const QColor skyTop(238, 243, 248);
const QColor skyBottom(226, 234, 242);
const QColor ground(221, 225, 229);
const QColor road(208, 213, 219);
const QColor laneMark(232, 235, 238);
const QColor depotWall(214, 222, 231);
const QColor depotRoof(198, 208, 220);
const QColor depotDoor(203, 212, 223);
const QColor outline(176, 190, 206);
const QColor vanBody(206, 218, 232);
const QColor vanCab(190, 206, 224);
const QColor vanWindow(236, 242, 248);
const QColor vanStripe(180, 199, 222);
const QColor tyre(150, 160, 172);
const QColor hub(214, 220, 226);
const QColor parcel(228, 218, 200);
const QColor parcelShade(217, 204, 182);
const QColor parcelTape(206, 191, 166);
const QColor route(170, 188, 210);
const QColor pin(160, 182, 208);

// A parcel seen from the front with its top face, and a strip of tape across both.
void drawParcel(QPainter &p, const QRectF &front)
{
    const qreal depth = front.height() * 0.25;
    QPolygonF top;
    top << front.topLeft() << front.topLeft() + QPointF(depth, -depth) << front.topRight() + QPointF(depth, -depth)
        << front.topRight();
    QPolygonF side;
    side << front.topRight() << front.topRight() + QPointF(depth, -depth)
         << front.bottomRight() + QPointF(depth, -depth) << front.bottomRight();
    p.setPen(QPen(parcelTape, 1));
    p.setBrush(parcelShade);
    p.drawPolygon(top);
    p.drawPolygon(side);
    p.setBrush(parcel);
    p.drawRect(front);
    p.setPen(QPen(parcelTape, 3));
    const qreal tapeX = front.center().x();
    p.drawLine(QPointF(tapeX, front.top()), QPointF(tapeX, front.top() + front.height() * 0.35));
    p.drawLine(QPointF(tapeX, front.top()), QPointF(tapeX + depth, front.top() - depth));
}

// The depot: a long low hall with a sawtooth roof and three loading doors.
void drawDepot(QPainter &p, const QRectF &hall)
{
    p.setPen(QPen(outline, 1));
    QPainterPath roof;
    roof.moveTo(hall.left(), hall.top());
    const int teeth = 6;
    const qreal tooth = hall.width() / teeth;
    for (int i = 0; i < teeth; ++i) {
        roof.lineTo(hall.left() + i * tooth, hall.top() - 22);
        roof.lineTo(hall.left() + (i + 1) * tooth, hall.top());
    }
    roof.closeSubpath();
    p.setBrush(depotRoof);
    p.drawPath(roof);
    p.setBrush(depotWall);
    p.drawRect(hall);
    const qreal doorWidth = hall.width() / 5;
    for (int i = 0; i < 3; ++i) {
        const QRectF door(hall.left() + doorWidth * (0.5 + 1.5 * i), hall.top() + hall.height() * 0.3, doorWidth,
                          hall.height() * 0.7);
        p.setBrush(depotDoor);
        p.drawRect(door);
        for (qreal y = door.top() + 8; y < door.bottom(); y += 8)
            p.drawLine(QPointF(door.left(), y), QPointF(door.right(), y));
    }
}

// A box van facing right, its wheels standing on the line at the bottom of the rectangle.
void drawVan(QPainter &p, const QRectF &van)
{
    const qreal wheel = van.height() * 0.28;
    const qreal body = van.bottom() - wheel * 0.5;
    const QRectF cargo(van.left(), van.top(), van.width() * 0.68, body - van.top());
    QPainterPath cab;
    cab.moveTo(cargo.right() + 4, body);
    cab.lineTo(cargo.right() + 4, van.top() + cargo.height() * 0.3);
    cab.lineTo(van.right() - van.width() * 0.12, van.top() + cargo.height() * 0.3);
    cab.lineTo(van.right(), van.top() + cargo.height() * 0.62);
    cab.lineTo(van.right(), body);
    cab.closeSubpath();

    p.setPen(QPen(outline, 1.5));
    p.setBrush(vanBody);
    p.drawRoundedRect(cargo, 6, 6);
    p.setBrush(vanCab);
    p.drawPath(cab);
    p.setPen(Qt::NoPen);
    p.setBrush(vanStripe);
    p.drawRect(QRectF(cargo.left() + 2, cargo.top() + cargo.height() * 0.55, cargo.width() - 4, cargo.height() * 0.1));
    QPainterPath window;
    window.moveTo(cargo.right() + 14, van.top() + cargo.height() * 0.36);
    window.lineTo(van.right() - van.width() * 0.13, van.top() + cargo.height() * 0.36);
    window.lineTo(van.right() - 6, van.top() + cargo.height() * 0.6);
    window.lineTo(cargo.right() + 14, van.top() + cargo.height() * 0.6);
    window.closeSubpath();
    p.setBrush(vanWindow);
    p.drawPath(window);

    for (const qreal x : {cargo.left() + cargo.width() * 0.22, van.right() - van.width() * 0.16}) {
        const QPointF centre(x, van.bottom() - wheel * 0.5);
        p.setPen(QPen(outline, 1));
        p.setBrush(tyre);
        p.drawEllipse(centre, wheel * 0.5, wheel * 0.5);
        p.setBrush(hub);
        p.drawEllipse(centre, wheel * 0.22, wheel * 0.22);
    }
}

// A dashed route from depot to depot, marked by pins, across the middle of the sky.
void drawRoute(QPainter &p, const QSizeF &size)
{
    const QPointF from(size.width() * 0.08, size.height() * 0.46);
    const QPointF to(size.width() * 0.92, size.height() * 0.42);
    QPainterPath path(from);
    path.cubicTo(QPointF(size.width() * 0.35, size.height() * 0.34), QPointF(size.width() * 0.62, size.height() * 0.52),
                 to);
    QPen dashes(route, 2, Qt::DashLine);
    dashes.setDashPattern({4, 4});
    p.setPen(dashes);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(QPen(outline, 1));
    for (const qreal at : {0.0, 0.5, 1.0}) {
        const QPointF tip = path.pointAtPercent(at);
        QPainterPath marker;
        marker.moveTo(tip);
        marker.cubicTo(tip + QPointF(-9, -10), tip + QPointF(-7, -20), tip + QPointF(0, -20));
        marker.cubicTo(tip + QPointF(7, -20), tip + QPointF(9, -10), tip);
        p.setBrush(pin);
        p.drawPath(marker);
        p.setBrush(skyTop);
        p.drawEllipse(tip + QPointF(0, -14), 3, 3);
    }
}

} // namespace

QImage drawMainWindowPicture(const QSize &size)
{
    QImage picture(size, QImage::Format_RGB32);
    // Antialiased edges blend with what lies beneath: never with uninitialised memory.
    picture.fill(ground);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal horizon = h * 0.72;

    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, skyTop);
    sky.setColorAt(1, skyBottom);
    p.fillRect(QRectF(0, 0, w, horizon), sky);
    p.fillRect(QRectF(0, horizon, w, h - horizon), ground);

    drawRoute(p, QSizeF(w, h));
    drawDepot(p, QRectF(w * 0.52, horizon - h * 0.17, w * 0.44, h * 0.17));

    const QRectF lane(0, horizon + h * 0.08, w, h * 0.11);
    p.fillRect(lane, road);
    QPen marks(laneMark, 3);
    marks.setDashPattern({8, 6});
    p.setPen(marks);
    p.drawLine(QPointF(0, lane.center().y()), QPointF(w, lane.center().y()));

    for (const QRectF &front : {QRectF(w * 0.44, horizon - 34, 46, 40), QRectF(w * 0.44 + 50, horizon - 24, 40, 30),
                                QRectF(w * 0.44 + 8, horizon - 66, 36, 32)})
        drawParcel(p, front);
    drawVan(p, QRectF(w * 0.09, horizon - h * 0.02, w * 0.3, h * 0.18));
    return picture;
}

} // namespace frame
