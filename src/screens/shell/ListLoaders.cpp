#include "shell/ListLoaders.h"

#include <QComboBox>
#include <algorithm>
#include <utility>
#include <vector>

#include "records/CourseStore.h"
#include "records/PlayerStore.h"
#include "records/TeeBoxPacking.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"

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

void Load_Course_Info(QComboBox& combo, AppContext& ctx) {
    try {
        std::vector<std::pair<QString, int>> entries;
        for (const CourseName& c : CourseStore(ctx.Connection()).AllCourseNames())
            entries.emplace_back(c.COURSE_NAME, c.COURSE_ID);
        AddSorted(combo, std::move(entries));
    } catch (...) {
        ReportCurrentError("Global, Load_Course_Info", Sql::With);
    }
}

void Load_Players(QComboBox& combo, AppContext& ctx) {
    try {
        combo.clear();
        std::vector<std::pair<QString, int>> entries;
        for (const PlayerRec& p : PlayerStore(ctx.Connection()).AllPlayerNames())
            entries.emplace_back(p.LAST_NAME.trimmed() + ", " + p.FIRST_NAME + " " + p.MI, p.PLAYER_ID);
        AddSorted(combo, std::move(entries));
    } catch (...) {
        ReportCurrentError("Global, Load_Players", Sql::With);
    }
}

void Load_TeeBox(QComboBox& combo, AppContext& ctx, int courseId) {
    try {
        combo.clear();
        const std::optional<PackedCourse> course = CourseStore(ctx.Connection()).LoadCourse(courseId);
        if (!course) return;
        const QString& tb = course->TB;
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
