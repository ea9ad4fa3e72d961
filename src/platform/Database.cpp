#include "platform/Database.h"

#include <sqlite3.h>

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "platform/Val.h"

namespace dc {

namespace {

int ErrNumberFor(int rc, const QString& message) {
    switch (rc & 0xff) {
        case SQLITE_CONSTRAINT:
            return kErrDuplicate;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return kErrLocked;
        case SQLITE_READONLY:
            return kErrReadOnly;
        case SQLITE_IOERR:
            return kErrDiskIO;
        case SQLITE_FULL:
            return kErrDiskFull;
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
            return kErrBadFormat;
        case SQLITE_CANTOPEN:
            return kErrFileNotFound;
        default:
            break;
    }
    // A function such as sqlcipher_export passes on a full disk as a plain error with the engine's text.
    if (message.contains("database or disk is full")) return kErrDiskFull;
    if (message.contains("no such table")) return kErrNoTable;
    if (message.contains("no such column") || message.contains("has no column")) return kErrNoColumn;
    if (message.contains("syntax error") || message.contains("incomplete input")) return kErrSyntax;
    return kErrGeneric;
}

QVariant ColumnValue(sqlite3_stmt* stmt, int i) {
    switch (sqlite3_column_type(stmt, i)) {
        case SQLITE_INTEGER:
            return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt, i)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(stmt, i));
        case SQLITE_TEXT:
            return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                              sqlite3_column_bytes(stmt, i)));
        case SQLITE_BLOB:
            return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, i)),
                                       sqlite3_column_bytes(stmt, i)));
        default:
            return QVariant();
    }
}

int& BusyTimeout() {
    static int ms = Database::kDefaultBusyTimeout;
    return ms;
}

// FOLD(text): the text with every letter's case folded, for comparisons that ignore case in any
// alphabet (SQLite's own NOCASE and LIKE fold only A to Z).
void FoldFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const QByteArray folded = QString::fromUtf8(text, sqlite3_value_bytes(argv[0])).toCaseFolded().toUtf8();
    sqlite3_result_text(context, folded.constData(), folded.size(), SQLITE_TRANSIENT);
}

bool LooksLikePlainSqlite(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

}  // namespace

std::unique_ptr<Database> Database::Open(const QString& path, const QString& password) {
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty()) throw DbError(kErrNotValidPath, "'' is not a valid path.");
    const QFileInfo info(trimmed);
    if (!QDir(info.absolutePath()).exists() || info.isDir())
        throw DbError(kErrNotValidPath, QString("'%1' is not a valid path.  Make sure that the path name is "
                                                "spelled correctly and that you are connected to the server "
                                                "on which the file resides.")
                                            .arg(trimmed));
    if (!info.exists()) throw DbError(kErrFileNotFound, QString("Could not find file '%1'.").arg(trimmed));

    std::unique_ptr<Database> db(new Database());
    db->path_ = trimmed;
    // Read-write only: a missing file must never be created by opening it. The connection is used
    // by one thread only, so SQLite need not lock it on every call.
    const int rc = sqlite3_open_v2(trimmed.toUtf8().constData(), &db->db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db->db_ ? QString::fromUtf8(sqlite3_errmsg(db->db_)) : QString("cannot open");
        if (db->db_) sqlite3_close(db->db_);
        db->db_ = nullptr;
        throw DbError(ErrNumberFor(rc, msg), QString("Could not open file '%1': %2").arg(trimmed, msg));
    }
    const QByteArray key = password.toUtf8();
    sqlite3_key(db->db_, key.constData(), key.size());
    // Another program holding the file for a moment is waited for, not taken for a foreign file.
    sqlite3_busy_timeout(db->db_, BusyTimeout());
    const int check = sqlite3_exec(db->db_, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
    if (check != SQLITE_OK) {
        sqlite3_close(db->db_);
        db->db_ = nullptr;
        if (check == SQLITE_BUSY || check == SQLITE_LOCKED)
            throw DbError(kErrLocked,
                          QString("The database '%1' is locked by another program.").arg(trimmed));
        if (check == SQLITE_NOTADB && !LooksLikePlainSqlite(trimmed) && info.size() >= 1024 &&
            info.size() % 1024 == 0)
            throw DbError(kErrBadPassword, "Not a valid password.");
        // The key fits but the pages do not: a damaged or truncated database, not a foreign file.
        if ((check & 0xff) == SQLITE_CORRUPT) throw DbError(kErrDamaged, sqlite3_errstr(check));
        throw DbError(kErrBadFormat, QString("Unrecognized database format '%1'.").arg(trimmed));
    }
    // The page cache holds a club's whole database, so that each page is decrypted once rather
    // than on every read of a report's rows: the file's size and a quarter, 16 to 256 MB.
    const qint64 cacheKb = std::clamp<qint64>(info.size() / 1024 * 5 / 4, 16000, 256000);
    sqlite3_exec(
        db->db_,
        QString("PRAGMA cache_size=-%1; PRAGMA temp_store=MEMORY;").arg(cacheKb).toUtf8().constData(),
        nullptr, nullptr, nullptr);
    sqlite3_create_function(db->db_, "FOLD", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, FoldFunction,
                            nullptr, nullptr);
    return db;
}

std::unique_ptr<Database> Database::Create(const QString& path, const QString& password) {
    if (QFileInfo::exists(path))
        throw DbError(kErrFileExists, QString("File '%1' already exists.").arg(path));
    std::unique_ptr<Database> db(new Database());
    db->path_ = path;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db->db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        if (db->db_) sqlite3_close(db->db_);
        db->db_ = nullptr;
        throw DbError(kErrNotValidPath, QString("Cannot create '%1'.").arg(path));
    }
    const QByteArray key = password.toUtf8();
    sqlite3_key(db->db_, key.constData(), key.size());
    return db;
}

Database::~Database() { Close(); }

void Database::SetBusyTimeout(int milliseconds) { BusyTimeout() = milliseconds; }

bool Database::InTransaction() const { return db_ && sqlite3_get_autocommit(db_) == 0; }

bool Database::IsReadOnly() const { return db_ && sqlite3_db_readonly(db_, "main") == 1; }

QString Database::QuickCheck() {
    Recordset rs = OpenRecordset("PRAGMA quick_check(1)");
    if (rs.IsEmpty()) return "no answer";
    rs.MoveFirst();
    const QString answer = rs.Fields(0).str();
    return answer == "ok" ? QString() : answer;
}

void Database::SetWriteListener(std::function<void()> listener) {
    writeListener_ = std::move(listener);
    if (!db_) return;
    // SQLite calls the hook only for transactions that wrote; a zero return lets the commit go on.
    sqlite3_commit_hook(
        db_,
        [](void* self) {
            const auto& listener = static_cast<Database*>(self)->writeListener_;
            if (listener) listener();
            return 0;
        },
        this);
}

void Database::Close() {
    for (auto& [sql, stmt] : cache_) sqlite3_finalize(stmt);
    cache_.clear();
    if (db_) sqlite3_close(db_);
    db_ = nullptr;
}

void Database::Fail(int rc, const QString& sql) const {
    const QString msg = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString("database is not open");
    throw DbError(ErrNumberFor(rc, msg), msg, sql, path_);
}

sqlite3_stmt* Database::Prepare(const QString& sql) {
    lastStatement_ = sql;
    if (!db_) throw DbError(kErrNotOpen, "Object invalid or no longer set.", sql);
    const std::string key = sql.toStdString();
    auto it = cache_.find(key);
    if (it != cache_.end()) {
        sqlite3_reset(it->second);
        sqlite3_clear_bindings(it->second);
        return it->second;
    }
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(db_, key.c_str(), -1, &stmt, nullptr);
    if (rc != SQLITE_OK) Fail(rc, sql);
    if (cache_.size() > 200) {
        for (auto& [s, st] : cache_) sqlite3_finalize(st);
        cache_.clear();
    }
    cache_.emplace(key, stmt);
    return stmt;
}

void Database::Bind(sqlite3_stmt* stmt, const QVariantList& params, const QString& sql) {
    const int expected = sqlite3_bind_parameter_count(stmt);
    if (expected != params.size())
        throw DbError(kErrNoColumn, QString("Too few parameters. Expected %1.").arg(expected), sql, path_);
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params[i];
        int rc = SQLITE_OK;
        if (v.isNull() || !v.isValid()) {
            rc = sqlite3_bind_null(stmt, i + 1);
        } else {
            switch (v.typeId()) {
                case QMetaType::Bool:
                    rc = sqlite3_bind_int64(stmt, i + 1, v.toBool() ? 1 : 0);
                    break;
                case QMetaType::Int:
                case QMetaType::UInt:
                case QMetaType::LongLong:
                case QMetaType::ULongLong:
                case QMetaType::Short:
                case QMetaType::UShort:
                    rc = sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
                    break;
                case QMetaType::Double:
                case QMetaType::Float:
                    rc = sqlite3_bind_double(stmt, i + 1, v.toDouble());
                    break;
                case QMetaType::QDate: {
                    const QByteArray t = v.toDate().toString("yyyy-MM-dd").toUtf8();
                    rc = sqlite3_bind_text(stmt, i + 1, t.constData(), t.size(), SQLITE_TRANSIENT);
                    break;
                }
                case QMetaType::QByteArray: {
                    const QByteArray b = v.toByteArray();
                    rc = sqlite3_bind_blob(stmt, i + 1, b.constData(), b.size(), SQLITE_TRANSIENT);
                    break;
                }
                default: {
                    const QByteArray t = v.toString().toUtf8();
                    rc = sqlite3_bind_text(stmt, i + 1, t.constData(), t.size(), SQLITE_TRANSIENT);
                    break;
                }
            }
        }
        if (rc != SQLITE_OK) Fail(rc, sql);
    }
}

void Database::Execute(const QString& sql, const QVariantList& params) {
    sqlite3_stmt* stmt = Prepare(sql);
    Bind(stmt, params, sql);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) Fail(rc, sql);
    affected_ = sqlite3_changes(db_);
}

static bool IsBareTableName(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return false;
    for (QChar c : t)
        if (!(c.isLetterOrNumber() || c == '_')) return false;
    return true;
}

Recordset Database::OpenRecordset(const QString& sqlOrTable, const QVariantList& params) {
    Recordset rs;
    rs.db_ = this;
    QString sql = sqlOrTable;
    if (IsBareTableName(sqlOrTable)) {
        rs.table_ = sqlOrTable.trimmed();
        sql = "SELECT * FROM " + rs.table_;
    }
    sqlite3_stmt* stmt = Prepare(sql);
    Bind(stmt, params, sql);
    const int n = sqlite3_column_count(stmt);
    for (int i = 0; i < n; ++i) {
        rs.columns_ << QString::fromUtf8(sqlite3_column_name(stmt, i));
        rs.index_.insert(rs.columns_.back().toUpper(), i);
    }
    auto load = [this, stmt, n, sql]() {
        Recordset::Rows rows;
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            std::vector<QVariant> row;
            row.reserve(n);
            for (int i = 0; i < n; ++i) row.push_back(ColumnValue(stmt, i));
            rows.push_back(std::move(row));
        }
        sqlite3_reset(stmt);
        if (rc != SQLITE_DONE) Fail(rc, sql);
        return rows;
    };
    if (rs.table_.isEmpty()) {
        rs.rows_ = load();
    } else {
        // A table opened to add rows loads its rows only when they are read.
        sqlite3_reset(stmt);
        rs.loaded_ = false;
        const QString tableSql = sql;
        rs.loader_ = [this, tableSql, n]() {
            sqlite3_stmt* s = Prepare(tableSql);
            Recordset::Rows rows;
            int rc;
            while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
                std::vector<QVariant> row;
                for (int i = 0; i < n; ++i) row.push_back(ColumnValue(s, i));
                rows.push_back(std::move(row));
            }
            sqlite3_reset(s);
            if (rc != SQLITE_DONE) Fail(rc, tableSql);
            return rows;
        };
    }
    rs.pos_ = 0;
    return rs;
}

QVariant Database::Scalar(const QString& sql, const QVariantList& params) {
    Recordset rs = OpenRecordset(sql, params);
    if (rs.IsEmpty() || rs.FieldCount() == 0) return QVariant();
    return rs.Fields(0).value();
}

QStringList Database::TableColumns(const QString& table) {
    QStringList columns;
    Recordset rs = OpenRecordset("PRAGMA table_info(" + table + ")");
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) columns << rs.Fields("name").str();
    return columns;
}

bool Database::HasTable(const QString& table) {
    return Scalar("SELECT count(*) FROM sqlite_master WHERE type='table' AND upper(name)=upper(?)", {table})
               .toInt() > 0;
}

void Database::InsertRow(const QString& table, const QStringList& columns,
                         const std::vector<QVariant>& values, const std::vector<bool>& set) {
    QStringList names, marks;
    QVariantList params;
    for (int i = 0; i < columns.size(); ++i) {
        if (!set[i]) continue;
        names << columns[i];
        marks << "?";
        params << values[i];
    }
    if (names.isEmpty()) {
        Execute("INSERT INTO " + table + " DEFAULT VALUES");
        return;
    }
    Execute("INSERT INTO " + table + " (" + names.join(",") + ") VALUES (" + marks.join(",") + ")", params);
}

Database::Transaction::Transaction(Database& db) : db_(db) {
    name_ = QString("sp%1").arg(++db_.savepointDepth_);
    try {
        db_.Execute("SAVEPOINT " + name_);
    } catch (...) {
        --db_.savepointDepth_;
        throw;
    }
}

Database::Transaction::~Transaction() {
    if (done_) return;
    // The statement that failed stays the last one for the error report.
    const QString failed = db_.lastStatement_;
    try {
        if (db_.IsOpen()) {
            db_.Execute("ROLLBACK TO " + name_);
            db_.Execute("RELEASE " + name_);
        }
    } catch (...) {
    }
    db_.lastStatement_ = failed;
    --db_.savepointDepth_;
}

void Database::Transaction::Commit() {
    db_.Execute("RELEASE " + name_);
    done_ = true;
    --db_.savepointDepth_;
}

// ---- Recordset

void Database::ForEachRow(const QString& sql, const QVariantList& params,
                          const std::function<void(const Recordset&)>& row) {
    Recordset rs;
    rs.db_ = this;
    ForEachStatementRow(sql, params, [&rs, &row](const StatementRow& current) {
        const int n = current.count_;
        if (rs.rows_.empty()) {  // the first row: the column names
            for (int i = 0; i < n; ++i) {
                rs.columns_ << QString::fromUtf8(sqlite3_column_name(current.stmt_, i));
                rs.index_.insert(rs.columns_.back().toUpper(), i);
            }
            rs.rows_.assign(1, std::vector<QVariant>(n));
        }
        std::vector<QVariant>& values = rs.rows_[0];
        for (int i = 0; i < n; ++i) values[i] = ColumnValue(current.stmt_, i);
        rs.pos_ = 0;
        row(rs);
    });
}

void Database::ForEachStatementRow(const QString& sql, const QVariantList& params,
                                   const std::function<void(const StatementRow&)>& row) {
    sqlite3_stmt* stmt = Prepare(sql);
    Bind(stmt, params, sql);
    StatementRow current;
    current.stmt_ = stmt;
    current.count_ = sqlite3_column_count(stmt);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) row(current);
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) Fail(rc, sql);
}

StatementRow::Column StatementRow::Fields(int ordinal) const {
    if (ordinal < 0 || ordinal >= count_)
        throw DbError(kErrNoColumn, QString("Item not found in this collection: %1").arg(ordinal));
    return Column(stmt_, ordinal);
}

// Numbers and null are read here as Field reads them; texts and blobs go through a Field.
bool StatementRow::Column::isNull() const { return sqlite3_column_type(stmt_, i_) == SQLITE_NULL; }

Field StatementRow::Column::AsField() const { return Field(ColumnValue(stmt_, i_)); }

QString StatementRow::Column::str() const {
    switch (sqlite3_column_type(stmt_, i_)) {
        case SQLITE_TEXT:
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i_)),
                                     sqlite3_column_bytes(stmt_, i_));
        case SQLITE_NULL:
            return QString("");
        default:
            return AsField().str();
    }
}

double StatementRow::Column::toDouble() const {
    switch (sqlite3_column_type(stmt_, i_)) {
        case SQLITE_INTEGER:
            return double(sqlite3_column_int64(stmt_, i_));
        case SQLITE_FLOAT:
            return sqlite3_column_double(stmt_, i_);
        case SQLITE_NULL:
            return 0.0;
        default:
            return AsField().toDouble();
    }
}

int StatementRow::Column::toInt() const {
    if (sqlite3_column_type(stmt_, i_) == SQLITE_INTEGER) return int(sqlite3_column_int64(stmt_, i_));
    return static_cast<int>(RoundHalfAway(toDouble()));
}

const Recordset::Rows& Recordset::rows() const {
    if (!loaded_) {
        rows_ = loader_();
        loaded_ = true;
    }
    return rows_;
}

void Recordset::MoveFirst() { pos_ = 0; }
void Recordset::MoveNext() {
    if (pos_ < static_cast<int>(rows().size())) ++pos_;
}
void Recordset::MovePrevious() {
    if (pos_ >= 0) --pos_;
}
void Recordset::MoveLast() { pos_ = static_cast<int>(rows().size()) - 1; }

int Recordset::Ordinal(const QString& name) const { return index_.value(name.toUpper(), -1); }

void Recordset::RequireCurrent() const {
    if (Bof() || Eof()) throw DbError(kErrNoCurrentRecord, "No current record.");
}

Field Recordset::Fields(const QString& name) const {
    const int i = Ordinal(name);
    if (i < 0) throw DbError(kErrNoColumn, QString("Item not found in this collection: %1").arg(name));
    return Fields(i);
}

Field Recordset::Fields(int ordinal) const {
    if (ordinal < 0 || ordinal >= FieldCount())
        throw DbError(kErrNoColumn, QString("Item not found in this collection: %1").arg(ordinal));
    if (loaded_ && !adding_ && pos_ >= 0 && pos_ < static_cast<int>(rows_.size()))
        return Field(rows_[pos_][ordinal]);  // the current row of a query, as most reads are
    if (adding_) return Field(newRow_[ordinal]);
    RequireCurrent();
    return Field(rows()[pos_][ordinal]);
}

void Recordset::AddNew() {
    if (table_.isEmpty()) throw DbError(kErrReadOnly, "Cannot add a row to a query.");
    adding_ = true;
    newRow_.assign(columns_.size(), QVariant());
    newRowSet_.assign(columns_.size(), false);
}

void Recordset::SetField(const QString& name, const QVariant& value) {
    const int i = Ordinal(name);
    if (i < 0) throw DbError(kErrNoColumn, QString("Item not found in this collection: %1").arg(name));
    SetField(i, value);
}

void Recordset::SetField(int ordinal, const QVariant& value) {
    if (!adding_) throw DbError(kErrGeneric, "Update or CancelUpdate without AddNew or Edit.");
    if (ordinal < 0 || ordinal >= FieldCount())
        throw DbError(kErrNoColumn, QString("Item not found in this collection: %1").arg(ordinal));
    newRow_[ordinal] = value;
    newRowSet_[ordinal] = true;
}

void Recordset::Update() {
    if (!adding_) throw DbError(kErrGeneric, "Update or CancelUpdate without AddNew or Edit.");
    db_->InsertRow(table_, columns_, newRow_, newRowSet_);
    adding_ = false;
    if (loaded_) rows_.push_back(newRow_);
}

void Recordset::Close() {
    rows_.clear();
    loaded_ = true;
    loader_ = nullptr;
    pos_ = 0;
    adding_ = false;
}

}  // namespace dc
