#pragma once
// The rows of one query, held in memory, with the classic cursor operations (BOF/EOF, Move*,
// RecordCount) and field access by name or position. A recordset opened on a table name can
// also add rows (AddNew, field assignments, Update).

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

#include "platform/Field.h"

namespace dc {

class Database;

class Recordset {
  public:
    Recordset() = default;

    bool Bof() const { return pos_ < 0 || rows().empty(); }
    bool Eof() const { return pos_ >= static_cast<int>(rows().size()) || rows().empty(); }
    bool IsEmpty() const { return rows().empty(); }  // BOF and EOF both true
    void MoveFirst();
    void MoveNext();
    void MovePrevious();
    void MoveLast();
    int RecordCount() const { return static_cast<int>(rows().size()); }
    int AbsolutePosition() const { return pos_; }

    int FieldCount() const { return static_cast<int>(columns_.size()); }
    QString FieldName(int ordinal) const { return columns_.value(ordinal); }
    int Ordinal(const QString& name) const;  // -1 when there is no such column
    Field Fields(const QString& name) const;
    Field Fields(int ordinal) const;
    Field operator[](const QString& name) const { return Fields(name); }

    // Adding a row to the table the recordset was opened on.
    void AddNew();
    void SetField(const QString& name, const QVariant& value);
    void SetField(int ordinal, const QVariant& value);
    void Update();
    void Close();

  private:
    friend class Database;
    using Rows = std::vector<std::vector<QVariant>>;
    const Rows& rows() const;
    void RequireCurrent() const;

    Database* db_ = nullptr;
    QString table_;  // set when opened on a table
    QStringList columns_;
    QHash<QString, int> index_;  // upper-case name -> ordinal
    mutable Rows rows_;
    mutable bool loaded_ = true;
    std::function<Rows()> loader_;
    int pos_ = 0;
    bool adding_ = false;
    std::vector<QVariant> newRow_;
    std::vector<bool> newRowSet_;
};

}  // namespace dc
