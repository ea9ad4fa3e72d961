#pragma once
// The progress of a recomputation of every round as the golfer sees it: the busy pointer, the
// progress window from the first player on when there are more than three (or from the start,
// ShowNow), and the calling screen disabled meanwhile; all given back when the run finishes. The
// window cannot be dismissed and keeps every other screen from input; while one run is open,
// Busy() tells the screens not to start another.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "handicap/Progress.h"

namespace dc {

class frmMainWait;

class ResyncProgress : public ProgressReporter {
  public:
    // `caller`, else the open screen named "frmUpCRSR" when `fromUpCRSR` (the re-rating runs it),
    // else the one named "frmSystemSetup".
    ResyncProgress(QWidget* caller, bool fromUpCRSR);
    ~ResyncProgress() override;

    // A line shown under the caption of the progress window.
    void SetNote(const QString& note) { note_ = note; }
    // Shows the window at once, for work that runs before the recomputation (a conversion), and
    // keeps it until Release: the recomputation's Finish does not end the whole work.
    void ShowNow();
    void Release();
    // True while a run with progress is open, from construction to Finish.
    static bool Busy() { return open_ > 0; }

    void Start() override;
    void Step(int k, int n) override;
    void Finish() override;

  private:
    QPointer<QWidget> caller_;
    std::unique_ptr<frmMainWait> wait_;
    QString note_;
    bool fromUpCRSR_;
    bool finished_ = false;
    bool held_ = false;
    static int open_;
};

}  // namespace dc
