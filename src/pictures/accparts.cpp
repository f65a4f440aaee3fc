// The mounting, protection and applicator parts and the parts of one drive, each on
// the 200 × 200 backdrop.
#include "pictures/accdrawing.h"
#include "pictures/pictures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QtMath>

#include <cmath>
#include <utility>

namespace unctora::pictures::accdraw {

void drawBracket(QPainter& p, int places) {
    const Finish& f = kZinc;
    const qreal w = places == 1 ? 80 : 130;
    const qreal x0 = 100 - w / 2 - 12, yTop = 30, yShelf = 104;
    const QPointF depth(26, 50);
    shadow(p, QPointF(100 + 12, 172), w / 2 + 34);
    // Wall plate.
    QLinearGradient plate(x0, yTop, x0 + w, yShelf);
    plate.setColorAt(0, f.light);
    plate.setColorAt(0.5, f.mid);
    plate.setColorAt(1, f.dark);
    p.setPen(outline(f));
    p.setBrush(plate);
    p.drawRect(QRectF(x0, yTop, w, yShelf - yTop));
    p.setBrush(QColor(0x55, 0x5c, 0x64));
    for (int i = 0; i < places + 1; ++i) {
        const qreal cx = x0 + w * (i + 1) / (places + 2);
        p.drawRoundedRect(QRectF(cx - 4, yTop + 14, 8, 22), 4, 4);
    }
    // Shelf, top face and front edge.
    QPolygonF top;
    top << QPointF(x0, yShelf) << QPointF(x0 + w, yShelf) << QPointF(x0 + w, yShelf) + depth
        << QPointF(x0, yShelf) + depth;
    QLinearGradient shelf(x0, yShelf, x0 + depth.x(), yShelf + depth.y());
    shelf.setColorAt(0, f.mid);
    shelf.setColorAt(1, f.light);
    p.setBrush(shelf);
    p.drawPolygon(top);
    p.setBrush(f.dark);
    p.drawPolygon(QPolygonF({QPointF(x0, yShelf) + depth, QPointF(x0 + w, yShelf) + depth,
                             QPointF(x0 + w, yShelf + 5) + depth, QPointF(x0, yShelf + 5) + depth}));
    p.drawPolygon(QPolygonF({QPointF(x0 + w, yShelf), QPointF(x0 + w, yShelf) + depth,
                             QPointF(x0 + w, yShelf + 5) + depth, QPointF(x0 + w, yShelf + 5)}));
    for (int i = 0; i < places; ++i) {
        const QPointF c = QPointF(x0 + w * (2 * i + 1) / (2 * places), yShelf) + depth * 0.5;
        p.setBrush(kHole);
        p.setPen(outline(f));
        p.drawEllipse(c, 12, 6);
    }
    label(p, QPointF(x0 + w * (places == 1 ? 0.5 : 0.25), yShelf) + depth * 0.5 + QPointF(-12, 0),
          QStringLiteral("G 1/4"), false);
}

// A ring clamp round the body of a lubricator, seen from above, with its tightening screw
// and the foot that is screwed to the machine.
void drawClamp(QPainter& p, bool drive) {
    const QPointF c(92, 96);
    const qreal r = drive ? 50 : 42;
    shadow(p, QPointF(100, 170), 80);
    // The unit inside, from above.
    if (drive) {
        QRadialGradient g(c - QPointF(12, 14), r * 1.2);
        g.setColorAt(0, QColor(0x8a, 0x91, 0x98));
        g.setColorAt(1, QColor(0x2a, 0x2e, 0x33));
        p.setPen(QPen(QColor(0x1a, 0x1d, 0x20), 1));
        p.setBrush(g);
        p.drawEllipse(c, r - 6, r - 6);
        p.setBrush(QColor(0x3a, 0x3f, 0x45));
        p.drawRoundedRect(QRectF(c.x() - 18, c.y() - 10, 36, 20), 4, 4);
        p.setPen(QColor(0x9f, 0xe0, 0x7a));
        p.setFont(pictureFont(10, true));
        p.drawText(QRectF(c.x() - 18, c.y() - 10, 36, 20), Qt::AlignCenter, QStringLiteral("12"));
    } else {
        QRadialGradient g(c - QPointF(10, 12), r * 1.2);
        g.setColorAt(0, QColor(0x6a, 0xb0, 0xf2));
        g.setColorAt(1, QColor(0x08, 0x37, 0x6b));
        p.setPen(QPen(QColor(0x05, 0x25, 0x4a), 1));
        p.setBrush(g);
        p.drawEllipse(c, r - 6, r - 6);
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawEllipse(c, 10, 10);
    }
    // Band.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kStainless.outline, 9));
    p.drawEllipse(c, r - 1.5, r - 1.5);
    p.setPen(QPen(kStainless.light, 6.5));
    p.drawEllipse(c, r - 1.5, r - 1.5);
    p.setPen(QPen(kStainless.mid, 2));
    p.drawArc(QRectF(c.x() - r + 1.5, c.y() - r + 1.5, 2 * r - 3, 2 * r - 3), 100 * 16, 200 * 16);
    // Ears with the screw.
    const qreal ex = c.x() + r - 2;
    p.setPen(outline(kStainless));
    p.setBrush(across(c.y() - 14, c.y() + 14, kStainless));
    p.drawRect(QRectF(ex, c.y() - 13, 18, 9));
    p.drawRect(QRectF(ex, c.y() + 4, 18, 9));
    p.save();
    p.translate(ex + 9, c.y() - 26);
    cylinder(p, 0, 50, 8, kZinc, 1);
    hexagon(p, -6, 8, 16, kZinc);
    p.restore();
    // Foot.
    p.save();
    p.translate(c.x(), c.y() + r + 2);
    p.setPen(outline(kStainless));
    p.setBrush(across(-26, 26, kStainless));
    p.drawRoundedRect(QRectF(-26, -4, 52, 14), 3, 3);
    p.setBrush(kHole);
    p.drawEllipse(QPointF(-16, 3), 3.5, 3.5);
    p.drawEllipse(QPointF(16, 3), 3.5, 3.5);
    p.restore();
}

// A pot magnet holding on steel: threaded boss on top, red band, field lines below.
void drawMagnet(QPainter& p) {
    p.translate(100, 0);
    // Steel plate.
    p.setPen(QPen(QColor(0x50, 0x56, 0x5d), 1));
    QLinearGradient steel(0, 132, 0, 150);
    steel.setColorAt(0, QColor(0xa0, 0xa7, 0xae));
    steel.setColorAt(1, QColor(0x6a, 0x71, 0x78));
    p.setBrush(steel);
    p.drawRect(QRectF(-92, 132, 184, 16));
    p.setPen(QPen(QColor(0x50, 0x56, 0x5d), 0.6));
    for (qreal x = -88; x < 92; x += 8)
        p.drawLine(QPointF(x, 148), QPointF(x + 8, 134));
    // Field lines.
    p.setPen(QPen(kAccent, 1.2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    for (qreal w : {64.0, 84.0})
        p.drawArc(QRectF(-w / 2, 116, w, 38), 0, -180 * 16);
    cylinder(p, 90, 42, 76, kDark, 4);
    cylinder(p, 116, 8, 76, kRed, 1);
    hexagon(p, 58, 28, 36, kZinc);
    cylinder(p, 84, 7, 24, kZinc, 0);
    femaleMouth(p, 59.5, 22, kZinc);
    p.setPen(Qt::white);
    p.setFont(pictureFont(10, true));
    p.drawText(QRectF(-38, 97, 76, 16), Qt::AlignCenter, QStringLiteral("N   S"));
    dimension(p, QPointF(-38, 40), QPointF(38, 40), QString());
    p.setFont(pictureFont(11, true));
    p.setPen(kInk);
    p.drawText(QRectF(-40, 22, 80, 16), Qt::AlignCenter, QStringLiteral("Ø 50 mm"));
    p.setPen(QPen(kInk, 0.6));
    p.drawLine(QPointF(-38, 36), QPointF(-38, 88));
    p.drawLine(QPointF(38, 36), QPointF(38, 88));
}

// Clear polycarbonate cover over a gas-driven unit.
void drawClearCover(QPainter& p) {
    p.translate(100, 0);
    shadow(p, QPointF(0, 170), 64);
    ghostLubricator(p, QRectF(-30, 50, 60, 100), QColor(0x1b, 0x6c, 0xc0), 0.55);
    QPainterPath cover;
    cover.moveTo(-42, 156);
    cover.lineTo(-42, 52);
    cover.cubicTo(-42, 20, 42, 20, 42, 52);
    cover.lineTo(42, 156);
    cover.closeSubpath();
    QLinearGradient g(-42, 0, 42, 0);
    g.setColorAt(0, QColor(0x9f, 0xb3, 0xc6, 150));
    g.setColorAt(0.15, QColor(255, 255, 255, 210));
    g.setColorAt(0.3, QColor(0xee, 0xf4, 0xf9, 50));
    g.setColorAt(0.85, QColor(0xdc, 0xe6, 0xef, 40));
    g.setColorAt(1, QColor(0x8f, 0xa4, 0xb8, 150));
    p.setPen(QPen(QColor(0x6f, 0x84, 0x98), 1.2));
    p.setBrush(g);
    p.drawPath(cover);
    p.setPen(QPen(QColor(255, 255, 255, 220), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-32, 60), QPointF(-32, 140));
    cylinder(p, 150, 12, 92, kDark, 3);
}

// Hood over an electro-mechanical drive: opaque, with a window on the display.
void drawDriveCover(QPainter& p) {
    p.translate(100, 0);
    shadow(p, QPointF(0, 170), 64);
    QPainterPath hood;
    hood.moveTo(-44, 156);
    hood.lineTo(-44, 46);
    hood.quadTo(-44, 28, -26, 28);
    hood.lineTo(26, 28);
    hood.quadTo(44, 28, 44, 46);
    hood.lineTo(44, 156);
    hood.closeSubpath();
    p.setPen(QPen(kDark.outline, 1.2));
    p.setBrush(across(-44, 44, Finish{QColor(0x2a, 0x2e, 0x33), QColor(0x45, 0x4b, 0x52),
                                      QColor(0x9a, 0xa2, 0xab), QColor(0x5c, 0x63, 0x6b),
                                      QColor(0x1a, 0x1d, 0x20)}));
    p.drawPath(hood);
    p.setPen(QPen(QColor(0x20, 0x24, 0x28), 1));
    p.setBrush(QColor(0xbf, 0xd8, 0xee, 220));
    p.drawRoundedRect(QRectF(-24, 50, 48, 30), 4, 4);
    p.setPen(QColor(0x1f, 0x3b, 0x12));
    p.setBrush(QColor(0x9f, 0xe0, 0x7a));
    p.drawRect(QRectF(-14, 58, 28, 14));
    p.setPen(QPen(QColor(0x20, 0x24, 0x28), 1.4));
    for (qreal y : {100.0, 112.0, 124.0})
        p.drawLine(QPointF(-30, y), QPointF(30, y));
    cylinder(p, 150, 12, 96, kDark, 3);
    // Splashes.
    for (QPointF at : {QPointF(-70, 40), QPointF(-62, 70), QPointF(64, 52), QPointF(72, 86)})
        drop(p, at, 6, QColor(0x4a, 0x97, 0xe6));
}

// Stainless wire cage.
void drawWireGuard(QPainter& p) {
    p.translate(100, 0);
    shadow(p, QPointF(0, 172), 64);
    ghostLubricator(p, QRectF(-26, 60, 52, 92), QColor(0x1b, 0x6c, 0xc0), 0.35);
    const QPen wire(QColor(0x6d, 0x75, 0x7d), 3.2, Qt::SolidLine, Qt::RoundCap);
    const QPen shine(QColor(255, 255, 255, 200), 1.2, Qt::SolidLine, Qt::RoundCap);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i <= 8; ++i) {
        const qreal x = -44 + i * 11;
        const qreal bend = std::sqrt(qMax(0.0, 44.0 * 44.0 - x * x)) * 0.55;
        QPainterPath bar;
        bar.moveTo(x, 160);
        bar.lineTo(x, 54);
        bar.quadTo(x * 0.8, 54 - bend, 0, 30);
        for (const QPen& pen : {wire, shine}) {
            p.setPen(pen);
            p.drawPath(bar);
        }
    }
    for (qreal y : {58.0, 108.0, 158.0}) {
        p.setPen(QPen(QColor(0x5d, 0x64, 0x6b), 4));
        p.drawArc(QRectF(-46, y - 8, 92, 16), 180 * 16, 180 * 16);
        p.setPen(shine);
        p.drawArc(QRectF(-46, y - 8, 92, 16), 180 * 16, 180 * 16);
    }
    hexagon(p, 22, 12, 24, kStainless);
}

// Flat brush: thread on top, hexagon, flat ferrule, bristles; oil drips from the tips.
void drawFlatBrush(QPainter& p, int mm) {
    const qreal w = mm * 2.2;
    p.translate(100, 0);
    shadow(p, QPointF(0, 176), w / 2 + 30);
    maleThread(p, 16, 22, 20, kZinc);
    hexagon(p, 36, 18, 32, kZinc);
    QPainterPath ferrule;
    ferrule.moveTo(-12, 54);
    ferrule.lineTo(12, 54);
    ferrule.lineTo(w / 2, 86);
    ferrule.lineTo(w / 2, 102);
    ferrule.lineTo(-w / 2, 102);
    ferrule.lineTo(-w / 2, 86);
    ferrule.closeSubpath();
    p.setPen(outline(kStainless));
    p.setBrush(across(-w / 2, w / 2, kStainless));
    p.drawPath(ferrule);
    for (qreal x = -w / 2 + 1.5; x <= w / 2 - 1.5; x += 2.2) {
        const qreal spread = x * 0.12;
        p.setPen(QPen(QColor(0x24, 0x22, 0x20), 1.3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, 102), QPointF(x + spread, 150 - std::abs(x) * 0.04));
    }
    drop(p, QPointF(-w / 4, 156), 5, kOil);
    drop(p, QPointF(w / 5, 160), 4, kOil);
    dimension(p, QPointF(-w / 2, 176), QPointF(w / 2, 176), QString());
    p.setFont(pictureFont(11, true));
    p.setPen(kInk);
    p.drawText(QRectF(w / 2 + 4, 168, 60, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1 mm").arg(mm));
    label(p, QPointF(11, 26), QStringLiteral("G 1/4"));
}

// Round brush: a disc of radial bristles on a bent stem.
void drawRoundBrush(QPainter& p) {
    shadow(p, QPointF(100, 180), 70);
    p.save();
    p.translate(60, 0);
    maleThread(p, 14, 22, 20, kZinc);
    hexagon(p, 34, 18, 32, kZinc);
    cylinder(p, 51, 30, 10, kStainless, 0);
    p.restore();
    QPainterPath stem;
    stem.moveTo(60, 78);
    stem.quadTo(60, 110, 100, 112);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kStainless.outline, 10, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(stem);
    p.setPen(QPen(kStainless.mid, 7.5, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(stem);
    const QPointF c(122, 118);
    for (int i = 0; i < 72; ++i) {
        const qreal a = qDegreesToRadians(i * 5.0);
        const QPointF u(qCos(a), qSin(a));
        p.setPen(QPen(QColor(0x24, 0x22, 0x20), 1.3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c + u * 12, c + u * 44);
    }
    QRadialGradient hub(c - QPointF(3, 3), 14);
    hub.setColorAt(0, kStainless.light);
    hub.setColorAt(1, kStainless.dark);
    p.setPen(outline(kStainless));
    p.setBrush(hub);
    p.drawEllipse(c, 12, 12);
    p.setBrush(kHole);
    p.drawEllipse(c, 3, 3);
    drop(p, QPointF(112, 164), 5, kOil);
    p.setFont(pictureFont(11, true));
    p.setPen(kInk);
    p.drawText(QRectF(128, 62, 70, 16), Qt::AlignLeft, QStringLiteral("Ø 25 mm"));
    label(p, QPointF(50, 24), QStringLiteral("G 1/4"), false);
}

// Felt pad in its holder.
void drawFeltPad(QPainter& p) {
    p.translate(100, 0);
    shadow(p, QPointF(0, 172), 80);
    maleThread(p, 20, 24, 20, kZinc);
    hexagon(p, 42, 18, 32, kZinc);
    cylinder(p, 58, 12, 14, kZinc, 0);
    // U-shaped holder and the felt block.
    p.setPen(outline(kStainless));
    p.setBrush(across(-70, 70, kStainless));
    p.drawRoundedRect(QRectF(-70, 68, 140, 16), 2, 2);
    p.drawRect(QRectF(-70, 80, 6, 26));
    p.drawRect(QRectF(64, 80, 6, 26));
    QLinearGradient felt(0, 84, 0, 142);
    felt.setColorAt(0, QColor(0xe8, 0xdf, 0xc8));
    felt.setColorAt(1, QColor(0xb8, 0xa7, 0x80));
    p.setPen(QPen(QColor(0x8a, 0x7a, 0x58), 1));
    p.setBrush(felt);
    p.drawRoundedRect(QRectF(-64, 84, 128, 58), 5, 5);
    p.setPen(QPen(QColor(0x9a, 0x8a, 0x66), 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 70; ++i) { // fibres
        const qreal x = -58 + (i * 37) % 116, y = 90 + (i * 53) % 46;
        p.drawPoint(QPointF(x, y));
    }
    QColor film = kOil;
    film.setAlpha(130);
    p.fillRect(QRectF(-63, 132, 126, 9), film);
    dimension(p, QPointF(-64, 156), QPointF(64, 156), QStringLiteral("60 mm"));
    label(p, QPointF(11, 32), QStringLiteral("G 1/4"));
}

// Three cells in blue shrink film with a cable and plug.
void drawBatteryPack(QPainter& p) {
    shadow(p, QPointF(92, 168), 80);
    const QRectF pack(22, 54, 124, 104);
    p.setPen(QPen(kBlue.outline, 1.2));
    p.setBrush(across(pack.left(), pack.right(), kBlue));
    p.drawRoundedRect(pack, 14, 14);
    p.setPen(QPen(QColor(0x05, 0x25, 0x4a, 160), 1));
    for (int i = 1; i < 3; ++i)
        p.drawLine(QPointF(pack.left() + i * pack.width() / 3, pack.top() + 4),
                   QPointF(pack.left() + i * pack.width() / 3, pack.bottom() - 4));
    for (int i = 0; i < 3; ++i) { // cell tops
        const qreal cx = pack.left() + (i + 0.5) * pack.width() / 3;
        p.setPen(QPen(kZinc.outline, 0.8));
        p.setBrush(across(cx - 9, cx + 9, kZinc));
        p.drawRoundedRect(QRectF(cx - 9, pack.top() - 5, 18, 8), 2, 2);
    }
    p.fillRect(QRectF(pack.left() + 8, pack.top() + 34, pack.width() - 16, 36), QColor(255, 255, 255, 235));
    p.setPen(kAccent);
    p.setFont(pictureFont(22, true));
    p.drawText(QRectF(pack.left(), pack.top() + 34, pack.width(), 36), Qt::AlignCenter, QStringLiteral("4.5 V"));
    p.setPen(Qt::white);
    p.setFont(pictureFont(16, true));
    p.drawText(QRectF(pack.left() + 6, pack.top() + 8, 24, 20), Qt::AlignCenter, QStringLiteral("+"));
    p.drawText(QRectF(pack.right() - 30, pack.top() + 8, 24, 20), Qt::AlignCenter, QStringLiteral("−"));
    // Cable to the plug.
    p.setBrush(Qt::NoBrush);
    for (auto [colour, dy] : {std::pair{QColor(0xc8, 0x2a, 0x22), -3.0}, std::pair{QColor(0x1d, 0x20, 0x23), 3.0}}) {
        QPainterPath wire;
        wire.moveTo(pack.right() - 8, pack.top() + 8 + dy);
        wire.cubicTo(176, 50 + dy, 176, 100 + dy, 170, 120 + dy);
        p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(wire);
    }
    p.setPen(QPen(QColor(0x20, 0x24, 0x28), 1));
    p.setBrush(QColor(0xf2, 0xf2, 0xee));
    p.drawRoundedRect(QRectF(160, 118, 22, 26), 3, 3);
    p.setBrush(kHole);
    p.drawRect(QRectF(165, 134, 4, 6));
    p.drawRect(QRectF(173, 134, 4, 6));
}

// Activation key: blue grip with a hole, steel shank with the bit that fits the dial.
void drawKey(QPainter& p) {
    shadow(p, QPointF(100, 168), 80);
    p.translate(100, 100);
    p.rotate(-32);
    // Shank and bit.
    p.setPen(outline(kStainless));
    p.setBrush(across(-6, 6, kStainless));
    p.save();
    p.rotate(-90);
    cylinder(p, -2, 76, 12, kStainless, 2);
    p.restore();
    QPainterPath bit;
    bit.moveTo(64, -6);
    bit.lineTo(78, -6);
    bit.lineTo(78, 14);
    bit.lineTo(72, 14);
    bit.lineTo(72, 6);
    bit.lineTo(66, 6);
    bit.lineTo(66, 12);
    bit.lineTo(64, 12);
    bit.closeSubpath();
    p.setBrush(kStainless.mid);
    p.drawPath(bit);
    // Grip.
    QPainterPath grip;
    grip.addEllipse(QPointF(-30, 0), 34, 28);
    QPainterPath hole;
    hole.addEllipse(QPointF(-44, 0), 8, 8);
    grip = grip.subtracted(hole);
    QRadialGradient g(QPointF(-40, -10), 40);
    g.setColorAt(0, kBlue.light);
    g.setColorAt(1, kBlue.dark);
    p.setPen(QPen(kBlue.outline, 1.2));
    p.setBrush(g);
    p.drawPath(grip);
    p.setPen(Qt::white);
    p.setFont(pictureFont(13, true));
    p.drawText(QRectF(-34, -10, 36, 20), Qt::AlignCenter, QStringLiteral("1–12"));
}

} // namespace unctora::pictures::accdraw
