// The main screen while other screens write: a round stored with the figures its tee box has when
// it is stored, whatever question saves it, and with its player's gender as stored then or as the
// golfer corrected it; another screen's change noted while a question is open is caught up with
// after it; and no course nobody chose is shown or warned about.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <functional>

#include "MainScreenFixture.h"
#include "QStringPrint.h"
#include "entry/frmMainGolf.h"
#include "platform/Database.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/Spread.h"
#include "records/PlayerStore.h"
#include "records/frmCourseSetup.h"
#include "shell/DateFormat.h"
#include "shell/ProgramDb.h"

using namespace dc;

using MainScreen = test::MainScreenFixture;

// A new round on Pines, hole 1 = 9; in the course editor hole 1's par 4 to 5; the editor closed
// through its own question, and the main screen's "Save the changes?" open while the notice of the
// editor's write (and of a player added meanwhile) comes: the round is stored with par 5 and the
// capped scores it gives, and the screen catches up with the player list after the save.
TEST_F(MainScreen, TheEditorClosedThroughItsQuestionWhileTheScreenAsksLeavesNoOldPar) {
    auto f = Open();
    f->cmdCourse_Click();
    auto* editor = f->findChild<frmCourseSetup*>();
    ASSERT_TRUE(editor);
    SelectPlayer(*f, 7);
    ChooseCourse(*f);
    f->mskDate->SetText(FormatLocalDate(QDate(2024, 5, 2), Ctx().sDateFormat));
    TypeGross(*f, 5);
    f->SetHoleText(kRowGross, 1, "9");
    f->Calc_Row_Scores(kRowGross);
    const int canadaOnPar4 = D(*f, 4, 4).toInt();

    editor->cboCourseName->setCurrentIndex(editor->cboCourseName->findData(1));
    editor->cboCourseName_Click();
    editor->spMPar->SetCellText(1, 1, "5");
    Q_EMIT editor->spMPar->Change(1, 1);
    test::ScriptedMsgBox boxes({}, vbYes);
    boxes.whileOpen = [](const QString& text) {
        if (!text.endsWith("Save the changes?")) return;
        test::AddPlayer(9, "BROWN", "Cy", "F");
        QCoreApplication::sendPostedEvents();  // the notices, delivered while the question is open
    };
    editor->close();
    ASSERT_EQ(boxes.Texts().filter("Save the changes?").size(), 1) << boxes.Texts().join("|").toStdString();
    ASSERT_EQ(test::RoundCount(7), 1);
    EXPECT_TRUE(test::RoundRows(7, "PAR")[0].startsWith("54")) << test::RoundRows(7, "PAR")[0].toStdString();
    EXPECT_EQ(Stored("ADJSCR_CA_18", 7, 1), canadaOnPar4 + 1) << "capped one higher on a par 5";
    EXPECT_EQ(f->spISC->CellText(1, kRowPar), "5");
    EXPECT_EQ(D(*f, 4, 4).toInt(), canadaOnPar4 + 1) << "shown as stored";
    EXPECT_TRUE(QTest::qWaitFor([&] { return f->cboPlayer->findData(9) >= 0; }, test::kGenerousWaitMs))
        << "the player added while the question was open";
}

// Another screen corrects a slope while a round is on the screen, and Save comes before its notice:
// the round is stored with the slope its tee box has then, unless it is a stored round on the tee
// box it was played off, which keeps its own.
TEST_F(MainScreen, SaveTakesTheSlopeTheTeeBoxHasThenUnlessTheRoundKeepsItsOwn) {
    const struct {
        const char* name;
        int course, tee;  // where the round is saved (tee -1: a new round on course 1, slot 0)
        int stored;
    } cases[] = {{"its own tee box", 1, 0, 113},
                 {"another tee box of its course", 1, 1, 126},
                 {"the same slot of another course", 2, 0, 131},
                 {"a new round", 1, -1, 125}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestDb().Execute("DELETE FROM COURSES");
        TestDb().Execute("DELETE FROM INDIV_SCORES");
        test::AddCourse(1, "Pines");
        test::AddCourse(2, "Oaks", 130);
        TestDb().Execute(
            "UPDATE COURSES SET TB=?, MSL='113120000000', MCR='72.070.000.000.0' WHERE COURSE_ID=1",
            {QString("Blue").rightJustified(20) + QString("White").rightJustified(20) + QString(40, ' ')});
        test::AddRound(7, 1, QDate(2024, 1, 1), 5);
        test::ScriptedMsgBox boxes;
        auto f = Open();
        SelectPlayer(*f, 7);
        if (c.tee < 0) {
            f->cmdNewGame_Click();
            ChooseCourse(*f);
            TypeGross(*f, 5);
        } else {
            f->cboCourse->setCurrentIndex(f->cboCourse->findData(c.course));
            f->cboTeeBox->setCurrentIndex(c.tee);
        }
        f->SetHoleText(kRowGross, 1, "9");
        f->Calc_Row_Scores(kRowGross);
        const QString slopes = c.course == 2 ? "131000000000" : "125126000000";
        TestDb().Execute("UPDATE COURSES SET MSL=? WHERE COURSE_ID=?", {slopes, c.course});
        ASSERT_TRUE(f->cmdSave_Click()) << boxes.Texts().join("|").toStdString();
        EXPECT_EQ(test::RoundRows(7, "SLOPE_RATING").join(" "),
                  c.tee < 0 ? "113 125" : QString::number(c.stored));
    }
}

// The database switched while a woman's round is shown, then the settings screen closed: nothing of
// the old database chooses a course in the new one (its course 1 has no women's figures), neither
// the course shown before nor the one Keep same carried.
TEST_F(MainScreen, AfterTheDatabaseSwitchNoCourseOfTheOldDatabaseIsChosen) {
    test::AddRound(8, 1, QDate(2024, 1, 2), 5);
    test::ScriptedMsgBox boxes;
    auto f = Open();
    SelectPlayer(*f, 7);
    f->chkKeepSame->setChecked(true);
    ChooseCourse(*f);
    TypeGross(*f, 5);
    ASSERT_TRUE(f->cmdSave_Click()) << boxes.Last().toStdString();
    SelectPlayer(*f, 8);
    ASSERT_EQ(f->cboCourse->currentData().toInt(), 1);

    LiveDatabase kept = std::move(Ctx().Live());
    Ctx().Live().Adopt(OpenProgramDatabase(folder.MakeDatabase("Other.mdb")));
    test::AddCourse(1, "Willow");
    TestDb().Execute("UPDATE COURSES SET WSL='000000000000', WCR='00.000.000.000.0'");
    test::AddPlayer(7, "OTHER", "Person", "F");
    QApplication::processEvents();  // the switch's notice: the screen starts afresh
    f->Form_Activate(3);            // the settings screen closed
    EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join("|").toStdString();
    EXPECT_EQ(f->cboCourse->currentIndex(), -1);
    SelectPlayer(*f, 7);
    EXPECT_EQ(f->cboCourse->currentIndex(), -1) << "no course carried from the other database";
    EXPECT_EQ(boxes.Count(), 0) << boxes.Texts().join("|").toStdString();
    Ctx().Live() = std::move(kept);
}

// Another course saved in the course editor (it hands that course back), Yes to "Save the changes?"
// on closing it: the round just stored is shown again on its own course, never for a moment on the
// other one, and nothing warns about that one's empty tee box. A new round is put on it.
TEST_F(MainScreen, TheCourseTheEditorHandsBackNeverShowsUnderAStoredRound) {
    StoredRounds(3);
    test::AddCourse(2, "Oaks", 0, "00.0");
    test::ScriptedMsgBox boxes({}, vbYes);
    auto f = Open();
    SelectPlayer(*f, 7);
    f->SetHoleText(kRowGross, 1, "9");
    f->Calc_Row_Scores(kRowGross);
    QList<int> shown;
    QObject::connect(f->cboCourse, &QComboBox::currentIndexChanged, f.get(),
                     [&] { shown << f->cboCourse->currentData().toInt(); });
    Ctx().nCurCourseID = 2;
    f->Form_Activate(1);
    EXPECT_EQ(boxes.Texts(), QStringList{"The Hole 1 score has changed.\n\rSave the changes?"});
    EXPECT_FALSE(shown.contains(2));
    EXPECT_EQ(f->cboCourse->currentData().toInt(), 1);
    EXPECT_EQ(f->round.StoredGame(), 3);
    EXPECT_EQ(test::RoundRows(7, "GS01").value(2), "9");

    f->cmdNewGame_Click();
    Ctx().nCurCourseID = 2;
    f->Form_Activate(1);
    EXPECT_EQ(f->cboCourse->currentData().toInt(), 2) << "a new round takes the course handed back";
    EXPECT_TRUE(boxes.Last().startsWith("No Slope")) << "and warns about its own tee box";
}

// Whatever the 18/9 view and the Mr./Ms. option show, a save or a delete leaves what the
// recomputation of every round gives, with the player's gender as the save stores it (the option's,
// or as another screen corrected it), and before Save the screen showed what it then shows stored.
TEST_F(MainScreen, ASaveOrDeleteLeavesWhatTheRecomputationGivesWhateverTheViewOrGender) {
    const auto nineView = [](frmMainGolf& f) { f.opt189[2]->setChecked(true); };
    const auto correctedElsewhere = [](const char* gender) {
        PlayerRec p = *PlayerStore(TestDb()).LoadPlayerRec(7);
        p.GENDER = gender;
        PlayerStore(TestDb()).UpdatePlayer(p);
    };
    const struct {
        const char* name;
        int player, game;  // the round acted on (game 0: a new round)
        std::function<void(frmMainGolf&)> act;
        const char* gender;       // the player's stored gender after the save
        bool saved = true;        // false: deleted
        bool shownBefore = true;  // the screen knew what the save stores
    } cases[] = {
        {"a note on the newest game in the 9-hole view", 7, 6,
         [&](frmMainGolf& f) { nineView(f), f.txtNotes->setPlainText("wet"); }, "M"},
        {"a hole corrected on the first game in the 9-hole view", 7, 1,
         [&](frmMainGolf& f) {
             nineView(f);
             f.SetHoleText(kRowGross, 2, "9");
             f.Calc_Row_Scores(kRowGross);
         },
         "M"},
        {"a note on game 3 in the 9-hole view", 7, 3,
         [&](frmMainGolf& f) { nineView(f), f.txtNotes->setPlainText("wet"); }, "M"},
        {"game 3 deleted in the 9-hole view", 7, 3,
         [&](frmMainGolf& f) { nineView(f), f.cmdDeleteGame_Click(); }, "M", false, false},
        {"Mr. clicked on a woman's first game", 8, 1, [](frmMainGolf& f) { f.optMF[0]->setChecked(true); },
         "M"},
        {"Ms. clicked on a man's game 5, then a hole typed", 7, 5,
         [](frmMainGolf& f) {
             f.optMF[1]->setChecked(true);
             f.SetHoleText(kRowGross, 2, "7");
             f.Calc_Row_Scores(kRowGross);
         },
         "F"},
        {"corrected in the player editor while a new round is typed", 7, 0,
         [&](frmMainGolf&) {
             correctedElsewhere("F");
             QCoreApplication::sendPostedEvents();
             QApplication::processEvents();
         },
         "F"},
        {"corrected in the player editor just before Save", 7, 0,
         [&](frmMainGolf&) { correctedElsewhere("F"); }, "F", true, false},
    };
    const QString columns =
        "GAME_NUMBER,HCP_INDEX_US_18,HCP_INDEX_US_F9,HCP_INDEX_US_B9,HCP_INDEX_CA_18,HCP_INDEX_CA_F9,"
        "HCP_INDEX_CA_B9,THCP_INDEX_US_18,THCP_INDEX_CA_18,ADJSCR_US_18,ADJSCR_US_F9,ADJSCR_US_B9,ADJSCR_CA_"
        "18,"
        "ADJSCR_CA_F9,ADJSCR_CA_B9,PAR";
    const auto shown = [](frmMainGolf& f) {
        QStringList figures{f.optMF[0]->isChecked() ? "Mr." : "Ms."};
        for (int c = 1; c <= 6; ++c)
            for (int row = 1; row <= 6; ++row) figures << D(f, c, row);
        return figures.join(' ');
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestDb().Execute("DELETE FROM INDIV_SCORES");
        TestDb().Execute("UPDATE PLAYERS SET GENDER=CASE PLAYER_ID WHEN 7 THEN 'M' ELSE 'F' END");
        TestDb().Execute("UPDATE COURSES SET WSL='130000000000', WPARS='3' || substr(MPARS, 2)");
        Ctx().bFlag18_9 = true;
        // Par 4 on every hole; 5s and 6s with an 11 on holes 1 and 10.
        for (int g = 1; g <= 6; ++g) test::AddRound(c.player, g, QDate(2024, 1, 3 * g), 5 + g % 2);
        TestDb().Execute("UPDATE INDIV_SCORES SET GS01=11,GS10=11,GSF9=GSF9+11-GS02,GSB9=GSB9+11-GS02");
        TestDb().Execute("UPDATE INDIV_SCORES SET GSTOTAL=GSF9+GSB9");
        ResynchAllScores(TestDb());
        test::ScriptedMsgBox boxes({}, vbYes);
        auto f = Open();
        SelectPlayer(*f, c.player);
        if (c.game) {
            f->RecBar->setValue(c.game);
        } else {
            f->cmdNewGame_Click();
            ChooseCourse(*f);
            TypeGross(*f, 5);
        }
        c.act(*f);
        if (c.game == 0) {
            EXPECT_EQ(f->spISC->CellText(1, kRowGross), "5") << "the typed holes stay";
        }
        const QString before = shown(*f);
        if (c.saved) {
            ASSERT_TRUE(f->cmdSave_Click()) << boxes.Texts().join("|").toStdString();
        }
        EXPECT_EQ(TestDb().Scalar("SELECT GENDER FROM PLAYERS WHERE PLAYER_ID=?", {c.player}).toString(),
                  c.gender);
        if (c.game == 0) {
            EXPECT_EQ(Stored("SLOPE_RATING", 7, 7), 130) << "played off the women's tee box";
        }
        if (c.saved && c.shownBefore) {
            EXPECT_EQ(shown(*f), before) << "shown before Save as stored after it";
        }
        const QStringList stored = test::RoundRows(c.player, columns);
        ResynchAllScores(TestDb());
        EXPECT_EQ(test::RoundRows(c.player, columns), stored) << "as the recomputation gives it";
    }
}
