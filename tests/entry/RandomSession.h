#pragma once
// A golfer's session across the real screens, driven at random from a seed: typing holes, paging,
// every way of saving, deleting, correcting and re-rating a course, editing a player, converting a
// folder, switching the database and back, a backup. Each action is one step; the message boxes are
// answered with the step's answer (Yes, No or Cancel), and the checks after each step are in
// RandomSessionChecks.cpp.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <map>
#include <random>

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
            asked_ = true;
            return buttons == vbYesNo && answer_ == vbCancel ? int(vbNo) : answer_;
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
        if (!f_->round.IsNew() || Player() == 0) return;
        const QDate date = QDate(2024, 1, 1).addDays(R(0, 150));
        step_ += " dated " + date.toString(Qt::ISODate);
        f_->mskDate->SetText(FormatLocalDate(date, Ctx().sDateFormat));
        f_->cboCourse->setCurrentIndex(f_->cboCourse->findData(R(1, 2)));
        if (f_->cboTeeBox->currentIndex() != 0) f_->cboTeeBox->setCurrentIndex(0);
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
            e->cboCourseName->setCurrentIndex(e->cboCourseName->findData(R(1, 2)));
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
        if (R(0, 1)) e->cmdSave_Click();  // else left open with the change, for a later step
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
        frmConvertUtil screen(Ctx());
        screen.SetFolder(dir);
        screen.cmdStart_Click();
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
    void ChoosePlayer() {
        const int last = f_->cboPlayer->itemData(f_->cboPlayer->count() - 1).toInt();
        SelectPlayer(*f_, R(0, 2) ? 7 + R(0, 1) : last);  // the last one converted
    }
    void Delete() {
        if (!f_->round.IsNew() && Player() && Count(Player()) > 1) f_->cmdDeleteGame_Click();
    }
    void CloseEditor() {
        if (frmCourseSetup* e = Window<frmCourseSetup>()) e->close();
    }
    void Fail(const QString& what) {
        if (failure_.isEmpty()) failure_ = what;
    }

    // ---- the checks after each step (RandomSessionChecks.cpp)
    // Recomputes every game of every player by the single procedures, game by game from the rows
    // as stored, inside a savepoint given back; every figure must be as stored.
    void CheckRecomputation();
    // Rounds by player and key: date and holes.
    std::map<QString, QString> Snapshot();
    void CheckNothingLost(const std::map<QString, QString>& before, const QString& shownBefore,
                          const QString& action);
    // The figures the editors are given, by course, gender and cell: rating, slope, par of a hole.
    std::map<QString, QString> CourseFigures();
    // Every new round's slope, rating and pars are compared with its tee box's at the moment it is
    // stored; a difference is noted in a temporary table of the connection.
    void WatchNewRounds();
    // The round shown is the stored round of its number, with the holes typed over it.
    void CheckScreen();
    // Typed holes stay on their round until stored, or dropped after a question.
    void CheckTyping();

    std::mt19937 rng_;
    std::unique_ptr<frmMainGolf> f_;
    QString main_, other_, otherState_, step_, failure_;
    int answer_ = vbYes;
    bool asked_ = false;
    QStringList boxes_;
    std::map<int, int> typed_;  // hole -> gross typed on typedOn_, not stored yet
    QString typedOn_;
    QList<test::RecordBytes> oldRounds_;
    std::map<QString, QString> coursesBefore_;
    std::map<QString, QStringList> given_;  // the values typed into each course figure
    std::function<int(QDialog&)> playerAct_ = [](QDialog&) { return 0; };
};

}  // namespace dc::test
