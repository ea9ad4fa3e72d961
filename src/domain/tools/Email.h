#pragma once
// The e-mail module: the recipient procedures and message composition of a send. (The e-mail
// screen, and the error report that opens it, are in tools/frmEmail.h.)

#include <QString>
#include <QStringList>
#include <vector>

#include "platform/MailSession.h"

namespace dc {

class PlayerStore;

// The fixed support address of the "Error", "System" and "General" mails.
inline const QString kSupportAddress = "support@example.com";

// "Dado Corvy Error (CV5.5.0)"
QString ErrorReportSubject();

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
// `rows`, when given, receives for each message the index of the list address it goes to.
std::vector<MailMessage> ComposeMessages(const EmailDraft& draft, std::vector<int>* rows = nullptr);

// The player found by the e-mail screen's name search ("Last" or "Last, First", both prefixes).
struct FoundAddress {
    QString name;   // LAST_NAME, ", ", FIRST_NAME
    QString email;  // the player's EMAIL
};
FoundAddress FindAddressByName(PlayerStore& players, const QString& typed);

}  // namespace dc
