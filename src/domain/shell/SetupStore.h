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

// Printer offsets in inches.
struct PrinterOffsets {
    double x = 0, y = 0;
};

class SetupStore {
  public:
    explicit SetupStore(Database& db) : db_(db) {}

    // The first SETUP row; nothing when the table has none.
    std::optional<SetupRow> ReadSetupRow();
    // Writes the settings to every SETUP row.
    void StoreSetupRow(const SetupRow& row);

    // The printer offsets of the SETUP row, in inches (0 when the table has no row).
    PrinterOffsets ReadPrinterOffsets();
    // Stores the offsets in inches with three decimals and "." as separator, whatever the locale.
    void StorePrinterOffsets(double xInches, double yInches);

  private:
    Database& db_;
};

}  // namespace dc
