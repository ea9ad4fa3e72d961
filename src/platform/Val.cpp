#include "platform/Val.h"

#include <cmath>

namespace dc {

double Val(QStringView text) {
    int i = 0;
    const int n = int(text.size());
    auto blank = [](QChar c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (i < n && blank(text[i])) ++i;
    const int start = i;
    // Whole numbers, the common case, are read without building a text.
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    double whole = 0;
    int digitCount = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= '0' && c <= '9') {
            whole = whole * 10 + (c - '0');
            ++digitCount;
        } else if (c != ' ') {
            break;  // blanks inside a number are passed over
        }
    }
    // Exact while it has at most 15 digits; a decimal point or a longer number is read as text.
    if ((i >= n || text[i] != '.') && digitCount <= 15)
        return digitCount == 0 ? 0.0 : (negative ? -whole : whole);
    bool digits = false;

    QString number;
    i = start;
    if (i < n && (text[i] == '-' || text[i] == '+')) number += text[i++];
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            number += c;
            digits = true;
        } else if (c == '.' && !point) {
            number += c;
            point = true;
        } else if (c == ' ') {
            continue;
        } else {
            break;
        }
    }
    if (!digits) return 0.0;
    return number.toDouble();
}

long long RoundHalfAway(double value) { return static_cast<long long>(std::llround(value)); }

}  // namespace dc
