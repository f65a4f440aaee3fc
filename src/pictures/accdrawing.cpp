#include "pictures/accdrawing.h"

#include "pictures/pictures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>

namespace unctora::pictures::accdraw {

// Gradient across a part whose axis runs along local y, from x = left to x = right.
QBrush across(qreal left, qreal right, const Finish& f) {
    QLinearGradient g(left, 0, right, 0);
    g.setColorAt(0, f.edge);
    g.setColorAt(0.12, f.dark);
    g.setColorAt(0.35, f.light);
    g.setColorAt(0.62, f.mid);
    g.setColorAt(1, f.edge);
    return g;
}

QPen outline(const Finish& f, qreal width) { return QPen(f.outline, width); }


// ---------------------------------------------------------------------------------------
// Round parts along a local axis: x across, y down the axis, centred on x = 0.

void cylinder(QPainter& p, qreal top, qreal length, qreal width, const Finish& f, qreal radius) {
    p.setPen(outline(f));
    p.setBrush(across(-width / 2, width / 2, f));
    p.drawRoundedRect(QRectF(-width / 2, top, width, length), radius, radius);
}

// A hexagon seen across its corners: three faces, the middle one widest.
void hexagon(QPainter& p, qreal top, qreal length, qreal acrossCorners, const Finish& f) {
    const qreal w = acrossCorners, x0 = -w / 2;
    QLinearGradient g(x0, 0, x0 + w, 0);
    g.setColorAt(0, f.dark);
    g.setColorAt(0.249, f.mid);
    g.setColorAt(0.251, f.light);
    g.setColorAt(0.6, f.mid);
    g.setColorAt(0.749, f.mid);
    g.setColorAt(0.751, f.dark);
    g.setColorAt(1, f.edge);
    p.setPen(outline(f));
    p.setBrush(g);
    const qreal c = qMin(2.5, length / 6); // chamfer
    QPainterPath body;
    body.moveTo(x0 + c, top);
    body.lineTo(x0 + w - c, top);
    body.lineTo(x0 + w, top + c);
    body.lineTo(x0 + w, top + length - c);
    body.lineTo(x0 + w - c, top + length);
    body.lineTo(x0 + c, top + length);
    body.lineTo(x0, top + length - c);
    body.lineTo(x0, top + c);
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(QPen(f.outline, 0.6));
    for (qreal x : {x0 + w / 4, x0 + 3 * w / 4})
        p.drawLine(QPointF(x, top + 0.5), QPointF(x, top + length - 0.5));
}

// An outside thread: the crests as slanted lines; a tapered one narrows by a fifth.
void maleThread(QPainter& p, qreal top, qreal length, qreal width, const Finish& f, bool tapered,
                qreal pitch) {
    const qreal wEnd = tapered ? width * 0.8 : width;
    QPainterPath body;
    body.moveTo(-width / 2, top);
    body.lineTo(width / 2, top);
    body.lineTo(wEnd / 2, top + length - 2);
    body.lineTo(wEnd / 2 - 2, top + length);
    body.lineTo(-wEnd / 2 + 2, top + length);
    body.lineTo(-wEnd / 2, top + length - 2);
    body.closeSubpath();
    p.setPen(outline(f));
    p.setBrush(across(-width / 2, width / 2, f));
    p.drawPath(body);
    p.save();
    p.setClipPath(body);
    p.setPen(QPen(f.outline, 0.8));
    for (qreal y = top + 2; y < top + length + pitch; y += pitch)
        p.drawLine(QPointF(-width / 2, y), QPointF(width / 2, y + pitch * 0.45));
    p.setPen(QPen(QColor(255, 255, 255, 120), 0.7));
    for (qreal y = top + 2 + pitch / 2; y < top + length + pitch; y += pitch)
        p.drawLine(QPointF(-width / 2, y), QPointF(width / 2, y + pitch * 0.45));
    p.restore();
}

// The mouth of an inside thread at the top of a part, seen slightly from above.
void femaleMouth(QPainter& p, qreal top, qreal width, const Finish& f) {
    p.setPen(outline(f));
    p.setBrush(f.mid);
    p.drawEllipse(QPointF(0, top), width / 2, width / 6);
    p.setBrush(kHole);
    p.drawEllipse(QPointF(0, top + 0.6), width / 3.2, width / 10);
}

// Hidden inside thread, dashed as in a drawing.
void hiddenThread(QPainter& p, qreal top, qreal length, qreal width, const Finish& f) {
    p.setPen(QPen(f.outline, 0.8, Qt::DashLine));
    p.drawLine(QPointF(-width / 2, top), QPointF(-width / 2, top + length));
    p.drawLine(QPointF(width / 2, top), QPointF(width / 2, top + length));
}

// A grease nipple: small hexagon, neck and ball head.
void nipple(QPainter& p, qreal bottom, const Finish& f) {
    hexagon(p, bottom - 9, 9, 16, f);
    cylinder(p, bottom - 14, 5, 7, f, 1);
    p.setPen(outline(f));
    QRadialGradient ball(QPointF(-2, bottom - 19), 7);
    ball.setColorAt(0, f.light);
    ball.setColorAt(1, f.dark);
    p.setBrush(ball);
    p.drawEllipse(QPointF(0, bottom - 18), 5.5, 5.5);
}

// ---------------------------------------------------------------------------------------
// Annotations.

// A size written beside a part, with a short leader to it.
void label(QPainter& p, QPointF at, const QString& text, bool toRight, qreal pixels) {
    p.setFont(pictureFont(pixels, true));
    p.setPen(QPen(kInk, 0.8));
    const QPointF elbow = at + QPointF(toRight ? 12 : -12, 0);
    p.drawLine(at, elbow);
    p.setBrush(kInk);
    p.drawEllipse(at, 1.3, 1.3);
    const QRectF box = toRight ? QRectF(elbow.x() + 2, at.y() - 8, 80, 16)
                               : QRectF(elbow.x() - 82, at.y() - 8, 80, 16);
    p.drawText(box, (toRight ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, text);
}

void arrowHead(QPainter& p, QPointF tip, QPointF from, qreal size) {
    const QPointF d = tip - from;
    const qreal len = std::hypot(d.x(), d.y());
    if (len <= 0) return;
    const QPointF u = d / len, n(-u.y(), u.x());
    QPolygonF head;
    head << tip << tip - u * size + n * size * 0.45 << tip - u * size - n * size * 0.45;
    p.drawPolygon(head);
}

// A dimension line between two points with arrows at both ends and its text beside it.
void dimension(QPainter& p, QPointF a, QPointF b, const QString& text) {
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(kInk);
    p.drawLine(a, b);
    arrowHead(p, a, b);
    arrowHead(p, b, a);
    p.setFont(pictureFont(11, true));
    const QPointF mid = (a + b) / 2;
    const bool vertical = qAbs(b.y() - a.y()) > qAbs(b.x() - a.x());
    const QRectF box = vertical ? QRectF(mid.x() + 4, mid.y() - 8, 70, 16)
                                : QRectF(mid.x() - 40, mid.y() + 2, 80, 16);
    p.drawText(box, (vertical ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter, text);
}

// A drop of oil or grease.
void drop(QPainter& p, QPointF tip, qreal size, const QColor& colour) {
    QPainterPath d;
    d.moveTo(tip);
    d.cubicTo(tip + QPointF(size * 0.6, size * 0.9), tip + QPointF(size * 0.75, size * 1.6),
              tip + QPointF(0, size * 1.7));
    d.cubicTo(tip + QPointF(-size * 0.75, size * 1.6), tip + QPointF(-size * 0.6, size * 0.9), tip);
    QRadialGradient g(tip + QPointF(-size * 0.2, size * 1.1), size);
    g.setColorAt(0, colour.lighter(150));
    g.setColorAt(1, colour.darker(120));
    p.setPen(QPen(colour.darker(160), 0.7));
    p.setBrush(g);
    p.drawPath(d);
}

void shadow(QPainter& p, QPointF centre, qreal halfWidth) {
    p.save();
    p.translate(centre);
    p.scale(1, 0.16);
    QRadialGradient g(QPointF(0, 0), halfWidth);
    g.setColorAt(0, QColor(0, 0, 0, 80));
    g.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), halfWidth, halfWidth);
    p.restore();
}

void backdrop(QPainter& p) {
    QLinearGradient g(0, 0, 0, 200);
    g.setColorAt(0, QColor(0xfd, 0xfd, 0xfe));
    g.setColorAt(0.7, QColor(0xee, 0xf0, 0xf3));
    g.setColorAt(1, QColor(0xdf, 0xe3, 0xe8));
    p.fillRect(QRectF(0, 0, 200, 200), g);
}

void frame(QPainter& p) {
    p.setPen(QColor(0xc4, 0xc8, 0xcc));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 199, 199));
}

// Outline of a single-point lubricator, used inside the covers.
void ghostLubricator(QPainter& p, QRectF r, const QColor& body, qreal alpha) {
    QColor c = body;
    c.setAlphaF(alpha);
    p.setPen(QPen(c.darker(140), 1));
    p.setBrush(c);
    p.drawRoundedRect(r, 6, 6);
    QColor grease(0xe7, 0xb2, 0x4c);
    grease.setAlphaF(alpha);
    p.setBrush(grease);
    p.drawRect(QRectF(r.left() + 4, r.top() + r.height() * 0.45, r.width() - 8, r.height() * 0.5));
}

} // namespace unctora::pictures::accdraw
