#include "platform/MailSession.h"

#include <fcntl.h>
#include <gmime/gmime.h>
#include <pwd.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSocketNotifier>
#include <QStringDecoder>
#include <QSysInfo>
#include <QTimer>
#include <cerrno>
#include <memory>

#include "platform/DbError.h"
#include "platform/MailFiles.h"
#include "platform/Termination.h"

namespace dc {
namespace {

// How long the mail program may run before it is stopped.
constexpr int kSubmitTimeoutMs = 30000;

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

// The UTF-8 bytes of a text handed to GMime as a C string. A NUL would silently end it there, so a
// text holding one is refused.
QByteArray CText(const QString& text, const QString& what) {
    if (text.contains(QChar(0)))
        MailFailure(QString("The %1 holds a NUL character, which a mail cannot carry; nothing has been sent. "
                            "Remove it and send again.")
                        .arg(what));
    return text.toUtf8();
}

// Each entry becomes one mailbox built from the checked address, never from parsed free text.
void AddAddresses(GMimeMessage* message, GMimeAddressType type, const QStringList& entries) {
    InternetAddressList* list = g_mime_message_get_addresses(message, type);
    for (const QString& entry : entries) {
        if (!IsPlainAddress(entry)) MailFailure(BadAddressText(entry));
        GPtr<InternetAddress> mailbox(
            internet_address_mailbox_new(nullptr, CText(entry, "address").constData()));
        internet_address_list_add(list, mailbox.get());
    }
}

// The sender from $EMAIL may carry a display name; only its first mailbox is used, and its address
// must be one plain address. Returns that mailbox, written in the From header.
GPtr<InternetAddress> AddSender(GMimeMessage* message) {
    const QString sender = SenderAddress();
    GPtr<InternetAddressList> parsed(
        internet_address_list_parse(nullptr, CText(sender, "sender address (EMAIL)").constData()));
    InternetAddress* first = parsed && internet_address_list_length(parsed.get()) > 0
                                 ? internet_address_list_get_address(parsed.get(), 0)
                                 : nullptr;
    if (!first || !INTERNET_ADDRESS_IS_MAILBOX(first) ||
        !IsPlainAddress(
            QString::fromUtf8(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(first)))))
        MailFailure(
            QString("Not a valid sender address: '%1'. Set EMAIL to your e-mail address.").arg(sender));
    internet_address_list_add(g_mime_message_get_from(message), first);
    return GPtr<InternetAddress>(INTERNET_ADDRESS(g_object_ref(first)));
}

bool IsAscii(const QByteArray& bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// The longest line that carries an encoded word (RFC 2047), and any other header line (RFC 5322).
constexpr int kEncodedLineMax = 76;
constexpr int kHeaderLineMax = 78;

// True when the text of header `name` cannot go out as it stands: a character beyond printable ASCII
// (a line break above all), "=?" that a reader would take for an encoded word, or a word too long to
// be folded onto a line.
bool NeedsEncodedWords(const char* name, const QString& text) {
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E) return true;
    if (text.contains("=?")) return true;
    const int room = kHeaderLineMax - static_cast<int>(qstrlen(name)) - 2;
    for (const QStringView word : QStringView(text).split(u' '))
        if (word.size() > room) return true;
    return false;
}

// Rewrites header `name` of `object` as `text` in encoded words ("=?UTF-8?Q?...?="), followed by
// " <address>" when one is given (a display name and its mailbox). Each word holds whole characters
// and every line, the first with the header's name, has at most 76 characters. Only ASCII letters and
// digits stand as themselves and a blank as "_", so that a word is valid in a subject and in a display
// name alike. GMime's own encoder measures a word in characters, not bytes, and writes longer ones; Q
// rather than B, since GMime's reader joins adjacent B words before decoding them, which a padded word
// would spoil.
void SetEncodedHeader(GMimeObject* object, const char* name, const QString& text,
                      const QString& address = QString()) {
    const QByteArray open = "=?UTF-8?Q?", close = "?=";
    int room = kEncodedLineMax - static_cast<int>(qstrlen(name)) - 2 - open.size() - close.size();
    QByteArrayList words{""};
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        const QStringView c = QStringView(text).mid(i, n);
        i += n;
        QByteArray piece;
        if (c == u" ")
            piece = "_";
        else if (c.front().unicode() < 0x80 && c.front().isLetterOrNumber())
            piece = c.toLatin1();
        else
            piece = "=" + c.toUtf8().toHex('=').toUpper();
        if (!words.back().isEmpty() && words.back().size() + piece.size() > room) {
            words << "";
            room = kEncodedLineMax - 1 - open.size() - close.size();  // after the fold's blank
        }
        words.back() += piece;
    }
    for (QByteArray& word : words) word = open + word + close;
    QByteArray value = " " + words.join("\n ");
    if (!address.isEmpty()) {
        const QByteArray mailbox = "<" + address.toUtf8() + ">";
        const qsizetype last =
            words.size() == 1 ? qstrlen(name) + 2 + words.back().size() : 1 + words.back().size();
        value += (last + 1 + mailbox.size() <= kEncodedLineMax ? " " : "\n ") + mailbox;
    }
    g_mime_header_set_raw_value(g_mime_header_list_get_header(g_mime_object_get_header_list(object), name),
                                (value + "\n").constData());
}

// Header `name` names `mailbox`: its display name in encoded words when it cannot stand as it is.
void SetMailboxHeader(GMimeObject* object, const char* name, InternetAddress* mailbox) {
    const QString display = QString::fromUtf8(internet_address_get_name(mailbox));
    if (!display.isEmpty() && NeedsEncodedWords(name, display))
        SetEncodedHeader(
            object, name, display,
            QString::fromUtf8(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(mailbox))));
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
    g_mime_text_part_set_text(part, CText(text, "message text").constData());
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

// The name an attachment goes out under: its file name with each control character (a line break
// above all) made "_". GMime writes a short ASCII value as a quoted string, control characters and all.
QString AttachmentName(const QString& path) {
    QString name = QFileInfo(path).fileName();
    for (QChar& c : name)
        if (c.category() == QChar::Other_Control) c = u'_';
    return name;
}

// Has GMime write the parameter in RFC 2231 form whenever it needs more than plain characters or
// one line (charset, percent escapes, numbered continuations).
void UseRfc2231(GMimeParamList* list, const char* name) {
    if (GMimeParam* param = list ? g_mime_param_list_get_parameter(list, name) : nullptr)
        g_mime_param_set_encoding_method(param, GMIME_PARAM_ENCODING_METHOD_RFC2231);
}

GMimeObject* AttachmentPart(const QString& path) {
    const QByteArray data = ReadOrdinaryFile(path);
    const QString mime = QMimeDatabase().mimeTypeForFile(path).name();
    const QStringList type = mime.split('/');
    GMimePart* part =
        g_mime_part_new_with_type(CText(type.value(0, "application"), "file type").constData(),
                                  CText(type.value(1, "octet-stream"), "file type").constData());
    g_mime_part_set_filename(part, CText(AttachmentName(path), "attachment name").constData());
    UseRfc2231(
        g_mime_content_disposition_get_parameters(g_mime_object_get_content_disposition(GMIME_OBJECT(part))),
        "filename");
    UseRfc2231(g_mime_content_type_get_parameters(g_mime_object_get_content_type(GMIME_OBJECT(part))),
               "name");
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

// The pipe that carries a message to the mail program. The program reads its reading end as its
// standard input; this side keeps a copy of that end, so that once the program has ended (or is
// stopped) the bytes it left unread can be counted, and writes never fail on a closed pipe.
class MessagePipe {
  public:
    MessagePipe() {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            MailFailure(
                QString("No pipe to the mail program could be made (%1).").arg(qt_error_string(errno)));
        read_ = ends[0];
        write_ = ends[1];
        ::fcntl(write_, F_SETFL, O_NONBLOCK);
    }
    ~MessagePipe() {
        CloseWriteEnd();
        ::close(read_);
    }
    MessagePipe(const MessagePipe&) = delete;
    MessagePipe& operator=(const MessagePipe&) = delete;

    int ReadEnd() const { return read_; }
    int WriteEnd() const { return write_; }

    // Writes as much of the rest of `message` as the pipe takes now; true once all of it is written
    // (or the pipe fails, which leaves the rest unwritten).
    bool Feed(const QByteArray& message) {
        while (written_ < message.size()) {
            const ssize_t n = ::write(write_, message.constData() + written_,
                                      static_cast<size_t>(message.size() - written_));
            if (n > 0) {
                written_ += n;
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else {
                return n < 0 && errno != EAGAIN && errno != EWOULDBLOCK;
            }
        }
        return true;
    }
    void CloseWriteEnd() {
        if (write_ >= 0) ::close(write_);
        write_ = -1;
    }
    qint64 Written() const { return written_; }
    // The bytes written that nobody has read.
    qint64 Unread() const {
        int bytes = 0;
        return ::ioctl(read_, FIONREAD, &bytes) == 0 ? bytes : 0;
    }

  private:
    int read_ = -1;
    int write_ = -1;
    qint64 written_ = 0;
};

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
    if (address.size() > kMaxAddressLength) return false;
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
    if (address.size() > kMaxAddressLength)
        return QString("Not a valid e-mail address: '%1...' has %2 characters; an address has at most %3.")
            .arg(address.left(40))
            .arg(address.size())
            .arg(kMaxAddressLength);
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
    const GPtr<InternetAddress> sender = AddSender(message.get());
    SetMailboxHeader(header, "From", sender.get());
    AddAddresses(message.get(), GMIME_ADDRESS_TYPE_TO, mail.to);
    AddAddresses(message.get(), GMIME_ADDRESS_TYPE_CC, mail.cc);
    g_mime_message_set_subject(message.get(), CText(mail.subject, "subject").constData(), "utf-8");
    if (NeedsEncodedWords("Subject", mail.subject)) SetEncodedHeader(header, "Subject", mail.subject);
    GDateTime* now = g_date_time_new_now_local();
    g_mime_message_set_date(message.get(), now);
    g_date_time_unref(now);
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    char* id = g_mime_utils_generate_message_id(host.isEmpty() ? "localhost" : host.constData());
    g_mime_message_set_message_id(message.get(), id);
    g_free(id);
    if (mail.receiptRequested) {
        char* receipt = internet_address_to_string(sender.get(), nullptr, TRUE);
        g_mime_object_set_header(header, "Disposition-Notification-To", receipt, nullptr);
        g_free(receipt);
        SetMailboxHeader(header, "Disposition-Notification-To", sender.get());
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

void SendMail(const MailMessage& mail, const std::function<bool()>& cancelled) {
    const QByteArray message = ComposeMail(mail);
    const QString program = MailProgram();
    MessagePipe pipe;
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    // The pipe becomes its standard input, and a group of its own lets stopping it also end whatever
    // it started.
    process.setChildProcessModifier([input = pipe.ReadEnd()] {
        ::dup2(input, STDIN_FILENO);
        ::setpgid(0, 0);
    });
    process.start(program, {"-t", "-oi"});
    if (!process.waitForStarted()) {
        MailFailure(QString("The mail program '%1' could not be started (%2). Install a mail transfer "
                            "agent that provides sendmail, or set DC_SENDMAIL to its path.")
                        .arg(program, process.errorString()));
    }
    const pid_t group = static_cast<pid_t>(process.processId());

    QString stopped;  // why the program was stopped, if it was
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QSocketNotifier writable(pipe.WriteEnd(), QSocketNotifier::Write);
    QObject::connect(&writable, &QSocketNotifier::activated, &loop, [&] {
        if (!pipe.Feed(message)) return;
        writable.setEnabled(false);
        pipe.CloseWriteEnd();  // the end of the message
    });
    QElapsedTimer clock;
    clock.start();
    QTimer watch;
    watch.setInterval(50);
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        if (cancelled && cancelled())
            stopped = "was cancelled";
        else if (clock.elapsed() >= kSubmitTimeoutMs)
            stopped = QString("did not finish within %1 seconds").arg(kSubmitTimeoutMs / 1000);
        if (!stopped.isEmpty()) loop.quit();
    });
    watch.start();
    if (process.state() != QProcess::NotRunning) loop.exec();
    // A signal to end the program ends every event loop, this one too, and none runs again: the
    // message is handed over to the end all the same (or stopped as above), then the program ends.
    while (TerminationRequested() && stopped.isEmpty() && process.state() != QProcess::NotRunning)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    watch.stop();
    writable.setEnabled(false);
    const qint64 read = pipe.Written() - pipe.Unread();  // by the program, before it ended or was stopped
    const QString readPart =
        QString("it had read %1 of the %2 bytes of the message").arg(read).arg(message.size());
    if (!stopped.isEmpty()) {
        ::kill(-group, SIGTERM);
        if (!process.waitForFinished(1000)) process.kill();
        ::kill(-group, SIGKILL);  // whatever it started and left behind
        process.waitForFinished(1000);
        MailFailure(QString("The mail program '%1' %2 and was stopped; %3")
                        .arg(program, stopped,
                             read == message.size()
                                 ? "it had already read the message, which may or may not have been sent."
                                 : readPart + ", which was not sent."));
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
    if (read != message.size())
        MailFailure(QString("The mail program '%1' ended without reading the whole message (%2), so it is "
                            "not reported as sent: it may have gone out cut short, or not at all. %3")
                        .arg(program, readPart, said)
                        .trimmed());
}

}  // namespace dc
