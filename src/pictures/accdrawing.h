#pragma once
// Drawing pieces shared by the accessory pictures (accpictures.cpp, accparts.cpp): the
// surfaces, round parts along an axis, annotations in the style of a catalogue drawing,
// and the drawing routines of the mounting, protection and applicator parts.
//
// Round parts are drawn along a local axis: x across, y down the axis, centred on
// x = 0; translate and rotate the painter to place them. Every picture is 200 × 200.

#include "widgets/accent.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace unctora::pictures::accdraw {

inline const QColor kAccent = accentColour();
inline const QColor kInk(0x33, 0x3a, 0x42); // labels and dimension lines
inline const QColor kOil(0xd8, 0x9a, 0x1c); // oil drops
inline const QColor kHole(0x22, 0x26, 0x2b);

// A part's surface: a gradient across it, dark at the edges and bright a little left of
// the middle, as the metal of the lubricator artwork.
struct Finish {
    QColor edge, dark, light, mid, outline;
};

inline const Finish kZinc{QColor(0x5f, 0x66, 0x6f), QColor(0x8a, 0x93, 0x9c), QColor(0xf1, 0xf4, 0xf7),
                          QColor(0xb4, 0xbc, 0xc5), QColor(0x4a, 0x50, 0x58)};
inline const Finish kBrass{QColor(0x6e, 0x50, 0x14), QColor(0xa8, 0x84, 0x2c), QColor(0xfa, 0xe9, 0xae),
                           QColor(0xd2, 0xae, 0x52), QColor(0x5c, 0x42, 0x10)};
inline const Finish kStainless{QColor(0x7a, 0x82, 0x8a), QColor(0xa9, 0xb1, 0xb9), QColor(0xff, 0xff, 0xff),
                               QColor(0xd6, 0xdc, 0xe1), QColor(0x5d, 0x64, 0x6b)};
inline const Finish kDark{QColor(0x1d, 0x20, 0x23), QColor(0x32, 0x37, 0x3c), QColor(0x8a, 0x91, 0x98),
                          QColor(0x4a, 0x50, 0x56), QColor(0x0c, 0x0d, 0x0f)};
inline const Finish kBlue{QColor(0x05, 0x25, 0x4a), QColor(0x0a, 0x45, 0x85), QColor(0x6a, 0xb0, 0xf2),
                          QColor(0x1b, 0x6c, 0xc0), QColor(0x05, 0x25, 0x4a)};
inline const Finish kRed{QColor(0x6a, 0x10, 0x10), QColor(0x9c, 0x1c, 0x18), QColor(0xf0, 0x7a, 0x6c),
                         QColor(0xc8, 0x2a, 0x22), QColor(0x5a, 0x0e, 0x0c)};

QBrush across(qreal left, qreal right, const Finish& f);
QPen outline(const Finish& f, qreal width = 0.9);

void cylinder(QPainter& p, qreal top, qreal length, qreal width, const Finish& f, qreal radius = 1.5);
void hexagon(QPainter& p, qreal top, qreal length, qreal acrossCorners, const Finish& f);
void maleThread(QPainter& p, qreal top, qreal length, qreal width, const Finish& f, bool tapered = false,
                qreal pitch = 3.2);
void femaleMouth(QPainter& p, qreal top, qreal width, const Finish& f);
void hiddenThread(QPainter& p, qreal top, qreal length, qreal width, const Finish& f);
void nipple(QPainter& p, qreal bottom, const Finish& f);

void label(QPainter& p, QPointF at, const QString& text, bool toRight = true, qreal pixels = 11);
void arrowHead(QPainter& p, QPointF tip, QPointF from, qreal size = 5);
void dimension(QPainter& p, QPointF a, QPointF b, const QString& text);
void drop(QPainter& p, QPointF tip, qreal size, const QColor& colour);
void shadow(QPainter& p, QPointF centre, qreal halfWidth);
void backdrop(QPainter& p);
void frame(QPainter& p);
void ghostLubricator(QPainter& p, QRectF r, const QColor& body, qreal alpha);

// Mounting, protection, applicators and drive parts (accparts.cpp).
void drawBracket(QPainter& p, int places);
void drawClamp(QPainter& p, bool drive);
void drawMagnet(QPainter& p);
void drawClearCover(QPainter& p);
void drawDriveCover(QPainter& p);
void drawWireGuard(QPainter& p);
void drawFlatBrush(QPainter& p, int mm);
void drawRoundBrush(QPainter& p);
void drawFeltPad(QPainter& p);
void drawBatteryPack(QPainter& p);
void drawKey(QPainter& p);

} // namespace unctora::pictures::accdraw
