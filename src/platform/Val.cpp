#include "platform/Val.h"

#include <algorithm>
#include <array>
#include <charconv>
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
    std::array<char, 320> kept;  // the digits of a number too long to add up exactly
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= '0' && c <= '9') {
            whole = whole * 10 + (c - '0');
            if (digitCount < int(kept.size())) kept[digitCount] = char(c);
            ++digitCount;
        } else if (c != ' ') {
            break;  // blanks inside a number are passed over
        }
    }
    if (i >= n || text[i] != '.') {
        if (digitCount == 0) return 0.0;
        // Exact while it has at most 15 digits; a longer one is converted as a whole.
        if (digitCount > 15 && digitCount <= int(kept.size()))
            std::from_chars(kept.data(), kept.data() + digitCount, whole);
        if (digitCount <= int(kept.size())) return negative ? -whole : whole;
    }
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

QString FixedText(double value, int decimals, int significant) {
    QString t = QString::number(std::fabs(value), 'g', significant);
    if (t.contains('e')) t = QString::number(std::fabs(value), 'f', decimals + 1);  // tiny or huge
    if (!t.contains('.')) t += '.';
    t += QString(decimals + 1, '0');
    const int point = static_cast<int>(t.indexOf('.'));
    QString digits = t.left(point) + t.mid(point + 1, decimals);
    if (t[point + 1 + decimals] >= '5') {  // the half and above go up, in decimal
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
        if (i >= 0)
            digits[i] = QChar(digits[i].unicode() + 1);
        else
            digits.prepend('1');
    }
    const qsizetype whole = digits.size() - decimals;
    QString out = (whole > 0 ? digits.left(whole) : QString("0"));
    if (decimals > 0) out += "." + digits.mid(whole);
    const bool zero = !std::any_of(digits.begin(), digits.end(), [](QChar c) { return c != '0'; });
    return (value < 0 && !zero ? "-" : "") + out;
}

}  // namespace dc
