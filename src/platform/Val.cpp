#include "platform/Val.h"

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

}  // namespace dc
