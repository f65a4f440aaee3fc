#pragma once
// Label sheets for the lubrication points: one label per point with a QR code of its
// Id (which a hand scanner types back into the plan window's filter) and its Id,
// location, machine, lubricator, setting and grease.

#include <QPageSize>
#include <QString>

#include <string_view>
#include <vector>

class QPagedPaintDevice;

namespace unctora::sheets {

// A sheet of self-adhesive labels: every measure in millimetres from the sheet's
// top-left corner; the pitch is the distance from one label's edge to the next one's.
struct LabelLayout {
    QPageSize::PageSizeId page;
    int columns = 0;
    int rows = 0;
    double width = 0, height = 0;  // of one label
    double left = 0, top = 0;      // of the first label
    double pitchX = 0, pitchY = 0;
    int perSheet() const { return columns * rows; }
};

// The common sheets, in the order of the language file's strLabelLayoutItems:
//   A4 3 × 8:      70 × 36 mm, no side margin, 4.5 mm top, pitch 70 × 36 mm
//   A4 2 × 7:      99.1 × 38.1 mm, 4.65 mm left, 15.15 mm top, pitch 101.6 × 38.1 mm
//   Letter 3 × 10: 2 5/8 × 1 in, 3/16 in left, 1/2 in top, pitch 2 3/4 × 1 in
//   Letter 2 × 7:  4 × 1 1/3 in, 0.156 in left, 0.833 in top, pitch 4.188 × 1 1/3 in
const std::vector<LabelLayout>& labelLayouts();

// The texts print as given, one line each (location and machine share one), cut short
// with an ellipsis where the label is too narrow.
struct PointLabel {
    QString id, location, machine, lubricator, setting, grease;
};

// The modules of the QR code of a text (UTF-8, in byte mode, error correction level M),
// row by row, without the quiet zone; empty when the text is too long for a QR code.
std::vector<std::vector<bool>> qrModules(std::string_view utf8);

// Why no sheet was printed.
enum class LabelFailure {
    None,
    NoId,           // a point without an Id: a label without a code is no use
    IdTooLong,      // the Id does not fit a QR code
    DeviceNotStarted,
};
struct LabelResult {
    int sheets = 0;
    LabelFailure failure = LabelFailure::None;
    QString id; // the Id that failed
};

// Prints the labels on as many sheets as they need, starting at label `skip` of the
// first sheet (the ones before it were used already). The device is set to the
// layout's page, portrait, drawn from its very corner (full-page mode). Nothing is
// printed when one of the Ids cannot be coded.
LabelResult printLabels(QPagedPaintDevice& device, const LabelLayout& layout, const std::vector<PointLabel>& labels,
                        const QString& fontFamily, int skip = 0);

} // namespace unctora::sheets
