#include "reports/DateChecks.h"

#include "shell/DateFormat.h"

namespace dc {

std::optional<QString> DateBoxMessage(const QString& text, const QString& dateFormat) {
    const QString format = dateFormat == "MM/DD/YYYY" ? "Date must be in the format MM/DD/YYYY."
                                                      : "Date must be in the format DD/MM/YYYY.";
    if (text.contains('_')) return "A valid date cannot contain any underscores.\r\n" + format;
    if (!ParseLocalDate(text, dateFormat)) return format;
    return std::nullopt;
}

}  // namespace dc
