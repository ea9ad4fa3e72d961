#pragma once
// The printed player list: one line per row of the player grid, in the grid's order, under an
// underlined heading line, in landscape, shifted by the printer offsets stored in SETUP.

#include <QString>
#include <QStringList>
#include <vector>

#include "shell/SetupStore.h"

namespace dc {

class PrinterPage;

// One printed column: its heading, the grid column it comes from, and its x in twips.
struct PlayerListColumn {
    const char* heading;
    int gridCol;
    double x;
};
const std::vector<PlayerListColumn>& PlayerListColumns();

// Prints the list as one document. A list longer than a sheet goes on to further sheets, each with
// the heading line again. Offsets in inches; a positive offset moves the print left or up.
void PrintPlayerList(PrinterPage& page, const std::vector<QStringList>& rows, const PrinterOffsets& offsets);

// The message of a printing error: "68 Device unavailable", "482 Printer Error", else the number,
// a blank and the description.
QString PrintErrorText(int number, const QString& description);

}  // namespace dc
