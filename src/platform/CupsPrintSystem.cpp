#include "platform/CupsPrintSystem.h"

#include <cups/cups.h>
#include <linux/sockios.h>
#include <sys/ioctl.h>

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextStream>
#include <chrono>
#include <thread>

namespace dc {
namespace {

QString Option(const cups_dest_t& dest, const char* name) {
    return QString::fromUtf8(cupsGetOption(name, dest.num_options, dest.options));
}

QString DestName(const cups_dest_t& dest) {
    QString name = QString::fromLocal8Bit(dest.name);
    if (dest.instance) name += QLatin1Char('/') + QString::fromLocal8Bit(dest.instance);
    return name;
}

// The default the user asked for: LPDEST, PRINTER, then the lpoptions files (the user's first).
QString WantedDefault() {
    for (const char* name : {"LPDEST", "PRINTER"})
        if (!qEnvironmentVariableIsEmpty(name)) return qEnvironmentVariable(name);
    for (const QString& path :
         {QDir::home().filePath(QStringLiteral(".cups/lpoptions")), QStringLiteral("/etc/cups/lpoptions")}) {
        QFile file(path);
        if (file.size() > 1024 * 1024 || !file.open(QIODevice::ReadOnly)) continue;
        QTextStream in(&file);
        QString line;
        while (in.readLineInto(&line)) {
            const QStringList words = line.simplified().split(QLatin1Char(' '));
            if (words.size() >= 2 && words[0].compare(QStringLiteral("Default"), Qt::CaseInsensitive) == 0)
                return words[1];
        }
    }
    const char* server = cupsGetDefault2(CUPS_HTTP_DEFAULT);
    return server ? QString::fromLocal8Bit(server) : QString();
}

bool ServerAnswers() {
    http_t* http =
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 3000, nullptr);
    if (!http) return false;
    httpClose(http);
    return true;
}

// The paper and the unprintable edges of a printer, as Qt reads them from its driver.
void ReadPaper(PrinterFacts& facts) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(facts.name);
    facts.paper =
        !info.isNull() && info.defaultPageSize().isValid() ? info.defaultPageSize() : EnvironmentPaper();
    if (info.isNull()) return;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageSize(facts.paper);
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    facts.margins = layout.minimumMargins();
}

// The state of a queue as its server tells it: stopped or not, and the queue's own words.
struct QueueState {
    bool stopped = false;
    QString reason;
};
QueueState AskQueueState(const QByteArray& queue) {
    QueueState state;
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", queue.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-state", "printer-state-message", "printer-state-reasons"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (!response) return state;
    if (ipp_attribute_t* attribute = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM))
        state.stopped = ippGetInteger(attribute, 0) == IPP_PSTATE_STOPPED;
    QString message, reasons;
    if (ipp_attribute_t* attribute = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
        message = QString::fromUtf8(ippGetString(attribute, 0, nullptr));
    if (ipp_attribute_t* attribute = ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD))
        for (int i = 0; i < ippGetCount(attribute); ++i)
            reasons += QString::fromUtf8(ippGetString(attribute, i, nullptr)) + QLatin1Char(',');
    ippDelete(response);
    state.reason = QueueReason(message, reasons);
    return state;
}

// A refusal in plain words.
QString PlainRefusal(ipp_status_t status) {
    switch (status) {
        case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
            return QStringLiteral("the printer does not accept jobs at present");
        case IPP_STATUS_ERROR_NOT_FOUND:
            return QStringLiteral("the printer is no longer set up");
        case IPP_STATUS_ERROR_FORBIDDEN:
        case IPP_STATUS_ERROR_NOT_AUTHORIZED:
        case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
            return QStringLiteral("your account may not print on it");
        case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
            return QStringLiteral("the print system is not running");
        case IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED:
            return QStringLiteral("it cannot print PDF documents");
        case IPP_STATUS_ERROR_REQUEST_ENTITY:
            return QStringLiteral("the printout is too large for it");
        case IPP_STATUS_ERROR_BUSY:
        case IPP_STATUS_ERROR_TEMPORARY:
            return QStringLiteral("it is busy; try again later");
        default:
            return QStringLiteral("the print system refused the job");
    }
}

// A job's document on its way: how much of it the server has taken is what was written less what
// still waits in the connection's send queue, so a slow link shows its progress as it drains.
struct Sending {
    const JobWatch& watch;
    qint64 written = 0, size = 0;
    bool dropped = false;  // the program has stopped waiting

    static qint64 Queued(http_t* http) {
        int queued = 0;
        return ioctl(httpGetFd(http), SIOCOUTQ, &queued) == 0 ? queued : 0;
    }
    bool Tell(http_t* http) {
        dropped = dropped || !watch.taken(std::max<qint64>(written - Queued(http), 0), size);
        return !dropped;
    }
    // Waits until the server has taken every byte written so far, telling the progress, unless the
    // program stops waiting. False when the document did not leave.
    bool Drain(http_t* http) {
        if (httpFlushWrite(http) < 0) return false;
        while (Tell(http) && Queued(http) > 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return !dropped;
    }
};

// Called whenever the connection has waited a moment: goes on waiting while the program does.
int GoOnWaiting(http_t* http, void* sending) { return static_cast<Sending*>(sending)->Tell(http) ? 1 : 0; }

}  // namespace

QString QueueReason(const QString& stateMessage, const QString& stateReasons) {
    if (!stateMessage.trimmed().isEmpty()) return stateMessage.trimmed();
    static const QList<QPair<QString, QString>> plain = {
        {QStringLiteral("media-empty"), QStringLiteral("Out of paper")},
        {QStringLiteral("media-needed"), QStringLiteral("Out of paper")},
        {QStringLiteral("media-jam"), QStringLiteral("Paper jam")},
        {QStringLiteral("toner-empty"), QStringLiteral("Out of toner")},
        {QStringLiteral("marker-supply-empty"), QStringLiteral("Out of ink or toner")},
        {QStringLiteral("cover-open"), QStringLiteral("A cover is open")},
        {QStringLiteral("door-open"), QStringLiteral("A door is open")},
        {QStringLiteral("offline"), QStringLiteral("The printer is off line")},
    };
    QStringList said;
    for (QString reason : stateReasons.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        reason = reason.trimmed();
        for (const char* suffix : {"-error", "-warning", "-report"})
            if (reason.endsWith(QLatin1String(suffix))) reason.chop(int(qstrlen(suffix)));
        for (const auto& [keyword, words] : plain)
            if (reason == keyword && !said.contains(words)) said << words;
    }
    return said.join(QStringLiteral("; "));
}

std::unique_ptr<QPrinter> NewPdfWriter() {
    // CUPS keeps its server per thread: this thread's look-ups fail at once, the workers' are unchanged.
    cupsSetServer("/nonexistent/dc-no-print-server");
    auto writer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    cupsSetServer(nullptr);
    writer->setOutputFormat(QPrinter::PdfFormat);
    return writer;
}

std::optional<PrinterFacts> CupsPrintSystem::DefaultPrinter() const { return LookUp().printer; }

PrinterLookup CupsPrintSystem::LookUp() const {
    PrinterLookup result;
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    if (const cups_dest_t* dest = cupsGetDest(nullptr, nullptr, count, dests)) {
        PrinterFacts facts;
        facts.name = DestName(*dest);
        facts.stopped = Option(*dest, "printer-state").toInt() == IPP_PSTATE_STOPPED;
        result.state = PrinterLookup::Found;
        result.printer = facts;
    } else if (count > 0) {
        result.state = PrinterLookup::DefaultGone;
        for (int i = 0; i < count; ++i) result.installed << DestName(dests[i]);
    } else {
        result.state = ServerAnswers() ? PrinterLookup::NoPrinter : PrinterLookup::ServerDown;
    }
    cupsFreeDests(count, dests);
    if (result.printer) {
        ReadPaper(*result.printer);
        const QueueState state =
            AskQueueState(result.printer->name.section(QLatin1Char('/'), 0, 0).toLocal8Bit());
        result.printer->queueReason = state.reason;
    }
    if (result.state == PrinterLookup::DefaultGone) {
        result.wanted = WantedDefault();
        if (result.installed.contains(result.wanted)) result.wanted.clear();
    }
    return result;
}

JobResult CupsPrintSystem::Submit(const QString& printer, const QString& pdfPath, const QString& title,
                                  const QPageSize& paper, const JobWatch& watch) {
    JobResult result;
    // CUPS wants the queue's name without an instance ("queue/instance").
    const QByteArray queue = printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray name = title.toUtf8();
    QFile pdf(pdfPath);
    if (!pdf.open(QIODevice::ReadOnly)) {
        result.reason = QStringLiteral("the printout could not be read");
        result.detail = pdf.errorString();
        return result;
    }
    // A connection of the job's own: a document given up half sent is cut off with it.
    http_t* http =
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000, nullptr);
    if (!http) {
        result.reason = PlainRefusal(IPP_STATUS_ERROR_SERVICE_UNAVAILABLE);
        return result;
    }
    // Every wait on it, and every write held up by a slow link, looks up a few times a second (the
    // socket's own time-outs): the program hears of the progress, and a job it has stopped waiting
    // for is cut off.
    Sending sending{watch, 0, pdf.size()};
    httpSetTimeout(http, 0.25, GoOnWaiting, &sending);
    cups_option_t* options = nullptr;
    const int count = cupsAddOption("media", paper.key().toUtf8().constData(), 0, &options);
    // The job and its one document both carry the printout's title.
    const int job = cupsCreateJob(http, queue.constData(), name.constData(), count, options);
    cupsFreeOptions(count, options);
    if (job > 0) {
        bool sent = cupsStartDocument(http, queue.constData(), job, name.constData(), CUPS_FORMAT_PDF, 1) ==
                    HTTP_STATUS_CONTINUE;
        while (sent && !sending.dropped && !pdf.atEnd()) {
            const QByteArray chunk = pdf.read(64 * 1024);
            sent = !chunk.isEmpty() && cupsWriteRequestData(http, chunk.constData(), size_t(chunk.size())) ==
                                           HTTP_STATUS_CONTINUE;
            sending.written += chunk.size();
            sending.Tell(http);
        }
        // Once the document is finished the job prints: not when the program has stopped waiting,
        // nor before the server has the whole of it (a server that stops taking it meanwhile has the
        // job withdrawn).
        sent = sent && sending.Drain(http);
        if (sending.dropped || (sent && !watch.mayLetGo())) {
            httpClose(http);
            cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job, 0);
            result.reason = QStringLiteral("the print system did not answer in time");
            return result;
        }
        result.accepted = cupsFinishDocument(http, queue.constData()) == IPP_STATUS_OK && sent;
    }
    if (!result.accepted) {
        result.reason = PlainRefusal(cupsLastError());
        result.detail = QString::fromUtf8(cupsLastErrorString());
        if (job > 0) cupsCancelJob2(http, queue.constData(), job, 0);  // nothing half sent
    }
    httpClose(http);
    // The queue's state now: a stopped queue keeps the job; its own words explain a refusal.
    const QueueState state = AskQueueState(queue);
    result.queueStopped = result.accepted && state.stopped;
    result.queueReason = state.reason;
    return result;
}

}  // namespace dc
