// The checks after each step of the random session: the stored rounds against a recomputation,
// nothing lost or changed that the step did not change (rounds told apart by their holes, not only
// their key), the tee-box figures a round is saved with, the course figures and the other database,
// the screen against the stored round it names and the figures of each view against what is stored
// or what a save stores, and the holes typed against the answers given.
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "RandomSession.h"
#include "entry/RoundRecalc.h"
#include "handicap/HandUtil.h"
#include "handicap/HcpEngine.h"
#include "handicap/HcpLookups.h"
#include "handicap/HcpRules.h"
#include "handicap/RoundStore.h"
#include "platform/Database.h"
#include "platform/Spread.h"
#include "records/CourseStore.h"
#include "shell/ErrorText.h"

namespace dc::test {

namespace {
constexpr const char* kHcpColumns =
    "HCP_INDEX_US_18,HCP_INDEX_US_F9,HCP_INDEX_US_B9,HCP_INDEX_CA_18,HCP_INDEX_CA_F9,HCP_INDEX_CA_B9,"
    "THCP_INDEX_US_18,THCP_INDEX_US_F9,THCP_INDEX_US_B9,THCP_INDEX_CA_18,THCP_INDEX_CA_F9,THCP_INDEX_CA_B9,"
    "ADJSCR_US_18,ADJSCR_US_F9,ADJSCR_US_B9,ADJSCR_CA_18,ADJSCR_CA_F9,ADJSCR_CA_B9";
const QString kHoles =
    "GS01,GS02,GS03,GS04,GS05,GS06,GS07,GS08,GS09,GS10,GS11,GS12,GS13,GS14,GS15,GS16,GS17,GS18";
}  // namespace

// Each row of a query as its values joined by blanks (numbers to one decimal: indexes are floats).
QStringList Rows(Database& db, const QString& sql) {
    QStringList out;
    Recordset rs = db.OpenRecordset(sql);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        QStringList row;
        for (int i = 0; i < rs.FieldCount(); ++i) {
            const QVariant v = rs.Fields(i).value();
            const double d = v.toDouble();
            const bool number = v.typeId() == QMetaType::Double || v.typeId() == QMetaType::LongLong;
            row << (v.isNull()           ? "null"
                    : !number            ? v.toString()
                    : d == std::floor(d) ? QString::number(qint64(d))
                                         : QString::number(d, 'f', 1));
        }
        out << row.join(' ');
    }
    return out;
}

void RandomSession::CheckRecomputation() {
    Database& db = TestDb();
    const QString sql =
        QString("SELECT PLAYER_ID,rowid,GAME_NUMBER,%1,PAR FROM INDIV_SCORES ORDER BY 1,2").arg(kHcpColumns);
    const QStringList stored = Rows(db, sql);
    QStringList recomputed;
    {
        Database::Transaction scratch(db);
        for (const QString& p : Rows(db, "SELECT PLAYER_ID FROM PLAYERS")) RoundStore(db).Renumber(p.toInt());
        const QStringList games =
            Rows(db,
                 "SELECT s.PLAYER_ID,s.GAME_NUMBER,s.GSF9,s.GSB9,COALESCE(p.GENDER,'') FROM "
                 "INDIV_SCORES s JOIN PLAYERS p ON p.PLAYER_ID=s.PLAYER_ID ORDER BY 1,2");
        for (const QString& g : games) {
            const QStringList v = g.split(' ');
            const int p = v[0].toInt(), n = v[1].toInt(), gender = GenderIndexOf(v.value(4));
            HandUtilUS18(db, p, n, 1, gender, true);
            HandUtilCA18(db, p, n, 1, gender, true);
            for (const bool front : {true, false})
                if (v[front ? 2 : 3].toDouble() > 0) {
                    NewHandUtilUS9(db, p, n, gender, front);
                    HandUtilCA9(db, p, n, gender, front);
                }
        }
        recomputed = Rows(db, sql);
    }  // rolled back
    for (int i = 0; i < stored.size(); ++i)
        if (stored[i] != recomputed.value(i))
            return Fail("stored:     " + stored[i] + "\nrecomputed: " + recomputed.value(i) +
                        "\n(PLAYER_ID,rowid,GAME_NUMBER," + kHcpColumns + ",PAR)");
}

QStringList RandomSession::Snapshot() {
    QStringList out = Rows(TestDb(), kRowSql);
    out.sort();
    return out;
}

void RandomSession::CheckNothingLost(const QString& shownRow, const QString& shownBefore,
                                     const QString& action) {
    const QStringList now = Snapshot();
    QStringList gone, added;  // what before_ holds and now does not, and the other way round
    std::set_difference(before_.begin(), before_.end(), now.begin(), now.end(), std::back_inserter(gone));
    std::set_difference(now.begin(), now.end(), before_.begin(), before_.end(), std::back_inserter(added));
    const auto ofRound = [](const QString& row) { return row.section(' ', 0, 1); };  // player and key
    const bool deleted = action == "delete" && answer_ == vbYes;
    for (const QString& row : gone) {
        if (deleted && row == deleting_.second) continue;
        if (row != shownRow) {
            Fail("round " + row + " is gone or changed; the round shown was " +
                 (shownRow.isEmpty() ? QString("new") : shownRow));
        } else if (std::none_of(added.begin(), added.end(),
                                [&](const QString& a) { return ofRound(a) == ofRound(row); })) {
            Fail("round " + row + " is gone");
        }
    }
    for (const QString& row : added)
        if (action != "convert" && row.section(' ', 0, 0) != shownBefore.section(':', 0, 0))
            Fail("a round of another player appeared: " + row);
    TestDb().Execute("CREATE TEMP TABLE IF NOT EXISTS STALE (WHAT TEXT)");  // a connection opened since
    const QStringList stale = Rows(TestDb(), "SELECT * FROM STALE");
    if (!stale.isEmpty() && action != "convert")
        Fail(
            "a round saved with other figures than its tee box had then (round: slope rating pars, "
            "tee box: slope rating pars): " +
            stale.join(" | "));
    // A course figure changes only to a value an editor was given for it.
    const std::map<QString, QString> courses = CourseFigures();
    for (const auto& [cell, value] : courses)
        if (value != coursesBefore_[cell] && !given_[cell].contains(value))
            Fail("course figure " + cell + " became " + value + " (was " + coursesBefore_[cell] +
                 "); the editors were given only " + given_[cell].join(", "));
    coursesBefore_ = courses;
}

std::map<QString, QString> RandomSession::CourseFigures() {
    std::map<QString, QString> out;
    for (int c = 1; c <= 2; ++c)
        for (const bool male : {true, false})
            if (const auto t = CourseStore(TestDb()).ReadTeeBox(c, male, 0)) {
                const QString k = QString("%1%2 ").arg(c).arg(male ? 'M' : 'W');
                out[k + "rating"] = QString::number(t->rating, 'f', 1);
                out[k + "slope"] = QString::number(t->slope);
                for (int h = 1; h <= 18; ++h) out[k + QString("par %1").arg(h)] = QString::number(t->Par(h));
            }
    return out;
}

void RandomSession::WatchSavedRounds() {
    Database& db = TestDb();
    db.Execute("CREATE TEMP TABLE IF NOT EXISTS STALE (WHAT TEXT)");
    db.Execute("DELETE FROM STALE");
    const QString figure = "substr(CASE WHEN p.GENDER='F' THEN c.W%1 ELSE c.M%1 END,NEW.TEE_BOX_ID*%2+1,%2)";
    const QString slope = figure.arg("SL").arg(3) + "+0", rating = "(" + figure.arg("CR").arg(4) + "+0)",
                  pars = figure.arg("PARS").arg(18);
    const QString noted =
        "INSERT INTO STALE SELECT NEW.PLAYER_ID||' '||NEW.ROUND_DATE||': '||NEW.SLOPE_RATING||' '||"
        "NEW.COURSE_RATING||' '||NEW.PAR||', '||%1||' '||%2||' '||%3 FROM COURSES c, PLAYERS p "
        "WHERE c.COURSE_ID=NEW.COURSE_ID AND p.PLAYER_ID=NEW.PLAYER_ID AND (%4); END";
    const QString differs = "NEW.SLOPE_RATING<>%1 OR abs(NEW.COURSE_RATING-%2)>0.05";
    db.Execute("CREATE TEMP TRIGGER IF NOT EXISTS WATCH AFTER INSERT ON main.INDIV_SCORES BEGIN " +
               noted.arg(slope, rating, pars, differs.arg(slope, rating) + " OR NEW.PAR<>" + pars));
    // A stored round saved (only that write sets its date) takes its tee box's pars, and its slope
    // and rating too when it moved to another tee box.
    db.Execute(
        "CREATE TEMP TRIGGER IF NOT EXISTS WATCH_SAVED AFTER UPDATE OF ROUND_DATE ON main.INDIV_SCORES "
        "BEGIN " +
        noted.arg(slope, rating, pars,
                  "NEW.PAR<>" + pars +
                      " OR ((NEW.COURSE_ID<>OLD.COURSE_ID OR NEW.TEE_BOX_ID<>OLD.TEE_BOX_ID) AND (" +
                      differs.arg(slope, rating) + "))"));
}

RandomSession::GameFigures RandomSession::StoredFigures(int p, int game) {
    Database& db = TestDb();
    GameFigures out;
    const int gender =
        GenderIndexOf(db.Scalar("SELECT COALESCE(GENDER,'') FROM PLAYERS WHERE PLAYER_ID=?", {p}).toString());
    std::vector<HcpRound> rounds;
    RoundStore(db).ForEachGame(p, game, [&](const Recordset& rs) { rounds.push_back(ReadHcpRound(rs)); });
    if (rounds.empty() || rounds.back().gameNumber != game) return out;
    const HcpRound& r = rounds.back();
    for (int v = 0; v < 6; ++v) {
        const bool played = v % 3 == 0 ? r.gsf9 + r.gsb9 > 0 : r.GrossNine(v % 3 == 1) > 0;
        if (!played) continue;
        out.curr[v] = r.hcpIndex[v];
        out.adjusted[v] = r.adjScore[v];
    }
    // 18 holes: the index of the game before (the default before the first).
    for (const HcpVariant v : {US_18, CA_18})
        out.prev[v] = rounds.size() > 1 ? rounds[rounds.size() - 2].hcpIndex[v] : DefaultIndex(gender);
    // A nine: the index the recomputation's walk caps it by, when the round is a handicap round.
    if (!r.useHcp) return out;
    std::vector<const HcpRound*> handicap;
    for (const HcpRound& h : rounds)
        if (h.useHcp) handicap.push_back(&h);
    CachedHcpLookups lookups(db);
    for (const RuleSet rules : {RuleSet::US, RuleSet::CA})
        for (const bool front : {true, false}) {
            const int v = (rules == RuleSet::US ? US_18 : CA_18) + (front ? 1 : 2);
            if (!out.adjusted[v]) continue;
            std::vector<NineWalkStep> walk;
            HcpRunNine(rules, handicap, game, gender, front, OneYearWindow().toInt(), lookups, &walk);
            if (!walk.empty() && walk[0].gameNumber == game && walk[0].front == front)
                out.prev[v] = walk[0].prevIndex;
        }
    return out;
}

void RandomSession::CheckScreen() {
    const int p = Player();
    if (p == 0) return;
    Database& db = TestDb();
    int game = 0;
    if (!f_->round.IsNew()) {
        game = f_->round.StoredGame();
        const QString sql =
            "SELECT RND_GAME_ID,ROUND_DATE,%1 FROM INDIV_SCORES WHERE PLAYER_ID=%2 AND GAME_NUMBER=%3";
        const QStringList row = Rows(db, sql.arg(kHoles).arg(p).arg(game)).value(0).split(' ');
        if (row.size() < 20 || row[0].toDouble() != f_->round.StoredRndGameId())
            return Fail("the screen names game " + QString::number(game) + " of key " +
                        QString::number(f_->round.StoredRndGameId()) + "; stored there: " + row.join(' '));
        if (f_->txtRecNum->text().trimmed() != QString::number(game))
            Fail("game box shows " + f_->txtRecNum->text());
        if (f_->mskDate->Text() != FormatLocalDate(QDate::fromString(row[1], Qt::ISODate), Ctx().sDateFormat))
            Fail("date shown " + f_->mskDate->Text() + ", stored " + row[1]);
        for (int h = 1; h <= 18; ++h) {
            const QString want = typed_.count(h) && typedOn_ == Shown() ? QString::number(typed_[h])
                                 : row[1 + h].toInt() > 0               ? row[1 + h]
                                                                        : QString();
            if (const QString cell = f_->spISC->CellText(HoleColumn(h), kRowGross); cell != want)
                Fail(QString("hole %1 shows %2, stored or typed %3").arg(h).arg(cell, want));
        }
        f_->Save_Check();
    }
    // The figures to be shown in each view: the stored round's own, or what a save of the round
    // stores (a gender chosen other than the player's is an edit too).
    const bool asStored = !f_->round.IsNew() && !f_->round.Changed() && !f_->round.GenderCorrected();
    const bool was18 = Ctx().bFlag18_9, wasUS = Ctx().bUSCAFlag;
    QStringList differ;
    QString whose = QString("stored game %1").arg(game);
    for (const bool is18 : {true, false}) {
        f_->opt189[is18 ? 1 : 2]->setChecked(true);
        GameFigures want;
        if (asStored) {
            want = StoredFigures(p, game);
        } else {
            const RoundEntry entry = f_->CurrentRoundEntry();
            if (!entry.date || entry.courseId <= 0 || entry.teeBox < 0 ||
                SumRow(f_->round.RowValues(kRowGross)).total() <= 0)
                break;  // a save refuses it
            try {
                Database::Transaction scratch(db);
                const SaveOutcome out = SaveAndRecalculate(db, entry);
                want = StoredFigures(p, out.gameNumber);
                whose = QString("%1 round as a save stores it (game %2)")
                            .arg(f_->round.IsNew() ? "new" : "edited")
                            .arg(out.gameNumber);
            } catch (...) {
                Fail("a save of the round shown fails: " + CurrentError().description);
                break;
            }                // rolled back
            want.curr = {};  // its own index is known once it is saved
        }
        // 18 holes or the nines, US or Canada.
        for (const bool us : {true, false}) {
            f_->optUSCan[us ? 1 : 2]->setChecked(true);
            for (int k = 1; k <= (is18 ? 1 : 2); ++k) {
                const int v = (us ? US_18 : CA_18) + (is18 ? 0 : k);
                if (!want.adjusted[v] || *want.adjusted[v] <= 0) continue;  // a nine not played
                const QString view = kVariantSuffix[v];
                if (f_->lblAdjScore[k]->isHidden()) {
                    differ << view + " not shown";
                    continue;
                }
                const auto compare = [&](const QString& what, QLabel* label, const QString& expected) {
                    if (label->text() != expected)
                        differ << QString("%1 %2 %3 (want %4)").arg(view, what, label->text(), expected);
                };
                if (want.prev[v]) compare("previous index", f_->lblHI[k], IndexDisplayText(*want.prev[v]));
                compare("adjusted", f_->lblAdjScore[k], QString::number(*want.adjusted[v]));
                if (want.curr[v]) compare("index", f_->lblCurrIndex[k], IndexDisplayText(*want.curr[v]));
            }
        }
    }
    f_->opt189[was18 ? 1 : 2]->setChecked(true);  // the view the session chose
    f_->optUSCan[wasUS ? 1 : 2]->setChecked(true);
    if (!differ.isEmpty()) Fail("the screen shows for the " + whose + ": " + differ.join("; "));
}

void RandomSession::CheckTyping() {
    if (typed_.empty()) return;
    // A stored round of the player (of its key unless it was new) with every typed hole.
    const auto holds = [this](const QString& row) {
        const QStringList v = row.split(' ');
        if (v.size() != 21 || v[0] != typedOn_.section(':', 0, 0)) return false;
        if (typedOn_.section(':', 1) != "new" && v[1] != typedOn_.section(':', 1)) return false;
        for (const auto& [h, gross] : typed_)
            if (v[2 + h].toInt() != gross) return false;
        return true;
    };
    bool shown = Shown() == typedOn_;
    for (const auto& [h, v] : typed_)
        shown = shown && f_->spISC->CellText(HoleColumn(h), kRowGross) == QString::number(v);
    if (shown) {
        if (!f_->round.IsNew() && holds(ShownRow())) typed_.clear();  // saved and shown
        return;
    }
    // A new round's holes in a round this step added, not in one stored before.
    QStringList now = Snapshot();
    if (typedOn_.endsWith(":new")) {
        QStringList added;
        std::set_difference(now.begin(), now.end(), before_.begin(), before_.end(),
                            std::back_inserter(added));
        now = added;
    }
    if (std::any_of(now.begin(), now.end(), holds)) {
        typed_.clear();
        return;
    }
    // Gone unsaved: only a No to the save question drops them.
    QStringList asked;
    bool no = false;
    for (const auto& [text, answer] : answers_) {
        asked << QString(text).replace('\n', ' ').replace('\r', ' ') + " -> " +
                     (answer == vbYes  ? "Yes"
                      : answer == vbNo ? "No"
                                       : "Cancel");
        no = no || (text.contains(" has changed.") && answer == vbNo);
    }
    const bool deleted = step_.startsWith("delete (Yes)") && deleting_.first == typedOn_;
    if (!no && !deleted)
        Fail("typed holes of " + typedOn_ +
             " are gone unsaved; the questions: " + (asked.isEmpty() ? QString("none") : asked.join(" | ")));
    typed_.clear();
}

}  // namespace dc::test
