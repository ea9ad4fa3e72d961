#pragma once
// The four tee boxes of a course, packed side by side in fixed-width text columns of COURSES:
// how one slot is written and how every reader takes a slot, or one hole of a slot, back out.
// Short or Null columns read as empty names and zeros.

#include <QString>
#include <array>

namespace dc {

// Slot widths of the ten packed columns, and the widths of one hole inside a per-hole slot.
enum class Packed { TB, MCR, MSL, WCR, WSL, MHCP, WHCP, MPARS, WPARS, YARDS };
int SlotWidth(Packed column);
int HoleWidth(Packed column);  // 2 for hole handicaps, 1 for pars, 3 for yards; 0 for the others

// The text of slot t (0 to 3) of a column value; the part that is there when the text is short.
QString SlotText(const QString& columnValue, Packed column, int slot);
// The text of hole j (1 to 18) of slot t.
QString HoleText(const QString& columnValue, Packed column, int slot, int hole);
// Numeric value of a hole (0 when empty or past the end).
int HoleNumber(const QString& columnValue, Packed column, int slot, int hole);
// Tee name of a slot, trimmed.
QString TeeName(const QString& tb, int slot);
// A rating (MCR/WCR) or slope (MSL/WSL) of a slot as a number.
double SlotNumber(const QString& columnValue, Packed column, int slot);

// Writing one slot. A tee name longer than 20 characters is cut to 20 so it never shifts later slots.
QString PackTeeName(const QString& name);
QString PackRating(const QString& cellText);                             // "72.5", "05.5", "00.0"
QString PackSlope(const QString& cellText);                              // "128", "095", "000"
QString PackHoles(const std::array<QString, 18>& cells, Packed column);  // MHCP/WHCP/MPARS/WPARS/YARDS

// The ten column values of one course row, each the four slots in order.
struct PackedCourse {
    QString TB, MCR, MSL, WCR, WSL, MHCP, WHCP, MPARS, WPARS, YARDS;
    const QString& Column(Packed c) const;
    bool operator==(const PackedCourse&) const = default;
};

}  // namespace dc
