// Talking to the print system: a time limit on every question with the wait pointer shown, and what
// the user is told when there is no printer, no server, no answer, a refusal or a stopped queue.
#include <arpa/inet.h>
#include <cups/ipp.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <condition_variable>
#include <csignal>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "TestSupport.h"
#include "platform/CupsPrintSystem.h"
#include "platform/FileOps.h"
#include "platform/MsgBox.h"
#include "platform/PrintJob.h"
#include "platform/PrinterPageFactory.h"
#include "platform/QtPrinterPage.h"
#include "platform/Termination.h"

using namespace dc;
using dc::test::EnvGuard;

namespace {

// What the stand-in print system answers, and whether a question hangs until the test ends.
struct Script {
    PrinterLookup lookup;
    JobResult job{true, {}, {}, {}, true, false};
    bool hangLookUp = false, hangSubmit = false, hangAfterLetGo = false;
    // A document sent in `steps` steps of `stepMs` each, hanging after step `stallAt` (0: never).
    int steps = 0, stepMs = 0, stallAt = 0;
    std::mutex mutex;
    std::condition_variable release;
    bool released = false;
    QStringList titles;  // of the jobs let go
    int lookUps = 0, submitsEnded = 0;
};

// A hang is given up after a second; every other answer comes well within the limit.
constexpr int kShortLimitMs = 1000;

class ScriptedPrintSystem : public PrintSystem {
  public:
    explicit ScriptedPrintSystem(std::shared_ptr<Script> script) : script_(std::move(script)) {}
    std::optional<PrinterFacts> DefaultPrinter() const override { return LookUp().printer; }
    PrinterLookup LookUp() const override {
        {
            const std::lock_guard lock(script_->mutex);
            ++script_->lookUps;
        }
        Hang(script_->hangLookUp);
        return script_->lookup;
    }
    JobResult Submit(const QString&, const QString&, const QString& title, const QPageSize&,
                     const JobWatch& watch) override {
        Hang(script_->hangSubmit);
        bool wanted = true;
        for (int step = 1; step <= script_->steps && wanted; ++step) {
            std::this_thread::sleep_for(std::chrono::milliseconds(script_->stepMs));
            wanted = watch.taken(step * 1000, script_->steps * 1000);
            Hang(step == script_->stallAt);
        }
        const bool letGo = wanted && watch.mayLetGo();
        Hang(script_->hangAfterLetGo);
        const std::lock_guard lock(script_->mutex);
        if (letGo) script_->titles << title;
        ++script_->submitsEnded;
        return letGo ? script_->job : JobResult{};
    }

  private:
    void Hang(bool hang) const {
        std::unique_lock lock(script_->mutex);
        if (hang) script_->release.wait(lock, [&] { return script_->released; });
    }
    std::shared_ptr<Script> script_;
};

// The stand-in installed with a time limit no answer misses, a home of the test's own, and scripted boxes.
struct Printing {
    QTemporaryDir dir;
    EnvGuard pdf{"DC_PRINT_PDF", QByteArray()};
    EnvGuard home{"HOME", dir.path().toUtf8()};
    EnvGuard config{"XDG_CONFIG_HOME", dir.filePath(".config").toUtf8()};
    EnvGuard tmp{"TMPDIR", dir.path().toUtf8()};
    std::shared_ptr<Script> script = std::make_shared<Script>();

    explicit Printing(const QString& printer = "Office") {
        if (!printer.isEmpty()) {
            script->lookup.state = PrinterLookup::Found;
            script->lookup.printer = PrinterFacts{printer, QPageSize(QPageSize::A4), {}};
        }
        SetPrintSystem(std::make_unique<ScriptedPrintSystem>(script));
        SetPrintSystemTimeLimitMs(test::kGenerousWaitMs);
    }
    ~Printing() {
        Release();
        SetPrintSystem(nullptr);
        SetPrintSystemTimeLimitMs(5000);
    }
    // Every question that hangs answers now.
    void Release() {
        {
            const std::lock_guard lock(script->mutex);
            script->released = true;
        }
        script->release.notify_all();
    }
    // The stand-in's one hand-over has ended, answered or not.
    bool OneSubmitEnded() const {
        return QTest::qWaitFor(
            [&] {
                const std::lock_guard lock(script->mutex);
                return script->submitsEnded == 1;
            },
            test::kGenerousWaitMs);
    }
    QStringList Documents() const {
        return QDir(dir.filePath("Documents")).entryList({"*.pdf"}, QDir::Files);
    }
    QStringList Temporary() const { return QDir(dir.path()).entryList({"*.pdf", "*.part"}, QDir::Files); }
};

// A print server on 127.0.0.1 that answers every request with success (Create-Job with job 7) and
// reads request bodies at a set pace; it can stop reading a document part way, as a server that hangs.
class LoopbackPrintServer {
  public:
    LoopbackPrintServer(int bytesPer20Ms, qint64 stopAfter) : pace_(bytesPer20Ms), stopAfter_(stopAfter) {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        const int window = 16 * 1024;  // a small window: the pace shows at the client's end
        setsockopt(listener_, SOL_SOCKET, SO_RCVBUF, &window, sizeof window);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(listener_, 8) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            ADD_FAILURE() << "no loopback socket";
        port_ = ntohs(address.sin_port);
        accepting_ = std::thread([this] { Accept(); });
    }
    ~LoopbackPrintServer() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        stopped_.notify_all();
        shutdown(listener_, SHUT_RDWR);
        accepting_.join();
        for (std::thread& connection : connections_) connection.join();
        close(listener_);
    }
    QByteArray Address() const { return "127.0.0.1:" + QByteArray::number(port_); }
    bool Asked(int operation) const {
        const std::lock_guard lock(mutex_);
        return std::find(operations_.begin(), operations_.end(), operation) != operations_.end();
    }
    bool DocumentWhole() const {
        const std::lock_guard lock(mutex_);
        return documentWhole_;
    }

  private:
    void Accept() {
        for (int client; (client = accept(listener_, nullptr, nullptr)) >= 0;) {
            const std::lock_guard lock(mutex_);
            connections_.emplace_back([this, client] {
                Serve(client);
                close(client);
            });
        }
    }
    bool Stopping() const {
        const std::lock_guard lock(mutex_);
        return stopping_;
    }
    // Up to `most` more bytes into `in`; false when the connection has ended or the server stops.
    bool Fill(int fd, std::string& in, size_t most) const {
        pollfd ready{fd, POLLIN, 0};
        while (!Stopping())
            if (poll(&ready, 1, 20) > 0) {
                char buffer[64 * 1024];
                const ssize_t got = recv(fd, buffer, std::min(most, sizeof buffer), 0);
                if (got <= 0) return false;
                in.append(buffer, size_t(got));
                return true;
            }
        return false;
    }
    bool Line(int fd, std::string& in, std::string& line) const {
        size_t end;
        while ((end = in.find("\r\n")) == std::string::npos)
            if (!Fill(fd, in, 4096)) return false;
        line = in.substr(0, end);
        in.erase(0, end + 2);
        return true;
    }
    // `count` bytes of a body, at the server's pace; the first 8 are kept in `head`.
    bool Body(int fd, std::string& in, size_t count, std::string& head, qint64& taken) {
        while (count > 0) {
            if (in.empty()) {
                if (stopAfter_ > 0 && taken >= stopAfter_) {  // hangs until the test ends
                    std::unique_lock lock(mutex_);
                    stopped_.wait(lock, [&] { return stopping_; });
                    return false;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                if (!Fill(fd, in, std::min(count, size_t(pace_)))) return false;
            }
            const size_t part = std::min(count, in.size());
            head += in.substr(0, std::min(part, 8 - std::min<size_t>(head.size(), 8)));
            in.erase(0, part);
            count -= part;
            taken += qint64(part);
        }
        return true;
    }
    void Serve(int fd) {
        std::string in, line;
        while (Line(fd, in, line)) {  // the request line
            bool chunked = false;
            size_t length = 0;
            while (Line(fd, in, line) && !line.empty()) {
                const QByteArray field = QByteArray::fromStdString(line).toLower();
                if (field.startsWith("content-length:")) length = field.mid(15).trimmed().toULong();
                if (field.startsWith("transfer-encoding:") && field.contains("chunked")) chunked = true;
                if (field.startsWith("expect:")) send(fd, "HTTP/1.1 100 Continue\r\n\r\n", 25, MSG_NOSIGNAL);
            }
            std::string head;
            qint64 taken = 0;
            bool whole = true;
            if (!chunked && !Body(fd, in, length, head, taken)) return;
            while (chunked && Line(fd, in, line)) {
                const size_t size = std::stoul(line, nullptr, 16);
                if (size == 0 && Line(fd, in, line)) break;
                if (size == 0 || !Body(fd, in, size, head, taken) || !Line(fd, in, line)) whole = false;
                if (!whole) return;
            }
            if (head.size() < 8) return;
            const int operation = (uchar(head[2]) << 8) | uchar(head[3]);
            {
                const std::lock_guard lock(mutex_);
                operations_.push_back(operation);
                if (operation == IPP_OP_SEND_DOCUMENT) documentWhole_ = whole;
            }
            std::string ipp = std::string("\x02\x00\x00\x00", 4) + head.substr(4, 4) + '\x01';
            const auto attribute = [&ipp](char tag, const std::string& name, const std::string& value) {
                ipp += tag;
                for (const std::string* text : {&name, &value}) {
                    ipp += char(text->size() >> 8);
                    ipp += char(text->size() & 0xff);
                    ipp += *text;
                }
            };
            attribute('\x47', "attributes-charset", "utf-8");
            attribute('\x48', "attributes-natural-language", "en");
            const auto integer = [](int value) {
                return std::string{char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
            };
            if (operation == IPP_OP_CREATE_JOB) {
                ipp += '\x02';
                attribute('\x21', "job-id", integer(7));
            }
            if (operation == IPP_OP_GET_PRINTER_ATTRIBUTES) {  // the printer "Office", idle, taking PDF
                ipp += '\x04';
                attribute('\x45', "printer-uri-supported",
                          "ipp://" + Address().toStdString() + "/printers/Office");
                attribute('\x42', "printer-name", "Office");
                attribute('\x23', "printer-state", integer(IPP_PSTATE_IDLE));
                attribute('\x44', "printer-state-reasons", "none");
                attribute('\x22', "printer-is-accepting-jobs", "\x01");
                attribute('\x49', "document-format-supported", "application/pdf");
                attribute('\x23', "operations-supported", integer(IPP_OP_CREATE_JOB));
                for (const int other :
                     {IPP_OP_SEND_DOCUMENT, IPP_OP_CANCEL_JOB, IPP_OP_GET_PRINTER_ATTRIBUTES})
                    attribute('\x23', "", integer(other));
            }
            ipp += '\x03';
            const std::string answer =
                "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: " +
                std::to_string(ipp.size()) + "\r\n\r\n" + ipp;
            send(fd, answer.data(), answer.size(), MSG_NOSIGNAL);
        }
    }

    const int pace_;
    const qint64 stopAfter_;
    int listener_ = -1, port_ = 0;
    std::thread accepting_;
    std::vector<std::thread> connections_;
    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    bool stopping_ = false, documentWhole_ = false;
    std::vector<int> operations_;
};

// One printout of one page, told to the user.
void PrintOnePage(const QString& title) {
    QtPrinterPage page;
    page.SetJobName(title);
    page.Print("page 1");
    page.EndDoc();
    ReportPrintOutcome(page);
}

}  // namespace

// A print server that hangs is given the time limit, with the wait pointer shown and the windows
// kept painted; the printout is offered as a PDF, and the next printout does not wait again.
TEST(PrintSystemTimeLimit, AHangingLookUpIsToldAndOffersAPdf) {
    Printing printing;
    printing.script->hangLookUp = true;
    SetPrintSystemTimeLimitMs(kShortLimitMs);
    test::ScriptedMsgBox boxes({vbYes});
    bool pointerShown = false;
    QTimer::singleShot(0, [&] { pointerShown = QGuiApplication::overrideCursor() != nullptr; });
    PrintOnePage("Player List");
    EXPECT_TRUE(pointerShown) << "the wait pointer, and events handled while waiting";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ASSERT_EQ(boxes.Count(), 2) << boxes.Last().toStdString();
    EXPECT_TRUE(boxes.Texts()[0].startsWith("The print system does not answer"))
        << boxes.Texts()[0].toStdString();
    EXPECT_TRUE(boxes.Texts()[0].contains("\"Player List\""));
    EXPECT_TRUE(boxes.Texts()[0].endsWith("Save the printout as a PDF file instead?"));
    EXPECT_EQ(printing.Documents(), QStringList{"Player List.pdf"});
    EXPECT_TRUE(printing.Temporary().isEmpty());

    // The question still unanswered: the next printout is told without asking again.
    test::ScriptedMsgBox again({vbNo});
    PrintOnePage("Game List");
    EXPECT_EQ(printing.script->lookUps, 1);
    ASSERT_EQ(again.Count(), 1);
    EXPECT_TRUE(again.Texts()[0].startsWith("The print system does not answer"));
    EXPECT_EQ(printing.Documents(), QStringList{"Player List.pdf"}) << "No keeps no file";
    EXPECT_TRUE(printing.Temporary().isEmpty());
}

// A hand-over that hangs is given up at the time limit and its PDF offered. A job not let go by then is
// withdrawn: answered afterwards, it is not sent, and the PDF the user saved stays. A job let go
// already may print, and the user is told so.
TEST(PrintSystemTimeLimit, AHangingHandOverIsGivenUpAndItsPdfOffered) {
    const QString late =
        "The print system did not answer within 1 second while taking \"Handicap Cards\" for the "
        "printer Office";
    const struct {
        bool letGo;
        int answer;
        QString told;
        QStringList sent;
    } cases[] = {
        {false,
         vbYes,
         late + ", so the job was withdrawn: it will not print.\n\nSave the printout as a PDF file instead?",
         {}},
        {true,
         vbNo,
         late + "; it may or may not print it.\n\nSave the printout as a PDF file as well?",
         {"Handicap Cards"}},
    };
    for (const auto& c : cases) {
        Printing printing;
        (c.letGo ? printing.script->hangAfterLetGo : printing.script->hangSubmit) = true;
        SetPrintSystemTimeLimitMs(kShortLimitMs);
        test::ScriptedMsgBox boxes({c.answer});
        PrintOnePage("Handicap Cards");
        ASSERT_GE(boxes.Count(), 1);
        EXPECT_EQ(boxes.Texts()[0], c.told);
        printing.Release();
        ASSERT_TRUE(printing.OneSubmitEnded());
        EXPECT_EQ(printing.script->titles, c.sent);
        EXPECT_EQ(printing.Documents(),
                  c.answer == vbYes ? QStringList{"Handicap Cards.pdf"} : QStringList{});
        if (c.answer == vbYes) {
            EXPECT_TRUE(PdfWrittenWhole(printing.dir.filePath("Documents/Handicap Cards.pdf")));
        }
        EXPECT_TRUE(printing.Temporary().isEmpty()) << "the job's file goes with No";
    }
}

// The time limit is for a server that stops answering, not for a long document: one taken slowly
// but steadily, for twice the limit, prints; one that stops being taken is given up as before; one
// cancelled on its way never prints, nor one on its way when the program is told to end (which then
// quits its event loop). Each is shown as it goes; its document is kept from start-up's clean-up.
TEST(PrintSystemTimeLimit, ADocumentTakenSlowlyPrintsAndOneThatStopsIsGivenUp) {
    const struct {
        int stallAt;
        qint64 cancelAt;
        QStringList told, sent;
        qint64 terminateAt = 0;  // SIGTERM then
    } cases[] = {
        {0, 0, {}, {"Game List"}},
        {3,
         0,
         {"The print system did not answer within 1 second while taking \"Game List\" for the printer "
          "Office, so the job was withdrawn: it will not print.\n\nSave the printout as a PDF file instead?"},
         {}},
        {0, 3000, {}, {}},
        {0, 0, {}, {}, 3000},
    };
    for (const auto& c : cases) {
        Printing printing;
        printing.script->steps = 16;
        printing.script->stepMs = kShortLimitMs / 8;
        printing.script->stallAt = c.stallAt;
        SetPrintSystemTimeLimitMs(kShortLimitMs);
        qint64 shown = 0;
        bool quit = false;
        std::optional<TerminationWatch> termination;
        if (c.terminateAt) termination.emplace([&] { quit = true; });
        SetSendProgressResponder([&](qint64 taken, qint64 size) {
            EXPECT_TRUE(taken == 0 || size == 16000);
            EXPECT_GE(taken, shown);
            shown = taken;
            for (const QString& name : printing.Temporary())
                EXPECT_FALSE(RemoveLeftoverFile(printing.dir.filePath(name), 0)) << "in use";
            if (c.terminateAt && taken >= c.terminateAt) ::raise(SIGTERM);
            return c.cancelAt == 0 || taken < c.cancelAt;
        });
        test::ScriptedMsgBox boxes({vbNo});
        PrintOnePage("Game List");
        SetSendProgressResponder({});
        QCoreApplication::processEvents();
        EXPECT_EQ(quit, c.terminateAt != 0);
        termination.reset();
        EXPECT_EQ(boxes.Texts(), c.told);
        printing.Release();
        ASSERT_TRUE(printing.OneSubmitEnded());
        EXPECT_EQ(printing.script->titles, c.sent);
        if (c.stallAt || c.cancelAt || c.terminateAt) {
            EXPECT_EQ(shown, 3000);
        } else {
            EXPECT_GE(shown, 8000) << "shown as it goes";
        }
        EXPECT_TRUE(printing.Documents().isEmpty());
        EXPECT_TRUE(printing.Temporary().isEmpty());
    }
}

// Where the printout went and why, in the user's words; the job carries the printout's title.
TEST(PrintSystemMessages, EachCauseIsNamed) {
    const struct {
        PrinterLookup::State state;
        QString wanted;
        QStringList installed;
        QString told;
    } cases[] = {
        {PrinterLookup::NoPrinter, "", {}, "No printer is set up; the printout was saved as "},
        {PrinterLookup::ServerDown, "", {}, "The print system is not running, so no printer can be reached;"},
        {PrinterLookup::DefaultGone,
         "Office",
         {"Lab", "Hall"},
         "The default printer Office is no longer set up (the printers set up are Lab, Hall);"},
        {PrinterLookup::DefaultGone,
         "",
         {"Lab"},
         "No default printer is chosen (the printers set up are Lab);"},
    };
    for (const auto& c : cases) {
        Printing printing("");
        printing.script->lookup = {c.state, {}, c.wanted, c.installed};
        test::ScriptedMsgBox boxes;
        PrintOnePage("Player List");
        ASSERT_EQ(boxes.Count(), 1) << c.told.toStdString();
        EXPECT_TRUE(boxes.Texts()[0].startsWith(c.told)) << boxes.Texts()[0].toStdString();
        EXPECT_TRUE(boxes.Texts()[0].endsWith("Documents/Player List.pdf"));
    }
}

TEST(PrintSystemMessages, ARefusalAndAStoppedQueueAreToldInPlainWords) {
    const mode_t oldMask = umask(027);
    {
        Printing printing;
        printing.script->job = {false,
                                "the printer does not accept jobs at present",
                                "No such file or directory",
                                "Out of paper",
                                true,
                                false};
        test::ScriptedMsgBox boxes({vbYes});
        PrintOnePage("Player List");
        ASSERT_EQ(boxes.Count(), 2);
        EXPECT_EQ(
            boxes.Texts()[0],
            "The printer Office did not print \"Player List\": the printer does not accept jobs at present.\n"
            "The printer reports: \"Out of paper\".\n(The print system said: No such file or directory)\n\n"
            "Save the printout as a PDF file instead?");
        const QString saved = printing.dir.filePath("Documents/Player List.pdf");
        EXPECT_EQ(boxes.Texts()[1], "The printout was saved as " + saved);
        struct stat facts {};
        ASSERT_EQ(stat(QFile::encodeName(saved).constData(), &facts), 0);
        EXPECT_EQ(facts.st_mode & 0777, 0640u) << "the user's normal mode, not the job file's 0600";
        EXPECT_EQ(printing.script->titles, QStringList{"Player List"})
            << "the job is named after the printout";
    }
    umask(oldMask);
    {
        Printing printing;
        printing.script->job = {true, {}, {}, "Out of paper", true, true};
        test::ScriptedMsgBox boxes;
        PrintOnePage("Score Cards");
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(
            boxes.Texts()[0],
            "The printer Office is stopped: \"Score Cards\" waits in its queue until the printer is started "
            "again.\nThe printer reports: \"Out of paper\".");
        EXPECT_TRUE(printing.Temporary().isEmpty());
    }
    {
        Printing printing;
        test::ScriptedMsgBox boxes;
        PrintOnePage("");
        EXPECT_EQ(boxes.Count(), 0);
        EXPECT_EQ(printing.script->titles, QStringList{"Printout"}) << "a job is never nameless";
    }
}

TEST(PrintSystemMessages, TheQueuesOwnWords) {
    const struct {
        const char *message, *reasons, *told;
    } cases[] = {
        {"Out of paper", "media-empty-error", "Out of paper"},
        {"", "media-empty-error,paused", "Out of paper"},
        {"", "media-jam-warning,cover-open-report,offline",
         "Paper jam; A cover is open; The printer is off line"},
        {"", "none", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(QueueReason(c.message, c.reasons), c.told) << c.reasons;
}

// The real CUPS client against a server that takes the connection and never answers (as a stopped
// cupsd does), and against no server at all.
TEST(PrintSystemTimeLimit, TheRealClientAgainstAServerThatNeverAnswers) {
    QTemporaryDir dir;
    // A socket that takes connections and never reads or replies.
    const int silent = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(dir.filePath("cups.sock")).constData(),
             sizeof address.sun_path);
    ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(silent, 16), 0);
    const struct {
        QString server;
        int limit;
        QString told;
    } cases[] = {
        {dir.filePath("cups.sock"), kShortLimitMs,
         "The print system does not answer (no reply within 1 second)"},
        {dir.filePath("none.sock"), test::kGenerousWaitMs,
         "The print system is not running, so no printer can be reached;"},
    };
    for (const auto& c : cases) {
        EnvGuard home("HOME", dir.path().toUtf8());
        EnvGuard pdf("DC_PRINT_PDF", QByteArray());
        EnvGuard server("CUPS_SERVER", c.server.toUtf8());
        SetPrintSystem(nullptr);
        SetPrintSystemTimeLimitMs(c.limit);
        test::ScriptedMsgBox boxes({vbNo});
        PrintOnePage("Player List");
        ASSERT_GE(boxes.Count(), 1);
        EXPECT_TRUE(boxes.Texts()[0].startsWith(c.told)) << boxes.Texts()[0].toStdString();
    }
    SetPrintSystem(nullptr);
    SetPrintSystemTimeLimitMs(5000);
    close(silent);  // the client left waiting gets its end of file and finishes
}

// The real client against a print server on the loopback that takes a document slowly but steadily,
// for twice the time limit: the whole job reaches it. One that stops reading part way is given up at
// the time limit and the job withdrawn: the server is told to cancel it.
TEST(PrintSystemTimeLimit, TheRealClientSendsASlowDocumentWholeAndWithdrawsAStalledOne) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("job.pdf");
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1 << 20, 'x'));
    file.close();
    constexpr int kLimitMs = 500;
    for (const qint64 stopAfter : {0, 256 * 1024}) {
        LoopbackPrintServer server(16 * 1024, stopAfter);  // 0.8 MB a second: 1.3 s for the document
        EnvGuard address("CUPS_SERVER", server.Address());
        SetPrintSystem(nullptr);
        SetPrintSystemTimeLimitMs(kLimitMs);
        qint64 shown = 0;
        QElapsedTimer timer;
        timer.start();
        const JobResult result =
            SubmitJob("Office", pdf, "Game List", QPageSize(QPageSize::Letter), [&](qint64 taken, qint64) {
                shown = std::max(shown, taken);
                return true;
            });
        const bool whole = stopAfter == 0;
        EXPECT_EQ(result.accepted, whole)
            << result.reason.toStdString() << " / " << result.detail.toStdString();
        EXPECT_EQ(result.answered, whole);
        EXPECT_FALSE(result.letGo) << stopAfter;
        EXPECT_GT(shown, 0) << "the progress is shown";
        if (whole) {
            EXPECT_GT(timer.elapsed(), 2 * kLimitMs);
        }
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return server.Asked(whole ? IPP_OP_GET_PRINTER_ATTRIBUTES : IPP_OP_CANCEL_JOB); },
            test::kGenerousWaitMs));
        EXPECT_EQ(server.DocumentWhole(), whole);
    }
    SetPrintSystem(nullptr);
    SetPrintSystemTimeLimitMs(5000);
}
