#pragma once
// Mailing labels: the four lines of one player's label, where each label goes on a sheet of 2 x 10
// or 3 x 10, and the printing of all labels, one printer document per sheet.

#include <QString>
#include <array>
#include <vector>

#include "records/PlayerStore.h"

namespace dc {

class PrinterPage;

// A label's four lines: salutation and names; address 1; address 2 (or the city line when it is
// empty); the city line. `surname` ends the first line: a shorter form of the name keeps it whole.
struct LabelText {
    std::array<QString, 4> lines;
    QString surname;
    QString& operator[](size_t i) { return lines[i]; }
    const QString& operator[](size_t i) const { return lines[i]; }
};

// The player's label, its name given as `name` (FIRST LAST when empty).
LabelText LabelLines(const PlayerRec& p, const QString& name = {});
// The players' labels in order, each name FIRST LAST with the middle initial where two would read
// alike.
std::vector<LabelText> LabelsOf(const std::vector<PlayerRec>& players);

struct LabelPrintSetup {
    int across = 3;
    double xOffsetInches = 0, yOffsetInches = 0;
    QString fontName;  // used when the printer has a font of exactly this name
    bool bold = false;
};

// Prints the labels in order, a page per sheet in one document, where the label stock has them
// (measured from the paper's edge); a positive offset moves the print left or up. A label whose
// address lines do not fit its width is printed smaller, every line whole; a name too long for it
// takes a shorter form, kept apart from the other labels' names, then a smaller size, as a card's
// name does (PrinterPage::PrintFitted), so that its surname is never cut.
void PrintLabels(PrinterPage& page, const std::vector<LabelText>& labels, const LabelPrintSetup& setup);

// Where the labels' text would fall outside what the printer prints.
struct LabelAreaCheck {
    std::vector<int> rows;            // label rows of a sheet (1 to 10) with text above or below the area
    std::vector<int> columns;         // label columns (1 to across) with text left or right of it
    bool canFit = false;              // some offsets bring every label inside
    double xOffset = 0, yOffset = 0;  // those offsets, the nearest to the ones asked for (inches)
    double leftInches = 0, topInches = 0, rightInches = 0, bottomInches = 0;  // the printable area
    bool Inside() const { return rows.empty() && columns.empty(); }
};
LabelAreaCheck CheckLabelArea(PrinterPage& page, const std::vector<LabelText>& labels,
                              const LabelPrintSetup& setup);

// A shift d (twips, a positive one moving the print left or up) added to an offset keeps every
// printed thing inside for d from `least` to `most`: the offset within that range nearest to
// `offsetInches`, in thousandths rounded inward; false when there is none.
bool NearestOffset(double least, double most, double offsetInches, double& result);

// The offset box's number: its leading digits with at most one point, after an optional minus sign
// (0 when there are none).
double OffsetValue(const QString& text);
// Offsets beyond what a sheet allows are refused, with this message.
inline constexpr double kMaxOffsetInches = 10;
bool OffsetInRange(double inches);
inline const QString kOffsetRangeMessage =
    "Printer offsets must lie between -10 and 10 inches. Please correct the offset.";
// An offset as the box shows it: three decimals, no 0 before the point (".047", "1.500", ".000").
QString OffsetBoxText(double inches);
// An offset as stored: at least one digit before the point, three decimals ("0.047").
QString OffsetSqlText(double inches);

}  // namespace dc
