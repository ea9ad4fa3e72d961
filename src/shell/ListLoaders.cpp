#include "shell/ListLoaders.h"

#include <QComboBox>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/Database.h"
#include "records/TeeBoxPacking.h"
#include "shell/ErrorReport.h"
#include "shell/Globals.h"

namespace dc {

namespace {
// Adds the entries sorted by their text without regard to case; each key stays with its text.
void AddSorted(QComboBox& combo, std::vector<std::pair<QString, int>> entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
    });
    for (const auto& [text, key] : entries) combo.addItem(text, key);
}
}  // namespace

void Load_Course_Info(QComboBox& combo) {
    try {
        const QString sql = "Select COURSE_ID,COURSE_NAME From COURSES";
        Recordset rs = Db().OpenRecordset(sql);
        std::vector<std::pair<QString, int>> entries;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            entries.emplace_back(rs.Fields("COURSE_NAME").str(), rs.Fields("COURSE_ID").toInt());
        AddSorted(combo, std::move(entries));
    } catch (...) {
        ReportCurrentError("Global, Load_Course_Info", Sql::With);
    }
}

void Load_Players(QComboBox& combo) {
    try {
        combo.clear();
        const QString sql = "Select PLAYER_ID, LAST_NAME, FIRST_NAME, MI From PLAYERS";
        Recordset rs = Db().OpenRecordset(sql);
        std::vector<std::pair<QString, int>> entries;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            entries.emplace_back(rs.Fields("LAST_NAME").str().trimmed() + ", " +
                                     rs.Fields("FIRST_NAME").str() + " " + rs.Fields("MI").str(),
                                 rs.Fields("PLAYER_ID").toInt());
        AddSorted(combo, std::move(entries));
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
