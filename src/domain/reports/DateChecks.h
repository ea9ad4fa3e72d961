#pragma once
// The date checks of the report screens' selection panel: a date box must hold a whole, real
// date in the user's order, and the range must not end before it starts.

#include <QDate>
#include <QString>
#include <optional>

namespace dc {

// The message for a date box's text, or nothing when it is a valid date. An unfinished text gets
// the underscore message; a whole but impossible date (month 13) the date-format line alone.
std::optional<QString> DateBoxMessage(const QString& text, const QString& dateFormat);

inline const QString kRangeMessage = "The Start Date must be earlier than the End Date.";

}  // namespace dc
