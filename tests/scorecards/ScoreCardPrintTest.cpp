// The printed score cards on the recording printer page (pages, halves, positions, totals, marks,
// statistics rows, offsets), the tee-box texts of a course, and one real PDF read back.
#include <gtest/gtest.h>

#include <QFile>
#include <QStandardPaths>

#include "QStringPrint.h"
#include "TestSupport.h"
#include "platform/PrintLog.h"
#include "platform/QtPrinterPage.h"
#include "platform/RecordingPrinterPage.h"
#include "scorecards/ScoreCardPrint.h"

using namespace dc;

namespace {

ScoreCardJob Job(int cards, int perCard = 1) {
    ScoreCardJob job;
    job.courseName = "Pine Ridge";
    job.date = "06/15/2026";
    job.menTee = "  Blue";
    job.womenTee = "Red  ";
    QString men, women;
    for (int j = 1; j <= 18; ++j) {
        men += QString("%1").arg(19 - j, 2, 10, QChar('0'));
        women += QString("%1").arg(j, 2, 10, QChar('0'));
    }
    job.tees.menHcps = men;
    job.tees.womenHcps = women;
    job.tees.menPars = job.tees.womenPars = QString(18, '4');
    job.tees.menYards = QString("400").repeated(18);
    job.tees.womenYards = QString("300").repeated(18);
    for (int c = 1; c <= cards; ++c)
        job.cards.push_back({{QString("Player %1").arg(c), c % 2 ? "M" : "F", QString::number(c)}});
    job.perCard = perCard;
    return job;
}

// The recording page with a printable height that keeps the women's handicap row of a bottom card.
RecordingPrinterPage Page() {
    RecordingPrinterPage page;
    RecordingPrinterPage::Paper paper;
    paper.marginLeftTwips = paper.marginRightTwips = 180;
    paper.marginTopTwips = paper.marginBottomTwips = 180;
    page.SetPaper(paper);
    return page;
}

const PrintOp* TextAt(const PrintLog& log, const QString& text, int nth = 0) {
    for (const PrintOp& op : log.ops)
        if (op.kind == PrintOp::Text && op.text == text && nth-- == 0) return &op;
    return nullptr;
}

int CountOf(const PrintLog& log, const QString& text) {
    int n = 0;
    for (const PrintOp& op : log.Texts()) n += op.text == text;
    return n;
}

}  // namespace

TEST(ScoreCardPrint, CardsAlternateHalvesTwoToAPageWithoutAnEmptyLastPage) {
    struct Case {
        int cards;
        bool bottom;
        int printed, pages;
    };
    for (const Case c : {Case{3, false, 4, 2}, Case{1, false, 1, 1}, Case{1, true, 1, 1},
                         Case{2, false, 2, 1}, Case{5, false, 6, 3}}) {
        RecordingPrinterPage page = Page();
        ScoreCardJob job = Job(c.cards);
        job.startAtBottom = c.bottom;
        PrintScoreCards(page, job);
        const PrintLog& log = *page.Log();
        EXPECT_EQ(log.DocumentCount(), 1);
        EXPECT_EQ(log.PageCount(1), c.pages) << c.cards;
        EXPECT_EQ(CountOf(log, "Pine Ridge"), c.printed) << c.cards;
        const PrintOp* first = TextAt(log, "Pine Ridge");
        ASSERT_TRUE(first);
        EXPECT_DOUBLE_EQ(first->y, c.bottom ? 540 + 5960 : 540);
        EXPECT_EQ(first->orientation, kLandscape);
    }
    RecordingPrinterPage page = Page();
    PrintScoreCards(page, Job(3));
    const QStringList second = page.Log()->TextsOn(1, 2);
    EXPECT_TRUE(second.contains("Player 3"));
    EXPECT_EQ(second.count("Hole"), 2) << "the added fourth card has its header and tee rows";
    EXPECT_EQ(second.count("Handicap"), 4);
}

TEST(ScoreCardPrint, OneCardsLayoutTotalsAndMarks) {
    RecordingPrinterPage page = Page();
    ScoreCardJob job = Job(1, 2);
    job.cards[0] = {{"Man, Five", "M", "5"}, {" Woman, Plus ", "F", "-+2 T"}};
    job.statRows = {false, false, true, false};
    job.offsetXInches = 0.5;
    job.offsetYInches = 0.25;
    PrintScoreCards(page, job);
    const PrintLog& log = *page.Log();
    const double dx = 720, dy = 360;

    const PrintOp* scorer = TextAt(log, "Scorer");
    ASSERT_TRUE(scorer);
    EXPECT_DOUBLE_EQ(scorer->x, 6750 - dx);
    EXPECT_DOUBLE_EQ(scorer->y, 400 - dy);
    EXPECT_EQ(scorer->fontSize, 8);
    const PrintOp* date = TextAt(log, "06/15/2026");
    ASSERT_TRUE(date);
    page.SetFontSize(14);
    EXPECT_DOUBLE_EQ(date->x + page.TextWidth("06/15/2026"), 14980 - dx) << "right-aligned on the grid";
    EXPECT_EQ(date->fontSize, 14);

    auto rowOf = [&](const PrintOp* op) { return static_cast<int>((op->y + dy - 1080) / 360); };
    auto colOf = [&](const PrintOp* op) { return static_cast<int>((op->x + dx - 3220) / 560); };
    const PrintOp* in = TextAt(log, "IN");
    ASSERT_TRUE(in);
    EXPECT_EQ(colOf(in), 9);
    EXPECT_EQ(colOf(TextAt(log, "OUT")), 19);
    EXPECT_EQ(TextAt(log, "3600")->y, TextAt(log, "400")->y) << "men's yards total in the yards row";
    EXPECT_TRUE(TextAt(log, "7200"));
    EXPECT_TRUE(TextAt(log, "5400")) << "women's yards total";
    EXPECT_EQ(CountOf(log, "36"), 4) << "nine-hole par totals of both pars rows";
    EXPECT_EQ(CountOf(log, "72"), 2);

    EXPECT_EQ(rowOf(TextAt(log, "Blue")), 2) << "tee names are trimmed";
    EXPECT_EQ(rowOf(TextAt(log, "Red")), 11);
    const PrintOp* man = TextAt(log, "Man, Five");
    ASSERT_TRUE(man);
    EXPECT_DOUBLE_EQ(man->x, 800 - dx);
    EXPECT_EQ(rowOf(man), 4);
    EXPECT_EQ(rowOf(TextAt(log, "Woman, Plus")), 5);
    EXPECT_EQ(rowOf(TextAt(log, "Sand Saves")), 6) << "the only statistics row ticked";
    EXPECT_FALSE(TextAt(log, "Putts"));

    EXPECT_EQ(CountOf(log, "*"), 5);
    const PrintOp* star = TextAt(log, "*");
    EXPECT_DOUBLE_EQ(star->y, 1080 + 4 * 360 - dy) << "a mark's top is the row's top";
    EXPECT_EQ(colOf(star), 14) << "hole 14 has men's hole handicap 5";
    EXPECT_EQ(CountOf(log, "+1"), 2);
    EXPECT_EQ(colOf(TextAt(log, "+1")), 17) << "women's holes 17 and 18 have the highest hole handicaps";
}

TEST(ScoreCardPrint, TeeTextsOfACourseAndStatisticsRowsWithFullCards) {
    PackedCourse course;
    course.MPARS = QString(18, '4') + QString(18, '3');
    course.WPARS = course.MPARS;
    course.YARDS = QString("400").repeated(18) + QString("100").repeated(9);  // slot 1 is short
    const TeeTexts t = FindParHcpHoleYard(course, 1, 0);
    EXPECT_EQ(t.menPars, QString(18, '3'));
    EXPECT_EQ(t.womenPars, QString(18, '4'));
    EXPECT_EQ(t.menYards, QString("100").repeated(9));
    EXPECT_EQ(t.menHcps, "");

    RecordingPrinterPage page = Page();
    ScoreCardJob job = Job(1, 3);
    job.tees = t;
    job.statRows = {true, true, true, true};
    PrintScoreCards(page, job);
    EXPECT_FALSE(TextAt(*page.Log(), "Putts")) << "no statistics rows with three or four to a card";
    EXPECT_EQ(CountOf(*page.Log(), "100"), 9);
    EXPECT_EQ(CountOf(*page.Log(), "900"), 2) << "the short slot's holes count 0";
    EXPECT_FALSE(TextAt(*page.Log(), "*")) << "no hole handicaps, no marks";
}

// Two cards fit a landscape page of A4 and of Letter inside a quarter-inch printable area, with the
// screen's offsets; cards are made smaller only where they must.
TEST(ScoreCardPrint, TwoCardsFitLetterAndA4InsideTheMargins) {
    const struct {
        const char* paper;
        double width, height, margin, offsetX, offsetY;
        bool scaled;
    } cases[] = {{"Letter", 12240, 15840, 360, 0, 0, true},
                 {"A4", 11906, 16838, 360, 0, 0, true},
                 {"A4 with offsets", 11906, 16838, 360, 0.1, 0.1, true},
                 {"Letter, small edges", 12240, 15840, 180, 0, 0, false}};
    for (const auto& c : cases) {
        RecordingPrinterPage page;
        RecordingPrinterPage::Paper paper;
        paper.widthTwips = c.width;
        paper.heightTwips = c.height;
        paper.marginLeftTwips = paper.marginRightTwips = paper.marginTopTwips = paper.marginBottomTwips =
            c.margin;
        page.SetPaper(paper);
        ScoreCardJob job = Job(2);
        job.offsetXInches = c.offsetX;
        job.offsetYInches = c.offsetY;
        PrintScoreCards(page, job);
        EXPECT_EQ(test::OutsidePrintable(*page.Log(), paper), QStringList()) << c.paper;
        EXPECT_EQ(CountOf(*page.Log(), "Handicap"), 4) << c.paper;
        EXPECT_EQ(CountOf(*page.Log(), "18"), 6) << c.paper << ": hole 18 and both handicap rows, twice";
        EXPECT_EQ(TextAt(*page.Log(), "Pine Ridge")->fontSize < 14, c.scaled) << c.paper;
    }
}

// The offsets the labels suggest can push the cards off the printable area, past any one of its
// edges: the check says so, as the printout shows, and names offsets that bring them back, which
// then print inside. One card covers only its half of the page. (Letter with 0.5" edges leaves two
// cards 0.43" to the right, 0.45" to the left, 0.26" above and 0.01" below.)
TEST(ScoreCardPrint, TheAreaCheckFindsCardsTheOffsetsPushOutAndOffsetsThatBringThemIn) {
    const RecordingPrinterPage::Paper letter = test::TestPapers()[3].paper;  // Letter, 0.5" edges
    // Whether the check finds the cards inside, and whether the printout keeps them inside.
    const auto checkAndPrint = [&](const ScoreCardJob& job) {
        RecordingPrinterPage page;
        page.SetPaper(letter);
        const CardAreaCheck check = CheckCardArea(page, job);
        PrintScoreCards(page, job);
        return std::pair{check, test::OutsidePrintable(*page.Log(), letter).isEmpty()};
    };
    const struct {
        const char* edge;
        double x, y;
        int cards;
        bool atBottom, out;
    } cases[] = {
        {"right", -0.5, 0, 2, false, true},
        {"left", 0.5, 0, 2, false, true},
        {"top", 0, 0.3, 2, false, true},
        {"bottom", 0, -0.05, 2, false, true},
        {"right and bottom", -0.2, -0.164, 2, false, true},
        {"one card on top, up", 0, 0.3, 1, false, true},
        {"one card below, down", 0, -0.05, 1, true, true},
        {"one card below, up 3 inches", 0, 3, 1, true, false},
    };
    for (const auto& c : cases) {
        ScoreCardJob job = Job(c.cards);
        job.startAtBottom = c.atBottom;
        job.offsetXInches = c.x;
        job.offsetYInches = c.y;
        const auto [check, printedInside] = checkAndPrint(job);
        EXPECT_EQ(check.inside, !c.out) << c.edge;
        EXPECT_EQ(printedInside, !c.out) << c.edge;
        if (!c.out) continue;
        ASSERT_TRUE(check.canFit) << c.edge;
        job.offsetXInches = check.xOffset;
        job.offsetYInches = check.yOffset;
        const auto [back, backInside] = checkAndPrint(job);
        EXPECT_TRUE(back.inside) << c.edge;
        EXPECT_TRUE(backInside) << c.edge;
    }
}

// A long name stays in the label column, clear of the stroke marks of the first holes.
TEST(ScoreCardPrint, ALongNameStaysClearOfTheStrokeMarks) {
    RecordingPrinterPage page = Page();
    ScoreCardJob job = Job(2);
    job.courseName = "Royal Fitzwilliam-Worthington Golf & Country Club of the Pines";
    job.cards[0][0] = {"Fitzwilliam-Worthington-Smythe, Dr. Bartholomew Maximilian", "M", "18"};
    // Two names that shorten alike, on different cards of the job, are kept apart.
    job.cards[1][0] = {"Montgomery-Featherstonehaughes, Maximiliana Q", "F", "9"};
    job.cards.push_back({{"Montgomery-Featherstonehaughes, Maximiliana R", "F", "9"}});
    // Names differing in their last letter keep it visible.
    job.cards.push_back({{"Winterbottom-Featherstonehaugh, Christopher Jonathan Aaa ", "M", "9"},
                         {"Winterbottom-Featherstonehaugh, Christopher Jonathan Aab ", "M", "9"}});
    // 60-letter surnames too long for the label column even at the least size keep their ends.
    const QString sixty = "Featherstonehaughes-Montgomery-Winterbottom-Fitzwilliamsburg";
    job.cards.push_back({{sixty + ", Bartholomew A", "M", "9"}, {sixty + ", Bartholomew B", "M", "9"}});
    PrintScoreCards(page, job);
    EXPECT_EQ(test::OverlappingTexts(*page.Log()), QStringList());
    QStringList names;
    for (const PrintOp& op : page.Log()->Texts())
        if (op.text.startsWith("Fitzwilliam") || op.text.startsWith("Montgomery")) names << op.text;
    ASSERT_EQ(names.size(), 3);
    EXPECT_TRUE(names[0].endsWith(", B.")) << names[0].toStdString();
    EXPECT_EQ(names[1], "Montgomery-Featherstonehaughes, M. Q.");
    EXPECT_EQ(names[2], "Montgomery-Featherstonehaughes, M. R.");
    QStringList last;
    for (const PrintOp& op : page.Log()->Texts())
        if (op.text.startsWith("Winterbottom")) last << op.text;
    ASSERT_EQ(last.size(), 2);
    EXPECT_TRUE(last[0].endsWith(" Aaa") && last[1].endsWith(" Aab")) << last.join(" / ").toStdString();
    QStringList sixties;
    for (const PrintOp& op : page.Log()->Texts())
        if (op.text.startsWith("Featherstonehaughes-")) sixties << op.text;
    ASSERT_EQ(sixties.size(), 2);
    EXPECT_TRUE(sixties[0].endsWith("burg, B. A.") && sixties[1].endsWith("burg, B. B."))
        << sixties.join(" / ").toStdString();
}

TEST(ScoreCardPrint, MarginDiagnosticAndPageOrigin) {
    RecordingPrinterPage page;
    RecordingPrinterPage::Paper paper;  // 0.25 inch left and right
    paper.marginTopTwips = paper.marginBottomTwips = 0.13 * 1440;
    page.SetPaper(paper);
    EXPECT_EQ(MarginDiagnostic(page), "0.13 - 0.25");
    SetPrinterOrigin(page, 0.5, 0.25);
    page.SetCurrentX(0);
    page.SetCurrentY(0);
    page.Print("origin");
    const PrintOp* op = TextAt(*page.Log(), "origin");
    ASSERT_TRUE(op);
    EXPECT_DOUBLE_EQ(op->xTwips, 0.25 * 1440) << "half an inch from the paper's edge";
    EXPECT_DOUBLE_EQ(op->yTwips, 0.12 * 1440);
}

TEST(ScoreCardPrint, ThreeCardsAsARealPdf) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "pdftotext is not available";
    const QString pdf = qEnvironmentVariable("DC_PRINT_PDF");
    QFile::remove(pdf);
    {
        QtPrinterPage page;
        PrintScoreCards(page, Job(3));
    }
    const QString text = test::PdfText(pdf);
    EXPECT_EQ(text.count("Pine Ridge"), 4) << text.toStdString();
    EXPECT_EQ(text.count('\f'), 2) << "two pages";
    EXPECT_TRUE(text.contains("Player 3"));
    EXPECT_TRUE(text.contains("Scorer"));
    EXPECT_TRUE(text.contains("TOT"));
}
