#include "shell/ResyncProgress.h"

#include <QApplication>
#include <QLabel>

#include "platform/Pointer.h"
#include "shell/frmMainWait.h"

namespace dc {
namespace {

QWidget* FindScreen(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
    return nullptr;
}

}  // namespace

ResyncProgress::ResyncProgress(QWidget* caller, bool fromUpCRSR)
    : caller_(caller ? caller : FindScreen(fromUpCRSR ? "frmUpCRSR" : "frmSystemSetup")),
      fromUpCRSR_(fromUpCRSR) {}

ResyncProgress::~ResyncProgress() { Finish(); }

void ResyncProgress::Start() {
    SetMousePointer(Pointer::Hourglass);
    wait_ = std::make_unique<frmMainWait>();
    wait_->WaitCap->setText("Adjusting Scores and Calculating Handicaps.");
    wait_->SetNote(note_);
}

void ResyncProgress::Step(int k, int n) {
    if (n <= 3) {
        SetMousePointer(Pointer::Hourglass);
        return;
    }
    if (k == 1) {
        wait_->show();
        if (caller_) caller_->setEnabled(false);
    }
    wait_->SetProgress(k, n);
}

void ResyncProgress::Finish() {
    if (finished_) return;
    finished_ = true;
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
