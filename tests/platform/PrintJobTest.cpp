// Print jobs: one paper for every printout, margins of at least a quarter inch, one job per
// printout, a refused job told with an offer to save it, and one fallback to the user's documents.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "platform/MsgBox.h"
#include "platform/PrintJob.h"
#include "platform/PrinterPageFactory.h"
#include "platform/QtPrinterPage.h"

using namespace dc;
using dc::test::EnvGuard;

namespace {

// A home of the test's own: its documents folder (missing at first) and temporary files.
struct Home {
    QTemporaryDir dir;
    EnvGuard pdf{"DC_PRINT_PDF", QByteArray()};
    EnvGuard home{"HOME", dir.path().toUtf8()};
    EnvGuard config{"XDG_CONFIG_HOME", dir.filePath(".config").toUtf8()};
    EnvGuard tmp{"TMPDIR", dir.path().toUtf8()};
    QStringList Pdfs(const QString& folder) const {
        return QDir(dir.filePath(folder)).entryList({"*.pdf", "*.part"}, QDir::Files, QDir::Name);
    }
};

// Three pages, ended as one document.
void PrintThreePages(PrinterPage& page, const QString& job) {
    page.SetJobName(job);
    for (int p = 1; p <= 3; ++p) {
        page.Print(QString("page %1").arg(p));
        if (p < 3) page.NewPage();
    }
    page.EndDoc();
}

}  // namespace

TEST(PrintPaper, TheDefaultPrintersPaperElseTheLocales) {
    const struct {
        const char* locale;
        QPageSize::PageSizeId paper;
    } cases[] = {{"en_US.UTF-8", QPageSize::Letter}, {"en_CA", QPageSize::Letter},
                 {"fr_CA.UTF-8", QPageSize::Letter}, {"de_DE.UTF-8", QPageSize::A4},
                 {"en_GB.UTF-8", QPageSize::A4},     {"C", QPageSize::A4}};
    for (const auto& c : cases) EXPECT_EQ(LocalePaper(c.locale).id(), c.paper) << c.locale;

    EnvGuard all("LC_ALL", QByteArray());
    EnvGuard paper("LC_PAPER", QByteArray());
    EnvGuard measurement("LC_MEASUREMENT", "en_US.UTF-8");
    EnvGuard lang("LANG", "de_DE.UTF-8");
    {
        dc::test::StandInPrintSystem none;
        EXPECT_EQ(ProgramPaper().id(), QPageSize::Letter) << "the measurement category, not the language";
    }
    dc::test::StandInPrintSystem office("Office", QPageSize(QPageSize::A4));
    EXPECT_EQ(ProgramPaper().id(), QPageSize::A4) << "the printer's own paper comes first";
}

TEST(PrintJobTest, APrintoutIsOneJobOnThePrintersPaperInsideItsMargins) {
    Home home;
    // The printer's own edges where wider than a quarter inch (36 pt on top), else a quarter inch.
    dc::test::StandInPrintSystem office("Office", QPageSize(QPageSize::Letter), QMarginsF(7.2, 36, 7.2, 7.2));
    dc::test::ScriptedMsgBox boxes;
    QtPrinterPage page;
    EXPECT_EQ(page.PrinterName(), "Office");
    page.SetScaleMode(kScaleTwips);
    EXPECT_NEAR(page.Width(), 612 * 20, 1);
    EXPECT_NEAR(page.ScaleWidth(), (612 - 36) * 20, 1);
    EXPECT_NEAR(page.ScaleHeight(), (792 - 36 - 18) * 20, 1);
    EXPECT_NEAR(page.PhysicalOffsetY() * page.TwipsPerPixelY(), 36 * 20, 3);
    PrintThreePages(page, "Handicap Cards");
    ReportPrintOutcome(page);

    ASSERT_EQ(office.Jobs().size(), 1u);
    EXPECT_EQ(office.Jobs()[0].printer, "Office");
    EXPECT_EQ(office.Jobs()[0].title, "Handicap Cards");
    EXPECT_EQ(office.Jobs()[0].paperKey, "Letter");
    EXPECT_EQ(office.Jobs()[0].pages, 3);
    EXPECT_EQ(boxes.Count(), 0) << boxes.Last().toStdString();
    EXPECT_TRUE(home.Pdfs(".").isEmpty()) << "the job's file is gone once printed";
}

TEST(PrintJobTest, ARefusedJobNamesThePrinterAndReasonAndOffersAPdf) {
    for (const int answer : {int(vbYes), int(vbNo)}) {
        Home home;
        dc::test::StandInPrintSystem office("Office");
        office.Refuse("server-error-not-accepting-jobs");
        dc::test::ScriptedMsgBox boxes({answer});
        QtPrinterPage page;
        PrintThreePages(page, "Player List");
        ReportPrintOutcome(page);

        ASSERT_GE(boxes.Count(), 1);
        EXPECT_TRUE(boxes.Texts()[0].contains("Office")) << boxes.Texts()[0].toStdString();
        EXPECT_TRUE(boxes.Texts()[0].contains("server-error-not-accepting-jobs"));
        EXPECT_TRUE(boxes.Texts()[0].contains("Save the printout as a PDF file instead?"));
        EXPECT_EQ(boxes.Styles()[0] & vbYesNo, vbYesNo);
        EXPECT_TRUE(home.Pdfs(".").isEmpty()) << "no job file is left behind";
        if (answer == vbYes) {
            ASSERT_EQ(boxes.Count(), 2);
            const QString saved = home.dir.filePath("Documents/Player List.pdf");
            EXPECT_TRUE(boxes.Texts()[1].endsWith(saved)) << boxes.Texts()[1].toStdString();
            EXPECT_TRUE(QFile::exists(saved));
        } else {
            EXPECT_EQ(boxes.Count(), 1);
            EXPECT_TRUE(home.Pdfs("Documents").isEmpty());
        }
    }
}

TEST(PrintJobTest, WithoutADefaultPrinterEveryPrintoutGoesToANewFileInDocuments) {
    Home home;
    dc::test::StandInPrintSystem none;
    dc::test::ScriptedMsgBox boxes;
    for (int run = 0; run < 2; ++run) {
        QtPrinterPage page;
        PrintThreePages(page, "Game List: all/players");
        ReportPrintOutcome(page);
    }
    // The same rule for a printed sheet.
    {
        PrintJob job("Game List: all/players");
        ASSERT_TRUE(job.Open());
        QPainter painter(&job.Printer());
        painter.drawText(100, 100, "sheet");
        painter.end();
        ASSERT_TRUE(job.Finish());
        ReportPrintOutcomes({job.Outcome()});
    }
    const QString base = "Game List_ all_players";
    EXPECT_EQ(home.Pdfs("Documents"), QStringList({base + " (2).pdf", base + " (3).pdf", base + ".pdf"}));
    ASSERT_EQ(boxes.Count(), 3) << "one message a printout";
    const QString first = home.dir.filePath("Documents/" + base + ".pdf");
    EXPECT_EQ(boxes.Texts()[0], "No printer is set up; the printout was saved as " + first);
    EXPECT_TRUE(boxes.Texts()[2].endsWith("(3).pdf"));
}

// A long printout shows its progress from the fourth page on; Cancel leaves no file and no job.
TEST(PrintJobTest, CancellingALongPrintoutLeavesNothing) {
    for (const bool printer : {false, true}) {
        Home home;
        dc::test::StandInPrintSystem system(printer ? "Office" : "");
        dc::test::ScriptedMsgBox boxes;
        std::vector<std::pair<int, int>> shown;
        SetPrintProgressResponder([&](int page, int total) {
            shown.emplace_back(page, total);
            return page < 5;
        });
        QtPrinterPage page;
        page.SetJobName("Game List");
        for (int p = 1; p <= 8; ++p) {
            page.Print(QString("page %1").arg(p));
            page.NewPage();
        }
        page.EndDoc();
        ReportPrintOutcome(page);
        SetPrintProgressResponder([](int, int) { return true; });

        EXPECT_EQ(shown, (std::vector<std::pair<int, int>>{{4, 0}, {5, 0}})) << printer;
        EXPECT_TRUE(system.Jobs().empty()) << printer;
        EXPECT_TRUE(home.Pdfs("Documents").isEmpty()) << printer;
        EXPECT_TRUE(home.Pdfs(".").isEmpty()) << printer;
        EXPECT_EQ(boxes.Count(), 0) << printer;
    }
}
