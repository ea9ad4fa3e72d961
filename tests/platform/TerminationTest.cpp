// A signal to end (a kill, a logout) while start-up shows a box: the box closes and no other shows,
// so that main returns; the signals are handled as before once the watch ends. A signal while a long
// operation shows its progress: the program ends without a crash, no window freed under a handler of
// its own, every stored figure whole. Every event loop of a program told to end ends at once, so each
// signal is tried in a program of its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <string>
#include <utility>

#include "../entry/EntryFixture.h"
#include "../tools/OldFileBuilder.h"
#include "TestSupport.h"
#include "entry/frmMainGolf.h"
#include "handicap/SaveScores.h"
#include "platform/Database.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/PrintJob.h"
#include "platform/PrinterPageFactory.h"
#include "platform/QtPrinterPage.h"
#include "platform/Termination.h"
#include "records/frmUpCRSR.h"
#include "shell/BackupCompact.h"
#include "shell/ErrorReport.h"
#include "shell/MsgBoxWindow.h"
#include "shell/ProgramFolder.h"
#include "shell/frmMainWait.h"
#include "shell/frmSystemSetup.h"
#include "tools/Email.h"
#include "tools/SystemArchive.h"
#include "tools/frmConvertUtil.h"
#include "tools/frmEmail.h"

namespace dc {
namespace {

// Runs this test program once more with `variable` (and `open`, when given) set, for the one test named,
// and expects it to pass.
void RunInProgramOfItsOwn(const QString& test, const QString& variable, const QString& value,
                          const QString& open = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"GTEST_SHARD_INDEX", "GTEST_TOTAL_SHARDS", "GTEST_SHARD_STATUS_FILE",
                             "GTEST_FILTER", "GTEST_OUTPUT", "GTEST_REPEAT", "GTEST_SHUFFLE"})
        env.remove(name);
    env.insert(variable, value);
    if (!open.isEmpty()) env.insert("DC_TERMINATION_OPEN", open);
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=Termination." + test});
    ASSERT_TRUE(p.waitForFinished(test::kGenerousWaitMs));
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << out.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
}

TEST(Termination, ASignalClosesTheOpenDialogAndNoOtherShows) {
    if (qEnvironmentVariableIsSet("DC_TERMINATION_PROBE")) {
        const int signal = qEnvironmentVariableIntValue("DC_TERMINATION_PROBE");
        struct sigaction before {};
        ::sigaction(signal, nullptr, &before);
        {
            TerminationWatch watch;  // the program's own: no application loop runs, as in start-up
            QTimer::singleShot(0, [signal] { ::raise(signal); });
            if (qEnvironmentVariable("DC_TERMINATION_OPEN") == "box") {
                // A question on the screen when the signal comes: No, so that nothing goes ahead.
                InstallMsgBoxWindow();
                EXPECT_EQ(
                    MsgBox("Are you sure you want to Backup, Repair and Compact your database?", vbYesNo),
                    vbNo);
            } else {
                QDialog box;
                EXPECT_EQ(box.exec(), QDialog::Rejected);
            }
            EXPECT_TRUE(TerminationRequested());
            QDialog next;
            EXPECT_EQ(ExecModal(next), QDialog::Rejected);
            EXPECT_FALSE(next.isVisible());
            bool shown = false;
            SetMsgBoxWindow([&](const QString&, int, const QString&) {
                shown = true;
                return vbYes;
            });
            // Each box unanswered gives the answer that changes nothing: "Sure?" never goes ahead.
            EXPECT_EQ(MsgBox("Save?", vbYesNoCancel), vbCancel);
            EXPECT_EQ(MsgBox("Are you sure?", vbYesNo + vbQuestion), vbNo);
            EXPECT_EQ(MsgBox("Done.", vbInformation), vbOK);
            EXPECT_FALSE(shown);
            SetMsgBoxWindow(nullptr);
        }
        EXPECT_FALSE(TerminationRequested());
        struct sigaction after {};
        ::sigaction(signal, nullptr, &after);
        EXPECT_EQ(after.sa_handler, before.sa_handler) << "handled as before again";
        return;
    }
    for (const auto& [signal, open] : {std::pair{SIGTERM, "dialog"}, {SIGHUP, "dialog"}, {SIGTERM, "box"}}) {
        SCOPED_TRACE(std::to_string(signal) + " " + open);
        RunInProgramOfItsOwn("ASignalClosesTheOpenDialogAndNoOtherShows", "DC_TERMINATION_PROBE",
                             QString::number(signal), open);
    }
}

// ---------------------------------------------------------------- a signal during a long operation

// Raises the signal once, at the first event after `when` holds: the program's own watch then notices
// it wherever the operation lets events through, as it would a kill from outside.
class RaiseWhen : public QObject {
  public:
    RaiseWhen(int signal, std::function<bool()> when) : signal_(signal), when_(std::move(when)) {
        qApp->installEventFilter(this);
    }
    ~RaiseWhen() override { qApp->removeEventFilter(this); }
    bool Raised() const { return raised_; }

  protected:
    bool eventFilter(QObject*, QEvent*) override {
        if (!raised_ && when_()) {
            raised_ = true;
            ::raise(signal_);
        }
        return false;
    }

  private:
    int signal_;
    std::function<bool()> when_;
    bool raised_ = false;
};

template <class Window>
Window* Shown() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(w); window && window->isVisible()) return window;
    return nullptr;
}

// A progress window shows: the recomputation's, or a printout's or a mailing's.
bool ProgressShows() { return Shown<frmMainWait>() || Shown<QProgressDialog>(); }
// The recomputation's progress shows how far it is.
bool RecomputationUnderWay() {
    const frmMainWait* wait = Shown<frmMainWait>();
    return wait && !wait->WaitPerc->text().isEmpty();
}

// Every figure stored, in a fixed order.
QString StoredFigures() {
    QStringList rows;
    for (const char* sql :
         {"SELECT * FROM INDIV_SCORES ORDER BY PLAYER_ID, GAME_NUMBER",
          "SELECT * FROM PLAYERS ORDER BY PLAYER_ID", "SELECT * FROM COURSES ORDER BY COURSE_ID"}) {
        Recordset rs = TestDb().OpenRecordset(sql);
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            QStringList fields;
            for (int i = 0; i < rs.FieldCount(); ++i) fields << rs.Fields(i).str();
            rows << fields.join('|');
        }
    }
    return rows.join('\n');
}

// The stored figures are those a recomputation gives: nothing was left half done.
void ExpectWholeFigures() {
    ASSERT_FALSE(TestDb().InTransaction());
    const QString stored = StoredFigures();
    ASSERT_TRUE(ResynchAllScores(TestDb()).ok);
    EXPECT_EQ(stored, StoredFigures()) << "stored figures differ from a recomputation";
}

// Runs `handler` and tells whether `window` was deleted while it ran.
bool FreedWhileRunning(QWidget& window, const std::function<void()>& handler) {
    bool running = true, freed = false;
    const QMetaObject::Connection watch =
        QObject::connect(&window, &QObject::destroyed, [&] { freed = running; });
    handler();
    running = false;
    QObject::disconnect(watch);
    return freed;
}

// A window shown beside its owner, deleted on closing, as the program shows it.
template <class Window>
Window& Beside(Window* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return *window;
}

struct LongOperation {
    const char* name;
    int signal;
    std::function<void(int signal)> run;  // sets up, runs it through its screen and checks
};

// A club of six players with eight rounds each on course 1, recomputed.
void Club() {
    test::AddCourse(1, "Pines", 113, "72.0");
    for (int p = 1; p <= 6; ++p) {
        test::AddPlayer(p, "PLAYER" + QString::number(p), "Pat", p % 2 ? "M" : "F");
        for (int g = 1; g <= 8; ++g) test::AddRound(p, g, QDate(2024, 1, g * 3), 4 + (p + g) % 3);
    }
    ASSERT_TRUE(ResynchAllScores(TestDb()).ok);
}

void ReRating(int signal) {
    Club();
    // The course's new slope and rating, saved by the course editor: the re-rating brings them to its rounds.
    TestDb().Execute("DELETE FROM COURSES WHERE COURSE_ID=1");
    test::AddCourse(1, "Pines", 131, "73.5");
    RaiseWhen raise(signal, ProgressShows);
    auto& screen = Beside(new frmUpCRSR(Ctx(), 1, nullptr));
    QPointer<frmUpCRSR> alive(&screen);
    ASSERT_TRUE(screen.optDate_1->isChecked()) << "Change ALL Occurrances";
    EXPECT_FALSE(FreedWhileRunning(screen, [&] { screen.cmdUpdate->click(); }));
    EXPECT_TRUE(raise.Raised());
    // Finished as begun: every round of the course takes the new slope.
    EXPECT_EQ(TestDb().Scalar("SELECT COUNT(*) FROM INDIV_SCORES WHERE SLOPE_RATING<>131").toInt(), 0);
    ExpectWholeFigures();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the handler has returned
    EXPECT_TRUE(alive.isNull()) << "closed by its handler once done";
}

void Resynch(int signal) {
    Club();
    TestDb().Execute("UPDATE INDIV_SCORES SET HCP_INDEX_US_18=77.7");  // figures to be recomputed
    RaiseWhen raise(signal, ProgressShows);
    auto& screen = Beside(new frmSystemSetup(Ctx()));
    EXPECT_FALSE(FreedWhileRunning(screen, [&] { screen.cmdResync->click(); }));
    EXPECT_TRUE(raise.Raised());
    EXPECT_EQ(TestDb().Scalar("SELECT COUNT(*) FROM INDIV_SCORES WHERE HCP_INDEX_US_18=77.7").toInt(), 0);
    ExpectWholeFigures();
}

// A conversion withdrawn: nothing of it stored, and nothing reported as an error.
void Conversion(int signal, std::function<bool()> when) {
    Club();
    const QByteArray old = QFile::encodeName(ProgramFolder()) + "/old";
    mkdir(old.constData(), 0755);
    test::WriteFile(old + "/COURSE.GDB", test::OldCourse("Oak Hills").Bytes());
    test::WriteFile(old + "/GOLFER.GDB", test::OldGolfer("Smith, John").Bytes());
    QByteArray rounds;
    for (int d = 1; d <= 28; ++d)
        rounds +=
            test::OldRound(true, QString("06/%1/2026").arg(d, 2, 10, QChar('0')).toLatin1(), "Oak Hills")
                .Bytes();
    test::WriteFile(old + "/SMITHJOH.GDB", rounds);
    const QString before = StoredFigures();
    RaiseWhen raise(signal, std::move(when));
    auto& screen = Beside(new frmConvertUtil(Ctx(), nullptr));
    screen.SetFolder(QFile::decodeName(old));
    EXPECT_FALSE(FreedWhileRunning(screen, [&] { screen.cmdStart->click(); }));
    EXPECT_TRUE(raise.Raised());
    EXPECT_FALSE(TestDb().InTransaction());
    EXPECT_EQ(StoredFigures(), before) << "nothing of the conversion stored";
}

void BackupAndCompaction(int signal) {
    Club();
    const QString before = StoredFigures();
    RaiseWhen raise(signal, [] {
        const auto* screen = Shown<frmSystemSetup>();
        return screen && !screen->lblRepairStatus->text().isEmpty();
    });
    auto& screen = Beside(new frmSystemSetup(Ctx()));
    test::ScriptedMsgBox sure({vbYes});
    EXPECT_FALSE(FreedWhileRunning(screen, [&] { screen.cmdStart->click(); }));
    EXPECT_TRUE(raise.Raised());
    EXPECT_EQ(sure.Texts(),
              QStringList{"Are you sure you want to Backup, Repair and Compact your database?"});
    EXPECT_FALSE(QFileInfo::exists(CompactTargetPath())) << "no work file left";
    EXPECT_FALSE(QDir(QFileInfo(CompactTargetPath()).path()).entryList({"CV*.mdb"}).isEmpty())
        << "the backup";
    EXPECT_EQ(StoredFigures(), before);
    ExpectWholeFigures();
}

void DeleteWithProgress(int signal) {
    Club();
    RaiseWhen raise(signal, ProgressShows);
    auto* main = new frmMainGolf(Ctx());
    QPointer<frmMainGolf> alive(main);
    main->EndProgram = [] {};
    Beside(main);
    main->cboPlayer->setCurrentIndex(main->cboPlayer->findData(1));
    main->txtRecNum->setText("1");  // the first game: every later one is recomputed
    test::ScriptedMsgBox sure({vbYes});
    EXPECT_FALSE(FreedWhileRunning(*main, [&] { main->cmdDeleteGame_Click(); }));
    EXPECT_TRUE(raise.Raised());
    EXPECT_EQ(test::RoundCount(1), 7) << "the delete finished as begun";
    ExpectWholeFigures();
    delete alive.data();
}

void Printout(int signal) {
    QTemporaryDir dir;
    test::EnvGuard tmp("TMPDIR", dir.path().toUtf8());
    test::EnvGuard pdf("DC_PRINT_PDF", QByteArray());  // to the printer, not to a file
    test::StandInPrintSystem printer("Office");
    SetPrintProgressResponder({});  // the program's own progress window
    RaiseWhen raise(signal, ProgressShows);
    {
        QtPrinterPage page;
        page.SetJobName("Game List");
        for (int i = 1; i <= 12; ++i) {
            page.Print(QString("page %1").arg(i));
            page.NewPage();
        }
        page.Print("last page");
        page.EndDoc();
        ReportPrintOutcome(page);
    }
    EXPECT_TRUE(raise.Raised());
    EXPECT_TRUE(printer.Jobs().empty()) << "withdrawn";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{})
        << "no file left";
}

// Opens the e-mail screen of the settings screen (or, `toList`, of the players' recipient list) and
// runs `act` on it.
void OnEmailScreen(const std::function<void(frmEmail&)>& act, bool toList = false) {
    test::ScriptedModal modal([&](QDialog& d) {
        act(static_cast<frmEmail&>(d));
        return 0;
    });
    if (toList) {
        OpenEmailScreen(Ctx(), QString());
    } else {
        frmSystemSetup setup(Ctx());
        setup.cmdEmail->click();
    }
    EXPECT_EQ(modal.Count(), 1);
}

void ZipSystemFiles(int signal) {
    // A temporary folder of its own: other test programs make and remove their work folders meanwhile.
    QTemporaryDir tmpDir;
    test::EnvGuard tmp("TMPDIR", tmpDir.path().toUtf8());
    Club();
    OnEmailScreen([&](frmEmail& s) {
        // Nothing in the making of the archive lets events through: the signal is noticed once it is made.
        ::raise(signal);
        EXPECT_FALSE(FreedWhileRunning(s, [&] { s.cmdZip->click(); }));
    });
    EXPECT_TRUE(TerminationRequested());
    EXPECT_TRUE(QFileInfo(SystemZipPath(ProgramFolder())).size() > 0) << "the archive made whole";
    const QRegularExpression work(SystemZipWorkFolderPattern());
    for (const QString& name : QDir(QDir::tempPath()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        EXPECT_FALSE(work.match(name).hasMatch()) << name.toStdString();
    ExpectWholeFigures();
}

// The signal comes as the first message is handed over; to a recipient list (six players), no other
// message is begun.
void SendingMail(int signal, bool toList) {
    if (toList) {
        Club();
        TestDb().Execute("UPDATE PLAYERS SET EMAIL='p'||PLAYER_ID||'@example.com'");
    }
    QTemporaryDir mail;
    // The stand-in mail program takes its time over each message, then keeps it.
    const QString program = mail.filePath("sendmail");
    {
        QFile script(program);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nsleep 0.3\ncat > \"$(dirname \"$0\")/sent.$$.eml\"\n");
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    test::EnvGuard sendmail("DC_SENDMAIL", program.toUtf8());
    RaiseWhen raise(signal, ProgressShows);
    OnEmailScreen(
        [&](frmEmail& s) {
            s.txtMessage->setPlainText("The whole message, to its last line.");
            EXPECT_FALSE(FreedWhileRunning(s, [&] { s.cmdSend->click(); }));
        },
        toList);
    EXPECT_TRUE(raise.Raised());
    const QStringList sent = QDir(mail.path()).entryList({"sent.*.eml"}, QDir::Files);
    ASSERT_EQ(sent.size(), 1) << "one message, handed over before the end: " << sent.join(' ').toStdString();
    QFile message(mail.filePath(sent[0]));
    ASSERT_TRUE(message.open(QIODevice::ReadOnly));
    EXPECT_TRUE(message.readAll().contains("The whole message, to its last line.")) << "whole";
}

const std::vector<LongOperation>& LongOperations() {
    static const std::vector<LongOperation> operations = {
        {"the re-rating, Change ALL", SIGTERM, ReRating},
        {"the re-rating, Change ALL, at a logout", SIGHUP, ReRating},
        {"Resynch All Scores", SIGHUP, Resynch},
        {"a conversion as it reads the folder", SIGTERM, [](int s) { Conversion(s, ProgressShows); }},
        {"a conversion in its recomputation", SIGHUP, [](int s) { Conversion(s, RecomputationUnderWay); }},
        {"a backup and compaction", SIGTERM, BackupAndCompaction},
        {"a delete with progress", SIGTERM, DeleteWithProgress},
        {"a printout with progress", SIGHUP, Printout},
        {"Zip System Files", SIGHUP, ZipSystemFiles},
        {"sending mail", SIGTERM, [](int s) { SendingMail(s, false); }},
        {"sending mail to a recipient list", SIGHUP, [](int s) { SendingMail(s, true); }},
    };
    return operations;
}

TEST(Termination, ASignalDuringALongOperationEndsItWholeAndFreesNoWindowUnderItsHandler) {
    if (qEnvironmentVariableIsSet("DC_TERMINATION_OPERATION")) {
        const LongOperation& op =
            LongOperations().at(qEnvironmentVariableIntValue("DC_TERMINATION_OPERATION"));
        test::ProgramFolder folder;
        folder.WriteIni(folder.OpenDatabase());
        test::FixedClock clock(QDateTime(QDate(2024, 6, 1), QTime(12, 0)));
        QStringList reported;
        SetErrorReportSender([&](QString& text) {
            reported << text;
            return true;
        });
        {
            TerminationWatch watch;  // the program's own, with its own way to end
            op.run(op.signal);
            EXPECT_TRUE(TerminationRequested());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        SetErrorReportSender(nullptr);
        EXPECT_EQ(reported, QStringList{}) << "an end asked for is not an error";
        return;
    }
    for (size_t i = 0; i < LongOperations().size(); ++i) {
        SCOPED_TRACE(LongOperations()[i].name);
        RunInProgramOfItsOwn("ASignalDuringALongOperationEndsItWholeAndFreesNoWindowUnderItsHandler",
                             "DC_TERMINATION_OPERATION", QString::number(i));
    }
}

}  // namespace
}  // namespace dc
