#include "entry/MainRoundStore.h"

#include "platform/Database.h"
#include "platform/Val.h"
#include "shell/DateFormat.h"

namespace dc {

namespace {
// From the recordset's current row on, newest first: the first round, and the first used for handicap.
void TakeNewestAndNewestHandicap(Recordset& rs, std::optional<RoundRec>& newest,
                                 std::optional<RoundRec>& handicap) {
    for (; !rs.Eof(); rs.MoveNext()) {
        RoundRec r = ReadRoundRec(rs);
        if (!newest) newest = r;
        if (r.USE_HCP) {
            handicap = std::move(r);
            break;
        }
    }
}
}  // namespace

std::optional<QString> MainRoundStore::PlayerGender(int playerId) {
    Recordset g = db_.OpenRecordset("Select GENDER From PLAYERS Where PLAYER_ID=?", {playerId});
    if (g.IsEmpty()) return std::nullopt;
    return g.Fields("GENDER").str();
}

int MainRoundStore::RoundCount(int playerId) {
    return db_.Scalar("Select Count(GS01) as TotalRecords From INDIV_SCORES Where PLAYER_ID=?", {playerId})
        .toInt();
}

int MainRoundStore::MaxGameNumber(int playerId) {
    const QVariant n =
        db_.Scalar("Select Max(GAME_NUMBER) as maxGN From INDIV_SCORES Where PLAYER_ID=?", {playerId});
    return static_cast<int>(Val(n.toString()));
}

bool MainRoundStore::HasRound(int playerId, int game) {
    if (game >= 1) return LoadRound(playerId, game).has_value();
    return NewestRound(playerId).has_value();
}

std::optional<RoundRec> MainRoundStore::LoadRound(int playerId, int game) {
    Recordset rs =
        db_.OpenRecordset("Select * From INDIV_SCORES Where PLAYER_ID=? And GAME_NUMBER=?", {playerId, game});
    if (rs.IsEmpty()) return std::nullopt;
    return ReadRoundRec(rs);
}

std::optional<RoundRec> MainRoundStore::NewestRound(int playerId) {
    Recordset rs = db_.OpenRecordset("Select * From INDIV_SCORES Where PLAYER_ID=? Order By GAME_NUMBER Desc",
                                     {playerId});
    if (rs.IsEmpty()) return std::nullopt;
    return ReadRoundRec(rs);
}

RoundsBefore MainRoundStore::RoundsUpTo(int playerId, const std::optional<QDate>& date) {
    // Renumbering orders the rounds by this text, and puts a new round after those of its own day.
    QString sql = "Select * From INDIV_SCORES Where PLAYER_ID=?";
    QVariantList params{playerId};
    if (date) {
        sql += " And ROUND_DATE<=?";
        params << DbDate(*date);
    }
    Recordset rs = db_.OpenRecordset(sql + " Order By GAME_NUMBER Desc", params);
    RoundsBefore before;
    if (rs.IsEmpty()) return before;
    before.count = rs.RecordCount();
    rs.MoveFirst();
    TakeNewestAndNewestHandicap(rs, before.last, before.lastHandicap);
    return before;
}

std::optional<PagedRound> MainRoundStore::LoadPagedRound(int playerId, int game) {
    Recordset rs = db_.OpenRecordset(
        "Select *, rowid AS RID From INDIV_SCORES Where PLAYER_ID=? And GAME_NUMBER<=? "
        "Order By GAME_NUMBER Desc",
        {playerId, game});
    if (rs.IsEmpty()) return std::nullopt;
    rs.MoveFirst();
    PagedRound p;
    p.round = ReadRoundRec(rs);
    p.round.rowId = rs.Fields("RID").toLong();
    p.gameCostNull = rs.Fields("GAME_COST").isNull();
    p.cartCostNull = rs.Fields("CART_COST").isNull();
    p.otherCostNull = rs.Fields("OTHER_COST").isNull();
    rs.MoveNext();
    TakeNewestAndNewestHandicap(rs, p.previous, p.previousHandicap);
    return p;
}

}  // namespace dc
