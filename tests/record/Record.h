#pragma once
// The record of what the screens and printouts show: each as a text file in tests/record/, compared
// on every run. DC_WRITE_RECORD=1 (scripts/write-record.sh) writes the files anew instead.

#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace dc {
class Spread;
}

namespace dc::test {

// Every visible text of a window in the order its controls were made: labels, boxes, choices,
// ticked options, each grid cell by cell ("x" a ticked box) and each chart's series.
QString ScreenText(QWidget& window);
QString GridText(const Spread& grid);

// The words of a PDF as pdftotext reads them: page (from 1), box in points from the paper's top
// left corner, text; `pages` gets each page's size.
struct PdfWord {
    int page;
    QRectF box;
    QString text;
};
std::vector<PdfWord> PdfWords(const QByteArray& pdf, std::vector<QSizeF>* pages = nullptr);

// A PDF's words with their places on the paper, in inches from its top left corner (rounded to
// 1/100): one line per printed line, words that follow with a blank kept together.
QString PdfPlaces(const QByteArray& pdf);

class ScriptedMsgBox;
// What `print` hands to a printer with half-inch edges on Letter and then on A4: each job's title,
// pages and placed words, and the messages `boxes` took meanwhile.
QString PrintedOnBothPapers(const ScriptedMsgBox& boxes, const std::function<void()>& print);

// Compares `text` with the record `name` (tests/record/<name>.txt) and fails with the differences;
// writes the record instead when DC_WRITE_RECORD is set.
void CheckRecord(const QString& name, const QString& text);

}  // namespace dc::test
