#pragma once
// The accessory pictures 101–137, one per row of the Accessories tab (accessory number
// + 101, see reports/accessories.h), each 200 × 200. They are drawn at run time like the
// setting pictures: one routine per kind of part (thread adapter, elbow, tube, hose,
// valve, bracket, clamp, cover, brush, …), parametrised per accessory, on a light
// studio backdrop with the thread sizes and lengths written beside the part as in a
// catalogue drawing.

#include <QImage>
#include <QPixmap>
#include <QSize>

namespace unctora::pictures {

// 200 × 200 for 101..137; an empty size for any other number.
QSize accessoryPictureSize(int number);

// Picture `number` drawn for the given device pixel ratio (logical size 200 × 200);
// a null image for any number outside 101..137.
QImage accessoryImage(int number, qreal devicePixelRatio = 1);

// As accessoryImage, as a pixmap; drawn once per number and ratio and then kept.
QPixmap accessoryPicture(int number, qreal devicePixelRatio = 1);

} // namespace unctora::pictures
