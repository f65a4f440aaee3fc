#include "sheets/routepdf.h"

#include "core/version.h"

#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>

#if defined(__GLIBC__)
#include <cstdint>
#include <langinfo.h>
#endif

namespace unctora::sheets {

QPageSize::PageSizeId localePaper() {
#if defined(__GLIBC__) && defined(_NL_PAPER_WIDTH)
    // The C library knows the paper of LC_PAPER in millimetres; 0 when it is not set up.
    const auto width = static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_PAPER_WIDTH)));
    const auto height = static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_PAPER_HEIGHT)));
    if (width > 0 && height > 0)
        return width == 216 && height == 279 ? QPageSize::Letter : QPageSize::A4;
#endif
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

QByteArray routeSheetPdf(const plan::Route& route, const RouteSheetTexts& texts, QPageSize::PageSizeId paper,
                         const QString& fontFamily) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setTitle(texts.title);
        writer.setCreator(QString::fromStdString(core::FullTitle()));
        writer.setPageLayout(
            QPageLayout(QPageSize(paper), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
        // Without a family of the user's: the system's sans serif, as on the screen.
        if (printRoute(writer, route, texts, fontFamily.isEmpty() ? QStringLiteral("sans-serif") : fontFamily) == 0)
            return {};
    } // the writer finishes the file when it goes
    return bytes;
}

} // namespace unctora::sheets
