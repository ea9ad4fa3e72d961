#include "platform/Termination.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <iterator>

namespace dc {
namespace {

volatile std::sig_atomic_t requested = 0;
int wakePipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP};
struct sigaction before[std::size(kSignals)];

// Only what is safe in a signal handler: a flag and a write to the pipe.
void Noted(int) {
    requested = 1;
    const int saved = errno;
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], "x", 1);
    errno = saved;
}

}  // namespace

TerminationWatch::TerminationWatch(std::function<void()> quit) : quit_(std::move(quit)) {
    if (!quit_)
        quit_ = [this] {
            // Every event loop ends (a dialog's exec too, as its window hides), without the windows'
            // questions on closing. Windows are hidden, never closed here: the signal is noticed
            // wherever events are processed, often inside a handler of a window that is still running
            // (a progress window's), and a window deleted on closing would be freed under it. Those go
            // when the watch ends, after the loop has returned. No more boxes or dialogs show
            // (MsgBox, ExecModal).
            QCoreApplication::exit(0);
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (!window->isVisible()) continue;
                if (window->testAttribute(Qt::WA_DeleteOnClose)) hidden_.emplace_back(window);
                window->hide();
            }
        };
    requested = 0;
    if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(wakePipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        char bytes[16];
        while (::read(wakePipe[0], bytes, sizeof bytes) > 0) {
        }
        quit_();
    });
    struct sigaction action {};
    action.sa_handler = Noted;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kSignals); ++i) ::sigaction(kSignals[i], &action, &before[i]);
}

TerminationWatch::~TerminationWatch() {
    // The windows that closing would have deleted, once no handler of theirs runs; a child goes with
    // its window.
    for (const QPointer<QWidget>& window : hidden_)
        if (window && !window->parentWidget()) delete window.data();
    if (!notifier_) return;
    for (size_t i = 0; i < std::size(kSignals); ++i) ::sigaction(kSignals[i], &before[i], nullptr);
    notifier_.reset();
    for (int& end : wakePipe) {
        ::close(end);
        end = -1;
    }
    requested = 0;
}

bool TerminationRequested() { return requested != 0; }

}  // namespace dc
