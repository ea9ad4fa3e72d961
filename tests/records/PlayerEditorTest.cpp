// The player editor and its search, offscreen: keys of new players, the checks and their messages,
// keystroke rules, saving new and edited players, deleting with the rounds in one transaction, the
// save question that stops when the save is refused, the name search (one and several matches,
// literal prefixes), the grid's header sort flags, the double-click and the home-course completion.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "QStringPrint.h"
#include "TestSupport.h"
#include "handicap/SaveScores.h"
#include "platform/Database.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "platform/Spread.h"
#include "records/PlayerStore.h"
#include "records/frmPlayers.h"
#include "shell/AppContext.h"
#include "shell/ProgramDb.h"
#include "shell/frmFindName.h"
#include "shell/frmMainWait.h"

namespace dc {
namespace {

class PlayerEditorTest : public ::testing::Test {
  protected:
    void SetUp() override { folder.OpenDatabase(); }
    void TearDown() override {
        if (form) form->bChanged = false;
        form.reset();
        SetMousePointer(Pointer::Default);
    }
    void Open() {
        form = std::make_unique<frmPlayers>(Ctx());
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void Add(int id, const QString& last, const QString& first, const QString& gender = "M",
             const QString& city = QString(), const QString& homeCourse = QString(),
             const QString& coursePh = QString()) {
        TestDb().Execute(
            "INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME, GENDER, CITY, HOME_COURSE, COURSE_PH) "
            "VALUES "
            "(?,?,?,?,?,?,?)",
            {id, last, first, gender, city, homeCourse, coursePh});
    }
    void TypeInto(QLineEdit* box, const QString& text) {
        box->setFocus();
        for (QChar ch : text) QTest::keyClick(box, ch.toLatin1());
    }
    void FillNewPlayer(const QString& last, const QString& first) {
        TypeInto(form->txtLast, last);
        TypeInto(form->txtFirst, first);
        form->optGender_1->setChecked(true);
    }
    QString Stored(const QString& column, int id) {
        return TestDb().Scalar("SELECT " + column + " FROM PLAYERS WHERE PLAYER_ID=?", {id}).toString();
    }
    int Count(const QString& table) { return TestDb().Scalar("SELECT COUNT(*) FROM " + table).toInt(); }
    QStringList GridColumn(int col) {
        QStringList texts;
        for (int r = 1; r <= form->spPlayers->MaxRows(); ++r) texts << form->spPlayers->CellText(col, r);
        return texts;
    }

    test::ProgramFolder folder;
    std::unique_ptr<frmPlayers> form;
};

}  // namespace

TEST_F(PlayerEditorTest, NewKeysChecksAndStoredTexts) {
    Add(1, "Able", "Ann", "F");
    Add(2, "Baker", "Bob");
    Add(7, "Cole", "Cy");
    Open();
    EXPECT_EQ(form->windowTitle(), "Add a New Player");
    EXPECT_FALSE(form->optGender_1->isChecked() || form->optGender_2->isChecked());
    EXPECT_EQ(form->spPlayers->MaxRows(), 3);
    EXPECT_EQ(form->spPlayers->CellText(2, 1), "Able, Ann ");

    test::ScriptedMsgBox box;
    TypeInto(form->txtLast, "  ");
    form->cmdSave_Click();
    EXPECT_EQ(box.Last(), "Please enter a Player Last Name.");
    EXPECT_EQ(QApplication::focusWidget(), form->txtLast);
    form->txtLast->clear();
    TypeInto(form->txtLast, " O'Brien");
    EXPECT_EQ(form->txtLast->text(), " O'Brien") << "stored as typed";
    form->cmdSave_Click();
    EXPECT_EQ(box.Last(), "Please enter a Player First Name.");
    TypeInto(form->txtFirst, "Pat");
    form->cmdSave_Click();
    EXPECT_EQ(box.Last(), "Please enter a Player Gender.  This will be used for scoring by handicap holes.");
    EXPECT_EQ(box.Styles().back(), vbInformation);
    EXPECT_EQ(Count("PLAYERS"), 3) << "nothing stored by a failed check";
    EXPECT_TRUE(form->bChanged);

    TypeInto(form->txtMI, "b");
    EXPECT_EQ(form->txtMI->text(), "B");
    TypeInto(form->txtState, "ny");
    QTest::keyClick(form->txtState, 'x');
    QTest::keyClick(form->txtState, 'z');
    EXPECT_EQ(form->txtState->text(), "NYX") << "upper-cased, and the box takes 3 characters";
    form->optGender_2->setChecked(true);
    form->cmdSave_Click();
    EXPECT_EQ(box.Count(), 3);
    EXPECT_EQ(Stored("LAST_NAME", 8), " O'Brien") << "8 after keys 1, 2 and 7; stored with its leading blank";
    EXPECT_EQ(Stored("GENDER", 8), "F");
    EXPECT_EQ(Stored("STATE", 8), "NYX");
    EXPECT_EQ(form->lblPlayerID->text(), "8");
    EXPECT_EQ(form->windowTitle(), "Edit Player:  O'Brien, Pat B");
    EXPECT_FALSE(form->bNewPlayer);
    EXPECT_EQ(form->spPlayers->MaxRows(), 4);

    // An edit goes through an update; a pasted apostrophe is stored as it stands.
    form->txtLast->setText("O'Brien");
    form->cmdSave_Click();
    EXPECT_EQ(Stored("LAST_NAME", 8), "O'Brien");
    EXPECT_EQ(Count("PLAYERS"), 4);
    EXPECT_EQ(GridColumn(2).last(), "O'Brien, Pat B") << "the grid row follows";
}

TEST_F(PlayerEditorTest, FirstPlayerGetsOneAndADeletedLargestKeyIsGivenAgain) {
    Open();
    FillNewPlayer("Able", "Ann");
    form->cmdSave_Click();
    EXPECT_EQ(Stored("LAST_NAME", 1), "Able");
    form->cmdNew_Click();
    EXPECT_EQ(form->lblPlayerID->text(), "") << "no earlier player's key on the new one";
    EXPECT_TRUE(form->optGender_1->isChecked()) << "and the gender";
    FillNewPlayer("Baker", "Bob");
    form->cmdSave_Click();
    EXPECT_EQ(Stored("LAST_NAME", 2), "Baker");

    test::ScriptedMsgBox box({vbYes});
    form->cmdDelete_Click();
    EXPECT_EQ(Count("PLAYERS"), 1);
    form->cmdNew_Click();
    FillNewPlayer("Cole", "Cy");
    form->cmdSave_Click();
    EXPECT_EQ(Stored("LAST_NAME", 2), "Cole");
}

TEST_F(PlayerEditorTest, DeleteTakesTheRoundsAndStaysWholeOnFailure) {
    Add(1, "Able", "Ann");
    Add(2, "Baker", "Bob");
    for (int g = 1; g <= 3; ++g)
        TestDb().Execute("INSERT INTO INDIV_SCORES (PLAYER_ID, COURSE_ID, GAME_NUMBER) VALUES (?, 1, ?)",
                         {1 + g % 2, g});
    // What conversions took for each: forgotten with the player, so that his key may be given again.
    TestDb().Execute(
        "INSERT INTO CV_CONVERTED VALUES ('G', 'A', 1), ('F', 'A.GDB|1', 1), ('R', '1', 1), "
        "('F', 'B.GDB|2', 2)");
    Open();
    test::ScriptedMsgBox box;
    form->cmdDelete_Click();
    EXPECT_EQ(box.Last(), "A new player cannot be deleted.  Please select a Player to delete.");

    form->spPlayers_DblClick(2, 1);
    EXPECT_EQ(form->lblPlayerID->text(), "1");
    box.Push(vbNo);
    form->cmdDelete_Click();
    EXPECT_EQ(box.Last(),
              "Are you sure you want to delete this player, Able, Ann, and all of the player's rounds?");
    EXPECT_EQ(Count("PLAYERS"), 2);

    // The player's row cannot go: the rounds stay too, no orphan is left for the next new player.
    TestDb().Execute("CREATE TRIGGER keep BEFORE DELETE ON PLAYERS BEGIN SELECT RAISE(ABORT, 'locked'); END");
    box.Push(vbYes);
    form->cmdDelete_Click();
    EXPECT_TRUE(box.Last().startsWith("Players, cmdDelete_Click")) << box.Last().toStdString();
    EXPECT_EQ(TestDb().Scalar("SELECT COUNT(*) FROM INDIV_SCORES WHERE PLAYER_ID=1").toInt(), 1);
    EXPECT_FALSE(form->bNewPlayer);
    TestDb().Execute("DROP TRIGGER keep");

    // A full disk: nothing was deleted, and the box says so rather than that nothing was saved.
    TestDb().Execute("CREATE TABLE GROWTH (X BLOB)");
    TestDb().Execute(
        "CREATE TRIGGER grow BEFORE DELETE ON PLAYERS BEGIN INSERT INTO GROWTH VALUES (randomblob(100000)); "
        "END");
    TestDb().Scalar(QString("PRAGMA max_page_count=%1").arg(TestDb().Scalar("PRAGMA page_count").toInt()));
    box.Push(vbYes);
    form->cmdDelete_Click();
    TestDb().Scalar("PRAGMA max_page_count=1073741823");
    TestDb().Execute("DROP TRIGGER grow");
    EXPECT_EQ(box.Last(),
              "The disk is full: nothing was deleted. Free some space on the disk (the one that holds '" +
                  TestDb().Path() + "') and try again.");
    EXPECT_EQ(TestDb().Scalar("SELECT COUNT(*) FROM INDIV_SCORES WHERE PLAYER_ID=1").toInt(), 1);

    box.Push(vbYes);
    form->cmdDelete_Click();
    EXPECT_EQ(Count("PLAYERS"), 1);
    EXPECT_EQ(TestDb().Scalar("SELECT COUNT(*) FROM INDIV_SCORES WHERE PLAYER_ID=1").toInt(), 0);
    EXPECT_EQ(TestDb().Scalar("SELECT COUNT(*) FROM INDIV_SCORES WHERE PLAYER_ID=2").toInt(), 2);
    EXPECT_EQ(TestDb().Scalar("SELECT GROUP_CONCAT(NEW_ID) FROM CV_CONVERTED").toString(), "2");
    EXPECT_TRUE(form->bNewPlayer);
    EXPECT_EQ(form->windowTitle(), "Add a New Player");
    EXPECT_EQ(form->spPlayers->MaxRows(), 1);
    EXPECT_EQ(form->txtLast->text(), "");
}

// Every index and adjusted score of every stored round, in one text.
QString StoredFigures() {
    QStringList columns{"PLAYER_ID", "GAME_NUMBER", "PAR"};
    for (const char* kind : {"HCP_INDEX_", "THCP_INDEX_", "ADJSCR_"})
        for (const char* variant : {"US_18", "US_F9", "US_B9", "CA_18", "CA_F9", "CA_B9"})
            columns << QString(kind) + variant;
    QStringList rows;
    Recordset rs = TestDb().OpenRecordset("SELECT " + columns.join(",") +
                                          " FROM INDIV_SCORES ORDER BY PLAYER_ID, GAME_NUMBER");
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        QStringList values;
        for (int c = 0; c < columns.size(); ++c) values << rs.Fields(c).value().toString();
        rows << values.join(",");
    }
    return rows.join("\n");
}

// A gender corrected from M to F: his rounds were computed with the men's default index 36.4 and
// capped from it; the save recomputes them in the same transaction, a refused or failed save
// changes nothing.
TEST_F(PlayerEditorTest, ACorrectedGenderRecomputesTheRoundsWithTheSave) {
    test::FixedClock clock(QDateTime(QDate(2026, 12, 6), QTime(12, 0)));
    Add(1, "Able", "Al");
    Add(2, "Baker", "Bob");
    // Seven rounds of tens for Al (a nine-hole round among them), six for Bob: rated 72.0/113.
    for (int game = 1; game <= 13; ++game) {
        const bool nine = game == 3;
        QStringList names{"PLAYER_ID",     "COURSE_ID",    "GAME_NUMBER", "ROUND_DATE", "RND_GAME_ID",
                          "COURSE_RATING", "SLOPE_RATING", "USE_HCP",     "GSTOTAL",    "GSF9",
                          "GSB9",          "PAR",          "NOTES"};
        QVariantList values{game <= 7 ? 1 : 2,
                            1,
                            game,
                            QString("2026-0%1-01").arg(game % 9 + 1),
                            game,
                            72.0,
                            113,
                            1,
                            nine ? 90 : 180,
                            90,
                            nine ? 0 : 90,
                            "444444444444444444",
                            " "};
        for (int h = 1; h <= 18; ++h) {
            names << QString("GS%1").arg(h, 2, 10, QChar('0'));
            values << (nine && h > 9 ? 0 : 10);
        }
        QStringList marks(names.size(), "?");
        TestDb().Execute(
            "INSERT INTO INDIV_SCORES (" + names.join(",") + ") VALUES (" + marks.join(",") + ")", values);
    }
    ASSERT_TRUE(ResynchAllScores(TestDb()).ok);
    const QString asMen = StoredFigures();
    Open();
    form->spPlayers_DblClick(2, 1);
    ASSERT_EQ(form->lblPlayerID->text(), "1");
    form->optGender_2->setChecked(true);

    test::ScriptedMsgBox box;
    form->txtFirst->clear();
    EXPECT_FALSE(form->SavePlayer());
    EXPECT_EQ(box.Last(), "Please enter a Player First Name.");
    form->txtFirst->setText("Al");
    TestDb().Execute(
        "CREATE TRIGGER keep BEFORE UPDATE ON INDIV_SCORES BEGIN SELECT RAISE(ABORT, 'locked'); END");
    EXPECT_FALSE(form->SavePlayer());
    EXPECT_TRUE(box.Last().startsWith("Players, cmdSave_Click")) << box.Last().toStdString();
    TestDb().Execute("DROP TRIGGER keep");
    EXPECT_EQ(Stored("GENDER", 1), "M") << "the gender and the rounds together or neither";
    EXPECT_EQ(StoredFigures(), asMen);
    EXPECT_TRUE(form->bChanged);

    // Each save looked at while its first game is recomputed: the progress window for more than six
    // rounds, the editor disabled meanwhile.
    auto saveShowingWait = [&] {
        bool shown = false;
        QTimer::singleShot(0, form.get(), [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (qobject_cast<frmMainWait*>(w) && w->isVisible()) shown = !form->isEnabled();
        });
        EXPECT_TRUE(form->SavePlayer());
        QApplication::processEvents();
        EXPECT_TRUE(form->isEnabled());
        return shown;
    };
    EXPECT_TRUE(saveShowingWait()) << "seven rounds";
    EXPECT_EQ(Stored("GENDER", 1), "F");
    form->spPlayers_DblClick(2, 2);
    form->optGender_2->setChecked(true);
    EXPECT_FALSE(saveShowingWait()) << "six rounds";
    EXPECT_EQ(Stored("GENDER", 2), "F");
    const QString saved = StoredFigures();
    EXPECT_NE(saved, asMen);
    EXPECT_EQ(TestDb()
                  .Scalar("SELECT HCP_INDEX_US_18 FROM INDIV_SCORES WHERE PLAYER_ID=1 AND GAME_NUMBER=1")
                  .toDouble(),
              40.4);
    ASSERT_TRUE(ResynchAllScores(TestDb()).ok);
    EXPECT_EQ(StoredFigures(), saved) << "every figure as a recomputation of every round has it";

    // Corrected back, without a progress window: the men's figures again.
    for (int id : {1, 2}) {
        PlayerRec p = *PlayerStore(TestDb()).LoadPlayerRec(id);
        p.GENDER = "M";
        PlayerStore(TestDb()).UpdatePlayer(p);
    }
    EXPECT_EQ(StoredFigures(), asMen);
}

TEST_F(PlayerEditorTest, ClosingStopsWhenTheSaveIsRefusedAndHandsBackTheKey) {
    Add(5, "Able", "Ann");
    Open();
    form->spPlayers_DblClick(2, 1);
    form->txtFirst->clear();
    test::ScriptedMsgBox box({vbYes, vbOK, vbCancel, vbNo});
    form->close();
    EXPECT_EQ(box.Texts().value(0), "Do you want to save the changes to the current player?");
    EXPECT_EQ(box.Texts().value(1), "Please enter a Player First Name.");
    EXPECT_TRUE(form->isVisible()) << "the edits are not lost";
    form->close();
    EXPECT_TRUE(form->isVisible()) << "Cancel";
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Ctx().nCurPlayerID, 5);
    EXPECT_EQ(form->nReturnCode, 2);
    EXPECT_EQ(Stored("FIRST_NAME", 5), "Ann");
}

TEST_F(PlayerEditorTest, EnterMovesOnInTabOrder) {
    Open();
    form->txtLast->setFocus();
    QTest::keyClick(form->txtLast, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form->txtFirst);
    form->txtGHIN->setFocus();
    QTest::keyClick(form->txtGHIN, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form->cmdSave);
    EXPECT_EQ(form->txtGHIN->text(), "");
}

// At 1024x768 with a 60-character name and long addresses every column shows: the narrow ones as
// their texts, the name, address, city and e-mail sharing the rest and shown whole as tooltips. The
// find-name dialog shows such names whole as tooltips too, without scrolling sideways.
TEST_F(PlayerEditorTest, FitsTheScreenAndShowsEveryName) {
    Add(1, "Fitzwilliam-Montgomery", "Bartholomew", "M", "Saint-Jean-sur-Richelieu", "", "217-555-0199");
    Add(2, "Fitzwilliam-Worthington-Smythe-Montgomery", "Bartholomew Maximilian", "M",
        "Saint-Jean-sur-Richelieu-de-la-Montagne");
    TestDb().Execute(
        "UPDATE PLAYERS SET ADDRESS1=?, EMAIL=?, ZIP='J3B 1A1', HOME_PHONE='450-555-0100'",
        {"12345 Chemin de la Grande-Riviere-du-Nord", "bartholomew.fitzwilliam-worthington@example.com"});
    Open();
    EXPECT_EQ(test::LayoutFaults(*form), QStringList());
    EXPECT_LT(form->spPlayers->columnWidth(3 - 1), 60) << "M/F as narrow as its texts";

    QStringList faults;
    test::ScriptedModal modal([&](QDialog& d) {
        faults = test::LayoutFaults(d, d.size());
        return static_cast<int>(QDialog::Rejected);
    });
    test::ScriptedMsgBox box;
    form->txtSearch->setText("fitz");
    form->cmdSearch_Click();
    EXPECT_EQ(modal.Count(), 1);
    EXPECT_EQ(faults, QStringList());
}

TEST_F(PlayerEditorTest, SearchWithOneAndSeveralMatchesAndLiteralPrefixes) {
    Add(1, "Smith", "John");
    Add(2, "Smithers", "Ann");
    Add(3, "O`Neil", "Jo");  // as older versions saved a typed apostrophe
    Add(4, "Jones", "Ann");
    Add(5, "S_mith", "Kim");
    Add(6, "O'Hara", "Mo");
    Add(7, "Jones", "Ann");
    TestDb().Execute("UPDATE PLAYERS SET MI='B' WHERE PLAYER_ID=7");  // alike but for the initial
    Open();
    test::ScriptedMsgBox box;

    form->txtSearch->setText("o'n");
    form->cmdSearch_Click();
    EXPECT_EQ(form->lblPlayerID->text(), "3") << "one match loads at once; ' finds `";
    EXPECT_EQ(form->txtSearch->text(), "");
    EXPECT_EQ(form->windowTitle(), "Edit Player: O`Neil, Jo ");
    EXPECT_FALSE(form->bChanged);
    EXPECT_FALSE(form->bNewPlayer);
    form->txtSearch->setText("O`H");
    form->cmdSearch_Click();
    EXPECT_EQ(form->lblPlayerID->text(), "6") << "and ` finds '";

    QStringList listed;
    test::ScriptedModal modal([&](QDialog& d) {
        auto& dlg = dynamic_cast<frmFindName&>(d);
        for (int i = 0; i < dlg.lstNames->count(); ++i) listed << dlg.lstNames->item(i)->text();
        dlg.lstNames->setCurrentRow(1);
        dlg.lstNames_Click();
        dlg.cmdRetrieve_Click();
        return static_cast<int>(QDialog::Accepted);
    });
    form->txtSearch->setText("smi");
    form->cmdSearch_Click();
    EXPECT_EQ(listed, (QStringList{"Smith, John", "Smithers, Ann"}))
        << "in last-name order; _ is no wildcard";
    EXPECT_EQ(form->lblPlayerID->text(), "2");
    EXPECT_EQ(form->windowTitle(), "Edit Player: Smithers, Ann ");

    form->txtSearch->setText("Smith, J");
    form->cmdSearch_Click();
    EXPECT_EQ(form->lblPlayerID->text(), "1");
    form->txtSearch->setText(", Ann");
    listed.clear();
    form->cmdSearch_Click();
    EXPECT_EQ(listed, (QStringList{"Jones, Ann", "Jones, Ann B", "Smithers, Ann"}))
        << "the middle initial where two names would read alike";

    for (const QString& text : QStringList{"%", "[", "S*", "?", " Smith"}) {
        form->txtSearch->setText(text);
        form->cmdSearch_Click();
        EXPECT_EQ(box.Last(), "No matches found") << text.toStdString();
        EXPECT_EQ(form->txtSearch->text(), text) << "the text stays";
    }
    form->txtSearch->setText("S_");
    form->cmdSearch_Click();
    EXPECT_EQ(form->lblPlayerID->text(), "5") << "an underscore matches only itself";

    form->txtSearch->setText("  ");
    form->cmdSearch_Click();
    EXPECT_EQ(box.Last(), "Please enter a character from the Last Name.");
    EXPECT_EQ(modal.Count(), 2);
}

TEST(PlayerStore, SearchIgnoresCaseInEveryAlphabetAndStaysALiteralPrefix) {
    test::ProgramFolder folder;
    folder.OpenDatabase();
    TestDb().Execute(
        "Insert Into PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME) Values (1, 'Ölund', 'Åsa'), "
        "(2, 'ÉTIENNE', 'Zoë'), (3, 'Olund', 'Per'), (4, 'Öl_und', 'X')");
    const struct {
        const char* typed;
        std::vector<int> found;
    } cases[] = {{"ölund", {1}}, {"ÖLUND", {1}}, {"étienne, ZOË", {2}}, {"olund", {3}},
                 {"öl_", {4}},   {"öl%", {}},    {"ölund, åsa", {1}}};
    for (const auto& c : cases) {
        std::vector<int> ids;
        for (const NameMatch& m : PlayerStore(TestDb()).SearchPlayers(QString::fromUtf8(c.typed)))
            ids.push_back(m.PLAYER_ID);
        EXPECT_EQ(ids, c.found) << c.typed;
    }
}

TEST_F(PlayerEditorTest, SearchAsksFirstAndKeepsTheNewStateWhenCancelled) {
    Add(1, "Smith", "John");
    Add(2, "Smithers", "Ann");
    Open();
    test::ScriptedModal modal([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    test::ScriptedMsgBox box({vbYes, vbOK});
    TypeInto(form->txtFirst, "Edited");
    form->txtSearch->setText("smi");
    form->cmdSearch_Click();
    EXPECT_EQ(box.Texts().value(1), "Please enter a Player Last Name.");
    EXPECT_EQ(modal.Count(), 0) << "a refused save stops the search";
    EXPECT_EQ(form->txtFirst->text(), "Edited");

    box.Push(vbNo);
    form->cmdSearch_Click();
    EXPECT_EQ(modal.Count(), 1);
    EXPECT_TRUE(form->bNewPlayer) << "cancelled: still a new player";
    EXPECT_EQ(form->txtFirst->text(), "Edited");
    FillNewPlayer("Zed", "Zoe");
    form->cmdSave_Click();
    EXPECT_EQ(Stored("LAST_NAME", 3), "Zed") << "the save still adds a row";
}

TEST_F(PlayerEditorTest, HeaderClicksSortEachColumnByItsOwnFlag) {
    Add(1, "Able", "A", "M", "Boston");
    Add(2, "Baker", "B", "F", "Austin");
    Add(3, "Cole", "C", "M", "Chicago");
    Open();
    form->spPlayers_Click(0, 0);
    form->spPlayers_Click(5, 1);
    EXPECT_EQ(GridColumn(5), (QStringList{"Boston", "Austin", "Chicago"})) << "only header clicks sort";
    form->spPlayers_Click(5, 0);
    EXPECT_EQ(GridColumn(5), (QStringList{"Chicago", "Boston", "Austin"}))
        << "the first click sorts descending";
    EXPECT_EQ(GridColumn(1), (QStringList{"3", "1", "2"})) << "whole rows move";
    form->spPlayers_Click(5, 0);
    EXPECT_EQ(GridColumn(5), (QStringList{"Austin", "Boston", "Chicago"}));
    form->spPlayers_Click(2, 0);
    EXPECT_EQ(GridColumn(2).first(), "Cole, C ") << "another column starts descending too";
    EXPECT_FALSE(form->bColSortFlag[2]);
    EXPECT_TRUE(form->bColSortFlag[5]);

    // A real click on the header does the same.
    QHeaderView* header = form->spPlayers->horizontalHeader();
    const int x = header->sectionViewportPosition(4) + header->sectionSize(4) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    EXPECT_EQ(GridColumn(5), (QStringList{"Chicago", "Boston", "Austin"}));
}

TEST_F(PlayerEditorTest, DoubleClickAsksAndLoadsTheRow) {
    Add(1, "Able", "Ann", "F");
    Add(2, "Baker", "Bob", "");
    Open();
    form->spPlayers_DblClick(2, 0);
    EXPECT_EQ(form->lblPlayerID->text(), "") << "a header double-click does nothing";
    form->spPlayers_DblClick(2, 1);
    EXPECT_TRUE(form->optGender_2->isChecked());
    TypeInto(form->txtCity, "X");
    test::ScriptedMsgBox box({vbCancel});
    form->spPlayers_DblClick(2, 2);
    EXPECT_EQ(form->lblPlayerID->text(), "1") << "Cancel keeps the fields";
    EXPECT_EQ(form->txtCity->text(), "X");
    box.Push(vbNo);
    form->spPlayers_DblClick(2, 2);
    EXPECT_EQ(form->lblPlayerID->text(), "2");
    EXPECT_TRUE(form->optGender_2->isChecked()) << "an empty gender leaves the buttons as they were";
    EXPECT_FALSE(form->bChanged);
}

TEST_F(PlayerEditorTest, HomeCourseCompletion) {
    Add(1, "Able", "Ann", "F", "", "Pine Valley", "555-0101");
    Add(2, "Baker", "Bob", "M", "", "50% Club", "555-0202");
    Open();
    TypeInto(form->txtHomeCourse, "Pi");
    EXPECT_EQ(form->txtHomeCourse->text(), "Pine Valley");
    EXPECT_EQ(form->txtHomeCourse->selectedText(), "ne Valley");
    EXPECT_EQ(form->txtCoursePh->text(), "555-0101");
    QTest::keyClick(form->txtHomeCourse, Qt::Key_Backspace);
    EXPECT_EQ(form->txtHomeCourse->text(), "Pi") << "Backspace never completes";
    TypeInto(form->txtHomeCourse, "x");
    EXPECT_EQ(form->txtCoursePh->text(), "") << "no player has that prefix";
    form->txtHomeCourse->clear();
    TypeInto(form->txtHomeCourse, "5");
    EXPECT_EQ(form->txtHomeCourse->text(), "50% Club");
    form->txtHomeCourse->clear();
    TypeInto(form->txtHomeCourse, "%");
    EXPECT_EQ(form->txtHomeCourse->text(), "%") << "% is no wildcard";
}

TEST_F(PlayerEditorTest, PassingThroughTheHomeCourseBoxChangesNothing) {
    Add(1, "Able", "Ann", "F", "", "Oak Hills CC", "555-0001");
    Add(2, "Baker", "Bob", "M", "", "Oak Hills", "555-0002");
    Open();
    form->spPlayers_DblClick(1, 2);
    ASSERT_EQ(form->txtHomeCourse->text(), "Oak Hills");
    form->txtHomeCourse->setFocus();
    for (Qt::Key key : {Qt::Key_End, Qt::Key_Left, Qt::Key_Home, Qt::Key_Shift, Qt::Key_Tab})
        QTest::keyClick(form->txtHomeCourse, key);
    EXPECT_EQ(form->txtHomeCourse->text(), "Oak Hills");
    EXPECT_EQ(form->txtCoursePh->text(), "555-0002");
    EXPECT_FALSE(form->bChanged);
}

TEST_F(PlayerEditorTest, APasteLongerThanTheBoxIsCutNotDropped) {
    Open();
    form->txtFirst->setFocus();
    QApplication::clipboard()->setText("Bartholomew-Maximilian-Alexander");  // 32 characters
    form->txtFirst->paste();
    EXPECT_EQ(form->txtFirst->text().toStdString(), "Bartholomew-Maximilian-A") << "cut to the box's 24";
}

TEST_F(PlayerEditorTest, NamesSortWithoutRegardToCase) {
    Add(1, "de Vries", "Dirk");
    Add(2, "Young", "Yves");
    Add(3, "Baker", "Bob");
    Add(4, "de Vries", "Anna");
    QStringList found;
    for (const NameMatch& m : PlayerStore(TestDb()).SearchPlayers("")) found << m.LAST_NAME;
    EXPECT_EQ(found, (QStringList{"Baker", "de Vries", "de Vries", "Young"})) << "the find dialog's order";
    QStringList lasts;
    for (const PlayerRec& p : PlayerStore(TestDb()).AllPlayers(PlayerOrder::LastName)) lasts << p.LAST_NAME;
    EXPECT_EQ(lasts, (QStringList{"Baker", "de Vries", "de Vries", "Young"})) << "the labels' order";
}

TEST(PlayerStore, LikePrefixEscapesWildcards) {
    EXPECT_EQ(LikePrefix("a%b_c\\"), "a\\%b\\_c\\\\%");
    EXPECT_EQ(LikePrefix(""), "%");
}

// A player is never written into a database other than the one the editor loaded from: a save
// after a switch is refused and the open database's players are shown, as the switch's notice
// shows them when it arrives.
TEST_F(PlayerEditorTest, NothingIsWrittenIntoAnotherDatabase) {
    Add(1, "Able", "Ann");
    Add(2, "Brown", "Bea", "F");
    Open();
    FillNewPlayer("Cole", "Cy");
    const QString first = Ctx().Connection().Path();
    Ctx().Live().Open(folder.MakeDatabase("Other.mdb"));  // its notice not yet delivered
    Add(5, "Other", "Olga", "F");
    test::ScriptedMsgBox box;
    EXPECT_FALSE(form->SavePlayer());
    EXPECT_TRUE(box.Last().startsWith("Another database has been opened since the player was loaded"))
        << box.Last().toStdString();
    EXPECT_EQ(Count("PLAYERS"), 1);
    EXPECT_EQ(OpenProgramDatabase(first)->Scalar("SELECT COUNT(*) FROM PLAYERS").toInt(), 2);
    EXPECT_EQ(form->spPlayers->MaxRows(), 1);
    EXPECT_TRUE(form->txtLast->text().isEmpty());
    EXPECT_FALSE(form->bChanged);

    Ctx().Live().Open(first);
    QApplication::processEvents();
    EXPECT_EQ(form->spPlayers->MaxRows(), 2) << "the switch back shows the first database's players";
}

}  // namespace dc
