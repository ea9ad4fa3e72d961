#include "EngineDb.h"

#include "platform/Database.h"

namespace dc::test {

void EngineDb::SetUp() { folder_.OpenDatabase(); }

void EngineDb::AddPlayer(int id, const QString& gender) {
    TestDb().Execute("INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME, GENDER) VALUES (?, ?, 'Test', ?)",
                 {id, QString("Player%1").arg(id), gender});
}

void EngineDb::AddRound(const TestRound& s) {
    QStringList names{"PLAYER_ID",  "COURSE_ID",     "GAME_NUMBER",  "ROUND_DATE", "RND_GAME_ID",
                      "TEE_BOX_ID", "COURSE_RATING", "SLOPE_RATING", "USE_HCP",    "USE_TOURN"};
    QVariantList values{
        s.player, s.course, s.game,  s.date,        s.rndId ? s.rndId : s.game * 10 + s.player,
        s.tee,    s.rating, s.slope, s.hcp ? 1 : 0, s.tourn ? 1 : 0};
    int front = 0, back = 0;
    for (int i = 0; i < 18; ++i) {
        names << QString("GS%1").arg(i + 1, 2, 10, QChar('0'));
        values << s.gross[i];
        (i < 9 ? front : back) += s.gross[i];
    }
    names << "GSTOTAL"
          << "GSF9"
          << "GSB9"
          << "PAR"
          << "NOTES";
    values << front + back << front << back << s.par << " ";
    for (const auto& [name, value] : s.columns) {
        names << name;
        values << value;
    }
    QStringList marks;
    for (int i = 0; i < names.size(); ++i) marks << "?";
    TestDb().Execute("INSERT INTO INDIV_SCORES (" + names.join(",") + ") VALUES (" + marks.join(",") + ")",
                 values);
}

QVariant EngineDb::Value(int player, int game, const QString& column) {
    return TestDb().Scalar("SELECT " + column + " FROM INDIV_SCORES WHERE PLAYER_ID=? AND GAME_NUMBER=?",
                       {player, game});
}

std::map<int, int> EngineDb::GamesByRoundId(int player) {
    std::map<int, int> games;
    Recordset rs =
        TestDb().OpenRecordset("SELECT RND_GAME_ID, GAME_NUMBER FROM INDIV_SCORES WHERE PLAYER_ID=?", {player});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) games[rs.Fields(0).toInt()] = rs.Fields(1).toInt();
    return games;
}

}  // namespace dc::test
