#pragma once
// The PLAYERS rows the player editor reads and writes: one player as plain data, the next key,
// adding, updating (with the rounds' figures when the gender changes) and deleting (with the
// player's rounds), the name search and the home-course completion. Typed texts are bound
// parameters and search prefixes match literally. Each call leaves its statement text for the error
// report and throws DbError on failure.

#include <QString>
#include <optional>
#include <vector>

namespace dc {

struct PlayerRec {
    int PLAYER_ID = 0;
    QString LAST_NAME, FIRST_NAME, MI, GENDER, SALUTATION, ADDRESS1, ADDRESS2, CITY, STATE, ZIP, HOME_PHONE,
        OTHER_PHONE, EMAIL, HOME_COURSE, COURSE_PH, GHIN;
};

// "Last, First M": the trimmed last and first names and the middle initial as given.
QString PlayerGridName(const PlayerRec& p);

// A LIKE pattern matching texts that begin with `prefix` literally (with ESCAPE '\').
QString LikePrefix(const QString& prefix);

struct NameMatch {
    int PLAYER_ID = 0;
    QString LAST_NAME, FIRST_NAME, MI;
};

struct HomeCourse {
    QString name, phone;
};

enum class PlayerOrder { Table, LastName, Zip };  // LastName ignores letter case

class Database;
class ProgressReporter;

class PlayerStore {
  public:
    explicit PlayerStore(Database& db) : db_(db) {}

    // Largest PLAYER_ID plus 1 (1 for an empty table).
    int NextPlayerId();
    void InsertPlayer(const PlayerRec& p);  // texts stored exactly as given
    // A player made from an earlier version's golfer: the key of his round file, his names and
    // gender; MI stays Null when the name format carries no initial (a null MI).
    void InsertConverted(const PlayerRec& p, const QString& oldFileKey);
    // One transaction: a gender that changes the player's gender index also recomputes all his
    // rounds (RecomputePlayerRounds, with `progress`).
    void UpdatePlayer(const PlayerRec& p, ProgressReporter* progress = nullptr);
    // Stores the gender of the gender index ("M" or "F"); the caller recomputes his rounds in the
    // same transaction.
    void SetGender(int playerId, int genderIndex);
    // Deletes the player's rounds and then the player, in one transaction.
    void DeletePlayer(int playerId);
    std::optional<PlayerRec> LoadPlayerRec(int playerId);
    // Every player, in the order asked for.
    std::vector<PlayerRec> AllPlayers(PlayerOrder order = PlayerOrder::Table);
    // Every player with only PLAYER_ID, LAST_NAME, FIRST_NAME and MI filled, in table order.
    std::vector<PlayerRec> AllPlayerNames();

    // Players whose last name begins with the text (as typed, letter case ignored in any alphabet); with
    // a comma, whose last name begins with the part before it and first name with the part after it (both
    // trimmed). In last-name order.
    std::vector<NameMatch> SearchPlayers(const QString& searchText);
    // The home course of the first stored player whose HOME_COURSE begins with the prefix, with its
    // telephone number; nothing when none does.
    std::optional<HomeCourse> FindHomeCourse(const QString& prefix);

  private:
    Database& db_;
};

}  // namespace dc
