#pragma once
// The message-box window: installs the QMessageBox that shows every MsgBox of the program.

#include <QString>
#include <QStringList>

namespace dc {

void InstallMsgBoxWindow();

// A box's text as shown: a quoted text of more than kQuotedLimit characters shortened with "...",
// and a text still longer than kShownLimit characters or kShownLines lines cut (ending "...").
// A file path ("/home/ann/Documents/Handicap Report.pdf") stands whole on a line of its own, its
// blanks unbreakable; any other word too long for the box's width may break anywhere (kWordPiece).
// `details` holds the whole text when anything was left out, for the box's scrolling detail area.
struct BoxText {
    QString shown;
    QString details;
    QStringList paths;  // the paths' lines in `shown`, for the box to widen to or elide in the middle
};
constexpr int kQuotedLimit = 160;
constexpr int kShownLimit = 1200;
constexpr int kShownLines = 20;
constexpr int kWordPiece = 40;  // a longer word gets a zero-width space (U+200B) after each piece
BoxText ArrangeBoxText(const QString& text);

}  // namespace dc
