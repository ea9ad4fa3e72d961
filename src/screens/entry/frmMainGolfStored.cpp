// The main screen catching up with what other screens stored while it showed a round: a
// conversion, the player editor, the settings screen's recomputation or database switch, the course
// editor's re-rating. The screen shows what is stored now before the golfer acts on it again.
#include <QComboBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include "entry/MainRoundStore.h"
#include "entry/frmMainGolf.h"
#include "entry/frmMainGolfShared.h"
#include "handicap/HcpRules.h"
#include "handicap/RoundStore.h"
#include "platform/Database.h"
#include "records/CourseStore.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"
#include "shell/ListLoaders.h"
#include "shell/StoredChanges.h"

namespace dc {

using namespace mainscreen;

void frmMainGolf::TookOwnChanges(quint64 before) {
    // A change stored by another screen before this write and not yet caught up with (its notice
    // may have come while a question of this screen was open) is still caught up with after it.
    if (shownChanges_ == before) shownChanges_ = ctx_.Changes().Count();
}

void frmMainGolf::TakeTeeBoxFiguresNow() {
    // A stored round on the tee box it was played off keeps its own slope and rating.
    const std::optional<RoundRec>& stored = round.Loaded();
    const bool ownTee = !round.IsNew() && stored && stored->COURSE_ID == round.CourseId() &&
                        stored->TEE_BOX_ID == round.TeeBox();
    RefreshTeeFigures(!ownTee);
    UpdateRoundFigures();
}

void frmMainGolf::TakePlayerGenderNow() {
    if (round.ShownPlayerId() == 0) return;
    const std::optional<QString> gender =
        MainRoundStore(ctx_.Connection()).PlayerGender(round.ShownPlayerId());
    if (!gender) return;
    round.TakeStoredGender(GenderIndexOf(*gender) == 0);
    const QSignalBlocker block0(optMF[0]), block1(optMF[1]);  // the round's figures follow
    optMF[round.Male() ? 0 : 1]->setChecked(true);
}

void frmMainGolf::ShowWhatIsStored() {
    // Never inside a step of this screen or inside another screen's unit of work: after it.
    if (Busy() || (ctx_.HasDatabase() && ctx_.Connection().InTransaction())) {
        if (catchUpPosted_) return;
        catchUpPosted_ = true;
        QTimer::singleShot(20, this, [this] {
            catchUpPosted_ = false;
            ShowWhatIsStored();
        });
        return;
    }
    // Closed for a moment (a compaction puts a new file in its place): shown again once it is back.
    if (!ctx_.HasDatabase()) return;
    const QString database = ctx_.Connection().Path();
    const quint64 changes = ctx_.Changes().Count();
    if (database != shownDatabase_) {
        // Nothing shown belongs to the other database; its round was asked about before the switch.
        shownDatabase_ = database;
        shownChanges_ = changes;
        StartAfresh();
        return;
    }
    if (changes == shownChanges_) return;
    shownChanges_ = changes;
    // What other screens hand back through the context stays theirs.
    const int player = ctx_.nCurPlayerID, course = ctx_.nCurCourseID, tee = ctx_.nCurTeeBox;
    const QString gender = ctx_.sCurGender;
    RunStep(Step::Showing, [this] {
        try {
            CatchUpWithStore();
        } catch (...) {
            ReportCurrentError(kTag + "ShowWhatIsStored", Sql::With);
        }
    });
    ctx_.nCurPlayerID = player;
    ctx_.nCurCourseID = course;
    ctx_.nCurTeeBox = tee;
    ctx_.sCurGender = gender;
}

void frmMainGolf::CatchUpWithStore() {
    CommitTyping();
    Save_Check();
    const bool edited = round.Changed();
    ReloadCourseLists();
    const int player = cboPlayer->currentIndex() >= 0 ? SelectedItemData(*cboPlayer) : 0;
    {
        const QSignalBlocker block(cboPlayer);
        Load_Players(*cboPlayer, ctx_);
        cboPlayer->setCurrentIndex(player ? cboPlayer->findData(player) : -1);
    }
    if (player && cboPlayer->currentIndex() < 0) {
        // The player is gone: as after this screen's own deletion of a player.
        Init_Player_List();
        round.SetPlayer(0);
        round.ClearChange();
        return;
    }
    if (player) {
        ctx_.nCurPlayerID = player;
        const int count = MainRoundStore(ctx_.Connection()).RoundCount(player);
        {
            const QSignalBlocker block(RecBar);
            RecBar->setRange(1, qMax(1, count));
        }
        if (!round.IsNew() && count == 0) {
            StartNewRound(false);
            round.ClearChange();
            return;
        }
        if (!round.IsNew()) {
            const std::optional<int> game = ShownRoundGameNow(player);
            if (edited && game) {
                KeepEditsAt(*game);
            } else {
                PageTo(game.value_or(round.StoredGame()));
                round.ClearChange();
            }
            return;
        }
        TakePlayerGenderNow();
        SetPrevIndexesForNewRound(player);
    }
    RefreshTeeFigures(true);
    UpdateRoundFigures();
    ShowShownRoundNumber();
}

void frmMainGolf::KeepEditsAt(int game) {
    const std::optional<PagedRound> paged =
        MainRoundStore(ctx_.Connection()).LoadPagedRound(round.ShownPlayerId(), game);
    if (!paged) return;
    const RoundRec& S = paged->round;
    TakePlayerGenderNow();
    TakeStoredIndexes(*paged, game);
    // The course and tee box chosen on the screen stay; on the tee box it was played off the round
    // keeps its own stored slope and rating.
    const int course = round.CourseId(), tee = round.TeeBox(), slope = round.TeeSlope();
    const double rating = round.TeeRating();
    const bool ownTee = course == S.COURSE_ID && tee == S.TEE_BOX_ID;
    round.SetStored(S);
    if (!ownTee) {
        round.SetCourse(course);
        round.SetTee(tee, slope, rating);
    }
    nGameNumber = game;
    RefreshTeeFigures(!ownTee);
    UpdateRoundFigures();
    ShowPagingAt(game);
}

void frmMainGolf::ReloadCourseLists() {
    const int course = cboCourse->currentIndex() >= 0 ? SelectedItemData(*cboCourse) : 0;
    const int tee = cboTeeBox->currentIndex();
    const QSignalBlocker blockCourse(cboCourse), blockTee(cboTeeBox);
    cboCourse->clear();
    Load_Course_Info(*cboCourse, ctx_);
    cboCourse->setCurrentIndex(course ? cboCourse->findData(course) : -1);
    if (cboCourse->currentIndex() < 0) {
        cboTeeBox->clear();
        return;
    }
    Load_TeeBox(*cboTeeBox, ctx_, course);
    cboTeeBox->setCurrentIndex(tee < cboTeeBox->count() ? tee : -1);
}

void frmMainGolf::RefreshTeeFigures(bool takeRating) {
    if (cboCourse->currentIndex() < 0 || cboTeeBox->currentIndex() < 0) return;
    const std::optional<TeeBoxFigures> q =
        CourseStore(ctx_.Connection()).ReadTeeBox(round.CourseId(), round.Male(), round.TeeBox());
    if (!q) return;
    if (takeRating) round.SetTee(round.TeeBox(), q->slope, q->rating);
    ShowTeeBoxHoles(*q);
}

std::optional<int> frmMainGolf::ShownRoundGameNow(int player) {
    RoundRef ref = round.StoredRef();
    ref.playerId = player;
    const std::optional<RoundRef> stored = RoundStore(ctx_.Connection()).Locate(ref);
    if (!stored) return std::nullopt;
    return stored->game;
}

}  // namespace dc
