#pragma once
// The text printouts of the statistics and the game list: one letter page in a fixed-pitch font,
// items placed at character columns. A printer failure ends the printout with one message.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "reports/GameListCalc.h"
#include "reports/StatsCalc.h"

namespace dc {

class PrinterPage;

// The letter-page scale (8.5 by 11 units), the first font whose name begins with "Courier New"
// (else "Liberation Mono", else the page's own), 12 points.
void SetUpTextPage(PrinterPage& page);

struct StatsHeading {
    QString player;  // the list text, or "All Players"
    QString startDate, endDate;
    QStringList players;  // every player's list text: the name printed reads like none of the others
};
void PrintStats(PrinterPage& page, const StatsHeading& heading, const StatsTexts& stats);

struct GameListHeading {
    QString player;  // the list text, or "All Players"
    QString course;  // the list text, or "All Courses"
    QString startDate, endDate;
    QString dateFormat;  // "MM/DD/YYYY" or "DD/MM/YYYY"
    QStringList players;  // every player's list text: the names printed read like none of the others
};
void PrintGameList(PrinterPage& page, const GameListHeading& heading, const std::vector<GameListRow>& rows);

// A round's date as the printed list shows it: "mm/dd/yy" or "dd/mm/yy" with the locale's separator.
QString ShortListDate(const QDate& date, const QString& dateFormat);

}  // namespace dc
