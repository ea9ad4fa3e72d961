#include "handicap/SaveScores.h"

#include <sqlite3.h>

#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "handicap/HcpEngine.h"
#include "handicap/HcpLookups.h"
#include "handicap/HcpRound.h"
#include "platform/Database.h"
#include "platform/Pointer.h"
#include "shell/ErrorReport.h"
#include "shell/Globals.h"
#include "shell/frmMainWait.h"

namespace dc {

namespace {

Database& Db() {
    if (!gDB || !gDB->IsOpen()) throw DbError(kErrNotOpen, "Object invalid or no longer set.");
    return *gDB;
}

// The columns the index procedures write: six indexes, six tournament indexes, six adjusted
// scores, and the pars.
constexpr int kColIndex = 0, kColTIndex = 6, kColAdj = 12, kColPar = 18, kColCount = 19;

QString EngineColumn(int col) {
    if (col == kColPar) return "PAR";
    static const char* prefix[3] = {"HCP_INDEX_", "THCP_INDEX_", "ADJSCR_"};
    return QString(prefix[col / 6]) + kVariantSuffix[col % 6];
}

// One round of the player being recomputed, with what is stored, to write only what changed.
struct PlayerRound {
    HcpRound round;
    qint64 rowId = 0;
    int storedGame = 0;
    std::array<QVariant, kColCount> stored;
    quint32 written = 0;  // bits of the engine columns the runs set
};

void Apply(PlayerRound& row, HcpVariant v, const HcpOutcome& out) {
    ApplyOutcome(row.round, v, out);
    row.written |= 1u << (kColIndex + v) | 1u << (kColTIndex + v);
    if (out.writeAdjScore) row.written |= 1u << (kColAdj + v);
    if (out.writePar) row.written |= 1u << kColPar;
}

QVariant CurrentValue(const PlayerRound& row, int col) {
    if (col == kColPar) return row.round.Par();
    if (col < kColTIndex) return StoredIndexValue(row.round.hcpIndex[col - kColIndex]);
    if (col < kColAdj) return StoredIndexValue(row.round.tHcpIndex[col - kColTIndex]);
    return row.round.adjScore[col - kColAdj];
}

bool Differs(const QVariant& stored, const QVariant& now) {
    if (stored.isNull() || !stored.isValid()) return true;
    if (now.typeId() == QMetaType::QString) return stored.toString() != now.toString();
    return stored.toDouble() != now.toDouble();
}

// Writes the changed engine columns of one row with one statement (texts cached per column set).
void WriteChanges(Database& db, const PlayerRound& row, QHash<quint32, QString>& texts) {
    quint32 mask = 0;
    std::array<QVariant, kColCount> now;
    for (int col = 0; col < kColCount; ++col) {
        if (!(row.written & (1u << col))) continue;
        now[col] = CurrentValue(row, col);
        if (Differs(row.stored[col], now[col])) mask |= 1u << col;
    }
    if (mask == 0) return;
    auto it = texts.find(mask);
    if (it == texts.end()) {
        QStringList sets;
        for (int col = 0; col < kColCount; ++col)
            if (mask & (1u << col)) sets << EngineColumn(col) + "=?";
        it = texts.insert(mask, "UPDATE INDIV_SCORES SET " + sets.join(",") + " WHERE rowid=?");
    }
    QVariantList params;
    for (int col = 0; col < kColCount; ++col)
        if (mask & (1u << col)) params << now[col];
    params << row.rowId;
    sSQL = *it;
    db.Execute(sSQL, params);
}

void Renumber(Database& db, int playerId) {
    sSQL =
        "SELECT rowid AS RID, GAME_NUMBER FROM INDIV_SCORES WHERE PLAYER_ID=? "
        "ORDER BY ROUND_DATE ASC, GAME_NUMBER ASC, rowid ASC";
    Recordset rs = db.OpenRecordset(sSQL, {playerId});
    int n = 1;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext(), ++n) {
        if (rs.Fields(1).isNull() || rs.Fields(1).toInt() != n) {
            sSQL = "UPDATE INDIV_SCORES SET GAME_NUMBER=? WHERE rowid=?";
            db.Execute(sSQL, {n, rs.Fields(0).toLong()});
        }
    }
}

// Renumbers one player's games and recomputes all six variants of every game, in game order, in
// memory; then writes each changed row once. One savepoint: all of it or nothing.
void RecomputePlayer(Database& db, int playerId, int genderIndex, HcpLookups& lookups, int window,
                     QHash<quint32, QString>& texts) {
    Database::Transaction unit(db);
    sSQL =
        "SELECT *, rowid AS RID FROM INDIV_SCORES WHERE PLAYER_ID=? "
        "ORDER BY ROUND_DATE ASC, GAME_NUMBER ASC, rowid ASC";
    Recordset rs = db.OpenRecordset(sSQL, {playerId});
    const int ridOrdinal = rs.Ordinal("RID");
    std::vector<PlayerRound> rows(rs.RecordCount());
    int i = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext(), ++i) {
        PlayerRound& row = rows[i];
        row.round = ReadHcpRound(rs);
        row.rowId = rs.Fields(ridOrdinal).toLong();
        row.storedGame = rs.Fields(2).isNull() ? 0 : row.round.gameNumber;
        for (int col = 0; col < kColPar; ++col) row.stored[col] = rs.Fields(kOrdinalHcpIndex + col).value();
        row.stored[kColPar] = rs.Fields(49).value();
    }

    // Games 1 to n in date order.
    for (i = 0; i < static_cast<int>(rows.size()); ++i) {
        rows[i].round.gameNumber = i + 1;
        if (rows[i].storedGame != i + 1) {
            sSQL = "UPDATE INDIV_SCORES SET GAME_NUMBER=? WHERE rowid=?";
            db.Execute(sSQL, {i + 1, rows[i].rowId});
        }
    }
    if (rows.empty()) {
        unit.Commit();
        return;
    }

    nCurPlayerID = playerId;
    std::vector<const HcpRound*> handicap;
    for (const PlayerRound& row : rows)
        if (row.round.useHcp) handicap.push_back(&row.round);

    size_t upTo = 0;  // handicap rounds with game number up to r
    for (int r = 1; r <= static_cast<int>(rows.size()); ++r) {
        while (upTo < handicap.size() && handicap[upTo]->gameNumber <= r) ++upTo;
        const std::span<const HcpRound* const> list(handicap.data(), upTo);
        PlayerRound& row = rows[r - 1];
        const bool front = row.round.gsf9 > 0, back = row.round.gsb9 > 0;
        for (RuleSet rules : {RuleSet::US, RuleSet::CA}) {
            const bool us = rules == RuleSet::US;
            Apply(row, us ? US_18 : CA_18, HcpRun18(rules, list, r, 1, genderIndex, true, window, lookups));
            if (front)
                Apply(row, us ? US_F9 : CA_F9,
                      HcpRunNine(rules, list, r, genderIndex, true, window, lookups));
            if (back)
                Apply(row, us ? US_B9 : CA_B9,
                      HcpRunNine(rules, list, r, genderIndex, false, window, lookups));
        }
    }

    for (const PlayerRound& row : rows) WriteChanges(db, row, texts);
    unit.Commit();
}

QWidget* FindScreen(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
    return nullptr;
}

// The progress window, the busy pointer and the disabled calling screen of one run; all given
// back when the run ends, however it ends.
class ResyncScreens {
  public:
    explicit ResyncScreens(QWidget* caller)
        : caller_(caller ? caller : FindScreen(bResyncFromUpCRSR ? "frmUpCRSR" : "frmSystemSetup")) {}

    ~ResyncScreens() {
        wait_.reset();
        SetMousePointer(Pointer::Default);
        if (!caller_) return;
        caller_->setEnabled(true);
        const bool focus = bResyncFromUpCRSR || caller_->isVisible();
        if (focus) {
            caller_->activateWindow();
            caller_->setFocus();
        }
        QApplication::processEvents();
        if (caller_) caller_->raise();
    }

    void Load() {
        wait_ = std::make_unique<frmMainWait>();
        wait_->WaitCap->setText("Adjusting Scores and Calculating Handicaps.");
    }

    // After player k of n: the window from the first player on when there are more than three.
    void Progress(int k, int n) {
        if (n <= 3) {
            SetMousePointer(Pointer::Hourglass);
            return;
        }
        if (k == 1) {
            wait_->show();
            if (caller_) caller_->setEnabled(false);
        }
        wait_->SetProgress(k, n);
    }

  private:
    QPointer<QWidget> caller_;
    std::unique_ptr<frmMainWait> wait_;
};

}  // namespace

void ResynchIndivScores(int PlayerID) {
    try {
        Database& db = Db();
        Database::Transaction unit(db);
        Renumber(db, PlayerID);
        unit.Commit();
    } catch (...) {
        ReportCurrentError("SaveScores, ResynchIndivScores", Sql::With);
    }
}

bool ResynchAllScores(QWidget* callingScreen) {
    const QString tag = "SaveScores, ResynchAllScores";
    QString failure;
    bool everyPlayer = true;
    {
        ResyncScreens screens(callingScreen);
        try {
            Database& db = Db();
            Database::Transaction run(db);
            sSQL = "SELECT PLAYER_ID,GENDER FROM PLAYERS";
            Recordset players = db.OpenRecordset(sSQL);
            if (!players.IsEmpty()) {
                SetMousePointer(Pointer::Hourglass);
                screens.Load();
                const int n = players.RecordCount();
                CachedHcpLookups lookups(db);
                const int window = OneYearWindow().toInt();
                QHash<quint32, QString> texts;
                int k = 0;
                for (players.MoveFirst(); !players.Eof(); players.MoveNext()) {
                    ++k;
                    const int key = players.Fields(0).toInt();
                    try {
                        RecomputePlayer(db, key, GenderIndexOf(players.Fields(1).str()), lookups, window,
                                        texts);
                    } catch (...) {
                        // The engine gave up the whole transaction (disk full, I/O): the run ends.
                        if (sqlite3_get_autocommit(db.handle())) throw;
                        // Otherwise this player keeps his stored values; one report, and on.
                        everyPlayer = false;
                        ReportCurrentError(tag, Sql::With);
                    }
                    screens.Progress(k, n);
                }
            }
            sSQL = "COMMIT";
            run.Commit();
        } catch (...) {
            failure = ErrorText(tag, CurrentError(), -1, "Line # ", true);
        }
    }  // window closed, pointer and calling screen given back
    if (!failure.isEmpty()) ReportErrorText(failure);
    return failure.isEmpty() && everyPlayer;
}

}  // namespace dc
