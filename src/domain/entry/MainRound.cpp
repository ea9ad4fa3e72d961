#include "entry/MainRound.h"

#include "entry/RoundRecalc.h"
#include "handicap/AllowableScores.h"
#include "handicap/HcpRules.h"

namespace dc {

QString MainRound::FigureText(double value) { return QString::number(value, 'g', 15); }

void MainRound::SetStored(const RoundRec& loaded) {
    isNew_ = false;
    shownGame_ = storedGame_ = loaded.GAME_NUMBER;
    storedRndGameId_ = loaded.RND_GAME_ID;
    storedRowId_ = loaded.rowId;
    loaded_ = loaded;
    courseId_ = loaded.COURSE_ID;
    teeBox_ = loaded.TEE_BOX_ID;
    teeSlope_ = loaded.SLOPE_RATING;
    teeRating_ = loaded.COURSE_RATING;
    // The indexes were taken before (the round's own and those before it); the capped scores are the stored
    // ones.
    storedFigures_ = figures_;
    for (int c = 0; c < 6; ++c) storedFigures_[c].adjusted = loaded.ADJSCR[c];
}

void MainRound::SetNew() {
    isNew_ = true;
    shownGame_ = -1;
    storedGame_ = storedRndGameId_ = 0;
    storedRowId_ = 0;
    loaded_.reset();
}

void MainRound::TakeStoredGender(bool male) {
    if (!GenderCorrected()) male_ = male;
    playerMale_ = male;
}

void MainRound::SetTee(int teeBox, int slope, double rating) {
    teeBox_ = teeBox;
    teeSlope_ = slope;
    teeRating_ = rating;
}

void MainRound::SetStartValues(bool male) {
    const HcpGridStart g = Game1Grid(male);
    for (int c = 0; c < 6; ++c) {
        VariantFigures& f = figures_[c];
        f.prevIndex = g.prevIndex[c];
        f.prevTIndex = g.prevTIndex[c];
        f.currIndex = g.currIndex[c];
        f.currTIndex = g.currTIndex[c];
    }
}

void MainRound::SetPrevious(const PrevIndexes& prev, bool asCurrent) {
    for (int c = 0; c < 6; ++c) {
        VariantFigures& f = figures_[c];
        if (prev.index[c]) {
            f.prevIndex = StoredIndexValue(float(*prev.index[c]));
            if (asCurrent) f.currIndex = f.prevIndex;
        }
        if (prev.tIndex[c]) {
            f.prevTIndex = StoredIndexValue(float(*prev.tIndex[c]));
            if (asCurrent) f.currTIndex = f.prevTIndex;
        }
    }
}

void MainRound::SetGenderDefaults(bool male) {
    for (int c : {US_18, CA_18}) {
        figures_[c].prevIndex = StoredIndexValue(DefaultIndex(male ? 0 : 1));
        if (isNew_) figures_[c].currIndex = figures_[c].prevIndex;
    }
}

void MainRound::SetCurrent(const RoundRec& round) {
    for (int c = 0; c < 6; ++c) {
        figures_[c].currIndex = StoredIndexValue(float(round.HCP_INDEX[c]));
        figures_[c].currTIndex = StoredIndexValue(float(round.THCP_INDEX[c]));
    }
}

void MainRound::UpdateCourseHcps(int slope) {
    for (int c = 0; c < 6; ++c)
        nCourseHcp_[c] =
            slope <= 0 ? 0 : ColumnCourseHcp(figures_[c].prevIndex, figures_[c].prevTIndex, slope);
    allowed_ = true;
}

void MainRound::ClearCourseHcps() {
    nCourseHcp_.fill(0);
    allowed_ = false;
}

QString MainRound::AllowScoreText(int c) const {
    return allowed_ ? AllowableScoreText(static_cast<HcpVariant>(c - 1), nCourseHcp_[c - 1]) : QString();
}

void MainRound::UpdateAdjusted(const std::array<int, 18>& gross, const std::array<int, 18>& pars) {
    const std::array<int, 6> adj = AdjustedScores(gross, pars, nCourseHcp_);
    for (int c = 0; c < 6; ++c) figures_[c].adjusted = allowed_ ? std::optional<int>(adj[c]) : std::nullopt;
}

void MainRound::KeepStoredFigures() {
    figures_ = storedFigures_;
    if (allowed_) UpdateCourseHcps(teeSlope_);
}

namespace {
// A round's figures as the stored row reads them.
RoundRec StoredFiguresOf(const HcpRound& r) {
    RoundRec rec;
    rec.GAME_NUMBER = r.gameNumber;
    rec.USE_HCP = r.useHcp;
    for (int v = 0; v < 6; ++v) {
        rec.HCP_INDEX[v] = StoredIndexValue(r.hcpIndex[v]);
        rec.THCP_INDEX[v] = StoredIndexValue(r.tHcpIndex[v]);
        rec.ADJSCR[v] = r.adjScore[v];
    }
    return rec;
}
}  // namespace

void MainRound::TakeSaveFigures(SavePreview& preview, RoundEntry entry) {
    const HcpRound* before = preview.Before();
    const HcpRound* handicap = preview.BeforeHandicap();
    const std::optional<RoundRec> beforeRec = before ? std::optional(StoredFiguresOf(*before)) : std::nullopt;
    const std::optional<RoundRec> handicapRec =
        handicap ? std::optional(StoredFiguresOf(*handicap)) : std::nullopt;
    // A back nine after the round's own front nine starts from the index that front nine gives, so
    // the previous indexes are taken again from the saved round until they stay the same.
    std::optional<RoundRec> saved;
    for (int pass = 0; pass < 3; ++pass) {
        const std::array<VariantFigures, 6> was = figures_;
        if (preview.Game() < 3 || !beforeRec)
            SetStartValues(male_);
        else
            SetPrevious(PreviousIndexes(*beforeRec, handicapRec ? &*handicapRec : nullptr,
                                        saved ? &*saved : nullptr, male_),
                        false);
        if (preview.Game() < 5) SetGenderDefaults(male_);  // one of the first four games, once saved
        if (allowed_) UpdateCourseHcps(teeSlope_);
        UpdateAdjusted(RowValues(kRowGross), RowValues(kRowPar));
        FillEntry(entry);
        saved = StoredFiguresOf(preview.Saved(entry));
        bool same = pass > 0;
        for (int c = 0; c < 6 && same; ++c)
            same = was[c].prevIndex == figures_[c].prevIndex && was[c].prevTIndex == figures_[c].prevTIndex;
        if (same) break;
    }
    for (int c = 0; c < 6; ++c) {
        VariantFigures& f = figures_[c];
        if (f.adjusted) f.adjusted = saved->ADJSCR[c];
        f.currIndex = StoredIndexValue(float(saved->HCP_INDEX[c]));
        f.currTIndex = StoredIndexValue(float(saved->THCP_INDEX[c]));
    }
}

QString MainRound::CurrentCourseHcpText(int c, int slope) const {
    const VariantFigures& f = figures_[c - 1];
    if (f.currTIndex != kNoTournIndex) return CourseHcpText(f.currTIndex, slope) + " T";
    return CourseHcpText(f.currIndex, slope, /*zeroIsPlain=*/true);
}

QString MainRound::PreviousCourseHcpText(int c, int slope) const {
    const VariantFigures& f = figures_[c - 1];
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
        entry.prevIndex[c] = figures_[c].prevIndex;
        entry.prevTIndex[c] = figures_[c].prevTIndex;
        entry.adjScore[c] = figures_[c].adjusted;
    }
    entry.teeRating = teeRating_;
    entry.teeSlope = teeSlope_;
    entry.isNew = isNew_;
    entry.gameNumber = storedGame_;
    entry.rndGameId = storedRndGameId_;
    entry.rowId = storedRowId_;
    entry.oldGame = isNew_ ? 0 : shownGame_;
    entry.genderIndex = male_ ? 0 : 1;
}

}  // namespace dc
