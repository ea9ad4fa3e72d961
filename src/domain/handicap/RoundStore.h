#pragma once
// The one writer of the rounds table (INDIV_SCORES): adding a round (from the main screen or an
// import), rewriting a round's scores, writing the figures the handicap engine computed,
// renumbering a player's games, copying a course's ratings into its rounds, and deleting rounds;
// with the reads these writers and an import need.
// Statement texts stay the same from call to call, so the database prepares each once per run.
// Every call throws DbError when the database fails.

#include <QDate>
#include <QSet>
#include <QString>
#include <QVariant>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "handicap/HcpRound.h"
#include "handicap/RoundRec.h"

namespace dc {

class Database;
class Field;
class Recordset;
struct RoundEntry;

// A round read from an earlier version's files, with the columns such a round fills.
struct ImportedRound {
    int playerId = 0, courseId = 0, gameNumber = 0, rndGameId = 0;
    QDate date;
    std::optional<int> teeSlot;  // nothing: TEE_BOX_ID left empty
    double rating = 0;
    int slope = 0, useHcp = 0, useTourn = 0;
    std::optional<double> gameCost, cartCost, otherCost;  // nothing: left empty
    QString notes;
    std::array<int, 18> gross{};
    double hcpIndex = 0, tHcpIndex = 0, nineIndex = 0;  // as stored
    std::optional<int> adjScore;                        // with pars and putts; else all three empty
    QString par, putts;
};

// Which stored row a screen's round is: the player's round of that key. Keys were drawn at random
// and older databases never checked them, so a player may hold two rounds of one key; those are told
// apart by the row the round was read from (kept through renumbering) or the game number it was read
// at (kept through a compaction, which gives rows new rowids).
struct RoundRef {
    int playerId = 0;
    int rndGameId = 0;
    int game = 0;      // the game number it was read at; 0: not known
    qint64 rowId = 0;  // the row it was read from; 0: not known
};

// A round's place when renumbering numbers a player's games: by date, then by the game number it
// had, then by row; a round without a date or a game number comes first, as the database orders
// an empty value. Renumbering and a save's preview both place rounds by it.
struct RenumberKey {
    std::optional<QString> date;  // as stored ("YYYY-MM-DD")
    std::optional<qint64> game;
    qint64 rowId = 0;
};
bool RenumberedBefore(const RenumberKey& a, const RenumberKey& b);
// The key of a stored row from its ROUND_DATE and GAME_NUMBER fields.
RenumberKey RenumberKeyOf(const Field& date, const Field& game, qint64 rowId);

// The round's own figures as a save of the main screen's round writes them.
struct EntryRow {
    int teeBox = 0;
    double rating = 0;  // to one decimal
    int slope = 0;
    bool useHcp = false;  // a new round without gross scores never counts for handicaps
    bool useTourn = false;
    std::array<int, 18> gross{};  // 0: no score
    int front = 0, back = 0;
    std::array<double, 6> prevIndex{}, prevTIndex{};
    std::array<int, 6> adjScore{};  // 0 while none was worked out
    QString par, putts, gir, sand, fhit;
};
EntryRow EntryRowOf(const RoundEntry& round);

// What an import compares a round by: its date, course and hole scores.
struct RoundHoles {
    QDate date;  // invalid when the stored date cannot be read
    int courseId = 0;
    std::array<int, 18> gross{};
};

class RoundStore {
  public:
    explicit RoundStore(Database& db) : db_(db) {}

    // ---- the main screen's round
    // Adds the round numbered after the player's largest game, with a round key unused for the
    // player, and returns the key. A round without gross scores does not count for handicaps.
    int Insert(const RoundEntry& round);
    // Rewrites the stored row of the round (RoundRef of its player, key, game number and row),
    // whatever its game number is now; throws DbError 3021 when it is not stored or cannot be told
    // apart, or when the write would touch another number of rows than one, having written nothing.
    void UpdateScores(const RoundEntry& round);
    // The referenced round as it stands now, with its game number and row; nothing when it is not
    // stored or when more than one round of its key could be it.
    std::optional<RoundRef> Locate(const RoundRef& round);

    // ---- imports
    void InsertImported(const ImportedRound& round);
    int MaxGameNumber(int playerId);
    QSet<int> RoundKeys(int playerId);
    std::vector<RoundHoles> HoleScores(int playerId);

    // ---- the handicap engine's figures
    // The columns it writes, in this order: six indexes, six tournament indexes, six adjusted
    // scores (HcpVariant order each), and the pars.
    static constexpr int kResIndex = 0, kResTIndex = 6, kResAdj = 12, kResPar = 18, kResColumns = 19;
    static QString ResultColumn(int col);
    // Writes the valid values of `values` into the row; an invalid QVariant leaves its column.
    void UpdateResults(qint64 rowId, const std::array<QVariant, kResColumns>& values);
    // Writes one run's outcome into the game's columns of that variant.
    void UpdateResults(int playerId, int gameNumber, HcpVariant variant, const HcpOutcome& out);
    // Hands each of the player's games up to `lastGame`, in game order, to `row` as a row of
    // "SELECT *, rowid AS RID".
    void ForEachGame(int playerId, int lastGame, const std::function<void(const Recordset&)>& row);

    // ---- numbering, ratings, deleting
    // Numbers the player's games 1 to n in RenumberedBefore order: by date, rounds of one day in
    // their previous order. Writes only the numbers that change. Returns n.
    int Renumber(int playerId);
    // Copies the packed slopes, ratings and pars of a course's tee boxes into its rounds of players
    // of `gender`, each round taking its own tee box's slot; only rounds on or after `from` when given.
    void ReRate(int courseId, const QString& gender, const QString& slopes, const QString& ratings,
                const QString& pars, const std::optional<QDate>& from);
    // Deletes the referenced round; throws DbError 3021 when it is not stored or cannot be told
    // apart, or when the deletion would touch another number of rows than one, having deleted nothing.
    void DeleteRound(const RoundRef& round);
    void DeletePlayerRounds(int playerId);

  private:
    int NewRoundKey(int playerId);
    // Runs a write meant for exactly one round ("saved" or "deleted" names it); one that touches
    // another number of rows is undone and thrown as DbError 3021.
    void WriteOneRow(const QString& sql, const QVariantList& params, const QString& done);
    static QString NotStoredText(const QString& done);
    Database& db_;
};

}  // namespace dc
