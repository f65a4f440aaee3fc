#pragma once
// The printed route sheet of a round: the changes due, grouped by location and
// machine, each with what to dial and fill, boxes to tick and a line for remarks, and
// a line to sign at the foot of every page.

#include "plan/route.h"

#include <QString>
#include <QStringList>

class QPagedPaintDevice;

namespace unctora::strings {
class StringTable;
}

namespace unctora::sheets {

// The texts of the sheet. Templates keep their printf conversions (%s, %d) and are
// formatted with the checked formatter.
struct RouteSheetTexts {
    QString title = "Lubrication round";
    QString period = "Changes due from %s to %s, and every overdue change"; // first day, last day
    QStringList fields = {"Setting", "Grease", "Lubricator", "Due", "Overdue since"};
    QStringList boxes = {"Changed", "Level checked", "Leak", "Noise or heat"};
    QString remarks = "Remarks:";
    QStringList sign = {"Signature", "Date"};
    QString continued = "%s (continued)";
    QString page = "Page %d of %d";
    QString empty = "No change is due in this period.";
};

// The texts in the table's current language; the English ones above for an item list
// of the wrong length.
RouteSheetTexts routeSheetTexts(const strings::StringTable* table);

// Draws the route onto a printer or a PDF writer, page after page, within the
// device's margins: an entry never splits across pages, and a page that goes on with a
// location or machine repeats its heading. Returns the number of pages drawn, 0 when
// the device could not start.
int printRoute(QPagedPaintDevice& device, const plan::Route& route, const RouteSheetTexts& texts,
               const QString& fontFamily);

} // namespace unctora::sheets
