#include "platform/PrintSystem.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLocale>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/CupsPrintSystem.h"

namespace dc {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

std::shared_ptr<PrintSystem>& Current() {
    static std::shared_ptr<PrintSystem> system;
    return system;
}

std::shared_ptr<PrintSystem> CurrentSystem() {
    if (!Current()) Current() = std::make_shared<CupsPrintSystem>();
    return Current();
}

int& TimeLimitMs() {
    static int ms = 5000;
    return ms;
}

// One question to the print system, answered by a worker thread. A worker whose answer comes too
// late is left to finish on its own; it keeps what it uses alive, and learns that nobody waits.
template <class T>
struct Question {
    std::mutex mutex;
    std::condition_variable answered;
    std::optional<T> answer;
    bool givenUp = false;  // the time limit passed without an answer, or the user stopped the job
    bool letGo = false;    // a job was let go before that
    Clock::time_point moved = Clock::now();  // asked, or the last progress of a job's document
    qint64 taken = 0, size = 0;              // of a job's document
};

template <class T>
std::shared_ptr<Question<T>> Ask(std::function<T(Question<T>&)> call) {
    auto question = std::make_shared<Question<T>>();
    std::thread([question, call = std::move(call)] {
        T answer{};
        try {
            answer = call(*question);
        } catch (...) {  // an answer of defaults: no printer, job not taken
        }
        const std::lock_guard lock(question->mutex);
        question->answer = std::move(answer);
        question->answered.notify_all();
    }).detach();
    return question;
}

// The wait pointer while the program waits for the print system.
struct WaitPointer {
    const bool shown = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    WaitPointer() {
        if (shown) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitPointer() {
        if (shown) QGuiApplication::restoreOverrideCursor();
    }
};

// Waits for the answer until the time limit passes without progress, keeping the windows painted
// (no input reaches them). `goOn`, asked between looks, may stop the wait before the job is let go.
template <class T>
std::optional<T> Await(Question<T>& question, const std::function<bool()>& goOn = {}) {
    const WaitPointer pointer;
    const bool guiThread =
        QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
    const auto limit = std::chrono::milliseconds(TimeLimitMs());
    for (;;) {
        {
            std::unique_lock lock(question.mutex);
            const auto slice = std::min<Clock::duration>(
                20ms, std::max<Clock::duration>(question.moved + limit - Clock::now(), 0ms));
            if (question.answered.wait_for(lock, slice, [&] { return question.answer.has_value(); }))
                return question.answer;
            if (Clock::now() >= question.moved + limit) {
                question.givenUp = true;
                return std::nullopt;
            }
        }
        if (goOn && !goOn()) {
            const std::lock_guard lock(question.mutex);
            if (question.answer) return question.answer;
            if (!question.letGo) {
                question.givenUp = true;
                return std::nullopt;
            }
        }
        if (guiThread) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

// The look-up the print system has not answered yet, so that the next ones do not wait again.
struct Unanswered {
    std::shared_ptr<Question<PrinterLookup>> question;
    Clock::time_point asked;
};
Unanswered& PendingLookUp() {
    static Unanswered pending;
    return pending;
}

QString PaperLocale() {
    for (const char* name : {"LC_ALL", "LC_PAPER", "LC_MEASUREMENT", "LANG"})
        if (!qEnvironmentVariableIsEmpty(name)) return qEnvironmentVariable(name);
    return QStringLiteral("C");
}

}  // namespace

PrinterLookup PrintSystem::LookUp() const {
    PrinterLookup lookup;
    lookup.printer = DefaultPrinter();
    lookup.state = lookup.printer ? PrinterLookup::Found : PrinterLookup::NoPrinter;
    return lookup;
}

PrintSystem& ThePrintSystem() { return *CurrentSystem(); }

void SetPrintSystem(std::unique_ptr<PrintSystem> system) {
    Current() = std::move(system);
    PendingLookUp() = {};
}

int PrintSystemTimeLimitMs() { return TimeLimitMs(); }
void SetPrintSystemTimeLimitMs(int ms) { TimeLimitMs() = std::max(ms, 1); }

PrinterLookup LookUpDefaultPrinter() {
    Unanswered& pending = PendingLookUp();
    if (pending.question) {
        bool answered;
        {
            const std::lock_guard lock(pending.question->mutex);
            answered = pending.question->answer.has_value();
        }
        // While the last question stays unanswered the server is taken as not answering; after
        // half a minute it is asked again.
        if (!answered && Clock::now() - pending.asked < 30s) return {PrinterLookup::NoAnswer, {}, {}, {}};
        pending = {};
    }
    const std::shared_ptr<PrintSystem> system = CurrentSystem();
    auto question = Ask<PrinterLookup>([system](Question<PrinterLookup>&) { return system->LookUp(); });
    if (auto answer = Await(*question)) return *answer;
    pending = {question, question->moved};
    return {PrinterLookup::NoAnswer, {}, {}, {}};
}

JobResult SubmitJob(const QString& printer, const QString& pdfPath, const QString& title,
                    const QPageSize& paper, const std::function<bool(qint64, qint64)>& sending) {
    const std::shared_ptr<PrintSystem> system = CurrentSystem();
    auto question = Ask<JobResult>([system, printer, pdfPath, title, paper](Question<JobResult>& asked) {
        JobWatch watch;
        // More of the document taken is progress: the time limit starts again.
        watch.taken = [&asked](qint64 taken, qint64 size) {
            const std::lock_guard lock(asked.mutex);
            if (taken > asked.taken) asked.moved = Clock::now();
            asked.taken = std::max(asked.taken, taken);
            asked.size = size;
            return !asked.givenUp;
        };
        // Let go only while the program still waits for the answer.
        watch.mayLetGo = [&asked] {
            const std::lock_guard lock(asked.mutex);
            asked.letGo = !asked.givenUp;
            return asked.letGo;
        };
        return system->Submit(printer, pdfPath, title, paper, watch);
    });
    bool cancelled = false;
    const auto goOn = [&] {
        qint64 taken, size;
        {
            const std::lock_guard lock(question->mutex);
            if (question->letGo) return true;  // too late to stop it
            taken = question->taken;
            size = question->size;
        }
        cancelled = !sending(taken, size);
        return !cancelled;
    };
    if (auto answer = Await(*question, sending ? std::function<bool()>(goOn) : std::function<bool()>()))
        return *answer;
    JobResult late;
    const std::lock_guard lock(question->mutex);
    late.letGo = question->letGo;
    late.cancelled = cancelled && !late.letGo;
    late.answered = late.cancelled;
    return late;
}

QString NoPrinterCause(const PrinterLookup& lookup) {
    switch (lookup.state) {
        case PrinterLookup::ServerDown:
            return QStringLiteral("The print system is not running, so no printer can be reached");
        case PrinterLookup::DefaultGone:
            return lookup.wanted.isEmpty()
                       ? QStringLiteral("No default printer is chosen (the printers set up are %1)")
                             .arg(lookup.installed.join(QStringLiteral(", ")))
                       : QStringLiteral(
                             "The default printer %1 is no longer set up (the printers set up are %2)")
                             .arg(lookup.wanted, lookup.installed.join(QStringLiteral(", ")));
        case PrinterLookup::NoAnswer:
            return QStringLiteral("The print system does not answer");
        default:
            return QStringLiteral("No printer is set up");
    }
}

QPageSize LocalePaper(const QString& localeName) {
    // "en_US.UTF-8" and "en_US@euro" name the territory before the dot or at-sign.
    const QLocale locale(localeName.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0));
    const bool letter = locale.territory() == QLocale::UnitedStates || locale.territory() == QLocale::Canada;
    return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

QPageSize EnvironmentPaper() { return LocalePaper(PaperLocale()); }

QPageSize ProgramPaper() {
    if (const auto printer = LookUpDefaultPrinter().printer) return printer->paper;
    return EnvironmentPaper();
}

QMarginsF ProgramMargins(const std::optional<PrinterFacts>& printer) {
    const QMarginsF own = printer ? printer->margins : QMarginsF();
    return QMarginsF(std::max(own.left(), kMinMarginPoints), std::max(own.top(), kMinMarginPoints),
                     std::max(own.right(), kMinMarginPoints), std::max(own.bottom(), kMinMarginPoints));
}

}  // namespace dc
