#include "platform/Field.h"

#include <QDate>

#include "platform/Val.h"

namespace dc {

// The database's own kinds (whole numbers, decimals, texts) are read straight from the value;
// reports read millions of them.
QString Field::str() const {
    if (value_.typeId() == QMetaType::QString) return *static_cast<const QString*>(value_.constData());
    if (isNull()) return QString("");
    if (value_.typeId() == QMetaType::Double) {
        // Whole numbers read without a decimal part, others with "." and no trailing zeros.
        return QString::number(value_.toDouble(), 'g', 15);
    }
    return value_.toString();
}

double Field::toDouble() const {
    switch (value_.typeId()) {
        case QMetaType::LongLong:
            return double(*static_cast<const qlonglong*>(value_.constData()));
        case QMetaType::Double:
            return *static_cast<const double*>(value_.constData());
        case QMetaType::QString:
            return Val(*static_cast<const QString*>(value_.constData()));
        default:
            break;
    }
    if (isNull()) return 0.0;
    switch (value_.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Bool:
            return value_.toDouble();
        default:
            return Val(value_.toString());
    }
}

int Field::toInt() const {
    if (value_.typeId() == QMetaType::LongLong) return int(*static_cast<const qlonglong*>(value_.constData()));
    return static_cast<int>(RoundHalfAway(toDouble()));
}

qint64 Field::toLong() const { return RoundHalfAway(toDouble()); }

bool Field::toBool() const { return toDouble() != 0.0; }

}  // namespace dc
