#include "shell/DateFormat.h"

#include <QLocale>
#include <QRegularExpression>

namespace dc {
namespace {

// Dates follow the locale's time category (LC_TIME, as the system locale resolves it), whatever the
// language. The C locale has no date order of its own: it reads like the United States.
QLocale UserLocale() {
    const QLocale l;
    if (l.dateFormat(QLocale::ShortFormat) == QLocale::c().dateFormat(QLocale::ShortFormat))
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return l;
}

const QRegularExpression& NumericDate() {
    static const QRegularExpression re("^\\s*(\\d{1,2})([^\\d_])(\\d{1,2})[^\\d_](\\d{4})\\s*$");
    return re;
}

}  // namespace

QString DetectDateFormat() {
    const QString text = UserLocale().toString(QDate(2000, 1, 1).addDays(30), QLocale::ShortFormat);
    return text.startsWith('3') ? QString("DD/MM/YYYY") : QString("MM/DD/YYYY");
}

QString LocaleDateSeparator() {
    const QString format = UserLocale().dateFormat(QLocale::ShortFormat);
    for (QChar c : format)
        if (!c.isLetter() && c != '\'') return QString(c);
    return "/";
}

QString FormatLocalDate(const QDate& date, const QString& dateFormat) {
    const QString sep = LocaleDateSeparator();
    const QString dd = QString("%1").arg(date.day(), 2, 10, QChar('0'));
    const QString mm = QString("%1").arg(date.month(), 2, 10, QChar('0'));
    const QString yyyy = QString("%1").arg(date.year(), 4, 10, QChar('0'));
    if (dateFormat == "MM/DD/YYYY") return mm + sep + dd + sep + yyyy;
    return dd + sep + mm + sep + yyyy;
}

std::optional<QDate> ParseLocalDate(const QString& text, const QString& dateFormat) {
    const auto m = NumericDate().match(text);
    if (!m.hasMatch()) return std::nullopt;
    int a = m.captured(1).toInt(), b = m.captured(3).toInt(), y = m.captured(4).toInt();
    const bool monthFirst = dateFormat != "DD/MM/YYYY";
    const QDate d = monthFirst ? QDate(y, a, b) : QDate(y, b, a);
    if (!d.isValid() || y < 100) return std::nullopt;
    return d;
}

std::optional<QDate> ParseStoredDate(const QString& text) {
    // A stored date, 'YYYY-MM-DD', is read without the general parser: reports read thousands.
    if (text.size() == 10 && text[4] == '-' && text[7] == '-') {
        int parts[3] = {0, 0, 0};
        bool digits = true;
        for (int i = 0, part = 0; i < 10 && digits; ++i) {
            if (i == 4 || i == 7) {
                ++part;
                continue;
            }
            const char16_t c = text[i].unicode();
            digits = c >= '0' && c <= '9';
            parts[part] = parts[part] * 10 + (c - '0');
        }
        const QDate date(parts[0], parts[1], parts[2]);
        if (digits && date.isValid()) return date;
    }
    const QDate iso = QDate::fromString(text.trimmed().left(10), "yyyy-MM-dd");
    if (iso.isValid()) return iso;
    return std::nullopt;
}

std::optional<QDate> ParseAnyDate(const QString& text, const QString& dateFormat) {
    if (const auto stored = ParseStoredDate(text)) return stored;
    return ParseLocalDate(text, dateFormat);
}

QString DbDate(const QDate& date) { return date.toString("yyyy-MM-dd"); }

std::optional<QDate> ParseIniDate(const QString& text) {
    const QDate iso = QDate::fromString(text.trimmed(), "yyyy-MM-dd");
    if (iso.isValid()) return iso;
    const auto m = NumericDate().match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int a = m.captured(1).toInt(), b = m.captured(3).toInt(), y = m.captured(4).toInt();
    const bool dayFirst = a > 12 || (b <= 12 && m.captured(2) != "/");
    const QDate d = dayFirst ? QDate(y, b, a) : QDate(y, a, b);
    if (!d.isValid()) return std::nullopt;
    return d;
}

QString FormatTimeAmPm(const QTime& time) {
    int h = time.hour() % 12;
    if (h == 0) h = 12;
    return QString("%1:%2:%3 %4")
        .arg(h, 2, 10, QChar('0'))
        .arg(time.minute(), 2, 10, QChar('0'))
        .arg(time.second(), 2, 10, QChar('0'))
        .arg(time.hour() < 12 ? "am" : "pm");
}

}  // namespace dc
