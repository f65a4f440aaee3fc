#pragma once
// Does every text of a window fit where it is shown? Measures the texts of the
// visible controls under a widget with their own fonts, against the part of the
// control that is on screen: its rectangle clipped by every parent (a scroll area's
// viewport included), less what the control's frame and style take for themselves.

#include <QString>
#include <QStringList>

class QWidget;

struct Misfit {
    QString where; // object names from the window down to the control
    QString text;
    QString why;
    QString line() const { return where + " \"" + text + "\": " + why; }
};

// Every visible control below root (root included) whose text is cut, hidden or
// drawn without a font that has its characters.
QList<Misfit> misfits(const QWidget* root);

// The characters of text that no installed font shows in font (glyph 0 after the
// font's fall-backs).
QString missingGlyphs(const QString& text, const class QFont& font);

QStringList lines(const QList<Misfit>& list);
