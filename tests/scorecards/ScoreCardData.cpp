#include "ScoreCardData.h"

#include "TestSupport.h"
#include "platform/Database.h"
#include "records/CourseStore.h"
#include "records/PlayerStore.h"

namespace dc::test {

void AddScoreCardCourse(int courseId, const QString& name) {
    PackedCourse c;
    c.TB = PackTeeName("Blue") + PackTeeName("White") + PackTeeName("Red") + PackTeeName("");
    c.MCR = "72.170.5000.0000.0";
    c.MSL = "131125000000";
    c.WCR = "000.074.172.0000.0";
    c.WSL = "000128121000";
    QString men, women, pars, yards;
    for (int j = 1; j <= 18; ++j) {
        men += QString("%1").arg(19 - j, 2, 10, QChar('0'));
        women += QString("%1").arg(j, 2, 10, QChar('0'));
        pars += (j == 3 || j == 8 || j == 12 || j == 16) ? "3" : (j == 5 || j == 14) ? "5" : "4";
        yards += "400";
    }
    c.MHCP = men.repeated(4);
    c.WHCP = women.repeated(4);
    c.MPARS = pars.repeated(4);
    c.WPARS = pars.repeated(4);
    c.YARDS = yards.repeated(4);
    CourseStore(TestDb()).InsertCourse(courseId, name, c);
}

void AddPlayer(int id, const QString& last, const QString& first, const QString& gender) {
    PlayerRec p;
    p.PLAYER_ID = id;
    p.LAST_NAME = last;
    p.FIRST_NAME = first;
    p.GENDER = gender;
    PlayerStore(TestDb()).InsertPlayer(p);
}

void AddRoundWithIndex(int playerId, int game, double index, double tournIndex) {
    QString sql = "INSERT INTO INDIV_SCORES (PLAYER_ID, GAME_NUMBER, USE_HCP";
    QString values = "VALUES (?, ?, 1";
    QVariantList params{playerId, game};
    for (const char* suffix : {"US_18", "US_F9", "US_B9", "CA_18", "CA_F9", "CA_B9"}) {
        sql += QString(", HCP_INDEX_%1, THCP_INDEX_%1").arg(suffix);
        values += ", ?, ?";
        params << index << tournIndex;
    }
    TestDb().Execute(sql + ") " + values + ")", params);
}

}  // namespace dc::test
