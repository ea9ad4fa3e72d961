#pragma once
// A golfer's session across the real screens, driven at random from a seed: typing holes, paging,
// every way of saving (in the 18- or 9-hole view), ticking "Use for Handicap" or "Use for
// Tournament", Mr. or Ms., correcting a stored round's date or tee box, deleting, correcting and
// re-rating a course (and saving the round at once), editing a player, converting a folder,
// switching the database and back, a backup, and two rounds given one key through the database as
// an earlier build could leave them.
// Each action is one step; the message boxes are answered with the step's answer (Yes, No or
// Cancel), and the checks after each step are in RandomSessionChecks.cpp.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <map>
#include <random>
#include <set>

#include "../tools/OldFileBuilder.h"
#include "MainScreenFixture.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "records/frmCourseSetup.h"
#include "records/frmPlayers.h"
#include "records/frmUpCRSR.h"
#include "shell/DateFormat.h"
#include "shell/ProgramDb.h"
#include "shell/SetupStore.h"
#include "shell/frmSystemSetup.h"
#include "tools/frmConvertUtil.h"

namespace dc::test {

// Each row of a query as its values joined by blanks (numbers to one decimal: indexes are floats).
QStringList Rows(Database& db, const QString& sql);

class RandomSession : public MainScreenFixture {
  public:
    void SetUp() override {
        MainScreenFixture::SetUp();
        Ctx().bErrorReport = false;
        test::AddCourse(2, "Oaks", 125, "70.5", "453444435443454344", 130);
        // A second tee box on each course, its women's pars not the men's.
        TestDb().Execute(
            "UPDATE COURSES SET TB=substr(TB,1,20)||'               White'||substr(TB,41),"
            "MCR=substr(MCR,1,4)||'68.9'||substr(MCR,9),WCR=substr(WCR,1,4)||'69.4'||substr(WCR,9),"
            "MSL=substr(MSL,1,3)||'118'||substr(MSL,7),WSL=substr(WSL,1,3)||'121'||substr(WSL,7),"
            "MHCP=MHCP||MHCP,WHCP=WHCP||WHCP,YARDS=YARDS||YARDS,MPARS=MPARS||'443444535444354443',"
            "WPARS=WPARS||'553444535444354443'");
        main_ = Ctx().sDBPathFile;
        other_ = folder.Path() + "/Other.mdb";
        QFile::copy(main_, other_);  // the same course keys under other names, one other player
        auto db = OpenProgramDatabase(other_);
        db->Execute("UPDATE COURSES SET COURSE_NAME='Willow '||COURSE_ID, MSL='131000000000'");
        db->Execute("DELETE FROM PLAYERS WHERE PLAYER_ID=8");
        otherState_ = OtherState(*db);
        for (int g = 1; g <= 6; ++g) test::AddRound(7, g, QDate(2024, 1, 3 * g), 4 + g % 3);
        for (int g = 1; g <= 4; ++g) test::AddRound(8, g, QDate(2024, 2, 4 * g), 5 + g % 2);
        ResynchAllScores(TestDb());
        SetupStore(TestDb()).StoreSetupRow({false, "2", true, true});
        QDir().mkpath(folder.Path() + "/old");
        f_ = Open();
        SetMsgBoxResponder([this](const QString& text, int style, const QString&) {
            boxes_ << text;
            const int buttons = style & 7;
            if (buttons != vbYesNoCancel && buttons != vbYesNo) return int(vbOK);
            const int answer = buttons == vbYesNo && answer_ == vbCancel ? int(vbNo) : answer_;
            answers_.push_back({text, answer});
            return answer;
        });
    }
    void TearDown() override {
        if (f_) {  // no question of an editor left open when the screens go
            for (auto* e : f_->findChildren<frmCourseSetup*>()) e->bChanged = false;
            for (auto* s : f_->findChildren<frmSystemSetup*>()) s->bChanged = false;
        }
        f_.reset();
        SetMsgBoxResponder(nullptr);
    }
    static QString OtherState(Database& db) {
        return Rows(db,
                    "SELECT COURSE_ID,COURSE_NAME,substr(MCR,1,8),substr(MSL,1,6),substr(WCR,1,8),"
                    "substr(WSL,1,6),MPARS,WPARS FROM COURSES ORDER BY 1")
                   .join('|') +
               " | " +
               Rows(db, "SELECT PLAYER_ID,LAST_NAME,FIRST_NAME,GENDER FROM PLAYERS ORDER BY 1").join('|');
    }
    int R(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    template <class T>
    T* Window() {  // the newest visible window of that kind opened from the main screen
        T* found = nullptr;
        for (T* w : f_->findChildren<T*>())
            if (w->isVisible()) found = w;
        return found;
    }
    void Settle() {
        QApplication::processEvents();
        test::LetEarlierTimersFire(25);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The shown round as the typed holes name it: the player and its key, or "new".
    QString Shown() const {
        return QString("%1:%2").arg(Player()).arg(
            f_->round.IsNew() ? QString("new") : QString::number(f_->round.StoredRndGameId()));
    }
    // The stored round shown as Snapshot() lists it; empty for a new round.
    QString ShownRow() {
        if (f_->round.IsNew() || Player() == 0) return {};
        return Rows(TestDb(), kRowSql + QString(" WHERE PLAYER_ID=%1 AND GAME_NUMBER=%2")
                                            .arg(Player())
                                            .arg(f_->round.StoredGame()))
            .value(0);
    }
    int Player() const {
        return f_->cboPlayer->currentIndex() >= 0 ? f_->cboPlayer->currentData().toInt() : 0;
    }
    int Count(int p) {
        return TestDb().Scalar("SELECT COUNT(*) FROM INDIV_SCORES WHERE PLAYER_ID=?", {p}).toInt();
    }
    void Type() {
        for (int i = Player() ? R(1, 3) : 0; i > 0; --i) {
            const int h = R(1, 18), v = R(3, 9);
            f_->SetHoleText(kRowGross, h, QString::number(v));
            typed_[h] = v;
        }
        f_->Calc_Row_Scores(kRowGross);
        typedOn_ = Shown();
    }
    void Page() {
        const int n = Count(Player());
        if (n == 0) return;
        const int g = R(1, n);
        step_ += QString(" to %1").arg(g);
        R(0, 1) ? f_->RecBar->setValue(g) : f_->txtRecNum->setText(QString::number(g));
    }
    void NewRound() {
        if (Player() == 0) test::MainScreenFixture::SelectPlayer(*f_, R(0, 1) ? 7 : 8);
        f_->cmdNewGame_Click();
        CheckTyping();  // the holes typed before on the round left
        if (!f_->round.IsNew() || Player() == 0) return;
        const QDate date = QDate(2024, 1, 1).addDays(R(0, 150));
        step_ += " dated " + date.toString(Qt::ISODate);
        f_->mskDate->SetText(FormatLocalDate(date, Ctx().sDateFormat));
        f_->cboCourse->setCurrentIndex(f_->cboCourse->findData(R(1, 2)));
        if (f_->cboTeeBox->currentIndex() != 0) f_->cboTeeBox->setCurrentIndex(0);
        if (R(0, 3) == 0) f_->chkUseHandicap->setChecked(false);
        typed_.clear();
        for (int h = 1; h <= 18; ++h) f_->SetHoleText(kRowGross, h, QString::number(typed_[h] = R(3, 8)));
        f_->Calc_Row_Scores(kRowGross);
        typedOn_ = Shown();
    }
    void CourseEdit() {
        frmCourseSetup* e = Window<frmCourseSetup>();
        if (!e || R(0, 3) == 0) {
            f_->cmdCourse_Click();
            if (!(e = Window<frmCourseSetup>())) return;
            // Mostly the course of the round shown.
            const int course = f_->round.CourseId() > 0 && R(0, 2) ? f_->round.CourseId() : R(1, 2);
            e->cboCourseName->setCurrentIndex(e->cboCourseName->findData(course));
            e->cboCourseName_Click();
        }
        const int what = R(0, 2);  // a rating, a slope (men's or women's), a par
        Spread* grid = what < 2 ? e->spTB : R(0, 1) ? e->spMPar : e->spWPar;
        const int col = what < 2 ? what + 2 + 2 * R(0, 1) : R(1, 18), row = 1;
        const QString v = what == 0   ? QString::number(R(680, 740) / 10.0, 'f', 1)
                          : what == 1 ? QString::number(R(100, 140))
                                      : QString::number(R(3, 5));
        step_ += QString(" course %1 cell %2,%3 = %4").arg(e->nEditCourseID).arg(col).arg(row).arg(v);
        const QString gender = (what < 2 ? col < 4 : grid == e->spMPar) ? "M" : "W";
        const QString cell = what == 0 ? "rating" : what == 1 ? "slope" : QString("par %1").arg(col);
        given_[QString("%1%2 ").arg(e->nEditCourseID).arg(gender) + cell] << v;
        grid->SetCellText(col, row, v);
        Q_EMIT grid->Change(col, row);
        if (R(0, 1)) {
            e->cmdSave_Click();
            // The round saved before the screen hears of the course's change.
            if (R(0, 1)) {
                step_ += " and the round saved at once";
                f_->cmdSave_Click();
            }
        }  // else left open with the change, for a later step
    }
    // "Use for Handicap" of the shown round changed (a save stores it).
    void HandicapBox() {
        if (Player()) f_->chkUseHandicap->setChecked(!f_->chkUseHandicap->isChecked());
    }
    // Another round of the player takes the shown round's key (a stored round paged to first),
    // through the database, as an earlier build could leave two rounds of one key.
    void ShareKey() {
        if (Player() == 0) SelectPlayer(*f_, R(7, 8));
        if (f_->round.IsNew()) Page();
        const int p = Player(), n = Count(p);
        if (f_->round.IsNew() || n < 2) return;
        int g = R(1, n - 1);
        if (g >= f_->round.StoredGame()) ++g;
        step_ += QString(", game %1 takes key %2").arg(g).arg(f_->round.StoredRndGameId());
        const QString row = kRowSql + QString(" WHERE PLAYER_ID=%1 AND GAME_NUMBER=%2").arg(p).arg(g);
        const QString was = Rows(TestDb(), row).value(0);
        TestDb().Execute("UPDATE INDIV_SCORES SET RND_GAME_ID=? WHERE PLAYER_ID=? AND GAME_NUMBER=?",
                         {f_->round.StoredRndGameId(), p, g});
        if (before_.removeOne(was)) {  // the round as the step found it, with its new key
            before_ << Rows(TestDb(), row).value(0);
            before_.sort();
        }
    }
    void PlayerEdit() {
        const int p = R(0, 1) ? 7 : 8;
        playerAct_ = [this, p](QDialog& d) {
            if (auto* players = qobject_cast<frmPlayers*>(&d); players && players->Load_Player(p)) {
                players->txtFirst->setText(QString("Name%1").arg(R(1, 99)));
                players->cmdSave_Click();
            }
            return 0;
        };
        f_->cmdNewPlayer_Click();
    }
    void Convert() {
        oldRounds_ << test::OldRound(true,
                                     QDate(2024, 1, 1).addDays(R(0, 150)).toString("MM/dd/yyyy").toLatin1(),
                                     "Pine Valley Links", R(4, 7));
        QByteArray courses = test::OldCourse("Pine Valley Links").Bytes(), rounds;
        for (const auto& r : oldRounds_) rounds += r.Bytes();
        const QString dir = folder.Path() + "/old";
        test::WriteFile(dir + "/COURSE.GDB", courses);
        test::WriteFile(dir + "/GOLFER.GDB", test::OldGolfer("Smith, John").Bytes());
        test::WriteFile(dir + "/SMITHJOH.GDB", rounds);
        // The conversion is opened from the welcome screen: the player and course it leaves for the
        // main screen to start with are not the shown round's.
        const int player = Ctx().nCurPlayerID, course = Ctx().nCurCourseID;
        frmConvertUtil screen(Ctx());
        screen.SetFolder(dir);
        screen.cmdStart_Click();
        Ctx().nCurPlayerID = player, Ctx().nCurCourseID = course;
    }
    void SwitchAndBack() {
        f_->cmdSetup_Click();
        frmSystemSetup* s = Window<frmSystemSetup>();
        if (!s) return;
        s->txtDataBasePath->setText(other_);
        s->cmdSave_Click();
        Settle();
        if (TestDb().Path() == other_) {
            step_ += " (switched)";
            if (frmCourseSetup* e = Window<frmCourseSetup>(); e && R(0, 1)) e->cmdSave_Click();
            Settle();
            if (OtherState(TestDb()) != otherState_)
                Fail("the other database's courses or players changed:\n" + OtherState(TestDb()) +
                     "\nwere:\n" + otherState_);
            answer_ = vbYes;
            s->txtDataBasePath->setText(main_);
            s->cmdSave_Click();
        }
        s->bChanged = false;
        s->close();
    }
    void Backup() {
        f_->cmdSetup_Click();
        if (frmSystemSetup* s = Window<frmSystemSetup>()) {
            answer_ = vbYes;
            s->cmdStart_Click();
            s->close();
        }
    }
    // A re-rating window left by a course saved: every round of the course, then it closes itself.
    bool ReRate() {
        bool any = false;
        for (frmUpCRSR* w : f_->findChildren<frmUpCRSR*>())
            if (w->isVisible()) {
                w->optDate_1->setChecked(true);
                w->cmdUpdate_Click();
                any = true;
            }
        return any;
    }
    void Save() { f_->cmdSave_Click(); }
    // The 18/9 view switched, after holes typed or before a save; later steps keep it.
    void View() { f_->opt189[Ctx().bFlag18_9 ? 2 : 1]->click(); }
    void TypeAndView() {
        Type();
        View();
    }
    void SaveInNine() {
        f_->opt189[2]->click();
        Save();
        if (R(0, 1)) f_->opt189[1]->click();
    }
    // Mr. or Ms. clicked on the round shown, sometimes saved at once.
    void Gender() {
        const bool male = !f_->optMF[0]->isChecked();
        step_ += male ? " Mr." : " Ms.";
        f_->optMF[male ? 0 : 1]->click();
        if (R(0, 1)) {
            step_ += " and saved";
            Save();
        }
    }
    void TournamentBox() {
        if (Player()) f_->chkUseTourn->click();
    }
    // A stored round's date corrected, to another round's day or near it or far off, and saved;
    // put back when the save is refused.
    void Redate() {
        if (f_->round.IsNew()) return Page();  // the round shown before the step is the one changed
        const int n = Player() ? Count(Player()) : 0;
        if (n == 0 || !f_->round.Loaded()) return;
        const QDate other = QDate::fromString(
            TestDb()
                .Scalar("SELECT ROUND_DATE FROM INDIV_SCORES WHERE PLAYER_ID=? AND GAME_NUMBER=?",
                        {Player(), R(1, n)})
                .toString(),
            Qt::ISODate);
        const QDate date = std::min(kToday, other.addDays(R(0, 1) ? R(-1, 1) : R(-90, 90)));
        step_ += " to " + date.toString(Qt::ISODate);
        f_->mskDate->SetText(FormatLocalDate(date, Ctx().sDateFormat));
        if (!f_->cmdSave_Click())
            f_->mskDate->SetText(FormatLocalDate(f_->round.Loaded()->ROUND_DATE, Ctx().sDateFormat));
    }
    // A stored round moved to the other of its course's first two tee boxes, and saved.
    void TeeBox() {
        if (f_->round.IsNew()) return Page();
        if (!Player()) return;
        f_->cboTeeBox->setCurrentIndex(f_->cboTeeBox->currentIndex() == 1 ? 0 : 1);
        Save();
    }
    void ChoosePlayer() {
        const int last = f_->cboPlayer->itemData(f_->cboPlayer->count() - 1).toInt();
        SelectPlayer(*f_, R(0, 2) ? 7 + R(0, 1) : last);  // the last one converted
    }
    void Delete() {
        if (f_->round.IsNew()) Page();
        if (f_->round.IsNew() || !Player() || Count(Player()) < 2) return;
        CheckTyping();  // the holes typed before, saved or dropped by the paging
        deleting_ = {Shown(), ShownRow()};
        f_->cmdDeleteGame_Click();
    }
    void CloseEditor() {
        if (frmCourseSetup* e = Window<frmCourseSetup>()) e->close();
    }
    void Fail(const QString& what) {
        if (failure_.isEmpty()) failure_ = what;
    }

    // ---- the checks after each step (RandomSessionChecks.cpp)
    // As Resynch All Scores: numbers each player's games by date, then recomputes every game by the
    // single procedures with the player's stored gender and the 18-hole table, inside a savepoint
    // given back; every game number and figure must be as stored.
    void CheckRecomputation();
    // Every stored round as "player key date holes", sorted.
    static constexpr const char* kRowSql =
        "SELECT PLAYER_ID,RND_GAME_ID,ROUND_DATE,GS01,GS02,GS03,GS04,GS05,GS06,GS07,GS08,GS09,GS10,GS11,"
        "GS12,GS13,GS14,GS15,GS16,GS17,GS18 FROM INDIV_SCORES";
    QStringList Snapshot();
    // Against before_: only the round shown before (shownRow, its name shownBefore) changed or, by
    // a delete answered Yes, went; new rounds only of the player shown (or converted ones).
    void CheckNothingLost(const QString& shownRow, const QString& shownBefore, const QString& action);
    // The figures the editors are given, by course, gender and cell: rating, slope, par of a hole.
    std::map<QString, QString> CourseFigures();
    // Every new round's slope, rating and pars are compared with its tee box's at the moment it is
    // stored, a stored round's pars (and slope and rating when its tee box changed) when it is
    // saved; a difference is noted in a temporary table of the connection.
    void WatchSavedRounds();
    // The round shown is the stored round of its number, with the holes typed over it; its figures
    // in the four views (18 holes and each nine, US and Canada) are those stored for it, or, once
    // edited or new, those a save stores (a save tried and rolled back).
    void CheckScreen();
    // Typed holes stay on their round until stored, or dropped by No to the save question (a
    // delete answered Yes takes them with their round).
    void CheckTyping();
    // What a stored game is shown with, by variant (HcpVariant order): the index before it (its
    // nines as the recomputation walks them), its capped score and its own index; nothing for a nine
    // not played.
    struct GameFigures {
        std::array<std::optional<double>, 6> prev, curr;
        std::array<std::optional<int>, 6> adjusted;
    };
    GameFigures StoredFigures(int player, int game);

    std::mt19937 rng_;
    std::unique_ptr<frmMainGolf> f_;
    QString main_, other_, otherState_, step_, failure_;
    int answer_ = vbYes;
    QList<std::pair<QString, int>> answers_;  // the questions of the step with the answers given
    QStringList before_;                      // Snapshot() before the step
    std::pair<QString, QString> deleting_;    // Shown() and ShownRow() of the round a delete asked about
    QStringList boxes_;
    std::map<int, int> typed_;  // hole -> gross typed on typedOn_, not stored yet
    QString typedOn_;
    QList<test::RecordBytes> oldRounds_;
    std::map<QString, QString> coursesBefore_;
    std::map<QString, QStringList> given_;  // the values typed into each course figure
    std::function<int(QDialog&)> playerAct_ = [](QDialog&) { return 0; };
};

}  // namespace dc::test
