#include "handicap/HcpRound.h"

#include <cmath>

#include "handicap/HcpRules.h"
#include "platform/Recordset.h"
#include "platform/Val.h"

namespace dc {

std::array<int, 18> ParDigits(const QString& pars) {
    std::array<int, 18> digits{};
    for (int i = 0; i < 18 && i < pars.size(); ++i) {
        const QChar c = pars[i];
        digits[i] = (c >= QChar('0') && c <= QChar('9')) ? c.unicode() - '0' : 0;
    }
    return digits;
}

void HcpRound::SetPar(const QString& par) {
    par_ = par;
    const QString trimmed = par.trimmed();
    parDigits_ = ParDigits(trimmed);
    noPars_ = Val(trimmed) == 0;
}

int HcpRound::GrossNine(bool front) const {
    int sum = 0;
    for (int i = front ? 0 : 9, end = i + 9; i < end; ++i) sum += gross[i];
    return sum;
}

HcpRound ReadHcpRound(const Recordset& rs) {
    HcpRound r;
    r.courseId = rs.Fields(1).toInt();
    r.gameNumber = rs.Fields(2).toInt();
    r.date = DateNumber(rs.Fields(3).str());
    r.teeBox = rs.Fields(5).toInt();
    // A rating has one decimal; rows stored from a single-precision value held 70.900001525...,
    // which could move a differential by a tenth.
    r.rating = std::round(rs.Fields(6).toDouble() * 10.0) / 10.0;
    r.slope = rs.Fields(7).toInt();
    r.useHcp = rs.Fields(8).toBool();
    r.useTourn = rs.Fields(9).toBool();
    for (int i = 0; i < 18; ++i) r.gross[i] = rs.Fields(kOrdinalGS01 + i).toInt();
    for (int v = 0; v < 6; ++v) {
        r.hcpIndex[v] = static_cast<float>(rs.Fields(kOrdinalHcpIndex + v).toDouble());
        // An empty tournament index is none (-100), not 0.0.
        const Field t = rs.Fields(kOrdinalTHcpIndex + v);
        r.tHcpIndex[v] = t.isNull() ? static_cast<float>(kNoTournIndex) : static_cast<float>(t.toDouble());
        r.adjScore[v] = rs.Fields(kOrdinalAdjScore + v).toInt();
    }
    r.gsf9 = rs.Fields(47).toInt();
    r.gsb9 = rs.Fields(48).toInt();
    r.SetPar(rs.Fields(49).str());
    return r;
}

void ApplyOutcome(HcpRound& row, HcpVariant variant, const HcpOutcome& outcome) {
    row.hcpIndex[variant] = ReadBackIndex(outcome.index);
    row.tHcpIndex[variant] = ReadBackIndex(outcome.tIndex);
    if (outcome.writeAdjScore) row.adjScore[variant] = outcome.adjScore;
    if (outcome.writePar) row.SetPar(outcome.par);
}

}  // namespace dc
