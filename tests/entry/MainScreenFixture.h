#pragma once
// The main screen's test fixture: a database with a course and two players, the screen opened
// offscreen, and the round's figures and stored columns as the tests read them.

#include <gtest/gtest.h>

#include <QComboBox>
#include <memory>

#include "EntryFixture.h"
#include "entry/frmMainGolf.h"
#include "handicap/SaveScores.h"
#include "platform/Database.h"
#include "platform/Spread.h"
#include "shell/AppContext.h"

namespace dc::test {

inline const QDate kToday(2024, 6, 1);

class MainScreenFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.OpenDatabase();
        Ctx().bFlag18_9 = Ctx().bUSCAFlag = true;
        AddCourse(1, "Pines", 113, "72.0");
        AddPlayer(7, "SMITH", "Ann", "M");
        AddPlayer(8, "JONES", "Bea", "F");
    }
    std::unique_ptr<frmMainGolf> Open() {
        auto form = std::make_unique<frmMainGolf>(Ctx());
        form->EndProgram = [this] { ++ended; };
        form->show();
        return form;
    }
    static void SelectPlayer(frmMainGolf& f, int id) {
        f.cboPlayer->setCurrentIndex(f.cboPlayer->findData(id));
    }
    static void ChooseCourse(frmMainGolf& f) {
        f.cboCourse->setCurrentIndex(f.cboCourse->findData(1));
        if (f.cboTeeBox->currentIndex() != 0) f.cboTeeBox->setCurrentIndex(0);
    }
    static void TypeGross(frmMainGolf& f, int perHole) {
        for (int h = 1; h <= 18; ++h) f.SetHoleText(kRowGross, h, QString::number(perHole));
        f.Calc_Row_Scores(kRowGross);
    }
    // A handicap figure of the shown round as it would be stored (row 1 previous index, 2 previous
    // tournament index, 3 allowable score, 4 capped score, 5 and 6 the round's own indexes).
    static QString D(frmMainGolf& f, int col, int row) {
        const VariantFigures& v = f.round.Figures()[col - 1];
        switch (row) {
            case 1:
                return MainRound::FigureText(v.prevIndex);
            case 2:
                return MainRound::FigureText(v.prevTIndex);
            case 3:
                return f.round.AllowScoreText(col);
            case 4:
                return v.adjusted ? QString::number(*v.adjusted) : QString();
            case 5:
                return MainRound::FigureText(v.currIndex);
            default:
                return MainRound::FigureText(v.currTIndex);
        }
    }
    static double Stored(const QString& column, int player, int game) {
        return TestDb()
            .Scalar("SELECT " + column + " FROM INDIV_SCORES WHERE PLAYER_ID=? AND GAME_NUMBER=?",
                    {player, game})
            .toDouble();
    }
    // Rounds 1 to n of player 7, with indexes computed.
    static void StoredRounds(int n) {
        for (int g = 1; g <= n; ++g) AddRound(7, g, QDate(2024, 1, g), 4 + g % 3);
        ResynchAllScores(TestDb());
    }

    ProgramFolder folder;
    FixedClock clock{QDateTime(kToday, QTime(12, 0))};
    int ended = 0;
};

}  // namespace dc::test
