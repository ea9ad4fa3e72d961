#include "shell/ResyncProgress.h"

#include <QApplication>
#include <QLabel>

#include "platform/Pointer.h"
#include "platform/Termination.h"
#include "shell/frmMainWait.h"

namespace dc {
namespace {

QWidget* FindScreen(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
    return nullptr;
}

}  // namespace

int ResyncProgress::open_ = 0;

ResyncProgress::ResyncProgress(QWidget* caller, bool fromUpCRSR)
    : caller_(caller ? caller : FindScreen(fromUpCRSR ? "frmUpCRSR" : "frmSystemSetup")),
      fromUpCRSR_(fromUpCRSR) {
    ++open_;
}

ResyncProgress::~ResyncProgress() { Release(); }

void ResyncProgress::Start() {
    SetMousePointer(Pointer::Hourglass);
    if (wait_) return;  // shown from the start of the work
    wait_ = std::make_unique<frmMainWait>();
    wait_->WaitCap->setText("Adjusting Scores and Calculating Handicaps.");
    wait_->SetNote(note_);
}

void ResyncProgress::ShowNow() {
    Start();
    held_ = true;
    wait_->show();
    if (caller_) caller_->setEnabled(false);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ResyncProgress::Step(int k, int n) {
    if (!wait_) Start();
    if (n <= 3 && !wait_->isVisible()) {
        SetMousePointer(Pointer::Hourglass);
        return;
    }
    if (TerminationRequested()) return;  // the program is ending: the work finishes unseen
    if (!wait_->isVisible()) {
        wait_->show();
        if (caller_) caller_->setEnabled(false);
    }
    wait_->SetProgress(k, n);
}

void ResyncProgress::Release() {
    held_ = false;
    Finish();
}

void ResyncProgress::Finish() {
    if (finished_ || held_) return;
    finished_ = true;
    --open_;
    wait_.reset();
    SetMousePointer(Pointer::Default);
    if (!caller_) return;
    caller_->setEnabled(true);
    const bool focus = fromUpCRSR_ || caller_->isVisible();
    if (focus) {
        caller_->activateWindow();
        caller_->setFocus();
    }
    QApplication::processEvents();
    if (caller_) caller_->raise();
}

}  // namespace dc
