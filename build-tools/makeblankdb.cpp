// Builds the blank database from the schema script and the reference rows, or (with --user-db)
// makes a golfer's first database from the blank one: a copy with its settings row.
//   makeblankdb SCHEMA.sql HCP_REDUCTION.csv DLLCHECK.csv OUT.MDB
//   makeblankdb --user-db BLANK.MDB TARGET.MDB
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

#include "platform/Database.h"
#include "shell/Version.h"

using namespace dc;

namespace {

const char* kPassword = "8306";

QList<QStringList> ReadCsv(const QString& path, QStringList& header) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw AppError(kErrFileNotFound53, "cannot read " + path);
    QTextStream in(&f);
    header = in.readLine().trimmed().split(',');
    QList<QStringList> rows;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty()) rows << line.split(',');
    }
    return rows;
}

void LoadCsv(Database& db, const QString& table, const QString& path) {
    QStringList header;
    const auto rows = ReadCsv(path, header);
    QStringList marks;
    for (int i = 0; i < header.size(); ++i) marks << "?";
    const QString sql =
        "INSERT INTO " + table + " (" + header.join(",") + ") VALUES (" + marks.join(",") + ")";
    for (const auto& row : rows) {
        QVariantList params;
        for (const auto& v : row) params << v;
        db.Execute(sql, params);
    }
}

int MakeBlank(const QString& schema, const QString& reduction, const QString& dllcheck, const QString& out) {
    QFile f(schema);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw AppError(kErrFileNotFound53, "cannot read " + schema);
    QString script = QString::fromUtf8(f.readAll());
    QStringList statements;
    QString current;
    for (const QString& line : script.split('\n')) {
        if (line.trimmed().startsWith("--")) continue;
        current += line + "\n";
        if (line.trimmed().endsWith(";")) {
            statements << current;
            current.clear();
        }
    }
    const QString tmp = out + ".part";
    QFile::remove(tmp);
    {
        auto db = Database::Create(tmp, kPassword);
        Database::Transaction t(*db);
        for (const auto& s : statements) db->Execute(s);
        LoadCsv(*db, "HCP_REDUCTION", reduction);
        LoadCsv(*db, "DLLCHECK", dllcheck);
        t.Commit();
    }
    QFile::remove(out);
    if (!QFile::rename(tmp, out)) throw AppError(kErrFileAccess, "cannot write " + out);
    return 0;
}

int MakeUserDb(const QString& blank, const QString& target) {
    if (QFileInfo::exists(target)) return 0;  // never touch a golfer's database
    const QString tmp = target + ".part";
    QFile::remove(tmp);
    if (!QFile::copy(blank, tmp)) throw AppError(kErrFileAccess, "cannot copy " + blank + " to " + tmp);
    QFile(tmp).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    {
        auto db = Database::Open(tmp, kPassword);
        db->Execute(
            "INSERT INTO SETUP (SOUNDS, FLAG_18_9, US_CA_FLAG, LABEL_STYLE, XOFFSET, YOFFSET, VERSION) "
            "VALUES (0, 1, 1, '2', 0, 0, ?)",
            {VersionText()});
    }
    if (!QFile::rename(tmp, target)) throw AppError(kErrFileAccess, "cannot write " + target);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 4 && args[1] == "--user-db") return MakeUserDb(args[2], args[3]);
        if (args.size() == 5) return MakeBlank(args[1], args[2], args[3], args[4]);
        std::fprintf(stderr, "usage: makeblankdb SCHEMA CSV CSV OUT | --user-db BLANK TARGET\n");
        return 2;
    } catch (const AppError& e) {
        std::fprintf(stderr, "makeblankdb: %s\n", e.what());
        return 1;
    }
}
