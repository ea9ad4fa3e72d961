#include "tools/OldDataFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace dc {

bool OldDataFile::Open(const QString& path, int recordLength) {
    recordLength_ = recordLength > 0 ? recordLength : 1;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        bytes_.clear();
        return false;
    }
    bytes_ = f.readAll();
    return true;
}

std::span<const uint8_t> OldDataFile::Record(int n) const {
    if (n < 1 || n > Count()) return {};
    const auto* data = reinterpret_cast<const uint8_t*>(bytes_.constData());
    return {data + qint64(n - 1) * recordLength_, size_t(recordLength_)};
}

QString LocateDataFile(const QString& folder, const QString& stem) {
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files);
    auto find = [&](const QString& ext) -> QFileInfo {
        for (const QFileInfo& f : files)
            if (f.fileName().compare(stem + "." + ext, Qt::CaseInsensitive) == 0) return f;
        return {};
    };
    const QFileInfo gdb = find("GDB");
    if (gdb.exists() && gdb.size() > 0) return gdb.filePath();
    const QFileInfo dbf = find("DBF");
    return dbf.exists() ? dbf.filePath() : QString();
}

bool IsRoundFile(const QString& fileName) {
    const QString head = fileName.left(6).toUpper();
    return head != "COURSE" && head != "GOLFER";
}

bool IsDbfFile(const QString& fileName) { return fileName.right(3).toUpper() == "DBF"; }

QStringList ListDataFiles(const QString& folder) {
    // Without QDir::CaseSensitive the name filters match in any letter case.
    return QDir(folder).entryList({"*.dbf", "*.gdb"}, QDir::Files, QDir::Name);
}

}  // namespace dc
