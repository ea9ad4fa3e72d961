#include "handicap/HandUtil.h"

#include <vector>

#include "handicap/HcpEngine.h"
#include "handicap/HcpLookups.h"
#include "handicap/RoundStore.h"
#include "platform/Database.h"
#include "shell/ErrorText.h"

namespace dc {

namespace {

// The player's handicap rounds up to game g, oldest first.
std::vector<HcpRound> LoadHandicapRounds(Database& db, int playerId, int gameNumber) {
    QString sql =
        "SELECT * FROM INDIV_SCORES WHERE PLAYER_ID=? AND USE_HCP<>0 AND GAME_NUMBER<=? "
        "ORDER BY GAME_NUMBER DESC";
    Recordset rs = db.OpenRecordset(sql, {playerId, gameNumber});
    std::vector<HcpRound> rounds;
    rounds.reserve(rs.RecordCount());
    for (rs.MoveLast(); !rs.Bof(); rs.MovePrevious()) rounds.push_back(ReadHcpRound(rs));
    return rounds;
}

std::vector<const HcpRound*> Pointers(const std::vector<HcpRound>& rounds) {
    std::vector<const HcpRound*> p;
    p.reserve(rounds.size());
    for (const HcpRound& r : rounds) p.push_back(&r);
    return p;
}

void Write(Database& db, int playerId, HcpVariant variant, int gameNumber, const HcpOutcome& out) {
    RoundStore(db).UpdateResults(playerId, gameNumber, variant, out);
}

HcpOutcome Run18(Database& db, RuleSet rules, int playerId, int gameNumber, int mode, int genderIndex,
                 bool is18, int* line) {
    *line = kLineRounds;
    const std::vector<HcpRound> rounds = LoadHandicapRounds(db, playerId, gameNumber);
    DbHcpLookups lookups(db, line);
    const HcpOutcome out = HcpRun18(rules, Pointers(rounds), gameNumber, mode, genderIndex, is18,
                                    OneYearWindow().toInt(), lookups);
    *line = kLineUpdate;
    Write(db, playerId, rules == RuleSet::US ? US_18 : CA_18, gameNumber, out);
    return out;
}

HcpOutcome RunNine(Database& db, RuleSet rules, int playerId, int gameNumber, int genderIndex,
                   bool frontNine) {
    const std::vector<HcpRound> rounds = LoadHandicapRounds(db, playerId, gameNumber);
    DbHcpLookups lookups(db);
    const HcpOutcome out = HcpRunNine(rules, Pointers(rounds), gameNumber, genderIndex, frontNine,
                                      OneYearWindow().toInt(), lookups);
    const HcpVariant v = rules == RuleSet::US ? (frontNine ? US_F9 : US_B9) : (frontNine ? CA_F9 : CA_B9);
    Write(db, playerId, v, gameNumber, out);
    return out;
}

}  // namespace

HcpOutcome HandUtilUS18(Database& db, int PlayerID, int GameNumber, int Mode, int GenderIndex, bool Is18) {
    int line = 0;
    try {
        return Run18(db, RuleSet::US, PlayerID, GameNumber, Mode, GenderIndex, Is18, &line);
    } catch (...) {
        ThrowProcedureFailure("HandUtil, HandUtilUS18");
    }
}

HcpOutcome HandUtilCA18(Database& db, int PlayerID, int GameNumber, int Mode, int GenderIndex, bool Is18) {
    int line = 0;
    try {
        return Run18(db, RuleSet::CA, PlayerID, GameNumber, Mode, GenderIndex, Is18, &line);
    } catch (...) {
        ThrowProcedureFailure("HandUtil, HandUtilCA18", line, "Line #: ");
    }
}

HcpOutcome NewHandUtilUS9(Database& db, int PlayerID, int GameNumber, int GenderIndex, bool FrontNine) {
    try {
        return RunNine(db, RuleSet::US, PlayerID, GameNumber, GenderIndex, FrontNine);
    } catch (...) {
        ThrowProcedureFailure("HandUtil, NewHandUtilUS9");
    }
}

HcpOutcome HandUtilCA9(Database& db, int PlayerID, int GameNumber, int GenderIndex, bool FrontNine) {
    try {
        return RunNine(db, RuleSet::CA, PlayerID, GameNumber, GenderIndex, FrontNine);
    } catch (...) {
        ThrowProcedureFailure("HandUtil, HandUtilCA9");
    }
}

}  // namespace dc
