#pragma once
// Applying the display font to the main window.
//
// Only font names (families) change; sizes, styles and colours stay as designed. A
// control whose family is not set explicitly would follow its parent in Qt, so the
// controls that are meant to keep their font get their present family pinned before
// their parent changes.

#include <QList>
#include <QString>
#include <functional>

class QMenuBar;
class QWidget;
class TBadge;

namespace unctora::app {

// True when an installed font family has exactly this name, letter case included.
// Names of more than 31 characters are never installed (the face-name limit of the
// system the settings files come from).
bool FontInstalled(const QString& name);

// Sets the family of w's own font; everything else of the font stays.
void setFontName(QWidget* w, const QString& name);

// For each control directly inside container (not deeper) that is a label, a spin
// edit, a single-line edit, a group box or a radio group: its family becomes name.
// The other direct children keep the family they show, and so do the controls inside
// them, also when container's own font changes later.
void SetFontOfChildren(QWidget* container, const QString& name);

// One row of the table of controls: what of the control gets the family.
struct FontTarget {
    enum Part : unsigned {
        OwnFont = 1,  // the control's font
        Children = 2, // SetFontOfChildren on the control
        Items = 4,    // the items of a radio group, not its caption
        Grid = 8,     // a grid: its font, its header rows and every cell with a font of its own
    };
    QWidget* control = nullptr;
    unsigned parts = OwnFont;
};

// A page rebuilt with the new face: its heading label gets the family, then rebuild
// makes the face the view's default and rebuilds the page. An error of rebuild
// escapes ApplyFont; what was set before stays set.
struct FontPage {
    QWidget* heading = nullptr;
    std::function<void(const QString&)> rebuild;
};

struct FontApplication {
    std::function<void(const QString&)> setFontName; // FontName = name
    QList<FontTarget> controls;                      // the table of controls, in order
    TBadge* badge = nullptr;                         // the setting badge's face
    QList<FontPage> pages;                           // calculation page, then selection chart
    QList<FontTarget> accessories;                   // labAcc, sgAcc
    QMenuBar* menu = nullptr;                        // repainted at the end
};

// In this order: FontName, the table of controls, the badge, each page (heading,
// rebuild), the accessories, the tooltips' font, a repaint of the menu.
void ApplyFont(const QString& name, const FontApplication& targets);

} // namespace unctora::app
