// Makes a golfer's database for the recomputation benchmark: N players with M rounds each on a
// few courses, realistic scores by each player's skill, some tournament, nine-hole and
// non-handicap rounds, dated up to today. The index columns are left empty, as after an import.
//
//   make_bench_db <path> <players> <rounds-per-player> [blank-database]
//
// The blank database defaults to program/DBFiles/CV54Blank.MDB beside this program.

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <cstdio>
#include <random>

#include "handicap/RoundRec.h"
#include "platform/Database.h"
#include "shell/ProgramDb.h"
#include "shell/Version.h"

using namespace dc;

namespace {

struct Tee {
    QString pars;  // 18 digits
    double rating;
    int slope;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_bench_db <path> <players> <rounds-per-player> [blank-database]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int players = std::atoi(argv[2]);
    const int rounds = std::atoi(argv[3]);
    const QString blank = argc > 4
                              ? QString::fromLocal8Bit(argv[4])
                              : QCoreApplication::applicationDirPath() + "/program/DBFiles/" + kBlankDbName;
    if (!QFile::exists(blank)) {
        std::fprintf(stderr, "blank database not found: %s\n", qPrintable(blank));
        return 1;
    }
    QFile::remove(path);
    if (!QFile::copy(blank, path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);

    try {
        auto db = Database::Open(path, kDBPassword);
        Database::Transaction all(*db);
        db->Execute(
            "INSERT INTO SETUP (SOUNDS, FLAG_18_9, US_CA_FLAG, LABEL_STYLE, XOFFSET, YOFFSET, VERSION) "
            "VALUES (0, 1, 1, '2', 0, 0, ?)",
            {VersionText()});

        std::mt19937 rng(20261206);
        auto uniform = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

        // Four courses with four tee boxes each; pars per tee box, men's and women's ratings.
        const QString parSets[4] = {"443453544454345434", "454344534435445344", "344545434453454434",
                                    "445354344544354443"};
        std::vector<std::vector<Tee>> menTees(4), womenTees(4);
        for (int c = 0; c < 4; ++c) {
            QString tb, mcr, msl, wcr, wsl, mpars, wpars;
            for (int t = 0; t < 4; ++t) {
                const double mRating = 74.5 - t * 1.6 - c * 0.4, wRating = mRating + 3.1;
                const int mSlope = 138 - t * 6 - c * 2, wSlope = mSlope - 4;
                tb += QString("%1").arg(QString("Tee %1").arg(t + 1), 20);
                mcr += QString::number(mRating, 'f', 1);
                wcr += QString::number(wRating, 'f', 1);
                msl += QString("%1").arg(mSlope, 3, 10, QChar('0'));
                wsl += QString("%1").arg(wSlope, 3, 10, QChar('0'));
                mpars += parSets[c];
                wpars += parSets[(c + 1) % 4];
                menTees[c].push_back({parSets[c], mRating, mSlope});
                womenTees[c].push_back({parSets[(c + 1) % 4], wRating, wSlope});
            }
            db->Execute(
                "INSERT INTO COURSES (COURSE_ID, COURSE_NAME, TB, MCR, MSL, WCR, WSL, MPARS, WPARS) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                {c + 1, QString("Course %1").arg(c + 1), tb, mcr, msl, wcr, wsl, mpars, wpars});
        }

        // Every column but the ones the engine computes.
        QStringList names;
        for (const QString& c : RoundFieldOrder())
            if (!c.startsWith("HCP_INDEX_") && !c.startsWith("THCP_INDEX_") && !c.startsWith("ADJSCR_"))
                names << c;
        QStringList marks;
        for (int i = 0; i < names.size(); ++i) marks << "?";
        const QString insert =
            "INSERT INTO INDIV_SCORES (" + names.join(",") + ") VALUES (" + marks.join(",") + ")";

        const QDate today = QDate::currentDate();
        for (int p = 1; p <= players; ++p) {
            const bool man = uniform(0, 9) < 8;
            db->Execute("INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME, GENDER) VALUES (?, ?, ?, ?)",
                        {p, QString("Golfer%1").arg(p), QString("Bench"), man ? "M" : "F"});
            const double skill = uniform(0, 320) / 10.0;  // strokes over par on a typical day
            const int homeCourse = uniform(0, 3);
            const int homeTee = uniform(0, 3);
            // Dated back from today, a round every few days, some on the same day.
            QDate date = today.addDays(-rounds * 5);
            for (int g = 1; g <= rounds; ++g) {
                date = date.addDays(uniform(0, 9));
                if (date > today) date = today;
                const int c = uniform(0, 9) < 7 ? homeCourse : uniform(0, 3);
                const int t = uniform(0, 9) < 8 ? homeTee : uniform(0, 3);
                const Tee& tee = man ? menTees[c][t] : womenTees[c][t];
                const int kind = uniform(0, 19);  // 0: front nine only, 1: back nine only
                std::array<int, 18> gross{};
                int front = 0, back = 0;
                std::normal_distribution<double> day(skill, 3.0);
                const double over = std::max(-2.0, day(rng));
                for (int h = 0; h < 18; ++h) {
                    if ((kind == 0 && h >= 9) || (kind == 1 && h < 9)) continue;
                    const int par = tee.pars[h].digitValue();
                    std::poisson_distribution<int> extra(std::max(0.05, over / 18.0 + 0.15));
                    gross[h] = std::max(1, par - (uniform(0, 30) == 0 ? 1 : 0) + extra(rng));
                    (h < 9 ? front : back) += gross[h];
                }
                QVariantList v{
                    p, c + 1,      g,         date.toString("yyyy-MM-dd"), uniform(1, 999999),
                    t, tee.rating, tee.slope, uniform(0, 19) != 0 ? 1 : 0, uniform(0, 6) == 0 ? 1 : 0};
                for (int s : gross) v << s;
                QString putts;
                for (int h = 0; h < 18; ++h) putts += QString("%1").arg(gross[h] ? uniform(1, 3) : 0, 2);
                v << front + back << front << back << tee.pars << putts << QString(18, '0')
                  << QString(18, '0') << QString(18, '0') << 45.0 << 18.0 << 0.0 << " ";
                db->Execute(insert, v);
            }
        }
        all.Commit();
    } catch (const DbError& e) {
        std::fprintf(stderr, "error %d: %s\n", e.number(), qPrintable(e.description()));
        return 1;
    }
    std::printf("%s: %d players x %d rounds\n", qPrintable(path), players, rounds);
    return 0;
}
