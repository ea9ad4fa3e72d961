#include "records/TeeBoxPacking.h"

#include <cmath>

#include "platform/Val.h"

namespace dc {

int SlotWidth(Packed column) {
    switch (column) {
        case Packed::TB:
            return 20;
        case Packed::MCR:
        case Packed::WCR:
            return 4;
        case Packed::MSL:
        case Packed::WSL:
            return 3;
        case Packed::MHCP:
        case Packed::WHCP:
            return 36;
        case Packed::MPARS:
        case Packed::WPARS:
            return 18;
        case Packed::YARDS:
            return 54;
    }
    return 0;
}

int HoleWidth(Packed column) {
    switch (column) {
        case Packed::MHCP:
        case Packed::WHCP:
            return 2;
        case Packed::MPARS:
        case Packed::WPARS:
            return 1;
        case Packed::YARDS:
            return 3;
        default:
            return 0;
    }
}

QString SlotText(const QString& columnValue, Packed column, int slot) {
    const int w = SlotWidth(column);
    return columnValue.mid(slot * w, w);  // mid() gives the part that is there, or ""
}

QString HoleText(const QString& columnValue, Packed column, int slot, int hole) {
    const int h = HoleWidth(column);
    return columnValue.mid(slot * SlotWidth(column) + (hole - 1) * h, h);
}

int HoleNumber(const QString& columnValue, Packed column, int slot, int hole) {
    return static_cast<int>(Val(HoleText(columnValue, column, slot, hole)));
}

QString TeeName(const QString& tb, int slot) { return SlotText(tb, Packed::TB, slot).trimmed(); }

double SlotNumber(const QString& columnValue, Packed column, int slot) {
    return Val(SlotText(columnValue, column, slot));
}

QString PackTeeName(const QString& name) {
    if (name.trimmed().isEmpty()) return QString(20, ' ');
    return name.left(20).rightJustified(20, ' ');
}

QString PackRating(const QString& cellText) {
    double v = Val("0" + cellText.trimmed());
    if (v < 0) v = 0;
    if (v > 99.9) v = 99.9;
    return FixedText(v, 1).rightJustified(4, QChar('0'));
}

QString PackSlope(const QString& cellText) {
    long long v = RoundHalfAway(Val("0" + cellText.trimmed()));
    if (v < 0) v = 0;
    if (v > 999) v = 999;
    return QString("%1").arg(v, 3, 10, QChar('0'));
}

QString PackHoles(const std::array<QString, 18>& cells, Packed column) {
    const int h = HoleWidth(column);
    const long long top = h == 1 ? 9 : h == 2 ? 99 : 999;
    QString text;
    for (const QString& cell : cells) {
        long long v = static_cast<long long>(Val(cell));
        if (v < 0) v = 0;
        if (v > top) v = top;
        text += QString("%1").arg(v, h, 10, QChar('0'));
    }
    return text;
}

const QString& PackedCourse::Column(Packed c) const {
    switch (c) {
        case Packed::TB:
            return TB;
        case Packed::MCR:
            return MCR;
        case Packed::MSL:
            return MSL;
        case Packed::WCR:
            return WCR;
        case Packed::WSL:
            return WSL;
        case Packed::MHCP:
            return MHCP;
        case Packed::WHCP:
            return WHCP;
        case Packed::MPARS:
            return MPARS;
        case Packed::WPARS:
            return WPARS;
        case Packed::YARDS:
            return YARDS;
    }
    return TB;
}

}  // namespace dc
