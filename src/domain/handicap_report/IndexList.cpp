#include "handicap_report/IndexList.h"

#include <algorithm>

#include "handicap/HcpRound.h"
#include "handicap_report/HcpReport.h"
#include "platform/Database.h"
#include "scorecards/CourseHcpText.h"
#include "shell/DateFormat.h"

namespace dc {

QString IndexList::IndexText(float value, bool tourn) { return IndexCellText(value) + (tourn ? "T" : ""); }

IndexListRow IndexList::Row(const ListedPlayer& player, IndexOrder order) const {
    IndexListRow row;
    row.playerId = player.id;
    row.name = player.text;
    const QString key = QString::number(player.id);
    QString sql = "Select * From PLAYERS Where PLAYER_ID=" + key;
    Recordset people = db_.OpenRecordset(sql);
    if (!people.IsEmpty()) {
        people.MoveFirst();
        row.gender = people["GENDER"].str().trimmed();
        row.email = people["EMAIL"].str().trimmed();
        if (order == IndexOrder::LowToHigh)
            row.name = people["FIRST_NAME"].str() + " " + people["LAST_NAME"].str();
    } else if (order == IndexOrder::LowToHigh) {
        row.name.clear();
    }
    if (order == IndexOrder::LowToHigh) row.name = row.name.leftJustified(20);  // whole: never cut

    sql = "Select * From INDIV_SCORES Where PLAYER_ID=" + key + " ORDER BY GAME_NUMBER Desc";
    Recordset rounds = db_.OpenRecordset(sql);
    StoredIndexes stored{DefaultIndex(GenderIndexOf(row.gender), !is18_), kNoTournIndexF};
    if (!rounds.IsEmpty()) {
        rounds.MoveFirst();
        stored = StoredIndexesOf(ReadHcpRound(rounds), is18_, rules_);
        const auto date = ParseAnyDate(rounds["ROUND_DATE"].str());
        row.date = date ? FormatLocalDate(*date) : QString();
    }
    row.tourn = stored.tIndex != kNoTournIndexF;
    row.shown = row.tourn ? stored.tIndex : stored.index;
    row.indexText = IndexText(row.shown, row.tourn);
    return row;
}

std::vector<IndexListRow> IndexList::Build(const std::vector<ListedPlayer>& players, IndexOrder order) const {
    std::vector<IndexListRow> rows;
    for (const ListedPlayer& p : players) rows.push_back(Row(p, order));
    if (order == IndexOrder::LowToHigh)
        std::stable_sort(rows.begin(), rows.end(),
                         [](const IndexListRow& a, const IndexListRow& b) { return a.shown < b.shown; });
    return rows;
}

}  // namespace dc
