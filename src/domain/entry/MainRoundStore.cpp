#include "entry/MainRoundStore.h"

#include "platform/Database.h"
#include "platform/Val.h"

namespace dc {

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

std::optional<PagedRound> MainRoundStore::LoadPagedRound(int playerId, int game) {
    Recordset rs = db_.OpenRecordset(
        "Select * From INDIV_SCORES Where PLAYER_ID=? And GAME_NUMBER<=? Order By GAME_NUMBER Desc",
        {playerId, game});
    if (rs.IsEmpty()) return std::nullopt;
    rs.MoveFirst();
    PagedRound p;
    p.round = ReadRoundRec(rs);
    p.gameCostNull = rs.Fields("GAME_COST").isNull();
    p.cartCostNull = rs.Fields("CART_COST").isNull();
    p.otherCostNull = rs.Fields("OTHER_COST").isNull();
    if (rs.RecordCount() >= 2) {
        rs.MoveNext();
        p.previous = ReadRoundRec(rs);
    }
    return p;
}

}  // namespace dc
