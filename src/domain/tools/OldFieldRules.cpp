#include "tools/OldFieldRules.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace dc {

namespace oldfield {

QString Fixed(double value, int width, int decimals) {
    const QString zeros = decimals > 0 ? QString(width - decimals - 1, '0') + "." + QString(decimals, '0')
                                       : QString(width, '0');
    if (!std::isfinite(value) || value < 0) return zeros;
    const QString text = QString::number(value, 'f', decimals).rightJustified(width, '0');
    return text.size() == width ? text : zeros;
}

bool IsDamage(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u < 0xA0) || u == 0xFFFD;
}

}  // namespace oldfield

namespace {

using oldfield::Fixed;
using oldfield::IsDamage;

const QString kTeeNames = "                 Red               White                Blue                Gold";

double Cents(float v) { return std::isfinite(v) ? std::round(double(v) * 100.0) / 100.0 : 0.0; }

// The 1-based positions p..q of the name field, trimmed (empty past the end).
QString Piece(const QString& n, int from, int to = 20) {
    return n.mid(from - 1, std::max(0, to - from + 1)).trimmed();
}

// "First MI" after a comma: a trailing single letter after a blank is the middle initial.
SplitName FirstAndInitial(const QString& last, const QString& rest) {
    const int blank = rest.lastIndexOf(' ');
    if (blank > 0 && rest.size() - blank - 1 == 1)
        return {last, rest.left(blank).trimmed(), rest.mid(blank + 1)};
    return {last, rest.isEmpty() ? QString(" ") : rest, QString()};
}

}  // namespace

const QStringList& NameFormats() {
    static const QStringList formats{"Last, First", "Last, First MI", "Last Name Only",
                                     "First Last",  "First MI Last",  "First Name Only"};
    return formats;
}

std::optional<SplitName> SplitOldName(const QString& name20, int format) {
    const QString n = name20.left(20).leftJustified(20, ' ');
    const SplitName lastOnly{n.trimmed(), " ", std::nullopt};
    switch (format) {
        case 0:
        case 1: {
            const int p = n.indexOf(',') + 1;
            if (p == 0) return lastOnly;
            const QString last = Piece(n, 1, p - 1), rest = Piece(n, p + 1);
            if (format == 1) return FirstAndInitial(last, rest);
            return SplitName{last, rest.isEmpty() ? QString(" ") : rest, std::nullopt};
        }
        case 2:
            return lastOnly;
        case 3:
        case 4: {
            const int p = n.indexOf(' ') + 1;
            if (p == 0) return lastOnly;
            if (format == 3) return SplitName{Piece(n, p + 1), Piece(n, 1, p - 1), std::nullopt};
            return SplitName{Piece(n, p + 3), Piece(n, 1, p - 1), Piece(n, p + 1, p + 1)};
        }
        case 5:
            return SplitName{" ", n.trimmed(), std::nullopt};
        default:
            return std::nullopt;
    }
}

PackedCourse PackOldCourse(const OldCourseRec& c) {
    PackedCourse p;
    p.TB = kTeeNames;
    QString hcp, pars;
    for (int h = 0; h < 18; ++h) hcp += Fixed(c.hcpRank[h], 2, 0);
    for (int t = 2; t >= 0; --t) {
        p.MCR += Fixed(c.rating[t], 4, 1);
        p.MSL += Fixed(c.slope[t], 3, 0);
        for (int h = 0; h < 18; ++h) pars += Fixed(t == 2 ? c.par[h][t] % 32 : c.par[h][t], 1, 0);
    }
    pars += QString(18, '0');
    p.WCR = p.MCR;
    p.WSL = p.MSL;
    p.MHCP = p.WHCP = hcp.repeated(4);
    p.MPARS = p.WPARS = pars;
    return p;
}

QString OldCourseName(const QString& name30, int courseId) {
    const QString name = name30.left(20).trimmed();
    return name.isEmpty() ? QString::number(courseId) : name;
}

std::optional<int> TeeSlotOfOld(QChar tee) {
    if (tee == '1') return 2;
    if (tee == '2') return 1;
    if (tee == '3') return 0;
    return std::nullopt;
}

std::optional<QDate> ParseOldDate(const QString& text, bool dayFirst) {
    static const QRegularExpression re("^\\s*(\\d{1,2})[/.\\-](\\d{1,2})[/.\\-](\\d{2}|\\d{4})\\s*$");
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int a = m.captured(1).toInt(), b = m.captured(2).toInt();
    int y = m.captured(3).toInt();
    if (m.captured(3).size() == 2) y += y < 30 ? 2000 : 1900;  // the two-digit year window of the time
    const QDate d = dayFirst ? QDate(y, b, a) : QDate(y, a, b);
    if (!d.isValid()) return std::nullopt;
    return d;
}

bool HoleScoreInRange(int strokes) { return strokes >= 1 && strokes <= 99; }
bool RatingInRange(double rating) { return rating >= 0.1 && rating <= 99.9; }
bool SlopeInRange(int slope) { return slope >= 55 && slope <= 155; }

QString RoundSignature(const QDate& date, const std::array<int, 18>& gross) {
    // The day number and each hole's score as one character each: one allocation a round.
    const qint64 day = date.isValid() ? date.toJulianDay() : 0;
    QString s(2 + 18, Qt::Uninitialized);
    s[0] = QChar(char16_t(day & 0xFFFF));
    s[1] = QChar(char16_t((day >> 16) & 0xFFFF));
    for (int h = 0; h < 18; ++h) s[2 + h] = QChar(char16_t(gross[h]));
    return s;
}

QString CourseFingerprint(const PackedCourse& packed, bool withRatings) {
    QString s;
    bool rated = false, parred = false;
    for (int t = 0; t < 3; ++t) {
        const double rating = SlotNumber(packed.MCR, Packed::MCR, t);
        rated = rated || rating > 0;
        if (withRatings)
            s += QString::number(rating, 'f', 1) + "/" +
                 QString::number(SlotNumber(packed.MSL, Packed::MSL, t)) + "/";
        for (int h = 1; h <= 18; ++h) {
            const int par = HoleNumber(packed.MPARS, Packed::MPARS, t, h);
            parred = parred || par > 0;
            s += QString::number(par);
        }
        s += ";";
    }
    return (withRatings ? rated : parred) ? s : QString();
}

QString OldCourseKey(const OldCourseRec& course) {
    const PackedCourse p = PackOldCourse(course);
    return course.name.left(20).trimmed().toUpper() + "|" + p.MCR + "|" + p.MSL + "|" + p.MPARS;
}

QString ListReading(const QString& name) {
    static const QRegularExpression comma("\\s*,\\s*");
    QString s = name.simplified().replace(comma, ", ").trimmed();
    if (s.endsWith('.')) s = s.chopped(1).trimmed();
    return s.toUpper();
}

QString OldGolferKey(const QString& fileKey, const QString& name20, const QString& gender) {
    return fileKey.toUpper() + "|" + ListReading(name20.left(20)) + "|" + gender;
}

QString OldGolferKeyAgain(const QString& remembered) {
    // Key|name|gender: the name may hold a bar of its own.
    return OldGolferKey(remembered.section('|', 0, 0), remembered.section('|', 1, -2),
                        remembered.section('|', -1));
}

quint64 OldRoundKey(const OldRoundRec& round) {
    // The fields' characters and numbers, little-endian, into one buffer: no allocation a round.
    std::array<uint8_t, 2 * (10 + 30 + 1 + 18) + 2> played{};
    size_t at = 0;
    const auto put = [&](uint16_t v) {
        if (at + 2 > played.size()) return;
        played[at++] = uint8_t(v & 0xFF);
        played[at++] = uint8_t(v >> 8);
    };
    for (QChar c : QStringView(round.date).left(10)) put(c.unicode());
    put('|');
    for (QChar c : QStringView(round.course).left(30)) put(c.unicode());
    put(round.tee.unicode());
    for (int g : round.gross) put(uint16_t(g));
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(played.data()), qsizetype(at)));
    const QByteArrayView digest = hash.resultView();
    quint64 key = 0;
    for (int i = 0; i < 8; ++i) key = key << 8 | uint8_t(digest[i]);
    return key;
}

QString CleanNotes(const QString& notes) {
    QString s;
    for (QChar c : notes)
        if (!IsDamage(c)) s += c;
    return s;
}

std::optional<double> StoredCost(float cost) {
    if (!std::isfinite(cost)) return std::nullopt;
    // The cost boxes take 0 to below 10,000,000 (CostRefusal).
    const double cents = Cents(cost);
    if (cents < 0 || cents >= 1e7) return std::nullopt;
    return cents;
}

}  // namespace dc
