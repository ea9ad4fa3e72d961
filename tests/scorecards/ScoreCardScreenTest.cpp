// The score-card screen offscreen: the grid at load, plus and tournament indexes through sorting
// and option changes, grouping, and the print button's checks, renumbering, offsets and cards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>

#include "QStringPrint.h"
#include "ScoreCardData.h"
#include "TestSupport.h"
#include "platform/Database.h"
#include "platform/Pointer.h"
#include "platform/PrinterPageFactory.h"
#include "platform/RecordingPrinterPage.h"
#include "platform/Spread.h"
#include "records/MailingLabels.h"
#include "records/TeeBoxPacking.h"
#include "scorecards/frmScoreCard.h"
#include "shell/AppContext.h"

namespace dc {
namespace {

using F = frmScoreCard;

class ScoreCardScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.OpenDatabase();
        Ctx().bFlag18_9 = Ctx().bUSCAFlag = true;
        test::AddScoreCardCourse();
        log = RecordAllPrinting([](RecordingPrinterPage& page) {
            RecordingPrinterPage::Paper paper;
            paper.marginTopTwips = paper.marginBottomTwips = 180;
            page.SetPaper(paper);
        });
    }
    void TearDown() override {
        form.reset();
        SetPrinterPageFactory({});
        QLocale::setDefault(QLocale::c());
    }
    // Players 1.. with indexes 10, 11, ...; gender M unless named in `women`.
    void AddPlayers(int n, const QString& women = QString()) {
        for (int i = 1; i <= n; ++i) {
            test::AddPlayer(i, QString("Last%1").arg(QChar('A' + n - i)), "First",
                            women.contains(QString::number(i)) ? "F" : "M");
            test::AddRoundWithIndex(i, 1, 9.0 + i);
        }
    }
    void Open() {
        form = std::make_unique<frmScoreCard>(Ctx());
        grid = form->spSC;
    }
    QStringList Column(int col) const {
        QStringList texts;
        for (int r = 1; r <= grid->MaxRows(); ++r) texts << grid->CellText(col, r);
        return texts;
    }
    // Card numbers typed into the grid: each text stored, then Change raised as for the user's edit.
    void SetCards(const QStringList& cards) {
        for (int r = 1; r <= cards.size(); ++r) {
            grid->SetCellText(F::kColCard, r, cards[r - 1]);
            Q_EMIT grid->Change(F::kColCard, r);
        }
    }

    test::ProgramFolder folder;
    test::ScriptedMsgBox box;
    std::shared_ptr<PrintLog> log;
    std::unique_ptr<frmScoreCard> form;
    Spread* grid = nullptr;
};

}  // namespace

TEST_F(ScoreCardScreenTest, PlusAndTournamentIndexesKeepTheirValues) {
    test::AddPlayer(1, "Plus", "Pat", "M");
    test::AddRoundWithIndex(1, 1, -2.3);
    test::AddPlayer(2, "Tourn", "Tia", "F");
    test::AddRoundWithIndex(2, 1, 20.0, 10.2);
    test::AddPlayer(3, "New", "Ned", "M");
    Open();
    EXPECT_EQ(box.Count(), 0) << box.Last().toStdString();
    EXPECT_EQ(Column(F::kColCard), QStringList({"1", "2", "3"})) << "one player per card numbers the rows";
    EXPECT_EQ(Column(F::kColIndex), QStringList({"+2.3", "20.0", "36.4"}));
    // Men on Blue (slope 131), women on Blue (no slope) until another women's tee box is chosen.
    EXPECT_EQ(Column(F::kColHcp), QStringList({"+3", "", "42"}));
    EXPECT_EQ(grid->CellAt(F::kColHcp, 2)->fmt.backColor, QColor(255, 255, 0));
    form->cboTeeBoxW->setCurrentIndex(1);  // White, slope 128
    form->cboTeeBoxW_Click();
    EXPECT_EQ(grid->CellText(F::kColHcp, 2), "12 T") << "10.2 x 128 / 113 from the tournament index";

    form->opt189[2]->setChecked(true);  // 9 holes: the front nine's columns, the same values here
    EXPECT_FALSE(form->chkShowHide[1]->isChecked());
    EXPECT_FALSE(form->chkShowHide[1]->isEnabled());
    EXPECT_EQ(Column(F::kColIndex), QStringList({"+2.3", "20.0", "18.2"}));
    EXPECT_EQ(Column(F::kColHcp), QStringList({"+3", "12 T", "21"})) << "the T survives every recompute";

    // A row's own tee box: White (slope 125) for the plus player still gives a plus handicap.
    grid->SetCol(F::kColTee);
    grid->SetRow(1);
    grid->SetTypeComboBoxCurSel(1);
    form->spSC_Change(F::kColTee, 1);
    EXPECT_EQ(grid->CellText(F::kColHcp, 1), "+3");

    form->spSC_Click(F::kColIndex, 0);  // first click: descending
    EXPECT_EQ(Column(F::kColIndex), QStringList({"20.0", "18.2", "+2.3"}));
    form->spSC_Click(F::kColIndex, 0);
    EXPECT_EQ(Column(F::kColIndex), QStringList({"+2.3", "18.2", "20.0"})) << "a plus index is the lowest";
    form->spSC_Click(F::kColTee, 0);
    EXPECT_EQ(Column(F::kColIndex), QStringList({"+2.3", "18.2", "20.0"}))
        << "the tee-box header sorts nothing";
    // The players behind the rows follow sorts and moves: a women's tee box changes the woman's row.
    grid->SetActiveCell(F::kColName, 3);
    form->cmdUp_Click();
    form->cboTeeBoxW->setCurrentIndex(0);  // Blue, no slope
    form->cboTeeBoxW_Click();
    EXPECT_EQ(Column(F::kColHcp), QStringList({"+3", "", "21"}));
}

TEST_F(ScoreCardScreenTest, GroupingByIndexNamesAndAtRandom) {
    AddPlayers(7);
    Open();
    form->cboPlayersPerCard->setCurrentIndex(2);  // 3
    EXPECT_FALSE(form->chkShowHide[2]->isEnabled());
    grid->SetCellValue(F::kColPrint, 4, 0);
    form->spSC_ButtonClicked(F::kColPrint, 4, false);
    EXPECT_EQ(grid->CellText(F::kColCard, 4), "") << "unticking empties the card number";
    form->cmdTeams_Click(1);
    EXPECT_EQ(box.Count(), 0) << "six ticked fill two cards";
    EXPECT_EQ(Column(F::kColCard), QStringList({"1", "1", "1", "", "2", "2", "2"}));
    EXPECT_EQ(Column(F::kColIndex), QStringList({"10.0", "11.0", "12.0", "13.0", "14.0", "15.0", "16.0"}));

    form->cmdAllOnOff_Click(1);
    form->cmdTeams_Click(2);
    EXPECT_TRUE(box.Last().startsWith("The Score Cards were set up for 3 players per score card."));
    EXPECT_EQ(grid->CellText(F::kColName, 1), "LastA, First ");
    EXPECT_EQ(Column(F::kColCard), QStringList({"1", "1", "1", "2", "2", "2", "3"}));

    form->cmdTeams_Click(3);
    EXPECT_EQ(Column(F::kColCard), QStringList({"1", "1", "1", "2", "2", "2", "3"}))
        << "rows stand card by card";

    form->cmdAllOnOff_Click(2);
    form->cmdTeams_Click(1);
    EXPECT_EQ(box.Last(), "No players have been selected to print.  Please select at least 1 player.");
}

TEST_F(ScoreCardScreenTest, PrintingChecksRenumbersAndStoresTheOffsets) {
    AddPlayers(4, "3");
    Open();
    form->cboPlayersPerCard->setCurrentIndex(1);  // 2
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    form->txtXOffset->setText("99");
    form->cmdPrint_Click();
    EXPECT_EQ(box.Last(), kOffsetRangeMessage) << "an offset off the sheet is refused";
    EXPECT_DOUBLE_EQ(TestDb().Scalar("Select XOFFSET From SETUP").toDouble(), 0) << "and not stored";
    form->txtXOffset->setText(".4");  // the cards stay inside the printable area
    form->txtYOffset->setText(".25");

    form->cboTeeBoxW->setCurrentIndex(-1);
    form->cmdPrint_Click();
    EXPECT_EQ(
        box.Last(),
        "Please select a valid Women's Tee Box.  Handicap and Indexes will not be calculated correctly.");
    EXPECT_EQ(log->DocumentCount(), 0) << "no cards with zeros";
    EXPECT_EQ(TestDb().LastStatement(), "Update SETUP Set XOFFSET=0.400,YOFFSET=0.250");
    EXPECT_DOUBLE_EQ(TestDb().Scalar("Select XOFFSET From SETUP").toDouble(), 0.4);
    form->cboTeeBoxW->setCurrentIndex(1);
    form->cboTeeBoxW_Click();

    SetCards({"1", "1", "", "1"});
    form->cmdPrint_Click();
    EXPECT_EQ(
        box.Last(),
        "There are 3 Players on Card #2.  Please reduce the number of players on each card to be 2 or less.");
    EXPECT_EQ(log->DocumentCount(), 0);

    // The refused run has already put the rows in card order: players 3, 1, 2, 4.
    SetCards({"4", "9", "4", "2"});
    grid->SetCellValue(F::kColPrint, 4, 0);  // unticked, his card number kept
    Q_EMIT grid->Change(F::kColPrint, 4);
    form->cmdPrint_Click();
    EXPECT_EQ(Column(F::kColCard), QStringList({"1", "1", "2", "2"}));
    EXPECT_EQ(Column(F::kColName),
              QStringList({"LastB, First ", "LastC, First ", "LastD, First ", "LastA, First "}));
    ASSERT_EQ(log->DocumentCount(), 1);
    EXPECT_EQ(log->PageCount(1), 1) << "two cards, one page";
    const QStringList printed = log->TextsOn(1, 1);
    EXPECT_EQ(printed.count("Pine Ridge"), 2);
    EXPECT_TRUE(printed.contains("LastB, First")) << "player 3 is a woman on White";
    EXPECT_FALSE(printed.contains("LastA, First")) << "unticked";
    EXPECT_EQ(printed.count("*"), 14 + 13 + 12) << "14 for the woman on White, 13 and 12 for the men on Blue";

    form->txtXOffset->setText(".047");
    form = std::make_unique<frmScoreCard>(Ctx());
    EXPECT_EQ(form->txtXOffset->text(), ".400") << "the next screen finds the stored offsets";
    EXPECT_EQ(form->txtYOffset->text(), ".250");
}

TEST_F(ScoreCardScreenTest, APrinterFailureEndsTheRunCleanly) {
    AddPlayers(2);
    int failing = 1;
    log = RecordAllPrinting([&failing](RecordingPrinterPage& page) {
        if (failing-- > 0) page.SetFailure(482, 30);
    });
    Open();
    form->cmdPrint_Click();
    EXPECT_TRUE(box.Last().startsWith("Score Card, Print_Click\r\nError Number 482"))
        << box.Last().toStdString();
    EXPECT_EQ(CurrentMousePointer(), Pointer::Default);
    EXPECT_EQ(log->DocumentCount(), 0) << "the broken document is not handed on";
    form->cmdPrint_Click();
    ASSERT_EQ(log->DocumentCount(), 1);
    EXPECT_EQ(log->PageCount(1), 1) << "the next run starts a document of its own";
}

// A 60-character name never needs scrolling sideways at 1024x768: the name column takes what the
// figure columns leave and shows a cut name whole in its tooltip.
TEST_F(ScoreCardScreenTest, FitsTheScreenWithALongName) {
    AddPlayers(3);
    TestDb().Execute("UPDATE PLAYERS SET LAST_NAME=?, FIRST_NAME=? WHERE PLAYER_ID=1",
                     {"Fitzwilliam-Worthington-Smythe-Montgomery", "Bartholomew Maximilian"});
    TestDb().Execute("UPDATE COURSES SET TB=?", {PackTeeName("Championship Blue xx") +
                                                     PackTeeName("Championship White x") +
                                                     PackTeeName("Championship Gold xx") + PackTeeName("")});
    Open();
    EXPECT_EQ(test::LayoutFaults(*form), QStringList());
    // 20-letter tee names, also in a larger font: the tee column gives up room as the name does.
    const QFont normal = QApplication::font();
    QFont big = normal;
    big.setPointSizeF(big.pointSizeF() * 1.3);
    QApplication::setFont(big);
    Open();
    QApplication::setFont(normal);
    EXPECT_EQ(test::LayoutFaults(*form), QStringList());
}

}  // namespace dc
