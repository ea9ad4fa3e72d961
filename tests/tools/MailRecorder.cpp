#include "MailRecorder.h"

#include <gmime/gmime.h>

#include <QDir>
#include <QFile>

namespace dc::test {
namespace {

QStringList Addresses(InternetAddressList* list) {
    QStringList out;
    for (int i = 0; list && i < internet_address_list_length(list); ++i) {
        InternetAddress* a = internet_address_list_get_address(list, i);
        if (INTERNET_ADDRESS_IS_MAILBOX(a))
            out << QString::fromUtf8(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(a)));
    }
    return out;
}

// The first mailbox of a list as "name <address>", or the address alone.
QString Mailbox(InternetAddressList* list) {
    InternetAddress* a =
        list && internet_address_list_length(list) > 0 ? internet_address_list_get_address(list, 0) : nullptr;
    if (!a || !INTERNET_ADDRESS_IS_MAILBOX(a)) return QString();
    const QString name = QString::fromUtf8(internet_address_get_name(a));
    const QString address = QString::fromUtf8(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(a)));
    return name.isEmpty() ? address : name + " <" + address + ">";
}

QByteArray Decoded(GMimePart* part) {
    GMimeStream* out = g_mime_stream_mem_new();
    g_mime_data_wrapper_write_to_stream(g_mime_part_get_content(part), out);
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out));
    QByteArray data(reinterpret_cast<const char*>(bytes->data), static_cast<int>(bytes->len));
    g_object_unref(out);
    return data;
}

}  // namespace

MailRecorder::MailRecorder(int exitCode, int failingCall) : oldProgram_(qgetenv("DC_SENDMAIL")) {
    const QString script = dir_.filePath("sendmail");
    QFile file(script);
    file.open(QIODevice::WriteOnly);
    QByteArray text =
        "#!/bin/sh\n"
        "dir=\"$(dirname \"$0\")\"\n"
        "n=$(cat \"$dir/calls\" 2>/dev/null || echo 0)\n"
        "echo $((n + 1)) > \"$dir/calls\"\n";
    if (exitCode == kHang || exitCode == kHangUnread) {
        if (exitCode == kHang) text += "cat > /dev/null\n";
        // The child's pid appears whole, once the message has been read (kHang).
        text += "sleep 600 &\necho $! > \"$dir/child.new\"\nmv \"$dir/child.new\" \"$dir/child.pid\"\nwait\n";
    } else if (exitCode == kReadsPart) {
        text += "head -c 1500 > \"$dir/$(printf %03d \"$n\").part\"\nexit 0\n";
    } else if (exitCode != 0) {
        text += (failingCall >= 0 ? "if [ \"$n\" = " + QByteArray::number(failingCall) + " ]; then\n"
                                  : QByteArray("if true; then\n")) +
                "cat > /dev/null\necho 'recipient refused by the test' >&2\nexit " +
                QByteArray::number(exitCode) + "\nfi\n";
    }
    text +=
        "cat > \"$dir/$(printf %03d \"$n\").eml\"\n"
        "echo \"$*\" >> \"$dir/args.log\"\n";
    file.write(text);
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("DC_SENDMAIL", script.toUtf8());
}

MailRecorder::~MailRecorder() { qputenv("DC_SENDMAIL", oldProgram_); }

QList<SentMail> MailRecorder::Messages() const {
    QList<SentMail> mails;
    for (const QString& name : QDir(dir_.path()).entryList({"*.eml"}, QDir::Files, QDir::Name)) {
        QFile file(dir_.filePath(name));
        file.open(QIODevice::ReadOnly);
        mails << ParseMail(file.readAll());
    }
    return mails;
}

int MailRecorder::ChildPid() const {
    QFile file(dir_.filePath("child.pid"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toInt() : 0;
}

QStringList MailRecorder::Arguments() const {
    QFile file(dir_.filePath("args.log"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

SentMail ParseMail(const QByteArray& raw) {
    g_mime_init();
    GMimeStream* stream = g_mime_stream_mem_new_with_buffer(raw.constData(), raw.size());
    GMimeParser* parser = g_mime_parser_new_with_stream(stream);
    GMimeMessage* message = g_mime_parser_construct_message(parser, nullptr);
    SentMail mail;
    mail.raw = raw;
    if (message) {
        mail.to = Addresses(g_mime_message_get_to(message));
        mail.cc = Addresses(g_mime_message_get_cc(message));
        mail.subject = QString::fromUtf8(g_mime_message_get_subject(message));
        mail.from = Mailbox(g_mime_message_get_from(message));
        GMimeHeader* receipt = g_mime_header_list_get_header(
            g_mime_object_get_header_list(GMIME_OBJECT(message)), "Disposition-Notification-To");
        if (receipt) {
            InternetAddressList* list =
                internet_address_list_parse(nullptr, g_mime_header_get_raw_value(receipt));
            mail.receipt = Mailbox(list);
            if (list) g_object_unref(list);
        }
        GMimePartIter* it = g_mime_part_iter_new(GMIME_OBJECT(message));
        do {
            GMimeObject* part = g_mime_part_iter_get_current(it);
            if (!part || !GMIME_IS_PART(part)) continue;
            const char* filename = g_mime_part_get_filename(GMIME_PART(part));
            if (filename)
                mail.attachments << qMakePair(QString::fromUtf8(filename), Decoded(GMIME_PART(part)));
            else if (GMIME_IS_TEXT_PART(part)) {
                char* text = g_mime_text_part_get_text(GMIME_TEXT_PART(part));
                mail.body = QString::fromUtf8(text);
                g_free(text);
            }
        } while (g_mime_part_iter_next(it));
        g_mime_part_iter_free(it);
        g_object_unref(message);
    }
    g_object_unref(parser);
    g_object_unref(stream);
    return mail;
}

}  // namespace dc::test
