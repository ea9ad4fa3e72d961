#include "handicap/RoundRec.h"

#include <algorithm>
#include <cmath>

#include "platform/Database.h"
#include "platform/Val.h"
#include "shell/DateFormat.h"

namespace dc {

const QStringList& RoundFieldOrder() {
    static const QStringList order = [] {
        QStringList l{"PLAYER_ID",  "COURSE_ID",     "GAME_NUMBER",  "ROUND_DATE", "RND_GAME_ID",
                      "TEE_BOX_ID", "COURSE_RATING", "SLOPE_RATING", "USE_HCP",    "USE_TOURN"};
        for (int i = 1; i <= 18; ++i) l << QString("GS%1").arg(i, 2, 10, QChar('0'));
        for (const char* prefix : {"HCP_INDEX_", "THCP_INDEX_", "ADJSCR_"})
            for (const char* suffix : kVariantSuffix) l << QString(prefix) + suffix;
        l << "GSTOTAL"
          << "GSF9"
          << "GSB9"
          << "PAR"
          << "PUTTS"
          << "GREENS_IN_REG"
          << "SAND_SAVES"
          << "FAIRWAYS_HIT"
          << "GAME_COST"
          << "CART_COST"
          << "OTHER_COST"
          << "NOTES";
        return l;
    }();
    return order;
}

namespace {

// Row is a Recordset or a StatementRow: both read a column by position with the same conversions.
template <class Row>
RoundRec ReadRound(const Row& rs) {
    RoundRec r;
    r.PLAYER_ID = rs.Fields(0).toInt();
    r.COURSE_ID = rs.Fields(1).toInt();
    r.GAME_NUMBER = rs.Fields(2).toInt();
    if (auto d = ParseStoredDate(rs.Fields(3).str())) r.ROUND_DATE = *d;
    r.RND_GAME_ID = rs.Fields(4).toInt();
    r.TEE_BOX_ID = rs.Fields(5).toInt();
    r.COURSE_RATING = std::round(rs.Fields(6).toDouble() * 10.0) / 10.0;  // one decimal
    r.SLOPE_RATING = rs.Fields(7).toInt();
    r.USE_HCP = rs.Fields(8).toBool();
    r.USE_TOURN = rs.Fields(9).toBool();
    for (int i = 0; i < 18; ++i) r.GS[i] = rs.Fields(kOrdinalGS01 + i).toInt();
    for (int v = 0; v < 6; ++v) {
        r.HCP_INDEX[v] = rs.Fields(kOrdinalHcpIndex + v).toDouble();
        const auto t = rs.Fields(kOrdinalTHcpIndex + v);
        r.THCP_INDEX[v] = t.isNull() ? kNoTournIndex : t.toDouble();  // empty: no tournament index
        r.ADJSCR[v] = rs.Fields(kOrdinalAdjScore + v).toInt();
    }
    r.GSTOTAL = rs.Fields(46).toInt();
    r.GSF9 = rs.Fields(47).toInt();
    r.GSB9 = rs.Fields(48).toInt();
    r.PAR = rs.Fields(49).str();
    r.PUTTS = rs.Fields(50).str();
    r.GREENS_IN_REG = rs.Fields(51).str();
    r.SAND_SAVES = rs.Fields(52).str();
    r.FAIRWAYS_HIT = rs.Fields(53).str();
    r.GAME_COST = rs.Fields(54).toDouble();
    r.CART_COST = rs.Fields(55).toDouble();
    r.OTHER_COST = rs.Fields(56).toDouble();
    r.NOTES = rs.Fields(57).str();
    return r;
}

}  // namespace

RoundRec ReadRoundRec(const Recordset& rs) { return ReadRound(rs); }
RoundRec ReadRoundRec(const StatementRow& row) { return ReadRound(row); }

QString HolePars(const std::array<std::optional<int>, 18>& pars) {
    QString text;
    for (const std::optional<int>& par : pars) {
        const int v = par.value_or(0);
        text += (v >= 1 && v <= 9) ? QString::number(v) : QString("0");
    }
    return text;
}

QString HolePutts(const std::array<int, 18>& putts) {
    QString text;
    for (int p : putts) text += QString("%1").arg(std::clamp(p, 0, 99), 2, 10, QChar(' '));
    return text;
}

QString HoleFlags(const std::array<bool, 18>& flags) {
    QString text;
    for (bool f : flags) text += f ? '1' : '0';
    return text;
}

int ParOfHole(const QString& pars, int hole) {
    // Older and converted rows may hold blanks around the digits: they would shift every hole.
    return static_cast<int>(Val(QStringView(pars).trimmed().mid(hole - 1, 1)));
}

int PuttsOfHole(const QString& putts, int hole) {
    return static_cast<int>(Val(QStringView(putts).mid(2 * hole - 2, 2)));
}

bool FlagOfHole(const QString& flags, int hole) { return Val(QStringView(flags).mid(hole - 1, 1)) > 0; }

}  // namespace dc
