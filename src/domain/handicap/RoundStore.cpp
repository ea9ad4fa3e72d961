#include "handicap/RoundStore.h"

#include <QHash>
#include <QStringList>

#include "handicap/HcpRules.h"
#include "platform/Database.h"
#include "shell/DateFormat.h"

namespace dc {

namespace {

// "?,?,...,?" for n values.
QString Marks(int n) {
    QStringList marks;
    for (int i = 0; i < n; ++i) marks << "?";
    return marks.join(",");
}

}  // namespace

std::optional<int> RoundStore::GameOfKey(int playerId, int rndGameId) {
    const QString sql = "Select GAME_NUMBER From INDIV_SCORES Where PLAYER_ID=? And RND_GAME_ID=?";
    const QVariant game = db_.Scalar(sql, {playerId, rndGameId});
    if (game.isNull()) return std::nullopt;
    return game.toInt();
}

void RoundStore::InsertImported(const ImportedRound& x) {
    QStringList cols{"PLAYER_ID",     "COURSE_ID",    "GAME_NUMBER", "RND_GAME_ID", "ROUND_DATE",
                     "COURSE_RATING", "SLOPE_RATING", "USE_HCP",     "USE_TOURN",   "GAME_COST",
                     "CART_COST",     "OTHER_COST",   "NOTES"};
    auto cost = [](const std::optional<double>& c) { return c ? QVariant(*c) : QVariant(); };
    QVariantList v{x.playerId,       x.courseId,        x.gameNumber, x.rndGameId, DbDate(x.date),
                   x.rating,         x.slope,           x.useHcp,     x.useTourn,  cost(x.gameCost),
                   cost(x.cartCost), cost(x.otherCost), x.notes};
    if (x.teeSlot) cols << "TEE_BOX_ID", v << *x.teeSlot;
    int front = 0, back = 0;
    for (int h = 0; h < 18; ++h) {
        cols << RoundFieldOrder().at(kOrdinalGS01 + h);
        v << x.gross[h];
        (h < 9 ? front : back) += x.gross[h];
    }
    cols << "GSF9"
         << "GSB9"
         << "GSTOTAL"
         << "HCP_INDEX_US_18"
         << "THCP_INDEX_US_18";
    v << front << back << front + back << x.hcpIndex << x.tHcpIndex;
    for (const char* nineCol : {"HCP_INDEX_US_F9", "HCP_INDEX_US_B9", "HCP_INDEX_CA_F9", "HCP_INDEX_CA_B9"})
        cols << nineCol, v << x.nineIndex;
    for (const char* nineCol :
         {"THCP_INDEX_US_F9", "THCP_INDEX_US_B9", "THCP_INDEX_CA_F9", "THCP_INDEX_CA_B9"})
        cols << nineCol, v << kNoTournIndex;
    if (x.adjScore) {
        cols << "PAR"
             << "PUTTS"
             << "ADJSCR_US_18";
        v << x.par << x.putts << *x.adjScore;
    }
    const QString sql =
        "Insert Into INDIV_SCORES (" + cols.join(",") + ") Values (" + Marks(cols.size()) + ")";
    db_.Execute(sql, v);
}

int RoundStore::MaxGameNumber(int playerId) {
    const QString sql = "Select Max(GAME_NUMBER) From INDIV_SCORES Where PLAYER_ID=?";
    return db_.Scalar(sql, {playerId}).toInt();
}

QSet<int> RoundStore::RoundKeys(int playerId) {
    const QString sql = "Select RND_GAME_ID From INDIV_SCORES Where PLAYER_ID=?";
    Recordset rs = db_.OpenRecordset(sql, {playerId});
    QSet<int> keys;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) keys.insert(static_cast<int>(rs["RND_GAME_ID"].toLong()));
    return keys;
}

QString RoundStore::ResultColumn(int col) {
    if (col == kResPar) return "PAR";
    static const char* prefix[3] = {"HCP_INDEX_", "THCP_INDEX_", "ADJSCR_"};
    return QString(prefix[col / 6]) + kVariantSuffix[col % 6];
}

void RoundStore::UpdateResults(qint64 rowId, const std::array<QVariant, kResColumns>& values) {
    // One statement text per set of columns, kept for the whole run of the program.
    static QHash<quint32, QString> texts;
    quint32 mask = 0;
    for (int col = 0; col < kResColumns; ++col)
        if (values[col].isValid()) mask |= 1u << col;
    if (mask == 0) return;
    auto it = texts.find(mask);
    if (it == texts.end()) {
        QStringList sets;
        for (int col = 0; col < kResColumns; ++col)
            if (mask & (1u << col)) sets << ResultColumn(col) + "=?";
        it = texts.insert(mask, "UPDATE INDIV_SCORES SET " + sets.join(",") + " WHERE rowid=?");
    }
    QVariantList params;
    for (int col = 0; col < kResColumns; ++col)
        if (mask & (1u << col)) params << values[col];
    params << rowId;
    db_.Execute(*it, params);
}

void RoundStore::UpdateResults(int playerId, int gameNumber, HcpVariant variant, const HcpOutcome& out) {
    const QString suffix = kVariantSuffix[variant];
    QVariantList params{StoredIndexValue(out.index), StoredIndexValue(out.tIndex)};
    QString sql = "UPDATE INDIV_SCORES SET HCP_INDEX_" + suffix + "=?,THCP_INDEX_" + suffix + "=?";
    if (out.writeAdjScore) {
        sql += ",ADJSCR_" + suffix + "=?";
        params << out.adjScore;
    }
    if (out.writePar) {
        sql += ",PAR=?";
        params << out.par;
    }
    sql += " WHERE PLAYER_ID=? AND GAME_NUMBER=?";
    params << playerId << gameNumber;
    db_.Execute(sql, params);
}

void RoundStore::ForEachGame(int playerId, int lastGame, const std::function<void(const Recordset&)>& row) {
    const QString sql =
        "SELECT *, rowid AS RID FROM INDIV_SCORES WHERE PLAYER_ID=? AND GAME_NUMBER<=? "
        "ORDER BY GAME_NUMBER ASC, rowid ASC";
    db_.ForEachRow(sql, {playerId, lastGame}, row);
}

int RoundStore::Renumber(int playerId) {
    QString sql =
        "SELECT rowid AS RID, GAME_NUMBER FROM INDIV_SCORES WHERE PLAYER_ID=? "
        "ORDER BY ROUND_DATE ASC, GAME_NUMBER ASC, rowid ASC";
    Recordset rs = db_.OpenRecordset(sql, {playerId});
    int n = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        ++n;
        if (rs.Fields(1).isNull() || rs.Fields(1).toInt() != n) {
            sql = "UPDATE INDIV_SCORES SET GAME_NUMBER=? WHERE rowid=?";
            db_.Execute(sql, {n, rs.Fields(0).toLong()});
        }
    }
    return n;
}

void RoundStore::ReRate(int courseId, const QString& gender, const QString& slopes, const QString& ratings,
                        const QString& pars, const std::optional<QDate>& from) {
    // Each round cuts its own tee box's slot out of the packed texts.
    QString sql =
        "Update INDIV_SCORES Set SLOPE_RATING=CAST(substr(?,TEE_BOX_ID*3+1,3) AS INTEGER),"
        "COURSE_RATING=CAST(substr(?,TEE_BOX_ID*4+1,4) AS REAL),PAR=substr(?,TEE_BOX_ID*18+1,18) "
        "Where COURSE_ID=? And PLAYER_ID In (Select PLAYER_ID From PLAYERS Where GENDER=?)";
    QVariantList params{slopes, ratings, pars, courseId, gender};
    if (from) {
        sql += " And ROUND_DATE>=?";
        params << DbDate(*from);
    }
    db_.Execute(sql, params);
}

void RoundStore::DeleteGame(int playerId, int gameNumber) {
    db_.Execute("Delete From INDIV_SCORES Where PLAYER_ID=? And GAME_NUMBER=?", {playerId, gameNumber});
}

void RoundStore::DeletePlayerRounds(int playerId) {
    db_.Execute("Delete From INDIV_SCORES Where PLAYER_ID=?", {playerId});
}

}  // namespace dc
