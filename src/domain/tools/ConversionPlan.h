#pragma once
// The rules that turn an earlier version's data files into rows, applied in memory before anything
// is written: which courses, players and rounds a folder adds to what is stored, and everything
// left out and why. No database here; Conversion reads what is stored and writes the plan.

#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

#include "records/TeeBoxPacking.h"
#include "tools/OldDataFiles.h"
#include "tools/OldFieldRules.h"

namespace dc {

struct StoredGolfer {
    int id = 0;
    QString gender, last, first, mi;
};

// What runs took from one old round file.
struct TakenRounds {
    int playerId = 0;            // the player its rounds went to
    QHash<quint64, int> counts;  // OldRoundKey -> how many records of that key were taken
};

// What conversions took from old data files: the course each old course record became, the players
// each old golfer became, and the round records taken from each round file. An old record is known
// by what the old files hold, never by a folder's path, so a folder moved, copied to another computer
// or played on since is recognised, and whatever was edited in the database since does not matter.
struct ConvertedRecords {
    QHash<QString, int> courses;         // OldCourseKey -> COURSE_ID (a later run's row wins)
    QHash<QString, QList<int>> golfers;  // OldGolferKey -> the PLAYER_IDs it became, in the order taken
    QHash<QString, TakenRounds> files;   // upper-case round file name -> what was taken from it
    // As earlier builds remembered them (read, never written): the course an old course name became,
    // and the round keys taken for the players of a golfer key (upper case).
    QHash<QString, int> coursesByName;
    QHash<QString, QSet<quint64>> roundsByKey;
};

// What the database holds before the run.
struct StoredData {
    QHash<QString, int> courses;        // upper-case trimmed name -> the first COURSE_ID of that name
    QHash<int, QString> courseNames;    // COURSE_ID -> COURSE_NAME
    QHash<int, QString> coursePars;     // COURSE_ID -> CourseFingerprint of the pars alone
    QHash<int, QString> courseFigures;  // COURSE_ID -> CourseFingerprint (ratings, slopes, pars)
    int maxCourseId = 0, maxPlayerId = 0;
    QHash<QString, QList<StoredGolfer>> golfers;  // upper-case CV_PREV_FILE_NAME -> its players
    // RoundSignature of each stored round of a player -> the COURSE_IDs it is stored on.
    std::function<QHash<QString, QList<int>>(int playerId)> roundsOf;
    // What earlier conversions took; empty for a database converted into before it kept that, where
    // courses, golfers and rounds are found again by their names, tee boxes and scores.
    ConvertedRecords converted;
};

struct PlannedCourse {
    int id = 0;
    QString name;
    PackedCourse packed;
};

struct PlannedPlayer {
    int id = 0;
    QString key;
    std::optional<SplitName> name;
    QString gender;
};

struct PlannedRound {
    int playerId = 0, courseId = 0;
    QDate date;
    std::optional<int> teeSlot;
    double rating = 0;
    int slope = 0, useHcp = 0, useTourn = 0;
    std::optional<double> gameCost, cartCost, otherCost;  // nothing: left empty
    QString notes;
    std::array<int, 18> gross{};
    float hcpIndex = 0, tHcpIndex = 0;  // as the old file holds them
    double nineIndex = 0;
    std::optional<int> adjScore;  // .GDB rounds only, with their pars and putts
    QString par, putts;
};

// What a run converts and what it leaves out; the closing message is made from it. The lists
// name each record, golfer, course or round concerned, one line each.
struct ConversionReport {
    int courseRecords = 0, golferRecords = 0;
    QStringList coursesSkipped;     // course records empty or unreadable: file, position, what was read
    QStringList coursesKnown;       // courses found by their tee boxes under another name
    QStringList coursesMerged;      // course records of another course's name: their rounds go there
    QStringList teeBoxesEmptied;    // tee boxes with a rating or slope out of range
    QStringList golfersSkipped;     // golfer records empty or unreadable
    QStringList convertedBefore;    // the file's golfer and the stored player who is the same person
    QStringList sameKeyNewPlayers;  // another person than the stored player of that key: added anew
    QStringList sharedKeys;         // golfers of one key in the file: the rounds go to the first
    QStringList roundsUnreadable;   // golfer, date, course, what could not be read
    QStringList roundsOutOfRange;   // golfer, date, course, the field out of range
    QStringList roundsNoCourse;     // golfer, date, course
    QStringList roundsDuplicate;    // golfer, date, course, where it is stored
    QStringList notesCleaned;       // rounds kept whose notes lost control characters
    QStringList costsEmptied;       // costs out of range, left empty
    QStringList undated;            // rounds given the previous round's date: golfer, record, date given
    QStringList files;              // "name: why" for each file not read, or not read whole
    bool Clean() const;
};

struct ConversionPlan {
    QList<PlannedCourse> courses;
    QList<PlannedPlayer> players;
    QList<PlannedRound> rounds;
    ConvertedRecords taken;  // what this run takes that earlier ones did not: kept with the run
    ConversionReport report;
};

// Plans the run over the files of a folder (ReadOldFolder) against what is stored.
ConversionPlan PlanConversion(const QList<OldFile>& files, int nameFormat, bool dayFirst,
                              const StoredData& stored);

}  // namespace dc
