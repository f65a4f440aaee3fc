#include "desktop/fontapply.h"

#include "widgets/badge.h"
#include "widgets/radiogroup.h"

#include <QAbstractSpinBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolTip>

namespace unctora::app {

namespace {

QFont withFamily(QFont font, const QString& name) {
    font.setFamilies({name});
    return font;
}

bool takesChildFont(const QWidget* w) {
    // Radio groups are group boxes here, so the group box test covers both kinds.
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QLineEdit*>(w) || qobject_cast<const QGroupBox*>(w);
}

// Makes w keep the font it shows now when its parent's font changes. What w inherits
// counts as set on w itself from here on.
void pinFont(QWidget* w) { setFontName(w, w->font().family()); }

void applyGrid(QTableWidget* grid, const QString& name) {
    setFontName(grid, name);
    setFontName(grid->horizontalHeader(), name);
    setFontName(grid->verticalHeader(), name);
    // Cells drawn as fixed rows or shaded carry fonts of their own.
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            if (QTableWidgetItem* cell = grid->item(r, c); cell && cell->data(Qt::FontRole).isValid())
                cell->setFont(withFamily(cell->font(), name));
}

void apply(const FontTarget& t, const QString& name) {
    if (!t.control)
        return;
    // The children first: pinning must happen before the container's own change.
    if (t.parts & FontTarget::Children)
        SetFontOfChildren(t.control, name);
    if (t.parts & FontTarget::OwnFont)
        setFontName(t.control, name);
    if (t.parts & FontTarget::Items)
        if (auto* group = qobject_cast<TRadioGroup*>(t.control))
            for (int i = 0; i < group->count(); ++i)
                setFontName(group->button(i), name);
    if (t.parts & FontTarget::Grid)
        if (auto* grid = qobject_cast<QTableWidget*>(t.control))
            applyGrid(grid, name);
}

} // namespace

bool FontInstalled(const QString& name) {
    return name.size() <= 31 && QFontDatabase::families().contains(name, Qt::CaseSensitive);
}

void setFontName(QWidget* w, const QString& name) { w->setFont(withFamily(w->font(), name)); }

void SetFontOfChildren(QWidget* container, const QString& name) {
    for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        if (takesChildFont(child))
            setFontName(child, name);
        else
            pinFont(child);
    }
}

void ApplyFont(const QString& name, const FontApplication& targets) {
    if (targets.setFontName)
        targets.setFontName(name);
    for (const FontTarget& t : targets.controls)
        apply(t, name);
    if (targets.badge)
        targets.badge->setFontFamily(name);
    for (const FontPage& page : targets.pages) {
        if (page.heading)
            setFontName(page.heading, name);
        if (page.rebuild)
            page.rebuild(name);
    }
    for (const FontTarget& t : targets.accessories)
        apply(t, name);
    QToolTip::setFont(withFamily(QToolTip::font(), name));
    if (targets.menu) {
        targets.menu->update();
        for (QMenu* menu : targets.menu->findChildren<QMenu*>())
            menu->update();
    }
}

} // namespace unctora::app
