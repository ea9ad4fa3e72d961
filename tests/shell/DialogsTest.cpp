// The small dialogs: find-name, calendar, progress window; and the list loaders.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "TestSupport.h"
#include "platform/Database.h"
#include "platform/MsgBox.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ListLoaders.h"
#include "shell/MsgBoxWindow.h"
#include "shell/ProgramFolder.h"
#include "shell/frmCalendar.h"
#include "shell/frmFindName.h"
#include "shell/frmMainWait.h"

using namespace dc;

namespace {
QPoint ItemCenter(QListWidget* list, int row) { return list->visualItemRect(list->item(row)).center(); }
}  // namespace

TEST(FindName, RetrieveCancelDoubleClickAndCloseBox) {
    test::ProgramFolder folder;
    {
        frmFindName dlg;
        EXPECT_EQ(dlg.FindPlayerID(), 0) << "the dialog starts with nothing chosen";
        dlg.AddName("SMITH, John", 7);
        dlg.AddName("SMITH, Ann", 9);
        dlg.show();
        EXPECT_FALSE(dlg.cmdRetrieve->isEnabled());
        QTest::mouseClick(dlg.lstNames->viewport(), Qt::LeftButton, {}, ItemCenter(dlg.lstNames, 1));
        EXPECT_TRUE(dlg.cmdRetrieve->isEnabled());
        EXPECT_EQ(dlg.FindPlayerID(), 9);
        QTest::mouseClick(dlg.cmdRetrieve, Qt::LeftButton);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.FindPlayerID(), 9);
    }
    {
        frmFindName dlg;
        dlg.AddName("SMITH, John", 7);
        dlg.show();
        QTest::mouseClick(dlg.lstNames->viewport(), Qt::LeftButton, {}, ItemCenter(dlg.lstNames, 0));
        QTest::mouseClick(dlg.cmdCancel, Qt::LeftButton);
        EXPECT_EQ(dlg.FindPlayerID(), 0) << "Cancel after a click hands back 0";
    }
    {
        frmFindName dlg;
        dlg.AddName("SMITH, John", 7);
        dlg.show();
        QTest::mouseClick(dlg.lstNames->viewport(), Qt::LeftButton, {}, ItemCenter(dlg.lstNames, 0));
        dlg.close();  // the close box
        EXPECT_EQ(dlg.FindPlayerID(), 0) << "the close box acts as Cancel";
    }
    {
        frmFindName dlg;
        dlg.AddName("SMITH, John", 7);
        dlg.show();
        QTest::mouseClick(dlg.lstNames->viewport(), Qt::LeftButton, {}, ItemCenter(dlg.lstNames, 0));
        QTest::mouseDClick(dlg.lstNames->viewport(), Qt::LeftButton, {}, ItemCenter(dlg.lstNames, 0));
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.FindPlayerID(), 7);
    }
}

// The search gets the clicked player back from Retrieve, and nothing from Cancel after a click.
TEST(FindName, ChooseHandsBackTheRetrievedPlayerOnly) {
    test::ProgramFolder folder;
    for (const bool retrieve : {true, false}) {
        test::ScriptedModal modal([&](QDialog& d) {
            auto& dlg = dynamic_cast<frmFindName&>(d);
            dlg.lstNames->setCurrentRow(1);
            dlg.lstNames_Click();
            retrieve ? dlg.cmdRetrieve_Click() : dlg.cmdCancel_Click();
            return dlg.result();
        });
        const std::optional<int> chosen =
            frmFindName::Choose({{"SMITH, John", 7}, {"SMITH, Ann", 9}}, nullptr);
        EXPECT_EQ(chosen, retrieve ? std::optional<int>(9) : std::nullopt) << retrieve;
    }
}

TEST(Calendar, OpensOnTheDateAndHandsBackTheChosenDay) {
    test::ProgramFolder folder;
    Ctx().sDateFormat = "DD/MM/YYYY";
    const QString sep = LocaleDateSeparator();
    {
        frmCalendar cal("25" + sep + "12" + sep + "2004", Ctx().sDateFormat);
        EXPECT_EQ(cal.calMonth->selectedDate(), QDate(2004, 12, 25));
        cal.calMonth_DateClick(QDate(2004, 3, 5));
        EXPECT_EQ(cal.ChosenDate(), "05" + sep + "03" + sep + "2004");
    }
    Ctx().sDateFormat = "MM/DD/YYYY";
    {
        frmCalendar cal("05" + sep + "03" + sep + "2004", Ctx().sDateFormat);  // read month first: 3 May
        cal.show();
        QWidget* days = cal.calMonth->findChild<QAbstractItemView*>();
        ASSERT_TRUE(days);
        QTest::keyClick(days, Qt::Key_Right);  // next day
        QTest::keyClick(days, Qt::Key_Return);
        EXPECT_EQ(cal.ChosenDate(), "05" + sep + "04" + sep + "2004");
    }
    {
        frmCalendar cal("not a date", Ctx().sDateFormat);
        EXPECT_EQ(cal.calMonth->selectedDate(), QDate::currentDate());
        cal.close();
        EXPECT_EQ(cal.ChosenDate(), std::nullopt) << "closing chooses nothing";
    }
}

TEST(MainWait, PercentageHasOneDecimal) {
    EXPECT_EQ(frmMainWait::PercentText(1, 3), "33.3%");
    EXPECT_EQ(frmMainWait::PercentText(1, 8), "12.5%");
    EXPECT_EQ(frmMainWait::PercentText(8, 8), "100.0%");
    frmMainWait w;
    w.SetProgress(3, 8);
    EXPECT_EQ(w.WaitPerc->text(), "37.5%");
    EXPECT_EQ(w.G2->value(), 375);
    w.show();
    EXPECT_EQ(QApplication::activeModalWidget(), &w) << "no other screen takes input while it shows";
}

TEST(ListLoaders, CoursesPlayersAndTeeBoxes) {
    test::ProgramFolder folder;
    folder.OpenDatabase();
    QComboBox combo;
    Load_Players(combo, Ctx());
    EXPECT_EQ(combo.count(), 0) << "an empty table gives an empty list";

    TestDb().Execute(
        "Insert Into PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME, MI) Values (3, '  SMITH ', 'John', 'Q')");
    TestDb().Execute("Insert Into PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME) Values (5, 'JONES', 'Ann')");
    TestDb().Execute("Insert Into PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME) Values (7, 'jonas', 'Al')");
    Load_Players(combo, Ctx());
    Load_Players(combo, Ctx());
    ASSERT_EQ(combo.count(), 3) << "players are never listed twice";
    EXPECT_EQ(combo.itemText(0), "jonas, Al ") << "sorted by name whatever the case";
    EXPECT_EQ(combo.itemText(1), "JONES, Ann ");
    EXPECT_EQ(combo.itemData(1).toInt(), 5) << "each key stays with its name";
    EXPECT_EQ(combo.itemText(2), "SMITH, John Q");
    SelectByItemData(combo, 5);
    EXPECT_EQ(SelectedItemData(combo), 5);
    SelectByItemData(combo, 99);
    EXPECT_EQ(SelectedItemData(combo), 0);

    const QString tb = QString(16, ' ') + "Blue" + QString(20, ' ') + "   Red" + QString(14, ' ');
    TestDb().Execute("Insert Into COURSES (COURSE_ID, COURSE_NAME, TB) Values (4, 'Pine Hills', ?)", {tb});
    TestDb().Execute("Insert Into COURSES (COURSE_ID, COURSE_NAME, TB) Values (6, 'Short', 'White')");
    QComboBox courses;
    Load_Course_Info(courses, Ctx());
    Load_Course_Info(courses, Ctx());
    EXPECT_EQ(courses.count(), 4) << "the course loader does not clear the list";
    EXPECT_EQ(courses.itemText(1), "Short");

    QComboBox tees;
    Load_TeeBox(tees, Ctx(), 4);
    ASSERT_EQ(tees.count(), 4);
    EXPECT_EQ(tees.itemText(0), "Blue");
    EXPECT_EQ(tees.itemText(1), "Blank");
    EXPECT_EQ(tees.itemData(1).toInt(), 1);
    EXPECT_EQ(tees.itemText(2), "Red");
    EXPECT_EQ(tees.itemText(3), "Blank");
    Load_TeeBox(tees, Ctx(), 6);
    ASSERT_EQ(tees.count(), 4) << "a short column still gives four tee boxes";
    EXPECT_EQ(tees.itemText(0), "White");
    Load_TeeBox(tees, Ctx(), 99);
    EXPECT_EQ(tees.count(), 0);
}

// A box that comes up while the user is typing takes no typed letter or blank as its answer: only
// Enter, Escape (or a click) answer it. It is wide enough to show its title.
TEST(MessageBoxWindow, TypedLettersAndBlanksNeverAnswer) {
    InstallMsgBoxWindow();
    const QString title = MsgBoxTitle();
    SetMsgBoxTitle("Dado Corvy 5.5.0");
    const struct {
        Qt::Key key;
        int style, answer;
        QString text;
    } cases[] = {{Qt::Key_Escape, vbYesNoCancel + vbQuestion, vbCancel, "Do you want to save the changes?"},
                 {Qt::Key_Return, vbYesNo + vbQuestion, vbYes, "Save anyway?"},
                 {Qt::Key_Return, vbInformation, vbOK, "No matches found"}};
    for (const auto& c : cases) {
        bool openAfterTyping = false, titleShown = false;
        QTimer::singleShot(0, [&] {
            QPointer<QWidget> box = QApplication::activeModalWidget();
            // The title bar holds an icon and three buttons besides the title.
            titleShown = box->width() > QFontMetrics(box->font()).horizontalAdvance(box->windowTitle()) + 100;
            const auto target = [&box] { return box->focusWidget() ? box->focusWidget() : box.data(); };
            for (char ch : QByteArray("Cyn ync")) {
                if (box) QTest::keyClick(target(), ch);
            }
            test::LetEarlierTimersFire(300);  // a key's button clicks 100 ms after it
            openAfterTyping = box && box->isVisible();
            if (box) QTest::keyClick(target(), c.key);
        });
        EXPECT_EQ(MsgBox(c.text, c.style), c.answer);
        EXPECT_TRUE(openAfterTyping);
        EXPECT_TRUE(titleShown) << c.text.toStdString();
    }
    SetMsgBoxWindow({});
    SetMsgBoxTitle(title);
}
