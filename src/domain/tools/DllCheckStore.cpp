#include "tools/DllCheckStore.h"

#include <QFileInfo>

#include "platform/Database.h"
#include "shell/ProgramDb.h"

namespace dc {

void DllCheckStore::RefreshExpectedRows(const QString& blankPath) {
    if (!QFileInfo::exists(blankPath)) return;
    db_.Execute("ATTACH DATABASE ? AS shipped KEY ?", {blankPath, DatabasePassword()});
    try {
        if (db_.Scalar("Select count(*) From shipped.DLLCHECK").toInt() > 0) {
            Database::Transaction refresh(db_);
            db_.Execute("Delete From DLLCHECK");
            db_.Execute("Insert Into DLLCHECK Select * From shipped.DLLCHECK");
            refresh.Commit();
        }
    } catch (...) {
        db_.Execute("DETACH DATABASE shipped");
        throw;
    }
    db_.Execute("DETACH DATABASE shipped");
}

std::vector<ExpectedFile> DllCheckStore::Rows() {
    std::vector<ExpectedFile> rows;
    Recordset rs = db_.OpenRecordset("Select * From DLLCHECK Order By ORDERINDEX");
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        rows.push_back({static_cast<int>(rs["ORDERINDEX"].toLong()), rs["FileName"].str(), rs["CLSID"].str(),
                        rs["CLSIDVER"].str(), rs["FileDate"].str(), rs["FileSize"].toLong(),
                        rs["FileVersion"].str()});
    return rows;
}

void DllCheckStore::ClearFindings() {
    db_.Execute(
        "Update DLLCHECK Set ACTUALREGISTERED='',ACTUALFILESIZE=0,ACTUALFILEDATE='',ACTUALFILEVERSION=''");
}

void DllCheckStore::StoreFinding(int orderIndex, Finding finding, const QVariant& value) {
    const char* column = "ACTUALREGISTERED";
    switch (finding) {
        case Finding::Registered:
            break;
        case Finding::FileDate:
            column = "ACTUALFILEDATE";
            break;
        case Finding::FileSize:
            column = "ACTUALFILESIZE";
            break;
        case Finding::FileVersion:
            column = "ACTUALFILEVERSION";
            break;
    }
    db_.Execute(QString("Update DLLCHECK Set %1=? Where ORDERINDEX=?").arg(column), {value, orderIndex});
}

}  // namespace dc
