#include "pdfwords.h"

#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>

namespace {

QString unescape(const QString& html) {
    QString s = html;
    s.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&apos;", "'");
    return s.replace("&amp;", "&");
}

// The simplified radicals a PDF reader may give for the characters drawn with the same
// glyph (the compatibility radicals are taken care of by NFKC).
QChar plainCharacter(QChar c) {
    static const QHash<ushort, QChar> radicals = [] {
        const char16_t pairs[][2] = {
            {0x2EC5, u'见'}, {0x2EC6, u'角'}, {0x2EC8, u'讠'}, {0x2EC9, u'贝'}, {0x2ECB, u'车'},
            {0x2ED0, u'钅'}, {0x2ED3, u'长'}, {0x2ED4, u'门'}, {0x2ED9, u'韦'}, {0x2EDA, u'页'},
            {0x2EDB, u'风'}, {0x2EDC, u'飞'}, {0x2EE0, u'饣'}, {0x2EE2, u'马'}, {0x2EE5, u'鱼'},
            {0x2EE6, u'鸟'}, {0x2EE7, u'卤'}, {0x2EE8, u'麦'}, {0x2EE9, u'黄'}, {0x2EEA, u'黾'},
            {0x2EEC, u'齐'}, {0x2EEE, u'齿'}, {0x2EF0, u'龙'}, {0x2EF3, u'龟'}};
        QHash<ushort, QChar> map;
        for (const auto& p : pairs)
            map.insert(p[0], QChar(p[1]));
        return map;
    }();
    return radicals.value(c.unicode(), c);
}

} // namespace

QString withoutSpaces(const QString& text) {
    // Compatibility forms count as their plain letters: a PDF reader may give a ligature
    // for "ff", or a radical sign for a Chinese character drawn with the same glyph.
    QString out;
    for (QChar c : text.normalized(QString::NormalizationForm_KC))
        if (!c.isSpace() && c != QChar(0x2028) && c != QChar(0x2029))
            out += plainCharacter(c);
    return out;
}

QString PdfText::joined(int page) const {
    QString s;
    for (const PdfWord& w : words)
        if (page < 0 || w.page == page)
            s += w.text;
    return withoutSpaces(s);
}

QList<PdfWord> PdfText::outside(const QRectF& area) const {
    const QRectF allowed = area.adjusted(-0.5, -0.5, 0.5, 0.5);
    QList<PdfWord> out;
    for (const PdfWord& w : words)
        if (!allowed.contains(w.box))
            out << w;
    return out;
}

PdfWord PdfText::smallest() const {
    PdfWord low;
    low.box = QRectF(0, 0, 0, 1e9);
    for (const PdfWord& w : words)
        if (w.box.height() < low.box.height())
            low = w;
    return low;
}

PdfText readPdfWords(const QString& pdfPath) {
    PdfText result;
    QProcess p;
    p.start("pdftotext", {"-bbox", pdfPath, "-"});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return result;
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression tag(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.-]+)" yMin="([\d.-]+)" xMax="([\d.-]+)" yMax="([\d.-]+)">([^<]*)</word>)re");
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            result.pages << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
            continue;
        }
        PdfWord w;
        w.page = static_cast<int>(result.pages.size()) - 1;
        const double x0 = m.captured(3).toDouble(), y0 = m.captured(4).toDouble();
        w.box = QRectF(x0, y0, m.captured(5).toDouble() - x0, m.captured(6).toDouble() - y0);
        w.text = unescape(m.captured(7));
        result.words << w;
    }
    return result;
}

QImage renderPdfPage(const QString& pdfPath, int page, int dpi) {
    QTemporaryDir dir;
    const QString stem = dir.filePath("page");
    QProcess p;
    p.start("pdftoppm", {"-png", "-r", QString::number(dpi), "-f", QString::number(page + 1), "-l",
                         QString::number(page + 1), "-singlefile", pdfPath, stem});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QImage(stem + ".png");
}

QString missingCharacters(const QString& expected, const QString& actual) {
    QHash<QChar, int> have;
    for (QChar c : withoutSpaces(actual))
        ++have[c];
    QString missing;
    for (QChar c : withoutSpaces(expected))
        if (--have[c] < 0)
            missing += c;
    return missing;
}
