#pragma once
// The SETUP row: the program's settings and the printer offsets. Values are bound; each call throws
// DbError on failure.

#include <QString>
#include <optional>

namespace dc {

class Database;

struct SetupRow {
    bool sounds = false;
    QString labelStyle;  // "1" or "2", as stored (may carry blanks)
    bool flag18_9 = false;
    bool usCaFlag = false;
};
// The first SETUP row; nothing when the table has none.
std::optional<SetupRow> ReadSetupRow(Database& db);
// Writes the settings to every SETUP row.
void StoreSetupRow(Database& db, const SetupRow& row);

// The printer offsets of the SETUP row, in inches (0 when the table has no row).
struct PrinterOffsets {
    double x = 0, y = 0;
};
PrinterOffsets ReadPrinterOffsets(Database& db);
// Stores the offsets in inches with three decimals and "." as separator, whatever the locale.
void StorePrinterOffsets(Database& db, double xInches, double yInches);

}  // namespace dc
