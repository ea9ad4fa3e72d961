#pragma once
// The printed handicap reports: one player's report and the index list of all players, in
// character columns of a 12-point fixed-pitch font on a letter page, from the texts the handicap
// screen shows.

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace dc {

class PrinterPage;

// Inches from the top-left corner to (8.5, 11), "Courier New" (or its fallback), 12 points.
void SetUpReportPage(PrinterPage& page);

// The cells of one grid row the printouts read: score or index, course or player, tee box or
// course handicap, date.
struct PrintRow {
    QString first, second, third, date;
};

struct IndividualPrint {
    QString player, date, index, tIndex, course, tee, hcp, tHcp;
    bool tHcpShown = false;
    std::array<PrintRow, 23> rows;
    QStringList players;  // every player's list text: the name printed reads like none of the others
};
// One document; all 23 rows, empty ones as empty lines.
void PrintIndividual(PrinterPage& page, const IndividualPrint& report);

struct IndexListPrint {
    QString date, course, tee;
    std::vector<PrintRow> rows;  // index, player, course handicap, date
    QStringList surnames;        // of the rows' names given first name first (low to high)
};
// One document; rows that do not fit go on to further pages without headings.
void PrintIndexList(PrinterPage& page, const IndexListPrint& list);

// An index text right-aligned in five characters ("  7.0", " 12.3", " +2.3", "+12.3"); a text that
// is not a plain number ("12.3T") unchanged.
QString IndexPicture(const QString& text);
// A course handicap right-aligned in three characters ("  5", " 14", " +3", "+14").
QString HcpPicture(const QString& text);

}  // namespace dc
