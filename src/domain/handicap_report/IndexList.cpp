#include "handicap_report/IndexList.h"

#include <algorithm>

#include "handicap/HcpRound.h"
#include "handicap_report/HcpReport.h"
#include "handicap_report/HcpReportStore.h"
#include "scorecards/CourseHcpText.h"
#include "shell/DateFormat.h"

namespace dc {

QString IndexList::IndexText(float value, bool tourn) { return IndexCellText(value) + (tourn ? "T" : ""); }

IndexListRow IndexList::Row(const ListedPlayer& player, IndexOrder order, PersonName& person) const {
    IndexListRow row;
    row.playerId = player.id;
    row.name = player.text;
    const ListedPlayerFacts facts = HcpReportStore(db_).ReadListedPlayer(player.id);
    if (facts.found) {
        row.gender = facts.gender.trimmed();
        row.email = facts.email.trimmed();
        if (order == IndexOrder::LowToHigh) {
            person = {facts.firstName, facts.middleInitial, facts.lastName};
            row.surname = facts.lastName.trimmed();
        }
    }

    StoredIndexes stored{DefaultIndex(GenderIndexOf(row.gender), !is18_), kNoTournIndexF};
    if (facts.newest) {
        stored = StoredIndexesOf(*facts.newest, is18_, rules_);
        const auto date = ParseStoredDate(facts.newestDate);
        row.date = date ? FormatLocalDate(*date, dateFormat_) : QString();
    }
    row.tourn = stored.tIndex != kNoTournIndexF;
    row.shown = row.tourn ? stored.tIndex : stored.index;
    row.indexText = IndexText(row.shown, row.tourn);
    return row;
}

std::vector<IndexListRow> IndexList::Build(const std::vector<ListedPlayer>& players, IndexOrder order) const {
    std::vector<IndexListRow> rows;
    std::vector<PersonName> people(players.size());
    for (size_t i = 0; i < players.size(); ++i) rows.push_back(Row(players[i], order, people[i]));
    if (order == IndexOrder::LowToHigh) {
        const QStringList names = ListedNames(people);
        for (size_t i = 0; i < rows.size(); ++i)
            rows[i].name = names.value(qsizetype(i)).leftJustified(20);  // whole: never cut
        std::stable_sort(rows.begin(), rows.end(),
                         [](const IndexListRow& a, const IndexListRow& b) { return a.shown < b.shown; });
    }
    return rows;
}

}  // namespace dc
