#pragma once
// Reads what a printed PDF holds, for the printing tests: the words of each page
// with their boxes in points (poppler's pdftotext -bbox), and a page as an image
// (pdftoppm).

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

namespace varnok::test {

struct PdfWord {
    QString text;
    QRectF box;  // points, from the page's top-left corner
};

struct PdfPage {
    double width = 0;  // points
    double height = 0;
    QList<PdfWord> words;
};

// Every page of the file; empty when the file cannot be read.
QList<PdfPage> ReadPdfPages(const QString& pdfPath);

// Page `page` (1-based) rendered in gray at `dpi`; a null image on failure.
QImage RenderPdfPage(const QString& pdfPath, int dpi, int page = 1);

// The words of `page` that equal `text`.
QList<PdfWord> WordsNamed(const PdfPage& page, const QString& text);

}  // namespace varnok::test
