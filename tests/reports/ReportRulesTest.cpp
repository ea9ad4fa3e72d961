// The report computations without a screen: score types, best rounds, money and eclectic texts of
// the statistics; the game list's nine-hole walk and its sorting by value; the graphs' points,
// percentages, Y-axis bounds and tick spacing.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "QStringPrint.h"
#include "TestSupport.h"
#include "platform/NameForms.h"
#include "platform/RecordingPrinterPage.h"
#include "records/TeeBoxPacking.h"
#include "reports/GameListCalc.h"
#include "reports/GraphSeries.h"
#include "reports/ReportPrint.h"
#include "reports/StatsCalc.h"

using namespace dc;

namespace {

RoundRec Round(int game, const QDate& date, const std::array<int, 18>& gs,
               const QString& par = QString(18, '4')) {
    RoundRec r;
    r.PLAYER_ID = 1;
    r.COURSE_ID = 1;
    r.GAME_NUMBER = game;
    r.ROUND_DATE = date;
    r.GS = gs;
    r.PAR = par;
    for (int h = 0; h < 18; ++h) (h < 9 ? r.GSF9 : r.GSB9) += gs[h];
    r.GSTOTAL = r.GSF9 + r.GSB9;
    r.ADJSCR = {r.GSTOTAL, r.GSF9, r.GSB9, r.GSTOTAL, r.GSF9, r.GSB9};
    r.USE_HCP = true;
    return r;
}

std::array<int, 18> Holes(int front, int back) {
    std::array<int, 18> gs{};
    for (int h = 0; h < 18; ++h) gs[h] = h < 9 ? front : back;
    return gs;
}

}  // namespace

TEST(StatsRules, ScoreTypeOfEachDifference) {
    const struct {
        int gross, par;
        std::optional<ScoreType> type;
    } cases[] = {
        {1, 4, kAce},    {1, 3, kAce},         {2, 5, kDblEag}, {3, 5, kEagle},
        {3, 4, kBirdie}, {4, 4, kPar},         {5, 4, kBogey},  {6, 4, kDblBgy},
        {7, 4, kOther},  {2, 6, std::nullopt},  // -4 counts nowhere
        {2, 0, kDblBgy}, {3, 0, kOther},        // empty PAR
    };
    for (const auto& c : cases) EXPECT_EQ(ScoreTypeOf(c.gross, c.par), c.type) << c.gross << " on " << c.par;
}

TEST(StatsRules, EmptyParCountsUnderParSixAndTwoOnParSixStillAverages) {
    StatsAccumulator s;
    auto gs = Holes(0, 0);
    gs[0] = 2;
    gs[1] = 1;
    s.Add(Round(1, QDate(2024, 1, 1), gs, ""));
    EXPECT_EQ(s.parHoles[3], 2);
    EXPECT_EQ(s.parGross[3], 3);
    EXPECT_EQ(s.typeCount[0][kDblBgy], 1);
    EXPECT_EQ(s.typeCount[1][kAce], 1);
    StatsAccumulator six;
    gs = Holes(0, 0);
    gs[0] = 2;
    six.Add(Round(1, QDate(2024, 1, 1), gs, QString(18, '6')));
    int counted = 0;
    for (int c : six.typeCount[0]) counted += c;
    EXPECT_EQ(counted, 0);
    EXPECT_EQ(six.parHoles[3], 1);
}

TEST(StatsRules, EqualBestRoundsTheLaterWinsAndBackOverFront) {
    StatsAccumulator s;
    s.Add(Round(1, QDate(2024, 1, 1), Holes(4, 4)));
    s.Add(Round(2, QDate(2024, 2, 1), Holes(4, 4)));
    EXPECT_EQ(s.best18.score, 72);
    EXPECT_EQ(s.best18.gameNumber, 2);
    EXPECT_EQ(s.best9.score, 36);
    EXPECT_EQ(s.best9.suffix, " B");
    EXPECT_EQ(s.best9.gameNumber, 2);
    s.Add(Round(3, QDate(2024, 3, 1), Holes(3, 0)));  // a nine-hole round: best nine, never best 18
    EXPECT_EQ(s.best9.suffix, " F");
    EXPECT_EQ(s.best18.gameNumber, 2);
}

// Ties of the best nine: an equal nine read later wins, front or back, and within one round the
// back nine; a better nine read earlier stays.
TEST(StatsRules, TiesOfTheBestNineGoToTheNineReadLast) {
    const struct {
        std::vector<std::pair<int, int>> rounds;  // a front and a back of each hole, games 1, 2, ...
        int game;
        const char* suffix;
    } cases[] = {{{{4, 5}, {4, 5}}, 2, " F"}, {{{5, 4}, {5, 4}}, 2, " B"}, {{{4, 5}, {5, 4}}, 2, " B"},
                 {{{5, 4}, {4, 5}}, 2, " F"}, {{{4, 4}}, 1, " B"},         {{{4, 5}, {5, 5}}, 1, " F"}};
    for (const auto& c : cases) {
        StatsAccumulator s;
        int game = 0;
        for (const auto& [front, back] : c.rounds) {
            ++game;
            s.Add(Round(game, QDate(2024, 1, game), Holes(front, back)));
        }
        SCOPED_TRACE(game);
        EXPECT_EQ(s.best9.score, 36);
        EXPECT_EQ(s.best9.gameNumber, c.game);
        EXPECT_EQ(s.best9.suffix, c.suffix);
    }
}

TEST(StatsRules, TextsMoneyEclecticAndNoGame) {
    EXPECT_EQ(MoneyText(0), "$.00");
    EXPECT_EQ(MoneyText(12.5), "$12.50");
    EXPECT_EQ(MoneyText(1234.567), "$1234.57");
    EXPECT_EQ(SignedText(5), " 5");

    StatsAccumulator s(true);
    auto gs = Holes(4, 5);
    gs[17] = 0;  // hole 18 never played on the course
    RoundRec r = Round(1, QDate(2024, 1, 1), gs);
    r.GAME_COST = 20;
    s.Add(r);
    const StatsTexts t = MakeStatsTexts(
        s, {[](int) { return QString("Ann Able"); }, [](int) { return QString("Pines"); }}, "MM/DD/YYYY");
    EXPECT_EQ(t.games, " 1");
    EXPECT_EQ(t.cartCost, "$.00");
    EXPECT_EQ(t.totalCost, "$20.00");
    EXPECT_EQ(t.eclecticF9, "36");
    EXPECT_EQ(t.eclecticB9, "") << "a nine with an unplayed hole has no eclectic total";
    EXPECT_EQ(t.eclectic18, "");
    EXPECT_EQ(t.best9, " 36 F");
    EXPECT_EQ(t.best9Player, "Ann Able");
    EXPECT_EQ(t.grid[18][kPar], " 9");
    EXPECT_EQ(t.grid[18][kAce], " 0");

    const StatsTexts none = MakeStatsTexts(StatsAccumulator(true), {}, "MM/DD/YYYY");
    EXPECT_EQ(none.games, "0");
    EXPECT_FALSE(none.anyGame());
}

TEST(GameListRules, NineHoleWalk) {
    // Newest first: a full round, a front-only round, a full round.
    const std::vector<RoundRec> full = {Round(3, QDate(2024, 3, 1), Holes(4, 5)),
                                        Round(2, QDate(2024, 2, 1), Holes(4, 0)),
                                        Round(1, QDate(2024, 1, 1), Holes(5, 5))};
    auto walk = [](const std::vector<RoundRec>& rounds, bool nine, int course = 0) {
        QStringList out;
        for (const GameListPick& p : WalkGameList(rounds, nine, course))
            out << QString::number(rounds[p.round].GAME_NUMBER) + (p.nine == Nine::Back    ? "B"
                                                                   : p.nine == Nine::Front ? "F"
                                                                                           : "");
        return out.join(' ');
    };
    EXPECT_EQ(walk(full, false), "3 2 1");
    EXPECT_EQ(walk(full, true), "3B 3F 2F 1B 1F");
    std::vector<RoundRec> casual = full;
    for (RoundRec& r : casual) {
        r.USE_HCP = false;
        r.ADJSCR = {};
    }
    EXPECT_EQ(walk(casual, true), "3B 3F 2F 1B 1F") << "rounds without adjusted scores keep both nines";
    const std::vector<RoundRec> frontNewest(full.begin() + 1, full.end());
    EXPECT_EQ(walk(frontNewest, true), "2F 1B 1F") << "a front-only newest round starts on the front";
    std::vector<RoundRec> backNext = full;
    backNext[1] = Round(2, QDate(2024, 2, 1), Holes(0, 4));
    EXPECT_EQ(walk(backNext, true), "3B 3F 2B 1B 1F") << "a back-only round after a front nine";
    std::vector<RoundRec> otherCourse = full;
    otherCourse[0].COURSE_ID = 2;
    EXPECT_EQ(walk(otherCourse, true, 1), "2F 1B 1F")
        << "another course's round adds no row, the walk goes on";
}

TEST(GameListRules, SortsByTheValueBehindTheText) {
    std::vector<GameListRow> rows;
    const struct {
        QDate date;
        int gross;
        bool tourn;
        double index;
        bool useHcp;
    } data[] = {{QDate(2023, 12, 31), 85, true, 5.0, true},
                {QDate(2024, 1, 2), 100, false, -1.2, true},
                {QDate(2022, 6, 15), 99, false, 0.0, false},
                {QDate(2024, 1, 1), 92, false, 12.3, true}};
    for (const auto& d : data) {
        RoundRec r = Round(1, d.date, Holes(4, 4));
        r.GSTOTAL = d.gross;
        r.USE_TOURN = d.tourn;
        r.USE_HCP = d.useHcp;
        r.HCP_INDEX[US_18] = d.index;
        rows.push_back(
            MakeGameListRow(r, Nine::Whole, true, {"Able, Ann", "Pines", "", false}, "MM/DD/YYYY"));
    }
    EXPECT_EQ(rows[0].text[kGlScr], "T85");
    EXPECT_EQ(rows[1].text[kGlIndex], "+1.2");
    EXPECT_EQ(rows[2].text[kGlIndex], "NA");
    auto column = [&rows](int col) {
        QStringList out;
        for (const auto& r : rows) out << r.text[col];
        return out.join(' ');
    };
    SortGameList(rows, kGlDate, true);
    EXPECT_EQ(column(kGlScr), "99 T85 92 100") << "dates in time, across years";
    SortGameList(rows, kGlScr, true);
    EXPECT_EQ(column(kGlScr), "T85 92 99 100");
    SortGameList(rows, kGlIndex, true);
    EXPECT_EQ(column(kGlIndex), "+1.2 5.0 12.3 NA");
    SortGameList(rows, kGlIndex, false);
    EXPECT_EQ(column(kGlIndex), "12.3 5.0 +1.2 NA") << "NA last in both directions";
}

TEST(GraphRules, FindYMMOnItsExamples) {
    const struct {
        double min, max;
        float yMin, yMax;
    } cases[] = {
        {72.4, 96.2, 70, 100}, {-2.3, -7, -5, -5}, {70, 95, 70, 100}, {0, 0, 0, 5}, {3.2, 14.8, 0, 15}};
    for (const auto& c : cases) {
        float lo = 0, hi = 0;
        FindYMM(c.min, c.max, lo, hi);
        EXPECT_EQ(lo, c.yMin) << c.min;
        EXPECT_EQ(hi, c.yMax) << c.max;
    }
    const std::pair<int, int> ticks[] = {{20, 7}, {21, 2}, {40, 2}, {41, 3}, {60, 3}};
    for (auto [points, every] : ticks) EXPECT_EQ(TickEvery(points, 7), every) << points;
}

TEST(GraphRules, PointsAndPercentagesNeverAbove100) {
    auto gs = Holes(4, 0);
    gs[8] = 0;  // hole 9 unplayed, yet marked
    RoundRec nine = Round(1, QDate(2024, 1, 1), gs, "344444444444444444");
    nine.FAIRWAYS_HIT = QString(18, '1');
    nine.GREENS_IN_REG = QString(18, '1');
    nine.PUTTS = QString(" 2").repeated(18);
    RoundRec full = Round(2, QDate(2024, 2, 1), Holes(5, 5));
    const GraphData eighteen = CollectGraph({nine, full}, true, true, 0);
    EXPECT_EQ(eighteen.points.size(), 1u) << "a round with one nine gives no 18-hole point";
    const GraphData nines = CollectGraph({nine, full}, false, true, 0);
    ASSERT_EQ(nines.points.size(), 3u);
    EXPECT_FLOAT_EQ(nines.points[0][kSerGross], 32);
    EXPECT_FLOAT_EQ(nines.points[0][kSerFairways], 100) << "7 fairway holes played, 7 hit";
    EXPECT_FLOAT_EQ(nines.points[0][kSerGir], 100);
    EXPECT_FLOAT_EQ(nines.points[0][kSerPutts], 18) << "putts are summed over the nine";
    for (const auto& p : nines.points) EXPECT_LE(p[kSerFairways], 100);
    nine.FAIRWAYS_HIT = "11" + QString(16, '0');  // marked on the par 3 and on hole 2
    EXPECT_FLOAT_EQ(CollectGraph({nine}, false, true, 0).points[0][kSerFairways], 100.0f / 7)
        << "a par 3 has no fairway";

    const GraphView view = MakeGraphView(nines, 2);
    EXPECT_EQ(view.sets, 2);
    EXPECT_EQ(view.hint.left(11), "Min =  32  ");
}

TEST(GameListRules, VariantColumnsOfEachView) {
    RoundRec r = Round(4, QDate(2024, 12, 25), Holes(4, 5));
    r.HCP_INDEX = {1, 2, 3, 4, 5, -0.4};
    r.ADJSCR = {80, 35, 44, 81, 36, 45};
    const struct {
        Nine nine;
        bool us;
        QString scr, adj, index, hole1, hole10;
    } cases[] = {
        {Nine::Whole, true, "81", "80", "1.0", "4", "5"},
        {Nine::Whole, false, "81", "81", "4.0", "4", "5"},
        {Nine::Front, true, "36", "35", "2.0", "4", ""},
        {Nine::Back, false, "45", "45", "+0.4", "", "5"},
    };
    for (const auto& c : cases) {
        const GameListRow row =
            MakeGameListRow(r, c.nine, c.us, {"Able, Ann ", "Pines", "", false}, "MM/DD/YYYY");
        EXPECT_EQ(row.text[kGlScr], c.scr);
        EXPECT_EQ(row.text[kGlAdj], c.adj);
        EXPECT_EQ(row.text[kGlIndex], c.index);
        EXPECT_EQ(row.text[kGlHole1], c.hole1);
        EXPECT_EQ(row.text[kGlHole10], c.hole10);
        EXPECT_EQ(row.text[kGlName], "Able, Ann");
        EXPECT_EQ(row.text[kGlTee], "") << "no course row, no tee name";
    }
    // Rounds from one tee share its name's text: a fill of 200,000 rows allocates none per row.
    GameListTexts texts("MM/DD/YYYY");
    const QString teeBoxes = PackTeeName("Championship") + PackTeeName("Blue");
    r.TEE_BOX_ID = 0;
    const GameListRow a = MakeGameListRow(r, Nine::Whole, true, {"Able, Ann", "Pines", teeBoxes, true}, texts);
    const GameListRow b = MakeGameListRow(r, Nine::Whole, true, {"Able, Ann", "Pines", teeBoxes, true}, texts);
    EXPECT_EQ(a.tee, "Championship");
    EXPECT_TRUE(a.tee.isSharedWith(b.tee));
}

TEST(GraphRules, ViewsAxesAndHintTexts) {
    GraphData data;
    data.points = {{-2.3f, 80, 78, 50, 0.5f, 30, 1}, {3.5f, 90, 85, 60, 44.4f, 32, 2}};
    data.stats = {};
    for (int s = 0; s < kSeries; ++s) {
        data.stats[s].min = std::min(data.points[0][s], data.points[1][s]);
        data.stats[s].max = std::max(data.points[0][s], data.points[1][s]);
        data.stats[s].avg = (data.points[0][s] + data.points[1][s]) / 2;
    }
    const struct {
        int option;
        float yMin, yMax;
        QString hint;
    } cases[] = {
        {1, -5, 5, "Min = -2.3     Max =  3.5     Avg = 0.6"},
        {3, 0, 100, "Min =  50     Max =  60     Avg = 55.0"},
        {4, 0, 45, "Min =  .5     Max =  44.4     Avg = 22.5"},
        {6, 0, 100, "Min =  1     Max =  2     Avg = 1.5"},
    };
    for (const auto& c : cases) {
        const GraphView view = MakeGraphView(data, c.option);
        EXPECT_EQ(view.yMin, c.yMin) << c.option;
        EXPECT_EQ(view.yMax, c.yMax) << c.option;
        EXPECT_EQ(view.hint, c.hint);
    }
}

// The text printouts on every paper: long names take their shorter forms, tee names print whole in
// a column as wide as the longest, a tournament score keeps a blank after the tee, every game-list
// page repeats its headings, and the pages are counted before printing.
TEST(ReportPrintouts, LongTextsKeepToTheirColumnsOnEveryPaper) {
    const QString course = "Royal Saint Andrews Old Course Golf & Country Club of F";     // 54
    const QString name = "Fitzwilliam-Worthington-Smythe-Montgomery, Bartholomew Maxim";  // 60
    const QString tees[] = {"Tee 1", "Tee 2", "Tee 3", "Championship Blackxx"};
    std::vector<GameListRow> rows;
    for (int g = 1; g <= 200; ++g) {
        RoundRec r = Round(g, QDate(2026, 1, 1).addDays(g), Holes(5, 5));
        r.GSTOTAL = 104;
        r.USE_TOURN = g % 2 == 0;
        GameListRow row = MakeGameListRow(r, Nine::Whole, true,
                                          {g % 3 ? name : "Baker, Bo", course, "", false}, "MM/DD/YYYY");
        row.tee = tees[g % 4];
        rows.push_back(row);
    }
    ASSERT_EQ(rows[1].text[kGlScr], "T104");
    const QStringList forms = ShortNameForms(name) + QStringList{"Baker, Bo"};
    for (const dc::test::TestPaper& paper : dc::test::TestPapers()) {
        SCOPED_TRACE(paper.name);
        dc::RecordingPrinterPage list;
        list.SetPaper(paper.paper);
        PrintGameList(list, {name, course, "01/01/2026", "12/31/2026", "MM/DD/YYYY", {}}, rows);
        const PrintLog& log = *list.Log();
        EXPECT_EQ(dc::test::PrintFaults(log, paper.paper), QStringList());
        ASSERT_GE(log.PageCount(1), 2);
        EXPECT_TRUE(log.TextsOn(1, 2).contains("Game#")) << "headings on the next page";
        for (const PrintOp& op : log.Texts()) EXPECT_EQ(op.pages, log.PageCount(1)) << "counted first";
        for (const QString& tee : tees) EXPECT_TRUE(log.Find(tee)) << tee.toStdString() << " whole";
        int names = 0;
        for (const PrintOp& op : log.Texts())
            if (op.text.contains("Fitzwilliam") || op.text.contains("Baker")) {
                ++names;
                EXPECT_TRUE(forms.contains(op.text))
                    << op.text.toStdString() << " is a whole form of the name";
            }
        EXPECT_EQ(names, 201) << "every row and the heading";
        EXPECT_FALSE(log.Find("Tee 1T104"));
    }

    // Texts too long for any column at the least size are cut with "..." and the line still ends
    // inside the page: a 60-letter surname, a 94-letter course.
    const QString surname = "Montgomery-Featherstonehaugh-Worthington-Fitzwilliam-Smythes";
    const QString longCourse = QString("Royal Westmoreland Country Club ").repeated(3).left(94);
    rows.resize(3);
    for (GameListRow& row : rows) {
        row.text[kGlName] = surname + ", Bo";
        row.text[kGlCourse] = longCourse;
    }
    for (const dc::test::TestPaper& paper : dc::test::TestPapers()) {
        dc::RecordingPrinterPage list;
        list.SetPaper(paper.paper);
        PrintGameList(list, {surname + ", Bo", longCourse, "01/01/2026", "12/31/2026", "MM/DD/YYYY", {}}, rows);
        EXPECT_EQ(dc::test::PrintFaults(*list.Log(), paper.paper), QStringList()) << paper.name;
        const QStringList texts = list.Log()->TextsOn(1, 1);
        EXPECT_TRUE(texts.contains("Index")) << paper.name;
        EXPECT_EQ(texts.filter(QRegularExpression("^Royal Westmoreland.*[^.]\\.\\.\\.$")).size(), 3) << paper.name;
    }

    const dc::RecordingPrinterPage::Paper a4 = dc::test::TestPapers()[0].paper;
    StatsTexts s;
    s.best9Course = s.best18Course = course;
    s.games = " 80";
    dc::RecordingPrinterPage stats;
    stats.SetPaper(a4);
    PrintStats(stats, {name, "01/01/2026", "12/31/2026", {}}, s);
    EXPECT_EQ(dc::test::OutsidePrintable(*stats.Log(), a4), QStringList());
    EXPECT_EQ(dc::test::OverlappingTexts(*stats.Log()), QStringList());
}

// Two golfers whose shorter names read alike are printed apart: in the game list's rows, and in the
// heading of each one's game list and statistics (apart from every player of the club).
TEST(ReportPrintouts, LookAlikeNamesStayApart) {
    const QString surname = "Montgomery-Featherstonehaughes";
    const QStringList golfers{surname + ", Maximiliana Alexandrinaa Q", surname + ", Maximiliana Alexandrinab R"};
    std::vector<GameListRow> rows;
    for (int g = 1; g <= 24; ++g)
        rows.push_back(MakeGameListRow(Round(g, QDate(2026, 1, 1).addDays(g), Holes(5, 5)), Nine::Whole, true,
                                       {golfers[g % 2], "Pines", "", false}, "MM/DD/YYYY"));
    const auto printed = [&](const dc::RecordingPrinterPage& page) {
        QStringList names;
        for (const PrintOp& op : page.Log()->Texts())
            if (op.text.startsWith(surname)) names << op.text;
        return names;
    };
    dc::RecordingPrinterPage list;
    PrintGameList(list, {"All Players", "All Courses", "01/01/2026", "12/31/2026", "MM/DD/YYYY", golfers}, rows);
    QStringList forms = printed(list);
    EXPECT_EQ(forms.size(), 24);
    forms.removeDuplicates();
    forms.sort();
    ASSERT_EQ(forms.size(), 2) << forms.join(" / ").toStdString();
    EXPECT_TRUE(forms[0].endsWith("Q.") && forms[1].endsWith("R.")) << forms.join(" / ").toStdString();

    QStringList headings;
    for (const QString& golfer : golfers) {
        dc::RecordingPrinterPage stats, games;
        PrintStats(stats, {golfer, "01/01/2026", "12/31/2026", golfers}, StatsTexts{});
        PrintGameList(games, {golfer, "Pines", "01/01/2026", "12/31/2026", "MM/DD/YYYY", golfers}, {});
        headings << printed(stats) << printed(games);
    }
    ASSERT_EQ(headings.size(), 4);
    EXPECT_LT(headings[0].size(), golfers[0].size()) << "shortened";
    EXPECT_NE(headings[0], headings[2]);
    EXPECT_NE(headings[1], headings[3]);
}
