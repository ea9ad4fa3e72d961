#include "platform/QtPrinterPage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <algorithm>
#include <filesystem>

#include "platform/PrinterError.h"

namespace dc {
namespace {

// Windows font names and the Liberation fonts with the same metrics.
const QList<QPair<QString, QString>>& MetricAliases() {
    static const QList<QPair<QString, QString>> aliases = {
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")},
    };
    return aliases;
}

// Unprintable edge of a PDF page: small, so that layouts made for laser printers fit.
constexpr double kPdfMarginInches = 0.125;

QPageLayout::Orientation ToQt(int orientation) {
    return orientation == kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

QString SafeFileName(const QString& jobName) {
    QString name;
    for (const QChar c : jobName.trimmed())
        name += (c.isPrint() && !QStringLiteral("/\\:*?\"<>|").contains(c)) ? c : QLatin1Char('_');
    return name.isEmpty() ? QStringLiteral("Printout") : name;
}

}  // namespace

QtPrinterPage::QtPrinterPage() {
    pdfPath_ = qEnvironmentVariable("DC_PRINT_PDF");
    if (pdfPath_.isEmpty()) {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
            if (!printers.isEmpty()) info = printers.first();
        }
        if (!info.isNull()) printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
    if (!printer_) {
        toPdf_ = true;
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setPageLayout(
            QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                        QMarginsF(kPdfMarginInches, kPdfMarginInches, kPdfMarginInches, kPdfMarginInches),
                        QPageLayout::Inch));
    }
    printer_->setFullPage(false);
    printer_->setCreator(QStringLiteral("Dado Corvy"));
}

QtPrinterPage::~QtPrinterPage() {
    if (painter_.isActive()) {
        printer_->abort();
        painter_.end();
    }
    if (!partPath_.isEmpty()) QFile::remove(partPath_);
}

QString QtPrinterPage::PrinterName() const { return toPdf_ ? QString() : printer_->printerName(); }

QStringList QtPrinterPage::AvailableFonts() {
    QStringList fonts;
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family) && !family.trimmed().isEmpty()) fonts << family;
    for (const auto& [name, standIn] : MetricAliases())
        if (!fonts.contains(name, Qt::CaseInsensitive) && fonts.contains(standIn, Qt::CaseInsensitive))
            fonts << name;
    fonts.removeDuplicates();
    std::sort(fonts.begin(), fonts.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return fonts;
}

QStringList QtPrinterPage::FontList() const {
    if (fonts_.isEmpty()) fonts_ = AvailableFonts();
    return fonts_;
}

QString QtPrinterPage::ResolveFamily(const QString& name) {
    if (QFontDatabase::hasFamily(name)) return name;
    for (const auto& [alias, standIn] : MetricAliases())
        if (alias.compare(name, Qt::CaseInsensitive) == 0 && QFontDatabase::hasFamily(standIn))
            return standIn;
    return name;  // left to the font system's own substitution
}

QString QtPrinterPage::DefaultFontName() const {
    return QFontDatabase::hasFamily(QStringLiteral("Arial")) ||
                   QFontDatabase::hasFamily(QStringLiteral("Liberation Sans"))
               ? QStringLiteral("Arial")
               : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

// ---- geometry

QSizeF QtPrinterPage::PaperTwips(int orientation) const {
    QPageLayout layout = printer_->pageLayout();
    layout.setOrientation(ToQt(orientation));
    return layout.fullRect(QPageLayout::Point).size() * kTwipsPerPoint;
}

QRectF QtPrinterPage::PrintableTwips(int orientation) const {
    QPageLayout layout = printer_->pageLayout();
    layout.setOrientation(ToQt(orientation));
    const QRectF paint = layout.paintRect(QPageLayout::Point);
    return QRectF(paint.topLeft() * kTwipsPerPoint, paint.size() * kTwipsPerPoint);
}

double QtPrinterPage::DotsPerInchX() const { return printer_->resolution(); }
double QtPrinterPage::DotsPerInchY() const { return printer_->resolution(); }
double QtPrinterPage::PixelsToTwips() const { return kTwipsPerInch / printer_->resolution(); }

QPointF QtPrinterPage::ToPixels(const QPointF& twips) const { return twips / PixelsToTwips(); }

// ---- fonts

QFont QtPrinterPage::MakeFont(const FontSpec& spec) const {
    QFont font(ResolveFamily(spec.name));
    font.setPointSizeF(spec.size);
    font.setBold(spec.bold);
    font.setUnderline(spec.underline);
    return font;
}

double QtPrinterPage::MeasureTextTwips(const FontSpec& font, const QString& text) const {
    return QFontMetricsF(MakeFont(font), printer_.get()).horizontalAdvance(text) * PixelsToTwips();
}

double QtPrinterPage::LineHeightTwips(const FontSpec& font) const {
    return QFontMetricsF(MakeFont(font), printer_.get()).lineSpacing() * PixelsToTwips();
}

double QtPrinterPage::AverageCharTwips(const FontSpec& font) const {
    return QFontMetricsF(MakeFont(font), printer_.get()).averageCharWidth() * PixelsToTwips();
}

// ---- output

QString QtPrinterPage::NextPdfPath() const {
    const int number = static_cast<int>(outputFiles_.size()) + 1;
    if (!pdfPath_.isEmpty()) {
        // Further documents of the same printout get a number: labels-2.pdf, labels-3.pdf.
        if (number == 1) return pdfPath_;
        const QFileInfo info(pdfPath_);
        const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
        return info.dir().filePath(info.completeBaseName() + QLatin1Char('-') + QString::number(number) +
                                   suffix);
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    const QString base = SafeFileName(JobName());
    QString path = QDir(folder).filePath(base + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(path) || QFileInfo::exists(path + QStringLiteral(".part")); ++n)
        path = QDir(folder).filePath(QStringLiteral("%1 (%2).pdf").arg(base).arg(n));
    return path;
}

void QtPrinterPage::BeginDocument(int orientation) {
    printer_->setPageOrientation(ToQt(orientation));
    currentOrientation_ = orientation;
    printer_->setDocName(JobName());
    if (toPdf_) {
        finalPath_ = NextPdfPath();
        if (!QFileInfo(finalPath_).absoluteDir().exists())
            throw PrinterError(kErrDeviceUnavailable,
                               QStringLiteral("Device unavailable: no folder for %1").arg(finalPath_));
        partPath_ = finalPath_ + QStringLiteral(".part");
        printer_->setOutputFileName(partPath_);
        printer_->setOutputFormat(QPrinter::PdfFormat);
    }
    if (!painter_.begin(printer_.get())) {
        if (!partPath_.isEmpty()) QFile::remove(partPath_);
        partPath_.clear();
        throw PrinterError(kErrDeviceUnavailable);
    }
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

void QtPrinterPage::BeginPage(int orientation) {
    RequireActive();
    if (orientation != currentOrientation_) {
        printer_->setPageOrientation(ToQt(orientation));
        currentOrientation_ = orientation;
    }
    if (!printer_->newPage()) throw PrinterError(kErrPrinter);
}

void QtPrinterPage::RequireActive() const {
    if (!painter_.isActive() || printer_->printerState() == QPrinter::Error) throw PrinterError(kErrPrinter);
}

void QtPrinterPage::DrawText(const QPointF& topLeft, const FontSpec& spec, const QString& text) {
    RequireActive();
    const QFont font = MakeFont(spec);
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    const QPointF origin = ToPixels(topLeft);
    painter_.drawText(QPointF(origin.x(), origin.y() + QFontMetricsF(font, printer_.get()).ascent()), text);
}

void QtPrinterPage::DrawLine(const QPointF& from, const QPointF& to) {
    RequireActive();
    painter_.setPen(QPen(Qt::black, printer_->resolution() / 100.0));  // about 3/4 of a point
    painter_.drawLine(ToPixels(from), ToPixels(to));
}

void QtPrinterPage::DrawImage(const QRectF& target, const QImage& image) {
    RequireActive();
    painter_.drawImage(QRectF(ToPixels(target.topLeft()), target.size() / PixelsToTwips()), image);
}

bool QtPrinterPage::PdfFileComplete(const QString& path) {
    // Qt's PDF writer reports success even when the disk refused part of the file; a whole PDF
    // ends with its end-of-file marker.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0) return false;
    constexpr qint64 kTail = 1024;
    if (file.size() > kTail && !file.seek(file.size() - kTail)) return false;
    return file.readAll().contains("%%EOF");
}

void QtPrinterPage::FinishDocument() {
    const bool ended = painter_.end();
    const bool failed = !ended || printer_->printerState() == QPrinter::Error;
    if (!toPdf_) {
        if (failed) throw PrinterError(kErrPrinter);
        return;
    }
    const QString part = std::exchange(partPath_, QString());
    if (failed || !PdfFileComplete(part)) {
        QFile::remove(part);
        throw PrinterError(kErrPrinter);
    }
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(part).constData()),
                            std::filesystem::path(QFile::encodeName(finalPath_).constData()), error);
    if (error) {
        QFile::remove(part);
        throw PrinterError(kErrPrinter, QStringLiteral("Printer error: cannot write %1").arg(finalPath_));
    }
    outputFiles_ << finalPath_;
}

}  // namespace dc
