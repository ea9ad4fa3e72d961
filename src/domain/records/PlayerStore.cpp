#include "records/PlayerStore.h"

#include "handicap/HcpRules.h"
#include "handicap/RoundStore.h"
#include "handicap/SaveScores.h"
#include "platform/Database.h"
#include "tools/ConvertedStore.h"

namespace dc {
namespace {

const QString kColumns =
    "LAST_NAME,FIRST_NAME,MI,GENDER,SALUTATION,ADDRESS1,ADDRESS2,CITY,STATE,ZIP,HOME_PHONE,OTHER_PHONE,EMAIL,"
    "HOME_COURSE,COURSE_PH,GHIN";

QVariantList Values(const PlayerRec& p) {
    return {p.LAST_NAME, p.FIRST_NAME,  p.MI,        p.GENDER, p.SALUTATION, p.ADDRESS1,
            p.ADDRESS2,  p.CITY,        p.STATE,     p.ZIP,    p.HOME_PHONE, p.OTHER_PHONE,
            p.EMAIL,     p.HOME_COURSE, p.COURSE_PH, p.GHIN};
}

PlayerRec FromRow(const Recordset& rs) {
    PlayerRec p;
    p.PLAYER_ID = static_cast<int>(rs["PLAYER_ID"].toLong());
    p.LAST_NAME = rs["LAST_NAME"].str();
    p.FIRST_NAME = rs["FIRST_NAME"].str();
    p.MI = rs["MI"].str();
    p.GENDER = rs["GENDER"].str();
    p.SALUTATION = rs["SALUTATION"].str();
    p.ADDRESS1 = rs["ADDRESS1"].str();
    p.ADDRESS2 = rs["ADDRESS2"].str();
    p.CITY = rs["CITY"].str();
    p.STATE = rs["STATE"].str();
    p.ZIP = rs["ZIP"].str();
    p.HOME_PHONE = rs["HOME_PHONE"].str();
    p.OTHER_PHONE = rs["OTHER_PHONE"].str();
    p.EMAIL = rs["EMAIL"].str();
    p.HOME_COURSE = rs["HOME_COURSE"].str();
    p.COURSE_PH = rs["COURSE_PH"].str();
    p.GHIN = rs["GHIN"].str();
    return p;
}

}  // namespace

QString PlayerGridName(const PlayerRec& p) {
    return p.LAST_NAME.trimmed() + ", " + p.FIRST_NAME.trimmed() + " " + p.MI;
}

int PlayerStore::NextPlayerId() {
    QString sql = "Select Max(PLAYER_ID) as nMax From PLAYERS";
    Recordset rs = db_.OpenRecordset(sql);
    return rs.IsEmpty() ? 1 : static_cast<int>(rs.Fields("nMax").toLong()) + 1;
}

void PlayerStore::InsertPlayer(const PlayerRec& p) {
    QString sql =
        "Insert Into PLAYERS (PLAYER_ID," + kColumns + ") Values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
    db_.Execute(sql, QVariantList{p.PLAYER_ID} + Values(p));
}

void PlayerStore::InsertConverted(const PlayerRec& p, const QString& oldFileKey) {
    QString sql =
        "Insert Into PLAYERS (PLAYER_ID,CV_PREV_FILE_NAME,LAST_NAME,FIRST_NAME,MI,GENDER) Values "
        "(?,?,?,?,?,?)";
    db_.Execute(sql, {p.PLAYER_ID, oldFileKey, p.LAST_NAME, p.FIRST_NAME, p.MI.isNull() ? QVariant() : p.MI,
                      p.GENDER});
}

void PlayerStore::UpdatePlayer(const PlayerRec& p, ProgressReporter* progress) {
    Database::Transaction t(db_);
    const std::optional<PlayerRec> stored = LoadPlayerRec(p.PLAYER_ID);
    QString sql = "Update PLAYERS Set " + QString(kColumns).replace(",", "=?,") + "=? Where PLAYER_ID=?";
    db_.Execute(sql, Values(p) + QVariantList{p.PLAYER_ID});
    // The stored indexes and adjusted scores were computed for the gender he had.
    const int genderIndex = GenderIndexOf(p.GENDER);
    if (stored && GenderIndexOf(stored->GENDER) != genderIndex)
        RecomputePlayerRounds(db_, p.PLAYER_ID, genderIndex, progress);
    t.Commit();
}

void PlayerStore::SetGender(int playerId, int genderIndex) {
    db_.Execute("Update PLAYERS Set GENDER=? Where PLAYER_ID=?", {genderIndex == 0 ? "M" : "F", playerId});
}

void PlayerStore::DeletePlayer(int playerId) {
    Database& db = db_;
    // Rounds first: a row left behind would belong to the next player given this key.
    Database::Transaction t(db);
    ConvertedStore(db).ForgetPlayer(playerId);
    RoundStore(db).DeletePlayerRounds(playerId);
    QString sql = "Delete From PLAYERS Where PLAYER_ID=" + QString::number(playerId);
    db.Execute(sql);
    t.Commit();
}

std::optional<PlayerRec> PlayerStore::LoadPlayerRec(int playerId) {
    QString sql = "Select * From PLAYERS Where PLAYER_ID=" + QString::number(playerId);
    Recordset rs = db_.OpenRecordset(sql);
    if (rs.IsEmpty()) return std::nullopt;
    rs.MoveFirst();
    return FromRow(rs);
}

std::vector<PlayerRec> PlayerStore::AllPlayers(PlayerOrder order) {
    QString sql = "Select * From PLAYERS";
    if (order == PlayerOrder::LastName) sql += " Order By LAST_NAME COLLATE NOCASE";
    if (order == PlayerOrder::Zip) sql += " Order By ZIP";
    Recordset rs = db_.OpenRecordset(sql);
    std::vector<PlayerRec> players;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) players.push_back(FromRow(rs));
    return players;
}

std::vector<PlayerRec> PlayerStore::AllPlayerNames() {
    Recordset rs = db_.OpenRecordset("Select PLAYER_ID, LAST_NAME, FIRST_NAME, MI From PLAYERS");
    std::vector<PlayerRec> players;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        PlayerRec p;
        p.PLAYER_ID = rs["PLAYER_ID"].toInt();
        p.LAST_NAME = rs["LAST_NAME"].str();
        p.FIRST_NAME = rs["FIRST_NAME"].str();
        p.MI = rs["MI"].str();
        players.push_back(p);
    }
    return players;
}

QString LikePrefix(const QString& prefix) {
    QString escaped;
    for (QChar c : prefix) {
        if (c == '\\' || c == '%' || c == '_') escaped += '\\';
        escaped += c;
    }
    return escaped + '%';
}

namespace {

// A name as a search compares it: case folded, and a backtick read as an apostrophe (older versions
// stored a typed apostrophe as a backtick), so either form finds both.
QString Searchable(const QString& expr) { return "Replace(FOLD(" + expr + "),'`','''')"; }

// "column Like ?" on searchable texts.
QString LikeSearch(const QString& column) {
    return Searchable(column) + " Like " + Searchable("?") + " Escape '\\'";
}

}  // namespace

std::vector<NameMatch> PlayerStore::SearchPlayers(const QString& searchText) {
    QVariantList params;
    QString sql;
    const int comma = searchText.indexOf(',');
    if (comma < 0) {
        sql = "Select PLAYER_ID, LAST_NAME, FIRST_NAME, MI From PLAYERS Where " + LikeSearch("LAST_NAME") +
              " Order By LAST_NAME COLLATE NOCASE";
        params << LikePrefix(searchText);
    } else {
        sql = "Select PLAYER_ID,LAST_NAME,FIRST_NAME,MI From PLAYERS Where (" + LikeSearch("LAST_NAME") +
              " And " + LikeSearch("FIRST_NAME") + ") Order By LAST_NAME COLLATE NOCASE";
        params << LikePrefix(searchText.left(comma).trimmed())
               << LikePrefix(searchText.mid(comma + 1).trimmed());
    }
    Recordset rs = db_.OpenRecordset(sql, params);
    std::vector<NameMatch> matches;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        matches.push_back({static_cast<int>(rs["PLAYER_ID"].toLong()), rs["LAST_NAME"].str(),
                           rs["FIRST_NAME"].str(), rs["MI"].str()});
    return matches;
}

std::optional<HomeCourse> PlayerStore::FindHomeCourse(const QString& prefix) {
    QString sql = "Select HOME_COURSE, COURSE_PH From PLAYERS Where " + LikeSearch("HOME_COURSE");
    Recordset rs = db_.OpenRecordset(sql, {LikePrefix(prefix)});
    if (rs.IsEmpty()) return std::nullopt;
    rs.MoveFirst();
    return HomeCourse{rs["HOME_COURSE"].str(), rs["COURSE_PH"].str()};
}

}  // namespace dc
