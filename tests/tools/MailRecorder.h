#pragma once
// A stand-in mail program for the tests: a small script in a temporary folder, set as DC_SENDMAIL,
// that keeps every message it receives; the messages are read back with GMime.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace dc::test {

struct SentMail {
    QStringList to, cc;
    QString from, receipt;  // "name <address>", or the address alone, decoded
    QString subject, body;
    QByteArray raw;                                 // the message as the mail program read it
    QList<QPair<QString, QByteArray>> attachments;  // file name, decoded contents
};

class MailRecorder {
  public:
    // exitCode != 0 makes the program refuse a message with that code and a reason on stderr: every
    // message, or only that of call number `failingCall` (from 0). kHang makes it read the message
    // and then wait on a child process (its pid in ChildPid(), 0 until it runs) that never ends by itself;
    // kHangUnread the same without reading anything; kReadsPart read the first 1,500 bytes, keep them and end
    // with 0.
    static constexpr int kHang = -2;
    static constexpr int kHangUnread = -3;
    static constexpr int kReadsPart = -4;
    explicit MailRecorder(int exitCode = 0, int failingCall = -1);
    ~MailRecorder();
    QList<SentMail> Messages() const;
    QStringList Arguments() const;  // the command-line arguments of each call
    QString Folder() const { return dir_.path(); }
    int ChildPid() const;

  private:
    QTemporaryDir dir_;
    QByteArray oldProgram_;
};

SentMail ParseMail(const QByteArray& raw);

}  // namespace dc::test
