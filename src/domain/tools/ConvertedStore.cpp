#include "tools/ConvertedStore.h"

#include "platform/Database.h"
#include "tools/OldFieldRules.h"

namespace dc {

namespace {

// KIND: "O" an old course record (OldCourseKey), NEW_ID the COURSE_ID it became; "G" an old golfer
// (OldGolferKey; read as it is compared now), NEW_ID a PLAYER_ID it became, one row for each record
// of that golfer, in order;
// "F" the round records one run took from a round file: its upper-case name, "|", then the round
// keys, 16 hex digits each, space-separated, a key once for each record taken (one row a round
// would slow a large conversion); NEW_ID the player they went to.
// Rows of earlier builds, read but no longer written: "C" an old course name and the COURSE_ID it
// became; "R" round keys taken for the player NEW_ID, each at most once.
const QString kCreate =
    "Create Table If Not Exists CV_CONVERTED (KIND TEXT NOT NULL, OLD_ID TEXT NOT NULL, "
    "NEW_ID INTEGER NOT NULL)";

QList<quint64> Keys(QStringView text) {
    QList<quint64> keys;
    for (const QStringView key : text.split(' ', Qt::SkipEmptyParts)) keys << key.toULongLong(nullptr, 16);
    return keys;
}

}  // namespace

void ConvertedStore::CreateTable() { db_.Execute(kCreate); }

ConvertedRecords ConvertedStore::Read() {
    ConvertedRecords r;
    if (!db_.HasTable("CV_CONVERTED")) return r;
    // Rounds taken for a player deleted since went with him. An earlier build's round keys belong to
    // the golfer key of the player they were taken for.
    Recordset rs = db_.OpenRecordset(
        "Select C.KIND, C.OLD_ID, C.NEW_ID, P.PLAYER_ID, P.CV_PREV_FILE_NAME From CV_CONVERTED C "
        "Left Join PLAYERS P On P.PLAYER_ID = C.NEW_ID Order By C.rowid");
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const QString kind = rs["KIND"].str(), old = rs["OLD_ID"].str();
        const int id = static_cast<int>(rs["NEW_ID"].toLong());
        if (kind == "O") r.courses.insert(old, id);  // a later row of one old record wins
        if (kind == "C") r.coursesByName.insert(old, id);
        if (kind == "G") r.golfers[OldGolferKeyAgain(old)].append(id);
        const bool player = !rs["PLAYER_ID"].isNull();
        if (kind == "F" && player) {
            const int bar = old.lastIndexOf('|');
            if (bar < 0) continue;
            TakenRounds& file = r.files[old.left(bar)];
            file.playerId = id;
            for (quint64 key : Keys(QStringView(old).mid(bar + 1))) ++file.counts[key];
        }
        const QString golferKey = rs["CV_PREV_FILE_NAME"].str().trimmed().toUpper();
        if (kind == "R")
            for (quint64 key : Keys(old)) r.roundsByKey[golferKey].insert(key);
    }
    return r;
}

void ConvertedStore::Remember(const ConvertedRecords& taken) {
    const QString sql = "Insert Into CV_CONVERTED (KIND, OLD_ID, NEW_ID) Values (?,?,?)";
    for (auto it = taken.courses.begin(); it != taken.courses.end(); ++it)
        db_.Execute(sql, {"O", it.key(), it.value()});
    for (auto it = taken.golfers.begin(); it != taken.golfers.end(); ++it)
        for (int id : *it) db_.Execute(sql, {"G", it.key(), id});
    for (auto it = taken.files.begin(); it != taken.files.end(); ++it) {
        if (it->counts.isEmpty()) continue;
        QByteArray keys = it.key().toUtf8() + "|";
        keys.reserve(keys.size() + it->counts.size() * 17);
        for (auto key = it->counts.begin(); key != it->counts.end(); ++key)
            for (int i = 0; i < key.value(); ++i) {
                for (int shift = 60; shift >= 0; shift -= 4)
                    keys += "0123456789abcdef"[(key.key() >> shift) & 15];
                keys += ' ';
            }
        keys.chop(1);
        db_.Execute(sql, {"F", QString::fromUtf8(keys), it->playerId});
    }
}

void ConvertedStore::ForgetPlayer(int playerId) {
    if (!db_.HasTable("CV_CONVERTED")) return;
    // Round records remembered for a player without rounds were found stored for another player of
    // his key (a golfer listed twice): they stay taken with that key.
    const QVariant heir = db_.Scalar(
        "Select Min(P.PLAYER_ID) From PLAYERS P, PLAYERS D Where D.PLAYER_ID=? And P.PLAYER_ID<>D.PLAYER_ID "
        "And Trim(D.CV_PREV_FILE_NAME)<>'' And "
        "Upper(Trim(P.CV_PREV_FILE_NAME))=Upper(Trim(D.CV_PREV_FILE_NAME)) "
        "And Not Exists (Select * From INDIV_SCORES S Where S.PLAYER_ID=D.PLAYER_ID)",
        {playerId});
    if (!heir.isNull())
        db_.Execute("Update CV_CONVERTED Set NEW_ID=? Where KIND In ('R','F') And NEW_ID=?",
                    {heir, playerId});
    db_.Execute("Delete From CV_CONVERTED Where KIND In ('G','R','F') And NEW_ID=?", {playerId});
}

void ConvertedStore::ForgetCourse(int courseId) {
    if (!db_.HasTable("CV_CONVERTED")) return;
    db_.Execute("Delete From CV_CONVERTED Where KIND In ('C','O') And NEW_ID=?", {courseId});
}

}  // namespace dc
