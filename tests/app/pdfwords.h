#pragma once
// Reads a printed PDF back as its words with their boxes (pdftotext -bbox, from
// poppler-utils), and renders a page to an image (pdftoppm), so that print tests
// check what came out on paper.

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

struct PdfWord {
    int page = 0; // from 0
    QRectF box;   // in points, y downward from the top of the page
    QString text;
};

struct PdfText {
    QList<QSizeF> pages; // page sizes in points
    QList<PdfWord> words;

    bool ok() const { return !pages.isEmpty(); }
    // The words of one page (or all) run together without any white space.
    QString joined(int page = -1) const;
    // The words that reach outside area (points), with a tolerance of half a point.
    QList<PdfWord> outside(const QRectF& area) const;
    // The lowest word, by the height of its box (about the font size).
    PdfWord smallest() const;
};

PdfText readPdfWords(const QString& pdfPath);
// The page (from 0) rendered at dpi; a null image when it could not be rendered.
QImage renderPdfPage(const QString& pdfPath, int page, int dpi);
// A text without any white space (spaces, no-break spaces, line breaks), in its
// compatibility-normalised form (NFKC).
QString withoutSpaces(const QString& text);
// Whether every non-space character of expected occurs in actual at least as often.
// Returns the characters that are missing (empty when none is).
QString missingCharacters(const QString& expected, const QString& actual);
