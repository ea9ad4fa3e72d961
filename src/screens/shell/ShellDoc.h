#pragma once
// The help document, shown in a window of the program's own (no PDF program needs to be installed).

#include <QList>
#include <QString>

namespace dc {

// Shows the document in the help window, one for the whole program, brought to the front when it is
// open already. "Help File: CV5.PDF not found" when the file does not exist; a file that is not a
// readable PDF is named.
void ShellDoc(const QString& documentPath);

// A chapter as the document's contents page lists it, under "Chapter Page": its title and its page
// (from 1). The help window lists them beside the pages, each a link to its chapter.
struct HelpChapter {
    QString title;
    int page = 0;
};
QList<HelpChapter> HelpContents(const QString& contentsPageText);

}  // namespace dc
