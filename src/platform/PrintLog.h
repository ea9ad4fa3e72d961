#pragma once
// What the recording printer page wrote: every text, line, picture, page break, orientation and
// document end, in order, with positions in the caller's scale and in twips. Tests read it.

#include <QString>
#include <QStringList>
#include <vector>

namespace dc {

struct PrintOp {
    enum Kind { Text, Line, Image, NewPage, EndDoc, Orientation };
    Kind kind = Text;
    int document = 0;  // 1 for the first document of the log
    int page = 0;      // page of that document, from 1
    int pages = 0;     // the pages the printout said the document would have (0: not said)
    QString text;
    double x = 0, y = 0;    // text: its position; line: its start (scale units at the time)
    double x2 = 0, y2 = 0;  // line: its end; image: width and height in twips
    double xTwips = 0, yTwips = 0, x2Twips = 0, y2Twips = 0;  // from the printable corner
    int column = 0;  // text: character column it starts in (1 = left edge of the scale)
    QString fontName;
    double fontSize = 0;
    bool bold = false;
    bool underline = false;
    int orientation = 0;  // orientation of the page (or the value set)
    int scaleMode = 0;
    QString jobName;
};

class PrintLog {
  public:
    std::vector<PrintOp> ops;

    std::vector<PrintOp> Texts() const;
    std::vector<PrintOp> OfKind(PrintOp::Kind kind) const;
    // The first text op equal to `text` (nullptr when none).
    const PrintOp* Find(const QString& text) const;
    QStringList TextsOn(int document, int page) const;
    int DocumentCount() const;          // documents ended with something printed
    int PageCount(int document) const;  // pages of one document
    void Clear() { ops.clear(); }
};

}  // namespace dc
