#pragma once
// The e-mail module: the error report that every error handler calls, the one way other screens
// open the e-mail screen, and the recipient procedures and message composition of a send.

#include <QString>
#include <QStringList>
#include <vector>

#include "platform/MailSession.h"

class QWidget;

namespace dc {

// The fixed support address of the "Error", "System" and "General" mails.
inline const QString kSupportAddress = "support@example.com";

// "Dado Corvy Error (CV5.5.0)"
QString ErrorReportSubject();

// Opens the e-mail screen modally and returns when it closes. An empty mode opens the
// recipient-list layout (one message to each player's address); any other mode ("Error", "System",
// "General", "Customer", ...) the preset layout with `to` in the To box. `subject` goes into the
// subject box. While the screen is already open nothing else opens.
void OpenEmailScreen(const QString& mode, const QString& to = QString(), const QString& subject = QString(),
                     QWidget* parent = nullptr);

// Hands a finished error text to the user: the e-mail screen in its "Error" mode, addressed to
// support, with the text as its message. While the e-mail screen is open, an exclamation box shows
// the text instead and the mail being written stays as it is.
void SendErrorReport(QString& message);

// Cuts the first token (up to the first delimiter character) off `text` and returns it.
QString NextToken(QString& text, const QString& delimiter);

enum RecipType { kRecipTo = 1, kRecipCC = 2 };
// Removes every recipient from the message.
void ClearRecipients(MailMessage& message);
// Adds each ";"-separated entry of the list, trimmed, as a recipient of that kind; empty entries
// are skipped.
void AddRecipients(const QString& list, MailMessage& message, RecipType type);

// What the e-mail screen holds when Send is pressed.
struct EmailDraft {
    bool recipientList = false;  // one message per address of `addresses`, CC on the first only
    QString to, cc, subject, body;
    QStringList addresses;
    QStringList attachments;  // the selected attachment paths
    bool receipt = false;
};

// The messages a send hands to the mail session, in order; empty when there is no To recipient.
std::vector<MailMessage> ComposeMessages(const EmailDraft& draft);

// The player found by the e-mail screen's name search ("Last" or "Last, First", both prefixes).
struct FoundAddress {
    QString name;   // LAST_NAME, ", ", FIRST_NAME
    QString email;  // the player's EMAIL
};
FoundAddress FindAddressByName(const QString& typed);

}  // namespace dc
