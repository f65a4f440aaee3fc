#include "pictures/accpictures.h"

#include "pictures/accdrawing.h"
#include "pictures/pictures.h"
#include "reports/accessories.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPixmapCache>
#include <QtMath>

#include <array>
#include <cmath>
#include <functional>

namespace unctora::pictures {
namespace {

using namespace accdraw;

constexpr QSize kPictureSize(200, 200);

// ---------------------------------------------------------------------------------------
// The threaded parts: adapters, elbows, connectors, tubes, hoses and valves, each on the
// 200 × 200 backdrop.

// A straight threaded piece standing upright as it sits under a lubricator: the inside
// thread (or a grease nipple) on top, a hexagon, the outside thread below.
struct Straight {
    qreal hexCorners = 52, hexLength = 40;
    qreal threadWidth = 26, threadLength = 48;
    bool tapered = false;
    bool femaleBottom = false; // a socket: inside threads at both ends
    bool nippleTop = false;
    Finish finish = kZinc;
    QString topLabel = QStringLiteral("G 1/4"), bottomLabel;
};

void drawStraight(QPainter& p, const Straight& s) {
    const qreal nippleHeight = s.nippleTop ? 24 : 0;
    const qreal total = nippleHeight + s.hexLength + (s.femaleBottom ? 0 : 4 + s.threadLength);
    const qreal top = 98 - total / 2 + nippleHeight;
    p.translate(80, 0);
    shadow(p, QPointF(0, top - nippleHeight + total + 8), 56);
    if (!s.femaleBottom) {
        const qreal neckTop = top + s.hexLength - 1;
        cylinder(p, neckTop, 6, qMin(s.threadWidth, s.hexCorners * 0.6) - 3, s.finish, 0);
        maleThread(p, neckTop + 5, s.threadLength, s.threadWidth, s.finish, s.tapered, 4);
    }
    hexagon(p, top, s.hexLength, s.hexCorners, s.finish);
    if (s.nippleTop)
        nipple(p, top + 1, s.finish);
    else
        femaleMouth(p, top + 1.5, s.hexCorners * 0.62, s.finish);
    hiddenThread(p, top + 3, s.hexLength * 0.55, s.hexCorners * 0.45, s.finish);
    if (s.femaleBottom)
        hiddenThread(p, top + s.hexLength * 0.45 - 3, s.hexLength * 0.55, s.hexCorners * 0.45, s.finish);
    if (!s.topLabel.isEmpty())
        label(p, QPointF(s.hexCorners / 2 + 2, top + s.hexLength * 0.35), s.topLabel);
    if (!s.bottomLabel.isEmpty()) {
        const qreal y = s.femaleBottom ? top + s.hexLength * 0.8 : top + s.hexLength + 5 + s.threadLength / 2;
        label(p, QPointF((s.femaleBottom ? s.hexCorners : s.threadWidth) / 2 + 2, y), s.bottomLabel);
    }
}

// An elbow: inside thread up, an arm turned `degrees` from straight down (90: sideways)
// with the outside thread; a swivel elbow also shows the turn round its axis.
void drawElbow(QPainter& p, qreal degrees, bool swivel) {
    const Finish& f = kZinc;
    p.translate(70, 0);
    shadow(p, QPointF(20, 150), 70);
    // The arm first, so the body covers its root.
    p.save();
    p.translate(0, 96);
    p.rotate(-degrees);
    cylinder(p, 0, 30, 26, f, 2);
    cylinder(p, 29, 5, 17, f, 0);
    maleThread(p, 33, 30, 22, f);
    p.restore();
    // Body: a hexagon on a round block.
    cylinder(p, 70, 40, 34, f, 10);
    hexagon(p, 40, 30, 40, f);
    femaleMouth(p, 41.5, 25, f);
    if (swivel) {
        // Banjo ring and the arrow round the axis.
        cylinder(p, 68, 8, 42, kDark, 2);
        p.setPen(QPen(kAccent, 2.2));
        p.setBrush(Qt::NoBrush);
        const QRectF ring(-34, 22, 68, 16);
        p.drawArc(ring, 200 * 16, 300 * 16);
        p.setBrush(kAccent);
        const qreal a = qDegreesToRadians(140.0);
        arrowHead(p, QPointF(34 * qCos(a), 30 - 8 * qSin(a)), QPointF(34 * qCos(a) + 6, 30 - 8 * qSin(a) + 3), 7);
        p.setFont(pictureFont(11, true));
        p.setPen(kAccent);
        p.drawText(QRectF(-20, 4, 40, 16), Qt::AlignCenter, QStringLiteral("360°"));
    }
    label(p, QPointF(-20, 50), QStringLiteral("G 1/4"), false);
    // The angle between the axis and the arm.
    p.setPen(QPen(kInk, 0.8, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(0, 110), QPointF(0, 150));
    const qreal a = qDegreesToRadians(degrees);
    p.drawLine(QPointF(0, 96), QPointF(70 * qSin(a), 96 + 70 * qCos(a)));
    p.setPen(QPen(kInk, 1));
    p.drawArc(QRectF(-40, 56, 80, 80), -90 * 16, qRound(degrees) * 16);
    p.setFont(pictureFont(12, true));
    p.setPen(kInk);
    const qreal mid = qDegreesToRadians(degrees / 2);
    p.drawText(QRectF(60 * qSin(mid) - 18, 96 + 60 * qCos(mid) - 4, 36, 16), Qt::AlignCenter,
               QStringLiteral("%1°").arg(qRound(degrees)));
}

// Two inside threads up at an angle, one outside thread down.
void drawYConnector(QPainter& p) {
    const Finish& f = kZinc;
    p.translate(100, 0);
    shadow(p, QPointF(0, 168), 50);
    for (qreal angle : {145.0, -145.0}) {
        p.save();
        p.translate(0, 100);
        p.rotate(angle);
        cylinder(p, 0, 40, 24, f, 2);
        p.save();
        p.translate(0, 64);
        p.rotate(180);
        hexagon(p, 0, 26, 34, f);
        femaleMouth(p, 1.5, 21, f);
        p.restore();
        p.restore();
    }
    cylinder(p, 84, 30, 34, f, 12);
    cylinder(p, 112, 5, 16, f, 0);
    maleThread(p, 116, 30, 21, f);
    p.setFont(pictureFont(11, true));
    p.setPen(kInk);
    p.drawText(QRectF(-90, 18, 60, 14), Qt::AlignCenter, QStringLiteral("G 1/4"));
    p.drawText(QRectF(30, 18, 60, 14), Qt::AlignCenter, QStringLiteral("G 1/4"));
    label(p, QPointF(12, 132), QStringLiteral("G 1/4"));
}

// A straight extension tube of `mm` millimetres between a hexagon and a thread.
void drawExtension(QPainter& p, int mm) {
    const Finish& f = kZinc;
    const qreal tube = mm * 0.75;
    const qreal total = 24 + tube + 22;
    const qreal top = 100 - total / 2;
    p.translate(80, 0);
    shadow(p, QPointF(0, top + total + 6), 36);
    cylinder(p, top + 22, tube + 2, 14, f, 0);
    maleThread(p, top + 24 + tube, 22, 20, f);
    hexagon(p, top, 24, 34, f);
    femaleMouth(p, top + 1.5, 21, f);
    dimension(p, QPointF(30, top), QPointF(30, top + total), QStringLiteral("%1 mm").arg(mm));
    p.setPen(QPen(kInk, 0.6));
    p.drawLine(QPointF(18, top), QPointF(34, top));
    p.drawLine(QPointF(12, top + total), QPointF(34, top + total));
    label(p, QPointF(-17, top + 12), QStringLiteral("G 1/4"), false);
}

// End fitting of a hose: a crimped sleeve on a hexagon, the opening away from the hose.
void hoseFitting(QPainter& p, bool maleEnd) {
    const Finish& f = kZinc;
    cylinder(p, 0, 22, 24, f, 2);
    p.setPen(QPen(f.outline, 0.8));
    for (qreal y : {6.0, 11.0, 16.0})
        p.drawLine(QPointF(-12, y), QPointF(12, y));
    hexagon(p, -16, 16, 28, f);
    if (maleEnd)
        maleThread(p, -34, 18, 20, f);
    else
        femaleMouth(p, -14.5, 17, f);
}

void drawHose(QPainter& p) {
    shadow(p, QPointF(100, 178), 80);
    QPainterPath hose;
    hose.moveTo(50, 70);
    hose.cubicTo(50, 150, 150, 40, 150, 126);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x15, 0x17, 0x19), 17, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(hose);
    p.setPen(QPen(QColor(0x3a, 0x3f, 0x45), 13, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(hose);
    p.setPen(QPen(QColor(0x6a, 0x71, 0x79), 13, Qt::DotLine, Qt::FlatCap));
    p.drawPath(hose);
    p.setPen(QPen(QColor(255, 255, 255, 90), 2.5, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(hose.translated(-3, -1));
    p.save();
    p.translate(50, 50);
    hoseFitting(p, false);
    p.restore();
    p.save();
    p.translate(150, 146);
    p.rotate(180);
    hoseFitting(p, true);
    p.restore();
    p.setFont(pictureFont(12, true));
    p.setPen(kInk);
    p.drawText(QRectF(86, 62, 80, 16), Qt::AlignLeft, QStringLiteral("300 mm"));
    label(p, QPointF(64, 40), QStringLiteral("G 1/4"));
    label(p, QPointF(138, 172), QStringLiteral("G 1/4"), false);
}

// A coil of polyamide tube with its cut end.
void drawTubeRoll(QPainter& p) {
    shadow(p, QPointF(92, 165), 80);
    const QColor tube(0x7f, 0xb6, 0xe8);
    for (int i = 0; i < 7; ++i) {
        const QRectF r(30 + i * 2.2, 56 + i * 1.2, 124 - i * 4.4, 104 - i * 2.4);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(tube.darker(170), 9));
        p.drawEllipse(r);
        p.setPen(QPen(tube, 7));
        p.drawEllipse(r);
        p.setPen(QPen(QColor(255, 255, 255, 140), 1.6));
        p.drawArc(r.adjusted(-1.5, -1.5, 1.5, 1.5), 40 * 16, 100 * 16);
    }
    // The loose end and its section: 8 outside, 6 inside.
    QPainterPath end;
    end.moveTo(150, 118);
    end.cubicTo(168, 124, 174, 104, 176, 86);
    p.setPen(QPen(tube.darker(170), 9, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(end);
    p.setPen(QPen(tube, 7, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(end);
    p.setPen(QPen(tube.darker(170), 1));
    p.setBrush(tube.lighter(120));
    p.drawEllipse(QPointF(176, 85), 5, 2.4);
    p.setBrush(kHole);
    p.drawEllipse(QPointF(176, 85), 3.4, 1.5);
    p.setFont(pictureFont(12, true));
    p.setPen(kInk);
    p.drawText(QRectF(0, 16, 200, 18), Qt::AlignCenter, QStringLiteral("Ø 8 × 6 mm   5 m"));
}

// Push-in fitting with a piece of tube in its collet.
void drawPushIn(QPainter& p) {
    p.translate(84, 0);
    shadow(p, QPointF(0, 170), 40);
    const Finish tube{QColor(0x3c, 0x6e, 0x9e), QColor(0x5b, 0x94, 0xc8), QColor(0xc8, 0xe2, 0xf8),
                      QColor(0x7f, 0xb6, 0xe8), QColor(0x2c, 0x55, 0x7c)};
    cylinder(p, 18, 50, 16, tube, 1);
    cylinder(p, 62, 10, 28, kDark, 3); // release collet
    p.setPen(QPen(kAccent, 2));
    p.drawLine(QPointF(-14, 67), QPointF(14, 67));
    cylinder(p, 71, 24, 28, kZinc, 2);
    hexagon(p, 94, 20, 34, kZinc);
    cylinder(p, 113, 5, 15, kZinc, 0);
    maleThread(p, 117, 36, 20, kZinc);
    label(p, QPointF(9, 40), QStringLiteral("Ø 8 mm"));
    label(p, QPointF(11, 138), QStringLiteral("G 1/4"));
}

// Check valve in section: ball on its seat, spring above, flow arrow beside it.
void drawCheckValve(QPainter& p, bool forOil) {
    const Finish& f = forOil ? kBrass : kZinc;
    p.translate(86, 0);
    shadow(p, QPointF(0, 176), 40);
    hexagon(p, 22, 22, 38, f);
    femaleMouth(p, 23.5, 23, f);
    cylinder(p, 43, 68, 32, f, 4);
    cylinder(p, 110, 5, 16, f, 0);
    maleThread(p, 114, 40, 20, f);
    // Cut-away window.
    const QRectF cut(-10, 50, 20, 54);
    p.setPen(QPen(f.outline, 0.8));
    p.setBrush(QColor(0x2a, 0x2e, 0x33));
    p.drawRect(cut);
    p.setPen(QPen(QColor(0xd0, 0xd4, 0xd8), 1.2));
    QPainterPath spring;
    spring.moveTo(0, 52);
    for (int i = 0; i < 8; ++i)
        spring.lineTo(i % 2 ? 7 : -7, 55 + i * 3.6);
    spring.lineTo(0, 84);
    p.setBrush(Qt::NoBrush);
    p.drawPath(spring);
    QRadialGradient ball(QPointF(-2.5, 88), 8);
    ball.setColorAt(0, QColor(0xff, 0xb0, 0xa0));
    ball.setColorAt(1, QColor(0xb0, 0x1c, 0x14));
    p.setPen(QPen(QColor(0x6a, 0x10, 0x10), 0.8));
    p.setBrush(ball);
    p.drawEllipse(QPointF(0, 91), 7.5, 7.5);
    p.setPen(Qt::NoPen);
    p.setBrush(f.mid);
    p.drawPolygon(QPolygonF({QPointF(-10, 96), QPointF(-4, 100), QPointF(-4, 104), QPointF(-10, 104)}));
    p.drawPolygon(QPolygonF({QPointF(10, 96), QPointF(4, 100), QPointF(4, 104), QPointF(10, 104)}));
    // Flow: down through the valve, not back.
    p.setPen(QPen(kAccent, 3));
    p.setBrush(kAccent);
    p.drawLine(QPointF(-34, 48), QPointF(-34, 100));
    arrowHead(p, QPointF(-34, 110), QPointF(-34, 100), 10);
    if (forOil) {
        drop(p, QPointF(-34, 124), 9, kOil);
        label(p, QPointF(17, 78), QStringLiteral("0.1 bar"));
    }
    label(p, QPointF(19, 30), QStringLiteral("G 1/4"));
    label(p, QPointF(11, 136), QStringLiteral("G 1/4"));
}

// An angle bracket seen from the front and above: the wall plate with its slots and the
// shelf with one hole per lubricator.

// ---------------------------------------------------------------------------------------
// The catalogue's pictures in accessory-number order.

Straight adapterTo(qreal threadWidth, const QString& thread, bool tapered = false) {
    Straight s;
    s.threadWidth = threadWidth;
    s.hexCorners = qMax(50.0, threadWidth + 14);
    s.tapered = tapered;
    s.bottomLabel = thread;
    return s;
}

using Painter = std::function<void(QPainter&)>;

Painter straight(Straight s) {
    return [s](QPainter& p) { drawStraight(p, s); };
}

const std::array<Painter, reports::kAccessoryCount>& painters() {
    static const std::array<Painter, reports::kAccessoryCount> list = [] {
        Straight socket;
        socket.finish = kBrass;
        socket.hexLength = 96;
        socket.hexCorners = 52;
        socket.femaleBottom = true;
        socket.bottomLabel = QStringLiteral("G 1/4");
        Straight filler = adapterTo(26, QStringLiteral("G 1/4"));
        filler.nippleTop = true;
        filler.topLabel = QString();
        return std::array<Painter, reports::kAccessoryCount>{
            straight(adapterTo(15, QStringLiteral("M6"))),
            straight(adapterTo(19, QStringLiteral("M8 × 1"))),
            straight(adapterTo(23, QStringLiteral("M10 × 1"))),
            straight(adapterTo(28, QStringLiteral("M12 × 1.5"))),
            straight(adapterTo(21, QStringLiteral("G 1/8"))),
            straight(adapterTo(37, QStringLiteral("G 3/8"))),
            straight(adapterTo(46, QStringLiteral("G 1/2"))),
            straight(adapterTo(30, QStringLiteral("1/4 NPT"), true)),
            straight(adapterTo(22, QStringLiteral("1/8 NPT"), true)),
            straight(socket),
            [](QPainter& p) { drawElbow(p, 90, false); },
            [](QPainter& p) { drawElbow(p, 45, false); },
            [](QPainter& p) { drawElbow(p, 90, true); },
            drawYConnector,
            [](QPainter& p) { drawExtension(p, 50); },
            [](QPainter& p) { drawExtension(p, 100); },
            [](QPainter& p) { drawExtension(p, 150); },
            drawHose,
            drawTubeRoll,
            drawPushIn,
            [](QPainter& p) { drawCheckValve(p, false); },
            [](QPainter& p) { drawCheckValve(p, true); },
            [](QPainter& p) { drawBracket(p, 1); },
            [](QPainter& p) { drawBracket(p, 2); },
            [](QPainter& p) { drawClamp(p, false); },
            [](QPainter& p) { drawClamp(p, true); },
            drawMagnet,
            drawClearCover,
            drawDriveCover,
            drawWireGuard,
            [](QPainter& p) { drawFlatBrush(p, 20); },
            [](QPainter& p) { drawFlatBrush(p, 40); },
            drawRoundBrush,
            drawFeltPad,
            drawBatteryPack,
            drawKey,
            straight(filler),
        };
    }();
    return list;
}

int indexOf(int number) {
    const int i = number - reports::kFirstAccessoryPicture;
    return i >= 0 && i < reports::kAccessoryCount ? i : -1;
}

} // namespace

QSize accessoryPictureSize(int number) { return indexOf(number) >= 0 ? kPictureSize : QSize(); }

QImage accessoryImage(int number, qreal devicePixelRatio) {
    const int i = indexOf(number);
    if (i < 0) return {};
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1;
    QImage image((QSizeF(kPictureSize) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    backdrop(p);
    p.save();
    painters()[static_cast<std::size_t>(i)](p);
    p.restore();
    frame(p);
    p.end();
    return image;
}

QPixmap accessoryPicture(int number, qreal devicePixelRatio) {
    const QString key = QStringLiteral("unctora-accessory-%1@%2").arg(number).arg(devicePixelRatio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) return pixmap;
    const QImage image = accessoryImage(number, devicePixelRatio);
    if (image.isNull()) return {};
    pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace unctora::pictures
