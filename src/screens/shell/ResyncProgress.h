#pragma once
// The progress of a recomputation of every round as the golfer sees it: the busy pointer, the
// progress window from the first player on when there are more than three, and the calling screen
// disabled meanwhile; all given back when the run finishes.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "handicap/Progress.h"

namespace dc {

class frmMainWait;

class ResyncProgress : public ProgressReporter {
  public:
    // `caller`, else the open screen named "frmUpCRSR" when `fromUpCRSR` (the context's
    // bResyncFromUpCRSR), else the one named "frmSystemSetup".
    ResyncProgress(QWidget* caller, bool fromUpCRSR);
    ~ResyncProgress() override;

    // A line shown under the caption of the progress window.
    void SetNote(const QString& note) { note_ = note; }

    void Start() override;
    void Step(int k, int n) override;
    void Finish() override;

  private:
    QPointer<QWidget> caller_;
    std::unique_ptr<frmMainWait> wait_;
    QString note_;
    bool fromUpCRSR_;
    bool finished_ = false;
};

}  // namespace dc
