#include "sheets/routesheet.h"

#include "text/format.h"
#include "strings/itemlist.h"
#include "strings/stringtable.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <vector>

namespace unctora::sheets {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QString fmt(const QString& tmpl, std::initializer_list<text::FmtArg> args) {
    try {
        return qs(text::format(tmpl.toStdString(), args));
    } catch (const text::FormatError&) {
        return tmpl; // a broken translation prints as it stands rather than not at all
    }
}

QString itemText(const QStringList& items, int i) { return i < items.size() ? items[i] : QString(); }

enum class ItemKind { Location, Machine, Stop };
struct Item {
    ItemKind kind;
    QString text;
    const plan::RouteStop* stop = nullptr;
};

struct Geometry {
    double mm = 1;  // device pixels per millimetre
    double width = 0;
    double height = 0;
    double header = 0, footer = 0;
    QFont title, heading, machine, bold, normal, small;
    double locH = 0, machH = 0, stopH = 0;
    double line(const QFont& f, QPaintDevice* d) const { return QFontMetricsF(f, d).lineSpacing(); }
};

} // namespace

RouteSheetTexts routeSheetTexts(const strings::StringTable* table) {
    RouteSheetTexts t;
    if (!table)
        return t;
    const auto text = [&](const char* key, QString& out) {
        const std::string s = strings::LangStr(table, key);
        if (!s.empty())
            out = qs(s);
    };
    const auto list = [&](const char* key, QStringList& out) {
        QStringList items;
        for (const std::string& s : strings::parseItemList(strings::LangStr(table, key)))
            items << qs(s);
        if (items.size() == out.size())
            out = items;
    };
    text("strRouteTitle", t.title);
    text("strRoutePeriod", t.period);
    list("strRouteFieldItems", t.fields);
    list("strRouteBoxItems", t.boxes);
    text("strRouteRemarks", t.remarks);
    list("strRouteSignItems", t.sign);
    text("strRouteContinued", t.continued);
    text("strRoutePage", t.page);
    text("strRouteEmpty", t.empty);
    return t;
}

int printRoute(QPagedPaintDevice& printer, const plan::Route& route, const RouteSheetTexts& texts,
               const QString& fontFamily) {
    QPainter p;
    if (!p.begin(&printer))
        return 0;
    Geometry g;
    const int dpi = printer.logicalDpiX();
    const QRectF area = printer.pageLayout().paintRectPixels(dpi);
    g.mm = dpi / 25.4;
    g.width = area.width();
    g.height = area.height();
    const auto font = [&](double pt, bool bold) {
        QFont f(fontFamily);
        f.setPointSizeF(pt);
        f.setBold(bold);
        return f;
    };
    g.title = font(14, true);
    g.heading = font(12, true);
    g.machine = font(10.5, true);
    g.bold = font(10, true);
    g.normal = font(9.5, false);
    g.small = font(8.5, false);
    QPaintDevice* dev = &printer;
    g.header = g.line(g.title, dev) + g.line(g.small, dev) + 4 * g.mm;
    g.footer = g.line(g.normal, dev) + 12 * g.mm;
    g.locH = g.line(g.heading, dev) + 3 * g.mm;
    g.machH = g.line(g.machine, dev) + 1.5 * g.mm;
    g.stopH = g.line(g.bold, dev) + g.line(g.normal, dev) * 2 + 9 * g.mm;
    const double body = g.height - g.header - g.footer;

    // Lay the entries out on pages first, so that each page can say how many there are.
    std::vector<std::vector<Item>> pages(1);
    double y = 0;
    for (const plan::RouteLocation& loc : route.locations)
        for (std::size_t mi = 0; mi < loc.machines.size(); ++mi)
            for (std::size_t si = 0; si < loc.machines[mi].stops.size(); ++si) {
                const bool firstOfLoc = mi == 0 && si == 0;
                const bool firstOfMach = si == 0;
                for (int attempt = 0; attempt < 2; ++attempt) {
                    const bool pageStart = pages.back().empty();
                    const bool needLoc = firstOfLoc || pageStart;
                    const bool needMach = firstOfMach || pageStart;
                    const double needed = (needLoc ? g.locH : 0) + (needMach ? g.machH : 0) + g.stopH;
                    if (y + needed > body && !pageStart) {
                        pages.emplace_back();
                        y = 0;
                        continue;
                    }
                    const QString locName = qs(loc.location);
                    const QString machName = qs(loc.machines[mi].machine);
                    if (needLoc)
                        pages.back().push_back(
                            {ItemKind::Location, firstOfLoc ? locName : fmt(texts.continued, {locName.toStdString()})});
                    if (needMach)
                        pages.back().push_back({ItemKind::Machine,
                                                firstOfMach ? machName : fmt(texts.continued, {machName.toStdString()})});
                    pages.back().push_back({ItemKind::Stop, {}, &loc.machines[mi].stops[si]});
                    y += needed;
                    break;
                }
            }

    const QString lastDay = qs(plan::isoDate(route.day + std::chrono::days(std::max(route.days, 1) - 1)));
    const QString period = fmt(texts.period, {plan::isoDate(route.day), lastDay.toStdString()});
    const int pageCount = int(pages.size());
    const double boxSide = 3.6 * g.mm;
    QPen thin(Qt::black);
    thin.setWidthF(0.25 * g.mm);
    QPen hair(Qt::black);
    hair.setWidthF(0.15 * g.mm);

    for (int pi = 0; pi < pageCount; ++pi) {
        if (pi > 0)
            printer.newPage();
        // Header: title and period, the page number at the right.
        p.setPen(Qt::black);
        p.setFont(g.title);
        const double titleH = g.line(g.title, dev);
        p.drawText(QRectF(0, 0, g.width * 0.7, titleH), Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetricsF(g.title, dev).elidedText(texts.title, Qt::ElideRight, g.width * 0.7));
        p.setFont(g.small);
        p.drawText(QRectF(g.width * 0.7, 0, g.width * 0.3, titleH), Qt::AlignRight | Qt::AlignVCenter,
                   fmt(texts.page, {pi + 1, pageCount}));
        p.drawText(QRectF(0, titleH, g.width, g.line(g.small, dev)), Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetricsF(g.small, dev).elidedText(period, Qt::ElideRight, g.width));
        p.setPen(thin);
        p.drawLine(QPointF(0, g.header - 2 * g.mm), QPointF(g.width, g.header - 2 * g.mm));

        double yy = g.header;
        if (route.stopCount() == 0) {
            p.setFont(g.normal);
            p.setPen(Qt::black);
            p.drawText(QRectF(0, yy, g.width, g.line(g.normal, dev) * 2), Qt::AlignLeft | Qt::AlignVCenter, texts.empty);
        }
        for (const Item& it : pages[pi]) {
            p.setPen(Qt::black);
            if (it.kind == ItemKind::Location) {
                p.setFont(g.heading);
                p.drawText(QRectF(0, yy + 1.5 * g.mm, g.width, g.line(g.heading, dev)), Qt::AlignLeft | Qt::AlignVCenter,
                           QFontMetricsF(g.heading, dev).elidedText(it.text, Qt::ElideRight, g.width));
                yy += g.locH;
                continue;
            }
            if (it.kind == ItemKind::Machine) {
                p.setFont(g.machine);
                p.drawText(QRectF(3 * g.mm, yy, g.width - 3 * g.mm, g.line(g.machine, dev)),
                           Qt::AlignLeft | Qt::AlignVCenter,
                           QFontMetricsF(g.machine, dev).elidedText(it.text, Qt::ElideRight, g.width - 3 * g.mm));
                yy += g.machH;
                continue;
            }
            const plan::RouteStop& s = *it.stop;
            const double x0 = 6 * g.mm;
            const double w = g.width - x0;
            double ly = yy;
            // Id, and when it is due.
            const double boldH = g.line(g.bold, dev);
            p.setFont(g.bold);
            const QString due = (s.overdue ? itemText(texts.fields, 4) : itemText(texts.fields, 3)) + ": " +
                                qs(plan::isoDate(s.due));
            const double dueW = QFontMetricsF(g.bold, dev).horizontalAdvance(due) + 2 * g.mm;
            p.drawText(QRectF(x0, ly, w - dueW, boldH), Qt::AlignLeft | Qt::AlignVCenter,
                       QFontMetricsF(g.bold, dev).elidedText(qs(s.pointId), Qt::ElideRight, w - dueW));
            p.drawText(QRectF(x0 + w - dueW, ly, dueW, boldH), Qt::AlignRight | Qt::AlignVCenter, due);
            ly += boldH;
            // What to dial and fill.
            const double normH = g.line(g.normal, dev);
            p.setFont(g.normal);
            QString setting = qs(s.setting);
            // "Feed rate:|3.00 ml/day" reads as one phrase; other lines are set apart.
            setting.replace(QStringLiteral(":|"), QStringLiteral(": ")).replace('|', QStringLiteral(" / "));
            const QString what = itemText(texts.fields, 0) + ": " + setting + "    " + itemText(texts.fields, 1) +
                                 ": " + qs(s.grease) + "    " + itemText(texts.fields, 2) + ": " + qs(s.lubricator);
            p.drawText(QRectF(x0, ly, w, normH), Qt::AlignLeft | Qt::AlignVCenter,
                       QFontMetricsF(g.normal, dev).elidedText(what, Qt::ElideRight, w));
            ly += normH + 1.5 * g.mm;
            // The boxes to tick.
            const double cell = w / 4;
            for (int b = 0; b < 4; ++b) {
                const double bx = x0 + b * cell;
                p.setPen(thin);
                p.drawRect(QRectF(bx, ly + (normH - boxSide) / 2, boxSide, boxSide));
                p.setPen(Qt::black);
                p.drawText(QRectF(bx + boxSide + 1.5 * g.mm, ly, cell - boxSide - 2 * g.mm, normH),
                           Qt::AlignLeft | Qt::AlignVCenter,
                           QFontMetricsF(g.normal, dev)
                               .elidedText(itemText(texts.boxes, b), Qt::ElideRight, cell - boxSide - 2 * g.mm));
            }
            ly += normH + 2 * g.mm;
            // A line for remarks.
            const double remW = QFontMetricsF(g.normal, dev).horizontalAdvance(texts.remarks) + 2 * g.mm;
            p.drawText(QRectF(x0, ly, remW, normH), Qt::AlignLeft | Qt::AlignVCenter, texts.remarks);
            p.setPen(hair);
            p.drawLine(QPointF(x0 + remW, ly + normH - 0.5 * g.mm), QPointF(g.width, ly + normH - 0.5 * g.mm));
            yy += g.stopH;
        }

        // The signature line at the foot of every page.
        const double normH = g.line(g.normal, dev);
        const double sy = g.height - normH - 1 * g.mm;
        p.setFont(g.normal);
        p.setPen(Qt::black);
        const QString signCaption = itemText(texts.sign, 0) + ":";
        const QString dateCaption = itemText(texts.sign, 1) + ":";
        const QFontMetricsF fm(g.normal, dev);
        const double signW = fm.horizontalAdvance(signCaption) + 2 * g.mm;
        const double dateW = fm.horizontalAdvance(dateCaption) + 2 * g.mm;
        const double dateX = g.width * 0.62;
        p.drawText(QRectF(0, sy, signW, normH), Qt::AlignLeft | Qt::AlignBottom, signCaption);
        p.drawText(QRectF(dateX, sy, dateW, normH), Qt::AlignLeft | Qt::AlignBottom, dateCaption);
        p.setPen(thin);
        p.drawLine(QPointF(signW, sy + normH), QPointF(dateX - 6 * g.mm, sy + normH));
        p.drawLine(QPointF(dateX + dateW, sy + normH), QPointF(g.width, sy + normH));
    }
    p.end();
    return pageCount;
}

} // namespace unctora::sheets
