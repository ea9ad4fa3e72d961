#include "platform/MailSession.h"

#include <gmime/gmime.h>
#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStringDecoder>
#include <QSysInfo>
#include <QTimer>
#include <memory>

#include "platform/DbError.h"

namespace dc {
namespace {

int& SubmitTimeoutMs() {
    static int ms = 30000;
    return ms;
}

void InitGMime() {
    static const bool done = [] {
        g_mime_init();
        return true;
    }();
    (void)done;
}

// Owns one GObject reference.
struct Unref {
    void operator()(gpointer p) const {
        if (p) g_object_unref(p);
    }
};
template <typename T>
using GPtr = std::unique_ptr<T, Unref>;

[[noreturn]] void MailFailure(const QString& reason) { throw AppError(kErrMailFailure, reason); }

// Each entry becomes one mailbox built from the checked address, never from parsed free text.
void AddAddresses(GMimeMessage* message, GMimeAddressType type, const QStringList& entries) {
    InternetAddressList* list = g_mime_message_get_addresses(message, type);
    for (const QString& entry : entries) {
        if (!IsPlainAddress(entry)) MailFailure(BadAddressText(entry));
        GPtr<InternetAddress> mailbox(internet_address_mailbox_new(nullptr, entry.toUtf8().constData()));
        internet_address_list_add(list, mailbox.get());
    }
}

// The sender from $EMAIL may carry a display name; only its first mailbox is used.
void AddSender(GMimeMessage* message) {
    const QString sender = SenderAddress();
    GPtr<InternetAddressList> parsed(internet_address_list_parse(nullptr, sender.toUtf8().constData()));
    InternetAddress* first = parsed && internet_address_list_length(parsed.get()) > 0
                                 ? internet_address_list_get_address(parsed.get(), 0)
                                 : nullptr;
    if (!first || !INTERNET_ADDRESS_IS_MAILBOX(first))
        MailFailure(
            QString("Not a valid sender address: '%1'. Set EMAIL to your e-mail address.").arg(sender));
    internet_address_list_add(g_mime_message_get_from(message), first);
}

bool IsAscii(const QByteArray& bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Long or non-ASCII lines go quoted-printable (at most 76 characters a line on the wire).
bool NeedsQuotedPrintable(const QString& text) {
    if (!IsAscii(text.toUtf8())) return true;
    for (const QStringView line : QStringView(text).split(u'\n'))
        if (line.size() > 76) return true;
    return false;
}

// The body as UTF-8 text with LF line ends (the mail program turns them into the wire's CR LF).
GMimeObject* TextPart(const QString& body) {
    QString text = body;
    text.replace("\r\n", "\n");
    GMimeTextPart* part = g_mime_text_part_new_with_subtype("plain");
    g_mime_text_part_set_text(part, text.toUtf8().constData());
    g_mime_part_set_content_encoding(GMIME_PART(part), NeedsQuotedPrintable(text)
                                                           ? GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE
                                                           : GMIME_CONTENT_ENCODING_7BIT);
    return GMIME_OBJECT(part);
}

// The character set of a text attachment: ASCII, UTF-8, or else the Windows code page such files
// come in.
const char* TextCharset(const QByteArray& data) {
    if (IsAscii(data)) return "us-ascii";
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(data);
    return utf8.hasError() ? "windows-1252" : "utf-8";
}

GMimeObject* AttachmentPart(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(kErrFileNotFound53, QString("File not found: '%1'.").arg(path));
    const QByteArray data = file.readAll();
    const QString mime = QMimeDatabase().mimeTypeForFile(path).name();
    const QStringList type = mime.split('/');
    GMimePart* part = g_mime_part_new_with_type(type.value(0, "application").toUtf8().constData(),
                                                type.value(1, "octet-stream").toUtf8().constData());
    g_mime_part_set_filename(part, QFileInfo(path).fileName().toUtf8().constData());
    if (type.value(0) == "text")
        g_mime_object_set_content_type_parameter(GMIME_OBJECT(part), "charset", TextCharset(data));
    GPtr<GMimeStream> stream(
        g_mime_stream_mem_new_with_buffer(reinterpret_cast<const char*>(data.constData()), data.size()));
    GPtr<GMimeDataWrapper> content(
        g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    g_mime_part_set_content(part, content.get());
    g_mime_part_set_content_encoding(part, GMIME_CONTENT_ENCODING_BASE64);
    return GMIME_OBJECT(part);
}

}  // namespace

QString MailProgram() {
    const QString configured = qEnvironmentVariable("DC_SENDMAIL");
    return configured.isEmpty() ? QString("/usr/sbin/sendmail") : configured;
}

QString SenderAddress() {
    const QString configured = qEnvironmentVariable("EMAIL").trimmed();
    if (!configured.isEmpty()) return configured;
    const passwd* account = getpwuid(geteuid());
    const QString user = account ? QString::fromLocal8Bit(account->pw_name) : QString("user");
    const QString host = QSysInfo::machineHostName();
    return user + "@" + (host.isEmpty() ? QString("localhost") : host);
}

bool IsPlainAddress(const QString& address) {
    const int at = address.indexOf('@');
    if (at <= 0 || at != address.lastIndexOf('@') || at == address.size() - 1) return false;
    for (const QChar c : address) {
        if (c.isSpace() || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return false;
        if (QStringLiteral(":;,<>\"()[]\\").contains(c)) return false;
    }
    return true;
}

QString BadAddressText(const QString& address) {
    return QString("Not a valid e-mail address: '%1'.").arg(address);
}

void CheckAddresses(const MailMessage& mail) {
    for (const QStringList* list : {&mail.to, &mail.cc})
        for (const QString& entry : *list)
            if (!IsPlainAddress(entry)) MailFailure(BadAddressText(entry));
}

QByteArray ComposeMail(const MailMessage& mail) {
    InitGMime();
    if (mail.to.isEmpty() && mail.cc.isEmpty()) MailFailure("The message has no recipient.");
    CheckAddresses(mail);
    GPtr<GMimeMessage> message(g_mime_message_new(TRUE));
    GMimeObject* header = GMIME_OBJECT(message.get());
    AddSender(message.get());
    AddAddresses(message.get(), GMIME_ADDRESS_TYPE_TO, mail.to);
    AddAddresses(message.get(), GMIME_ADDRESS_TYPE_CC, mail.cc);
    g_mime_message_set_subject(message.get(), mail.subject.toUtf8().constData(), "utf-8");
    GDateTime* now = g_date_time_new_now_local();
    g_mime_message_set_date(message.get(), now);
    g_date_time_unref(now);
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    char* id = g_mime_utils_generate_message_id(host.isEmpty() ? "localhost" : host.constData());
    g_mime_message_set_message_id(message.get(), id);
    g_free(id);
    if (mail.receiptRequested) {
        char* sender =
            internet_address_list_to_string(g_mime_message_get_from(message.get()), nullptr, FALSE);
        g_mime_object_set_header(header, "Disposition-Notification-To", sender, "utf-8");
        g_free(sender);
    }

    GPtr<GMimeObject> text(TextPart(mail.body));
    if (mail.attachments.isEmpty()) {
        g_mime_message_set_mime_part(message.get(), text.get());
    } else {
        GPtr<GMimeMultipart> mixed(g_mime_multipart_new_with_subtype("mixed"));
        g_mime_multipart_add(mixed.get(), text.get());
        for (const QString& path : mail.attachments) {
            GPtr<GMimeObject> part(AttachmentPart(path));
            g_mime_multipart_add(mixed.get(), part.get());
        }
        g_mime_message_set_mime_part(message.get(), GMIME_OBJECT(mixed.get()));
    }

    GPtr<GMimeStream> out(g_mime_stream_mem_new());
    g_mime_object_write_to_stream(header, nullptr, out.get());
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out.get()));
    return QByteArray(reinterpret_cast<const char*>(bytes->data), static_cast<int>(bytes->len));
}

QString DecodeMessageText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    gsize written = 0;
    gchar* converted = g_convert_with_fallback(bytes.constData(), bytes.size(), "UTF-8", "WINDOWS-1252", "?",
                                               nullptr, &written, nullptr);
    if (!converted) return QString::fromLatin1(bytes);
    const QString result = QString::fromUtf8(converted, static_cast<qsizetype>(written));
    g_free(converted);
    return result;
}

void SetMailTimeout(int milliseconds) { SubmitTimeoutMs() = milliseconds; }

void SendMail(const MailMessage& mail, const std::function<bool()>& cancelled) {
    const QByteArray message = ComposeMail(mail);
    const QString program = MailProgram();
    QProcess process;
    // A group of its own, so that stopping it also ends whatever it started.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.start(program, {"-t", "-oi"});
    if (!process.waitForStarted()) {
        MailFailure(QString("The mail program '%1' could not be started (%2). Install a mail transfer "
                            "agent that provides sendmail, or set DC_SENDMAIL to its path.")
                        .arg(program, process.errorString()));
    }
    const pid_t group = static_cast<pid_t>(process.processId());
    process.write(message);
    process.closeWriteChannel();

    QString stopped;  // why the program was stopped, if it was
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    QTimer watch;
    watch.setInterval(50);
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        if (cancelled && cancelled())
            stopped = "was cancelled";
        else if (clock.elapsed() >= SubmitTimeoutMs())
            stopped = QString("did not finish within %1 seconds").arg((SubmitTimeoutMs() + 999) / 1000);
        if (!stopped.isEmpty()) loop.quit();
    });
    watch.start();
    if (process.state() != QProcess::NotRunning) loop.exec();
    watch.stop();
    if (!stopped.isEmpty()) {
        const bool handedOver = process.bytesToWrite() == 0;
        ::kill(-group, SIGTERM);
        if (!process.waitForFinished(1000)) process.kill();
        ::kill(-group, SIGKILL);  // whatever it started and left behind
        process.waitForFinished(1000);
        MailFailure(QString("The mail program '%1' %2 and was stopped; %3")
                        .arg(program, stopped,
                             handedOver
                                 ? "it had already read the message, which may or may not have been sent."
                                 : "the message was not sent."));
    }
    const QString said = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit)
        MailFailure(QString("The mail program '%1' stopped abnormally; the message was not sent. %2")
                        .arg(program, said)
                        .trimmed());
    if (process.exitCode() != 0)
        MailFailure(QString("The mail program '%1' refused the message (exit code %2). %3")
                        .arg(program)
                        .arg(process.exitCode())
                        .arg(said)
                        .trimmed());
}

}  // namespace dc
