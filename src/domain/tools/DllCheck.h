#pragma once
// The system file check without its screen: every row of DLLCHECK is checked against the facts
// found for its file (CDLLVersion), the findings are stored in the row's ACTUAL columns
// (DllCheckStore), and the grid's rows come back as texts with the cells to mark.

#include <QDate>
#include <QString>
#include <array>
#include <vector>

namespace dc {

class CDLLVersion;
class Database;

// The program's own file name: a row of that name checks the file in the program's folder.
inline constexpr const char* kProgramFileName = "DadoCorvy";

struct DllCheckLine {
    std::array<QString, 5> cells;  // path, registration, date, size, version
    std::array<bool, 5> marked{};  // differs from the expected fact
};

struct DllCheckOutcome {
    QString heading;  // "File version verification <today> on <operating system>"
    std::vector<DllCheckLine> lines;
};

// Runs the check on the database's DLLCHECK table (every statement's text left for the error report),
// the program's row checking the file in `programFolder`. The row named "OSVersion" records the
// operating system and adds no line. The registration cell is marked
// when it differs from the expected package (column CLSID, with its version in CLSIDVER) or, for a
// row without one, from "N/A". Throws on a database error.
DllCheckOutcome RunDllCheck(Database& db, CDLLVersion& facts, const QString& programFolder,
                            const QDate& today, const QString& dateFormat);

}  // namespace dc
