#include "entry/MainRound.h"

#include "handicap/AllowableScores.h"
#include "handicap/HcpRules.h"
#include "platform/Val.h"

namespace dc {

double MainRound::StoredIndex(float value) { return Val(IndexText(value)); }

QString MainRound::FigureText(double value) { return QString::number(value, 'g', 15); }

void MainRound::SetStored(int game, int rndGameId) {
    isNew = 0;
    shownGame = storedGame = game;
    storedRndGameId = rndGameId;
}

void MainRound::SetNew() {
    isNew = 1;
    shownGame = -1;
    storedGame = storedRndGameId = 0;
}

void MainRound::SetStartValues(bool male) {
    const HcpGridStart g = Game1Grid(male);
    for (int c = 0; c < 6; ++c) {
        VariantFigures& f = figures[c];
        f.prevIndex = Val(g.prevIndex[c]);
        f.prevTIndex = Val(g.prevTIndex[c]);
        f.currIndex = Val(g.currIndex[c]);
        f.currTIndex = Val(g.currTIndex[c]);
    }
}

void MainRound::SetPrevious(const PrevIndexes& prev, bool asCurrent) {
    for (int c = 0; c < 6; ++c) {
        VariantFigures& f = figures[c];
        if (prev.index[c]) {
            f.prevIndex = StoredIndex(float(*prev.index[c]));
            if (asCurrent) f.currIndex = f.prevIndex;
        }
        if (prev.tIndex[c]) {
            f.prevTIndex = StoredIndex(float(*prev.tIndex[c]));
            if (asCurrent) f.currTIndex = f.prevTIndex;
        }
    }
}

void MainRound::SetGenderDefaults(bool male) {
    for (int c : {US_18, CA_18}) {
        figures[c].prevIndex = StoredIndex(DefaultIndex(male ? 0 : 1));
        if (isNew) figures[c].currIndex = figures[c].prevIndex;
    }
}

void MainRound::SetCurrent(const RoundRec& round) {
    for (int c = 0; c < 6; ++c) {
        figures[c].currIndex = StoredIndex(float(round.HCP_INDEX[c]));
        figures[c].currTIndex = StoredIndex(float(round.THCP_INDEX[c]));
    }
}

void MainRound::UpdateCourseHcps(int slope) {
    for (int c = 0; c < 6; ++c)
        nCourseHcp[c] = slope <= 0 ? 0 : ColumnCourseHcp(figures[c].prevIndex, figures[c].prevTIndex, slope);
    sAllowScore = AllowableScoreTexts(nCourseHcp);
    for (int c = 0; c < 6; ++c) figures[c].allowScore = sAllowScore[c];
}

void MainRound::ClearCourseHcps() {
    nCourseHcp.fill(0);
    sAllowScore.fill(QString());
    for (VariantFigures& f : figures) f.allowScore.clear();
}

void MainRound::UpdateAdjusted(const std::array<int, 18>& gross, const std::array<int, 18>& pars) {
    const std::array<int, 6> adj = AdjustedScores(gross, pars, nCourseHcp, sAllowScore);
    for (int c = 0; c < 6; ++c)
        figures[c].adjusted = sAllowScore[c].isEmpty() ? std::nullopt : std::optional<int>(adj[c]);
}

QString MainRound::CurrentCourseHcpText(int c, int slope) const {
    const VariantFigures& f = figures[c - 1];
    const bool fromTourn = f.currTIndex != kNoTournIndex;
    // The index as the panel shows it, one decimal, "+" for a plus index (and a tournament 0).
    const QString shown = fromTourn ? TournIndexDisplayText(f.currTIndex) : IndexDisplayText(f.currIndex);
    const int h = CourseHcp(Val(QString(shown).remove('+')), slope);
    return (shown.startsWith('+') ? "+" : "") + QString::number(h) + (fromTourn ? " T" : "");
}

QString MainRound::PreviousCourseHcpText(int c, int slope) const {
    const VariantFigures& f = figures[c - 1];
    if (f.prevTIndex != kNoTournIndex) return CourseHcpText(f.prevTIndex, slope) + " T";
    return CourseHcpText(f.prevIndex, slope);
}

HoleFigure MainRound::Hole(int row, int hole) const { return holes_[row - 1][hole - 1]; }

void MainRound::SetHole(int row, int hole, HoleFigure figure) { holes_[row - 1][hole - 1] = figure; }

int MainRound::Tick(int row, int hole) const { return ticks_[row - kFigureRows - 1][hole - 1]; }

void MainRound::SetTick(int row, int hole, int ticked) {
    ticks_[row - kFigureRows - 1][hole - 1] = ticked != 0 ? 1 : 0;
}

std::array<int, 18> MainRound::RowValues(int row) const {
    std::array<int, 18> v{};
    for (int h = 1; h <= 18; ++h) v[h - 1] = row > kFigureRows ? Tick(row, h) : Hole(row, h).value_or(0);
    return v;
}

void MainRound::FillHoles(ScreenRound& screen) const {
    screen.gross = holes_[kRowGross - 1];
    screen.putts = holes_[kRowPutts - 1];
    screen.gir = ticks_[kRowGir - kFigureRows - 1];
    screen.sand = ticks_[kRowSand - kFigureRows - 1];
    screen.fhit = ticks_[kRowFHit - kFigureRows - 1];
}

void MainRound::FillEntry(RoundEntry& entry) const {
    entry.par = holes_[kRowPar - 1];
    entry.gross = holes_[kRowGross - 1];
    entry.putts = holes_[kRowPutts - 1];
    for (int h = 0; h < 18; ++h) {
        entry.gir[h] = ticks_[kRowGir - kFigureRows - 1][h] != 0;
        entry.sand[h] = ticks_[kRowSand - kFigureRows - 1][h] != 0;
        entry.fhit[h] = ticks_[kRowFHit - kFigureRows - 1][h] != 0;
    }
    for (int c = 0; c < 6; ++c) {
        entry.prevIndex[c] = figures[c].prevIndex;
        entry.prevTIndex[c] = figures[c].prevTIndex;
        entry.adjScore[c] = figures[c].adjusted;
    }
    entry.teeRating = teeRating;
    entry.teeSlope = teeSlope;
    entry.isNew = isNew == 1;
    entry.gameNumber = storedGame;
    entry.rndGameId = storedRndGameId;
    entry.oldGame = isNew == 1 ? 0 : shownGame;
    entry.hcpChanged = hcpChanged == 1;
    entry.genderIndex = male ? 0 : 1;
}

}  // namespace dc
