#include "tools/Conversion.h"

#include <QDir>
#include <QRandomGenerator>
#include <cmath>

#include "handicap/HcpRules.h"
#include "handicap/RoundRec.h"
#include "handicap/RoundStore.h"
#include "handicap/SaveScores.h"
#include "platform/Database.h"
#include "platform/Termination.h"
#include "records/CourseStore.h"
#include "records/PlayerStore.h"
#include "shell/DateFormat.h"
#include "shell/ErrorText.h"
#include "shell/Version.h"
#include "tools/ConvertedStore.h"
#include "tools/OldFieldRules.h"

namespace dc {

namespace {

struct StepInfo {
    ConvertStep step;
    const char* tag;
    const char* label;
};

const StepInfo kSteps[] = {{ConvertStep::Courses, "Form ConvertUtil, ConvertCourses", "Courses"},
                           {ConvertStep::Golfers, "Form ConvertUtil, ConvertGolfers", "Golfers"},
                           {ConvertStep::Rounds, "Form ConvertUtil, Convert Rounds", "Rounds"}};

StoredData ReadStored(Database& db) {
    StoredData s;
    QString sql = "Select COURSE_ID, COURSE_NAME, MCR, MSL, MPARS From COURSES Order By COURSE_ID";
    Recordset courses = db.OpenRecordset(sql);
    for (courses.MoveFirst(); !courses.Eof(); courses.MoveNext()) {
        const int id = static_cast<int>(courses["COURSE_ID"].toLong());
        const QString name = courses["COURSE_NAME"].str();
        if (!s.courses.contains(name.trimmed().toUpper())) s.courses.insert(name.trimmed().toUpper(), id);
        s.courseNames.insert(id, name.trimmed());
        PackedCourse packed;
        packed.MCR = courses["MCR"].str();
        packed.MSL = courses["MSL"].str();
        packed.MPARS = courses["MPARS"].str();
        s.coursePars.insert(id, CourseFingerprint(packed, false));
        s.courseFigures.insert(id, CourseFingerprint(packed));
    }
    s.maxCourseId = db.Scalar("Select Max(COURSE_ID) as nMaxID From COURSES").toInt();
    s.maxPlayerId = db.Scalar("Select Max(PLAYER_ID) as nMaxID From PLAYERS").toInt();
    sql =
        "Select PLAYER_ID, GENDER, LAST_NAME, FIRST_NAME, MI, CV_PREV_FILE_NAME From PLAYERS Order By "
        "PLAYER_ID";
    Recordset players = db.OpenRecordset(sql);
    for (players.MoveFirst(); !players.Eof(); players.MoveNext()) {
        const QString key = players["CV_PREV_FILE_NAME"].str().trimmed().toUpper();
        if (key.isEmpty()) continue;
        s.golfers[key].append({static_cast<int>(players["PLAYER_ID"].toLong()), players["GENDER"].str(),
                               players["LAST_NAME"].str(), players["FIRST_NAME"].str(), players["MI"].str()});
    }
    s.converted = ConvertedStore(db).Read();
    s.roundsOf = [&db](int playerId) {
        QHash<QString, QList<int>> rounds;
        for (const RoundHoles& r : RoundStore(db).HoleScores(playerId))
            rounds[RoundSignature(r.date, r.gross)].append(r.courseId);
        return rounds;
    };
    return s;
}

// A signal to end came before the run was stored: the run stops and its transaction is rolled back.
struct Withdrawn {};

// The recomputation's progress, passed on; it stops the recomputation once the program is to end.
class WithdrawingProgress : public ProgressReporter {
  public:
    explicit WithdrawingProgress(ProgressReporter* shown) : shown_(shown) {}
    void Start() override {
        if (shown_) shown_->Start();
    }
    void Step(int k, int n) override {
        if (shown_) shown_->Step(k, n);
        if (TerminationRequested()) throw Withdrawn{};  // ends the recomputation's transaction
    }
    void Finish() override {
        if (shown_) shown_->Finish();
    }

  private:
    ProgressReporter* shown_;
};

class Writer {
  public:
    Writer(Database& db, const ConversionPlan& plan, const ConvertProgress& progress)
        : db_(db), courses_(db), rounds_(db), plan_(plan), progress_(progress) {
        r_.report = plan.report;
    }

    ConversionResult Run(ProgressReporter* recompute) {
        try {
            Database::Transaction all(db_);
            ConvertedStore(db_).CreateTable();  // a database made before the conversions were remembered
            if (!Step(kSteps[0], [this] { Courses(); }) || !Step(kSteps[1], [this] { Golfers(); }) ||
                !Step(kSteps[2], [this] { Rounds(); }))
                return r_;
            WithdrawingProgress shown(recompute);
            const ResyncResult resync = ResynchAllScores(db_, &shown);
            // The last chance to withdraw: the recomputation may have been stopped by it, or may have
            // finished before the signal came.
            WithdrawIfEnding();
            r_.errorTexts << resync.errors;
            r_.recomputed = resync.ok;
            if (!r_.recomputed) return r_;  // the import is rolled back with the recomputation
            all.Commit();
            r_.stored = true;
            return r_;
        } catch (const Withdrawn&) {
            // Rolled back as the transaction went; no failure to report: the program was told to end.
            ConversionResult withdrawn;
            withdrawn.report = plan_.report;
            withdrawn.withdrawn = true;
            return withdrawn;
        }
    }

  private:
    void Report(ConvertStep step, int done, int total) {
        if (progress_) progress_(step, done, total);
        WithdrawIfEnding();  // the progress shown is where a signal to end is noticed
    }

    static void WithdrawIfEnding() {
        if (TerminationRequested()) throw Withdrawn{};
    }

    // Runs one step; a failure is named with the step's tag and ends the run.
    template <typename F>
    bool Step(const StepInfo& s, F body) {
        try {
            body();
            return true;
        } catch (const Withdrawn&) {
            throw;
        } catch (...) {
            const ErrorInfo e = CurrentError();
            r_.errorTexts << ErrorText(s.tag, e, -1, "Line # ", true);
            r_.failures << QString("%1: %2").arg(s.label, e.description);
            return false;
        }
    }

    void Courses() {
        for (const PlannedCourse& c : plan_.courses) {
            courses_.InsertCourse(c.id, c.name, c.packed);  // no yardages: YARDS stays empty
            ++r_.coursesConverted;
        }
        Report(ConvertStep::Courses, r_.coursesConverted, plan_.report.courseRecords);
    }

    void Golfers() {
        PlayerStore players(db_);
        for (const PlannedPlayer& p : plan_.players) {
            PlayerRec rec;
            rec.PLAYER_ID = p.id;
            rec.GENDER = p.gender;
            if (p.name) {
                rec.LAST_NAME = p.name->last;
                rec.FIRST_NAME = p.name->first;
                if (p.name->mi) rec.MI = p.name->mi->isNull() ? QString("") : *p.name->mi;
            }
            players.InsertConverted(rec, p.key);
            ++r_.golfersConverted;
        }
        Report(ConvertStep::Golfers, r_.golfersConverted, plan_.report.golferRecords);
    }

    void Rounds() {
        QHash<int, int> games;           // player -> last game number given
        QHash<int, QSet<int>> usedKeys;  // player -> RND_GAME_ID values taken
        for (const PlannedRound& x : plan_.rounds) {
            if (!games.contains(x.playerId)) {
                games.insert(x.playerId, rounds_.MaxGameNumber(x.playerId));
                usedKeys.insert(x.playerId, rounds_.RoundKeys(x.playerId));
            }
            Store(x, ++games[x.playerId], usedKeys[x.playerId]);
            ++r_.roundsStored;
            // The label repaints now and then: events for every one of many thousand rounds cost time.
            if (r_.roundsStored % 50 == 0 || r_.roundsStored == plan_.rounds.size())
                Report(ConvertStep::Rounds, r_.roundsStored, 0);
        }
        if (plan_.rounds.isEmpty()) Report(ConvertStep::Rounds, 0, 0);
        ConvertedStore(db_).Remember(plan_.taken);
    }

    static double Index(float v) { return std::isfinite(v) ? StoredIndexValue(v) : 0.0; }

    void Store(const PlannedRound& x, int game, QSet<int>& keys) {
        int key;
        do key = QRandomGenerator::global()->bounded(1, 1000000);
        while (keys.contains(key));
        keys.insert(key);
        ImportedRound r;
        r.playerId = x.playerId, r.courseId = x.courseId, r.gameNumber = game, r.rndGameId = key;
        r.date = x.date, r.teeSlot = x.teeSlot, r.rating = x.rating, r.slope = x.slope;
        r.useHcp = x.useHcp, r.useTourn = x.useTourn;
        r.gameCost = x.gameCost, r.cartCost = x.cartCost, r.otherCost = x.otherCost, r.notes = x.notes;
        r.gross = x.gross;
        r.hcpIndex = Index(x.hcpIndex), r.tHcpIndex = Index(x.tHcpIndex), r.nineIndex = x.nineIndex;
        r.adjScore = x.adjScore, r.par = x.par, r.putts = x.putts;
        rounds_.InsertImported(r);
    }

    Database& db_;
    CourseStore courses_;
    RoundStore rounds_;
    const ConversionPlan& plan_;
    const ConvertProgress& progress_;
    ConversionResult r_;
};

// A count line and below it one indented line for each thing it counts.
void Listed(QStringList& lines, const QStringList& items, const QString& head) {
    if (items.isEmpty()) return;
    lines << head.arg(items.size()) + ":";
    for (const QString& item : items) lines << "    " + item;
}

// The lines for each thing a run left out or changed.
QStringList Exceptions(const ConversionResult& result) {
    const ConversionReport& r = result.report;
    QStringList lines = r.files;
    Listed(lines, r.coursesSkipped, "%1 course record(s) empty or unreadable were skipped");
    Listed(lines, r.coursesKnown, "%1 course(s) converted before were found under another name");
    Listed(lines, r.coursesMerged, "%1 course record(s) with the name of another course were merged into it");
    Listed(lines, r.teeBoxesEmptied, "%1 tee box(es) with a rating or slope out of range were left empty");
    Listed(lines, r.golfersSkipped, "%1 golfer record(s) empty or unreadable were skipped");
    Listed(lines, r.convertedBefore, "%1 golfer(s) converted before were not added again");
    Listed(lines, r.sameKeyNewPlayers,
           "%1 golfer(s) with the key of another stored player were added as new players");
    lines << r.sharedKeys;
    Listed(lines, r.roundsUnreadable, "%1 round(s) with unreadable fields were skipped");
    Listed(lines, r.roundsOutOfRange,
           "%1 round(s) with a hole score, rating or slope out of range were skipped");
    Listed(lines, r.roundsNoCourse, "%1 round(s) on courses not found were skipped");
    Listed(lines, r.roundsDuplicate, "%1 round(s) already stored were not added again");
    Listed(lines, r.notesCleaned, "%1 round(s) had control characters removed from their notes");
    Listed(lines, r.costsEmptied, "%1 cost(s) out of range were left empty");
    Listed(lines, r.undated, "%1 round(s) with an unreadable date were given the date of the round before");
    return lines;
}

}  // namespace

QString StartCheckMessage(const QString& folder, const QStringList& files, const QString& programFolder,
                          int nameFormat) {
    auto has = [&](const QString& head) {
        return std::any_of(files.begin(), files.end(),
                           [&](const QString& f) { return f.left(7).toUpper() == head; });
    };
    if (files.isEmpty())
        return "No files are present to convert.  Please find a directory that contains the Golfer, Course "
               "and player files from a previous of version of Dado Corvy.";
    if (!has("GOLFER."))
        return "A valid Golfer File was not found.  Please find a valid Golfer file from a previous version "
               "of Dado Corvy and copy it inot the selected folder with the other Dado Corvy files to be "
               "converted.";
    if (!has("COURSE."))
        return "A valid Course File was not found.  Please find a valid Course file from a previous version "
               "of Dado Corvy and copy it inot the selected folder with the other Dado Corvy files to be "
               "converted.";
    if (QDir::cleanPath(folder.trimmed()).toUpper() == QDir::cleanPath(programFolder.trimmed()).toUpper())
        return "Files located within the Dado Corvy directory cannot be converted. Please select a new Path "
               "to locate files.";
    if (nameFormat < 0 || nameFormat >= NameFormats().size())
        return "Please select the Previous Naming Format from the list.";
    return QString();
}

ConversionPlan PlanFolder(Database& db, const QString& folder, int nameFormat, bool dayFirst) {
    return PlanConversion(ReadOldFolder(folder.trimmed()), nameFormat, dayFirst, ReadStored(db));
}

ConversionPlan PlanNativeFolder(Database& db, const QByteArray& nativeFolder, int nameFormat, bool dayFirst) {
    return PlanConversion(ReadOldNativeFolder(nativeFolder), nameFormat, dayFirst, ReadStored(db));
}

QString ConvertedBeforeQuestion(const ConversionReport& report) {
    if (report.convertedBefore.isEmpty() && report.sameKeyNewPlayers.isEmpty()) return QString();
    QString text;
    if (!report.convertedBefore.isEmpty())
        text = "These golfers were converted before: " + report.convertedBefore.join("; ") + ".\r\n\r\n";
    if (!report.sameKeyNewPlayers.isEmpty())
        text += "These golfers are other persons than the stored players of their keys: " +
                report.sameKeyNewPlayers.join("; ") + ".\r\n\r\n";
    if (report.convertedBefore.isEmpty())
        return text + "Click OK to add them as new players or Cancel to stop the conversion.";
    return text +
           "Click OK to go on (golfers converted before are skipped and only their rounds not stored yet are "
           "added) or Cancel to stop the conversion.";
}

QString ConversionSummary(const ConversionResult& result) {
    if (!result.stored) return "Nothing was converted: the database was left as it was.";
    const int lines = Exceptions(result).size();
    return QString(
               "Converted with exceptions: %1 course(s), %2 golfer(s) and %3 round(s) were converted. "
               "%4 line(s) below name what was left out or changed.")
        .arg(result.coursesConverted)
        .arg(result.golfersConverted)
        .arg(result.roundsStored)
        .arg(lines);
}

QString ConversionMessage(const ConversionResult& result) {
    const QString note =
        "Note that you will need to manually enter Handicap holes and Tee Box information on the Course "
        "Screen and provide individual player information on the Add/Edit Player screen.";
    if (!result.stored) {
        QString text = "Nothing was converted: the database was left as it was.";
        for (const QString& f : result.failures) text += "\r\n" + f;
        if (result.failures.isEmpty()) text += "\r\nThe handicap indexes could not be recomputed.";
        return text;
    }
    const QStringList exceptions = Exceptions(result);
    if (exceptions.isEmpty())
        return "All files were successfully converted to " + AppTitle() + " format.\r\n\r\n" + note;
    return "Converted with exceptions:\r\n" + exceptions.join("\r\n") + "\r\n\r\n" + note;
}

ConversionResult RunConversion(Database& db, const ConversionPlan& plan, const ConvertProgress& progress,
                               ProgressReporter* recompute) {
    if (db.InTransaction()) {
        // Another run is still open on this database: a run inside it would be stored or undone
        // with that one, whatever this one reports.
        ConversionResult refused;
        refused.report = plan.report;
        refused.failures << "another conversion or recomputation is still running";
        return refused;
    }
    if (TerminationRequested()) {  // told to end while the run was planned or asked about
        ConversionResult withdrawn;
        withdrawn.report = plan.report;
        withdrawn.withdrawn = true;
        return withdrawn;
    }
    return Writer(db, plan, progress).Run(recompute);
}

ConversionResult ConvertFolder(Database& db, const QString& folder, int nameFormat, bool dayFirst,
                               const ConvertProgress& progress, ProgressReporter* recompute) {
    return RunConversion(db, PlanFolder(db, folder, nameFormat, dayFirst), progress, recompute);
}

}  // namespace dc
