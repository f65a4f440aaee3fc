#include "sheets/labelsheet.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <qrencode.h>

#include <algorithm>
#include <memory>

namespace unctora::sheets {

namespace {

constexpr double kInch = 25.4;
constexpr int kQuietZone = 4; // modules of white around the code, as scanners need

} // namespace

const std::vector<LabelLayout>& labelLayouts() {
    static const std::vector<LabelLayout> layouts = {
        {QPageSize::A4, 3, 8, 70.0, 36.0, 0.0, 4.5, 70.0, 36.0},
        {QPageSize::A4, 2, 7, 99.1, 38.1, 4.65, 15.15, 101.6, 38.1},
        {QPageSize::Letter, 3, 10, 2.625 * kInch, 1.0 * kInch, 0.1875 * kInch, 0.5 * kInch, 2.75 * kInch, 1.0 * kInch},
        {QPageSize::Letter, 2, 7, 4.0 * kInch, 4.0 / 3 * kInch, 0.156 * kInch, 0.8333 * kInch, 4.188 * kInch,
         4.0 / 3 * kInch},
    };
    return layouts;
}

std::vector<std::vector<bool>> qrModules(std::string_view utf8) {
    std::vector<std::vector<bool>> out;
    if (utf8.empty())
        return out;
    // Text beyond ASCII says that it is UTF-8 (ECI 26); without that a scanner guesses
    // the character set and may read Shift JIS.
    const bool ascii = std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const std::unique_ptr<QRinput, decltype(&QRinput_free)> input(QRinput_new2(0, QR_ECLEVEL_M), &QRinput_free);
    if (!input || (!ascii && QRinput_appendECIheader(input.get(), 26) != 0) ||
        QRinput_append(input.get(), QR_MODE_8, int(utf8.size()), reinterpret_cast<const unsigned char*>(utf8.data())) != 0)
        return out;
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(QRcode_encodeInput(input.get()), &QRcode_free);
    if (!code)
        return out;
    const int n = code->width;
    out.assign(std::size_t(n), std::vector<bool>(std::size_t(n)));
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            out[std::size_t(y)][std::size_t(x)] = code->data[y * n + x] & 1;
    return out;
}

namespace {

// Draws the code in a square; runs of dark modules as one rectangle each, so that no
// seam shows between neighbours.
void drawQr(QPainter& p, const std::vector<std::vector<bool>>& m, const QRectF& square) {
    const int n = int(m.size()) + 2 * kQuietZone;
    const double unit = square.width() / n;
    p.fillRect(square, Qt::white);
    for (int y = 0; y < int(m.size()); ++y) {
        const auto& row = m[std::size_t(y)];
        for (int x = 0; x < int(row.size());) {
            if (!row[std::size_t(x)]) {
                ++x;
                continue;
            }
            int end = x;
            while (end < int(row.size()) && row[std::size_t(end)])
                ++end;
            p.fillRect(QRectF(square.left() + (x + kQuietZone) * unit, square.top() + (y + kQuietZone) * unit,
                              (end - x) * unit, unit),
                       Qt::black);
            x = end;
        }
    }
}

} // namespace

LabelResult printLabels(QPagedPaintDevice& printer, const LabelLayout& layout, const std::vector<PointLabel>& labels,
                        const QString& fontFamily, int skip) {
    LabelResult result;
    std::vector<std::vector<std::vector<bool>>> codes;
    codes.reserve(labels.size());
    for (const PointLabel& l : labels) {
        const QByteArray id = l.id.toUtf8();
        codes.push_back(qrModules(std::string_view(id.constData(), std::size_t(id.size()))));
        if (codes.back().empty()) {
            result.failure = l.id.isEmpty() ? LabelFailure::NoId : LabelFailure::IdTooLong;
            result.id = l.id;
            return result;
        }
    }
    // The whole sheet is the page: a printer's least margins do not move the labels.
    QPageLayout page(QPageSize(layout.page), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
    page.setMode(QPageLayout::FullPageMode);
    printer.setPageLayout(page);
    QPainter p;
    if (!p.begin(&printer)) {
        result.failure = LabelFailure::DeviceNotStarted;
        return result;
    }
    const double mm = printer.logicalDpiX() / kInch;
    skip = std::clamp(skip, 0, layout.perSheet() - 1);
    int& sheets = result.sheets;
    sheets = labels.empty() ? 0 : 1;
    const auto fontOf = [&](double pt, bool bold) {
        QFont f(fontFamily);
        f.setPointSizeF(pt);
        f.setBold(bold);
        return f;
    };
    // The 1-inch labels take smaller lines so that all five fit beside the code.
    const bool small = layout.height < 30;
    const QFont idFont = fontOf(small ? 8 : 10, true);
    const QFont textFont = fontOf(small ? 6 : 7.5, false);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const int slot = int((i + std::size_t(skip)) % std::size_t(layout.perSheet()));
        if (i > 0 && slot == 0) {
            printer.newPage();
            ++sheets;
        }
        const int col = slot % layout.columns;
        const int row = slot / layout.columns;
        const QRectF label((layout.left + col * layout.pitchX) * mm, (layout.top + row * layout.pitchY) * mm,
                           layout.width * mm, layout.height * mm);
        // Keep clear of the label's die-cut edge.
        const double inset = 1.5 * mm;
        const QRectF inner = label.adjusted(inset, inset, -inset, -inset);
        const double side = inner.height();
        drawQr(p, codes[i], QRectF(inner.left(), inner.top(), side, side));

        const PointLabel& l = labels[i];
        const double tx = inner.left() + side + 1 * mm;
        const double tw = inner.right() - tx;
        const QString lines[] = {l.id, l.location + (l.machine.isEmpty() ? QString() : " · " + l.machine),
                                 l.lubricator, l.setting, l.grease};
        double ty = inner.top();
        p.setPen(Qt::black);
        for (int k = 0; k < 5; ++k) {
            QFont f = k == 0 ? idFont : textFont;
            // The Id is what a person reads off the label: a smaller size before an
            // ellipsis, down to that of the other lines.
            while (k == 0 && f.pointSizeF() > textFont.pointSizeF() &&
                   QFontMetricsF(f, &printer).horizontalAdvance(lines[0]) > tw)
                f.setPointSizeF(f.pointSizeF() - 0.5);
            const QFontMetricsF fm(f, &printer);
            if (ty + fm.height() > inner.bottom() + 0.01)
                break;
            p.setFont(f);
            p.drawText(QRectF(tx, ty, tw, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                       fm.elidedText(lines[k], Qt::ElideRight, tw));
            ty += fm.lineSpacing();
        }
    }
    p.end();
    return result;
}

} // namespace unctora::sheets
