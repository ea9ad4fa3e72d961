#include "records/CourseData.h"

#include <QStringList>

#include "platform/Val.h"

namespace dc {

Packed PackedColumnOf(HoleGridKind grid) {
    switch (grid) {
        case HoleGridKind::MenHcp:
            return Packed::MHCP;
        case HoleGridKind::WomenHcp:
            return Packed::WHCP;
        case HoleGridKind::MenPars:
            return Packed::MPARS;
        case HoleGridKind::WomenPars:
            return Packed::WPARS;
        case HoleGridKind::Yards:
            break;
    }
    return Packed::YARDS;
}

PackedCourse PackCourse(const CourseCells& cells) {
    PackedCourse p;
    for (int r = 0; r < 4; ++r) {
        const auto& tee = cells.tee[r];
        p.TB += PackTeeName(tee[0]);
        p.MCR += PackRating(tee[1]);
        p.MSL += PackSlope(tee[2]);
        p.WCR += PackRating(tee[3]);
        p.WSL += PackSlope(tee[4]);
        p.MHCP += PackHoles(cells.Holes(HoleGridKind::MenHcp)[r], Packed::MHCP);
        p.WHCP += PackHoles(cells.Holes(HoleGridKind::WomenHcp)[r], Packed::WHCP);
        p.MPARS += PackHoles(cells.Holes(HoleGridKind::MenPars)[r], Packed::MPARS);
        p.WPARS += PackHoles(cells.Holes(HoleGridKind::WomenPars)[r], Packed::WPARS);
        p.YARDS += PackHoles(cells.Holes(HoleGridKind::Yards)[r], Packed::YARDS);
    }
    return p;
}

namespace {
// A rating keeps its tenths ("78.0"); a slot without one shows 0.
QString RatingText(double rating) {
    return rating == 0 ? QStringLiteral("0") : FixedText(rating, 1);
}
}  // namespace

CourseCells UnpackCourse(const PackedCourse& course) {
    CourseCells cells;
    for (int t = 0; t < 4; ++t) {
        auto& tee = cells.tee[t];
        tee[0] = TeeName(course.TB, t);
        tee[1] = RatingText(SlotNumber(course.MCR, Packed::MCR, t));
        tee[2] = QString::number(SlotNumber(course.MSL, Packed::MSL, t));
        tee[3] = RatingText(SlotNumber(course.WCR, Packed::WCR, t));
        tee[4] = QString::number(SlotNumber(course.WSL, Packed::WSL, t));
        for (int g = 0; g < 5; ++g) {
            const Packed column = PackedColumnOf(static_cast<HoleGridKind>(g));
            for (int j = 1; j <= 18; ++j) {
                const int v = HoleNumber(course.Column(column), column, t, j);
                cells.holes[g][t][j - 1] = v == 0 ? QString() : QString::number(v);
            }
        }
    }
    return cells;
}

QString TeesWithoutPars(const CourseCells& cells) {
    QStringList missing;
    for (int t = 0; t < 4; ++t) {
        const auto& tee = cells.tee[t];
        if (tee[0].trimmed().isEmpty()) continue;
        const bool men = Val(tee[1]) != 0 || Val(tee[2]) != 0, women = Val(tee[3]) != 0 || Val(tee[4]) != 0;
        const auto none = [&](HoleGridKind g) { return HoleSum(cells.Holes(g)[t]) == 0; };
        const bool menMissing = men && none(HoleGridKind::MenPars);
        const bool womenMissing = women && none(HoleGridKind::WomenPars);
        if (menMissing && womenMissing)
            missing << tee[0].trimmed();
        else if (menMissing || womenMissing)
            missing << tee[0].trimmed() + (menMissing ? " (men)" : " (women)");
        else if (!men && !women && none(HoleGridKind::MenPars) && none(HoleGridKind::WomenPars))
            missing << tee[0].trimmed();
    }
    return missing.join(", ");
}

std::optional<MissingPar> FirstMissingPar(const CourseCells& cells) {
    for (int t = 0; t < 4; ++t) {
        if (cells.tee[t][0].trimmed().isEmpty()) continue;
        for (HoleGridKind g : {HoleGridKind::MenPars, HoleGridKind::WomenPars}) {
            const HoleRow& row = cells.Holes(g)[t];
            if (HoleSum(row) == 0) continue;  // none at all: the tee-box question above
            for (int j = 0; j < 18; ++j)
                if (Val(row[j]) == 0) return MissingPar{g, t + 1, j + 1};
        }
    }
    return std::nullopt;
}

int HoleSum(const HoleRow& row) {
    int sum = 0;
    for (const QString& cell : row) sum += static_cast<int>(Val(cell));
    return sum;
}

bool HcpChecksumOk(const HoleRow& row) { return HoleSum(row) == 171; }

void FillDown(HoleGrid& grid, int hole) {
    if (hole < 1 || hole > 18) return;
    const QString first = grid[0][hole - 1];
    for (int r = 1; r < 4; ++r)
        if (static_cast<int>(Val(grid[r][hole - 1])) == 0) grid[r][hole - 1] = first;
}

}  // namespace dc
