#pragma once
// The index list of all players: each player's index as stored with his latest round (the
// tournament index, marked "T", when that round has one; the default index without rounds), in
// player-list order or from the lowest shown index to the highest.

#include <QString>
#include <vector>

#include "handicap/HcpRules.h"
#include "platform/NameForms.h"

namespace dc {

class Database;

// A player of the list as the player box holds him.
struct ListedPlayer {
    int id = 0;
    QString text;  // "LAST, FIRST MI"
};

struct IndexListRow {
    int playerId = 0;
    QString indexText;  // "12.3", "+1.2", "9.8T"
    QString name;       // the list's text, or FIRST LAST in 20 characters (low to high), with the
                        // middle initial where two players' would read alike
    QString surname;    // the LAST of FIRST LAST: a printout never shortens it
    QString date;       // latest round's date in the user's order; "" without rounds
    QString gender, email;
    float shown = 0;  // the index shown and sorted on
    bool tourn = false;
};

enum class IndexOrder { Alphabetical, LowToHigh };

class IndexList {
  public:
    IndexList(Database& db, bool is18, RuleSet rules, const QString& dateFormat)
        : db_(db), is18_(is18), rules_(rules), dateFormat_(dateFormat) {}
    // One row per player, read from the database (throws DbError).
    std::vector<IndexListRow> Build(const std::vector<ListedPlayer>& players, IndexOrder order) const;
    // The index text: "#0.0" above 0, else the plus form; "T" after a tournament index.
    static QString IndexText(float value, bool tourn);

  private:
    // `person` gets the player's names for the low-to-high list.
    IndexListRow Row(const ListedPlayer& player, IndexOrder order, PersonName& person) const;
    Database& db_;
    bool is18_;
    RuleSet rules_;
    QString dateFormat_;  // of the last round's date
};

}  // namespace dc
