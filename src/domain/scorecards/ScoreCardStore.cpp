#include "scorecards/ScoreCardStore.h"

#include "handicap/HcpRules.h"
#include "platform/Database.h"

namespace dc {
PlayerIndexes ScoreCardStore::FindIndex(int playerId, const QString& gender, bool nineHoles, bool usRules) {
    QString sql = "Select * From INDIV_SCORES Where PLAYER_ID=" + QString::number(playerId) +
                  " Order By GAME_NUMBER Desc";
    Recordset rs = db_.OpenRecordset(sql);
    if (rs.IsEmpty()) return {DefaultIndex(GenderIndexOf(gender), nineHoles), kNoTournIndex};
    rs.MoveFirst();
    // The nine-hole choice always takes the front nine's columns.
    const QString suffix = QString(usRules ? "_US" : "_CA") + (nineHoles ? "_F9" : "_18");
    // An empty tournament index means none, as everywhere else in the program.
    const Field tourn = rs["THCP_INDEX" + suffix];
    return {rs["HCP_INDEX" + suffix].toDouble(),
            tourn.isNull() || tourn.str().trimmed().isEmpty() ? kNoTournIndex : tourn.toDouble()};
}

}  // namespace dc
