#pragma once
// One open SQLCipher database: statements with bound parameters, recordsets, transactions.
// Errors are thrown as DbError with the engine numbers that the screens test.

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <memory>
#include <unordered_map>

#include "platform/DbError.h"
#include "platform/Recordset.h"

struct sqlite3;
struct sqlite3_stmt;

namespace dc {

// The current row of a running query, read straight from the statement by position: each value
// reads as a Field of the same column would, without copying the row.
class StatementRow {
  public:
    class Column {
      public:
        bool isNull() const;
        QString str() const;
        double toDouble() const;
        int toInt() const;
        bool toBool() const { return toDouble() != 0.0; }

      private:
        friend class StatementRow;
        Column(sqlite3_stmt* stmt, int i) : stmt_(stmt), i_(i) {}
        Field AsField() const;  // the slow path: kinds other than numbers and null
        sqlite3_stmt* stmt_;
        int i_;
    };
    int FieldCount() const { return count_; }
    Column Fields(int ordinal) const;  // throws DbError for an ordinal out of range

  private:
    friend class Database;
    sqlite3_stmt* stmt_ = nullptr;
    int count_ = 0;
};

class Database {
  public:
    // Opens an existing file (never creates one) with the password. Throws DbError:
    // 3044 when the folder does not exist or the path is empty, 3024 when the file does not exist,
    // 3031 for a database with another password, 3343 for a file that is not a database, 3049 for
    // one that the password opens but whose pages are malformed or cut short.
    static std::unique_ptr<Database> Open(const QString& path, const QString& password);
    // Creates a new, empty encrypted database file (the build's blank-database tool uses it).
    static std::unique_ptr<Database> Create(const QString& path, const QString& password);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs a statement that returns no rows. Placeholders are "?"; values are bound in order.
    void Execute(const QString& sql, const QVariantList& params = {});
    int RecordsAffected() const { return affected_; }

    // Runs a query, or opens a table by its bare name (then AddNew/Update can add rows).
    Recordset OpenRecordset(const QString& sqlOrTable, const QVariantList& params = {});

    // Runs a query and hands each row in turn to `row` as the current row of a recordset, keeping
    // none of them: for reading many rows once.
    void ForEachRow(const QString& sql, const QVariantList& params,
                    const std::function<void(const Recordset&)>& row);
    // The same, the values read by position straight from the statement: for the largest reads.
    void ForEachStatementRow(const QString& sql, const QVariantList& params,
                             const std::function<void(const StatementRow&)>& row);

    // The first column of the first row of a query; a null QVariant when there is no row.
    QVariant Scalar(const QString& sql, const QVariantList& params = {});

    QStringList TableColumns(const QString& table);
    bool HasTable(const QString& table);

    // True inside a transaction; false once the engine has rolled one back by itself.
    bool InTransaction() const;
    // True when the engine opened the file for reading only (it cannot be written).
    bool IsReadOnly() const;
    // The first problem SQLite's quick check finds in the file's pages, or an empty text.
    QString QuickCheck();
    // How long a statement waits for another program's lock (tests shorten it).
    static constexpr int kDefaultBusyTimeout = 5000;  // milliseconds
    static void SetBusyTimeout(int milliseconds);

    void Close();
    bool IsOpen() const { return db_ != nullptr; }
    const QString& Path() const { return path_; }
    // The text of the statement the database runs (or ran last); its own rollbacks leave it as it was.
    const QString& LastStatement() const { return lastStatement_; }
    sqlite3* handle() const { return db_; }
    // Called whenever a transaction that wrote to the file commits, from inside the commit: the
    // listener must not use the database (it may note the change for later).
    void SetWriteListener(std::function<void()> listener);

    // A transaction: everything inside commits together or not at all. Nests (savepoints).
    class Transaction {
      public:
        explicit Transaction(Database& db);
        ~Transaction();  // rolls back unless committed
        void Commit();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

      private:
        Database& db_;
        QString name_;
        bool done_ = false;
    };

  private:
    Database() = default;
    friend class Recordset;
    sqlite3_stmt* Prepare(const QString& sql);
    void Bind(sqlite3_stmt* stmt, const QVariantList& params, const QString& sql);
    [[noreturn]] void Fail(int rc, const QString& sql) const;
    void InsertRow(const QString& table, const QStringList& columns, const std::vector<QVariant>& values,
                   const std::vector<bool>& set);

    sqlite3* db_ = nullptr;
    QString path_;
    QString lastStatement_;
    int affected_ = 0;
    int savepointDepth_ = 0;
    std::unordered_map<std::string, sqlite3_stmt*> cache_;
    std::function<void()> writeListener_;
};

}  // namespace dc
