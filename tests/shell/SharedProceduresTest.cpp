// Shared procedures: date order and formats, quoting, file keys, sounds, file search.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPdfDocument>
#include <QListWidget>
#include <QPdfPageNavigator>
#include <QPdfSelection>
#include <QPdfView>
#include <QPointer>
#include <QTest>
#include <QProcess>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "platform/Desktop.h"
#include "platform/MaskEdBox.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/FileStr.h"
#include "shell/Global.h"
#include "shell/ProgramFolder.h"
#include "shell/ScreenBoxes.h"
#include "shell/ShellDoc.h"
#include "shell/StartUp.h"

using namespace dc;

namespace {
// Sets the program's locale for one test.
struct LocaleScope {
    explicit LocaleScope(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleScope() { QLocale::setDefault(QLocale::c()); }
};
}  // namespace

TEST(DateFormat, OrderAndSeparatorFollowTheLocale) {
    test::ProgramFolder folder;
    test::FixedClock clock(QDateTime(QDate(2004, 8, 15), QTime(10, 0)));
    {
        LocaleScope l(QLocale(QLocale::German, QLocale::Germany));
        SetDateDefaults(Ctx());
        EXPECT_EQ(Ctx().sDateFormat, "DD/MM/YYYY");
        EXPECT_EQ(Ctx().sStartDate, "01.01.2004");
        EXPECT_EQ(Ctx().sEndDate, "15.08.2004");
        EXPECT_EQ(FormatLocalDate(QDate(2004, 3, 5), Ctx().sDateFormat), "05.03.2004");
        EXPECT_EQ(*ParseLocalDate("25.12.2004", Ctx().sDateFormat), QDate(2004, 12, 25));
    }
    {
        LocaleScope l(QLocale(QLocale::English, QLocale::UnitedStates));
        SetDateDefaults(Ctx());
        EXPECT_EQ(Ctx().sDateFormat, "MM/DD/YYYY");
        EXPECT_EQ(FormatLocalDate(QDate(2004, 3, 5), Ctx().sDateFormat), "03/05/2004");
    }
    {
        LocaleScope l(QLocale(QLocale::Swedish, QLocale::Sweden));  // year first
        EXPECT_EQ(DetectDateFormat(), "MM/DD/YYYY");
    }
    {
        LocaleScope l(QLocale::c());
        EXPECT_EQ(DetectDateFormat(), "MM/DD/YYYY");
        EXPECT_EQ(LocaleDateSeparator(), "/");
    }
}

// The order comes from the time category, not the language. The system locale is read once per
// program, so each environment runs this test again in a program of its own.
TEST(DateFormat, OrderFollowsTheTimeCategory) {
    if (qEnvironmentVariableIsSet("DC_DATE_PROBE")) {
        std::printf("[%s %s]\n", qPrintable(DetectDateFormat()), qPrintable(LocaleDateSeparator()));
        return;
    }
    const struct {
        QStringList env;
        QString shown;
    } cases[] = {
        {{"LANG=C.UTF-8", "LC_TIME=de_DE.UTF-8"}, "[DD/MM/YYYY .]"},
        {{"LANG=de_DE.UTF-8", "LC_TIME=en_US.UTF-8"}, "[MM/DD/YYYY /]"},
        {{"LANG=C"}, "[MM/DD/YYYY /]"},
        {{"LANG=en_US.UTF-8", "LC_ALL=en_GB.UTF-8"}, "[DD/MM/YYYY /]"},
    };
    for (const auto& c : cases) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANG", "LANGUAGE", "LC_ALL", "LC_TIME", "LC_MESSAGES", "LC_NUMERIC"})
            env.remove(name);
        for (const QString& v : c.env) env.insert(v.section('=', 0, 0), v.section('=', 1));
        // The probe runs its one case whole: no shard of a sharded run, no filter or output file of it.
        for (const char* name : {"GTEST_SHARD_INDEX", "GTEST_TOTAL_SHARDS", "GTEST_SHARD_STATUS_FILE",
                                 "GTEST_FILTER", "GTEST_OUTPUT", "GTEST_REPEAT", "GTEST_SHUFFLE"})
            env.remove(name);
        env.insert("DC_DATE_PROBE", "1");
        env.insert("DC_TEST_OWN_LOCALE", "1");
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=DateFormat.OrderFollowsTheTimeCategory"});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput()).contains(c.shown))
            << c.env.join(' ').toStdString();
    }
}

// Connect.ini holds yyyy-mm-dd; an older file holds the order of the locale that wrote it.
TEST(DateFormat, IniDatesInTheFixedFormAndTheOldOnes) {
    const struct {
        QString text;
        QDate date;
    } cases[] = {
        {"2026-12-07", QDate(2026, 12, 7)},
        {"12/07/2026", QDate(2026, 12, 7)},
        {"25/12/2026", QDate(2026, 12, 25)},
        {"12.07.2026", QDate(2026, 7, 12)},
        {"07-12-2026", QDate(2026, 12, 7)},
        {"12/31/2026", QDate(2026, 12, 31)},
        {"31/31/2026", QDate()},
        {"", QDate()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseIniDate(c.text).value_or(QDate()), c.date) << c.text.toStdString();
}

TEST(DateFormat, ParsingRefusesIncompleteAndImpossibleDates) {
    test::ProgramFolder folder;
    Ctx().sDateFormat = "MM/DD/YYYY";
    EXPECT_EQ(*ParseLocalDate("03/05/2004", Ctx().sDateFormat), QDate(2004, 3, 5));
    EXPECT_FALSE(ParseLocalDate("__/__/____", Ctx().sDateFormat));
    EXPECT_FALSE(ParseLocalDate("03/0_/2004", Ctx().sDateFormat));
    EXPECT_FALSE(ParseLocalDate("13/01/2004", Ctx().sDateFormat));
    EXPECT_FALSE(ParseLocalDate("02/30/2004", Ctx().sDateFormat));
    EXPECT_TRUE(ParseLocalDate("02/29/2004", Ctx().sDateFormat));
    EXPECT_FALSE(ParseLocalDate("02/29/2005", Ctx().sDateFormat));
    EXPECT_FALSE(ParseLocalDate("03/05/0099", Ctx().sDateFormat));  // a year below 100 is a typing slip
    EXPECT_EQ(*ParseLocalDate("03/05/0100", Ctx().sDateFormat), QDate(100, 3, 5));
    Ctx().sDateFormat = "DD/MM/YYYY";
    EXPECT_EQ(*ParseLocalDate("03/05/2004", Ctx().sDateFormat), QDate(2004, 5, 3));
    EXPECT_EQ(*ParseAnyDate("2004-05-03", Ctx().sDateFormat), QDate(2004, 5, 3));
    EXPECT_EQ(DbDate(QDate(2004, 5, 3)), "2004-05-03");
    EXPECT_EQ(FormatTimeAmPm(QTime(15, 7, 45)), "03:07:45 pm");
    EXPECT_EQ(FormatTimeAmPm(QTime(0, 0, 1)), "12:00:01 am");
    EXPECT_EQ(FormatTimeAmPm(QTime(12, 0, 0)), "12:00:00 pm") << "noon";
}

TEST(DateFormat, DateBoxShowsItsDateInTheUsersOrder) {
    test::ProgramFolder folder;
    LocaleScope l(QLocale(QLocale::English, QLocale::UnitedKingdom));
    Ctx().sDateFormat = "DD/MM/YYYY";
    MaskEdBox box;
    SetDateFormat(box, Ctx().sDateFormat);
    EXPECT_EQ(box.Text(), "__/__/____") << "an empty box only gets the mask";
    MaskEdBox stored;
    stored.SetText("2004-03-05");  // a date already in the box
    SetDateFormat(stored, Ctx().sDateFormat);
    EXPECT_EQ(stored.Text(), "05/03/2004");
}

TEST(FileStr, CompactKey) {
    QString key;
    CompactKey("Smith, J. R.", 8, key);
    EXPECT_EQ(key, "SmithJR");
    CompactKey("Van der Berg Jr.", 8, key);
    EXPECT_EQ(key, "VanderBe");
    CompactKey("  AB CD", 8, key);
    EXPECT_EQ(key, "AB") << "leading blanks shorten the walk";
    CompactKey("", 8, key);
    EXPECT_EQ(key, "");
}

TEST(Global, SoundCounterCyclesSilentWrongAttention) {
    test::ProgramFolder folder;
    QStringList played;
    SetSoundPlayer([&](const QString& p) { played << QFileInfo(p).fileName(); });
    Ctx().sMultimediaPath = "/sounds";  // no trailing separator: one is added
    int count = 0;
    for (int i = 0; i < 7; ++i) SoundCounter(count, Ctx().sMultimediaPath);
    SetSoundPlayer(nullptr);
    EXPECT_EQ(played, QStringList({"AllWrong.wav", "PayAttention.wav", "AllWrong.wav", "PayAttention.wav"}));
    EXPECT_EQ(count, 1);
}

TEST(Global, FindFileInTreeAndHelpDocument) {
    test::ProgramFolder folder;
    QDir(folder.DbFiles()).mkpath("old/deeper");
    QFile f(folder.DbFiles() + "/old/deeper/Target.TXT");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(FindFileInTree(folder.DbFiles(), "target.txt"), f.fileName());
    EXPECT_EQ(FindFileInTree(folder.DbFiles(), "none.txt"), "");
    EXPECT_EQ(FindFileInTree(folder.Path() + "/missing", "x"), "");

    // Help is shown in the program's own window: no PDF program is needed.
    test::ScriptedMsgBox boxes;
    ShellDoc(HelpDocumentPath());
    EXPECT_EQ(boxes.Last(), "Help File: CV5.PDF not found");
    QFile doc(HelpDocumentPath());
    ASSERT_TRUE(doc.open(QIODevice::WriteOnly));
    doc.close();
    ShellDoc(HelpDocumentPath());
    EXPECT_EQ(boxes.Last(), "The help document " + HelpDocumentPath() + " cannot be read.");
    doc.remove();
    ASSERT_TRUE(QFile::copy(DC_PROGRAM_DIR "/CV5.PDF", HelpDocumentPath()));
    ShellDoc(HelpDocumentPath());
    ShellDoc(HelpDocumentPath());
    EXPECT_EQ(boxes.Count(), 2);
    QList<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "HelpWindow" && w->isVisible()) shown << w;
    ASSERT_EQ(shown.size(), 1) << "one help window";
    const auto* view = shown[0]->findChild<QPdfView*>();
    ASSERT_TRUE(view && view->document());
    EXPECT_GE(view->document()->pageCount(), 10);
    QApplication::processEvents();
    EXPECT_TRUE(shown[0]->screen()->availableGeometry().contains(shown[0]->frameGeometry()));
    // The chapters of the contents page, each a link to its first page.
    auto* chapters = shown[0]->findChild<QListWidget*>("HelpContents");
    ASSERT_TRUE(chapters);
    EXPECT_GE(chapters->count(), 10);
    const QList<QListWidgetItem*> games = chapters->findItems("The Game List", Qt::MatchExactly);
    ASSERT_EQ(games.size(), 1);
    const int page = games[0]->data(Qt::UserRole).toInt();
    EXPECT_GT(page, 2);
    chapters->itemClicked(games[0]);
    EXPECT_EQ(view->pageNavigator()->currentPage(), page - 1);
    EXPECT_TRUE(view->document()->getAllText(page - 1).text().startsWith("The Game List"));
    // Escape closes it.
    QPointer<QWidget> window = shown[0];
    window->activateWindow();
    QTest::keyClick(window, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(!window || !window->isVisible());
    if (window) window->close();
}
