#include "pictures/pictures.h"
#include "widgets/accent.h"

#include "core/lubricators.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QRadialGradient>
#include <QSvgRenderer>
#include <QtMath>

#include <array>
#include <span>

namespace unctora::pictures {
namespace {

const QColor kAccent = accentColour();
const QColor kPanel(245, 245, 245);
const QColor kCrossRed(214, 28, 36);

constexpr QSize kSettingSize(172, 120);
constexpr QSize kPhotoSize(280, 310);

// A picture number: the setting picture of a model's control at a position (-1:
// crossed out), or the photo of a model. Every number comes from the models' rows.
enum class Kind { None, Setting, Photo };

struct PictureId {
    Kind kind = Kind::None;
    const core::LubricatorModel* model = nullptr;
    int position = -1; // the setting's index in the model's positions; -1: crossed out
};

PictureId identify(int number) {
    for (const core::LubricatorModel& m : core::kLubricators) {
        if (m.photo > 0 && number == m.photo)
            return {Kind::Photo, &m, -1};
        const int count = static_cast<int>(m.positions.size());
        if (m.firstPicture > 0 && number >= m.firstPicture && number <= m.firstPicture + count)
            return {Kind::Setting, &m, number < m.firstPicture + count ? number - m.firstPicture : -1};
    }
    return {};
}

// A point at `radius` from `centre`, `degrees` clockwise from twelve o'clock.
QPointF polar(QPointF centre, qreal radius, qreal degrees) {
    const qreal a = qDegreesToRadians(degrees);
    return centre + QPointF(radius * qSin(a), -radius * qCos(a));
}

void drawTextAt(QPainter& p, QPointF centre, const QString& text, const QColor& colour) {
    p.setPen(colour);
    p.drawText(QRectF(centre.x() - 20, centre.y() - 12, 40, 24), Qt::AlignCenter, text);
}

// ---------------------------------------------------------------------------------------
// Pieces shared by the setting pictures. Each picture is a 120 × 120 drawing of the
// control on the left and a read-out of the months on the right.

struct ScaleStyle {
    qreal labelRadius;
    qreal tickInner, tickOuter;
    qreal fontPixels;
    QColor tick, text, highlight, highlightText;
};

// The printed marks of a rotary control; the chosen one sits on a coloured disc.
void drawScale(QPainter& p, QPointF centre, std::span<const int> labels, qreal startDegrees,
               qreal stepDegrees, int selected, const ScaleStyle& s) {
    p.setFont(pictureFont(s.fontPixels, true));
    for (int i = 0; i < int(labels.size()); ++i) {
        const qreal a = startDegrees + i * stepDegrees;
        p.setPen(QPen(s.tick, i == selected ? 2.2 : 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(polar(centre, s.tickInner, a), polar(centre, s.tickOuter, a));
        const QPointF at = polar(centre, s.labelRadius, a);
        if (i == selected) {
            p.setPen(QPen(s.highlight.darker(140), 0.8));
            p.setBrush(s.highlight);
            p.drawEllipse(at, 8.6, 8.6);
        }
        drawTextAt(p, at, QString::number(labels[i]), i == selected ? s.highlightText : s.text);
    }
}

struct KnobStyle {
    qreal radius;
    qreal tipRadius; // where the pointer ends
    QColor light, dark, edge, barLight, barDark, pointer;
};

// A round knob with a grip bar across it; the pointer shows where it is turned.
void drawKnob(QPainter& p, QPointF centre, qreal degrees, bool withPointer, const KnobStyle& k) {
    p.save();
    p.translate(centre);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(QPointF(1.2, 2.2), k.radius, k.radius);
    QLinearGradient body(-k.radius, -k.radius, k.radius, k.radius);
    body.setColorAt(0, k.light);
    body.setColorAt(1, k.dark);
    p.setBrush(body);
    p.setPen(QPen(k.edge, 1));
    p.drawEllipse(QPointF(0, 0), k.radius, k.radius);

    p.rotate(degrees);
    QLinearGradient bar(-5, 0, 5, 0);
    bar.setColorAt(0, k.barLight);
    bar.setColorAt(1, k.barDark);
    p.setBrush(bar);
    p.setPen(QPen(k.edge, 0.8));
    p.drawRoundedRect(QRectF(-5, -k.radius + 2.5, 10, 2 * k.radius - 5), 4, 4);
    if (withPointer) {
        QPainterPath arrow;
        arrow.moveTo(0, -k.tipRadius);
        arrow.lineTo(-5.5, -k.radius + 3);
        arrow.lineTo(5.5, -k.radius + 3);
        arrow.closeSubpath();
        p.setPen(QPen(k.pointer.darker(160), 0.8));
        p.setBrush(k.pointer);
        p.drawPath(arrow);
        p.setPen(QPen(k.pointer, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, -k.radius + 4), QPointF(0, -2));
    }
    p.restore();
}

// The months the control is set to, large, under a small calendar; "--" in red when the
// setting cannot be made.
void drawReadout(QPainter& p, int months) {
    const QRectF box(124.5, 32.5, 44, 55);
    p.setPen(QPen(kAccent, 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(box, 6, 6);

    const QRectF sheet(box.center().x() - 7.5, 39.5, 15, 12);
    p.setPen(QPen(kAccent, 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    p.fillRect(QRectF(sheet.left(), sheet.top(), sheet.width(), 3.5), kAccent);
    for (qreal x : {sheet.left() + 4, sheet.right() - 4})
        p.drawLine(QPointF(x, sheet.top() - 2), QPointF(x, sheet.top() + 1.5));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            p.fillRect(QRectF(sheet.left() + 2.5 + col * 3.7, sheet.top() + 5.5 + row * 3, 2.2, 1.8),
                       QColor(120, 130, 140));

    p.setFont(pictureFont(25, true));
    p.setPen(months >= 0 ? kAccent : kCrossRed);
    p.drawText(QRectF(box.left(), 52, box.width(), 34), Qt::AlignCenter,
               months >= 0 ? QString::number(months) : QStringLiteral("--"));
}

// The control is greyed and crossed out in red: no setting of it gives the wanted months.
void drawCrossedOut(QPainter& p) {
    p.fillRect(QRectF(0, 0, 120, 120), QColor(245, 245, 245, 120));
    const QPointF a(14, 14), b(106, 106), c(106, 14), d(14, 106);
    p.setPen(QPen(QColor(255, 255, 255, 220), 15, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    p.drawLine(c, d);
    p.setPen(QPen(kCrossRed, 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    p.drawLine(c, d);
}

// ---------------------------------------------------------------------------------------
// The three setting families.

// Top view of the gas-driven lubricator's cap: a blue knurled rim round a white month
// scale 0 … 12, with a turning knob in the middle.
void drawMonthDial(QPainter& p, int position, std::span<const int> months) {
    const QPointF c(60, 60);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawEllipse(c + QPointF(1.5, 2.5), 56, 56);

    QLinearGradient rim(c.x() - 56, c.y() - 56, c.x() + 56, c.y() + 56);
    rim.setColorAt(0, QColor(0x5a, 0xa4, 0xf0));
    rim.setColorAt(0.5, kAccent);
    rim.setColorAt(1, QColor(0x08, 0x37, 0x6b));
    p.setBrush(rim);
    p.setPen(QPen(QColor(0x1c, 0x24, 0x30), 1));
    p.drawEllipse(c, 56, 56);
    p.setPen(QPen(QColor(0x05, 0x2a, 0x55, 150), 1.2));
    for (int i = 0; i < 60; ++i)
        p.drawLine(polar(c, 51.5, i * 6.0), polar(c, 55.5, i * 6.0));

    QRadialGradient face(c - QPointF(14, 16), 80);
    face.setColorAt(0, Qt::white);
    face.setColorAt(1, QColor(0xd8, 0xe0, 0xe8));
    p.setBrush(face);
    p.setPen(QPen(QColor(0x08, 0x37, 0x6b), 1.2));
    p.drawEllipse(c, 50, 50);

    // 0 … 12 over 330 degrees, the gap at the bottom between 12 and 0.
    const ScaleStyle scale{37, 44.5, 48.5, 10.5, QColor(0x44, 0x4c, 0x55), QColor(0x1c, 0x24, 0x30),
                           kAccent, Qt::white};
    drawScale(p, c, months, -165, 27.5, position, scale);

    const KnobStyle knob{21, 28, QColor(0xf4, 0xf6, 0xf8), QColor(0x80, 0x88, 0x92),
                         QColor(0x3a, 0x40, 0x48), QColor(0xe6, 0xea, 0xee), QColor(0x98, 0xa0, 0xaa),
                         QColor(0xe0, 0x30, 0x1e)};
    drawKnob(p, c, position >= 0 ? -165 + 27.5 * position : 180, position >= 0, knob);
}

// Top view of the dark drive head with its rotary switch; only the marks 1, 2, 3, 4, 6,
// 8, 9, 10 and 12 are on the switch.
void drawRotarySwitch(QPainter& p, int position, std::span<const int> months) {
    const QPointF c(60, 60);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRoundedRect(QRectF(5.5, 6.5, 112, 112), 16, 16);
    QLinearGradient head(0, 4, 0, 116);
    head.setColorAt(0, QColor(0x5a, 0x61, 0x69));
    head.setColorAt(1, QColor(0x22, 0x26, 0x2b));
    p.setBrush(head);
    p.setPen(QPen(QColor(0x10, 0x12, 0x15), 1));
    p.drawRoundedRect(QRectF(4, 4, 112, 112), 16, 16);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(6, 6, 108, 108), 14, 14);

    for (const QPointF s : {QPointF(15, 15), QPointF(105, 15), QPointF(15, 105), QPointF(105, 105)}) {
        QLinearGradient metal(s - QPointF(4, 4), s + QPointF(4, 4));
        metal.setColorAt(0, QColor(0xe8, 0xeb, 0xee));
        metal.setColorAt(1, QColor(0x6e, 0x76, 0x80));
        p.setBrush(metal);
        p.setPen(QPen(QColor(0x10, 0x12, 0x15), 0.8));
        p.drawEllipse(s, 4, 4);
        p.setPen(QPen(QColor(0x30, 0x35, 0x3a), 1.2));
        p.drawLine(s + QPointF(-2.5, 2.5), s + QPointF(2.5, -2.5));
    }

    p.setPen(QPen(QColor(0x7a, 0x82, 0x8b), 1.2));
    p.setBrush(QColor(0x17, 0x1a, 0x1e));
    p.drawEllipse(c, 48, 48);

    // Nine marks over 280 degrees.
    const ScaleStyle scale{35, 42.5, 46, 10.5, QColor(0xc9, 0xce, 0xd4), Qt::white,
                           QColor(0xff, 0xb3, 0x00), QColor(0x17, 0x1a, 0x1e)};
    drawScale(p, c, months, -140, 35, position, scale);

    const KnobStyle knob{19.5, 26, QColor(0x4a, 0x50, 0x57), QColor(0x0c, 0x0e, 0x10),
                         QColor(0x05, 0x06, 0x07), QColor(0xd8, 0xdc, 0xe1), QColor(0x86, 0x8e, 0x97),
                         QColor(0xff, 0xb3, 0x00)};
    drawKnob(p, c, position >= 0 ? -140 + 35 * position : 180, position >= 0, knob);
}

// The red block of four DIP switches inside the lubricator's housing; a white lever up is
// ON. The settings are coded as the binary number position + 1 (switch 1 the lowest bit),
// so all off is never a setting and is what the crossed-out picture shows.
void drawDipSwitches(QPainter& p, int position, const core::LubricatorModel& m) {
    // The yellow housing of both sizes; the size plate tells them apart at a glance,
    // dark on the larger one of a pair.
    const bool large = m.smaller >= 0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawRoundedRect(QRectF(5.5, 6.5, 112, 112), 10, 10);
    QLinearGradient housing(0, 4, 0, 116);
    housing.setColorAt(0, QColor(0xf8, 0xd5, 0x58));
    housing.setColorAt(1, QColor(0xd2, 0x9a, 0x16));
    p.setBrush(housing);
    p.setPen(QPen(QColor(0x6a, 0x4a, 0x06), 1));
    p.drawRoundedRect(QRectF(4, 4, 112, 112), 10, 10);

    const QRectF plate(30, 94, 60, 17);
    p.setPen(QPen(QColor(0x22, 0x26, 0x2b), 0.8));
    p.setBrush(large ? QColor(0x22, 0x26, 0x2b) : QColor(Qt::white));
    p.drawRoundedRect(plate, 3, 3);
    p.setFont(pictureFont(11, true));
    p.setPen(large ? QColor(0xf8, 0xd5, 0x58) : QColor(0x22, 0x26, 0x2b));
    p.drawText(plate, Qt::AlignCenter, QString::number(m.volumeMl) + QStringLiteral(" ml"));

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x22, 0x26, 0x2b));
    p.drawRoundedRect(QRectF(10, 10, 100, 82), 5, 5);
    const QRectF block(14, 14, 92, 74);
    QLinearGradient red(0, block.top(), 0, block.bottom());
    red.setColorAt(0, QColor(0xe8, 0x3a, 0x36));
    red.setColorAt(1, QColor(0xa8, 0x14, 0x1a));
    p.setBrush(red);
    p.setPen(QPen(QColor(0x5c, 0x08, 0x0c), 1));
    p.drawRoundedRect(block, 3, 3);

    p.setFont(pictureFont(9.5, true));
    p.setPen(Qt::white);
    p.drawText(QRectF(24, 16, 30, 13), Qt::AlignLeft | Qt::AlignVCenter, "ON");
    QPainterPath arrow;
    arrow.moveTo(47, 18.5);
    arrow.lineTo(43, 25);
    arrow.lineTo(51, 25);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(arrow);

    const int code = position >= 0 ? position + 1 : 0;
    for (int i = 0; i < 4; ++i) {
        const bool on = (code >> i) & 1;
        const QRectF slot(22.5 + i * 20, 31.5, 15, 36);
        p.setPen(QPen(QColor(0x3a, 0x04, 0x08), 1));
        p.setBrush(QColor(0x4a, 0x0c, 0x10));
        p.drawRect(slot);
        const QRectF lever(slot.left() + 1.5, on ? slot.top() + 1.5 : slot.bottom() - 17.5, 12, 16);
        QLinearGradient white(lever.topLeft(), lever.bottomLeft());
        white.setColorAt(0, Qt::white);
        white.setColorAt(1, QColor(0xd2, 0xd6, 0xda));
        p.setPen(QPen(QColor(0x70, 0x74, 0x78), 0.8));
        p.setBrush(white);
        p.drawRect(lever);
        p.setPen(QPen(QColor(0xa0, 0xa4, 0xa8), 0.8));
        for (int g = 0; g < 3; ++g) {
            const qreal y = lever.top() + 5 + g * 3;
            p.drawLine(QPointF(lever.left() + 2.5, y), QPointF(lever.right() - 2.5, y));
        }
        p.setFont(pictureFont(10, true));
        drawTextAt(p, QPointF(slot.center().x(), 77.5), QString::number(i + 1), Qt::white);
    }
}

// ---------------------------------------------------------------------------------------
// The lubricators of the Dispense rate tab: the artwork on a studio backdrop.

// The artwork drawn at `scale`, cut to the part it actually covers.
QImage trimmedArtwork(QSvgRenderer& svg, qreal scale) {
    const QSize size = (QSizeF(svg.defaultSize()) * scale).toSize();
    QImage art(size, QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    {
        QPainter painter(&art);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
    }
    int left = size.width(), top = size.height(), right = -1, bottom = -1;
    for (int y = 0; y < size.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(art.constScanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            if (qAlpha(line[x]) > 8) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        }
    }
    if (right < 0) return {};
    return art.copy(QRect(QPoint(left, top), QPoint(right, bottom)));
}

bool drawPhoto(QPainter& p, int artwork, qreal devicePixelRatio) {
    QSvgRenderer svg(QString(":/pictures/%1.svg").arg(artwork));
    if (!svg.isValid()) return false;
    const QImage art = trimmedArtwork(svg, 2.5 * devicePixelRatio);
    if (art.isNull()) return false;

    const qreal w = kPhotoSize.width(), h = kPhotoSize.height();
    const QRectF all(0, 0, w, h);
    QLinearGradient backdrop(0, 0, 0, h);
    backdrop.setColorAt(0, QColor(0xfc, 0xfc, 0xfd));
    backdrop.setColorAt(0.62, QColor(0xe2, 0xe6, 0xea));
    backdrop.setColorAt(0.80, QColor(0xd6, 0xdb, 0xe0));
    backdrop.setColorAt(1, QColor(0xea, 0xed, 0xf0));
    p.fillRect(all, backdrop);
    QRadialGradient light(QPointF(w * 0.42, h * 0.34), w * 0.75);
    light.setColorAt(0, QColor(255, 255, 255, 210));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(all, light);

    // Largest fit into the upper part, standing on the floor line.
    const qreal floorY = h - 30;
    const qreal fit = qMin(210.0 / art.width(), 250.0 / art.height());
    const QSizeF drawn = QSizeF(art.size()) * fit;
    const QRectF target(QPointF((w - drawn.width()) / 2, floorY - drawn.height()), drawn);

    p.save();
    p.translate(w / 2, floorY - 2);
    p.scale(1, 0.14);
    const qreal spread = drawn.width() * 0.75;
    QRadialGradient shadow(QPointF(0, 0), spread);
    shadow.setColorAt(0, QColor(0, 0, 0, 95));
    shadow.setColorAt(0.5, QColor(0, 0, 0, 40));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(0, 0), spread, spread);
    p.restore();

    // A faint reflection in the glossy floor, fading out within a short distance.
    QImage reflection = art.mirrored(false, true);
    {
        QPainter fade(&reflection);
        fade.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        QLinearGradient alpha(0, 0, 0, reflection.height() * 0.22);
        alpha.setColorAt(0, QColor(0, 0, 0, 55));
        alpha.setColorAt(1, QColor(0, 0, 0, 0));
        fade.fillRect(reflection.rect(), alpha);
    }
    p.drawImage(target.translated(0, drawn.height()), reflection);
    p.drawImage(target, art);

    QRadialGradient vignette(QPointF(w / 2, h / 2), w * 0.95);
    vignette.setColorAt(0.55, QColor(0, 0, 0, 0));
    vignette.setColorAt(1, QColor(0, 0, 0, 45));
    p.fillRect(all, vignette);
    p.setPen(QColor(0xc4, 0xc8, 0xcc));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    return true;
}

} // namespace

QSize settingPictureSize(int number) {
    switch (identify(number).kind) {
    case Kind::None: return {};
    case Kind::Photo: return kPhotoSize;
    default: return kSettingSize;
    }
}

QImage settingImage(int number, qreal devicePixelRatio) {
    const PictureId id = identify(number);
    if (id.kind == Kind::None) return {};
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1;
    const QSize logical = settingPictureSize(number);
    QImage image((QSizeF(logical) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(kPanel);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const core::LubricatorModel& m = *id.model;
    if (id.kind == Kind::Photo) {
        if (!drawPhoto(p, m.artwork, ratio)) {
            p.end();
            return {};
        }
        p.end();
        return image;
    }
    switch (m.control) {
    case core::SettingControl::MonthDial: drawMonthDial(p, id.position, m.positions); break;
    case core::SettingControl::RotarySwitch: drawRotarySwitch(p, id.position, m.positions); break;
    case core::SettingControl::DipSwitches: drawDipSwitches(p, id.position, m); break;
    default: break; // the multi-point units have no setting pictures
    }
    if (id.position < 0) drawCrossedOut(p);
    drawReadout(p, id.position >= 0 ? m.positions[static_cast<std::size_t>(id.position)] : -1);
    p.end();
    return image;
}

QPixmap settingPicture(int number, qreal devicePixelRatio) {
    const QString key = QStringLiteral("unctora-picture-%1@%2").arg(number).arg(devicePixelRatio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) return pixmap;
    const QImage image = settingImage(number, devicePixelRatio);
    if (image.isNull()) return {};
    pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QFont pictureFont(qreal pixels, bool bold) {
    // A plain face of our own choosing: the display font the user picks may be decorative.
    QFont font;
    font.setFamilies({"DejaVu Sans", "Arial", "Helvetica"});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(pixels));
    font.setBold(bold);
    return font;
}

} // namespace unctora::pictures
