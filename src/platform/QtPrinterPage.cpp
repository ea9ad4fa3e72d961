#include "platform/QtPrinterPage.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>
#include <algorithm>

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

QPageLayout::Orientation ToQt(int orientation) {
    return orientation == kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

}  // namespace

QtPrinterPage::QtPrinterPage() : job_(std::make_unique<PrintJob>(JobName())) {}

QtPrinterPage::~QtPrinterPage() {
    if (painter_.isActive()) painter_.end();
    job_->Abandon();  // an unfinished document is not printed
}

QStringList QtPrinterPage::OutputFiles() const {
    QStringList files;
    for (const PrintOutcome& outcome : outcomes_)
        if (!outcome.file.isEmpty()) files << outcome.file;
    return files;
}

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
    QPageLayout layout = Writer().pageLayout();
    layout.setOrientation(ToQt(orientation));
    return layout.fullRect(QPageLayout::Point).size() * kTwipsPerPoint;
}

QRectF QtPrinterPage::PrintableTwips(int orientation) const {
    QPageLayout layout = Writer().pageLayout();
    layout.setOrientation(ToQt(orientation));
    const QRectF paint = layout.paintRect(QPageLayout::Point);
    return QRectF(paint.topLeft() * kTwipsPerPoint, paint.size() * kTwipsPerPoint);
}

double QtPrinterPage::DotsPerInchX() const { return Writer().resolution(); }
double QtPrinterPage::DotsPerInchY() const { return Writer().resolution(); }
double QtPrinterPage::PixelsToTwips() const { return kTwipsPerInch / Writer().resolution(); }

QPointF QtPrinterPage::ToPixels(const QPointF& twips) const { return twips / PixelsToTwips(); }

// ---- fonts

const QtPrinterPage::MeasuredFont& QtPrinterPage::Measured(const FontSpec& spec) const {
    // A printout uses a handful of fonts over thousands of texts: each is resolved once.
    const QString key =
        QStringLiteral("%1|%2|%3|%4").arg(spec.name).arg(spec.size).arg(spec.bold).arg(spec.underline);
    auto it = fontCache_.find(key);
    if (it == fontCache_.end()) {
        QFont font(ResolveFamily(spec.name));
        font.setPointSizeF(spec.size);
        font.setBold(spec.bold);
        font.setUnderline(spec.underline);
        it = fontCache_.emplace(key, MeasuredFont{font, QFontMetricsF(font, &Writer())}).first;
    }
    return it->second;
}

double QtPrinterPage::MeasureTextTwips(const FontSpec& font, const QString& text) const {
    return Measured(font).metrics.horizontalAdvance(text) * PixelsToTwips();
}

double QtPrinterPage::LineHeightTwips(const FontSpec& font) const {
    return Measured(font).metrics.lineSpacing() * PixelsToTwips();
}

double QtPrinterPage::AverageCharTwips(const FontSpec& font) const {
    return Measured(font).metrics.averageCharWidth() * PixelsToTwips();
}

// ---- output

void QtPrinterPage::BeginDocument(int orientation) {
    job_->SetTitle(JobName(), static_cast<int>(outcomes_.size()) + 1);
    Writer().setPageOrientation(ToQt(orientation));
    currentOrientation_ = orientation;
    if (!job_->Open() || !painter_.begin(&Writer())) {
        job_->Abandon();
        throw PrinterError(kErrDeviceUnavailable);
    }
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

void QtPrinterPage::BeginPage(int orientation) {
    // A cancelled job draws nothing more; the page count is the printout's, when it counted first.
    if (!Drawing() || !job_->NextPage(PageNumber() + 1, ExpectedPages())) return;
    if (orientation != currentOrientation_) {
        Writer().setPageOrientation(ToQt(orientation));
        currentOrientation_ = orientation;
    }
    if (!Writer().newPage()) throw PrinterError(kErrPrinter);
}

bool QtPrinterPage::Drawing() const {
    if (job_->Cancelled()) return false;
    if (!painter_.isActive() || Writer().printerState() == QPrinter::Error) throw PrinterError(kErrPrinter);
    return true;
}

void QtPrinterPage::DrawText(const QPointF& topLeft, const FontSpec& spec, const QString& text) {
    if (!Drawing()) return;
    const MeasuredFont& font = Measured(spec);
    painter_.setFont(font.font);
    painter_.setPen(Qt::black);
    const QPointF origin = ToPixels(topLeft);
    painter_.drawText(QPointF(origin.x(), origin.y() + font.metrics.ascent()), text);
}

void QtPrinterPage::DrawLine(const QPointF& from, const QPointF& to) {
    if (!Drawing()) return;
    painter_.setPen(QPen(Qt::black, Writer().resolution() / 100.0));  // about 3/4 of a point
    painter_.drawLine(ToPixels(from), ToPixels(to));
}

void QtPrinterPage::DrawImage(const QRectF& target, const QImage& image) {
    if (!Drawing()) return;
    painter_.drawImage(QRectF(ToPixels(target.topLeft()), target.size() / PixelsToTwips()), image);
}

void QtPrinterPage::FinishDocument() {
    const bool ended = painter_.end();
    const bool written = ended && job_->Finish();
    if (written) outcomes_.push_back(job_->Outcome());
    job_ = std::make_unique<PrintJob>(JobName(), static_cast<int>(outcomes_.size()) + 1);
    if (!written) throw PrinterError(kErrPrinter);
}

}  // namespace dc
