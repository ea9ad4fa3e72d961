#pragma once
// The files a mail is made of. Attachments and message files are read only when they are ordinary
// files: a named pipe, a device or a folder is refused without being waited on. A message file's
// text is decoded from UTF-8, UTF-16 (by its byte-order mark) or Windows-1252.

#include <QByteArray>
#include <QString>

namespace dc {

// The largest message file that is read into a message.
constexpr qint64 kMaxMessageFileBytes = 4 * 1024 * 1024;

// Throws what ReadOrdinaryFile would for a file that is missing or not an ordinary file, without
// opening it.
void CheckOrdinaryFile(const QString& path);

// The contents of the ordinary file at `path`, with at most `limit` bytes (no limit when negative).
// Throws AppError: 53 for a file that does not exist, 75 for anything else that is not an ordinary
// file, a file that cannot be read, or one larger than the limit; the description says which.
QByteArray ReadOrdinaryFile(const QString& path, qint64 limit = -1);

// The text of a message file, and what reading it could not take as it stands, for the golfer to be
// told: UTF-8 spoilt by bytes that are not (a well-formed sequence of several bytes beside an invalid
// one), read as Windows-1252 all the same; or a file whose byte-order mark names its encoding but that
// holds bytes that are not of it, each read as U+FFFD and every other character right.
struct MessageText {
    QString text;
    bool spoiltUtf8 = false;
    QString badBytesUnderMark;  // "UTF-8" or "UTF-16": the mark's encoding, when it met such bytes
};

// The text of a message file: UTF-8 or UTF-16 (either byte order) when it starts with that
// byte-order mark, UTF-8 when the bytes are valid UTF-8, else Windows-1252 (the code page such
// files are written in). Nothing is dropped: a NUL stays in the text.
MessageText DecodeMessageText(const QByteArray& bytes);

// A message file read and decoded, with LF line ends. Throws AppError (ReadOrdinaryFile's, with the
// limit kMaxMessageFileBytes) and refuses a text that holds a NUL character, which no mail can carry.
MessageText ReadMessageFile(const QString& path);

// Throws AppError(75) when `path` holds a NUL character, which no file name can hold (a C string
// would end there and name another file).
void CheckFileName(const QString& path);

}  // namespace dc
