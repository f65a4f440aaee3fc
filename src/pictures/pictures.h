#pragma once
// The numbered pictures of the setting display and the Dispense rate tab, drawn at run
// time rather than stored, so that every family comes from one drawing routine. The
// numbers and the settings they show are the lubricator rows' (core/lubricators.h):
//
//   1–13   the gas-driven lubricator's month dial turned to 0 … 12, 14 crossed out
//   49–54  the lubricator of item 0–5, drawn from its artwork on a studio background
//   60–68  the drive head's rotary switch at 1, 2, 3, 4, 6, 8, 9, 10, 12, 69 crossed out
//   80–87  the 120 ml lubricator's DIP switches for 1, 2, 3, 6, 9, 12, 18, 24 months,
//          88 crossed out; 90–98 the same for the 380 ml lubricator
//
// The lubricator pictures need the compiled-in artwork (AppEnvironment::initResources).

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QSize>

namespace unctora::pictures {

// The size of picture `number` in logical pixels; an empty size when there is no such
// picture.
QSize settingPictureSize(int number);

// Picture `number` drawn for a screen with the given device pixel ratio (its logical size
// is settingPictureSize). A null image when there is no such picture or its artwork
// cannot be loaded.
QImage settingImage(int number, qreal devicePixelRatio = 1);

// As settingImage, as a pixmap; drawn once per number and ratio and then kept.
QPixmap settingPicture(int number, qreal devicePixelRatio = 1);

// The plain sans-serif face the drawn pictures label their parts with.
QFont pictureFont(qreal pixels, bool bold = false);

} // namespace unctora::pictures
