#include "tools/ConvertedStore.h"

#include "platform/Database.h"

namespace dc {

namespace {

// KIND: "C" an old course, "G" an old golfer, "R" old round records of a player (the round keys
// of one run in one row, 16 hex digits each, space-separated: one row a round would slow a large
// conversion). NEW_ID: the COURSE_ID or PLAYER_ID it became.
const QString kCreate =
    "Create Table If Not Exists CV_CONVERTED (KIND TEXT NOT NULL, OLD_ID TEXT NOT NULL, "
    "NEW_ID INTEGER NOT NULL)";

}  // namespace

void ConvertedStore::CreateTable() { db_.Execute(kCreate); }

ConvertedRecords ConvertedStore::Read() {
    ConvertedRecords r;
    if (!db_.HasTable("CV_CONVERTED")) return r;
    Recordset rs = db_.OpenRecordset("Select KIND, OLD_ID, NEW_ID From CV_CONVERTED Order By rowid");
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {  // a later row of one old record wins
        const QString kind = rs["KIND"].str(), old = rs["OLD_ID"].str();
        const int id = static_cast<int>(rs["NEW_ID"].toLong());
        if (kind == "C") r.courses.insert(old, id);
        if (kind == "G") r.golfers.insert(old, id);
        if (kind != "R") continue;
        QSet<quint64>& rounds = r.rounds[id];
        for (const QStringView key : QStringView(old).split(' ', Qt::SkipEmptyParts))
            rounds.insert(key.toULongLong(nullptr, 16));
    }
    return r;
}

void ConvertedStore::Remember(const ConvertedRecords& taken) {
    const QString sql = "Insert Into CV_CONVERTED (KIND, OLD_ID, NEW_ID) Values (?,?,?)";
    for (auto it = taken.courses.begin(); it != taken.courses.end(); ++it)
        db_.Execute(sql, {"C", it.key(), it.value()});
    for (auto it = taken.golfers.begin(); it != taken.golfers.end(); ++it)
        db_.Execute(sql, {"G", it.key(), it.value()});
    for (auto it = taken.rounds.begin(); it != taken.rounds.end(); ++it) {
        if (it->isEmpty()) continue;
        QByteArray keys;
        keys.reserve(it->size() * 17);
        for (quint64 key : *it) {
            for (int shift = 60; shift >= 0; shift -= 4) keys += "0123456789abcdef"[(key >> shift) & 15];
            keys += ' ';
        }
        keys.chop(1);
        db_.Execute(sql, {"R", QString::fromLatin1(keys), it.key()});
    }
}

void ConvertedStore::ForgetPlayer(int playerId) {
    if (!db_.HasTable("CV_CONVERTED")) return;
    db_.Execute("Delete From CV_CONVERTED Where KIND In ('G','R') And NEW_ID=?", {playerId});
}

void ConvertedStore::ForgetCourse(int courseId) {
    if (!db_.HasTable("CV_CONVERTED")) return;
    db_.Execute("Delete From CV_CONVERTED Where KIND='C' And NEW_ID=?", {courseId});
}

}  // namespace dc
