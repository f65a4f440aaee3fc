#pragma once
// The program's one highlight colour (core/version.h) as the window code takes it.

#include "core/version.h"

#include <QColor>
#include <QString>

inline QColor accentColour() {
    using unctora::core::AccentColor;
    return QColor(AccentColor.red, AccentColor.green, AccentColor.blue);
}

// "#0066cc", for style sheets.
inline QString accentColourName() { return accentColour().name(); }
