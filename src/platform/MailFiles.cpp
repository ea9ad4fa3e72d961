#include "platform/MailFiles.h"

#include <sys/stat.h>

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/DbError.h"
#include "platform/FileOps.h"

namespace dc {
namespace {

[[noreturn]] void CannotRead(const QString& path, int error) {
    if (error == ENOENT || error == ENOTDIR)
        throw AppError(kErrFileNotFound53, QString("File not found: '%1'.").arg(path));
    if (error == EACCES || error == EPERM)
        throw AppError(kErrFileAccess,
                       QString("The file '%1' cannot be read (permission denied).").arg(path));
    throw AppError(kErrFileAccess, QString("The file '%1' cannot be read (%2).")
                                       .arg(path, QString::fromLocal8Bit(std::strerror(error))));
}

void CheckOrdinary(const QString& path, mode_t mode) {
    if (S_ISREG(mode)) return;
    throw AppError(kErrFileAccess,
                   QString("'%1' is %2, not an ordinary file. Only ordinary files can be read "
                           "into a message or attached.")
                       .arg(path, FileKindText(mode)));
}

[[noreturn]] void TooLarge(const QString& path, qint64 size, qint64 limit) {
    throw AppError(kErrFileAccess,
                   QString("The file '%1' is too large (%2 bytes); at most %3 MB can be read.")
                       .arg(path)
                       .arg(size)
                       .arg(limit / (1024 * 1024)));
}

// Windows-1252's characters for the bytes 0x80 to 0x9F; the five bytes it leaves undefined keep
// their own code points, as Windows itself reads them.
constexpr char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString FromWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b <= 0x9F) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

}  // namespace

void CheckFileName(const QString& path) {
    if (path.contains(QChar(0)))
        throw AppError(kErrFileAccess,
                       QString("Not a valid file name: '%1'.").arg(QString(path).replace(QChar(0), "\\0")));
}

void CheckOrdinaryFile(const QString& path) {
    CheckFileName(path);
    struct stat facts {};
    if (::stat(QFile::encodeName(path).constData(), &facts) != 0) CannotRead(path, errno);
    CheckOrdinary(path, facts.st_mode);
}

QByteArray ReadOrdinaryFile(const QString& path, qint64 limit) {
    CheckFileName(path);
    RegularFile file = ReadRegularFile(path, limit);
    switch (file.outcome) {
        case RegularFile::Outcome::Read:
            break;
        case RegularFile::Outcome::CannotOpen:
        case RegularFile::Outcome::ReadFailed:
            CannotRead(path, file.error);
        case RegularFile::Outcome::NotRegular:
            CheckOrdinary(path, file.mode);
            break;
        case RegularFile::Outcome::TooLarge:
            TooLarge(path, file.size, limit);
    }
    return std::move(file.bytes);
}

MessageText DecodeMessageText(const QByteArray& bytes) {
    // A byte-order mark says the encoding for certain: a stray byte is lost, never the rest of the text.
    const auto marked = [&bytes](QStringDecoder::Encoding encoding, int markSize, const char* name) {
        QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
        MessageText read;
        read.text = decoder.decode(bytes.mid(markSize));
        if (decoder.hasError()) read.badBytesUnderMark = name;
        return read;
    };
    // The UTF-16 decoder passes a surrogate without its pair through and says nothing of an odd last
    // byte: each is a character that is not there, read as U+FFFD.
    const auto marked16 = [&bytes](QStringDecoder::Encoding encoding) {
        const qsizetype whole = (bytes.size() - 2) / 2 * 2;
        QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
        MessageText read;
        read.text = decoder.decode(bytes.mid(2, whole));
        bool bad = decoder.hasError() || bytes.size() - 2 > whole;
        QString& text = read.text;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                ++i;
            } else if (text[i].isSurrogate()) {
                text[i] = QChar::ReplacementCharacter;
                bad = true;
            }
        }
        if (bytes.size() - 2 > whole) text += QChar::ReplacementCharacter;
        if (bad) read.badBytesUnderMark = QStringLiteral("UTF-16");
        return read;
    };
    if (bytes.startsWith("\xEF\xBB\xBF")) return marked(QStringDecoder::Utf8, 3, "UTF-8");
    if (bytes.startsWith("\xFF\xFE")) return marked16(QStringDecoder::Utf16LE);
    if (bytes.startsWith("\xFE\xFF")) return marked16(QStringDecoder::Utf16BE);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    MessageText read;
    if (!utf8.hasError()) {
        read.text = text;
        return read;
    }
    // A character beyond ASCII that was decoded (not a replacement for a bad byte) shows UTF-8.
    const bool spoilt = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= 0x80 && c != QChar::ReplacementCharacter;
    });
    read.text = FromWindows1252(bytes);
    read.spoiltUtf8 = spoilt;
    return read;
}

MessageText ReadMessageFile(const QString& path) {
    MessageText read = DecodeMessageText(ReadOrdinaryFile(path, kMaxMessageFileBytes));
    if (read.text.contains(QChar(0)))
        throw AppError(kErrFileAccess,
                       QString("The file '%1' holds a NUL character, which a mail cannot carry: it is not a "
                               "plain text file, or not in UTF-8, UTF-16 with a byte-order mark or "
                               "Windows-1252. Nothing of it was put in the message.")
                           .arg(path));
    read.text.replace("\r\n", "\n");
    return read;
}

}  // namespace dc
