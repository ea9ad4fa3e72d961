#include "platform/Val.h"

#include <algorithm>
#include <cmath>

namespace dc {

double Val(const QString& text) {
    int i = 0;
    const int n = text.size();
    auto skipBlanks = [&] {
        while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
    };
    skipBlanks();
    QString number;
    if (i < n && (text[i] == '-' || text[i] == '+')) number += text[i++];
    bool digits = false, point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            number += c;
            digits = true;
        } else if (c == '.' && !point) {
            number += c;
            point = true;
        } else if (c == ' ') {
            continue;  // blanks inside a number are passed over
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
