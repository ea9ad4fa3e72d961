#include "EntryFixture.h"

#include "handicap/RoundRec.h"
#include "platform/Database.h"
#include "shell/DateFormat.h"

namespace dc::test {

void AddCourse(int id, const QString& name, int slope, const QString& rating, const QString& pars,
               int womenSlope) {
    const QString tb = QString("Blue").rightJustified(20, ' ') + QString(60, ' ');
    const QString sl = QString("%1").arg(slope, 3, 10, QChar('0')) + "000000000";
    const QString wsl = QString("%1").arg(womenSlope ? womenSlope : slope, 3, 10, QChar('0')) + "000000000";
    const QString cr = rating + "00.000.000.0";
    QString hcp;
    for (int h = 1; h <= 18; ++h) hcp += QString("%1").arg(h, 2, 10, QChar('0'));
    TestDb().Execute(
        "INSERT INTO COURSES (COURSE_ID,COURSE_NAME,TB,MCR,MSL,WCR,WSL,MHCP,WHCP,MPARS,WPARS,YARDS) "
        "VALUES (?,?,?,?,?,?,?,?,?,?,?,?)",
        {id, name, tb, cr, sl, cr, wsl, hcp, hcp, pars, pars, QString("400").repeated(18)});
}

void AddPlayer(int id, const QString& last, const QString& first, const QString& gender) {
    TestDb().Execute("INSERT INTO PLAYERS (PLAYER_ID,LAST_NAME,FIRST_NAME,MI,GENDER) VALUES (?,?,?,?,?)",
                     {id, last, first, "", gender});
}

void AddRound(int playerId, int game, const QDate& date, int grossPerHole, int courseId, double rating,
              int slope) {
    QVariantList v{playerId, courseId, game, DbDate(date), 1000 + game, 0, rating, slope, 1, 0};
    for (int i = 0; i < 18; ++i) v << grossPerHole;
    for (int i = 0; i < 6; ++i) v << 36.4;
    for (int i = 0; i < 6; ++i) v << -100;
    for (int i = 0; i < 6; ++i) v << 18 * grossPerHole / (i % 3 == 0 ? 1 : 2);
    v << 18 * grossPerHole << 9 * grossPerHole << 9 * grossPerHole << QString(18, '4')
      << QString(" 2").repeated(18) << QString(18, '0') << QString(18, '0') << QString(18, '0') << 0.0 << 0.0
      << 0.0 << " ";
    QStringList marks;
    for (int i = 0; i < v.size(); ++i) marks << "?";
    TestDb().Execute(
        "INSERT INTO INDIV_SCORES (" + RoundFieldOrder().join(",") + ") VALUES (" + marks.join(",") + ")", v);
}

int RoundCount(int playerId) {
    return TestDb().Scalar("SELECT COUNT(*) FROM INDIV_SCORES WHERE PLAYER_ID=?", {playerId}).toInt();
}

QStringList RoundRows(int playerId, const QString& columns) {
    Recordset rs = TestDb().OpenRecordset(
        "SELECT " + columns + " FROM INDIV_SCORES WHERE PLAYER_ID=? ORDER BY GAME_NUMBER", {playerId});
    QStringList out;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        QStringList row;
        for (int i = 0; i < rs.FieldCount(); ++i) row << rs.Fields(i).str();
        out << row.join(" ");
    }
    return out;
}

}  // namespace dc::test
