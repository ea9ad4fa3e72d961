#include "platform/PrintSystem.h"

#include <cups/cups.h>

#include <QFile>
#include <QLocale>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

namespace dc {
namespace {

class CupsPrintSystem : public PrintSystem {
  public:
    std::optional<PrinterFacts> DefaultPrinter() const override {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        // A default that names a printer no longer installed is no default.
        if (info.isNull() || !QPrinterInfo::availablePrinterNames().contains(info.printerName())) return {};
        PrinterFacts facts;
        facts.name = info.printerName();
        facts.paper = info.defaultPageSize().isValid() ? info.defaultPageSize() : LocalePaper(PaperLocale());
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setPageSize(facts.paper);
        QPageLayout layout = printer.pageLayout();
        layout.setUnits(QPageLayout::Point);
        facts.margins = layout.minimumMargins();
        return facts;
    }

    JobResult Submit(const QString& printer, const QString& pdfPath, const QString& title,
                     const QPageSize& paper) override {
        cups_option_t* options = nullptr;
        int count = cupsAddOption("media", paper.key().toUtf8().constData(), 0, &options);
        // CUPS wants the queue's name without an instance ("queue/instance").
        const QByteArray queue = printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
        const int job = cupsPrintFile(queue.constData(), QFile::encodeName(pdfPath).constData(),
                                      title.toUtf8().constData(), count, options);
        cupsFreeOptions(count, options);
        if (job > 0) return {true, {}};
        return {false, QString::fromUtf8(cupsLastErrorString())};
    }

    static QString PaperLocale() {
        for (const char* name : {"LC_ALL", "LC_PAPER", "LC_MEASUREMENT", "LANG"})
            if (!qEnvironmentVariableIsEmpty(name)) return qEnvironmentVariable(name);
        return QStringLiteral("C");
    }
};

std::unique_ptr<PrintSystem>& Current() {
    static std::unique_ptr<PrintSystem> system;
    return system;
}

}  // namespace

PrintSystem& ThePrintSystem() {
    if (!Current()) Current() = std::make_unique<CupsPrintSystem>();
    return *Current();
}

void SetPrintSystem(std::unique_ptr<PrintSystem> system) { Current() = std::move(system); }

QPageSize LocalePaper(const QString& localeName) {
    // "en_US.UTF-8" and "en_US@euro" name the territory before the dot or at-sign.
    const QLocale locale(localeName.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0));
    const bool letter = locale.territory() == QLocale::UnitedStates || locale.territory() == QLocale::Canada;
    return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

QPageSize ProgramPaper() {
    if (const auto printer = ThePrintSystem().DefaultPrinter()) return printer->paper;
    return LocalePaper(CupsPrintSystem::PaperLocale());
}

QMarginsF ProgramMargins(const std::optional<PrinterFacts>& printer) {
    const QMarginsF own = printer ? printer->margins : QMarginsF();
    return QMarginsF(std::max(own.left(), kMinMarginPoints), std::max(own.top(), kMinMarginPoints),
                     std::max(own.right(), kMinMarginPoints), std::max(own.bottom(), kMinMarginPoints));
}

}  // namespace dc
