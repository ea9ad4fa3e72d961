#include "handicap/HandUtil.h"

#include <vector>

#include "handicap/HcpEngine.h"
#include "handicap/HcpLookups.h"
#include "platform/Database.h"
#include "shell/ErrorReport.h"
#include "shell/Globals.h"

namespace dc {

namespace {

// The player's handicap rounds up to game g, oldest first.
std::vector<HcpRound> LoadHandicapRounds(int gameNumber) {
    QString sql =
        "SELECT * FROM INDIV_SCORES WHERE PLAYER_ID=? AND USE_HCP<>0 AND GAME_NUMBER<=? "
        "ORDER BY GAME_NUMBER DESC";
    Recordset rs = Db().OpenRecordset(sql, {nCurPlayerID, gameNumber});
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

void Write(HcpVariant variant, int gameNumber, const HcpOutcome& out) {
    const QString suffix = kVariantSuffix[variant];
    QVariantList params{StoredIndexValue(out.index), StoredIndexValue(out.tIndex)};
    QString sql = "UPDATE INDIV_SCORES SET HCP_INDEX_" + suffix + "=?,THCP_INDEX_" + suffix + "=?";
    if (out.writeAdjScore) {
        sql += ",ADJSCR_" + suffix + "=?";
        params << out.adjScore;
    }
    if (out.writePar) {
        sql += ",PAR=?";
        params << out.par;
    }
    sql += " WHERE PLAYER_ID=? AND GAME_NUMBER=?";
    params << nCurPlayerID << gameNumber;
    Db().Execute(sql, params);
}

void Run18(RuleSet rules, int gameNumber, int mode, int genderIndex, bool is18, int* line) {
    *line = kLineRounds;
    const std::vector<HcpRound> rounds = LoadHandicapRounds(gameNumber);
    DbHcpLookups lookups(Db(), line);
    const HcpOutcome out = HcpRun18(rules, Pointers(rounds), gameNumber, mode, genderIndex, is18,
                                    OneYearWindow().toInt(), lookups);
    sngHcpIndex = out.index;
    sngTHcpIndex = out.tIndex;
    *line = kLineUpdate;
    Write(rules == RuleSet::US ? US_18 : CA_18, gameNumber, out);
}

void RunNine(RuleSet rules, int gameNumber, int genderIndex, bool frontNine) {
    const std::vector<HcpRound> rounds = LoadHandicapRounds(gameNumber);
    DbHcpLookups lookups(Db());
    const HcpOutcome out = HcpRunNine(rules, Pointers(rounds), gameNumber, genderIndex, frontNine,
                                      OneYearWindow().toInt(), lookups);
    sngHcpIndex = out.index;
    sngTHcpIndex = out.tIndex;
    const HcpVariant v = rules == RuleSet::US ? (frontNine ? US_F9 : US_B9) : (frontNine ? CA_F9 : CA_B9);
    Write(v, gameNumber, out);
}

}  // namespace

void HandUtilUS18(int GameNumber, int Mode, int GenderIndex, bool Is18) {
    int line = 0;
    try {
        Run18(RuleSet::US, GameNumber, Mode, GenderIndex, Is18, &line);
    } catch (...) {
        ReportCurrentError("HandUtil, HandUtilUS18", Sql::With);
    }
}

void HandUtilCA18(int GameNumber, int Mode, int GenderIndex, bool Is18) {
    int line = 0;
    try {
        Run18(RuleSet::CA, GameNumber, Mode, GenderIndex, Is18, &line);
    } catch (...) {
        ReportCurrentError("HandUtil, HandUtilCA18", Sql::With, line, "Line #: ");
    }
}

void NewHandUtilUS9(int GameNumber, int GenderIndex, bool FrontNine) {
    try {
        RunNine(RuleSet::US, GameNumber, GenderIndex, FrontNine);
    } catch (...) {
        ReportCurrentError("HandUtil, NewHandUtilUS9", Sql::With);
    }
}

void HandUtilCA9(int GameNumber, int GenderIndex, bool FrontNine) {
    try {
        RunNine(RuleSet::CA, GameNumber, GenderIndex, FrontNine);
    } catch (...) {
        ReportCurrentError("HandUtil, HandUtilCA9", Sql::With);
    }
}

}  // namespace dc
