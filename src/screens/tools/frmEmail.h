#pragma once
// The e-mail screen "Send Email": composes one mail, or one mail per player address, with
// attachments and the archive of the system files, and sends it through the mail session. Its
// layout and mode come from the preset it is opened with.

#include <QDialog>
#include <functional>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace dc {

class AppContext;

struct EmailDraft;
struct MailMessage;

class frmEmail : public QDialog {
    Q_OBJECT
  public:
    // An empty `mode` is the recipient-list layout; any other mode the preset layout with `to` in the
    // To box (see OpenEmailScreen).
    frmEmail(AppContext& ctx, const QString& mode, const QString& to, QWidget* parent = nullptr);
    ~frmEmail() override;

    // The screen that is open now, if any.
    static frmEmail* Current();
    // The preset mode it was opened with ("" for the recipient list).
    const QString& EmailMode() const { return sEmailMode; }

    // The open-file dialog (tests replace it): caption, filter; returns "" when cancelled.
    std::function<QString(QWidget*, const QString&, const QString&)> ChooseFile;

    QLineEdit* txtTo;
    QLineEdit* txtCC;
    QGroupBox* fraSearch;
    QLineEdit* txtName;
    QLabel* lblEmail;
    QPushButton* cmdTo;
    QPushButton* cmdCC;
    QPushButton* cmdClear;
    QListWidget* lstNames;
    QPushButton* cmdDelete;
    QLineEdit* txtSubject;
    QPlainTextEdit* txtMessage;
    QPushButton* cmdMessages;
    QListWidget* lstAttach;
    QPushButton* cmdAttach;
    QPushButton* cmdZip;
    QCheckBox* chkReceipt;
    QLabel* lblError;
    QPushButton* cmdSend;
    QPushButton* cmdHelp;
    QPushButton* cmdClose;

    void cmdTo_Click();
    void cmdCC_Click();
    void cmdClear_Click();
    void cmdDelete_Click();
    void cmdAttach_Click();
    void cmdMessages_Click();
    void cmdZip_Click();
    void cmdSend_Click();
    void cmdHelp_Click();
    void cmdClose_Click();
    void txtName_KeyUp(int keyCode);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;  // Form_Activate: the default pointer again

  private:
    AppContext& ctx_;
    const bool bEmailPreset;
    const QString sEmailTo;
    const QString sEmailMode;
    void BuildControls();
    void ConnectHandlers();
    void Form_Load();
    void Load_Players();
    void ShowBanner(const QString& caption, const QColor& colour, int points);
    QString GetAttachFileName();
    QString GetMessageFileName();
    void AddAttachment(const QString& path);  // added selected
    EmailDraft Draft() const;
    bool RefuseBadAddress(const std::vector<MailMessage>& messages, const std::vector<int>& rows);
    void SendAll(const std::vector<MailMessage>& messages, const std::vector<int>& rows);

    void ShowFoundEmail(const QString& email);

    QWidget* fraNames_ = nullptr;
    bool recipientList_ = false;  // the layout of one message per listed address (no preset)
    QString foundEmail_;          // the address the name search found, shown in lblEmail
    QString archiveMissing_;      // why the archive of the system files that this mail is to carry failed
};

// Opens the e-mail screen modally and returns when it closes. An empty mode opens the
// recipient-list layout (one message to each player's address); any other mode ("Error", "System",
// "General", "Customer", ...) the preset layout with `to` in the To box. `subject` goes into the
// subject box. While the screen is already open nothing else opens.
void OpenEmailScreen(AppContext& ctx, const QString& mode, const QString& to = QString(),
                     const QString& subject = QString(), QWidget* parent = nullptr);

// Hands a finished error text to the user: the e-mail screen in its "Error" mode, addressed to
// support, with the text as its message. While the e-mail screen is open, an exclamation box shows
// the text instead and the mail being written stays as it is.
void SendErrorReport(AppContext& ctx, QString& message);

// Makes the error reports of the program, while error reporting is on, open the e-mail screen
// (SendErrorReport); the program does it once at start.
void InstallErrorReportSender(AppContext& ctx);

}  // namespace dc
