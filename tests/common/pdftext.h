#pragma once
#include <QRectF>
#include <QString>
#include <QVector>

// Reads a PDF back the way a reader of the printout would: its text (with
// pdftotext) and the places of its words, in millimetres from the top-left
// corner of the sheet.
namespace PdfText {

struct Word {
    int page = 0; // from 0
    QRectF box;   // mm
    QString text;
};

// Text of one page (from 0), or of all pages when page is -1: the words
// of a line joined by one blank, lines by a line break, pages by a form feed.
QString Text(const QString& pdf, int page = -1);
QVector<Word> Words(const QString& pdf);
// Words of one page whose text equals `text`, top to bottom.
QVector<Word> Find(const QVector<Word>& words, const QString& text, int page = 0);
// Page count and the size of every page in millimetres (pdfinfo).
QVector<QSizeF> PageSizes(const QString& pdf);

} // namespace PdfText
