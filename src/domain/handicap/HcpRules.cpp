#include "handicap/HcpRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "shell/DateFormat.h"

namespace dc {

namespace {

constexpr long long kPow10[19] = {1LL,
                                  10LL,
                                  100LL,
                                  1000LL,
                                  10000LL,
                                  100000LL,
                                  1000000LL,
                                  10000000LL,
                                  100000000LL,
                                  1000000000LL,
                                  10000000000LL,
                                  100000000000LL,
                                  1000000000000LL,
                                  10000000000000LL,
                                  100000000000000LL,
                                  1000000000000000LL,
                                  10000000000000000LL,
                                  100000000000000000LL,
                                  1000000000000000000LL};

// Numbers are written and read without the locale (the C library's printf follows it), in a
// buffer of the caller's: these run for every round of a recomputation.
struct WrittenChars {
    char buf[64];
    const char* end;
};

WrittenChars WriteChars(double value, std::chars_format format, int precision) {
    WrittenChars w;
    w.end = std::to_chars(w.buf, w.buf + sizeof w.buf, value, format, precision).ptr;
    return w;
}

QString Written(double value, std::chars_format format, int precision) {
    const WrittenChars w = WriteChars(value, format, precision);
    return QString::fromLatin1(w.buf, static_cast<int>(w.end - w.buf));
}

// The value as read back from its written form.
double Rewritten(double value, std::chars_format format, int precision) {
    const WrittenChars w = WriteChars(value, format, precision);
    double read = 0;
    std::from_chars(w.buf, w.end, read);
    return read;
}

// Sorts a few numbers as std::stable_sort does, without its buffer.
void StableSort(std::vector<float>& values) {
    if (values.size() > 32) {
        std::stable_sort(values.begin(), values.end());
        return;
    }
    for (size_t i = 1; i < values.size(); ++i) {
        const float v = values[i];
        size_t j = i;
        for (; j > 0 && v < values[j - 1]; --j) values[j] = values[j - 1];
        values[j] = v;
    }
}

// Exact rounding on the decimal digits of the written value.
long long RoundDigits(double value, int sigDigits, int decimals) {
    const WrittenChars text = WriteChars(value, std::chars_format::scientific, sigDigits - 1);
    const char* p = text.buf;
    const char* const textEnd = text.end;
    const bool negative = *p == '-';
    if (negative) ++p;
    long long mantissa = 0;
    for (; p != textEnd && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') mantissa = mantissa * 10 + (*p - '0');
    int exponent = 0;
    if (p != textEnd && *p == 'e') {
        ++p;
        if (p != textEnd && *p == '+') ++p;
        std::from_chars(p, textEnd, exponent);
    }
    // value = mantissa x 10^(exponent - (sigDigits - 1)); we want it x 10^decimals.
    const int shift = exponent - (sigDigits - 1) + decimals;
    long long units;
    if (shift >= 0) {
        units = shift > 18 ? 0 : mantissa * kPow10[shift];
    } else if (-shift > 18) {
        units = 0;
    } else {
        const long long div = kPow10[-shift];
        units = mantissa / div;
        if ((mantissa % div) * 2 >= div) ++units;
    }
    return negative ? -units : units;
}

}  // namespace

long long RoundWrittenHalfAway(double value, int sigDigits, int decimals) {
    if (!std::isfinite(value)) return 0;
    const double scaled = value * static_cast<double>(kPow10[decimals]);
    const double magnitude = std::fabs(scaled);
    const double fraction = magnitude - std::floor(magnitude);
    // The written value lies within one unit of its last digit of the binary one; only a value that
    // close to a half can round differently, and only those go through the digits.
    static constexpr double kUnit[18] = {10,   1,    1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
                                         1e-8, 1e-9, 1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15, 1e-16};
    const double tolerance = magnitude * kUnit[std::clamp(sigDigits, 0, 17)] * 2 + 1e-12;
    if (std::fabs(fraction - 0.5) > tolerance) {
        const long long whole = static_cast<long long>(std::floor(magnitude)) + (fraction > 0.5 ? 1 : 0);
        return scaled < 0 ? -whole : whole;
    }
    return RoundDigits(value, sigDigits, decimals);
}

float ScoreDifferential(double adjustedScore, double rating, double slope) {
    const double exact = (adjustedScore - rating) * kStandardSlope / slope;
    const float held = static_cast<float>(exact);
    const long long tenths = RoundWrittenHalfAway(held, 7, 1);
    return static_cast<float>(tenths) / 10.0f;
}

int ScoresUsedTable(int n) {
    if (n < 5) return 0;
    if (n <= 16) return (n - 3) / 2;  // 5-6: 1, 7-8: 2, ..., 15-16: 6
    return std::min(n, 20) - 10;      // 17: 7, 18: 8, 19: 9, 20: 10
}

float TruncateToTenth(double value) {
    const long long thousandths = RoundWrittenHalfAway(value, 15, 3);
    const long long tenths = thousandths / 100;  // cut toward zero
    return static_cast<float>(tenths) / 10.0f;   // tenths 0 gives +0.0
}

float IndexFromDifferentials(std::vector<float> differentials) {
    const int used = ScoresUsedTable(static_cast<int>(differentials.size()));
    if (used == 0) return 0.0f;
    StableSort(differentials);
    double sum = 0;
    for (int i = 0; i < used; ++i) sum += differentials[i];
    return TruncateToTenth(sum / used * kIndexFactor);
}

int GenderIndexOf(const QString& gender) {
    QString g = gender;
    g.remove(' ');
    return g == "M" ? 0 : 1;
}

QString OneYearWindow(const QDate& today) {
    return QString("%1%2%3")
        .arg(today.year() - 1, 4, 10, QChar('0'))
        .arg(today.month(), 2, 10, QChar('0'))
        .arg(today.day(), 2, 10, QChar('0'));
}

QString DateKey(const QString& storedDate) {
    // The stored form 'YYYY-MM-DD' (possibly with a time after it) needs no date parsing.
    if (storedDate.size() >= 10 && storedDate[4] == '-' && storedDate[7] == '-') {
        bool digits = true;
        for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
            if (!storedDate[i].isDigit()) digits = false;
        if (digits) return storedDate.left(4) + storedDate.mid(5, 2) + storedDate.mid(8, 2);
    }
    const auto date = ParseStoredDate(storedDate);
    return date ? date->toString("yyyyMMdd") : QString("");
}

int DateNumber(const QString& storedDate) {
    // The stored form in plain digits is read without building the key's text.
    if (storedDate.size() >= 10 && storedDate[4] == '-' && storedDate[7] == '-') {
        int number = 0;
        bool digits = true;
        for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
            const char16_t c = storedDate[i].unicode();
            if (c < u'0' || c > u'9') digits = false;
            number = number * 10 + (c - u'0');
        }
        if (digits) return number;
    }
    return DateKey(storedDate).toInt();
}

double NineHoleRating(double storedRating) { return storedRating < 50 ? storedRating : storedRating / 2; }

double NineRunRating(double storedRating) { return storedRating > 50 ? storedRating / 2 : storedRating; }

CombinedScore CombinedNines(const NineScore& newer, const NineScore& older) {
    CombinedScore c;
    c.adjustedScore = newer.adjustedScore + older.adjustedScore;
    c.rating = newer.rating + older.rating;
    c.slope = (newer.slope + older.slope) / 2;
    c.useTourn = older.useTourn;
    return c;
}

int CourseHcp(double index, double slope) {
    return static_cast<int>(RoundWrittenHalfAway(index * slope / kStandardSlope, 15, 0));
}

QString CourseHcpText(double index, double slope, bool zeroIsPlain) {
    if (!(slope > 0)) return QString();  // no slope, no course handicap (not "0" or "+0")
    if (index > 0 || (zeroIsPlain && index == 0)) return QString::number(CourseHcp(index, slope));
    return "+" + QString::number(CourseHcp(-index, slope));
}

int ScoringCourseHcp(float prevIndex, float prevTournIndex, double slope) {
    return prevTournIndex != kNoTournIndexF ? TournCourseHcp(prevTournIndex, slope)
                                            : CourseHcp(prevIndex, slope);
}

double ReductionDifference(float index, float lowest, float secondLowest) {
    const double d = static_cast<double>(index) - (static_cast<double>(lowest) + secondLowest) / 2;
    return Rewritten(d, std::chars_format::general, 15);
}

float TournamentIndex(float index, std::vector<float> tournDifferentials, const ReductionLookup& lookup) {
    const int t = static_cast<int>(tournDifferentials.size());
    if (t < 2) return kNoTournIndexF;
    StableSort(tournDifferentials);
    const float lowest = tournDifferentials[0];
    const float second = tournDifferentials[1];
    const float margin = index - second;  // single precision
    if (margin <= 3.0f) return kNoTournIndexF;
    const double reduction = lookup ? lookup(t, ReductionDifference(index, lowest, second)) : 0.0;
    const float tournIndex = static_cast<float>(static_cast<double>(index) - reduction);
    const float taken = index - tournIndex;  // single precision
    if (taken < 1.0f) return kNoTournIndexF;
    return tournIndex;
}

double StoredIndexValue(float value) {
    if (value == 0.0f) return 0.0;  // never a stored -0
    return Rewritten(value, std::chars_format::general, 7);
}

QString IndexText(float value) {
    if (value == 0.0f) return "0";
    return Written(value, std::chars_format::general, 7);
}

}  // namespace dc
