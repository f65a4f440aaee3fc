#include "sheets/routepdf.h"

#include "core/version.h"

#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>

#if defined(__GLIBC__)
#include <cstdint>
#include <langinfo.h>
#include <locale.h>
#endif

namespace unctora::sheets {

QPageSize::PageSizeId localePaper() {
#if defined(__GLIBC__)
    // The C library knows the paper of the user's LC_PAPER in millimetres. Asked of a
    // locale object of its own: the program's locale is left as it is.
    if (const locale_t paper = newlocale(LC_PAPER_MASK, "", locale_t(nullptr))) {
        const auto width = static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo_l(_NL_PAPER_WIDTH, paper)));
        const auto height = static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo_l(_NL_PAPER_HEIGHT, paper)));
        freelocale(paper);
        if (width > 0 && height > 0)
            return width == 216 && height == 279 ? QPageSize::Letter : QPageSize::A4;
    }
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
