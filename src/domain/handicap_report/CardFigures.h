#pragma once
// What one handicap card shows of a player: the index and tournament index stored with his newest
// round (the default index of his gender without rounds, none when all his rounds were left out as
// older than the window), the course handicap for that round's slope, and up to 20 recent scores, newest first, "T" for a tournament score and "*" for the
// scores that count for the handicap.

#include <QString>
#include <QStringList>
#include <vector>

#include "handicap_report/HcpReport.h"

namespace dc {

struct CardFigures {
    QStringList scores;  // at most 20
    float index = 0;
    float tIndex = kNoTournIndexF;
    QString hcpText = "0";  // for the newest round's slope; "" without rounds (cards print the chosen tee's)
    bool hasIndex = true;   // false: the card shows no index and no course handicap
};

// From the player's rounds, newest first (HcpReportStore::LoadReportRounds), for 18 holes or nines;
// `olderRoundsOnly`: he has rounds, but none on or after the one-year window's start.
CardFigures ComputeCardFigures(const std::vector<ReportRound>& rounds, bool is18, RuleSet rules,
                               const QString& gender = QString(), bool olderRoundsOnly = false);

// The card's course handicap of an index (or of the tournament index when there is one), whole.
QString CardHcpText(float index, float tIndex, double slope);

// The average of the numbers the score texts begin with, "##0.0"; "" for no scores.
QString AverageText(const QStringList& scores);

}  // namespace dc
