#include "platform/RecordingPrinterPage.h"

#include <cmath>

#include "platform/PrinterError.h"
#include "platform/PrinterPageFactory.h"

namespace dc {

RecordingPrinterPage::RecordingPrinterPage(std::shared_ptr<PrintLog> log)
    : log_(log ? std::move(log) : std::make_shared<PrintLog>()),
      fonts_({QStringLiteral("Arial"), QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
              QStringLiteral("Liberation Sans"), QStringLiteral("Liberation Serif"),
              QStringLiteral("Times New Roman")}) {}

void RecordingPrinterPage::SetFailure(int number, int after) {
    failNumber_ = number;
    failAfter_ = after;
}

void RecordingPrinterPage::CheckFailure() const {
    if (failNumber_ == 0) return;
    if (failAfter_ > 0) {
        --failAfter_;
        return;
    }
    throw PrinterError(failNumber_);
}

QSizeF RecordingPrinterPage::PaperTwips(int orientation) const {
    const QSizeF portrait(paper_.widthTwips, paper_.heightTwips);
    return orientation == kLandscape ? portrait.transposed() : portrait;
}

QRectF RecordingPrinterPage::PrintableTwips(int orientation) const {
    const QSizeF paper = PaperTwips(orientation);
    // Turned paper: the portrait left margin comes to the bottom, the top margin to the left.
    double left = paper_.marginLeftTwips, top = paper_.marginTopTwips;
    double right = paper_.marginRightTwips, bottom = paper_.marginBottomTwips;
    if (orientation == kLandscape) {
        left = paper_.marginTopTwips;
        top = paper_.marginRightTwips;
        right = paper_.marginBottomTwips;
        bottom = paper_.marginLeftTwips;
    }
    return QRectF(left, top, paper.width() - left - right, paper.height() - top - bottom);
}

QStringList RecordingPrinterPage::FontList() const {
    CheckFailure();
    return fonts_;
}

double RecordingPrinterPage::MeasureTextTwips(const FontSpec& font, const QString& text) const {
    return text.size() * AverageCharTwips(font);
}

double RecordingPrinterPage::LineHeightTwips(const FontSpec& font) const {
    return font.size * kTwipsPerPoint * kLineHeightEm;
}

double RecordingPrinterPage::AverageCharTwips(const FontSpec& font) const {
    return font.size * kTwipsPerPoint * kCharWidthEm;
}

PrintOp RecordingPrinterPage::NewOp(PrintOp::Kind kind) const {
    PrintOp op;
    op.kind = kind;
    op.document = document_;
    op.page = PageNumber();
    op.pages = ExpectedPages();
    op.orientation = pageOrientation_;
    op.scaleMode = ScaleMode();
    op.jobName = JobName();
    return op;
}

void RecordingPrinterPage::BeginDocument(int orientation) {
    document_ = log_->DocumentCount() + 1;
    pageOrientation_ = orientation;
}

void RecordingPrinterPage::BeginPage(int orientation) {
    CheckFailure();
    pageOrientation_ = orientation;
    PrintOp op = NewOp(PrintOp::NewPage);
    op.page += 1;  // the page being started
    log_->ops.push_back(op);
}

void RecordingPrinterPage::DrawText(const QPointF& topLeft, const FontSpec& font, const QString& text) {
    CheckFailure();
    PrintOp op = NewOp(PrintOp::Text);
    op.text = text;
    op.xTwips = topLeft.x();
    op.yTwips = topLeft.y();
    op.x = FromTwipsX(topLeft.x());
    op.y = FromTwipsY(topLeft.y());
    op.column = 1 + static_cast<int>(std::lround((op.x - ScaleLeft()) / AverageCharWidth()));
    op.fontName = font.name;
    op.fontSize = font.size;
    op.bold = font.bold;
    op.underline = font.underline;
    log_->ops.push_back(op);
}

void RecordingPrinterPage::DrawLine(const QPointF& from, const QPointF& to) {
    CheckFailure();
    PrintOp op = NewOp(PrintOp::Line);
    op.xTwips = from.x();
    op.yTwips = from.y();
    op.x2Twips = to.x();
    op.y2Twips = to.y();
    op.x = FromTwipsX(from.x());
    op.y = FromTwipsY(from.y());
    op.x2 = FromTwipsX(to.x());
    op.y2 = FromTwipsY(to.y());
    log_->ops.push_back(op);
}

void RecordingPrinterPage::DrawImage(const QRectF& target, const QImage& image) {
    CheckFailure();
    PrintOp op = NewOp(PrintOp::Image);
    op.xTwips = target.x();
    op.yTwips = target.y();
    op.x2Twips = target.width();
    op.y2Twips = target.height();
    op.text = QStringLiteral("%1x%2").arg(image.width()).arg(image.height());
    log_->ops.push_back(op);
}

void RecordingPrinterPage::FinishDocument() {
    PrintOp op = NewOp(PrintOp::EndDoc);
    op.page = 0;
    CheckFailure();
    log_->ops.push_back(op);
}

void RecordingPrinterPage::OrientationSet(int orientation) {
    PrintOp op = NewOp(PrintOp::Orientation);
    op.orientation = orientation;
    log_->ops.push_back(op);
}

std::shared_ptr<PrintLog> RecordAllPrinting(std::function<void(RecordingPrinterPage&)> setup) {
    auto log = std::make_shared<PrintLog>();
    SetPrinterPageFactory([log, setup]() -> std::unique_ptr<PrinterPage> {
        auto page = std::make_unique<RecordingPrinterPage>(log);
        if (setup) setup(*page);
        return page;
    });
    return log;
}

}  // namespace dc
