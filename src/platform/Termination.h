#pragma once
// Ending the program cleanly when it is told to (SIGTERM from a kill, SIGHUP from a logout): the signal
// handler only notes the signal and wakes the event loop through a pipe; the loops then end and the
// open windows hide, so that main returns and every destructor runs. No window is freed meanwhile: a
// handler of its own may still be running. A printout on its way stops at once (TerminationRequested),
// its job withdrawn and its file removed, and so does a conversion, nothing of it stored; the other
// long operations finish what they began. No more boxes or dialogs show.

#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;
class QWidget;

namespace dc {

class TerminationWatch {
  public:
    // `quit` ends the event loop (the application's quit unless a test names another).
    explicit TerminationWatch(std::function<void()> quit = {});
    ~TerminationWatch();  // the signals are handled as before it again; the hidden windows go
    TerminationWatch(const TerminationWatch&) = delete;
    TerminationWatch& operator=(const TerminationWatch&) = delete;

  private:
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> quit_;
    std::vector<QPointer<QWidget>> hidden_;  // hidden at the end, to be deleted as closing would have
};

// True once a signal to end has come while a TerminationWatch lived.
bool TerminationRequested();

}  // namespace dc
