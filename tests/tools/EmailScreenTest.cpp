// The e-mail screen offscreen, with a recording mail program: the preset modes, the recipient
// list, attachments, the receipt request and a non-ASCII subject as they reach the mail program,
// the error report, the buttons of the settings screen and the player editor, and the faults that
// must not happen (a mail overwritten by an error, sending to nobody, empty entries, a failing or
// missing mail program reported as sent).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "MailRecorder.h"
#include "TestSupport.h"
#include "platform/Database.h"
#include "platform/MailSession.h"
#include "platform/MsgBox.h"
#include "records/PlayerStore.h"
#include "records/frmPlayers.h"
#include "shell/Globals.h"
#include "shell/frmSystemSetup.h"
#include "tools/Email.h"
#include "tools/SystemArchive.h"
#include "tools/frmEmail.h"

namespace dc {
namespace {

using test::MailRecorder;
using test::ScriptedModal;
using test::ScriptedMsgBox;

class EmailScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        db = folder.OpenDatabase();
        folder.WriteIni(db);
        bErrorReport = true;
    }
    void AddPlayer(int id, const QString& last, const QString& first, const QString& email) {
        gDB->Execute("INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME, EMAIL) VALUES (?,?,?,?)",
                     {id, last, first, email});
    }
    // Opens the e-mail screen through `open` and runs `act` on it while it is shown.
    int Drive(const std::function<void()>& open, const std::function<void(frmEmail&)>& act) {
        int result = -1;
        ScriptedModal modal([&](QDialog& d) {
            auto* screen = qobject_cast<frmEmail*>(&d);
            EXPECT_NE(screen, nullptr);
            if (screen) act(*screen);
            result = d.result();
            return result;
        });
        open();
        EXPECT_EQ(modal.Count(), 1);
        return result;
    }
    QString WriteFile(const QString& name, const QByteArray& data) {
        QFile file(folder.Path() + "/" + name);
        file.open(QIODevice::WriteOnly);
        file.write(data);
        return file.fileName();
    }

    void TearDown() override {
        EXPECT_EQ(boxes.Count(), expectedBoxes) << boxes.Texts().join("|").toStdString();
    }

    test::ProgramFolder folder;
    QString db;
    ScriptedMsgBox boxes;  // no real box may block a test
    int expectedBoxes = 0;
};

TEST_F(EmailScreenTest, PresetModesSetUpTheScreenAndSendToTheirAddress) {
    struct Case {
        QString mode, to, banner;
        bool search;
        int attached;
    };
    const QList<Case> cases = {
        {"Error", kSupportAddress,
         "You have encountered an error.  To email the error to Corvy Systems, click the send button.", false,
         0},
        {"System", kSupportAddress,
         "Email System File Check Results to Corvy Systems. Enter additional comments in the Message "
         "section.",
         false, 1},
        {"General", kSupportAddress, "Send Email to Corvy Systems.", false, 0},
        {"Customer", "golfer@example.org", QString(), true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode.toStdString());
        MailRecorder mail;
        const int result = Drive([&] { OpenEmailScreen(c.mode, c.to, "Subject " + c.mode); },
                                 [&](frmEmail& s) {
                                     EXPECT_EQ(s.txtTo->text(), c.to);
                                     EXPECT_EQ(s.txtSubject->text(), "Subject " + c.mode);
                                     EXPECT_FALSE(s.lstNames->isVisibleTo(&s));
                                     EXPECT_EQ(s.fraSearch->isVisibleTo(&s), c.search);
                                     EXPECT_EQ(s.lblError->isVisibleTo(&s), !c.banner.isEmpty());
                                     if (!c.banner.isEmpty()) {
                                         EXPECT_EQ(s.lblError->text(), c.banner);
                                     }
                                     ASSERT_EQ(s.lstAttach->count(), c.attached);
                                     if (c.attached) {
                                         EXPECT_EQ(s.lstAttach->item(0)->text(), SystemZipPath());
                                         EXPECT_TRUE(s.lstAttach->item(0)->isSelected());
                                     }
                                     s.txtMessage->setPlainText("Hello");
                                     s.cmdSend->click();
                                 });
        EXPECT_EQ(result, QDialog::Accepted);
        EXPECT_FALSE(bEmailPreset);
        const auto sent = mail.Messages();
        ASSERT_EQ(sent.size(), 1);
        EXPECT_EQ(sent[0].to, QStringList{c.to});
        EXPECT_EQ(sent[0].subject, "Subject " + c.mode);
        EXPECT_EQ(sent[0].body.trimmed(), "Hello");
        EXPECT_EQ(sent[0].attachments.size(), c.attached);
        EXPECT_EQ(mail.Arguments(), QStringList{"-t -oi"});
    }
}

TEST_F(EmailScreenTest, RecipientListSendsOneMessagePerAddressWithTheCcOnTheFirst) {
    AddPlayer(1, "Able", "Ann", "ann@example.com");
    AddPlayer(2, "Baker", "Bob", "");
    AddPlayer(3, "Carter", "Cy", " cy@example.com ");
    AddPlayer(4, "Dunn", "Di", "di@example.org");
    MailRecorder mail;
    Drive([] { OpenEmailScreen(QString()); },
          [](frmEmail& s) {
              EXPECT_TRUE(s.lstNames->isVisibleTo(&s));
              ASSERT_EQ(s.lstNames->count(), 3);
              EXPECT_EQ(s.lstNames->item(1)->text(), "cy@example.com");
              EXPECT_EQ(s.lstNames->item(1)->data(Qt::UserRole).toInt(), 3);
              s.txtCC->setText("club@example.com");
              s.txtSubject->setText("Tee times");
              s.cmdSend->click();
          });
    const auto sent = mail.Messages();
    ASSERT_EQ(sent.size(), 3);
    EXPECT_EQ(sent[0].to, QStringList{"ann@example.com"});
    EXPECT_EQ(sent[0].cc, QStringList{"club@example.com"});
    EXPECT_EQ(sent[1].to, QStringList{"cy@example.com"});
    EXPECT_TRUE(sent[1].cc.isEmpty());
    EXPECT_EQ(sent[2].to, QStringList{"di@example.org"});
    EXPECT_TRUE(sent[2].cc.isEmpty());
    for (const auto& m : sent) EXPECT_EQ(m.subject, "Tee times");
}

TEST_F(EmailScreenTest, SelectedAttachmentsReceiptAndNonAsciiSubjectReachTheMailProgram) {
    const QString skipped = WriteFile("notes.txt", "not sent");
    const QString card = WriteFile("card.pdf", QByteArray("%PDF\x00\x01\xff", 7));
    MailRecorder mail;
    Drive([] { OpenEmailScreen("General", kSupportAddress); },
          [&](frmEmail& s) {
              s.ChooseFile = [&](QWidget*, const QString&, const QString&) { return skipped; };
              s.cmdAttach->click();
              s.ChooseFile = [&](QWidget*, const QString&, const QString&) { return card; };
              s.cmdAttach->click();
              s.lstAttach->item(0)->setSelected(false);
              s.chkReceipt->setChecked(true);
              s.txtSubject->setText("Größe für Zoë – Ärger");
              s.txtMessage->setPlainText("line one\nsSQL=Select * From PLAYERS");
              s.cmdSend->click();
          });
    const auto sent = mail.Messages();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].subject, "Größe für Zoë – Ärger");
    EXPECT_EQ(sent[0].receipt, SenderAddress());
    ASSERT_EQ(sent[0].attachments.size(), 1);
    EXPECT_EQ(sent[0].attachments[0].first, "card.pdf");
    EXPECT_EQ(sent[0].attachments[0].second, QByteArray("%PDF\x00\x01\xff", 7));
    EXPECT_TRUE(sent[0].body.startsWith("line one\nsSQL=Select * From PLAYERS"));
}

TEST_F(EmailScreenTest, ErrorReportOpensTheScreenAddressedToSupportWithTheWholeText) {
    MailRecorder mail;
    QString text = "Form Main Dado, Save_DBF\r\nError Number 3061\r\nToo few parameters\r\nsSQL=Select X";
    Drive([&] { SendErrorReport(text); },
          [](frmEmail& s) {
              EXPECT_EQ(s.txtTo->text(), kSupportAddress);
              EXPECT_EQ(s.txtSubject->text(), ErrorReportSubject());
              EXPECT_EQ(s.txtMessage->toPlainText(),
                        "Form Main Dado, Save_DBF\nError Number 3061\nToo few parameters\nsSQL=Select X");
              s.cmdSend->click();
          });
    EXPECT_EQ(ErrorReportSubject(), "Dado Corvy Error (CV5.5.0)");
    const auto sent = mail.Messages();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_TRUE(sent[0].body.contains("Too few parameters\nsSQL=Select X"));
}

TEST_F(EmailScreenTest, SettingsAndPlayerButtonsOpenTheirPresets) {
    QString mode, to, subject;
    auto record = [&](frmEmail& s) {
        mode = sEmailMode;
        to = s.txtTo->text();
        subject = s.txtSubject->text();
    };
    frmSystemSetup setup;
    Drive([&] { setup.cmdEmail->click(); }, record);
    EXPECT_EQ(mode, "General");
    EXPECT_EQ(to, kSupportAddress);
    EXPECT_EQ(subject, "Dado Corvy  (CV5.5.0)");

    frmPlayers players;
    players.txtEMail->setText("pat@example.org");
    Drive([&] { players.lblEmail->linkActivated("email"); }, record);
    EXPECT_EQ(mode, "Customer");
    EXPECT_EQ(to, "pat@example.org");
    EXPECT_FALSE(bEmailPreset);
}

TEST_F(EmailScreenTest, AnErrorWhileTheScreenIsOpenShowsABoxAndLeavesTheMailAlone) {
    MailRecorder mail;
    Drive([] { OpenEmailScreen("Customer", "pat@example.org"); },
          [](frmEmail& s) {
              s.txtSubject->setText("My round");
              s.txtMessage->setPlainText("See you Sunday");
              QString error = "Form Email, Load_Players\r\nError Number 3078\r\nno such table";
              SendErrorReport(error);
              EXPECT_EQ(s.txtTo->text(), "pat@example.org");
              EXPECT_EQ(s.txtSubject->text(), "My round");
              EXPECT_EQ(s.txtMessage->toPlainText(), "See you Sunday");
          });
    expectedBoxes = 1;
    EXPECT_TRUE(boxes.Last().contains("no such table"));
    EXPECT_EQ(boxes.Styles()[0], vbExclamation);
    EXPECT_TRUE(mail.Messages().isEmpty());
}

TEST_F(EmailScreenTest, NothingToSendIsSaidAndTheScreenStaysOpen) {
    struct Case {
        QString mode, to, message;
    };
    const QList<Case> cases = {
        {QString(), QString(), "There are no email addresses in the list to send to."},
        {"Customer", "", "Please supply an email address in the 'To' box."},
        {"Customer", " ; ;", "Please supply an email address in the 'To' box."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to.toStdString());
        MailRecorder mail;
        const int before = boxes.Count();
        const int result = Drive([&] { OpenEmailScreen(c.mode, c.to); },
                                 [](frmEmail& s) {
                                     s.txtCC->setText("club@example.com");
                                     s.cmdSend->click();
                                 });
        EXPECT_NE(result, QDialog::Accepted);
        EXPECT_EQ(boxes.Texts().mid(before), QStringList{c.message});
        ++expectedBoxes;
        EXPECT_TRUE(mail.Messages().isEmpty());
    }
}

TEST_F(EmailScreenTest, EmptyEntriesBetweenSemicolonsAreSkipped) {
    MailRecorder mail;
    Drive([] { OpenEmailScreen("Customer", "a@example.com;; ;b@example.com;"); },
          [](frmEmail& s) {
              s.txtCC->setText(";c@example.com;;");
              s.cmdSend->click();
          });
    const auto sent = mail.Messages();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].to, (QStringList{"a@example.com", "b@example.com"}));
    EXPECT_EQ(sent[0].cc, QStringList{"c@example.com"});
}

TEST_F(EmailScreenTest, AMissingOrFailingMailProgramIsAnErrorWithItsReason) {
    struct Case {
        int exitCode;
        bool missing;
        QString reason;
    };
    const QList<Case> cases = {{0, true, "could not be started"},
                               {75, false, "recipient refused by the test"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason.toStdString());
        MailRecorder mail(c.exitCode);
        if (c.missing) qputenv("DC_SENDMAIL", (mail.Folder() + "/absent/sendmail").toUtf8());
        const int before = boxes.Count();
        const int result = Drive([] { OpenEmailScreen("General", kSupportAddress); },
                                 [](frmEmail& s) { s.cmdSend->click(); });
        EXPECT_NE(result, QDialog::Accepted);
        ASSERT_EQ(boxes.Count(), before + 1);
        ++expectedBoxes;
        EXPECT_TRUE(boxes.Last().startsWith("Form Email, cmdSend_Click")) << boxes.Last().toStdString();
        EXPECT_TRUE(boxes.Last().contains(c.reason)) << boxes.Last().toStdString();
    }
}

TEST_F(EmailScreenTest, NameSearchMatchesTypedPrefixesLiterally) {
    AddPlayer(1, "Smith", "John", "john@example.com");
    AddPlayer(2, "S_mith", "Sal", "sal@example.com");
    AddPlayer(3, "O'Neil", "Pat", "pat@example.com");
    AddPlayer(4, "Smith", "Jane", "jane@example.com");
    struct Case {
        QString typed, name, email;
    };
    const QList<Case> cases = {
        {"S_", "S_mith, Sal", "sal@example.com"},
        {"%", "", ""},
        {"O'N", "O'Neil, Pat", "pat@example.com"},
        {"Smith, Ja", "Smith, Jane", "jane@example.com"},
        {"Smith, %", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        const FoundAddress found = FindAddressByName(c.typed);
        EXPECT_EQ(found.name, c.name);
        EXPECT_EQ(found.email, c.email);
    }
    // The box completes the name with the completed part selected; a name typed in full keeps its
    // address, so that To can still take it.
    Drive([] { OpenEmailScreen("Customer", QString()); },
          [](frmEmail& s) {
              QTest::keyClicks(s.txtName, "S_");
              EXPECT_EQ(s.txtName->text(), "S_mith, Sal");
              EXPECT_EQ(s.txtName->selectedText(), "mith, Sal");
              s.txtName->setText("O'Neil, Pat");
              s.txtName_KeyUp('T');
              EXPECT_EQ(s.lblEmail->text(), "pat@example.com");
              s.cmdTo->click();
              s.cmdTo->click();
              EXPECT_EQ(s.txtTo->text(), "pat@example.com;pat@example.com");
          });
}

}  // namespace
}  // namespace dc
