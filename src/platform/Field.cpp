#include "platform/Field.h"

#include <QDate>

#include "platform/Val.h"

namespace dc {

QString Field::str() const {
    if (isNull()) return QString("");
    if (value_.typeId() == QMetaType::Double) {
        // Whole numbers read without a decimal part, others with "." and no trailing zeros.
        return QString::number(value_.toDouble(), 'g', 15);
    }
    return value_.toString();
}

double Field::toDouble() const {
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

int Field::toInt() const { return static_cast<int>(RoundHalfAway(toDouble())); }

qint64 Field::toLong() const { return RoundHalfAway(toDouble()); }

bool Field::toBool() const { return toDouble() != 0.0; }

}  // namespace dc
