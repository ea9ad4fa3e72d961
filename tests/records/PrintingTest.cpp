// The printed player list and the mailing labels: positions, offsets, fonts, sheets and documents
// on the recording printer page, the label texts, the offset boxes, and one real PDF of each
// printout read back with pdftotext.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>

#include "QStringPrint.h"
#include "TestSupport.h"
#include "platform/Database.h"
#include "platform/MsgBox.h"
#include "platform/PrinterError.h"
#include "platform/PrinterPageFactory.h"
#include "platform/RecordingPrinterPage.h"
#include "platform/Spread.h"
#include "records/MailingLabels.h"
#include "records/frmMailingLabels.h"
#include "records/frmPlayers.h"
#include "shell/AppContext.h"

namespace dc {
namespace {

class PrintingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.OpenDatabase();
        TestDb().Execute("UPDATE SETUP SET XOFFSET=0, YOFFSET=0");
    }
    void TearDown() override { SetPrinterPageFactory({}); }
    void Add(int id, const QString& last, const QString& first, const QString& city = "Boston",
             const QString& zip = "02101") {
        TestDb().Execute(
            "INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME, GENDER, SALUTATION, ADDRESS1, CITY, "
            "STATE, ZIP, "
            "HOME_PHONE, OTHER_PHONE, EMAIL) VALUES (?,?,?,'M','Mr.','1 Main "
            "St',?,'MA',?,'555-1','555-2','a@b.c')",
            {id, last, first, city, zip});
    }
    void AddMany(int n) {
        for (int i = 1; i <= n; ++i) Add(i, QString("Name%1").arg(i, 2, 10, QChar('0')), "F");
    }
    // Texts printed, with their documents and positions in twips.
    std::vector<PrintOp> Printed() const {
        std::vector<PrintOp> texts;
        for (const PrintOp& op : log->Texts())
            if (!op.text.isEmpty()) texts.push_back(op);
        return texts;
    }
    static QString PdfPath() { return qEnvironmentVariable("DC_PRINT_PDF"); }
    static bool HavePdfToText() { return !QStandardPaths::findExecutable("pdftotext").isEmpty(); }

    test::ProgramFolder folder;
    std::shared_ptr<PrintLog> log;
};

}  // namespace

// ---------------------------------------------------------------- player list

TEST_F(PrintingTest, PlayerListFollowsTheGridWithOffsetsInLandscape) {
    Add(1, "Able", "Ann", "Boston");
    Add(2, "Baker", "Bob", "Chicago");
    TestDb().Execute("UPDATE SETUP SET XOFFSET=0.25, YOFFSET=0.25");
    TestDb().Execute("UPDATE PLAYERS SET EMAIL='', HOME_PHONE='' WHERE PLAYER_ID=1");
    log = RecordAllPrinting();
    frmPlayers form(Ctx());
    form.spPlayers_Click(5, 0);  // City, descending
    form.cmdPrint_Click();
    EXPECT_EQ(log->DocumentCount(), 1);
    const PrintOp* heading = log->Find("Player Name");
    ASSERT_TRUE(heading);
    EXPECT_DOUBLE_EQ(heading->x, 700 - 360);
    EXPECT_DOUBLE_EQ(heading->y, 540 - 360);
    EXPECT_TRUE(heading->underline);
    EXPECT_EQ(heading->orientation, kLandscape);
    EXPECT_DOUBLE_EQ(heading->fontSize, 10);
    EXPECT_DOUBLE_EQ(test::Printed(*log, "M/F").x, 3040 - 360);
    EXPECT_DOUBLE_EQ(test::Printed(*log, "St/Prov").x, 7900 - 360);
    EXPECT_DOUBLE_EQ(test::Printed(*log, "Email").x, 11500 - 360);
    EXPECT_EQ(log->Find("555-2"), nullptr) << "the other phone is not printed";

    const PrintOp* first = log->Find("Baker, Bob");
    const PrintOp* second = log->Find("Able, Ann");
    ASSERT_TRUE(first && second);
    EXPECT_LT(first->y, second->y) << "the grid's sorted order";
    EXPECT_GT(first->y, heading->y);
    EXPECT_FALSE(first->underline);
    EXPECT_DOUBLE_EQ(test::Printed(*log, "Chicago").y, first->y);
    EXPECT_DOUBLE_EQ(test::Printed(*log, "Chicago").x, 6100 - 360);
    int onAbleLine = 0;
    for (const PrintOp& op : Printed()) onAbleLine += op.y == second->y;
    EXPECT_EQ(onAbleLine, 6) << "no e-mail and no home phone: those places stay empty";
}

// A long name never runs into the next column or label: the player list keeps the surname and the
// first name's initial; a label is printed smaller with every line whole, the zip line too, its name
// shortened first.
TEST_F(PrintingTest, LongNamesAndAddressesNeverOverprint) {
    const QString last = "Fitzwilliam-Worthington-Smythe";
    Add(1, last, "Dr. Bartholomew Maximilian", "Fitzwilliamsburg-on-the-Sea");
    Add(2, "Baker", "Bob", "Chicago");
    TestDb().Execute("UPDATE PLAYERS SET EMAIL='bartholomew.maximilian.fitzwilliam@example.org'");
    log = RecordAllPrinting();
    {
        frmPlayers form(Ctx());
        form.cmdPrint_Click();
    }
    QString printed;
    for (const PrintOp& op : Printed())
        if (op.text.startsWith(last)) printed = op.text;
    EXPECT_EQ(printed, last + ", B.");
    EXPECT_EQ(test::OverlappingTexts(*log), QStringList());
    EXPECT_EQ(test::OutsidePrintable(*log, RecordingPrinterPage::Paper{}), QStringList());

    const QString zipLine = "Fitzwilliamsburg-on-the-Sea, MA  02101-1234";
    const LabelText label{
        {"Dr. Bartholomew Maximilian " + last, "1234 Long Address Lane, Apartment 56", "", zipLine}, last};
    for (const int across : {3, 2}) {
        RecordingPrinterPage page;
        LabelPrintSetup setup;
        setup.across = across;
        PrintLabels(page, {label, label, label, LabelText{{"B", "", "", "02101"}, "B"}}, setup);
        const PrintOp* zip = page.Log()->Find(zipLine);
        ASSERT_TRUE(zip) << across;
        EXPECT_LT(zip->fontSize, 12) << across;
        EXPECT_DOUBLE_EQ(test::Printed(*page.Log(), "02101").fontSize, 12)
            << "a label that fits keeps its size";
        int whole = 0;
        for (const PrintOp& op : page.Log()->Texts()) whole += op.text.endsWith(" " + last);
        EXPECT_EQ(whole, 3) << across << ": every label's name keeps its surname, the third column's too";
        EXPECT_EQ(test::OverlappingTexts(*page.Log()), QStringList()) << across;
        EXPECT_EQ(test::OutsidePrintable(*page.Log(), RecordingPrinterPage::Paper{}), QStringList())
            << across;
    }
}

// Two editor-length names that differ in their last letter print apart, that letter visible.
TEST_F(PrintingTest, LookAlikeNamesStayApartOnThePlayerList) {
    const QString last = "Montgomery-Featherstonehaughes";  // as long as the editor takes
    Add(1, last, "Christopher Jonathan Aaa");
    Add(2, last, "Christopher Jonathan Aab");
    log = RecordAllPrinting();
    {
        frmPlayers form(Ctx());
        form.cmdPrint_Click();
    }
    QStringList printed;
    for (const PrintOp& op : Printed())
        if (op.text.startsWith(last)) printed << op.text;
    printed.sort();
    ASSERT_EQ(printed.size(), 2);
    EXPECT_TRUE(printed[0].endsWith(" Aaa") && printed[1].endsWith(" Aab")) << printed.join(" / ").toStdString();
}

TEST_F(PrintingTest, PlayerListWithoutRowsOrSetupAndOverSeveralSheets) {
    TestDb().Execute("DELETE FROM SETUP");
    log = RecordAllPrinting();
    {
        frmPlayers form(Ctx());
        form.cmdPrint_Click();
    }
    EXPECT_EQ(log->DocumentCount(), 1);
    EXPECT_EQ(Printed().size(), 8u) << "the heading line only";
    EXPECT_DOUBLE_EQ(test::Printed(*log, "Player Name").x, 700);
    EXPECT_DOUBLE_EQ(test::Printed(*log, "Player Name").y, 540);

    log->Clear();
    AddMany(60);
    frmPlayers form(Ctx());
    form.cmdPrint_Click();
    EXPECT_EQ(log->DocumentCount(), 1);
    ASSERT_GE(log->PageCount(1), 2);
    EXPECT_TRUE(log->TextsOn(1, 2).contains("Player Name")) << "the heading again on the next sheet";
    int rows = 0;
    for (const PrintOp& op : Printed()) {
        rows += op.text.startsWith("Name");
        EXPECT_LT(op.yTwips, 12240 - 720) << "every line on its sheet";
    }
    EXPECT_EQ(rows, 60);
}

TEST_F(PrintingTest, PlayerListAsARealPdf) {
    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not available";
    Add(1, "Smith", "John");
    QFile::remove(PdfPath());
    frmPlayers form(Ctx());
    test::ScriptedMsgBox box;
    form.cmdPrint_Click();
    EXPECT_EQ(box.Count(), 0);
    const QString text = test::PdfText(PdfPath());
    EXPECT_TRUE(text.contains("Player Name")) << text.toStdString();
    EXPECT_TRUE(text.contains("Smith, John")) << text.toStdString();
    EXPECT_TRUE(text.contains("St/Prov"));
}

// ---------------------------------------------------------------- mailing labels

TEST(LabelText, LinesMoveUpOnlyForAnEmptySecondAddress) {
    PlayerRec p;
    p.SALUTATION = "Mr.";
    p.FIRST_NAME = "John";
    p.LAST_NAME = "Smith";
    p.ADDRESS1 = "1 Main St";
    p.CITY = "Boston";
    p.STATE = "MA";
    p.ZIP = "02101";
    using Lines = std::array<QString, 4>;
    EXPECT_EQ(LabelLines(p).lines, (Lines{"Mr. John Smith", "1 Main St", "Boston, MA  02101", ""}));
    p.ADDRESS2 = "Apt 4";
    EXPECT_EQ(LabelLines(p).lines, (Lines{"Mr. John Smith", "1 Main St", "Apt 4", "Boston, MA  02101"}));
    p.ADDRESS1 = "";
    EXPECT_EQ(LabelLines(p)[1], "") << "an empty first address moves nothing up";
    p.CITY = p.STATE = p.ZIP = " ";
    EXPECT_EQ(LabelLines(p)[3], "") << "no lone comma";
    p.SALUTATION = "";
    p.FIRST_NAME = "";
    EXPECT_EQ(LabelLines(p)[0], "  Smith") << "blanks inside stay; the print trims the ends";

    EXPECT_EQ(OffsetBoxText(0.047), ".047");
    EXPECT_EQ(OffsetBoxText(1.5), "1.500");
    EXPECT_EQ(OffsetBoxText(0), ".000");
    EXPECT_EQ(OffsetSqlText(0.25), "0.250");
    EXPECT_DOUBLE_EQ(OffsetValue(".047x"), 0.047);
    EXPECT_DOUBLE_EQ(OffsetValue("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(OffsetValue(""), 0);
    EXPECT_DOUBLE_EQ(OffsetValue("-.2"), -0.2);
    EXPECT_EQ(OffsetBoxText(-0.2), "-.200");
}

TEST_F(PrintingTest, LabelScreenLoadsFontsAndOffsetsAndFiltersKeys) {
    TestDb().Execute("UPDATE SETUP SET XOFFSET=0.047, YOFFSET=1.5");
    log = RecordAllPrinting([](RecordingPrinterPage& page) {
        page.SetFontList({"Times", "Courier New", "Arial Narrow", "Arial", " "});
    });
    frmMailingLabels form(Ctx());
    EXPECT_EQ(form.windowTitle(), "Print Player Mailing Labels");
    EXPECT_EQ(form.cboFontType->count(), 4);
    EXPECT_EQ(form.cboFontType->currentText(), "Arial");
    EXPECT_EQ(form.cboFontStyle->currentText(), "Regular");
    EXPECT_EQ(form.txtXOffset->text(), ".047");
    EXPECT_EQ(form.txtYOffset->text(), "1.500");
    EXPECT_TRUE(form.optStyle_2->isChecked());
    EXPECT_TRUE(form.optSort_1->isChecked());
    form.txtXOffset->clear();
    form.txtXOffset->setFocus();
    for (char c : QByteArray("a.-5x")) QTest::keyClick(form.txtXOffset, c);
    EXPECT_EQ(form.txtXOffset->text(), ".5");
}

TEST_F(PrintingTest, LabelsTwoAcrossSheetsPagesAndOffsets) {
    AddMany(25);
    log = RecordAllPrinting([](RecordingPrinterPage& page) { page.SetFontList({"Arial", "Courier New"}); });
    frmMailingLabels form(Ctx());
    form.optStyle_1->setChecked(true);
    form.cboFontStyle->setCurrentText("Bold");
    form.txtXOffset->setText(".047");
    form.txtYOffset->setText(".25");
    form.cmdPrint_Click();
    EXPECT_NEAR(TestDb().Scalar("SELECT XOFFSET FROM SETUP").toDouble(), 0.047, 1e-9);
    EXPECT_NEAR(TestDb().Scalar("SELECT YOFFSET FROM SETUP").toDouble(), 0.25, 1e-9);

    EXPECT_EQ(log->DocumentCount(), 1) << "one job";
    EXPECT_EQ(log->PageCount(1), 2) << "a page per sheet";
    const PrintOp* first = log->Find("Mr. F Name01");
    ASSERT_TRUE(first);
    EXPECT_NEAR(first->x, 432 - 67.68 - 360, 1e-6) << "from the paper's edge";
    EXPECT_NEAR(first->y, 864 - 360 - 360, 1e-6);
    EXPECT_EQ(first->fontName, "Arial");
    EXPECT_TRUE(first->bold);
    EXPECT_DOUBLE_EQ(first->fontSize, 12);
    EXPECT_EQ(first->orientation, kPortrait);
    const PrintOp* right = log->Find("Mr. F Name02");
    EXPECT_NEAR(right->x, 6480 - 67.68 - 360, 1e-6);
    EXPECT_NEAR(right->y, first->y, 1e-6);
    EXPECT_NEAR(test::Printed(*log, "Mr. F Name03").y, 864 + 1440 - 720, 1e-6);
    const PrintOp* address = log->Find("1 Main St");
    EXPECT_GT(address->y, first->y);
    EXPECT_EQ(test::Printed(*log, "Boston, MA  02101").page, 1);
    EXPECT_EQ(test::Printed(*log, "Mr. F Name20").page, 1);

    // The second sheet starts at the top again, row after row.
    const PrintOp* next = log->Find("Mr. F Name21");
    ASSERT_TRUE(next);
    EXPECT_EQ(next->page, 2);
    EXPECT_NEAR(next->y, 864 - 720, 1e-6);
    EXPECT_NEAR(test::Printed(*log, "Mr. F Name23").y, 864 + 1440 - 720, 1e-6);
    EXPECT_NEAR(test::Printed(*log, "Mr. F Name25").y, 864 + 2 * 1440 - 720, 1e-6);
    EXPECT_NEAR(test::Printed(*log, "Mr. F Name25").x, 432 - 67.68 - 360, 1e-6);
}

// On a printer with half-inch edges the first row and the left column of the stock fall outside
// what it prints: the golfer is told which, and the offsets that bring them in, and may go back.
TEST_F(PrintingTest, LabelsOutsideThePrintableAreaAreToldBeforePrinting) {
    AddMany(20);
    const RecordingPrinterPage::Paper letterHalfInch = test::TestPapers()[3].paper;
    log = RecordAllPrinting([&](RecordingPrinterPage& page) {
        page.SetFontList({"Arial"});
        page.SetPaper(letterHalfInch);
    });
    frmMailingLabels form(Ctx());
    form.optStyle_1->setChecked(true);
    form.txtXOffset->setText(".047");
    form.txtYOffset->setText(".25");
    test::ScriptedMsgBox boxes({vbNo, vbYes});
    form.cmdPrint_Click();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(
        boxes.Last(),
        "Some label text falls outside the area this printer prints (0.50\" to 8.00\" from the left edge, "
        "0.50\" to 10.50\" from the top): row 1 of each sheet and column 1.\n\n"
        "An x-offset of -.200 and a y-offset of .100 would bring every label inside (the score cards "
        "print with the same offsets and move with them).\n\n"
        "Print the labels anyway? (No goes back to the printer offsets.)");
    EXPECT_EQ(boxes.Styles().back(), vbYesNo + vbQuestion);
    EXPECT_EQ(log->DocumentCount(), 0) << "No: back to the offsets";
    form.cmdPrint_Click();
    EXPECT_EQ(log->DocumentCount(), 1) << "Yes: printed as asked";

    // The offsets it names: a minus sign can be typed in front; then nothing is said.
    log->Clear();
    form.txtXOffset->clear();
    form.txtXOffset->setFocus();
    for (char c : QByteArray("-.2-")) QTest::keyClick(form.txtXOffset, c);
    EXPECT_EQ(form.txtXOffset->text(), "-.2");
    form.txtYOffset->setText(".1");
    form.cmdPrint_Click();
    EXPECT_EQ(boxes.Count(), 2);
    EXPECT_EQ(log->DocumentCount(), 1);
    EXPECT_EQ(test::PrintFaults(*log, letterHalfInch), QStringList());
}

// The offsets the check names bring every label of 2 and 3 across inside A4 and Letter with
// quarter- and half-inch edges, long lines printed smaller and whole.
TEST_F(PrintingTest, TheNamedOffsetsFitEveryPaper) {
    std::vector<LabelText> labels(
        25, LabelText{{"Dr. Bartholomew Maximilian Fitzwilliam-Worthington", "1234 Long Country Club Road",
                       "Apartment 56", "Saint Andrews-by-the-Sea, NB  E5B 1A1"},
                      "Fitzwilliam-Worthington"});
    for (const test::TestPaper& paper : test::TestPapers()) {
        for (int across : {2, 3}) {
            SCOPED_TRACE(std::string(paper.name) + " across " + std::to_string(across));
            RecordingPrinterPage page;
            page.SetPaper(paper.paper);
            LabelPrintSetup setup{across, 0.047, 0.25, "Arial", false};
            const LabelAreaCheck check = CheckLabelArea(page, labels, setup);
            ASSERT_TRUE(check.canFit);
            setup.xOffsetInches = check.xOffset;
            setup.yOffsetInches = check.yOffset;
            EXPECT_TRUE(CheckLabelArea(page, labels, setup).Inside());
            PrintLabels(page, labels, setup);
            EXPECT_EQ(test::PrintFaults(*page.Log(), paper.paper), QStringList());
            EXPECT_EQ(page.Log()->Texts().size(), labels.size() * 4) << "every line whole";
        }
    }
}

// Labels follow the chosen order: by last name, or by zip code. The players' keys, names and zip
// codes each give a different order, and every label's first line is salutation, first, last.
TEST_F(PrintingTest, LabelsInLastNameOrZipOrder) {
    Add(1, "Cole", "Cy", "Atlanta", "30301");
    Add(2, "Able", "Al", "Beverly Hills", "90210");
    Add(3, "Baker", "Bo", "Boston", "02101");
    const struct {
        bool byZip;
        QStringList names;
    } cases[] = {{false, {"Mr. Al Able", "Mr. Bo Baker", "Mr. Cy Cole"}},
                 {true, {"Mr. Bo Baker", "Mr. Cy Cole", "Mr. Al Able"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.byZip);
        log = RecordAllPrinting([](RecordingPrinterPage& page) { page.SetFontList({"Arial"}); });
        frmMailingLabels form(Ctx());
        (c.byZip ? form.optSort_2 : form.optSort_1)->setChecked(true);
        form.optStyle_2->setChecked(true);  // three across: one row
        form.cmdPrint_Click();
        std::vector<std::pair<double, QString>> firstLines;
        for (const PrintOp& op : Printed())
            if (op.text.startsWith("Mr. ")) firstLines.push_back({op.y * 100000 + op.x, op.text});
        std::sort(firstLines.begin(), firstLines.end());
        QStringList order;
        for (const auto& [at, text] : firstLines) order << text;
        EXPECT_EQ(order, c.names);
    }
}

TEST_F(PrintingTest, OffsetsBeyondTheSheetAreRefusedWithAMessage) {
    AddMany(2);
    log = RecordAllPrinting([](RecordingPrinterPage& page) { page.SetFontList({"Arial"}); });
    frmMailingLabels form(Ctx());
    form.txtXOffset->setText(QString(309, '9'));  // once read as infinity
    test::ScriptedMsgBox boxes;
    form.cmdPrint_Click();
    form.txtXOffset->setText("10.001");
    form.cmdPrint_Click();
    EXPECT_EQ(
        boxes.Texts(),
        QStringList(2, "Printer offsets must lie between -10 and 10 inches. Please correct the offset."));
    EXPECT_EQ(log->DocumentCount(), 0);
    EXPECT_DOUBLE_EQ(TestDb().Scalar("SELECT XOFFSET FROM SETUP").toDouble(), 0);
}

TEST_F(PrintingTest, LabelsThreeAcrossEmptyOffsetsAndNoPlayers) {
    log = RecordAllPrinting([](RecordingPrinterPage& page) { page.SetFontList({"Courier New"}); });
    {
        frmMailingLabels form(Ctx());
        form.cmdPrint_Click();
        EXPECT_EQ(log->DocumentCount(), 0) << "no players: no document";
    }
    AddMany(31);
    frmMailingLabels form(Ctx());
    EXPECT_EQ(form.cboFontType->currentIndex(), -1) << "no Arial: nothing chosen";
    form.txtXOffset->clear();
    form.txtYOffset->clear();
    form.cmdPrint_Click();
    EXPECT_EQ(TestDb().Scalar("SELECT XOFFSET FROM SETUP").toDouble(), 0);
    EXPECT_EQ(log->DocumentCount(), 1);
    EXPECT_EQ(test::Printed(*log, "Mr. F Name30").page, 1);
    EXPECT_DOUBLE_EQ(test::Printed(*log, "Mr. F Name30").x, 8640 - 360);
    EXPECT_DOUBLE_EQ(test::Printed(*log, "Mr. F Name30").y, 864 + 9 * 1440 - 360);
    EXPECT_DOUBLE_EQ(test::Printed(*log, "Mr. F Name03").x, 8640 - 360);
    EXPECT_EQ(test::Printed(*log, "Mr. F Name31").page, 2);
    EXPECT_EQ(test::Printed(*log, "Mr. F Name01").fontName, "Arial") << "the printer's own font";

    // By zip code.
    log->Clear();
    TestDb().Execute("UPDATE PLAYERS SET ZIP='00001' WHERE PLAYER_ID=31");
    form.optSort_2->setChecked(true);
    form.cmdPrint_Click();
    EXPECT_DOUBLE_EQ(test::Printed(*log, "Mr. F Name31").x, 432 - 360);
    EXPECT_DOUBLE_EQ(test::Printed(*log, "Mr. F Name31").y, 864 - 360);
}

TEST_F(PrintingTest, PrinterFailuresShowTheirMessages) {
    Add(1, "Smith", "John");
    test::ScriptedMsgBox box;
    log = RecordAllPrinting([](RecordingPrinterPage& page) { page.SetFailure(kErrDeviceUnavailable, 2); });
    {
        frmPlayers form(Ctx());
        form.cmdPrint_Click();
    }
    ASSERT_EQ(box.Count(), 1);
    EXPECT_EQ(box.Last(), "68 Device unavailable");
    EXPECT_EQ(box.Styles().back(), vbInformation);

    // A printer that cannot be reached when the labels screen loads.
    log = RecordAllPrinting([](RecordingPrinterPage& page) { page.SetFailure(kErrPrinter); });
    frmMailingLabels form(Ctx());
    EXPECT_EQ(box.Last(), "Please install a printer before attempting to run handicap cards.");
    EXPECT_EQ(box.Styles().back(), vbExclamation);
    EXPECT_EQ(form.txtXOffset->text(), ".047") << "the rest of the loading is skipped";
    form.cmdPrint_Click();
    EXPECT_EQ(box.Last(), "482 Printer Error");
    EXPECT_EQ(box.Count(), 3);
    EXPECT_EQ(TestDb().Scalar("SELECT XOFFSET FROM SETUP").toDouble(), 0.047)
        << "the offsets were saved first";
}

TEST_F(PrintingTest, PlayerEditorOpensTheLabelsModally) {
    log = RecordAllPrinting();
    frmPlayers form(Ctx());
    QString opened;
    test::ScriptedModal modal([&](QDialog& d) {
        opened = d.windowTitle();
        return 0;
    });
    form.cmdMailingLabels_Click();
    EXPECT_EQ(opened, "Print Player Mailing Labels");
}

TEST_F(PrintingTest, LabelsAsARealPdf) {
    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not available";
    Add(1, "Smith", "John");
    Add(2, "Jones", "Ann", "Chicago", "60601");
    QFile::remove(PdfPath());
    frmMailingLabels form(Ctx());
    test::ScriptedMsgBox box;
    form.cmdPrint_Click();
    EXPECT_EQ(box.Count(), 0) << box.Last().toStdString();
    const QString text = test::PdfText(PdfPath());
    EXPECT_TRUE(text.contains("Mr. John Smith")) << text.toStdString();
    EXPECT_TRUE(text.contains("Mr. Ann Jones"));
    EXPECT_TRUE(text.contains("Chicago, MA 60601") || text.contains("Chicago, MA  60601"))
        << text.toStdString();
}

}  // namespace dc
