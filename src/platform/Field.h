#pragma once
// One value read from a recordset. Null reads as an empty text, as when an empty text is appended.

#include <QVariant>

namespace dc {

class Field {
  public:
    Field() = default;
    explicit Field(QVariant value) : value_(std::move(value)) {}

    bool isNull() const { return value_.isNull() || !value_.isValid(); }
    QString str() const;      // Null -> ""
    double toDouble() const;  // numeric value of the text (Null, "" -> 0)
    int toInt() const;        // rounded to the nearest whole number, halves away from zero
    qint64 toLong() const;
    bool toBool() const;  // non-zero
    const QVariant& value() const { return value_; }
    operator QString() const { return str(); }

  private:
    QVariant value_;
};

}  // namespace dc
