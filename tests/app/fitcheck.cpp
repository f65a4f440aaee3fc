#include "fitcheck.h"

#include "reports/setting.h"
#include "widgets/badge.h"
#include "widgets/tabbar.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTableWidget>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolButton>

namespace {

QString path(const QWidget* w) {
    QStringList names;
    for (const QWidget* p = w; p; p = p->isWindow() ? nullptr : p->parentWidget())
        if (!p->objectName().isEmpty() && !p->objectName().startsWith("qt_"))
            names.prepend(p->objectName());
    return names.join('/') + (w->objectName().isEmpty() ? QString("/<%1>").arg(w->metaObject()->className())
                                                        : QString());
}

QString size(const QSize& s) { return QString("%1x%2").arg(s.width()).arg(s.height()); }

// The part of w's rectangle that its parents leave on screen, in w's coordinates.
QRect visiblePart(const QWidget* w) {
    QRect r = w->rect();
    QPoint offset;
    for (const QWidget* child = w; !child->isWindow() && child->parentWidget(); child = child->parentWidget()) {
        offset += child->pos();
        r &= child->parentWidget()->rect().translated(-offset);
    }
    return r;
}

QString withoutMnemonic(QString text) {
    // "&&" stands for "&"; a single "&" marks the next letter and is not drawn.
    text.replace("&&", QString(QChar(0xE000)));
    text.remove('&');
    text.replace(QChar(0xE000), '&');
    return text;
}

class Checker {
public:
    QList<Misfit> found;

    void add(const QWidget* w, const QString& text, const QString& why) {
        found.push_back({path(w), text.simplified(), why});
    }

    // A text drawn in need pixels inside room (both in w's coordinates).
    void fits(const QWidget* w, const QString& text, const QFont& font, const QRect& need, const QRect& room) {
        if (const QString missing = missingGlyphs(text, font); !missing.isEmpty())
            add(w, text, "no installed font shows " + missing);
        if (!room.contains(need))
            add(w, text, QString("needs %1 at (%2,%3), has %4 at (%5,%6)")
                             .arg(size(need.size())).arg(need.x()).arg(need.y())
                             .arg(size(room.size())).arg(room.x()).arg(room.y()));
        const QRect shown = visiblePart(w);
        if (!shown.contains(need & w->rect()))
            add(w, text, QString("only %1 of %2 shown").arg(size(shown.size())).arg(size(w->size())));
    }

    void label(const QLabel* l) {
        if (l->text().isEmpty() || !l->pixmap().isNull())
            return;
        const int m = l->margin();
        const QRect room = l->contentsRect().adjusted(m, m, -m, -m);
        const bool rich = l->textFormat() == Qt::RichText ||
                          (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
        QRect need;
        QString plain = l->text();
        if (rich) {
            QTextDocument doc;
            doc.setDefaultFont(l->font());
            doc.setDocumentMargin(0);
            doc.setHtml(l->text());
            plain = doc.toPlainText();
            if (l->wordWrap())
                doc.setTextWidth(room.width());
            need = QRect(room.topLeft(), doc.size().toSize());
            if (doc.idealWidth() > room.width())
                need.setWidth(qCeil(doc.idealWidth()));
        } else {
            const int flags = int(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
            need = l->fontMetrics().boundingRect(room, flags, plain);
        }
        fits(l, plain, l->font(), need, room);
    }

    void button(const QAbstractButton* b) {
        const QString text = withoutMnemonic(b->text());
        if (text.isEmpty())
            return;
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (b->inherits("QRadioButton"))
            contents = QStyle::SE_RadioButtonContents;
        else if (b->inherits("QCheckBox"))
            contents = QStyle::SE_CheckBoxContents;
        else if (!qobject_cast<const QPushButton*>(b))
            return;
        const QRect room = b->style()->subElementRect(contents, &opt, b);
        const QSize textSize = b->fontMetrics().size(Qt::TextShowMnemonic, b->text());
        // Push buttons centre (or align) the text in their contents; the other kinds
        // draw it from the left of theirs. Either way it must lie inside, and the
        // line must be as high as the button lets it be.
        QRect need(room.left(), b->height() / 2 - textSize.height() / 2, textSize.width(), textSize.height());
        fits(b, text, b->font(), need, QRect(room.left(), 0, room.width(), b->height()));
    }

    void groupBox(const QGroupBox* g) {
        if (g->title().isEmpty())
            return;
        QStyleOptionGroupBox opt;
        opt.initFrom(g);
        opt.text = g->title();
        opt.lineWidth = 1;
        opt.textAlignment = g->alignment();
        opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (g->isFlat())
            opt.features |= QStyleOptionFrame::Flat;
        const QRect label = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
        // The style draws group titles in bold.
        QFont bold = g->font();
        bold.setBold(true);
        const QSize textSize = QFontMetrics(bold).size(Qt::TextShowMnemonic, g->title());
        fits(g, withoutMnemonic(g->title()), bold, QRect(label.topLeft(), textSize),
             g->rect());
    }

    void lineEdit(const QLineEdit* e) {
        if (e->text().isEmpty())
            return;
        const int frame = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e) : 0;
        const QRect room = e->rect().adjusted(frame + 2, frame, -frame - 2, -frame);
        const QFontMetrics fm = e->fontMetrics();
        const QRect need(room.left(), room.top() + (room.height() - fm.height()) / 2,
                         fm.horizontalAdvance(e->text()), fm.height());
        fits(e, e->text(), e->font(), need, room);
    }

    void comboBox(const QComboBox* c) {
        if (c->currentText().isEmpty())
            return;
        QStyleOptionComboBox opt;
        opt.initFrom(c);
        opt.editable = c->isEditable();
        opt.frame = c->hasFrame();
        opt.currentText = c->currentText();
        opt.subControls = QStyle::SC_All;
        const QRect field = c->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c);
        const QFontMetrics fm = c->fontMetrics();
        const QRect need(field.left(), field.top() + (field.height() - fm.height()) / 2,
                         fm.horizontalAdvance(c->currentText()), fm.height());
        fits(c, c->currentText(), c->font(), need, field.adjusted(0, -1, 0, 1));
    }

    void tabBar(const TPageTabBar* bar) {
        QFont bold = bar->font();
        bold.setBold(true); // any tab can be the active one
        const QFontMetrics fm(bold);
        for (int i = 0; i < bar->count(); ++i) {
            if (!bar->isTabVisible(i))
                continue;
            const QRect tab = bar->tabRect(i);
            const QString text = QStringLiteral("   ") + bar->tabText(i);
            const QRect need(tab.left(), tab.top() + (tab.height() - fm.height()) / 2,
                             fm.horizontalAdvance(text), fm.height());
            // The room ends 2 pixels short of the next tab.
            QRect room = tab.adjusted(0, 0, -2, 0) & bar->rect();
            if (room.width() < tab.width() - 2)
                add(bar, bar->tabText(i), "the tab is not wholly in the strip");
            fits(bar, bar->tabText(i), bold, need, room);
        }
    }

    // A tab bar of the toolkit's own kind: every tab wholly in the bar (no scroll
    // buttons), and each tab as wide as its caption with the style's space around it.
    void plainTabBar(const QTabBar* bar) {
        const int space = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
        const QFontMetrics fm = bar->fontMetrics();
        for (int i = 0; i < bar->count(); ++i) {
            if (!bar->isTabVisible(i))
                continue;
            const QString text = withoutMnemonic(bar->tabText(i));
            const QRect tab = bar->tabRect(i);
            if (!bar->rect().contains(tab))
                add(bar, text, "the tab is not wholly in the strip");
            const int need = fm.horizontalAdvance(text) + space;
            if (tab.width() < need)
                add(bar, text, QString("tab %1 needs %2 pixels, has %3").arg(i).arg(need).arg(tab.width()));
            if (const QString missing = missingGlyphs(text, bar->font()); !missing.isEmpty())
                add(bar, text, "no installed font shows " + missing);
        }
    }

    void badge(const TBadge* b) {
        if (b->text().isEmpty())
            return;
        const QFont f = b->badgeFont();
        const QFontMetrics fm(f);
        const auto lines = unctora::reports::layoutBadgeText(
            b->text().toStdString(), b->width(), b->height(), fm.height(), [&fm](std::string_view line) {
                return fm.horizontalAdvance(QString::fromUtf8(line.data(), static_cast<int>(line.size())));
            });
        // Inside the rounded rectangle's border, which starts 2 pixels in.
        const QRect room = b->rect().adjusted(3, 3, -3, -3);
        for (const auto& line : lines) {
            const QString text = QString::fromStdString(line.text);
            fits(b, text, f, QRect(line.x, line.y, fm.horizontalAdvance(text), fm.height()), room);
        }
        // The rounded rectangle itself must be wholly on screen.
        const QRect shown = visiblePart(b);
        if (shown != b->rect())
            add(b, b->text(), QString("badge shows %1 of %2").arg(size(shown.size())).arg(size(b->size())));
    }

    void table(const QTableWidget* t) {
        const QWidget* vp = t->viewport();
        for (int r = 0; r < t->rowCount(); ++r)
            for (int c = 0; c < t->columnCount(); ++c) {
                const QTableWidgetItem* item = t->item(r, c);
                if (!item || item->text().isEmpty() || t->isRowHidden(r) || t->isColumnHidden(c))
                    continue;
                const QRect cell = t->visualItemRect(item);
                if (!vp->rect().intersects(cell)) {
                    // A grid without scroll bars has to show every row.
                    if (t->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff)
                        add(t, item->text(), QString("row %1 is below the grid").arg(r));
                    continue;
                }
                const QFont f = item->data(Qt::FontRole).isValid() ? item->font() : t->font();
                QString text = item->text();
                text.replace('\r', QChar::LineSeparator).replace('\n', QChar::LineSeparator);
                const QRect room = cell.adjusted(3, 0, -3, 0);
                const int flags = item->textAlignment() | (t->wordWrap() ? Qt::TextWordWrap : 0);
                const QRect need = QFontMetrics(f).boundingRect(room, flags, text);
                if (const QString missing = missingGlyphs(text, f); !missing.isEmpty())
                    add(t, text, "no installed font shows " + missing);
                if (!room.contains(need))
                    add(t, text, QString("cell (%1,%2) needs %3, has %4")
                                     .arg(r).arg(c).arg(size(need.size())).arg(size(room.size())));
            }
        // A grid that does not scroll ends with its last row and column.
        if (t->rowCount() > 0 && t->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff) {
            const int last = t->rowCount() - 1;
            const int strip = vp->height() - (t->rowViewportPosition(last) + t->rowHeight(last));
            if (strip > 0)
                add(t, QString(), QString("empty strip of %1 pixels below the last row").arg(strip));
        }
        if (t->columnCount() > 0 && t->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff) {
            const int last = t->columnCount() - 1;
            const int strip = vp->width() - (t->columnViewportPosition(last) + t->columnWidth(last));
            if (strip > 0)
                add(t, QString(), QString("empty strip of %1 pixels right of the last column").arg(strip));
        }
    }

    void menuBar(const QMenuBar* bar) {
        for (QAction* a : bar->actions()) {
            if (!a->isVisible())
                continue;
            const QRect r = bar->actionGeometry(a);
            if (!bar->rect().contains(r))
                add(bar, withoutMnemonic(a->text()), "the menu title is not wholly in the bar");
            if (const QString missing = missingGlyphs(withoutMnemonic(a->text()), bar->font()); !missing.isEmpty())
                add(bar, a->text(), "no installed font shows " + missing);
            // The items of the menu: a drop-down is as wide as its widest item, so
            // only the characters can go wrong there.
            if (const QMenu* menu = a->menu())
                for (const QAction* item : menu->actions())
                    if (const QString text = withoutMnemonic(item->text().section('\t', 0, 0)); !text.isEmpty())
                        if (const QString missing = missingGlyphs(text, menu->font()); !missing.isEmpty())
                            add(bar, text, "no installed font shows " + missing);
        }
        if (auto* more = bar->findChild<QToolButton*>("qt_menubar_ext_button"); more && more->isVisible())
            add(bar, QString(), "menus hidden behind the extension button");
    }

    void widget(const QWidget* w) {
        if (auto* l = qobject_cast<const QLabel*>(w))
            label(l);
        else if (auto* b = qobject_cast<const QAbstractButton*>(w))
            button(b);
        else if (auto* e = qobject_cast<const QLineEdit*>(w))
            lineEdit(e);
        else if (auto* c = qobject_cast<const QComboBox*>(w))
            comboBox(c);
        else if (auto* t = qobject_cast<const TPageTabBar*>(w))
            tabBar(t);
        else if (auto* t = qobject_cast<const QTabBar*>(w))
            plainTabBar(t);
        else if (auto* b = qobject_cast<const TBadge*>(w))
            badge(b);
        else if (auto* t = qobject_cast<const QTableWidget*>(w))
            table(t);
        else if (auto* m = qobject_cast<const QMenuBar*>(w))
            menuBar(m);
        if (auto* g = qobject_cast<const QGroupBox*>(w))
            groupBox(g);
    }
};

} // namespace

QString missingGlyphs(const QString& text, const QFont& font) {
    QString shown = text;
    for (QChar& c : shown)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator)
            c = ' ';
    QTextLayout layout(shown, font);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
        line.setLineWidth(1e6);
    layout.endLayout();
    int missing = 0;
    for (const QGlyphRun& run : layout.glyphRuns())
        for (quint32 glyph : run.glyphIndexes())
            missing += glyph == 0;
    return missing ? QString("%1 of its characters").arg(missing) : QString();
}

QList<Misfit> misfits(const QWidget* root) {
    Checker check;
    QList<const QWidget*> all{root};
    for (const QWidget* w : root->findChildren<QWidget*>())
        all << w;
    for (const QWidget* w : all)
        if (w->isVisible() && w->window() == root->window())
            check.widget(w);
    return check.found;
}

QStringList lines(const QList<Misfit>& list) {
    QStringList out;
    for (const Misfit& m : list)
        if (!out.contains(m.line()))
            out << m.line();
    return out;
}
