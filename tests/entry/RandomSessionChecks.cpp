// The checks after each step of the random session: the stored rounds against a recomputation,
// nothing lost or changed that the step did not change, the figures a new round is stored with, the
// course figures and the other database, the screen against the stored round it names, and the holes
// typed.
#include <cmath>

#include "RandomSession.h"
#include "handicap/HandUtil.h"
#include "handicap/HcpRules.h"
#include "platform/Database.h"
#include "platform/Spread.h"
#include "records/CourseStore.h"

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
        QString("SELECT PLAYER_ID,GAME_NUMBER,%1,PAR FROM INDIV_SCORES ORDER BY 1,2").arg(kHcpColumns);
    const QStringList stored = Rows(db, sql);
    const QStringList games =
        Rows(db,
             "SELECT s.PLAYER_ID,s.GAME_NUMBER,s.GSF9,s.GSB9,COALESCE(p.GENDER,'') FROM "
             "INDIV_SCORES s JOIN PLAYERS p ON p.PLAYER_ID=s.PLAYER_ID ORDER BY 1,2");
    QStringList recomputed;
    {
        Database::Transaction scratch(db);
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
            return Fail("stored:     " + stored[i] + "\nrecomputed: " + recomputed.value(i) + "\n(" +
                        kHcpColumns + ",PAR)");
}

std::map<QString, QString> RandomSession::Snapshot() {
    std::map<QString, QString> out;
    for (const QString& r : Rows(TestDb(), "SELECT PLAYER_ID,RND_GAME_ID,ROUND_DATE," + kHoles +
                                               " FROM INDIV_SCORES ORDER BY 1,2,3,4"))
        out[r.section(' ', 0, 0) + ':' + r.section(' ', 1, 1)] += r.section(' ', 2) + ";";
    return out;
}

void RandomSession::CheckNothingLost(const std::map<QString, QString>& before, const QString& shownBefore,
                                     const QString& action) {
    const std::map<QString, QString> now = Snapshot();
    for (const auto& [key, rows] : before) {
        const auto it = now.find(key);
        if (it == now.end()) {
            if (!(action == "delete" && key == shownBefore && answer_ == vbYes))
                Fail("round " + key + " is gone: " + rows);
        } else if (it->second != rows && key != shownBefore) {
            Fail("round " + key + " changed from " + rows + " to " + it->second);
        }
    }
    for (const auto& [key, rows] : now)
        if (!before.count(key) && action != "convert" &&
            key.section(':', 0, 0) != shownBefore.section(':', 0, 0))
            Fail("a round of another player appeared: " + key + " " + rows);
    TestDb().Execute("CREATE TEMP TABLE IF NOT EXISTS STALE (WHAT TEXT)");  // a connection opened since
    const QStringList stale = Rows(TestDb(), "SELECT * FROM STALE");
    if (!stale.isEmpty() && action != "convert")
        Fail(
            "a new round stored with other figures than its tee box had then (round: slope rating pars, "
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

void RandomSession::WatchNewRounds() {
    Database& db = TestDb();
    db.Execute("CREATE TEMP TABLE IF NOT EXISTS STALE (WHAT TEXT)");
    db.Execute("DELETE FROM STALE");
    const QString figure = "substr(CASE WHEN p.GENDER='F' THEN c.W%1 ELSE c.M%1 END,NEW.TEE_BOX_ID*%2+1,%2)";
    db.Execute(
        QString("CREATE TEMP TRIGGER IF NOT EXISTS WATCH AFTER INSERT ON main.INDIV_SCORES BEGIN "
                "INSERT INTO STALE SELECT NEW.PLAYER_ID||' '||NEW.ROUND_DATE||': '||NEW.SLOPE_RATING||' '||"
                "NEW.COURSE_RATING||' '||NEW.PAR||', '||%1||' '||%2||' '||%3 FROM COURSES c, PLAYERS p "
                "WHERE c.COURSE_ID=NEW.COURSE_ID AND p.PLAYER_ID=NEW.PLAYER_ID AND (NEW.SLOPE_RATING<>%1 "
                "OR abs(NEW.COURSE_RATING-%2)>0.05 OR NEW.PAR<>%3); END")
            .arg(figure.arg("SL").arg(3) + "+0", "(" + figure.arg("CR").arg(4) + "+0)",
                 figure.arg("PARS").arg(18)));
}

void RandomSession::CheckScreen() {
    const int p = Player();
    if (p == 0 || f_->round.IsNew()) {
        const auto date = ParseLocalDate(f_->mskDate->Text(), Ctx().sDateFormat);
        if (p == 0 || !date || f_->cboTeeBox->currentIndex() < 0) return;
        const QVariant before = TestDb().Scalar(
            "SELECT HCP_INDEX_US_18 FROM INDIV_SCORES WHERE PLAYER_ID=? AND ROUND_DATE<=? ORDER BY "
            "GAME_NUMBER DESC LIMIT 1",
            {p, DbDate(*date)});
        const QString expected =
            MainRound::FigureText(before.isNull() ? (f_->round.Male() ? 36.4 : 40.4) : before.toDouble());
        if (D(*f_, 1, 1) != expected)
            Fail("a new round dated " + date->toString(Qt::ISODate) + " shows previous index " +
                 D(*f_, 1, 1) + ", the index in effect then is " + expected);
        return;
    }
    const int game = f_->round.StoredGame();
    const QString sql =
        "SELECT RND_GAME_ID,ROUND_DATE,HCP_INDEX_US_18,ADJSCR_US_18,%1 FROM INDIV_SCORES "
        "WHERE PLAYER_ID=%2 AND GAME_NUMBER=%3";
    const QStringList row = Rows(TestDb(), sql.arg(kHoles).arg(p).arg(game)).value(0).split(' ');
    if (row.size() < 22 || row[0].toDouble() != f_->round.StoredRndGameId())
        return Fail("the screen names game " + QString::number(game) + " of key " +
                    QString::number(f_->round.StoredRndGameId()) + "; stored there: " + row.join(' '));
    if (f_->txtRecNum->text().trimmed() != QString::number(game))
        Fail("game box shows " + f_->txtRecNum->text());
    if (f_->mskDate->Text() != FormatLocalDate(QDate::fromString(row[1], Qt::ISODate), Ctx().sDateFormat))
        Fail("date shown " + f_->mskDate->Text() + ", stored " + row[1]);
    for (int h = 1; h <= 18; ++h) {
        const QString want = typed_.count(h) && typedOn_ == Shown() ? QString::number(typed_[h])
                             : row[3 + h].toInt() > 0               ? row[3 + h]
                                                                    : QString();
        if (const QString cell = f_->spISC->CellText(HoleColumn(h), kRowGross); cell != want)
            Fail(QString("hole %1 shows %2, stored or typed %3").arg(h).arg(cell, want));
    }
    if (game >= 3 && typed_.empty() && D(*f_, 1, 5) != MainRound::FigureText(row[2].toDouble()))
        Fail("current index shown " + D(*f_, 1, 5) + ", stored " + row[2]);
    if (typed_.empty() && D(*f_, 1, 4) != row[3])
        Fail("adjusted score shown " + D(*f_, 1, 4) + ", stored " + row[3]);
}

void RandomSession::CheckTyping() {
    if (typed_.empty()) return;
    bool shown = Shown() == typedOn_;
    for (const auto& [h, v] : typed_)
        shown = shown && f_->spISC->CellText(HoleColumn(h), kRowGross) == QString::number(v);
    if (shown && !f_->round.IsNew()) {
        const QStringList holes = Snapshot()[Shown()].section(';', 0, 0).split(' ');
        bool stored = holes.size() == 19;
        for (const auto& [h, v] : typed_) stored = stored && holes[h].toInt() == v;
        if (stored) typed_.clear();
    } else if (!shown) {
        if (!asked_) Fail("typed holes of " + typedOn_ + " are gone without a question");
        typed_.clear();
    }
}

}  // namespace dc::test
