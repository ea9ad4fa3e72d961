// The random session of RandomSession.h, a few hundred steps from a fixed seed (DC_RANDOM_STEPS and
// DC_RANDOM_SEED choose a longer run or another seed), each followed by every check; a failure names
// the seed, the step and the steps before it.
#include <gtest/gtest.h>

#include <deque>

#include "RandomSession.h"
#include "platform/Database.h"
#include "shell/ErrorText.h"

namespace dc::test {

TEST_F(RandomSession, EveryStepKeepsTheStoredRoundsAndTheScreenTrue) {
    const int steps = qEnvironmentVariableIntValue("DC_RANDOM_STEPS") ?: 300;  // unset or 0: 300
    const unsigned seed =
        qEnvironmentVariableIsSet("DC_RANDOM_SEED") ? qEnvironmentVariableIntValue("DC_RANDOM_SEED") : 46;
    rng_.seed(seed);
    test::ScriptedModal modal([this](QDialog& d) { return playerAct_(d); });
    SelectPlayer(*f_, 7);
    using Action = void (RandomSession::*)();
    const std::vector<std::pair<QString, Action>> actions = {
        {"type", &RandomSession::Type},
        {"type", &RandomSession::Type},
        {"page", &RandomSession::Page},
        {"page", &RandomSession::Page},
        {"new", &RandomSession::NewRound},
        {"save", &RandomSession::Save},
        {"save", &RandomSession::Save},
        {"player", &RandomSession::ChoosePlayer},
        {"delete", &RandomSession::Delete},
        {"handicap box", &RandomSession::HandicapBox},
        {"tournament box", &RandomSession::TournamentBox},
        {"gender", &RandomSession::Gender},
        {"redate", &RandomSession::Redate},
        {"tee box", &RandomSession::TeeBox},
        {"save in 9", &RandomSession::SaveInNine},
        {"type, view", &RandomSession::TypeAndView},
        {"share key", &RandomSession::ShareKey},
        {"course", &RandomSession::CourseEdit},
        {"close editor", &RandomSession::CloseEditor},
        {"edit player", &RandomSession::PlayerEdit},
        {"convert", &RandomSession::Convert},
        {"switch and back", &RandomSession::SwitchAndBack},
        {"backup", &RandomSession::Backup}};
    std::deque<QString> recent;
    coursesBefore_ = CourseFigures();
    for (int i = 1; i <= steps; ++i) {
        const auto& [action, act] = actions[R(0, int(actions.size()) - 1)];
        const int a = R(0, 3);
        answer_ = a < 2 ? vbYes : a == 2 ? vbNo : vbCancel;
        step_ = action + (answer_ == vbYes ? " (Yes)" : answer_ == vbNo ? " (No)" : " (Cancel)");
        boxes_.clear();
        answers_.clear();
        deleting_ = {};
        before_ = Snapshot();
        WatchSavedRounds();
        const QString shownBefore = Shown(), shownRow = ShownRow();
        try {
            (this->*act)();
            Settle();
            if (ReRate()) Settle();
            if (TestDb().Path() != main_) Fail("the session ended the step on another database");
            for (const QString& b : boxes_)
                if (b.contains("Error")) Fail("an error was reported: " + b);
            CheckNothingLost(shownRow, shownBefore, action);
            CheckTyping();
            CheckScreen();
            CheckRecomputation();
        } catch (...) {
            Fail("the step threw: " + CurrentError().description);
        }
        recent.push_back(
            QString("%1: %2 on %3 -> %4  boxes: %5")
                .arg(i)
                .arg(step_, shownBefore, Shown(), boxes_.join(" | ").replace('\n', ' ').replace('\r', ' ')));
        if (recent.size() > 12) recent.pop_front();
        if (!failure_.isEmpty()) {
            QStringList log(recent.begin(), recent.end());
            FAIL() << "seed " << seed << " (DC_RANDOM_SEED), step " << i << " of " << steps << ": "
                   << step_.toStdString() << "\n"
                   << failure_.toStdString() << "\nthe last steps:\n"
                   << log.join('\n').toStdString();
        }
    }
    std::printf("random session: seed %u, %d steps, %d rounds stored\n", seed, steps,
                TestDb().Scalar("SELECT COUNT(*) FROM INDIV_SCORES").toInt());
}

}  // namespace dc::test
