#pragma once
// The course editor's cells as plain data: packing them into the ten COURSES columns and back, the
// hole-handicap check (a complete set sums to 171), row sums and the fill-down from row 1.

#include <QString>
#include <array>
#include <optional>

#include "records/TeeBoxPacking.h"

namespace dc {

using HoleRow = std::array<QString, 18>;  // holes 1 to 18 of one tee box
using HoleGrid = std::array<HoleRow, 4>;  // tee boxes (grid rows) 1 to 4

// The hole grids in the editor's tab order, and the packed column each one fills.
enum class HoleGridKind { MenHcp = 0, WomenHcp, MenPars, WomenPars, Yards };
Packed PackedColumnOf(HoleGridKind grid);

struct CourseCells {
    // spTB: per tee box the tee name, men's rating, men's slope, women's rating, women's slope.
    std::array<std::array<QString, 5>, 4> tee;
    std::array<HoleGrid, 5> holes;  // indexed by HoleGridKind

    HoleGrid& Holes(HoleGridKind g) { return holes[static_cast<int>(g)]; }
    const HoleGrid& Holes(HoleGridKind g) const { return holes[static_cast<int>(g)]; }
};

// All four slots of all ten columns; a tee name is never more than 20 characters in its slot.
PackedCourse PackCourse(const CourseCells& cells);
// The cells as the editor shows a stored course: trimmed tee names, ratings and slopes as numbers
// (0 when not given), holes as numbers (empty when 0).
CourseCells UnpackCourse(const PackedCourse& course);

// The named tee boxes that have no par at all for a gender they are rated for (or none at all when
// rated for neither), as "Blue (men), Red (women)"; empty when every one has its pars.
QString TeesWithoutPars(const CourseCells& cells);

// The first hole without a par on a named tee box whose pars for a gender are given on some holes
// but not all: the pars grid, the tee box's row (1 to 4) and the hole (1 to 18).
struct MissingPar {
    HoleGridKind grid;
    int row, hole;
};
std::optional<MissingPar> FirstMissingPar(const CourseCells& cells);

// The total of a row's hole values (empty = 0).
int HoleSum(const HoleRow& row);
// True when the hole handicaps of a row add up to 1 + 2 + ... + 18 = 171.
bool HcpChecksumOk(const HoleRow& row);
// Copies hole `hole` (1 to 18) of row 1 into rows 2 to 4 where they are empty or 0.
void FillDown(HoleGrid& grid, int hole);

}  // namespace dc
