#pragma once
// The mail session: composes one MIME message (To, CC, subject, body, attached files, an optional
// return-receipt request) and hands it to the system's mail submission program, `sendmail -t -oi`.
// The program's path comes from DC_SENDMAIL when set (tests point it at a recording script).

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace dc {

struct MailMessage {
    QStringList to;
    QStringList cc;
    QString subject;
    QString body;
    QStringList attachments;  // file paths; each is attached under its file name
    bool receiptRequested = false;
};

// The mail submission program: $DC_SENDMAIL, else /usr/sbin/sendmail.
QString MailProgram();

// The sender's address: $EMAIL, else the account name at this machine's host name.
QString SenderAddress();

// The error number of a mail failure (a bad address, a missing or failing mail program).
constexpr int kErrMailFailure = 32002;

// The message as it is handed to the mail program. Throws AppError: 53 for an attachment that
// cannot be read, kErrMailFailure for an address that cannot be parsed or a message without one.
QByteArray ComposeMail(const MailMessage& message);

// Composes and submits the message. A missing mail program, one that fails or refuses the message
// (non-zero exit) is an AppError whose description gives the reason; nothing is reported as sent then.
void SendMail(const MailMessage& message);

}  // namespace dc
