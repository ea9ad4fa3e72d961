// The printer page: scales, the Print rules, pages and documents on the recording page, and one real
// PDF through the Qt backend read back with pdftotext.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "QStringPrint.h"
#include "TestSupport.h"
#include "platform/HeaderFit.h"
#include "platform/MsgBox.h"
#include "platform/NameForms.h"
#include "platform/PrinterError.h"
#include "platform/PrinterPageFactory.h"
#include "platform/QtPrinterPage.h"
#include "platform/RecordingPrinterPage.h"

using namespace dc;

namespace {

// 12-point fixed pitch: a character is 144 twips wide, a line 271.875 twips high.
constexpr double kChar12 = 144.0;
constexpr double kLine12 = 12 * 20 * 2320.0 / 2048.0;

int ErrorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const PrinterError& e) {
        return e.number();
    }
    return 0;
}

using dc::test::EnvGuard;

QString RunTool(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& path) {
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(RunTool(QStringLiteral("pdfinfo"), {path}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

}  // namespace

// ---- scales and geometry

TEST(PrinterPageScale, TwipsInchesAndUserScaleMapToTheSameTwips) {
    RecordingPrinterPage page;  // letter, 0.25-inch margins: printable 11520 x 15120 twips
    page.SetFontSize(12);
    EXPECT_EQ(page.ScaleMode(), kScaleTwips);
    EXPECT_DOUBLE_EQ(page.ScaleWidth(), 11520);
    EXPECT_DOUBLE_EQ(page.ScaleHeight(), 15120);

    page.SetCurrentX(720);
    page.SetCurrentY(1440);
    page.PrintNoLineEnd("twips");

    page.SetScaleMode(kScaleInches);
    EXPECT_DOUBLE_EQ(page.ScaleWidth(), 8.0);
    EXPECT_DOUBLE_EQ(page.ScaleHeight(), 10.5);
    EXPECT_DOUBLE_EQ(page.TextWidth("0"), kChar12 / 1440);
    page.SetCurrentX(0.5);
    page.SetCurrentY(1.0);
    page.PrintNoLineEnd("inches");

    // The user scale spreads 8.5 by 11 over the printable area.
    page.Scale(0, 0, 8.5, 11);
    EXPECT_EQ(page.ScaleMode(), kScaleUser);
    EXPECT_DOUBLE_EQ(page.ScaleWidth(), 8.5);
    EXPECT_DOUBLE_EQ(page.ScaleHeight(), 11);
    page.SetCurrentX(8.5 / 16);  // 720 twips of 11520
    page.SetCurrentY(11.0 * 1440 / 15120);
    page.PrintNoLineEnd("user");
    EXPECT_NEAR(page.TextWidth("0123456789"), 10 * kChar12 * 8.5 / 11520, 1e-9);

    const auto texts = page.Log()->Texts();
    ASSERT_EQ(texts.size(), 3u);
    for (const PrintOp& op : texts) {
        EXPECT_NEAR(op.xTwips, 720, 1e-6) << op.text.toStdString();
        EXPECT_NEAR(op.yTwips, 1440, 1e-6) << op.text.toStdString();
    }
    EXPECT_DOUBLE_EQ(texts[1].x, 0.5);
    EXPECT_EQ(texts[1].scaleMode, kScaleInches);
    EXPECT_DOUBLE_EQ(texts[2].x, 8.5 / 16);
}

TEST(PrinterPageScale, OrientationPaperOffsetsAndPageOrigin) {
    RecordingPrinterPage page;
    RecordingPrinterPage::Paper paper;
    paper.marginLeftTwips = paper.marginRightTwips = 360;    // 0.25 inch
    paper.marginTopTwips = paper.marginBottomTwips = 187.2;  // 0.13 inch
    page.SetPaper(paper);

    EXPECT_DOUBLE_EQ(page.Width(), 12240);
    EXPECT_DOUBLE_EQ(page.Height(), 15840);
    EXPECT_DOUBLE_EQ(page.TwipsPerPixelX(), 2.4);
    EXPECT_EQ(page.PhysicalOffsetX(), 150);  // 0.25 inch at 600 dpi
    EXPECT_EQ(page.PhysicalOffsetY(), 78);   // 0.13 inch

    // The margin diagnostic: half the unprintable height and width, in inches.
    page.SetScaleMode(kScaleInches);
    page.SetScaleLeft(page.PhysicalOffsetX() * page.TwipsPerPixelX() / 1440);
    page.SetScaleTop(page.PhysicalOffsetY() * page.TwipsPerPixelY() / 1440);
    EXPECT_NEAR((page.Height() - page.ScaleHeight() * 1440) / 2880, 0.13, 1e-9);
    EXPECT_NEAR((page.Width() - page.ScaleWidth() * 1440) / 2880, 0.25, 1e-9);
    // (0, 0) is now the paper's corner, left of and above the printable area.
    page.SetCurrentX(0);
    page.SetCurrentY(0);
    page.PrintNoLineEnd("corner");
    EXPECT_NEAR(page.Log()->Texts().at(0).xTwips, -360, 1e-6);
    EXPECT_NEAR(page.Log()->Texts().at(0).yTwips, -187.2, 1e-6);

    // Landscape turns the paper and the printable area; twips stay twips, a user scale keeps its units.
    page.Scale(0, 0, 8.5, 11);
    page.SetOrientation(kLandscape);
    EXPECT_DOUBLE_EQ(page.Width(), 15840);
    EXPECT_DOUBLE_EQ(page.Height(), 12240);
    EXPECT_DOUBLE_EQ(page.ScaleWidth(), 8.5);
    page.SetScaleMode(kScaleTwips);
    EXPECT_NEAR(page.ScaleWidth(), 15840 - 2 * 187.2, 1e-9);
    EXPECT_NEAR(page.ScaleHeight(), 12240 - 2 * 360, 1e-9);
}

// ---- text

TEST(PrinterPageText, PrintAdvancesLinesAndRecordsFonts) {
    RecordingPrinterPage page;
    page.SetFontName("Courier New");
    page.SetFontSize(12);
    page.SetCurrentX(1000);
    page.SetCurrentY(500);
    page.Print("first");
    EXPECT_DOUBLE_EQ(page.CurrentX(), 0);  // back to the left edge
    EXPECT_DOUBLE_EQ(page.CurrentY(), 500 + kLine12);
    page.Print();  // an empty line prints nothing but moves down
    page.SetFontBold(true);
    page.SetFontUnderline(true);
    page.PrintNoLineEnd("a");
    page.PrintNoLineEnd("b");
    EXPECT_DOUBLE_EQ(page.CurrentX(), 2 * kChar12);
    page.Print("c\r\nd");  // a line break inside the text starts a new line

    const auto texts = page.Log()->Texts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0].text, "first");
    EXPECT_DOUBLE_EQ(texts[0].x, 1000);
    EXPECT_EQ(texts[0].fontName, "Courier New");
    EXPECT_EQ(texts[0].fontSize, 12);
    EXPECT_FALSE(texts[0].bold);
    EXPECT_DOUBLE_EQ(texts[1].y, 500 + 2 * kLine12);
    EXPECT_TRUE(texts[1].bold && texts[1].underline);
    EXPECT_DOUBLE_EQ(texts[2].x, kChar12);
    EXPECT_DOUBLE_EQ(texts[3].x, 2 * kChar12);
    EXPECT_EQ(texts[4].text, "d");
    EXPECT_DOUBLE_EQ(texts[4].x, 0);
    EXPECT_DOUBLE_EQ(texts[4].y, 500 + 3 * kLine12);
    EXPECT_DOUBLE_EQ(page.TextHeight("x\ny"), 2 * kLine12);
    EXPECT_DOUBLE_EQ(page.TextWidth("abc\nlonger"), 6 * kChar12);
}

TEST(PrinterPageText, TabColumnsAndItemsThatRunPastTheirColumn) {
    RecordingPrinterPage page;
    page.Scale(0, 0, 8.5, 11);
    page.SetFontName("Courier New");
    page.SetFontSize(12);
    page.PrintTab(24, "Statistics for:");  // ends in column 38
    page.PrintTab(40, "Smith, John");
    page.Print();
    page.PrintTab(10, "A very long item of forty characters....");  // ends in column 49
    page.PrintTab(42, "next");  // already passed: column 42 of the next line
    page.PrintTab(0, "low");    // column 0 counts as column 1
    page.Print();

    const auto texts = page.Log()->Texts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0].column, 24);
    EXPECT_NEAR(texts[0].xTwips, 23 * kChar12, 1e-6);
    EXPECT_EQ(texts[1].column, 40);
    EXPECT_DOUBLE_EQ(texts[1].y, texts[0].y);
    EXPECT_NEAR(texts[2].yTwips, kLine12, 1e-6);
    EXPECT_EQ(texts[3].column, 42);
    EXPECT_NEAR(texts[3].yTwips, 2 * kLine12, 1e-6);
    EXPECT_EQ(texts[4].column, 1);
    EXPECT_NEAR(texts[4].yTwips, 3 * kLine12, 1e-6);
    // An item that ends exactly where the next column starts stays on its line.
    page.PrintTab(1, "12345");
    page.PrintTab(6, "6");
    EXPECT_EQ(page.Log()->Texts().back().column, 6);
    EXPECT_DOUBLE_EQ(page.Log()->Texts().back().y, page.Log()->Texts().at(5).y);
    // No text runs past the printable width (80 columns here): it ends there with "...".
    page.Print();
    page.PrintTab(75, "Index");
    page.PrintTab(81, "past the edge");
    page.Print();
    EXPECT_EQ(page.Log()->Texts().back().text, "Index") << "nothing starts past the edge";
    const double column = 8.5 / 80;
    page.SetCurrentX(76 * column);
    page.Print("ends at the edge");
    EXPECT_EQ(page.Log()->Texts().back().text, "e...");
    page.SetCurrentX(75 * column);
    page.Print("whole    ");
    EXPECT_EQ(page.Log()->Texts().back().text, "whole    ") << "a blank at the end prints nothing";
    page.SetCurrentX(72 * column);
    page.Print("   123456789");
    EXPECT_EQ(page.Log()->Texts().back().text, "   12...") << "a right-aligned figure keeps its blanks";
}

TEST(PrinterPageText, RunningTextContinuesOnANewPageButPlacedTextDoesNot) {
    RecordingPrinterPage page;
    page.SetFontSize(12);
    const int perPage = static_cast<int>(15120 / kLine12);  // 55 lines on the printable height
    for (int i = 1; i <= perPage + 3; ++i) page.Print(QString::number(i));
    page.EndDoc();
    const PrintLog& log = *page.Log();
    EXPECT_EQ(log.PageCount(1), 2);
    EXPECT_EQ(log.TextsOn(1, 1).size(), perPage);
    EXPECT_EQ(log.TextsOn(1, 2), QStringList({"56", "57", "58"}));
    EXPECT_DOUBLE_EQ(test::Printed(log, "56").yTwips, 0);

    // A text placed below the bottom on purpose (a card near the paper's edge) stays where it is put.
    page.SetCurrentY(15000);
    page.Print("low");
    page.SetCurrentY(100);
    page.Print("top");
    page.EndDoc();
    EXPECT_EQ(log.PageCount(2), 1);
    EXPECT_DOUBLE_EQ(test::Printed(log, "low").yTwips, 15000);
}

// ---- pages and documents

TEST(PrinterPageDocument, NewPageThenEndDocPrintsNoEmptyPage) {
    RecordingPrinterPage page;
    const PrintLog& log = *page.Log();
    page.Print("card 1");
    page.NewPage();
    page.EndDoc();
    ASSERT_EQ(log.DocumentCount(), 1);
    EXPECT_EQ(log.PageCount(1), 1);
    EXPECT_TRUE(log.OfKind(PrintOp::NewPage).empty());

    // A page break between outputs starts page 2 at the top-left corner.
    page.SetCurrentX(300);
    page.SetCurrentY(4000);
    page.Print("page 1");
    page.NewPage();
    EXPECT_DOUBLE_EQ(page.CurrentX(), 0);
    EXPECT_DOUBLE_EQ(page.CurrentY(), 0);
    page.Line(0, 10, 100, 10);
    page.NewPage();
    page.EndDoc();
    EXPECT_EQ(log.DocumentCount(), 2);
    EXPECT_EQ(log.PageCount(2), 2);
    EXPECT_EQ(log.OfKind(PrintOp::Line).at(0).page, 2);

    // Ending a document that printed nothing sends nothing.
    page.NewPage();
    page.EndDoc();
    page.EndDoc();
    EXPECT_EQ(log.DocumentCount(), 2);
}

TEST(PrinterPageDocument, SettingsOutliveEachDocument) {
    RecordingPrinterPage page;
    page.SetOrientation(kLandscape);
    page.Scale(0, 0, 8.5, 11);
    page.SetFontName("Arial");
    page.SetFontSize(14);
    page.SetFontBold(true);
    page.SetCurrentX(1);
    page.SetCurrentY(0.5);
    page.Print("sheet 1");
    page.EndDoc();
    EXPECT_DOUBLE_EQ(page.CurrentY(), 0);
    page.Print("sheet 2");
    page.EndDoc();
    const auto texts = page.Log()->Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].document, 2);
    EXPECT_EQ(texts[1].orientation, kLandscape);
    EXPECT_EQ(texts[1].fontName, "Arial");
    EXPECT_EQ(texts[1].fontSize, 14);
    EXPECT_TRUE(texts[1].bold);
    EXPECT_EQ(page.ScaleMode(), kScaleUser);
    EXPECT_EQ(page.Log()->OfKind(PrintOp::Orientation).at(0).orientation, kLandscape);
}

TEST(PrinterPageDocument, FontListEndsWithABlankName) {
    RecordingPrinterPage page;
    page.SetFontList({"Arial", "Courier New"});
    EXPECT_EQ(page.FontCount(), 2);
    EXPECT_EQ(page.Fonts(1), "Courier New");
    EXPECT_EQ(page.Fonts(2), "");  // one past the last
    EXPECT_EQ(page.Fonts(-1), "");
    EXPECT_EQ(page.FontName(), "Arial");  // the printer's own font until one is chosen
    page.SetFontName("  ");
    EXPECT_EQ(page.FontName(), "Arial");
    page.SetFontSize(0);
    EXPECT_EQ(page.FontSize(), 10);
}

TEST(PrinterPageDocument, FailuresCarryTheirNumberOnEveryStatement) {
    RecordingPrinterPage page;
    page.SetFailure(kErrDeviceUnavailable);
    EXPECT_EQ(ErrorNumberOf([&] { page.Print("x"); }), 68);
    EXPECT_EQ(ErrorNumberOf([&] { page.Line(0, 0, 1, 1); }), 68);
    EXPECT_EQ(ErrorNumberOf([&] { page.FontCount(); }), 68);
    page.SetFailure(0);
    page.Print("works again");
    page.EndDoc();
    EXPECT_EQ(page.Log()->DocumentCount(), 1);

    // A printer that fails half way: the first two outputs print, then error 482.
    page.SetFailure(kErrPrinter, 2);
    page.Print("one");
    page.Print("two");
    try {
        page.Print("three");
        FAIL() << "no error";
    } catch (const PrinterError& e) {
        EXPECT_EQ(e.number(), 482);
        EXPECT_STREQ(e.what(), "Printer error");
    }
    EXPECT_EQ(ErrorNumberOf([&] { page.EndDoc(); }), 482);
}

TEST(PrinterPageDocument, PrintWidgetPrintsAPictureOnItsOwnPageAndEndsTheDocument) {
    RecordingPrinterPage page;
    QLabel label("A graph");
    label.resize(320, 200);
    page.Print("before");
    page.PrintWidget(label);
    const PrintLog& log = *page.Log();
    ASSERT_EQ(log.OfKind(PrintOp::Image).size(), 1u);
    const PrintOp image = log.OfKind(PrintOp::Image).at(0);
    EXPECT_EQ(image.page, 2);
    EXPECT_NEAR(image.x2Twips / image.y2Twips, 320.0 / 200.0, 1e-6);
    EXPECT_LE(image.x2Twips, page.ScaleWidth());
    EXPECT_EQ(log.DocumentCount(), 1);

    // Larger than the page: shrunk to fit the printable area.
    label.resize(4000, 1000);
    page.PrintWidget(label);
    EXPECT_NEAR(log.OfKind(PrintOp::Image).at(1).x2Twips, 11520, 1e-6);

    // A page break asked for just before is the picture's own page: no empty page between.
    label.resize(320, 200);
    page.Print("report");
    page.NewPage();
    page.PrintWidget(label);
    ASSERT_EQ(log.DocumentCount(), 3);
    EXPECT_EQ(log.PageCount(3), 2);
    EXPECT_EQ(log.OfKind(PrintOp::Image).at(2).page, 2);
}

TEST(PrinterPageFactory, RecordingReplacesThePrinterForTheWholeProgram) {
    auto log = RecordAllPrinting();
    {
        auto page = CreatePrinterPage();
        page->Print("from a printout");
        page->EndDoc();
    }
    CreatePrinterPage()->Print("never ended");
    EXPECT_EQ(log->DocumentCount(), 1);
    EXPECT_NE(log->Find("from a printout"), nullptr);

    // Each new page can be prepared, here as a printer that cannot be reached.
    auto failing =
        RecordAllPrinting([](RecordingPrinterPage& page) { page.SetFailure(kErrDeviceUnavailable); });
    EXPECT_EQ(ErrorNumberOf([] { CreatePrinterPage()->Print("x"); }), 68);
    EXPECT_EQ(ErrorNumberOf([] { CreatePrinterPage()->FontCount(); }), 68);
    SetPrinterPageFactory({});
    EXPECT_NE(dynamic_cast<QtPrinterPage*>(CreatePrinterPage().get()), nullptr);
}

// ---- the Qt backend

TEST(QtPrinterPageTest, FixedPitchFontAndItsStandInsMeasureLikeCourierNew) {
    EXPECT_TRUE(FixedPitchFontName() == "Courier New" || FixedPitchFontName() == "Liberation Mono");
    EnvGuard pdf("DC_PRINT_PDF", "/nonexistent/never.pdf");
    QtPrinterPage page;
    QStringList fonts;
    for (int i = 0; i < page.FontCount(); ++i) fonts << page.Fonts(i);
    EXPECT_TRUE(fonts.contains("Courier New"));
    EXPECT_TRUE(fonts.contains("Arial"));
    EXPECT_EQ(page.Fonts(page.FontCount()), "");
    page.SetFontName("Courier New");
    page.SetFontSize(12);
    EXPECT_NEAR(page.TextWidth("0"), kChar12, 1.0);  // a tenth of an inch
    EXPECT_NEAR(page.TextWidth("0123456789"), 10 * kChar12, 3.0);
    EXPECT_NEAR(page.TextHeight(), kLine12, 8.0);
}

TEST(QtPrinterPageTest, WritesAPdfThatReadsBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    EnvGuard pdf("DC_PRINT_PDF", path.toUtf8());
    EnvGuard locale("LC_ALL", "en_US.UTF-8");
    dc::test::StandInPrintSystem noPrinter;
    QtPrinterPage page;
    ASSERT_TRUE(page.PrintsToPdf());
    page.SetJobName("Statistics");
    page.Scale(0, 0, 8.5, 11);
    page.SetFontName(FixedPitchFontName());
    page.SetFontSize(12);
    page.PrintTab(24, "Statistics for:");
    page.PrintTab(40, "Corvy, Dado");
    page.Print();
    page.PrintTab(3, "Hole#");
    page.PrintTab(10, "Birdie");
    page.Print();
    page.Line(0.5, 2, 8, 2);
    page.NewPage();
    page.SetFontSize(10);
    page.SetFontUnderline(true);
    page.Print("Second page");
    page.NewPage();
    page.EndDoc();

    ASSERT_EQ(page.OutputFiles(), QStringList({path}));
    EXPECT_FALSE(QFile::exists(path + ".part"));
    EXPECT_EQ(PdfPages(path), 2);
    const QString text = RunTool("pdftotext", {"-layout", path, "-"});
    EXPECT_TRUE(text.contains("Second page")) << text.toStdString();
    // Tab columns survive: the name stands 16 columns after the label's start.
    const QString first = text.section('\n', 0, 0);
    EXPECT_EQ(first.indexOf("Corvy, Dado") - first.indexOf("Statistics for:"), 16) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("Hole#\\s+Birdie"))) << text.toStdString();

    // A second document of the same printout gets a file of its own.
    page.SetOrientation(kLandscape);
    page.Print("Sheet two");
    page.EndDoc();
    const QString second = dir.filePath("report-2.pdf");
    EXPECT_EQ(page.OutputFiles(), QStringList({path, second}));
    EXPECT_TRUE(RunTool("pdftotext", {second, "-"}).contains("Sheet two"));
    EXPECT_TRUE(RunTool("pdfinfo", {second}).contains("792 x 612"));  // landscape, the locale's Letter

    // A file the environment asked for is not announced.
    int boxes = 0;
    SetMsgBoxResponder([&](const QString&, int, const QString&) { return ++boxes, int(vbOK); });
    ReportPrintOutcome(page);
    SetMsgBoxResponder({});
    EXPECT_EQ(boxes, 0);
}

// The disk refusing part of the PDF (as when it is full) is a printer error; the cut-short file is
// neither kept nor listed as written.
TEST(QtPrinterPageTest, APdfTheDiskCutsShortIsAPrinterError) {
    QTemporaryDir dir;
    const QString path = dir.filePath("long.pdf");
    EnvGuard pdf("DC_PRINT_PDF", path.toUtf8());
    QtPrinterPage page;
    int error = 0;
    {
        dc::test::FileSizeLimit limit(2000);
        error = ErrorNumberOf([&] {
            for (int i = 0; i < 200; ++i)
                page.Print(QString("line %1 of a printout longer than the disk takes").arg(i));
            page.EndDoc();
        });
    }
    EXPECT_EQ(error, 482);
    EXPECT_TRUE(page.OutputFiles().isEmpty());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(QFile::exists(path + ".part"));

    // The same printout with room on the disk is written whole; cut short by a byte it is not.
    page.Print("short");
    page.EndDoc();
    ASSERT_EQ(page.OutputFiles().size(), 1);
    const QString written = page.OutputFiles().at(0);
    EXPECT_TRUE(QtPrinterPage::PdfFileComplete(written));
    QFile file(written);
    ASSERT_TRUE(file.resize(file.size() - 7));
    EXPECT_FALSE(QtPrinterPage::PdfFileComplete(written));
    EXPECT_FALSE(QtPrinterPage::PdfFileComplete(dir.filePath("none.pdf")));
}

TEST(QtPrinterPageTest, UnwritableOutputIsDeviceUnavailable) {
    EnvGuard pdf("DC_PRINT_PDF", "/nonexistent-folder/out.pdf");
    QtPrinterPage page;
    EXPECT_EQ(ErrorNumberOf([&] { page.Print("x"); }), 68);
    EXPECT_EQ(ErrorNumberOf([&] { page.Print("y"); }), 68);  // again on the next statement
    page.EndDoc();                                           // nothing started, nothing to end
    EXPECT_TRUE(page.OutputFiles().isEmpty());
}

// ---- fitting a text to its place

TEST(PrinterPageFit, NamesKeepTheSurnameAndTheFirstInitial) {
    const QString van = "Van der Westhuizen-Abercrombie";
    const struct {
        QString name, surname;
        QStringList forms;
    } cases[] = {
        {"Smythe, Dr. Bartholomew Maximilian", "",
         {"Smythe, Dr. Bartholomew Maximilian", "Smythe, Bartholomew M.", "Smythe, B. M.", "Smythe, B."}},
        {"Bartholomew Maximilian Smythe", "",
         {"Bartholomew Maximilian Smythe", "Bartholomew M. Smythe", "B. M. Smythe", "B. Smythe"}},
        {"Adams, Al", "", {"Adams, Al", "Adams, A."}},
        {"Cher", "", {"Cher"}},
        {van + ", Christopher Jonathan Ale J", "",
         {van + ", Christopher Jonathan Ale J", van + ", Christopher J. A. J.", van + ", C. J. A. J.", van + ", C."}},
        {"Christopher Ale " + van, van, {"Christopher Ale " + van, "Christopher A. " + van, "C. A. " + van, "C. " + van}},
        {"Bo Al Smith", "Jones", {"Bo Al Smith", "Bo A. Smith", "B. A. Smith", "B. Smith"}},  // not its surname
        {"Adams,Al", "", {"Adams,Al", "Adams, Al", "Adams, A."}},
    };
    for (const auto& c : cases) EXPECT_EQ(ShortNameForms(c.name, c.surname), c.forms) << c.name.toStdString();
}

// Names of one list that would shorten alike keep longer forms, until they read apart.
TEST(PrinterPageFit, NamesThatWouldReadAlikeKeepLongerForms) {
    const QString surname = "Montgomery-Featherstonehaughes";
    const QStringList names{surname + ", Maximiliana Alexandrinaa Q", surname + ", Maximiliana Alexandrinab R",
                            "Baker, Bo", "Baker, Bo"};
    const auto fits = [](const QString& form) { return form.size() <= 36; };
    EXPECT_EQ(FitNames(names, fits),
              QStringList({surname + ", M. A. Q.", surname + ", M. A. R.", "Baker, Bo", "Baker, Bo"}));
    EXPECT_EQ(FitName(names[0], fits), surname + ", M.") << "alone it takes the shortest";
    EXPECT_EQ(NameSet(names).Fit(names[0], fits), surname + ", M. A. Q.") << "printed alone beside the club";
    // Names whose shorter forms all read alike keep whole the given name that tells them apart.
    const QStringList last{"Winterbottom, Christopher Jonathan Aaa", "Winterbottom, Christopher Jonathan Aab"};
    EXPECT_EQ(FitNames(last, fits),
              QStringList({"Winterbottom, Christopher J. Aaa", "Winterbottom, Christopher J. Aab"}));
    EXPECT_EQ(FitNames(last, [](const QString& form) { return form.size() <= 30; }),
              QStringList({"Winterbottom, C. J. Aaa", "Winterbottom, C. J. Aab"}));
    EXPECT_EQ(FitNames({"Smith, J.", "Smith, John"}, fits), QStringList({"Smith, J.", "Smith, John"}));
    // A list that leaves out middle initials gives them where two names would read alike.
    EXPECT_EQ(ListedNames({{"John", "A", "Smith"},
                              {"John", "B", "Smith"},
                              {"John", "", "Smith"},
                              {"Ann", "Q", "Smith"},
                              {" John ", "Q", "Baker"}}),
              QStringList({"John A Smith", "John B Smith", "John Smith", "Ann Smith", "John Baker"}));
}

TEST(PrinterPageFit, ShortenedThenSmallerThenCut) {
    const struct {
        const char* text;
        PrinterPage::Fit kind;
        int columns;  // room in 12-point characters
        const char* printed;
        double size;
    } cases[] = {
        {"Adams, Al", PrinterPage::Fit::Name, 20, "Adams, Al", 12},
        {"Smythe, Bartholomew", PrinterPage::Fit::Name, 12, "Smythe, B.", 12},
        {"Fitzwilliam-Worthington, Bo", PrinterPage::Fit::Name, 13, "Fitzwilliam-Worthington, B.", 5.75},
        {"Pines Golf & Country", PrinterPage::Fit::Text, 10, "Pines Golf & Country", 6},
        {"A course name far too long for five columns", PrinterPage::Fit::Text, 5, "A course...", 5},
        {"Montgomery-Featherstonehaughes-Winterbottom-Fitzwilliamsburg, B. A.", PrinterPage::Fit::Name, 12,
         "Montgomery-Feathe...williamsburg, B.", 4}};  // a name keeps both ends
    for (const auto& c : cases) {
        RecordingPrinterPage page;
        page.SetFontSize(12);
        page.PrintFitted(c.text, c.columns * kChar12, c.kind);
        const PrintOp op = page.Log()->Texts().at(0);  // Texts() returns a copy
        EXPECT_EQ(op.text, c.printed) << op.text.toStdString();
        EXPECT_DOUBLE_EQ(op.fontSize, c.size) << c.text;
        EXPECT_DOUBLE_EQ(page.FontSize(), 12) << "the font stays as it was";
        EXPECT_NEAR(page.CurrentY(), kLine12, 1e-9) << "the line ends as for the font";
    }
}

// A sheet's header: the first form that fits, else the shortest smaller, else on more lines; the
// words are never cut.
TEST(PrinterPageFit, HeaderTakesAShorterFormThenASmallerSizeThenMoreLines) {
    QImage device(10, 10, QImage::Format_RGB32);
    QFont font(FixedPitchFontName());
    font.setPointSizeF(10);
    const QStringList forms{"Smythe, Bartholomew   Tee Box: Championship",
                            "Smythe, B.   Tee Box: Championship"};
    const double em = QFontMetricsF(font, &device).horizontalAdvance(QString(10, 'M')) / 10;
    const struct {
        double chars;  // room in 10-point characters
        QStringList lines;
        bool smaller;
    } cases[] = {
        {50, {forms[0]}, false},
        {38, {forms[1]}, false},
        {30, {forms[1]}, true},
        {12, {"Smythe, B.   Tee", "Box: Championship"}, true},
    };
    for (const auto& c : cases) {
        const FittedHeader fitted = FitHeader(forms, font, c.chars * em, &device, 6);
        EXPECT_EQ(fitted.lines, c.lines) << c.chars;
        EXPECT_EQ(fitted.font.pointSizeF() < 10, c.smaller) << c.chars;
        EXPECT_GE(fitted.font.pointSizeF(), 6);
        for (const QString& line : fitted.lines) {
            if (line.count(' ') > 0) {
                EXPECT_LE(QFontMetricsF(fitted.font, &device).horizontalAdvance(line), c.chars * em);
            }
        }
    }
}
