#include "shell/ListLoaders.h"

#include <QComboBox>

#include "platform/Database.h"
#include "records/TeeBoxPacking.h"
#include "shell/ErrorReport.h"
#include "shell/Globals.h"

namespace dc {

void Load_Course_Info(QComboBox& combo) {
    try {
        QString sql = "Select COURSE_ID,COURSE_NAME From COURSES";
        Recordset rs = Db().OpenRecordset(sql);
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            combo.addItem(rs.Fields("COURSE_NAME").str());
            combo.setItemData(combo.count() - 1, rs.Fields("COURSE_ID").toInt());
        }
    } catch (...) {
        ReportCurrentError("Global, Load_Course_Info", Sql::With);
    }
}

void Load_Players(QComboBox& combo) {
    try {
        combo.clear();
        QString sql = "Select PLAYER_ID, LAST_NAME, FIRST_NAME, MI From PLAYERS";
        Recordset rs = Db().OpenRecordset(sql);
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            combo.addItem(rs.Fields("LAST_NAME").str().trimmed() + ", " + rs.Fields("FIRST_NAME").str() +
                          " " + rs.Fields("MI").str());
            combo.setItemData(combo.count() - 1, rs.Fields("PLAYER_ID").toInt());
        }
    } catch (...) {
        ReportCurrentError("Global, Load_Players", Sql::With);
    }
}

void Load_TeeBox(QComboBox& combo) {
    try {
        combo.clear();
        QString sql = "Select TB From COURSES Where COURSE_ID=" + QString::number(nCurCourseID);
        Recordset rs = Db().OpenRecordset(sql);
        if (rs.IsEmpty()) return;
        const QString tb = rs.Fields("TB").str();
        for (int slot = 0; slot < 4; ++slot) {
            const QString name = TeeName(tb, slot);
            combo.addItem(name.isEmpty() ? QString("Blank") : name);
            combo.setItemData(combo.count() - 1, slot);
        }
    } catch (...) {
        ReportCurrentError("Global, Load_TeeBox", Sql::With);
    }
}

int SelectedItemData(const QComboBox& combo) {
    const int i = combo.currentIndex();
    return i < 0 ? 0 : combo.itemData(i).toInt();
}

void SelectByItemData(QComboBox& combo, int key) { combo.setCurrentIndex(combo.findData(key)); }

}  // namespace dc
