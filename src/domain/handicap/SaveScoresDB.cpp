#include "handicap/SaveScoresDB.h"

#include <QRandomGenerator>
#include <cmath>

#include "handicap/RoundRec.h"
#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/Val.h"
#include "shell/DateFormat.h"

namespace dc {

namespace {

// A grid text as a number; a "," decimal separator reads as ".".
double GridNumber(const QString& text) { return Val(text.trimmed().replace(',', '.')); }

int NewRoundKey(Database& db, int playerId) {
    for (;;) {
        const int key = QRandomGenerator::global()->bounded(1, 1000000);
        QString sql = "SELECT COUNT(*) FROM INDIV_SCORES WHERE PLAYER_ID=? AND RND_GAME_ID=?";
        if (db.Scalar(sql, {playerId, key}).toInt() == 0) return key;
    }
}

}  // namespace

int StoreRound(Database& db, const RoundEntry& e, int NewFlag, float TeeRating, int TeeSlope) {
    std::array<int, 18> gross{}, putts{};
    std::array<bool, 18> gir{}, sand{}, fhit{};
    int front = 0, back = 0;
    for (int i = 0; i < 18; ++i) {
        gross[i] = static_cast<int>(Val(e.grossCells[i]));
        (i < 9 ? front : back) += gross[i];
        putts[i] = static_cast<int>(Val(e.puttsCells[i]));
        gir[i] = e.gir[i] != 0;
        sand[i] = e.sand[i] != 0;
        fhit[i] = e.fhit[i] != 0;
    }
    const int total = front + back;
    if (!e.date) throw AppError(13, "Type mismatch");
    const QString date = DbDate(*e.date);

    auto common = [&](QVariantList& v, int useHcp) {
        // A rating has one decimal; the single-precision value would store as 74.30000305...
        v << e.teeBox << std::round(double(TeeRating) * 10.0) / 10.0 << TeeSlope << useHcp
          << (e.useTourn != 0 ? 1 : 0);
        for (int g : gross) v << g;
        for (const QString& t : e.prevIndex) v << GridNumber(t);
        for (const QString& t : e.prevTIndex) v << GridNumber(t);
        for (const QString& t : e.adjScore) v << static_cast<int>(RoundHalfAway(GridNumber(t)));
        v << total << front << back << HolePars(e.parCells) << HolePutts(putts) << HoleFlags(gir)
          << HoleFlags(sand) << HoleFlags(fhit) << Val(e.gameCost) << Val(e.cartCost) << Val(e.otherCost);
    };

    const QStringList& cols = RoundFieldOrder();
    if (NewFlag == 1) {
        QString sql = "Select Max(GAME_NUMBER) as TotalRecords From INDIV_SCORES Where PLAYER_ID=?";
        const int n = static_cast<int>(Val(db.Scalar(sql, {e.playerId}).toString()));
        const int key = NewRoundKey(db, e.playerId);
        QVariantList v{e.playerId, e.courseId, n + 1, date, key};
        common(v, total == 0 ? 0 : (e.useHcp != 0 ? 1 : 0));
        v << " " + e.notes;
        QStringList marks;
        for (int i = 0; i < cols.size(); ++i) marks << "?";
        sql = "INSERT INTO INDIV_SCORES (" + cols.join(",") + ") VALUES (" + marks.join(",") + ")";
        db.Execute(sql, v);
        return key;
    }
    QVariantList v{e.courseId, date};
    common(v, e.useHcp != 0 ? 1 : 0);
    v << e.notes + " ";
    QStringList sets{"COURSE_ID=?", "ROUND_DATE=?"};
    for (int i = 5; i < cols.size(); ++i) sets << cols[i] + "=?";
    v << e.playerId << e.gameNumber << e.rndGameId;
    const QString sql = "UPDATE INDIV_SCORES SET " + sets.join(",") +
                        " WHERE PLAYER_ID=? AND GAME_NUMBER=? AND RND_GAME_ID=?";
    db.Execute(sql, v);
    // A round that is no longer stored (or never was) is not saved by writing nothing.
    if (db.RecordsAffected() != 1)
        throw DbError(kErrNoCurrentRecord, "The round to be saved is not stored. Nothing was saved.", sql);
    return e.rndGameId;
}

}  // namespace dc
