#pragma once
// Fill a combo box with all courses, all players, or the four tee boxes of a course, from the
// context's database; each item carries its key (or tee-box slot) in its item data.

class QComboBox;

namespace dc {

class AppContext;

void Load_Course_Info(QComboBox& combo, AppContext& ctx);  // does not clear the list first
void Load_Players(QComboBox& combo, AppContext& ctx);
void Load_TeeBox(QComboBox& combo, AppContext& ctx, int courseId);  // always four items for a course

// Item data of the selected entry, or 0 when none is selected.
int SelectedItemData(const QComboBox& combo);
// Selects the entry whose item data equals the key; none when no entry matches.
void SelectByItemData(QComboBox& combo, int key);

}  // namespace dc
