#pragma once
// Dates in the user's order: detecting the order and separator from the locale, formatting and
// reading dates typed in that order, and the stored form of a date ('YYYY-MM-DD').

#include <QDate>
#include <QString>
#include <optional>

namespace dc {

// "DD/MM/YYYY" when the locale writes the day first, else "MM/DD/YYYY" (year-first locales too).
QString DetectDateFormat();
// The locale's date separator ("/", ".", "-").
QString LocaleDateSeparator();
// The date in the order of `dateFormat` ("MM/DD/YYYY" or "DD/MM/YYYY") with the locale's separator;
// always 10 characters.
QString FormatLocalDate(const QDate& date, const QString& dateFormat);
// Reads a date typed in the order of `dateFormat` (any single non-digit separators); nothing for
// an incomplete text ("__/__/____", underscores) or an impossible date (13th month, 30 February).
std::optional<QDate> ParseLocalDate(const QString& text, const QString& dateFormat);
// Reads a date in the stored form ('YYYY-MM-DD', possibly with a time after it).
std::optional<QDate> ParseStoredDate(const QString& text);
// Reads a date in either the stored form or the user's order.
std::optional<QDate> ParseAnyDate(const QString& text, const QString& dateFormat);
// Stored form of a date: 'YYYY-MM-DD'; Connect.ini holds dates in it too.
QString DbDate(const QDate& date);
// A date Connect.ini holds: the stored form, or the form of older versions, written in the order of
// the locale of the day. That order is read from the date where it can be (a first number above 12,
// or "." or "-" between the numbers: day first), else month first as those versions read it.
std::optional<QDate> ParseIniDate(const QString& text);
// The time as "hh:nn:ss am/pm" (12-hour clock).
QString FormatTimeAmPm(const QTime& time);

}  // namespace dc
