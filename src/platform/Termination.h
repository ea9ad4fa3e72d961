#pragma once
// Ending the program cleanly when it is told to (SIGTERM from a kill, SIGHUP from a logout): the signal
// handler only notes the signal and wakes the event loop through a pipe; the loops then end and the
// open dialogs close, so that main returns and every destructor runs. A printout on its way stops at
// once (TerminationRequested), its job withdrawn and its file removed; no more boxes or dialogs show.

#include <functional>
#include <memory>

class QSocketNotifier;

namespace dc {

class TerminationWatch {
  public:
    // `quit` ends the event loop (the application's quit unless a test names another).
    explicit TerminationWatch(std::function<void()> quit = {});
    ~TerminationWatch();  // the signals are handled as before it again
    TerminationWatch(const TerminationWatch&) = delete;
    TerminationWatch& operator=(const TerminationWatch&) = delete;

  private:
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> quit_;
};

// True once a signal to end has come while a TerminationWatch lived.
bool TerminationRequested();

}  // namespace dc
