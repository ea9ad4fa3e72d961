#include "platform/MailSession.h"

#include <gmime/gmime.h>
#include <pwd.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSysInfo>
#include <memory>

#include "platform/DbError.h"

namespace dc {
namespace {

constexpr int kSubmitTimeoutMs = 120000;

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

void AddAddresses(GMimeMessage* message, GMimeAddressType type, const QStringList& entries) {
    InternetAddressList* list = g_mime_message_get_addresses(message, type);
    for (const QString& entry : entries) {
        GPtr<InternetAddressList> parsed(internet_address_list_parse(nullptr, entry.toUtf8().constData()));
        if (!parsed || internet_address_list_length(parsed.get()) == 0)
            MailFailure(QString("Not a valid e-mail address: '%1'.").arg(entry));
        internet_address_list_append(list, parsed.get());
    }
}

// The body as UTF-8 text with LF line ends (the mail program turns them into the wire's CR LF).
GMimeObject* TextPart(const QString& body) {
    QString text = body;
    text.replace("\r\n", "\n");
    GMimeTextPart* part = g_mime_text_part_new_with_subtype("plain");
    g_mime_text_part_set_text(part, text.toUtf8().constData());
    return GMIME_OBJECT(part);
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

QByteArray ComposeMail(const MailMessage& mail) {
    InitGMime();
    if (mail.to.isEmpty() && mail.cc.isEmpty()) MailFailure("The message has no recipient.");
    GPtr<GMimeMessage> message(g_mime_message_new(TRUE));
    GMimeObject* header = GMIME_OBJECT(message.get());
    AddAddresses(message.get(), GMIME_ADDRESS_TYPE_FROM, {SenderAddress()});
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
    if (mail.receiptRequested)
        g_mime_object_set_header(header, "Disposition-Notification-To", SenderAddress().toUtf8().constData(),
                                 "utf-8");

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

void SendMail(const MailMessage& mail) {
    const QByteArray message = ComposeMail(mail);
    const QString program = MailProgram();
    QProcess process;
    process.start(program, {"-t", "-oi"});
    if (!process.waitForStarted()) {
        MailFailure(QString("The mail program '%1' could not be started (%2). Install a mail transfer "
                            "agent that provides sendmail, or set DC_SENDMAIL to its path.")
                        .arg(program, process.errorString()));
    }
    process.write(message);
    process.closeWriteChannel();
    if (!process.waitForFinished(kSubmitTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        MailFailure(QString("The mail program '%1' did not finish; the message was not sent.").arg(program));
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
