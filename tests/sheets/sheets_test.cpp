// The printed route sheet and label sheets, read back as a person or a scanner would:
// the route's text through pdftotext, the labels' QR codes through zbarimg.
#include "sheets/labelsheet.h"
#include "sheets/routesheet.h"

#include "strings/stringtable.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace unctora;

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString fontFamily() { return QGuiApplication::font().family(); }

std::vector<plan::RouteStop> manyStops() {
    std::vector<plan::RouteStop> stops;
    const char* locations[] = {"Hall 1", "Hall 2", "Pump house"};
    std::size_t order = 0;
    for (int l = 0; l < 3; ++l)
        for (int m = 0; m < 3; ++m)
            for (int k = 0; k < 4; ++k) {
                plan::RouteStop s;
                s.pointId = "L" + std::to_string(l) + "M" + std::to_string(m) + "P" + std::to_string(k);
                if (order == 5)
                    s.pointId = "Ölpumpe-5";
                s.location = locations[l];
                s.machine = "Machine " + std::to_string(l) + "." + std::to_string(m);
                s.order = order++;
                s.due = *plan::parseIsoDate("2026-12-12");
                s.overdue = k == 3;
                s.setting = k == 2 ? "100 g|5 days" : "6";
                s.grease = "NVLO2";
                s.lubricator = "VOXA 125";
                stops.push_back(s);
            }
    return stops;
}

} // namespace

TEST(RouteSheet, EveryEntryWholeOnItsPageWithBoxesAndASignatureLine) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("route.pdf");
    const plan::Route route = plan::makeRoute(manyStops(), *plan::parseIsoDate("2026-12-10"), 7);
    ASSERT_EQ(route.stopCount(), 36u);
    QPdfWriter printer(pdf);
    printer.setResolution(1200);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const sheets::RouteSheetTexts texts;
    const int pages = sheets::printRoute(printer, route, texts, fontFamily());
    ASSERT_GE(pages, 2);

    const QStringList pageTexts = run("pdftotext", {"-layout", pdf, "-"}).split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pageTexts.size(), pages);
    QSet<QString> seen;
    const QRegularExpression idPattern("(L\\dM\\dP\\d|Ölpumpe-5)\\s+(Due|Overdue since): 2026-12-12");
    for (int i = 0; i < pages; ++i) {
        SCOPED_TRACE(i + 1);
        const QString& t = pageTexts[i];
        int onPage = 0;
        for (auto it = idPattern.globalMatch(t); it.hasNext();) {
            const QString id = it.next().captured(1);
            EXPECT_FALSE(seen.contains(id)) << id.toStdString();
            seen.insert(id);
            ++onPage;
        }
        EXPECT_GT(onPage, 0);
        // Each entry brings its four boxes and its remarks line onto the same page.
        for (const QString& caption : texts.boxes)
            EXPECT_EQ(t.count(caption), onPage) << caption.toStdString();
        EXPECT_EQ(t.count("Remarks:"), onPage);
        EXPECT_EQ(t.count("Signature:"), 1);
        EXPECT_TRUE(t.contains(QString("Page %1 of %2").arg(i + 1).arg(pages)));
        if (i > 0) {
            // A page goes on with a location heading: the next one, or the last one again.
            EXPECT_TRUE(t.contains(QRegularExpression("^\\s*(Hall|Pump house)", QRegularExpression::MultilineOption)));
        }
    }
    EXPECT_EQ(seen.size(), 36);
    EXPECT_TRUE(pageTexts.join("").contains("100 g / 5 days"));
}

TEST(RouteSheet, AnEmptyRouteSaysSoAndStillHasItsSignatureLine) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("empty.pdf");
    QPdfWriter printer(pdf);
    EXPECT_EQ(sheets::printRoute(printer, plan::makeRoute({}, *plan::parseIsoDate("2026-12-10"), 7),
                                  sheets::RouteSheetTexts{}, fontFamily()),
              1);
    const QString t = run("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(t.contains("No change is due in this period."));
    EXPECT_TRUE(t.contains("Signature:"));
}

TEST(RouteSheet, PrintsInTheUsersLanguage) {
    strings::StringTable table;
    ASSERT_TRUE(table.LoadLanguageFile(UNCTORA_SOURCE_DIR "/resources/unctora.sil"));
    for (const char* language : {"Chinese", "Russian", "Thai"}) {
        SCOPED_TRACE(language);
        ASSERT_TRUE(table.SetLanguageByName(language));
        const sheets::RouteSheetTexts texts = sheets::routeSheetTexts(&table);
        EXPECT_NE(texts.boxes, sheets::RouteSheetTexts{}.boxes); // translated, four of them
        QTemporaryDir dir;
        const QString pdf = dir.filePath("route.pdf");
        QPdfWriter printer(pdf);
        printer.setResolution(1200);
        const plan::Route route = plan::makeRoute(manyStops(), *plan::parseIsoDate("2026-12-10"), 7);
        const int pages = sheets::printRoute(printer, route, texts, fontFamily());
        ASSERT_GE(pages, 2);
        // pdftotext gives some marks stacked on Thai letters as the font's private
        // glyph codes: both sides are compared without marks.
        const auto bare = [](QString s) {
            s = s.normalized(QString::NormalizationForm_KD);
            s.removeIf([](QChar c) { return c.isMark() || c.category() == QChar::Other_PrivateUse; });
            return s;
        };
        const QString t = bare(run("pdftotext", {pdf, "-"}));
        EXPECT_EQ(t.count(bare(texts.boxes[1])), 36) << texts.boxes[1].toStdString();
        EXPECT_EQ(t.count(bare(texts.sign[0])), pages) << texts.sign[0].toStdString();
    }
}

TEST(Labels, EveryPrintedCodeScansBackToItsId) {
    std::vector<sheets::PointLabel> labels;
    QStringList ids;
    for (int i = 0; i < 27; ++i)
        ids << QString("P-%1").arg(i, 4, 10, QChar('0'));
    ids[3] = "Ölpumpe-7";
    ids[9] = "給脂点-12";
    ids[14] = "จุดหล่อลื่น 3";
    ids[20] = "Fan, \"north\" side";
    for (const QString& id : ids)
        labels.push_back({id, "Hall 2", "Fan 3", "VOXA 125", "6", "NVLO2"});

    for (std::size_t li = 0; li < sheets::labelLayouts().size(); ++li) {
        SCOPED_TRACE(li);
        const sheets::LabelLayout& layout = sheets::labelLayouts()[li];
        QTemporaryDir dir;
        const QString pdf = dir.filePath("labels.pdf");
        QPdfWriter printer(pdf);
        printer.setResolution(1200);
        const int sheetCount = sheets::printLabels(printer, layout, labels, fontFamily(), 1).sheets;
        ASSERT_EQ(sheetCount, (int(labels.size()) + 1 + layout.perSheet() - 1) / layout.perSheet());
        run("pdftoppm", {"-r", "300", "-gray", "-png", pdf, dir.filePath("sheet")});
        const QStringList pngs = QDir(dir.path()).entryList({"sheet*.png"}, QDir::Files, QDir::Name);
        ASSERT_EQ(pngs.size(), sheetCount);
        // Each label cut out of its sheet where the layout puts it, and scanned alone:
        // the code on it must be the Id of the point that goes there.
        QStringList crops;
        std::vector<QImage> sheetImages;
        for (const QString& png : pngs)
            sheetImages.emplace_back(dir.filePath(png));
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const int slot = int(i) + 1;
            const QImage& sheet = sheetImages[std::size_t(slot / layout.perSheet())];
            ASSERT_FALSE(sheet.isNull());
            const int s = slot % layout.perSheet();
            const double px = 300 / 25.4;
            const QRect r(int((layout.left + (s % layout.columns) * layout.pitchX) * px),
                          int((layout.top + (s / layout.columns) * layout.pitchY) * px), int(layout.width * px),
                          int(layout.height * px));
            crops << dir.filePath(QString("label-%1.png").arg(i, 3, 10, QChar('0')));
            ASSERT_TRUE(sheet.copy(r).save(crops.back()));
        }
        QStringList args = {"--raw", "-q", "-Sdisable", "-Sqrcode.enable"};
        const QStringList decoded = run("zbarimg", args + crops).split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(decoded.join(" | ").toStdString(), ids.join(" | ").toStdString());
    }
}

TEST(Labels, QrCodesOfLongAndEmptyIds) {
    EXPECT_TRUE(sheets::qrModules("").empty());
    const auto m = sheets::qrModules("P-1");
    ASSERT_EQ(m.size(), 21u); // version 1
    EXPECT_EQ(m[0].size(), 21u);
    EXPECT_TRUE(sheets::qrModules(std::string(4000, 'x')).empty());

    QTemporaryDir dir;
    QPdfWriter printer(dir.filePath("x.pdf"));
    const QString longId(4000, 'x');
    sheets::LabelResult r = sheets::printLabels(
        printer, sheets::labelLayouts()[0], {{"ok", {}, {}, {}, {}, {}}, {longId, {}, {}, {}, {}, {}}}, fontFamily());
    EXPECT_EQ(r.sheets, 0);
    EXPECT_EQ(r.failure, sheets::LabelFailure::IdTooLong);
    EXPECT_EQ(r.id, longId);
    r = sheets::printLabels(printer, sheets::labelLayouts()[0], {{"ok", {}, {}, {}, {}, {}}, {}}, fontFamily());
    EXPECT_EQ(r.sheets, 0);
    EXPECT_EQ(r.failure, sheets::LabelFailure::NoId);
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
