#include "RecordClub.h"

#include <QApplication>
#include <QDate>
#include <QFont>
#include <algorithm>
#include <iterator>

#include "../entry/EntryFixture.h"
#include "handicap/SaveScores.h"
#include "platform/Database.h"

namespace dc::test {
namespace {

// 60 letters; the second differs from the first in its last letter only.
const QString kLongLast = "Montgomery-Featherstonehaugh-Winterbottom-Abercrombie-Smythe";
const QString kLongLast2 = "Montgomery-Featherstonehaugh-Winterbottom-Abercrombie-Smytha";

// Pines as a real course has it: pars 3, 4 and 5, hole handicaps out of hole order, women's
// ratings, slopes, pars and hole handicaps of their own. Open Heath has neither yards nor pars.
const QString kMenPars =
    "453443544"
    "435443454";
const QString kWomenPars =
    "453543544"
    "435453454";
const QString kMenHcps =
    "07"
    "01"
    "17"
    "05"
    "11"
    "15"
    "03"
    "09"
    "13"
    "08"
    "16"
    "02"
    "12"
    "04"
    "18"
    "10"
    "06"
    "14";
const QString kWomenHcps =
    "05"
    "03"
    "17"
    "01"
    "09"
    "15"
    "07"
    "11"
    "13"
    "06"
    "16"
    "04"
    "12"
    "02"
    "18"
    "10"
    "08"
    "14";
const QString kHeathMenHcps =
    "10"
    "04"
    "16"
    "02"
    "12"
    "08"
    "18"
    "06"
    "14"
    "09"
    "03"
    "15"
    "01"
    "11"
    "07"
    "17"
    "05"
    "13";
const QString kHeathWomenHcps =
    "04"
    "10"
    "16"
    "02"
    "12"
    "06"
    "18"
    "08"
    "14"
    "03"
    "09"
    "15"
    "01"
    "11"
    "05"
    "17"
    "07"
    "13";

// Members beyond the first players, so that the index list, the game list and the labels run over
// a page; every third plays eight rounds, the game list running to three pages.
const char* const kMembers[][3] = {
    {"Abbott", "Alan", "M"},      {"Baxter", "Beth", "F"},    {"Carlisle", "Carl", "M"},
    {"Dawson", "Dana", "F"},      {"Ellison", "Eric", "M"},   {"Fairbanks", "Fiona", "F"},
    {"Gallagher", "Gary", "M"},   {"Hargrove", "Helen", "F"}, {"Ingram", "Ian", "M"},
    {"Jennings", "Joan", "F"},    {"Kowalski", "Kurt", "M"},  {"Lindqvist", "Linda", "F"},
    {"MacLeod", "Mark", "M"},     {"Nakamura", "Nora", "F"},  {"O'Connell", "Owen", "M"},
    {"Pemberton", "Paula", "F"},  {"Quinlan", "Quinn", "M"},  {"Rasmussen", "Rita", "F"},
    {"Sandoval", "Sam", "M"},     {"Thornton", "Tara", "F"},  {"Underwood", "Uri", "M"},
    {"Valentine", "Vera", "F"},   {"Whitaker", "Walt", "M"},  {"Yamamoto", "Yvonne", "F"},
    {"Zimmerman", "Zack", "M"},   {"Albright", "Amy", "F"},   {"Brennan", "Brian", "M"},
    {"Castillo", "Cora", "F"},    {"Donovan", "Dean", "M"},   {"Everett", "Ella", "F"},
    {"Fitzgerald", "Frank", "M"}, {"Grayson", "Gwen", "F"},   {"Holloway", "Hank", "M"},
    {"Iverson", "Iris", "F"},     {"Jablonski", "Jack", "M"}, {"Kensington", "Kate", "F"},
    {"Lockhart", "Leo", "M"},     {"Montague", "Mona", "F"},  {"Norwood", "Ned", "M"},
    {"Oakley", "Olga", "F"}};

}  // namespace

void Record::SetUp() {
    EngineDb::SetUp();
    QApplication::setFont(QFont("Liberation Sans", 9));  // installed with the set-up
    Ctx().sDateFormat = "MM/DD/YYYY";
    Ctx().sStartDate = "01/01/2026";
    Ctx().sEndDate = "12/31/2026";
    Ctx().bFlag18_9 = Ctx().bUSCAFlag = true;
    TestDb().Execute("UPDATE SETUP SET XOFFSET=0, YOFFSET=0");
    AddCourse(1, "Pines", 125, "71.5", kMenPars);
    AddCourse(2, "Open Heath", 118, "69.8");
    QString yards;
    for (int h = 0; h < 18; ++h)
        yards += QString::number(kMenPars[h] == '3'   ? 150 + 7 * h
                                 : kMenPars[h] == '4' ? 352 + 5 * h
                                                      : 487 + 3 * h);
    TestDb().Execute(
        "UPDATE COURSES SET WCR='73.800.000.000.0', WSL='131000000000', MHCP=?, WHCP=?, WPARS=?, YARDS=? "
        "WHERE COURSE_ID=1",
        {kMenHcps, kWomenHcps, kWomenPars, yards});
    TestDb().Execute(
        "UPDATE COURSES SET WCR='72.400.000.000.0', WSL='126000000000', MHCP=?, WHCP=?, YARDS='', "
        "MPARS='', WPARS='' WHERE COURSE_ID=2",
        {kHeathMenHcps, kHeathWomenHcps});
    test::AddPlayer(1, kLongLast, "Margaret", "F");
    test::AddPlayer(2, kLongLast2, "Margaret", "F");
    test::AddPlayer(3, "Smith", "Christopher Jonathan Aaa", "M");
    test::AddPlayer(4, "Smith", "Christopher Jonathan Aab", "M");
    test::AddPlayer(5, "Newcomer", "Bea", "F");  // one nine played: a beginner
    // Three golfers whose first and last names read alike, two told apart by their middle
    // initial only; a name as long as the player editor takes.
    test::AddPlayer(6, "Smith", "John", "M");
    test::AddPlayer(7, "Smith", "John", "M");
    test::AddPlayer(8, "Smith", "John", "M");
    TestDb().Execute(
        "UPDATE PLAYERS SET MI=CASE PLAYER_ID WHEN 6 THEN 'A' WHEN 7 THEN 'B' END WHERE PLAYER_ID IN "
        "(6,7)");
    test::AddPlayer(9, "Montgomery-Featherstonehaugh", "Maximiliana Alexandrinab", "F");
    int id = 10;
    for (const auto& member : kMembers) test::AddPlayer(id++, member[0], member[1], member[2]);
    TestDb().Execute(
        "UPDATE PLAYERS SET SALUTATION=CASE GENDER WHEN 'F' THEN 'Ms.' ELSE 'Mr.' END, ADDRESS1='12 Long "
        "Fairway Road', CITY='Springfield', "
        "STATE='IL', ZIP='62701', HOME_PHONE='555-0100', EMAIL=REPLACE(LOWER(FIRST_NAME), ' ', '.') || "
        "'@example.com'");
    AddRounds();
    ResynchAllScores(TestDb());
    // Indexes held to two places, as a database kept by other means may hold them: every screen
    // and printout shows them rounded to one (20.86 as 20.9, where cutting gives 20.8).
    TestDb().Execute(
        "UPDATE INDIV_SCORES SET HCP_INDEX_US_18=HCP_INDEX_US_18+0.06 WHERE PLAYER_ID IN (1,2,6,7,8) "
        "AND HCP_INDEX_US_18>0 AND HCP_INDEX_US_18<36");
    Ctx().nCurPlayerID = 1;  // as the main screen hands her over
    Ctx().sCurGender = "F";
}

void Record::TearDown() { QApplication::setFont(QFont()); }

// Rounds in 2026: 18 holes on both courses, a tournament round now and then, a nine-hole
// round for players 1 and 5, putts, greens, sand saves, fairways and a cost on each; each
// player's scores over par as his game has them.
void Record::AddRounds() {
    int rounds[10 + std::size(kMembers)] = {0, 9, 7, 6, 3, 1, 6, 6, 6, 5};
    for (size_t m = 0; m < std::size(kMembers); ++m) rounds[10 + m] = m % 3 == 0 ? 8 : 0;
    for (int p = 1; p < int(std::size(rounds)); ++p) {
        const bool woman =
            TestDb().Scalar("SELECT GENDER FROM PLAYERS WHERE PLAYER_ID=?", {p}).toString() == "F";
        const QString& pars = woman ? kWomenPars : kMenPars;
        for (int g = 1; g <= rounds[p]; ++g) {
            const QDate date(2026, 3 + g / 2, 1 + (3 * g + 5 * p) % 27);
            TestRound r = Round(p, g, date.toString("yyyy-MM-dd"));
            r.course = g % 3 == 0 ? 2 : 1;
            r.rating = r.course == 1 ? (woman ? 73.8 : 71.5) : (woman ? 72.4 : 69.8);
            r.slope = r.course == 1 ? (woman ? 131 : 125) : (woman ? 126 : 118);
            r.tourn = g % 4 == 2;
            // One round on Pines stored without its pars: its scores are capped by its tee box's.
            r.par = r.course == 1 && !(p == 2 && g == 1) ? pars : QString();
            // The first players' scores run over par by a repeating pattern; every other
            // player's by his game, a few strokes more or less from round to round, on the
            // hardest holes first, a hole now and then better or worse.
            const QString& hcps = woman ? kWomenHcps : kMenHcps;
            const int strokes = 2 + (p * 7) % 29 + (g * 5 + p) % 7 - 3;
            for (int h = 0; h < 18; ++h) {
                const int hard = hcps.mid(2 * h, 2).toInt();
                const int over =
                    p <= 5 ? (h * 7 + g * 3 + p) % 4 - (p == 3 ? 1 : 0)
                           : strokes / 18 + (hard <= strokes % 18 ? 1 : 0) + (h * 5 + g * 7 + p) % 3 - 1;
                r.gross[h] = std::max(1, pars[h].digitValue() + over);
            }
            if ((p == 1 && g == 5) || p == 5)
                for (int h = 9; h < 18; ++h) r.gross[h] = 0;  // the front nine only
            r.columns = {{"PUTTS", QString(" 2 1 3").repeated(6)},
                         {"GREENS_IN_REG", QString("100").repeated(6)},
                         {"SAND_SAVES", QString("010000000").repeated(2)},
                         {"FAIRWAYS_HIT", QString("110").repeated(6)},
                         {"GAME_COST", 40.0 + g},
                         {"CART_COST", 12.5},
                         {"OTHER_COST", 0.0}};
            AddRound(r);
        }
    }
}

}  // namespace dc::test
