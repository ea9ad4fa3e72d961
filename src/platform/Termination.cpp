#include "platform/Termination.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QSocketNotifier>
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
        quit_ = [] {
            // Every event loop ends, without the windows' questions on closing. Before the application's
            // loop runs (start-up's boxes) that does nothing: the open dialogs are closed instead, and
            // no more are shown (MsgBox, ExecModal).
            QCoreApplication::exit(0);
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
                    dialog->reject();
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
