#pragma once
// The route sheet as the bytes of a PDF file, drawn without a printer or a window, and
// the paper the user's locale prints on.

#include "plan/route.h"
#include "sheets/routesheet.h"

#include <QByteArray>
#include <QPageSize>
#include <QString>

namespace unctora::sheets {

// Letter where the locale's paper is Letter (LC_PAPER; without it, a locale that
// measures in US units), A4 everywhere else.
QPageSize::PageSizeId localePaper();

// The whole route sheet as a PDF on the paper given, margins of 12 mm; the document's
// title is the sheet's. Empty when it could not be drawn.
QByteArray routeSheetPdf(const plan::Route& route, const RouteSheetTexts& texts, QPageSize::PageSizeId paper,
                         const QString& fontFamily = {});

} // namespace unctora::sheets
