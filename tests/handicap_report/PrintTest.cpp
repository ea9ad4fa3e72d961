// The printed handicap report, the index list and the handicap cards: columns, lines, pages and
// documents on the recording page, a failing printer, and one real PDF of each read back.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>

#include "EngineDb.h"
#include "QStringPrint.h"
#include "handicap/HcpLookups.h"
#include "handicap/Recompute.h"
#include "handicap_report/HcpCards.h"
#include "handicap_report/HcpPrint.h"
#include "handicap_report/frmHandicap.h"
#include "platform/Database.h"
#include "platform/PrinterError.h"
#include "platform/PrinterPageFactory.h"
#include "platform/RecordingPrinterPage.h"
#include "shell/AppContext.h"
#include "tools/frmEmail.h"

namespace dc::test {
namespace {

class HcpPrint : public EngineDb {
  protected:
    void SetUp() override {
        EngineDb::SetUp();
        Ctx().sDateFormat = "MM/DD/YYYY";
        Ctx().bFlag18_9 = Ctx().bUSCAFlag = true;
    }
    void TearDown() override { SetPrinterPageFactory({}); }
    const PrintOp& Op(const QString& text) {
        const PrintOp* op = log->Find(text);
        EXPECT_TRUE(op) << text.toStdString();
        static const PrintOp none;
        return op ? *op : none;
    }
    void AddPlayers(int n) {
        for (int id = 1; id <= n; ++id) {
            AddPlayer(id);
            for (int g = 1; g <= 6; ++g) AddRound(Round(id, g, QString("2026-0%1-01").arg(g)));
            CachedHcpLookups lookups(TestDb());
            RecomputeGames(TestDb(), id, 0, 1, 6, 1, lookups, OneYearWindow().toInt());
        }
    }
    static bool HavePdfToText() { return !QStandardPaths::findExecutable("pdftotext").isEmpty(); }
    std::shared_ptr<PrintLog> log = std::make_shared<PrintLog>();
};

TEST_F(HcpPrint, IndividualReportColumnsAndLines) {
    RecordingPrinterPage page(log);
    SetUpReportPage(page);
    IndividualPrint r{"Adams, Al ", "12/06/2026", "12.9", "<2 Scores", "Pines", "White",
                      "14",         "",           false,  {},          {}};
    r.rows[0] = {"85*", "Pines", "White", "06/01/2026"};
    r.rows[1] = {"102T*", "Pines/Oaks", "White/R", "05/01/2026"};
    PrintIndividual(page, r);
    EXPECT_EQ(Op("Handicap Information for:").column, 16);
    EXPECT_EQ(Op("Adams, Al").column, 42);
    EXPECT_EQ(Op("         Index:").column, 26);
    EXPECT_EQ(Op("<2 Scores").column, 42);
    EXPECT_EQ(log->Find("Tourn. Handicap:"), nullptr);
    EXPECT_EQ(Op("85*").column, 10);
    EXPECT_EQ(Op("102T*").column, 9);
    EXPECT_EQ(Op("White/R").column, 51);
    EXPECT_EQ(Op("06/01/2026").column, 63);
    EXPECT_EQ(Op("85*").fontName, "Courier New");
    EXPECT_DOUBLE_EQ(Op("85*").fontSize, 12);
    const double line = Op("102T*").y - Op("85*").y;
    EXPECT_NEAR(Op("* Lowest Scores used to determine Handicap").y - Op("85*").y, 24 * line, 1e-9)
        << "all 23 rows, then an empty line";
    EXPECT_EQ(log->DocumentCount(), 1);
}

TEST_F(HcpPrint, IndexListPicturesAndPages) {
    struct Case {
        const char *index, *hcp, *indexShown, *hcpShown;
    } cases[] = {{"7", "5", "  7.0", "  5"},
                 {"12.3", "14", " 12.3", " 14"},
                 {"+2.3", "+3", " +2.3", " +3"},
                 {"+12.3", "+14", "+12.3", "+14"},
                 {"12.3T", "", "12.3T", ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(IndexPicture(c.index), c.indexShown);
        EXPECT_EQ(HcpPicture(c.hcp), c.hcpShown);
    }
    RecordingPrinterPage page(log);
    SetUpReportPage(page);
    IndexListPrint list{"12/06/2026", "Pines", "White", {}, {}};
    list.rows.push_back({"9.8T", "Fitzwilliam-Worthington-Smythe, Dr. Bartholomew", "11", "03/02/2026"});
    for (int i = 0; i < 70; ++i) list.rows.push_back({"7", "Player", "5", ""});
    PrintIndexList(page, list);
    EXPECT_EQ(Op("All Players").column, 42);
    EXPECT_EQ(Op("9.8T").column, 9);
    EXPECT_EQ(Op(" 11").column, 54);
    EXPECT_EQ(Op(" 11").y, Op("9.8T").y) << "a long name stays in its place";
    EXPECT_EQ(Op("Fitzwilliam-Worthington-Smythe, B.").column, 19) << "the surname and the initial";
    EXPECT_EQ(Op("  7.0").column, 9);
    EXPECT_EQ(log->DocumentCount(), 1);
    EXPECT_EQ(log->PageCount(1), 2);
    EXPECT_FALSE(log->TextsOn(1, 2).contains("Index")) << "no headings on later pages";
}

TEST_F(HcpPrint, ElevenPlayersGiveTwoCardPages) {
    AddPlayers(11);
    TestDb().Execute("INSERT INTO COURSES (COURSE_ID, COURSE_NAME) VALUES (1, 'Pines')");
    log = RecordAllPrinting([](RecordingPrinterPage& p) {
        p.SetFontList({"Arial", "Courier New", "Tahoma"});
    });
    frmHandicap screen(Ctx());
    EXPECT_EQ(screen.cboFontType->currentText(), "Courier New");
    screen.cboFontStyle->setCurrentText("Bold");
    screen.cmdHcpCards_Click();
    ASSERT_EQ(log->DocumentCount(), 1) << "one job";
    EXPECT_EQ(log->PageCount(1), 2);
    EXPECT_EQ(log->TextsOn(1, 1).count("Name:"), 10);
    const QStringList last = log->TextsOn(1, 2);
    EXPECT_EQ(last.count("Name:"), 1) << "the empty right card is left blank";
    EXPECT_EQ(last.count("Not selected"), 1);
    EXPECT_TRUE(last.contains("Index:17.2  Hcp:  Avg:90.0"));
    EXPECT_FALSE(last.contains("Index:  Hcp:  Avg:"));
    EXPECT_TRUE(last.contains("90*"));
    const PrintOp& name = Op("Name:");
    EXPECT_TRUE(name.bold);
    EXPECT_DOUBLE_EQ(name.fontSize, 12);
    EXPECT_DOUBLE_EQ(name.x, 0.875);
    EXPECT_DOUBLE_EQ(name.y, 0.5);
}

// A long name keeps to its card: shortened to the surname and the first name's initial; a long tee
// name keeps the tee and date line inside its card, on every paper; no score, five characters at the
// longest, runs into the next.
TEST_F(HcpPrint, LongTextsKeepToTheirCardsOnEveryPaper) {
    HandicapCard card;
    card.name = "Fitzwilliam-Worthington-Smythe, Dr. Bartholomew Maximilian";
    card.indexText = "12.3";
    card.scores = QStringList(20, "103T*");
    for (const TestPaper& paper : TestPapers()) {
        for (const char* tee : {"Blue", "Championship Blackxx"}) {
            SCOPED_TRACE(std::string(paper.name) + " " + tee);
            log->Clear();
            RecordingPrinterPage page(log);
            page.SetPaper(paper.paper);
            CardRun run{ClubText("Royal Fitzwilliam Golf & Country Club of Lower Fife"), tee, "12/07/2026",
                        "Courier New", false};
            PrintHandicapCards(page, {card, card, card}, run);
            EXPECT_EQ(PrintFaults(*log, paper.paper), QStringList());
            EXPECT_TRUE(log->Find("Fitzwilliam-Worthington-Smythe, B.") ||
                        log->Find("Fitzwilliam-Worthington-Smythe, B. M."));
            EXPECT_TRUE(log->Find(QString("TBox: %1  Date:12/07/2026").arg(tee))) << "the whole line";
        }
    }
}

// Two golfers whose shorter names read alike are printed apart on the cards, on each one's report
// (apart from every player of the club) and in the index list; a surname is never shortened.
TEST_F(HcpPrint, LookAlikeNamesStayApartWithTheirSurnamesWhole) {
    const QString surname = "Montgomery-Featherstonehaughes-Winterbottom-Fitzwilliamsburg";  // 60
    const QStringList golfers{surname + ", Maximiliana Alexandrinaa Q",
                              surname + ", Maximiliana Alexandrinab R"};
    const auto printedNames = [&] {
        QStringList names;
        for (const PrintOp& op : log->Texts())
            if (op.text.startsWith(surname)) names << op.text;
        return names;
    };
    for (const TestPaper& paper : TestPapers()) {
        SCOPED_TRACE(paper.name);
        log->Clear();
        RecordingPrinterPage page(log);
        page.SetPaper(paper.paper);
        HandicapCard first, second;
        first.name = golfers[0];
        second.name = golfers[1];
        PrintHandicapCards(page, {first, second}, CardRun{"Pines", "Blue", "12/07/2026", "", false});
        EXPECT_EQ(printedNames(), QStringList({surname + ", M. A. Q.", surname + ", M. A. R."}));
        EXPECT_EQ(PrintFaults(*log, paper.paper), QStringList());
    }
    QStringList reports;
    for (const QString& golfer : golfers) {
        log->Clear();
        RecordingPrinterPage page(log);
        SetUpReportPage(page);
        PrintIndividual(page,
                        {golfer, "12/06/2026", "15.6", "", "Pines", "White", "14", "", false, {}, golfers});
        reports << printedNames();
    }
    EXPECT_EQ(reports, QStringList({surname + ", M. A. Q.", surname + ", M. A. R."}));

    log->Clear();
    RecordingPrinterPage page(log);
    SetUpReportPage(page);
    const QString van = "Van der Westhuizen-Abercrombie";
    PrintIndexList(
        page, {"12/06/2026", "Pines", "White", {{"7", "Christopher Jonathan Ale " + van, "5", ""}}, {van}});
    EXPECT_TRUE(log->Find("C. " + van) || log->Find("C. J. A. " + van)) << "the surname whole";
}

TEST_F(HcpPrint, AFailingPrinterIsToldOnceAndTheEmailButtonOpensTheMailScreen) {
    AddPlayers(1);
    Ctx().nCurPlayerID = 1;
    log = RecordAllPrinting([](RecordingPrinterPage& p) { p.SetFailure(kErrPrinter, 25); });
    ScriptedMsgBox box;
    frmHandicap screen(Ctx());
    screen.cmdPrint_Click();
    EXPECT_EQ(box.Texts(), QStringList({"482 Printer Error"}));

    QString mode = "unset";
    ScriptedModal modal([&](QDialog& d) {
        if (auto* e = qobject_cast<frmEmail*>(&d)) mode = e->EmailMode();
        return 0;
    });
    screen.HC[2]->setChecked(true);
    screen.HC_Click(2);
    screen.cmdSendEmail->click();
    EXPECT_EQ(modal.Count(), 1);
    EXPECT_EQ(mode, "");
}

TEST_F(HcpPrint, EachPrintoutAsARealPdf) {
    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not available";
    AddPlayers(2);
    Ctx().nCurPlayerID = 1;
    ScriptedMsgBox box;
    frmHandicap screen(Ctx());
    const QString pdf = qEnvironmentVariable("DC_PRINT_PDF");
    auto printed = [&](const std::function<void()>& print) {
        QFile::remove(pdf);
        print();
        return PdfText(pdf);
    };
    QString text = printed([&] { screen.cmdPrint_Click(); });
    EXPECT_TRUE(text.contains("Handicap Information for:")) << text.toStdString();
    EXPECT_TRUE(text.contains("* Lowest Scores used to determine Handicap"));
    EXPECT_TRUE(text.contains("90*"));
    screen.HC[3]->setChecked(true);
    screen.HC_Click(3);
    text = printed([&] { screen.cmdPrint_Click(); });
    EXPECT_TRUE(text.contains("All Players")) << text.toStdString();
    EXPECT_TRUE(text.contains(" 17.2      Test Player1")) << text.toStdString();
    text = printed([&] { screen.cmdHcpCards_Click(); });
    EXPECT_TRUE(text.contains("Name:")) << text.toStdString();
    EXPECT_TRUE(text.contains("Index:17.2")) << text.toStdString();
    EXPECT_EQ(box.Count(), 0) << box.Last().toStdString();
}

}  // namespace
}  // namespace dc::test
