// The e-mail screen offscreen, with a recording mail program: each preset mode opened by its real
// caller, the recipient list, attachments, the receipt request and a non-ASCII subject as the mail
// program receives them, message files in their encodings, pipes and devices refused, and the faults
// that must not come back.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStringEncoder>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <functional>

#include "MailRecorder.h"
#include "QStringPrint.h"
#include "TestSupport.h"
#include "platform/Database.h"
#include "platform/MailFiles.h"
#include "platform/MsgBox.h"
#include "records/PlayerStore.h"
#include "records/frmPlayers.h"
#include "shell/AppContext.h"
#include "shell/ProgramFolder.h"
#include "shell/frmSystemSetup.h"
#include "tools/Email.h"
#include "tools/SystemArchive.h"
#include "tools/frmDLLCheck.h"
#include "tools/frmEmail.h"

namespace {
// Seconds the monotonic clock is moved on, in this test program.
std::atomic<int> clockAhead{0};
}  // namespace

// The monotonic clock, which times the mail program, as the C library reads it plus clockAhead: half
// a minute of a hanging mail program passes at once (and counts in the times GoogleTest reports).
extern "C" int clock_gettime(clockid_t clock, struct timespec* time) noexcept {
    using Real = int (*)(clockid_t, struct timespec*);
    static const auto real = reinterpret_cast<Real>(::dlsym(RTLD_NEXT, "clock_gettime"));
    const int result = real(clock, time);
    if (result == 0 && clock == CLOCK_MONOTONIC) time->tv_sec += clockAhead.load();
    return result;
}

namespace dc {
namespace {

using test::MailRecorder;

// True when the process is gone (or a zombie waiting for its reaper).
bool ProcessEnds(int pid) {
    return QTest::qWaitFor(
        [pid] {
            QFile stat(QString("/proc/%1/stat").arg(pid));
            return !stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z ");
        },
        test::kGenerousWaitMs);
}

// Runs `act` on the sending screen once the stand-in mail program has started its child (kHang: after
// reading the whole message).
void OnceChildRuns(frmEmail& s, const MailRecorder& mail, const std::function<void(QProgressDialog&)>& act) {
    auto* look = new QTimer(&s);
    QObject::connect(look, &QTimer::timeout, &s, [look, &s, &mail, act] {
        auto* progress = s.findChild<QProgressDialog*>();
        if (!progress || mail.ChildPid() <= 0) return;
        look->stop();
        act(*progress);
    });
    look->start(20);
}

// Thirty seconds pass for the sending under `progress`. A mail program not stopped then is cancelled
// ten seconds later, so that the test ends.
void HalfAMinutePasses(QProgressDialog& progress) {
    clockAhead += 30;
    QTimer::singleShot(10000, &progress, [&progress] { progress.cancel(); });
}

class EmailScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.WriteIni(folder.OpenDatabase());
        Ctx().bErrorReport = true;
    }
    void TearDown() override { EXPECT_EQ(boxes.Texts(), expectedBoxes); }
    void AddPlayer(int id, const QString& last, const QString& first, const QString& email) {
        TestDb().Execute("INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME, EMAIL) VALUES (?,?,?,?)",
                         {id, last, first, email});
    }
    // Opens the e-mail screen through `open`, runs `act` on it, and returns how it closed.
    int Drive(const std::function<void()>& open, const std::function<void(frmEmail&)>& act) {
        int result = -1;
        test::ScriptedModal modal([&](QDialog& d) {
            act(static_cast<frmEmail&>(d));
            return result = d.result();
        });
        open();
        EXPECT_EQ(modal.Count(), 1);
        return result;
    }

    test::ProgramFolder folder;
    test::ScriptedMsgBox boxes;  // no real box may block a test
    QStringList expectedBoxes;
};

TEST_F(EmailScreenTest, EachCallerOpensItsPresetAndTheMailGoesToItsAddress) {
    frmSystemSetup setup(Ctx());
    frmPlayers players(Ctx());
    players.txtEMail->setText("golfer@example.org");
    frmDLLCheck check(Ctx());
    QString error = "Form Main Dado, Save_DBF\r\nError Number 3061\r\nToo few\r\nsSQL=Select X";
    struct Case {
        std::function<void()> open;
        QString to, subject, banner;
        bool attached;
        QString body = "Hello";
    };
    const QList<Case> cases = {
        {[&] { SendErrorReport(Ctx(), error); }, kSupportAddress, "Dado Corvy Error (CV5.5.0)",
         "You have encountered an error.  To email the error to Corvy Systems, click the send button.", false,
         "Form Main Dado, Save_DBF\nError Number 3061\nToo few\nsSQL=Select X"},
        {[&] { check.cmdEmail->click(); }, kSupportAddress, "Dado Corvy System Check (CV5.5.0)",
         "Email System File Check Results to Corvy Systems. Enter additional comments in the Message "
         "section.",
         true},
        {[&] { setup.cmdEmail->click(); }, kSupportAddress, "Dado Corvy  (CV5.5.0)",
         "Send Email to Corvy Systems.", false},
        {[&] { players.lblEmail->linkActivated("email"); }, "golfer@example.org", "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.subject.toStdString());
        MailRecorder mail;
        const int result = Drive(c.open, [&](frmEmail& s) {
            EXPECT_EQ(s.txtTo->text(), c.to);
            EXPECT_EQ(s.txtSubject->text(), c.subject);
            EXPECT_FALSE(s.lstNames->isVisibleTo(&s));
            EXPECT_EQ(s.fraSearch->isVisibleTo(&s), c.banner.isEmpty());
            EXPECT_EQ(s.lblError->isVisibleTo(&s) ? s.lblError->text() : QString(), c.banner);
            ASSERT_EQ(s.lstAttach->count(), c.attached ? 1 : 0);
            if (c.attached) {
                EXPECT_EQ(s.lstAttach->selectedItems()[0]->text(), SystemZipPath(ProgramFolder()));
            }
            if (s.txtMessage->toPlainText().isEmpty()) s.txtMessage->setPlainText("Hello");
            s.cmdSend->click();
        });
        EXPECT_EQ(result, QDialog::Accepted);
        const auto sent = mail.Messages();
        ASSERT_EQ(sent.size(), 1);
        EXPECT_EQ(sent[0].to, QStringList{c.to});
        EXPECT_EQ(sent[0].subject, c.subject);
        EXPECT_EQ(sent[0].body.trimmed(), c.body);
        EXPECT_EQ(sent[0].attachments.size(), c.attached ? 1 : 0);
    }
}

TEST_F(EmailScreenTest, RecipientListSendsOneMessagePerAddressWithTheCcOnTheFirst) {
    AddPlayer(1, "Able", "Ann", "ann@example.com");
    AddPlayer(2, "Baker", "Bob", "");
    AddPlayer(3, "Carter", "Cy", " cy@example.com ");
    AddPlayer(4, "Dunn", "Di", "di@example.org");
    MailRecorder mail;
    Drive([] { OpenEmailScreen(Ctx(), QString()); },
          [](frmEmail& s) {
              ASSERT_EQ(s.lstNames->count(), 3);
              EXPECT_EQ(s.lstNames->item(1)->data(Qt::UserRole).toInt(), 3);
              s.txtCC->setText("club@example.com");
              s.cmdSend->click();
          });
    const auto sent = mail.Messages();
    ASSERT_EQ(sent.size(), 3);
    EXPECT_EQ(mail.Arguments(), QStringList(3, "-t -oi"));
    const QStringList to = {"ann@example.com", "cy@example.com", "di@example.org"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sent[i].to, QStringList{to[i]});
        EXPECT_EQ(sent[i].cc, i == 0 ? QStringList{"club@example.com"} : QStringList());
    }
}

TEST_F(EmailScreenTest, AddressesAttachmentsReceiptNonAsciiSubjectAndLineBreaksReachTheMailProgram) {
    const QByteArray pdf("%PDF\x00\x01\xff", 7);
    QFile card(folder.Path() + "/card.pdf");
    card.open(QIODevice::WriteOnly);
    card.write(pdf);
    card.close();
    MailRecorder mail;
    Drive([] { OpenEmailScreen(Ctx(), "General", kSupportAddress); },
          [&](frmEmail& s) {
              for (const QString& path : {IniFilePath(), card.fileName()}) {
                  s.ChooseFile = [&](QWidget*, const QString&, const QString&) { return path; };
                  s.cmdAttach->click();
              }
              s.lstAttach->item(0)->setSelected(false);
              s.chkReceipt->setChecked(true);
              s.txtTo->setText("a@example.com;; ;b@example.com;");  // empty entries are skipped
              s.txtCC->setText(";c@example.com;;");
              s.txtSubject->setText("Größe für Zoë – Ärger");
              s.txtMessage->setPlainText("Error Number 3061\r\nsSQL=Select * From PLAYERS");
              s.cmdSend->click();
          });
    const auto sent = mail.Messages();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].to, (QStringList{"a@example.com", "b@example.com"}));
    EXPECT_EQ(sent[0].cc, QStringList{"c@example.com"});
    EXPECT_EQ(sent[0].subject, "Größe für Zoë – Ärger");
    EXPECT_EQ(sent[0].receipt, SenderAddress());
    ASSERT_EQ(sent[0].attachments.size(), 1);
    EXPECT_EQ(sent[0].attachments[0], qMakePair(QString("card.pdf"), pdf));
    EXPECT_TRUE(sent[0].body.startsWith("Error Number 3061\nsSQL=Select * From PLAYERS"));
}

TEST_F(EmailScreenTest, AnErrorWhileTheScreenIsOpenShowsABoxAndLeavesTheMailAlone) {
    MailRecorder mail;
    QString error = "Form Email, Load_Players\r\nError Number 3078\r\nno such table";
    Drive([] { OpenEmailScreen(Ctx(), "Customer", "pat@example.org"); },
          [&](frmEmail& s) {
              s.txtSubject->setText("My round");
              s.txtMessage->setPlainText("See you Sunday");
              SendErrorReport(Ctx(), error);
              EXPECT_EQ(s.txtTo->text(), "pat@example.org");
              EXPECT_EQ(s.txtSubject->text(), "My round");
              EXPECT_EQ(s.txtMessage->toPlainText(), "See you Sunday");
          });
    expectedBoxes = {error};
    EXPECT_EQ(boxes.Styles()[0], vbExclamation);
    EXPECT_TRUE(mail.Messages().isEmpty());
}

TEST_F(EmailScreenTest, NoRecipientOrNoMailProgramIsSaidAndTheScreenStaysOpen) {
    struct Case {
        QString mode, to;
        int exitCode;  // of the mail program; -1: there is none
        QString message;
    };
    const QList<Case> cases = {
        {QString(), QString(), 0, "There are no email addresses in the list to send to."},
        {"Customer", " ; ;", 0, "Please supply an email address in the 'To' box."},
        {"Customer", "a@example.com", -1, "could not be started"},
        {"Customer", "a@example.com", 75,
         "refused the message (exit code 75). recipient refused by the test"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        MailRecorder mail(c.exitCode);
        if (c.exitCode < 0) qputenv("DC_SENDMAIL", (mail.Folder() + "/absent/sendmail").toUtf8());
        const int shown = boxes.Count();
        const int result = Drive([&] { OpenEmailScreen(Ctx(), c.mode, c.to); },
                                 [](frmEmail& s) {
                                     s.txtCC->setText("club@example.com");
                                     s.cmdSend->click();
                                 });
        EXPECT_NE(result, QDialog::Accepted);
        ASSERT_EQ(boxes.Count(), shown + 1);
        EXPECT_TRUE(boxes.Last().contains(c.message)) << boxes.Last().toStdString();
        expectedBoxes << boxes.Last();
        EXPECT_TRUE(mail.Messages().isEmpty());
    }
}

TEST_F(EmailScreenTest, AnAddressThatCouldAddARecipientIsRefusedBeforeAnythingIsSent) {
    const QString hidden = "doe@example.com\nBcc: victim@example.com";
    AddPlayer(1, "Able", "Ann", "ann@example.com");
    AddPlayer(2, "Doe", "Jo", hidden);
    AddPlayer(3, "Carter", "Cy", "a@b.c;rm -rf x");
    frmPlayers players(Ctx());
    players.txtEMail->setText(hidden);
    struct Case {
        std::function<void()> open;
        QString to, cc, refused;
    };
    const QList<Case> cases = {
        {[] { OpenEmailScreen(Ctx(), QString()); }, {}, {}, hidden},
        {[&] { players.lblEmail->linkActivated("email"); }, {}, {}, hidden},
        {[] { OpenEmailScreen(Ctx(), "General", kSupportAddress); },
         "doe@example.com, Bcc: victim@example.com",
         {},
         "doe@example.com, Bcc: victim@example.com"},
        {[] { OpenEmailScreen(Ctx(), "General", kSupportAddress); }, "a@example.com", "x@y.z\r\nTo: v@e.com",
         "x@y.z\r\nTo: v@e.com"},
        {[] { OpenEmailScreen(Ctx(), "General", kSupportAddress); }, "friends: a@b.c;", {}, "friends: a@b.c"},
        {[] { OpenEmailScreen(Ctx(), "General", kSupportAddress); }, "Ann <a@b.c>", {}, "Ann <a@b.c>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.refused.toStdString());
        MailRecorder mail;
        const int shown = boxes.Count();
        Drive(c.open, [&](frmEmail& s) {
            if (!c.to.isNull()) s.txtTo->setText(c.to);
            s.txtCC->setText(c.cc);
            s.cmdSend->click();
        });
        ASSERT_EQ(boxes.Count(), shown + 1);
        EXPECT_EQ(boxes.Last(), "Not a valid e-mail address: '" + c.refused + "'. Nothing has been sent.");
        expectedBoxes << boxes.Last();
        EXPECT_TRUE(mail.Messages().isEmpty());
    }
    // The player editor keeps no such address.
    players.txtLast->setText("Doe");
    players.txtFirst->setText("Jo");
    players.optGender_1->setChecked(true);
    players.cmdSave_Click();
    expectedBoxes << "Not a valid e-mail address: '" + hidden + "'.";
    EXPECT_EQ(TestDb().Scalar("Select Count(*) From PLAYERS").toInt(), 3);
}

TEST_F(EmailScreenTest, AFailurePartWayRemovesTheServedAddressesSoThatRetryMailsOnlyTheRest) {
    QStringList addresses;
    for (int i = 1; i <= 8; ++i) {
        addresses << QString("p%1@example.com").arg(i);
        AddPlayer(i, QString("P%1").arg(i), "X", addresses.back());
    }
    MailRecorder mail(75, 6);  // the seventh message is refused once
    Drive([] { OpenEmailScreen(Ctx(), QString()); },
          [&](frmEmail& s) {
              s.txtCC->setText("club@example.com");
              s.cmdSend->click();
              ASSERT_EQ(s.lstNames->count(), 2);
              EXPECT_EQ(s.lstNames->item(0)->text(), addresses[6]);
              EXPECT_TRUE(s.txtCC->text().isEmpty());
              s.cmdSend->click();
          });
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(
        boxes.Last().contains(" 6 of 8 messages had been sent before this failure. Their addresses have "
                              "been removed from the list"))
        << boxes.Last().toStdString();
    expectedBoxes << boxes.Last();
    QStringList to, cc;
    for (const auto& m : mail.Messages()) {
        to << m.to;
        cc << m.cc;
    }
    EXPECT_EQ(to, addresses);
    EXPECT_EQ(cc, QStringList{"club@example.com"});
}

TEST_F(EmailScreenTest, AHangingMailProgramIsStoppedWithItsChildOnTimeoutOrCancel) {
    struct Case {
        bool cancel;
        QString said;
    };
    for (const Case& c : {Case{false, "did not finish within 30 seconds and was stopped"},
                          Case{true, "was cancelled and was stopped"}}) {
        SCOPED_TRACE(c.said.toStdString());
        MailRecorder mail(MailRecorder::kHang);
        Drive([] { OpenEmailScreen(Ctx(), "Customer", "pat@example.org"); },
              [&](frmEmail& s) {
                  // Once the program has read the message: Cancel, or half a minute passes.
                  OnceChildRuns(s, mail, [&c](QProgressDialog& progress) {
                      if (c.cancel)
                          progress.cancel();
                      else
                          HalfAMinutePasses(progress);
                  });
                  s.cmdSend->click();
              });
        ASSERT_FALSE(boxes.Texts().isEmpty());
        EXPECT_TRUE(boxes.Last().contains(c.said + "; it had already read the message, which may or may not "
                                                   "have been sent."))
            << boxes.Last().toStdString();
        expectedBoxes << boxes.Last();
        const int child = mail.ChildPid();
        ASSERT_GT(child, 0);
        EXPECT_TRUE(ProcessEnds(child));
    }
}

TEST_F(EmailScreenTest, AMailProgramThatLeavesPartOfTheMessageUnreadIsNeverReportedAsSent) {
    struct Case {
        int program;
        int lines;  // of the message text
        QString said;
    };
    const QString readPart = "ended without reading the whole message (it had read 1500 of the ";
    for (const Case& c : {Case{MailRecorder::kReadsPart, 100, readPart},  // all of it in the pipe
                          Case{MailRecorder::kReadsPart, 20000, readPart},
                          Case{MailRecorder::kHangUnread, 100,
                               "did not finish within 30 seconds and was stopped; it had read 0 of the "}}) {
        SCOPED_TRACE(c.lines);
        MailRecorder mail(c.program);
        const int result =
            Drive([] { OpenEmailScreen(Ctx(), "Customer", "pat@example.org"); },
                  [&](frmEmail& s) {
                      s.txtMessage->setPlainText(QString("All rounds count.\n").repeated(c.lines));
                      // The program that reads nothing runs on until half a minute has passed.
                      if (c.program == MailRecorder::kHangUnread) OnceChildRuns(s, mail, HalfAMinutePasses);
                      s.cmdSend->click();
                  });
        EXPECT_NE(result, QDialog::Accepted);
        ASSERT_FALSE(boxes.Texts().isEmpty());
        EXPECT_TRUE(boxes.Last().contains(c.said)) << boxes.Last().toStdString();
        EXPECT_FALSE(boxes.Last().contains("already read"));
        expectedBoxes << boxes.Last();
        if (c.program == MailRecorder::kHangUnread) {
            EXPECT_TRUE(ProcessEnds(mail.ChildPid()));
        }
    }
}

TEST_F(EmailScreenTest, MessageFilesAreReadByTheirMarkAndAnythingElseIsRefusedLeavingTheTextAlone) {
    const QString text = "Hello\r\nWörld “9”";
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(folder.Path() + "/" + name);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    };
    const auto encoded = [&](QStringEncoder::Encoding encoding) {
        QStringEncoder encoder(encoding);
        return QByteArray(encoder.encode(text));
    };
    const QString fifo = folder.Path() + "/pipe.txt";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString device = folder.Path() + "/zero.txt";
    QFile::link("/dev/zero", device);
    struct Case {
        QString path, refused;  // refused: a part of the box's text; empty when the file is read
    };
    const QList<Case> cases = {
        {write("le.txt", "\xFF\xFE" + encoded(QStringEncoder::Utf16LE)), {}},
        {write("be.txt", "\xFE\xFF" + encoded(QStringEncoder::Utf16BE)), {}},
        {write("bom8.txt", "\xEF\xBB\xBF" + text.toUtf8()), {}},
        {write("nomark.txt", encoded(QStringEncoder::Utf16LE)), "nomark.txt' holds a NUL character"},
        {fifo, "pipe.txt' is a named pipe (FIFO), not an ordinary file."},
        {device, "zero.txt' is a device, not an ordinary file."},
        {write("big.txt", QByteArray(kMaxMessageFileBytes + 1, 'x')), "at most 4 MB can be read."},
    };
    MailRecorder mail;
    Drive([] { OpenEmailScreen(Ctx(), "General", kSupportAddress); },
          [&](frmEmail& s) {
              for (const Case& c : cases) {
                  SCOPED_TRACE(c.path.toStdString());
                  s.txtMessage->setPlainText("Keep");
                  boxes.Push(vbNo);  // the file's text in place of the box's
                  const int shown = boxes.Count();
                  s.ChooseFile = [&](QWidget*, const QString&, const QString&) { return c.path; };
                  s.cmdMessages->click();
                  if (c.refused.isEmpty()) {
                      EXPECT_EQ(s.txtMessage->toPlainText(), "Hello\nWörld “9”");
                      EXPECT_EQ(boxes.Count(), shown + 1);  // the question only
                  } else {
                      EXPECT_EQ(s.txtMessage->toPlainText(), "Keep");
                      ASSERT_EQ(boxes.Count(), shown + 2);
                      EXPECT_TRUE(boxes.Last().contains(c.refused)) << boxes.Last().toStdString();
                  }
              }
              s.txtMessage->clear();
              s.ChooseFile = [&](QWidget*, const QString&, const QString&) { return cases[0].path; };
              s.cmdMessages->click();
              s.cmdSend->click();
          });
    expectedBoxes = boxes.Texts();
    const auto sent = mail.Messages();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].body.trimmed(), "Hello\nWörld “9”");
}

TEST_F(EmailScreenTest, APipeADeviceOrAFolderIsNeverAttachedNorWaitedOn) {
    const QString fifo = folder.Path() + "/pipe";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString later = folder.Path() + "/later.txt";  // a pipe by the time the mail is sent
    QFile(later).open(QIODevice::WriteOnly);
    MailRecorder mail;
    Drive([] { OpenEmailScreen(Ctx(), "General", kSupportAddress); },
          [&](frmEmail& s) {
              for (const QString& path : {fifo, QString("/dev/zero"), folder.Path(), later}) {
                  s.ChooseFile = [&](QWidget*, const QString&, const QString&) { return path; };
                  s.cmdAttach->click();
              }
              ASSERT_EQ(s.lstAttach->count(), 1);
              QFile::remove(later);
              ASSERT_EQ(::mkfifo(QFile::encodeName(later).constData(), 0600), 0);
              s.txtMessage->setPlainText("Hi");
              s.cmdSend->click();
          });
    const QStringList said = {"pipe' is a named pipe (FIFO), not an ordinary file.", "zero' is a device",
                              "' is a folder", "later.txt' is a named pipe (FIFO)"};
    ASSERT_EQ(boxes.Count(), said.size());
    for (int i = 0; i < said.size(); ++i) {
        EXPECT_TRUE(boxes.Texts()[i].contains(said[i])) << boxes.Texts()[i].toStdString();
        EXPECT_EQ(boxes.Texts()[i].endsWith("It has not been attached."), i < 3);
    }
    expectedBoxes = boxes.Texts();
    EXPECT_TRUE(mail.Messages().isEmpty());
}

TEST_F(EmailScreenTest, LongOrNonAsciiTextGoesQuotedPrintableAndWindowsFilesAreReadRight) {
    // A UTF-8 file spoilt by a stray byte is read as Windows-1252, and the golfer is told; one whose mark
    // says UTF-8 or UTF-16 keeps its letters, the stray bytes read as U+FFFD, and is told too; a
    // Windows-1252 file is read without a word.
    struct Read {
        QByteArray bytes;
        QString text, told;
    };
    const QList<Read> reads = {
        {"Gr\xC3\xBC\xC3\x9F\x65 \xFF", "GrÃ¼ÃŸe ÿ", "' is written in UTF-8 but holds bytes that are not"},
        {"\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F\x65 \xFF", "Grüße \uFFFD",
         "' is marked as UTF-8 but holds bytes that are not UTF-8"},
        {QByteArray("\xFF\xFEG\0\xFC\0\x00\xD8 \0\x00\xD8\x00\xDF", 14), "Gü\uFFFD 𐌀",
         "' is marked as UTF-16 but holds bytes that are not UTF-16"},  // a surrogate without its pair
        {QByteArray("\xFE\xFF\0G\0\xFC\0", 7), "Gü\uFFFD",
         "' is marked as UTF-16 but holds bytes that are not UTF-16"},  // an odd last byte
        {"Caf\xe9 \x93open\x94\r\n", "Café “open”", {}},
    };
    const QString paragraph = QString("All rounds count. ").repeated(120);  // 2,160 characters
    const QString path = folder.Path() + "/message.txt";
    MailRecorder mail;
    Drive([] { OpenEmailScreen(Ctx(), "General", kSupportAddress); },
          [&](frmEmail& s) {
              s.ChooseFile = [path](QWidget*, const QString&, const QString&) { return path; };
              for (const Read& read : reads) {
                  SCOPED_TRACE(read.text.toStdString());
                  QFile file(path);
                  file.open(QIODevice::WriteOnly);
                  file.write(read.bytes);
                  file.close();
                  const int shown = boxes.Count();
                  s.txtMessage->clear();
                  s.cmdMessages->click();
                  EXPECT_EQ(s.txtMessage->toPlainText(), read.text);
                  ASSERT_EQ(boxes.Count(), shown + (read.told.isEmpty() ? 0 : 1));
                  if (!read.told.isEmpty()) {
                      EXPECT_TRUE(boxes.Last().startsWith("The file '" + path + read.told))
                          << boxes.Last().toStdString();
                  }
              }
              s.txtMessage->setPlainText(s.txtMessage->toPlainText() + "\n" + paragraph);
              s.cmdAttach->click();
              s.cmdSend->click();
          });
    expectedBoxes = boxes.Texts();
    const auto sent = mail.Messages();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].body.trimmed(), "Café “open”\n" + paragraph.trimmed());
    const QByteArray raw = sent[0].raw;
    EXPECT_TRUE(raw.contains("Content-Transfer-Encoding: quoted-printable"));
    EXPECT_TRUE(raw.contains("charset=windows-1252"));
    for (const QByteArray& line : raw.split('\n')) EXPECT_LE(line.size(), 76) << line.constData();
    ASSERT_EQ(sent[0].attachments.size(), 1);
    EXPECT_EQ(sent[0].attachments[0].second, reads.back().bytes);
}

TEST_F(EmailScreenTest, NameSearchMatchesTypedPrefixesLiterallyAndCompletesTheName) {
    AddPlayer(1, "Smith", "John", "john@example.com");
    AddPlayer(2, "S_mith", "Sal", "sal@example.com");
    AddPlayer(3, "O'Neil", "Pat", "pat@example.com");
    AddPlayer(4, "Smith", "Jane", "jane@example.com");
    const QList<QStringList> cases = {{"S_", "S_mith, Sal", "sal@example.com"},
                                      {"%", "", ""},
                                      {"O'N", "O'Neil, Pat", "pat@example.com"},
                                      {"Smith, Ja", "Smith, Jane", "jane@example.com"},
                                      {"Smith, %", "", ""}};
    for (const QStringList& c : cases) {
        PlayerStore players(TestDb());
        const FoundAddress found = FindAddressByName(players, c[0]);
        EXPECT_EQ(QStringList({c[0], found.name, found.email}), c);
    }
    // A name typed in full keeps its address, so that To can still take it.
    Drive([] { OpenEmailScreen(Ctx(), "Customer", QString()); },
          [](frmEmail& s) {
              QTest::keyClicks(s.txtName, "S_");
              EXPECT_EQ(s.txtName->selectedText(), "mith, Sal");
              s.txtName->setText("O'Neil, Pat");
              s.txtName_KeyUp('T');
              s.cmdTo->click();
              s.cmdTo->click();
              EXPECT_EQ(s.txtTo->text(), "pat@example.com;pat@example.com");
          });
}

}  // namespace
}  // namespace dc
