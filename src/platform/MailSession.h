#pragma once
// The mail session: composes one MIME message (To, CC, subject, body, attached files, an optional
// return-receipt request) and hands it to the system's mail submission program, `sendmail -t -oi`.
// The program's path comes from DC_SENDMAIL when set (tests point it at a recording script).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

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

// The longest address a mail can carry (RFC 5321's path of 256 less its angle brackets).
constexpr int kMaxAddressLength = 254;

// True when `address` is exactly one plain address, local@domain, of at most kMaxAddressLength
// characters: no blank, control character, quote, bracket or list punctuation (":", ";", ",", "<",
// ">") that could smuggle in another recipient or header.
bool IsPlainAddress(const QString& address);

// "Not a valid e-mail address: '...'." for an entry that is not one plain address (for one that is
// too long, its start and its length).
QString BadAddressText(const QString& address);

// Throws kErrMailFailure (BadAddressText) for the first To or CC entry that is not one plain address.
void CheckAddresses(const MailMessage& message);

// The message as it is handed to the mail program. A subject or display name that cannot stand as
// it is (a character beyond printable ASCII, "=?", a word too long to fold) is written in encoded
// words, every line of them at most 76 characters with the header's name; the rest goes through
// GMime's encoders (folded; an attachment's name in RFC 2231 form, its control characters made "_").
// No text can add a line of its own. Throws AppError: 53 or 75 for an attachment that is missing, not an
// ordinary file or unreadable (ReadOrdinaryFile); kErrMailFailure for an address that is not one plain
// address, a message without one, or a subject or text holding a NUL character (which would cut it).
QByteArray ComposeMail(const MailMessage& message);

// Composes and submits the message. Events are processed while the mail program runs; when
// `cancelled` answers true, or 30 seconds pass, the program and every process it started are
// ended. A missing mail program, one that fails, refuses the message (non-zero exit), ends without
// having read every byte of the message, or is stopped is an AppError whose description gives the
// reason; nothing is reported as sent then.
void SendMail(const MailMessage& message, const std::function<bool()>& cancelled = {});

}  // namespace dc
