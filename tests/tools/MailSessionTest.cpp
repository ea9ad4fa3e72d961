// The mail session without a screen: which addresses count as one plain address, and a message
// whose every header and attachment name comes through the encoders, parsed back as a reader would.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "MailRecorder.h"
#include "QStringPrint.h"
#include "platform/DbError.h"
#include "platform/MailSession.h"

namespace dc {
namespace {

TEST(MailSessionTest, EachRuleOfAPlainAddressRefusesOnItsOwn) {
    const QString local64 = QString(64, 'a');
    const QString domain189 = QString(185, 'b') + ".com";  // 64 + 1 + 189 = 254
    const QList<std::pair<QString, bool>> cases = {
        {"pat@example.com", true},
        {local64 + "@" + domain189, true},    // the longest
        {local64 + "@b" + domain189, false},  // one character more
        {"example.com", false},               // no "@"
        {"@example.com", false},              // nothing before it
        {"pat@home@example.com", false},      // two of them
        {"pat@", false},                      // nothing after it
        {"pat @example.com", false},          // a blank
        {"pat\u00A0@example.com", false},     // any other space
        {"pat\u0001@example.com", false},     // a control character
        {"pat\u200B@example.com", false},     // an invisible format character
        {"pat,ann@example.com", false},       // each of the punctuation marks
        {"pat:@example.com", false},
        {"pat;@example.com", false},
        {"pat<@example.com", false},
        {"pat>@example.com", false},
        {"pat\"@example.com", false},
        {"pat(@example.com", false},
        {"pat)@example.com", false},
        {"pat[@example.com", false},
        {"pat]@example.com", false},
        {"pat\\@example.com", false},
    };
    for (const auto& [address, plain] : cases) {
        EXPECT_EQ(IsPlainAddress(address), plain) << address.toStdString();
    }
    EXPECT_EQ(BadAddressText(QString(300, 'x')), "Not a valid e-mail address: '" + QString(40, 'x') +
                                                     "...' has 300 characters; an address has at most 254.");
}

TEST(MailSessionTest, HeadersAndAttachmentNamesCannotAddLinesAndNulIsRefused) {
    QTemporaryDir dir;
    const QString crafted = "a\nContent-Disposition: inline\n\nevil.txt";
    const QString wide = QString(100, QChar(0x00E4)) + ".txt";  // 204 bytes of UTF-8
    for (const QString& name : {crafted, wide}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("contents");
    }
    MailMessage mail;
    mail.to = {QString(64, 'a') + "@" + QString(185, 'b') + ".com"};
    mail.subject = "Scores\r\nBcc: victim@example.com " + QString("and more ").repeated(40) + "end";
    mail.body = "Hello";
    mail.attachments = {dir.filePath(crafted), dir.filePath(wide)};
    mail.receiptRequested = true;
    const QByteArray raw = ComposeMail(mail);
    for (const QByteArray& line : raw.split('\n')) {
        EXPECT_LE(line.size(), 998);
        EXPECT_FALSE(line.startsWith("Bcc:") || line.startsWith("Content-Disposition: inline"))
            << line.constData();
    }
    const test::SentMail sent = test::ParseMail(raw);
    EXPECT_EQ(sent.to, mail.to);
    EXPECT_EQ(sent.subject.toStdString(), mail.subject.toStdString());
    ASSERT_EQ(sent.attachments.size(), 2);
    EXPECT_EQ(sent.attachments[0],
              qMakePair(QString("a_Content-Disposition: inline__evil.txt"), QByteArray("contents")));
    EXPECT_EQ(sent.attachments[1], qMakePair(wide, QByteArray("contents")));

    // A NUL would cut a text handed on as a C string: refused, never cut.
    const QList<std::pair<MailMessage, QString>> refused = {
        {{{"pat@example.com"}, {}, QString::fromUtf8("Sco\0res", 7), "Hi", {}},
         "The subject holds a NUL character"},
        {{{"pat@example.com"}, {}, "Scores", QString::fromUtf8("Hi\0there", 8), {}},
         "The message text holds a NUL character"},
        {{{"pat@example.com"}, {}, "Scores", "Hi", {dir.filePath(QString::fromUtf8("x\0y", 3))}, {}},
         "Not a valid file name"},
    };
    for (const auto& [message, said] : refused) {
        try {
            ComposeMail(message);
            ADD_FAILURE() << said.toStdString();
        } catch (const AppError& e) {
            EXPECT_TRUE(e.description().startsWith(said)) << e.description().toStdString();
        }
    }
}

// Every header that cannot stand as it is (the subject, the sender's display name from EMAIL, the
// receipt request's copy of it) goes in encoded words whatever its characters: every line within the
// standard's limits, the header's name counted, and every text read back whole.
TEST(MailSessionTest, HeadersGoInEncodedWordsWithinTheLineLimitsAndReadBackWhole) {
    const QByteArray oldEmail = qgetenv("EMAIL");
    const QString golf = QString::fromUcs4(U"\U0001F3CC");
    const QList<std::pair<QString, QString>> cases = {
        {QString("a") + QChar(0xFEFF) + "é",
         "Jörg Müller-Lüdenscheidt " + QString("日本語のゴルフ").repeated(6)},
        {"Grüße " + QString(100, QChar(0x00E4)) + " 日本語 " + golf + " = _? end", "Pat Golfer"},
        {"Runde\r\nBcc: victim@example.com für alle", QString(70, QChar(0x00E9)) + golf},
        {"Link " + QString(90, 'x') + " =?UTF-8?Q?x?=", "Smith, John"},  // too long to fold; looks encoded
        {"Scores for March", "Zoë Hörnli-Ägeri"},  // as it stands; one word, the address on the next line
    };
    for (const auto& [subject, name] : cases) {
        SCOPED_TRACE(subject.toStdString());
        qputenv("EMAIL", ("\"" + name + "\" <pat@example.com>").toUtf8());
        MailMessage mail;
        mail.to = {"ann@example.com"};
        mail.subject = subject;
        mail.body = "Hello";
        mail.receiptRequested = true;
        const QByteArray raw = ComposeMail(mail);
        const QRegularExpression word("=\\?[^?]*\\?[QqBb]\\?[^?]*\\?=");
        for (const QByteArray& line : raw.split('\n')) {
            EXPECT_LE(line.size(), word.match(QString::fromLatin1(line)).hasMatch() ? 76 : 78)
                << line.constData();
            EXPECT_FALSE(line.startsWith("Bcc:"));
        }
        if (subject == cases.back().first) {
            EXPECT_TRUE(raw.contains("\nSubject: Scores for March\n"));
        }
        const test::SentMail sent = test::ParseMail(raw);
        EXPECT_EQ(sent.subject, subject);
        EXPECT_EQ(sent.from, name + " <pat@example.com>");
        EXPECT_EQ(sent.receipt, sent.from);
    }
    qputenv("EMAIL", oldEmail);
}

}  // namespace
}  // namespace dc
