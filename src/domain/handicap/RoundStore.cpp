#include "handicap/RoundStore.h"

#include <QHash>
#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "handicap/HcpRules.h"
#include "handicap/RoundEntry.h"
#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/Val.h"
#include "shell/DateFormat.h"

namespace dc {

namespace {

// "?,?,...,?" for n values.
QString Marks(int n) {
    QStringList marks;
    for (int i = 0; i < n; ++i) marks << "?";
    return marks.join(",");
}

// The values from TEE_BOX_ID to OTHER_COST in the fixed column order.
void AppendScores(QVariantList& v, const RoundEntry& e) {
    const EntryRow row = EntryRowOf(e);
    v << row.teeBox << row.rating << row.slope << (row.useHcp ? 1 : 0) << (row.useTourn ? 1 : 0);
    for (int g : row.gross) v << g;
    for (double x : row.prevIndex) v << x;
    for (double x : row.prevTIndex) v << x;
    for (int a : row.adjScore) v << a;
    v << row.front + row.back << row.front << row.back << row.par << row.putts << row.gir << row.sand
      << row.fhit << e.gameCost << e.cartCost << e.otherCost;
}

}  // namespace

bool RenumberedBefore(const RenumberKey& a, const RenumberKey& b) {
    if (a.date != b.date) return a.date < b.date;  // nothing before any date
    if (a.game != b.game) return a.game < b.game;
    return a.rowId < b.rowId;
}

RenumberKey RenumberKeyOf(const Field& date, const Field& game, qint64 rowId) {
    return {date.isNull() ? std::nullopt : std::optional(date.str()),
            game.isNull() ? std::nullopt : std::optional(game.toLong()), rowId};
}

EntryRow EntryRowOf(const RoundEntry& e) {
    EntryRow row;
    std::array<int, 18> putts{};
    std::array<bool, 18> gir{}, sand{}, fhit{};
    for (int i = 0; i < 18; ++i) {
        row.gross[i] = e.gross[i].value_or(0);
        (i < 9 ? row.front : row.back) += row.gross[i];
        putts[i] = e.putts[i].value_or(0);
        gir[i] = e.gir[i], sand[i] = e.sand[i], fhit[i] = e.fhit[i];
    }
    row.teeBox = e.teeBox;
    // A rating has one decimal; the single-precision value would store as 74.30000305...
    row.rating = std::round(double(e.teeRating) * 10.0) / 10.0;
    row.slope = e.teeSlope;
    // A new round without gross scores is stored as not for handicap; a rewrite keeps the box.
    row.useHcp = e.useHcp && (!e.isNew || row.front + row.back != 0);
    row.useTourn = e.useTourn;
    row.prevIndex = e.prevIndex;
    row.prevTIndex = e.prevTIndex;
    for (int v = 0; v < 6; ++v) row.adjScore[v] = e.adjScore[v].value_or(0);
    row.par = HolePars(e.par);
    row.putts = HolePutts(putts);
    row.gir = HoleFlags(gir);
    row.sand = HoleFlags(sand);
    row.fhit = HoleFlags(fhit);
    return row;
}

int RoundStore::NewRoundKey(int playerId) {
    for (;;) {
        const int key = QRandomGenerator::global()->bounded(1, 1000000);
        QString sql = "SELECT COUNT(*) FROM INDIV_SCORES WHERE PLAYER_ID=? AND RND_GAME_ID=?";
        if (db_.Scalar(sql, {playerId, key}).toInt() == 0) return key;
    }
}

int RoundStore::Insert(const RoundEntry& e) {
    if (!e.date) throw AppError(13, "Type mismatch");
    QString sql = "Select Max(GAME_NUMBER) as TotalRecords From INDIV_SCORES Where PLAYER_ID=?";
    const int n = static_cast<int>(Val(db_.Scalar(sql, {e.playerId}).toString()));
    const int key = NewRoundKey(e.playerId);
    QVariantList v{e.playerId, e.courseId, n + 1, DbDate(*e.date), key};
    AppendScores(v, e);
    v << " " + e.notes;
    const QStringList& cols = RoundFieldOrder();
    sql = "INSERT INTO INDIV_SCORES (" + cols.join(",") + ") VALUES (" + Marks(cols.size()) + ")";
    db_.Execute(sql, v);
    return key;
}

void RoundStore::UpdateScores(const RoundEntry& e) {
    if (!e.date) throw AppError(13, "Type mismatch");
    // Where the round stands now: another screen may have renumbered the player's games since it was read.
    const std::optional<RoundRef> stored = Locate({e.playerId, e.rndGameId, e.gameNumber, e.rowId});
    if (!stored) throw DbError(kErrNoCurrentRecord, NotStoredText("saved"));
    QVariantList v{e.courseId, DbDate(*e.date)};
    AppendScores(v, e);
    v << e.notes + " ";
    const QStringList& cols = RoundFieldOrder();
    QStringList sets{"COURSE_ID=?", "ROUND_DATE=?"};
    for (int i = 5; i < cols.size(); ++i) sets << cols[i] + "=?";
    v << e.playerId << e.rndGameId << stored->game;
    WriteOneRow("UPDATE INDIV_SCORES SET " + sets.join(",") +
                    " WHERE PLAYER_ID=? AND RND_GAME_ID=? AND GAME_NUMBER=?",
                v, "saved");
}

std::optional<RoundRef> RoundStore::Locate(const RoundRef& ref) {
    const QString sql = "Select GAME_NUMBER, rowid From INDIV_SCORES Where PLAYER_ID=? And RND_GAME_ID=?";
    Recordset rs = db_.OpenRecordset(sql, {ref.playerId, ref.rndGameId});
    std::vector<RoundRef> rows;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        rows.push_back({ref.playerId, ref.rndGameId, rs.Fields(0).toInt(), rs.Fields(1).toLong()});
    if (rows.size() == 1) return rows[0];
    // Rounds of one key: the one still at its row and game number; else the only one at either.
    // Renumbering keeps rows and a compaction keeps game numbers, so a round matching both is the
    // one read, and where neither event can be told, two matching one each are not guessed between.
    std::vector<RoundRef> either;
    for (const RoundRef& r : rows) {
        const bool sameRow = ref.rowId != 0 && r.rowId == ref.rowId,
                   sameGame = ref.game != 0 && r.game == ref.game;
        if (sameRow && sameGame) return r;
        if (sameRow || sameGame) either.push_back(r);
    }
    if (either.size() == 1) return either[0];
    return std::nullopt;
}

QString RoundStore::NotStoredText(const QString& done) {
    return QString("The round to be %1 is not stored. Nothing was %1.").arg(done);
}

void RoundStore::WriteOneRow(const QString& sql, const QVariantList& params, const QString& done) {
    Database::Transaction unit(db_);
    db_.Execute(sql, params);
    const int rows = db_.RecordsAffected();
    if (rows == 0) throw DbError(kErrNoCurrentRecord, NotStoredText(done), sql);
    if (rows > 1)
        throw DbError(
            kErrNoCurrentRecord,
            QString("%1 stored rounds match the round to be %2. Nothing was %2.").arg(rows).arg(done), sql);
    unit.Commit();
}

void RoundStore::InsertImported(const ImportedRound& x) {
    // One statement for every imported round (a value it lacks is bound as Null, as a column left
    // out would be): built once, it is prepared once for a conversion of many thousand rounds.
    static const QString sql = [] {
        QString cols =
            "PLAYER_ID,COURSE_ID,GAME_NUMBER,RND_GAME_ID,ROUND_DATE,COURSE_RATING,SLOPE_RATING,"
            "USE_HCP,USE_TOURN,GAME_COST,CART_COST,OTHER_COST,NOTES,TEE_BOX_ID,GSF9,GSB9,GSTOTAL,"
            "HCP_INDEX_US_18,THCP_INDEX_US_18,HCP_INDEX_US_F9,HCP_INDEX_US_B9,HCP_INDEX_CA_F9,"
            "HCP_INDEX_CA_B9,THCP_INDEX_US_F9,THCP_INDEX_US_B9,THCP_INDEX_CA_F9,THCP_INDEX_CA_B9,"
            "PAR,PUTTS,ADJSCR_US_18";
        for (int h = 0; h < 18; ++h) cols += "," + RoundFieldOrder().at(kOrdinalGS01 + h);
        return "Insert Into INDIV_SCORES (" + cols + ") Values (" + Marks(int(cols.count(',')) + 1) + ")";
    }();
    const auto optional = [](const auto& value) { return value ? QVariant(*value) : QVariant(); };
    int front = 0, back = 0;
    for (int h = 0; h < 18; ++h) (h < 9 ? front : back) += x.gross[h];
    const QVariant none;
    QVariantList v{x.playerId, x.courseId, x.gameNumber, x.rndGameId, DbDate(x.date),
                   x.rating,   x.slope,    x.useHcp,     x.useTourn};
    v.reserve(48);
    v << optional(x.gameCost) << optional(x.cartCost) << optional(x.otherCost) << x.notes
      << optional(x.teeSlot);
    v << front << back << front + back << x.hcpIndex << x.tHcpIndex;
    for (int i = 0; i < 4; ++i) v << x.nineIndex;
    for (int i = 0; i < 4; ++i) v << kNoTournIndex;
    if (x.adjScore)
        v << x.par << x.putts << *x.adjScore;
    else
        v << none << none << none;
    for (int g : x.gross) v << g;
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

std::vector<RoundHoles> RoundStore::HoleScores(int playerId) {
    QStringList holes;
    for (int h = 0; h < 18; ++h) holes << RoundFieldOrder().at(kOrdinalGS01 + h);
    const QString sql =
        "Select ROUND_DATE, COURSE_ID, " + holes.join(",") + " From INDIV_SCORES Where PLAYER_ID=?";
    Recordset rs = db_.OpenRecordset(sql, {playerId});
    std::vector<RoundHoles> rounds;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        RoundHoles& r = rounds.emplace_back();
        r.date = ParseStoredDate(rs.Fields(0).str()).value_or(QDate());
        r.courseId = rs.Fields(1).toInt();
        for (int h = 0; h < 18; ++h) r.gross[h] = rs.Fields(2 + h).toInt();
    }
    return rounds;
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
    std::vector<RenumberKey> rows;
    db_.ForEachRow("SELECT rowid, GAME_NUMBER, ROUND_DATE FROM INDIV_SCORES WHERE PLAYER_ID=?", {playerId},
                   [&rows](const Recordset& rs) {
                       rows.push_back(RenumberKeyOf(rs.Fields(2), rs.Fields(1), rs.Fields(0).toLong()));
                   });
    std::sort(rows.begin(), rows.end(), RenumberedBefore);
    int n = 0;
    for (const RenumberKey& row : rows) {
        ++n;
        if (row.game != n)  // an empty number too
            db_.Execute("UPDATE INDIV_SCORES SET GAME_NUMBER=? WHERE rowid=?", {n, row.rowId});
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

void RoundStore::DeleteRound(const RoundRef& ref) {
    const std::optional<RoundRef> stored = Locate(ref);
    if (!stored) throw DbError(kErrNoCurrentRecord, NotStoredText("deleted"));
    WriteOneRow("Delete From INDIV_SCORES Where PLAYER_ID=? And RND_GAME_ID=? And GAME_NUMBER=?",
                {ref.playerId, ref.rndGameId, stored->game}, "deleted");
}

void RoundStore::DeletePlayerRounds(int playerId) {
    db_.Execute("Delete From INDIV_SCORES Where PLAYER_ID=?", {playerId});
}

}  // namespace dc
