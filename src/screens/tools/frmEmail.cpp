#include "tools/frmEmail.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/MailFiles.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "platform/Termination.h"
#include "records/PlayerStore.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/ProgramFolder.h"
#include "shell/ShellDoc.h"
#include "tools/Email.h"
#include "tools/SystemArchive.h"

namespace dc {
namespace {

frmEmail* gOpenScreen = nullptr;

constexpr int kTwipsPerPixel = 15;
const QString kErrorBanner =
    "You have encountered an error.  To email the error to Corvy Systems, click the send button.";

}  // namespace

frmEmail::frmEmail(AppContext& ctx, const QString& mode, const QString& to, QWidget* parent)
    : QDialog(parent), ctx_(ctx), bEmailPreset(!mode.isEmpty()), sEmailTo(to), sEmailMode(mode) {
    gOpenScreen = this;
    ChooseFile = [](QWidget* parent, const QString& caption, const QString& filter) {
        return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
    };
    setObjectName("frmEmail");
    setWindowTitle("Send Email");
    BuildControls();
    ConnectHandlers();
    Form_Load();
}

frmEmail::~frmEmail() {
    if (gOpenScreen == this) gOpenScreen = nullptr;
}

frmEmail* frmEmail::Current() { return gOpenScreen; }

void frmEmail::BuildControls() {
    auto* outer = new QVBoxLayout(this);
    lblError = new QLabel(kErrorBanner, this);
    lblError->setWordWrap(true);
    lblError->setVisible(false);
    outer->addWidget(lblError);

    auto* addresses = new QGridLayout;
    txtTo = new QLineEdit(this);
    txtCC = new QLineEdit(this);
    addresses->addWidget(new QLabel("To:", this), 0, 0);
    addresses->addWidget(txtTo, 0, 1);
    addresses->addWidget(new QLabel("CC:", this), 1, 0);
    addresses->addWidget(txtCC, 1, 1);
    outer->addLayout(addresses);

    fraSearch = new QGroupBox("Search for Email Address (Last, First)", this);
    auto* search = new QGridLayout(fraSearch);
    txtName = new QLineEdit(fraSearch);
    lblEmail = new QLabel(fraSearch);
    cmdClear = new QPushButton("Clea&r", fraSearch);
    cmdTo = new QPushButton("&To", fraSearch);
    cmdCC = new QPushButton("&CC", fraSearch);
    search->addWidget(txtName, 0, 0);
    search->addWidget(cmdClear, 0, 1);
    search->addWidget(lblEmail, 1, 0);
    auto* copy = new QHBoxLayout;
    copy->addWidget(cmdTo);
    copy->addWidget(cmdCC);
    search->addLayout(copy, 1, 1);
    outer->addWidget(fraSearch);

    // The recipient list and its button hide together, giving their room to the message.
    fraNames_ = new QWidget(this);
    auto* list = new QHBoxLayout(fraNames_);
    list->setContentsMargins(0, 0, 0, 0);
    lstNames = new QListWidget(fraNames_);
    lstNames->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cmdDelete = new QPushButton("&Delete", fraNames_);
    list->addWidget(lstNames, 1);
    list->addWidget(cmdDelete, 0, Qt::AlignTop);
    outer->addWidget(fraNames_, 1);

    auto* subject = new QHBoxLayout;
    txtSubject = new QLineEdit(this);
    subject->addWidget(new QLabel("Subject", this));
    subject->addWidget(txtSubject);
    outer->addLayout(subject);

    auto* message = new QHBoxLayout;
    txtMessage = new QPlainTextEdit(this);
    cmdMessages = new QPushButton("&Messages ...", this);
    message->addWidget(txtMessage, 1);
    message->addWidget(cmdMessages, 0, Qt::AlignTop);
    outer->addLayout(message, 2);

    outer->addWidget(new QLabel("Attachments", this));
    auto* attach = new QHBoxLayout;
    lstAttach = new QListWidget(this);
    lstAttach->setSelectionMode(QAbstractItemView::MultiSelection);
    lstAttach->setMaximumHeight(90);
    auto* attachButtons = new QVBoxLayout;
    cmdAttach = new QPushButton("&Attach ...", this);
    cmdZip = new QPushButton("Zip System Files", this);
    chkReceipt = new QCheckBox("Request Receipt", this);
    attachButtons->addWidget(cmdAttach);
    attachButtons->addWidget(cmdZip);
    attachButtons->addWidget(chkReceipt);
    attach->addWidget(lstAttach, 1);
    attach->addLayout(attachButtons);
    outer->addLayout(attach);

    auto* commands = new QHBoxLayout;
    cmdSend = new QPushButton("&Send", this);
    cmdHelp = new QPushButton("&Help", this);
    cmdClose = new QPushButton("Clos&e", this);
    commands->addStretch();
    commands->addWidget(cmdSend);
    commands->addWidget(cmdHelp);
    commands->addWidget(cmdClose);
    outer->addLayout(commands);
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
}

void frmEmail::ConnectHandlers() {
    connect(cmdTo, &QPushButton::clicked, this, [this] { cmdTo_Click(); });
    connect(cmdCC, &QPushButton::clicked, this, [this] { cmdCC_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdAttach, &QPushButton::clicked, this, [this] { cmdAttach_Click(); });
    connect(cmdMessages, &QPushButton::clicked, this, [this] { cmdMessages_Click(); });
    connect(cmdZip, &QPushButton::clicked, this, [this] { cmdZip_Click(); });
    connect(cmdSend, &QPushButton::clicked, this, [this] { cmdSend_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    txtName->installEventFilter(this);
}

bool frmEmail::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtName && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) txtName_KeyUp(key->key() == Qt::Key_Backspace ? 8 : key->key());
    }
    return QDialog::eventFilter(watched, event);
}

void frmEmail::ShowBanner(const QString& caption, const QColor& colour, int points) {
    lblError->setText(caption);
    QPalette palette = lblError->palette();
    palette.setColor(QPalette::WindowText, colour);
    lblError->setPalette(palette);
    QFont font = lblError->font();
    font.setPointSize(points);
    lblError->setFont(font);
    lblError->setVisible(true);
}

void frmEmail::Form_Load() {
    try {
        txtMessage->clear();
        recipientList_ = !bEmailPreset;
        if (bEmailPreset) {
            fraNames_->setVisible(false);
            resize(640, 7515 / kTwipsPerPixel);
            txtTo->setText(sEmailTo);
            // The search serves the player mails; the banner the three mails to support.
            if (sEmailMode == "Error") {
                fraSearch->setVisible(false);
                ShowBanner(kErrorBanner, QColor(255, 0, 0), 14);
            } else if (sEmailMode == "System") {
                fraSearch->setVisible(false);
                ShowBanner(
                    "Email System File Check Results to Corvy Systems. Enter additional comments in the "
                    "Message section.",
                    QColor(0, 0, 255), 12);
                cmdZip_Click();
            } else if (sEmailMode == "General") {
                fraSearch->setVisible(false);
                ShowBanner("Send Email to Corvy Systems.", QColor(0, 0, 255), 14);
            }
        } else {
            fraNames_->setVisible(true);
            resize(640, 9480 / kTwipsPerPixel);
            Load_Players();
        }
    } catch (...) {
        ReportCurrentError("Form Email, Form_Load", Sql::Without);
    }
}

void frmEmail::Load_Players() {
    try {
        lstNames->clear();
        for (const PlayerRec& player : PlayerStore(ctx_.Connection()).AllPlayers()) {
            const QString email = player.EMAIL.trimmed();
            if (email.isEmpty()) continue;
            auto* item = new QListWidgetItem(email, lstNames);
            item->setData(Qt::UserRole, player.PLAYER_ID);
        }
    } catch (...) {
        ReportCurrentError("Form Email, Load_Players", Sql::Without);
    }
}

void frmEmail::txtName_KeyUp(int keyCode) {
    try {
        const QString typed = txtName->text();
        const int typedLength = typed.length();
        if (typedLength == 0) {
            ShowFoundEmail(QString());
            return;
        }
        PlayerStore players(ctx_.Connection());
        const FoundAddress found = FindAddressByName(players, typed);
        ShowFoundEmail(found.email);
        const int foundLength = found.name.length();
        if (foundLength > typedLength) {
            txtName->setText(found.name);
            if (keyCode == 8)
                txtName->setSelection(typedLength - 1, foundLength - typedLength + 1);
            else
                txtName->setSelection(typedLength, foundLength - typedLength);
        } else if (found.name.isEmpty()) {
            ShowFoundEmail(QString());
        }
    } catch (...) {
        ReportCurrentError("Form Email, txtName_KeuUp", Sql::With);
    }
}

void frmEmail::ShowFoundEmail(const QString& email) {
    foundEmail_ = email.trimmed();
    lblEmail->setText(email);
}

void frmEmail::cmdTo_Click() {
    const QString& found = foundEmail_;
    if (found.isEmpty()) return;
    if (recipientList_) {
        lstNames->addItem(found);
    } else {
        txtTo->setText(txtTo->text().trimmed().isEmpty() ? found : txtTo->text() + ";" + found);
    }
}

void frmEmail::cmdCC_Click() {
    const QString& found = foundEmail_;
    if (found.isEmpty()) return;
    txtCC->setText(txtCC->text().trimmed().isEmpty() ? found : txtCC->text() + ";" + found);
}

void frmEmail::cmdClear_Click() {
    txtName->clear();
    ShowFoundEmail(QString());
    txtName->setFocus();
}

void frmEmail::cmdDelete_Click() {
    if (lstNames->selectedItems().isEmpty()) {
        MsgBox("There are no names selected to delete from the list.");
        return;
    }
    if (MsgBox("Are you sure you want to remove the selected Email items from the list below?",
               vbYesNo + vbQuestion) != vbYes)
        return;
    for (int i = lstNames->count() - 1; i >= 0; --i)
        if (lstNames->item(i)->isSelected()) delete lstNames->takeItem(i);
}

// A cancelled dialog gives "".
QString frmEmail::GetAttachFileName() { return ChooseFile(this, "Attach", "All Files (*)"); }

QString frmEmail::GetMessageFileName() { return ChooseFile(this, "Messages", "Text Files (*.txt)"); }

void frmEmail::AddAttachment(const QString& path) {
    lstAttach->addItem(path);
    lstAttach->item(lstAttach->count() - 1)->setSelected(true);
}

void frmEmail::cmdAttach_Click() {
    const QString path = GetAttachFileName();
    if (path.trimmed().isEmpty()) return;
    try {
        CheckOrdinaryFile(path);  // a pipe or a device would hang or never end when sent
    } catch (const AppError& e) {
        MsgBox(e.description() + " It has not been attached.", vbExclamation);
        return;
    }
    AddAttachment(path);
}

void frmEmail::cmdMessages_Click() {
    try {
        QString text;
        if (!txtMessage->toPlainText().trimmed().isEmpty()) {
            const int answer = MsgBox(
                "Do you want to append more text to the existing text in the Message box?\r\n\r\n"
                "Yes - Append additional text from file\r\n"
                "No - Clear Text and add new text from file\r\n"
                "Cancel - Leave text as is",
                vbYesNoCancel + vbQuestion);
            if (answer == vbCancel) return;
            if (answer == vbYes) text = txtMessage->toPlainText();
        }
        const QString path = GetMessageFileName();
        if (!path.trimmed().isEmpty()) {
            QString read;
            try {
                const MessageText file = ReadMessageFile(path);
                read = file.text;
                if (file.spoiltUtf8)
                    MsgBox(
                        QString("The file '%1' is written in UTF-8 but holds bytes that are not UTF-8: it "
                                "has been read as Windows-1252, so its accented letters show wrongly (such "
                                "as \"Ã¼\" for \"ü\"). Mend them in the message, or save the file again "
                                "in UTF-8 and read it anew.")
                            .arg(path),
                        vbExclamation);
                if (!file.badBytesUnderMark.isEmpty())
                    MsgBox(QString("The file '%1' is marked as %2 but holds bytes that are not %2: each has "
                                   "been read as \"\uFFFD\", and the rest of its text is as written. Mend "
                                   "them in the message, or save the file again in %2 and read it anew.")
                               .arg(path, file.badBytesUnderMark),
                           vbExclamation);
            } catch (const AppError& e) {
                // Not a file to read as text: the message stays as it was.
                MsgBox(e.description(), vbExclamation);
                return;
            }
            if (read.endsWith('\n')) read.chop(1);
            if (!read.isEmpty())
                for (const QString& line : read.split('\n'))
                    text = text.isEmpty() ? line : text + "\r\n" + line;
        }
        txtMessage->setPlainText(text);
    } catch (...) {
        ReportCurrentError("Form Email, cmdMessages_Click", Sql::Without);
    }
}

void frmEmail::cmdZip_Click() {
    const QString zip = SystemZipPath(ProgramFolder());
    try {
        for (int i = lstAttach->count() - 1; i >= 0; --i) {
            if (lstAttach->item(i)->text() != zip) continue;
            QFile::remove(zip);
            delete lstAttach->takeItem(i);
        }
        BusyPointer busy;
        BuildSystemZip(zip, ctx_.HasDatabase() ? ctx_.Connection().Path() : ctx_.sDBPathFile.trimmed(),
                       IniFilePath());
    } catch (...) {
        // A failed archive is told in plain words and not attached; the mail it was for is not sent
        // without it.
        const ErrorInfo error = CurrentError();
        archiveMissing_ = error.description;
        const ErrorTextParts told = SystemZipFailure(error, zip, "Form Email, cmdZip_Click");
        MsgBoxWithDetails(told.plain, told.technical, vbExclamation + vbOKOnly);
        return;
    }
    archiveMissing_.clear();
    AddAttachment(zip);
}

EmailDraft frmEmail::Draft() const {
    EmailDraft draft;
    draft.recipientList = recipientList_;
    draft.to = txtTo->text();
    draft.cc = txtCC->text();
    draft.subject = txtSubject->text();
    draft.body = txtMessage->toPlainText();
    for (int i = 0; i < lstNames->count(); ++i) draft.addresses << lstNames->item(i)->text();
    for (int i = 0; i < lstAttach->count(); ++i) {
        const QListWidgetItem* item = lstAttach->item(i);
        if (item->isSelected() && !item->text().isEmpty()) draft.attachments << item->text();
    }
    draft.receipt = chkReceipt->isChecked();
    return draft;
}

// Sends every message behind a progress window with Cancel. A failure part-way removes the
// addresses already served (and the CC, which went with the first) so that Send mails only the rest.
void frmEmail::SendAll(const std::vector<MailMessage>& messages, const std::vector<int>& rows) {
    const int count = static_cast<int>(messages.size());
    QProgressDialog progress(QString(), "Cancel", 0, count, this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    // The program told to end: the message being handed over goes out whole, the others are not begun.
    for (int i = 0; i < count && !TerminationRequested(); ++i) {
        progress.setLabelText(QString("Sending message %1 of %2 ...").arg(i + 1).arg(count));
        progress.setValue(i);
        try {
            SendMail(messages[i], [&progress] { return progress.wasCanceled(); });
        } catch (const AppError& e) {
            if (i == 0) throw;
            for (int j = i - 1; j >= 0; --j) delete lstNames->takeItem(rows[j]);
            txtCC->clear();
            throw AppError(
                e.number(),
                e.description() +
                    QString(" %1 of %2 messages had been sent before this failure.").arg(i).arg(count) +
                    " Their addresses have been removed from the list and the CC box "
                    "cleared, so that Send mails only the others.");
        }
    }
}

// The first address of the messages that is not one plain address: its box gets the focus.
bool frmEmail::RefuseBadAddress(const std::vector<MailMessage>& messages, const std::vector<int>& rows) {
    for (size_t i = 0; i < messages.size(); ++i) {
        for (const bool cc : {false, true}) {
            for (const QString& entry : cc ? messages[i].cc : messages[i].to) {
                if (IsPlainAddress(entry)) continue;
                MsgBox(BadAddressText(entry) + " Nothing has been sent.", vbExclamation);
                if (cc) {
                    txtCC->setFocus();
                } else if (recipientList_) {
                    lstNames->setCurrentRow(rows[i]);
                    lstNames->setFocus();
                } else {
                    txtTo->setFocus();
                }
                return true;
            }
        }
    }
    return false;
}

void frmEmail::cmdSend_Click() {
    try {
        const EmailDraft draft = Draft();
        std::vector<int> rows;
        const std::vector<MailMessage> messages = ComposeMessages(draft, &rows);
        if (messages.empty()) {
            if (draft.recipientList) {
                MsgBox("There are no email addresses in the list to send to.", vbExclamation);
                lstNames->setFocus();
            } else {
                MsgBox("Please supply an email address in the 'To' box.", vbExclamation);
                txtTo->setFocus();
            }
            return;
        }
        if (RefuseBadAddress(messages, rows)) return;
        // The golfer chooses anew: the mail goes without the archive, or waits for Zip System Files.
        if (!archiveMissing_.isEmpty()) {
            if (MsgBox("This mail was to carry the archive of the system files, which could not be made: " +
                           archiveMissing_ +
                           "\r\n\r\nSend it without the archive? Otherwise nothing is sent; press Zip "
                           "System Files to try again once the cause is mended.",
                       vbYesNo + vbQuestion, QString(), {"Send without it", "Do not send"}) != vbYes) {
                cmdZip->setFocus();
                return;
            }
            archiveMissing_.clear();
        }
        SendAll(messages, rows);
    } catch (...) {
        ReportCurrentError("Form Email, cmdSend_Click", Sql::Without);
        return;
    }
    accept();
}

bool frmEmail::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) SetMousePointer(Pointer::Default);
    return QDialog::event(event);
}

void frmEmail::cmdHelp_Click() { ShellDoc(HelpDocumentPath()); }

void frmEmail::cmdClose_Click() { reject(); }

namespace {

// The screen lays itself out for its preset while it loads; the subject and message are filled afterwards.
void ShowEmail(AppContext& ctx, const QString& mode, const QString& to, const QString& subject,
               const QString& message, QWidget* parent) {
    if (frmEmail::Current()) return;
    frmEmail screen(ctx, mode, to, parent);
    if (!subject.isNull()) screen.txtSubject->setText(subject);
    if (!message.isNull()) screen.txtMessage->setPlainText(message);
    ExecModal(screen);
}

}  // namespace

void OpenEmailScreen(AppContext& ctx, const QString& mode, const QString& to, const QString& subject,
                     QWidget* parent) {
    ShowEmail(ctx, mode, to, subject, QString(), parent);
}

void SendErrorReport(AppContext& ctx, QString& message) {
    // An error while a mail is being written must neither replace it nor go to its recipients.
    if (frmEmail::Current()) {
        MsgBox(message, vbExclamation + vbOKOnly);
        return;
    }
    ShowEmail(ctx, "Error", kSupportAddress, ErrorReportSubject(), message, QApplication::activeWindow());
}

void InstallErrorReportSender(AppContext& ctx) {
    SetErrorReportSender([&ctx](QString& message) {
        if (!ctx.bErrorReport) return false;
        SendErrorReport(ctx, message);
        return true;
    });
}

}  // namespace dc
