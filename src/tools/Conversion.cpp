#include "tools/Conversion.h"

#include <QDir>
#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cmath>

#include "handicap/HcpRules.h"
#include "handicap/RoundRec.h"
#include "platform/Database.h"
#include "records/CourseStore.h"
#include "shell/DateFormat.h"
#include "shell/ErrorReport.h"
#include "shell/FileStr.h"
#include "shell/Globals.h"
#include "tools/OldDataFiles.h"

namespace dc {

namespace {

const QString kTeeNames = "                 Red               White                Blue                Gold";

// A number in a fixed picture; zeros of the picture's width when the text would not fit it
// (too large, negative or not a number), so that a later slot never shifts.
QString Fixed(double value, int width, int decimals) {
    const QString zeros = decimals > 0 ? QString(width - decimals - 1, '0') + "." + QString(decimals, '0')
                                       : QString(width, '0');
    if (!std::isfinite(value) || value < 0) return zeros;
    const QString text = QString::number(value, 'f', decimals).rightJustified(width, '0');
    return text.size() == width ? text : zeros;
}

double OneDecimal(float v) { return std::isfinite(v) ? std::round(double(v) * 10.0) / 10.0 : 0.0; }
double Cents(float v) { return std::isfinite(v) ? std::round(double(v) * 100.0) / 100.0 : 0.0; }
double IndexValue(float v) { return std::isfinite(v) ? StoredIndexValue(v) : 0.0; }

// The 1-based positions p..q of the name field, trimmed (empty past the end).
QString Piece(const QString& n, int from, int to = 20) {
    return n.mid(from - 1, std::max(0, to - from + 1)).trimmed();
}

// "First MI" after a comma: a trailing single letter after a blank is the middle initial.
SplitName FirstAndInitial(const QString& last, const QString& rest) {
    const int blank = rest.lastIndexOf(' ');
    if (blank > 0 && rest.size() - blank - 1 == 1)
        return {last, rest.left(blank).trimmed(), rest.mid(blank + 1)};
    return {last, rest.isEmpty() ? QString(" ") : rest, QString()};
}

struct StepInfo {
    ConvertStep step;
    const char* tag;
    const char* label;
};

// A flag character: "0" = no, another digit = yes; nothing for anything else.
std::optional<int> FlagOf(QChar c) {
    if (c < QChar('0') || c > QChar('9')) return std::nullopt;
    return c == '0' ? 0 : 1;
}

class Converter {
  public:
    Converter(Database& db, const QString& folder, int nameFormat,
              const std::function<void(ConvertStep, int, int)>& progress)
        : db_(db), folder_(folder), format_(nameFormat), progress_(progress) {}

    ConversionResult Run() {
        Database::Transaction all(db_);
        RunStep({ConvertStep::Courses, "Form ConvertUtil, ConvertCourses", "Courses"}, [this] { Courses(); });
        RunStep({ConvertStep::Golfers, "Form ConvertUtil, ConvertGolfers", "Golfers"}, [this] { Golfers(); });
        RunStep({ConvertStep::Rounds, "Form ConvertUtil, Convert Rounds", "Rounds"}, [this] { Rounds(); });
        all.Commit();
        return r_;
    }

  private:
    void Report(ConvertStep step, int done, int total) {
        if (progress_) progress_(step, done, total);
    }

    template <typename F>
    void RunStep(const StepInfo& s, F body) {
        try {
            Database::Transaction unit(db_);
            body();
            unit.Commit();
        } catch (...) {
            // The engine gave up the whole transaction (disk full, I/O): the run ends here.
            if (!db_.InTransaction()) throw;
            const ErrorInfo e = CurrentError();
            ReportCurrentError(s.tag, Sql::With);
            r_.failures << QString("%1: %2 (nothing of this step was kept)").arg(s.label, e.description);
            if (s.step == ConvertStep::Courses) r_.coursesConverted = 0;
            if (s.step == ConvertStep::Golfers) r_.golfersConverted = r_.golfersSkipped = 0;
            if (s.step == ConvertStep::Rounds) r_.roundsStored = r_.roundsNoCourse = r_.roundsBadFlag = 0;
        }
    }

    QString Path(const QString& name) const { return QDir(folder_.trimmed()).filePath(name); }

    // The golfer or course file of the folder (.GDB, else .DBF); no records when there is none.
    OldDataFile StepFile(const QString& stem, int recordLength) const {
        OldDataFile file;
        const QString path = LocateDataFile(folder_.trimmed(), stem);
        if (!path.isEmpty()) file.Open(path, recordLength);
        return file;
    }

    void Courses() {
        const OldDataFile file = StepFile("COURSE", kCourseRecLen);
        r_.courseRecords = file.Count();
        const QString sql = "Select Max(COURSE_ID) as nMaxID From COURSES";
        int key = db_.Scalar(sql).toInt();
        const QHash<QString, int> stored = CourseNames();
        QSet<QString> names(stored.keyBegin(), stored.keyEnd());
        for (int n = 1; n <= file.Count(); ++n) {
            const auto rec = DecodeCourse(file.Record(n));
            if (!rec) continue;
            const QString upper = rec->name.left(20).trimmed().toUpper();
            if (names.contains(upper)) continue;
            ++key;
            const QString name = OldCourseName(rec->name, key);
            InsertCourse(key, name, PackOldCourse(*rec));  // no yardages: YARDS stays empty
            names.insert(name.toUpper());
            ++r_.coursesConverted;
        }
        Report(ConvertStep::Courses, r_.coursesConverted, r_.courseRecords);
    }

    // Upper-case trimmed course name -> the first COURSE_ID of that name.
    QHash<QString, int> CourseNames() {
        const QString sql = "Select COURSE_ID, COURSE_NAME From COURSES Order By COURSE_ID";
        Recordset rs = db_.OpenRecordset(sql);
        QHash<QString, int> ids;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            const QString name = rs["COURSE_NAME"].str().trimmed().toUpper();
            if (!ids.contains(name)) ids.insert(name, static_cast<int>(rs["COURSE_ID"].toLong()));
        }
        return ids;
    }

    static bool AllZero(std::span<const uint8_t> bytes) {
        return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
    }

    void Golfers() {
        const OldDataFile file = StepFile("GOLFER", kGolferRecLen);
        r_.golferRecords = file.Count();
        const QString sql = "Select Max(PLAYER_ID) as nMaxID From PLAYERS";
        int key = db_.Scalar(sql).toInt();
        for (int n = 1; n <= file.Count(); ++n) {
            const auto rec = DecodeGolfer(file.Record(n));
            const auto gender = rec ? FlagOf(rec->gender) : std::nullopt;
            if (!rec || !gender || AllZero(file.Record(n))) {
                ++r_.golfersSkipped;
                continue;
            }
            QString shortKey;
            CompactKey(rec->name, 8, shortKey);
            const auto name = SplitOldName(rec->name, format_);
            ++key;
            const QString sql =
                "Insert Into PLAYERS (PLAYER_ID,CV_PREV_FILE_NAME,LAST_NAME,FIRST_NAME,MI,GENDER) "
                "Values (?,?,?,?,?,?)";
            const QVariant none;
            db_.Execute(
                sql, {key, shortKey, name ? QVariant(name->last) : none, name ? QVariant(name->first) : none,
                      name && name->mi ? QVariant(*name->mi) : none, *gender == 0 ? "M" : "F"});
            ++r_.golfersConverted;
        }
        Report(ConvertStep::Golfers, r_.golfersConverted, r_.golferRecords);
    }

    struct Golfer {
        int id = 0;
        QString gender;
    };

    // Upper-case CV_PREV_FILE_NAME -> the first player with that key.
    QHash<QString, Golfer> GolferKeys() {
        const QString sql = "Select PLAYER_ID, GENDER, CV_PREV_FILE_NAME From PLAYERS Order By PLAYER_ID";
        Recordset rs = db_.OpenRecordset(sql);
        QHash<QString, Golfer> keys;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            const QString k = rs["CV_PREV_FILE_NAME"].str().trimmed().toUpper();
            if (!k.isEmpty() && !keys.contains(k))
                keys.insert(k, {static_cast<int>(rs["PLAYER_ID"].toLong()), rs["GENDER"].str()});
        }
        return keys;
    }

    void Rounds() {
        const QHash<QString, int> courses = CourseNames();
        const QHash<QString, Golfer> golfers = GolferKeys();
        for (const QString& name : ListDataFiles(folder_.trimmed())) {
            if (!IsRoundFile(name)) continue;
            const bool dbf = IsDbfFile(name);
            OldDataFile file;
            if (!file.Open(Path(name), dbf ? kRoundRecLenDbf : kRoundRecLenGdb)) continue;
            const qint64 len = dbf ? kRoundRecLenDbf : kRoundRecLenGdb;
            if (file.Length() == 0 || file.Length() % len != 0) continue;
            const auto golfer = golfers.find(name.section('.', 0, 0).toUpper());
            if (golfer == golfers.end()) continue;
            nCurPlayerID = golfer->id;
            RoundFile(file, !dbf, *golfer, courses);
        }
    }

    void RoundFile(const OldDataFile& file, bool gdb, const Golfer& golfer,
                   const QHash<QString, int>& courses) {
        const QString sql = "Select Max(GAME_NUMBER) From INDIV_SCORES Where PLAYER_ID=?";
        int game = db_.Scalar(sql, {golfer.id}).toInt();
        QSet<int> keys = UsedRoundKeys(golfer.id);
        QDate previous(1900, 1, 1);
        const double nine = golfer.gender == "M" ? 18.2 : 20.2;
        for (int n = 1; n <= file.Count(); ++n) {
            const auto rec = DecodeRound(file.Record(n), gdb);
            if (!rec || rec->empty) continue;
            const auto course = courses.find(rec->course.left(20).trimmed().toUpper());
            if (course != courses.end()) {
                nCurCourseID = *course;
                courseFound_ = true;
            } else if (!courseFound_) {
                ++r_.roundsNoCourse;  // no course of this run to fall back on
                continue;
            }
            const auto useHcp = FlagOf(rec->hcpFlag);
            const auto useTourn = rec->tournFlag ? FlagOf(*rec->tournFlag) : std::optional<int>(0);
            if (!useHcp || !useTourn) {
                ++r_.roundsBadFlag;
                continue;
            }
            ++game;
            if (const auto d = ParseOldDate(rec->date)) previous = *d;
            if (StoreRound(*rec, golfer.id, game, previous, *useHcp, *useTourn, nine, keys))
                ++r_.roundsStored;
            Report(ConvertStep::Rounds, r_.roundsStored, 0);
        }
    }

    QSet<int> UsedRoundKeys(int playerId) {
        const QString sql = "Select RND_GAME_ID From INDIV_SCORES Where PLAYER_ID=?";
        Recordset rs = db_.OpenRecordset(sql, {playerId});
        QSet<int> keys;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            keys.insert(static_cast<int>(rs["RND_GAME_ID"].toLong()));
        return keys;
    }

    // Adds the round's row unless its gross total is 0; true when stored.
    bool StoreRound(const OldRoundRec& x, int playerId, int game, const QDate& date, int useHcp, int useTourn,
                    double nineIndex, QSet<int>& keys) {
        QStringList cols{"PLAYER_ID",     "COURSE_ID",    "GAME_NUMBER", "RND_GAME_ID", "ROUND_DATE",
                         "COURSE_RATING", "SLOPE_RATING", "USE_HCP",     "USE_TOURN",   "GAME_COST",
                         "CART_COST",     "OTHER_COST",   "NOTES"};
        int key;
        do key = QRandomGenerator::global()->bounded(1, 1000000);
        while (keys.contains(key));
        QVariantList v{playerId,
                       nCurCourseID,
                       game,
                       key,
                       DbDate(date),
                       OneDecimal(x.rating),
                       x.slope,
                       useHcp,
                       useTourn,
                       Cents(x.gameCost),
                       Cents(x.cartCost),
                       Cents(x.otherCost),
                       x.notes};
        if (const auto slot = TeeSlotOfOld(x.tee)) cols << "TEE_BOX_ID", v << *slot;
        int front = 0, back = 0;
        for (int h = 0; h < 18; ++h) {
            cols << RoundFieldOrder().at(kOrdinalGS01 + h);
            v << x.gross[h];
            (h < 9 ? front : back) += x.gross[h];
        }
        if (front + back <= 0) return false;
        cols << "GSF9"
             << "GSB9"
             << "GSTOTAL"
             << "HCP_INDEX_US_18"
             << "THCP_INDEX_US_18";
        v << front << back << front + back << IndexValue(x.hcpIndex) << IndexValue(x.tHcpIndex);
        for (const char* nineCol :
             {"HCP_INDEX_US_F9", "HCP_INDEX_US_B9", "HCP_INDEX_CA_F9", "HCP_INDEX_CA_B9"})
            cols << nineCol, v << nineIndex;
        for (const char* nineCol :
             {"THCP_INDEX_US_F9", "THCP_INDEX_US_B9", "THCP_INDEX_CA_F9", "THCP_INDEX_CA_B9"})
            cols << nineCol, v << kNoTournIndex;
        if (x.parPutts) {
            QString pars, putts;
            for (int value : *x.parPutts) {
                pars += Fixed(ParOfCombined(value), 1, 0);
                putts += Fixed(PuttsOfCombined(value), 2, 0);
            }
            cols << "PAR"
                 << "PUTTS"
                 << "ADJSCR_US_18";
            v << pars << putts << *x.adjScore;
        }
        QStringList marks;
        for (int i = 0; i < cols.size(); ++i) marks << "?";
        const QString sql =
            "Insert Into INDIV_SCORES (" + cols.join(",") + ") Values (" + marks.join(",") + ")";
        db_.Execute(sql, v);
        keys.insert(key);
        return true;
    }

    Database& db_;
    QString folder_;
    int format_;
    const std::function<void(ConvertStep, int, int)>& progress_;
    ConversionResult r_;
    bool courseFound_ = false;
};

}  // namespace

const QStringList& NameFormats() {
    static const QStringList formats{"Last, First", "Last, First MI", "Last Name Only",
                                     "First Last",  "First MI Last",  "First Name Only"};
    return formats;
}

std::optional<SplitName> SplitOldName(const QString& name20, int format) {
    const QString n = name20.left(20).leftJustified(20, ' ');
    const SplitName lastOnly{n.trimmed(), " ", std::nullopt};
    switch (format) {
        case 0:
        case 1: {
            const int p = n.indexOf(',') + 1;
            if (p == 0) return lastOnly;
            const QString last = Piece(n, 1, p - 1), rest = Piece(n, p + 1);
            if (format == 1) return FirstAndInitial(last, rest);
            return SplitName{last, rest.isEmpty() ? QString(" ") : rest, std::nullopt};
        }
        case 2:
            return lastOnly;
        case 3:
        case 4: {
            const int p = n.indexOf(' ') + 1;
            if (p == 0) return lastOnly;
            if (format == 3) return SplitName{Piece(n, p + 1), Piece(n, 1, p - 1), std::nullopt};
            return SplitName{Piece(n, p + 3), Piece(n, 1, p - 1), Piece(n, p + 1, p + 1)};
        }
        case 5:
            return SplitName{" ", n.trimmed(), std::nullopt};
        default:
            return std::nullopt;
    }
}

PackedCourse PackOldCourse(const OldCourseRec& c) {
    PackedCourse p;
    p.TB = kTeeNames;
    QString hcp, pars;
    for (int h = 0; h < 18; ++h) hcp += Fixed(c.hcpRank[h], 2, 0);
    for (int t = 2; t >= 0; --t) {
        p.MCR += Fixed(c.rating[t], 4, 1);
        p.MSL += Fixed(c.slope[t], 3, 0);
        for (int h = 0; h < 18; ++h) pars += Fixed(t == 2 ? c.par[h][t] % 32 : c.par[h][t], 1, 0);
    }
    pars += QString(18, '0');
    p.WCR = p.MCR;
    p.WSL = p.MSL;
    p.MHCP = p.WHCP = hcp.repeated(4);
    p.MPARS = p.WPARS = pars;
    return p;
}

QString OldCourseName(const QString& name30, int courseId) {
    const QString name = name30.left(20).trimmed();
    return name.isEmpty() ? QString::number(courseId) : name;
}

std::optional<int> TeeSlotOfOld(QChar tee) {
    if (tee == '1') return 2;
    if (tee == '2') return 1;
    if (tee == '3') return 0;
    return std::nullopt;
}

std::optional<QDate> ParseOldDate(const QString& text) {
    static const QRegularExpression re("^\\s*(\\d{1,2})[/.\\-](\\d{1,2})[/.\\-](\\d{2}|\\d{4})\\s*$");
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int a = m.captured(1).toInt(), b = m.captured(2).toInt();
    int y = m.captured(3).toInt();
    if (m.captured(3).size() == 2) y += y < 30 ? 2000 : 1900;  // the two-digit year window of the time
    const bool monthFirst = sDateFormat != "DD/MM/YYYY";
    const QDate d = monthFirst ? QDate(y, a, b) : QDate(y, b, a);
    if (!d.isValid()) return std::nullopt;
    return d;
}

QString StartCheckMessage(const QString& folder, const QStringList& files, const QString& programFolder) {
    auto has = [&](const QString& head) {
        return std::any_of(files.begin(), files.end(),
                           [&](const QString& f) { return f.left(7).toUpper() == head; });
    };
    if (files.isEmpty())
        return "No files are present to convert.  Please find a directory that contains the Golfer, Course "
               "and "
               "player files from a previous of version of Dado Corvy.";
    if (!has("GOLFER."))
        return "A valid Golfer File was not found.  Please find a valid Golfer file from a previous version "
               "of "
               "Dado Corvy and copy it inot the selected folder with the other Dado Corvy files to be "
               "converted.";
    if (!has("COURSE."))
        return "A valid Course File was not found.  Please find a valid Course file from a previous version "
               "of "
               "Dado Corvy and copy it inot the selected folder with the other Dado Corvy files to be "
               "converted.";
    if (QDir::cleanPath(folder.trimmed()).toUpper() == QDir::cleanPath(programFolder.trimmed()).toUpper())
        return "Files located within the Dado Corvy directory cannot be converted. Please select a new Path "
               "to "
               "locate files.";
    return QString();
}

QString ConversionMessage(const ConversionResult& r) {
    const QString note =
        "Note that you will need to manually enter Handicap holes and Tee Box information on the Course "
        "Screen "
        "and provide individual player information on the Add/Edit Player screen.";
    QString text = r.failures.isEmpty() && r.recomputed
                       ? "All files were successfully converted to " + sAppTitle + " format."
                       : "The conversion to " + sAppTitle + " format did not complete:";
    for (const QString& f : r.failures) text += "\r\n" + f;
    if (!r.recomputed) text += "\r\nThe handicap indexes could not be recomputed.";
    QStringList skipped;
    if (r.golfersSkipped) skipped << QString("%1 golfer record(s) empty or unreadable").arg(r.golfersSkipped);
    if (r.roundsNoCourse) skipped << QString("%1 round(s) whose course was not found").arg(r.roundsNoCourse);
    if (r.roundsBadFlag) skipped << QString("%1 round(s) with an unreadable flag").arg(r.roundsBadFlag);
    if (!skipped.isEmpty()) text += "\r\n\r\nNot converted: " + skipped.join("; ") + ".";
    return text + "\r\n\r\n" + note;
}

ConversionResult ConvertFolder(const QString& folder, int nameFormat,
                               const std::function<void(ConvertStep, int, int)>& progress) {
    return Converter(Db(), folder, nameFormat, progress).Run();
}

}  // namespace dc
