#pragma once
// Shared test support: a program folder in a temporary directory with the blank database, a
// golfer's database made from it, scripted message-box answers, and a fixed clock.

#include <sys/resource.h>

#include <QDateTime>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <csignal>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/PrintLog.h"
#include "platform/PrintSystem.h"
#include "platform/RecordingPrinterPage.h"
#include "shell/AppContext.h"

class QDialog;

namespace dc::test {

// What every test may take as given, set before the application starts: the C locale (dates read
// month first with "/"), UTC as the time zone, and no desktop theme, style or scaling. Tests that need
// another locale or zone set it for their own scope; a test program started with DC_TEST_OWN_LOCALE
// keeps the locale of its environment.
void PinEnvironment();
// The application's font, the same on every machine: DejaVu Sans, 9 points. False, with a message,
// when that font is not installed.
bool PinFont();

// The program state the tests hand to screens and domain functions; a ProgramFolder resets it on
// entry and on exit. TestDb() is its open database.
AppContext& Ctx();
Database& TestDb();

// Records every message box and answers from a script; when the script is empty the answer is
// `fallback` (OK for boxes without a question). Restores the real boxes when destroyed.
class ScriptedMsgBox {
  public:
    explicit ScriptedMsgBox(std::deque<int> answers = {}, int fallback = 1 /* vbOK */);
    ~ScriptedMsgBox();
    void Push(int answer) { answers_.push_back(answer); }
    // Runs while each box is open, before its answer (a real box runs the event loop meanwhile).
    std::function<void(const QString& text)> whileOpen;
    const QStringList& Texts() const { return texts_; }
    const QStringList& Titles() const { return titles_; }
    const std::vector<int>& Styles() const { return styles_; }
    // The captions each box named for its buttons (empty for the standard ones).
    const std::vector<QStringList>& Buttons() const { return buttons_; }
    // The technical lines each box was given for its details (empty for most).
    const QStringList& Details() const { return details_; }
    int Count() const { return static_cast<int>(texts_.size()); }
    QString Last() const { return texts_.isEmpty() ? QString() : texts_.back(); }

  private:
    std::deque<int> answers_;
    int fallback_;
    QStringList texts_, titles_, details_;
    std::vector<int> styles_;
    std::vector<QStringList> buttons_;
};

// Replaces modal dialogs: each ExecModal(d) calls `act(d)` and returns its result.
class ScriptedModal {
  public:
    explicit ScriptedModal(std::function<int(QDialog&)> act);
    ~ScriptedModal();
    int Count() const { return count_; }

  private:
    int count_ = 0;
};

// A program folder (Connect.ini, DBFiles with the blank database) in a temporary directory,
// set as ProgramFolder(); the context is reset on entry and on exit.
class ProgramFolder {
  public:
    ProgramFolder();
    ~ProgramFolder();
    QString Path() const { return dir_.path(); }
    QString DbFiles() const { return dir_.path() + "/DBFiles"; }
    // A golfer's database made from the blank one (with its settings row and current stamp).
    QString MakeDatabase(const QString& name = "Golf.mdb", const QString& version = QString());
    // Makes a database and opens it in Ctx() (sDBPathFile there, the boxes' title set too).
    QString OpenDatabase(const QString& name = "Golf.mdb");
    void WriteIni(const QString& dbPath, const QString& multimediaPath = QString());

  private:
    QTemporaryDir dir_;
};

// Removes a folder with all it holds, by the bytes of its names: a temporary folder's own removal
// leaves names that are not UTF-8 (old files named in Windows-1252) and the folder behind.
void RemoveTree(const QString& path);

// Fixes the program's clock for the life of the object.
class FixedClock {
  public:
    explicit FixedClock(const QDateTime& now);
    ~FixedClock();
};

// A short wait for another program's lock while it lives, so that lock tests do not wait 5 s.
class ShortBusyTimeout {
  public:
    ShortBusyTimeout();
    ~ShortBusyTimeout();
};

// How long a test waits at most for what it waits on: long enough for a loaded machine.
constexpr int kGenerousWaitMs = 60000;

// Returns once every timer that was started before it, with an interval shorter than `ms`, has fired:
// Qt fires timers in the order they fall due, and this waits for one of `ms` started now. For what must
// NOT happen when a timer of the program fires.
void LetEarlierTimersFire(int ms);

// Limits the size of files this process writes, as a full disk would, while it lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, handler_);
    }

  private:
    rlimit old_{};
    void (*handler_)(int);
};

// A small file system of its own (tmpfs), unmounted when the object goes; Ready() is false where
// mounting is not allowed.
class SmallFileSystem {
  public:
    explicit SmallFileSystem(const char* size);
    ~SmallFileSystem();
    bool Ready() const { return mounted_; }
    QString Path() const { return dir_.path(); }
    bool MakeReadOnly();

  private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

// Fills the file system of `path` with a file of that name.
void FillDisk(const QString& path);

// What does not fit when `window` is shown at 1024x768 (or `size`): a shown control outside the window, a
// grid that needs scrolling sideways, a grid column narrower than one of its texts unless the cell shows the
// whole text as its tooltip. Empty when everything shows in full.
QStringList LayoutFaults(QWidget& window, QSize size = QSize(1024, 768));

// The text that `pdftotext -layout` reads from a PDF file.
QString PdfText(const QString& pdfPath);

// Sets (or, with a null value, unsets) an environment variable for a scope.
class EnvGuard {
  public:
    EnvGuard(const char* name, const QByteArray& value)
        : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvGuard() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

  private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

// A print system of the test's making, installed for the scope: a default printer (or none) and a
// queue that takes or refuses jobs. Every job handed to it is kept: printer, PDF pages, title, paper.
class StandInPrintSystem {
  public:
    struct Job {
        QString printer, title, paperKey;
        int pages = 0;
        QByteArray pdf;  // the document as handed over
    };
    struct State {
        std::optional<dc::PrinterFacts> printer;
        QString refusal;  // when not empty, every job is refused with this reason
        std::vector<Job> jobs;
    };
    // A printer named `name` with `paper` and its unprintable edges in points.
    explicit StandInPrintSystem(const QString& name = QString(),
                                QPageSize paper = QPageSize(QPageSize::Letter), QMarginsF margins = {});
    ~StandInPrintSystem();
    void Refuse(const QString& reason) { state_->refusal = reason; }
    const std::vector<Job>& Jobs() const { return state_->jobs; }

  private:
    std::shared_ptr<State> state_;
};

// The first text `log` printed equal to `text`; when there is none, a test failure that names it and an
// empty text, so that the test goes on instead of crashing.
const PrintOp& Printed(const PrintLog& log, const QString& text);

// Layout checks over a recording (recording metrics: a character is 0.6 em wide, a glyph 1 em high).
// Each gives a line per fault, empty when the printout is sound.
// Texts and lines that leave the printable area of `paper` (as each page is turned).
QStringList OutsidePrintable(const dc::PrintLog& log, const dc::RecordingPrinterPage::Paper& paper);
// Texts of one page whose boxes overlap (blanks at either end do not count).
QStringList OverlappingTexts(const dc::PrintLog& log);

// The papers every printout must fit: A4 and Letter, with 0.25" and 0.5" unprintable edges.
struct TestPaper {
    const char* name;
    dc::RecordingPrinterPage::Paper paper;
};
const std::vector<TestPaper>& TestPapers();
// OutsidePrintable and OverlappingTexts together.
QStringList PrintFaults(const dc::PrintLog& log, const dc::RecordingPrinterPage::Paper& paper);

// Runs `child` in a forked process and returns its exit code (-1 when it did not exit).
int InChild(const std::function<int()>& child);

}  // namespace dc::test

namespace dc {
// Tests in namespace dc (or using it) reach the test context by its short name.
using test::Ctx;
using test::TestDb;
}  // namespace dc
