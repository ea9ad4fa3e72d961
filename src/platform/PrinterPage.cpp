#include "platform/PrinterPage.h"

#include <QFontDatabase>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/NameForms.h"

namespace dc {
namespace {
constexpr double kEpsilon = 1e-6;
}

QString FixedPitchFontName() {
    static const QString name = QFontDatabase::hasFamily(QStringLiteral("Courier New"))
                                    ? QStringLiteral("Courier New")
                                    : QStringLiteral("Liberation Mono");
    return name;
}

void SetUpColumnPage(PrinterPage& page, int columns) {
    page.Scale(0, 0, 8.5, 11);
    QString font = FixedPitchFontName();
    for (int i = 0; i < page.FontCount(); ++i)
        if (page.Fonts(i).startsWith(QStringLiteral("Courier New"))) {
            font = page.Fonts(i);
            break;
        }
    page.SetFontName(font);
    page.SetFontSize(12);
    page.SetFontSize(page.SizeToFit({QString(columns, QLatin1Char('0'))}, page.ScaleWidth()));
}

PrinterPage::PrinterPage() = default;
PrinterPage::~PrinterPage() = default;

// ---- coordinates

void PrinterPage::SetScaleMode(int mode) {
    if (mode == kScaleTwips || mode == kScaleInches) {
        scaleMode_ = mode;
        unitX_ = unitY_ = mode == kScaleInches ? kTwipsPerInch : 1.0;
        scaleLeft_ = scaleTop_ = 0;
    } else if (mode == kScaleUser) {
        scaleMode_ = kScaleUser;  // keeps the present scale as the user's
    }
}

void PrinterPage::Scale(double x1, double y1, double x2, double y2) {
    if (std::abs(x2 - x1) < kEpsilon || std::abs(y2 - y1) < kEpsilon) return;
    const QRectF area = Printable();
    scaleMode_ = kScaleUser;
    scaleLeft_ = x1;
    scaleTop_ = y1;
    unitX_ = area.width() / (x2 - x1);
    unitY_ = area.height() / (y2 - y1);
}

double PrinterPage::ScaleWidth() const { return Printable().width() / unitX_; }
double PrinterPage::ScaleHeight() const { return Printable().height() / unitY_; }

void PrinterPage::SetScaleLeft(double left) {
    scaleMode_ = kScaleUser;
    scaleLeft_ = left;
}

void PrinterPage::SetScaleTop(double top) {
    scaleMode_ = kScaleUser;
    scaleTop_ = top;
}

void PrinterPage::SetScaleWidth(double width) {
    if (std::abs(width) < kEpsilon) return;
    scaleMode_ = kScaleUser;
    unitX_ = Printable().width() / width;
}

void PrinterPage::SetScaleHeight(double height) {
    if (std::abs(height) < kEpsilon) return;
    scaleMode_ = kScaleUser;
    unitY_ = Printable().height() / height;
}

double PrinterPage::Width() const { return PaperTwips(orientation_).width(); }
double PrinterPage::Height() const { return PaperTwips(orientation_).height(); }
double PrinterPage::TwipsPerPixelX() const { return kTwipsPerInch / DotsPerInchX(); }
double PrinterPage::TwipsPerPixelY() const { return kTwipsPerInch / DotsPerInchY(); }
int PrinterPage::PhysicalOffsetX() const { return qRound(Printable().left() / TwipsPerPixelX()); }
int PrinterPage::PhysicalOffsetY() const { return qRound(Printable().top() / TwipsPerPixelY()); }

// ---- pages and documents

void PrinterPage::SetOrientation(int orientation) {
    if (orientation != kPortrait && orientation != kLandscape) return;
    if (orientation != orientation_) {
        // A user scale keeps its extent in units on the turned paper.
        const double width = ScaleWidth(), height = ScaleHeight();
        orientation_ = orientation;
        if (scaleMode_ == kScaleUser) {
            unitX_ = Printable().width() / width;
            unitY_ = Printable().height() / height;
        }
    }
    OrientationSet(orientation);
}

void PrinterPage::NewPage() {
    ++pendingPages_;
    currentX_ = scaleLeft_;
    currentY_ = scaleTop_;
    flowing_ = false;
}

void PrinterPage::EndDoc() {
    pendingPages_ = 0;  // a page break right before the end prints no empty page
    expectedPages_ = 0;
    currentX_ = scaleLeft_;
    currentY_ = scaleTop_;
    flowing_ = false;
    if (!docStarted_) return;
    docStarted_ = false;
    pageHasOutput_ = false;
    page_ = 0;
    ++documents_;
    FinishDocument();
}

void PrinterPage::PrepareOutput() {
    if (!docStarted_) {
        BeginDocument(orientation_);
        docStarted_ = true;
        page_ = 1;
        pageHasOutput_ = false;
    }
    while (pendingPages_ > 0) {
        BeginPage(orientation_);
        --pendingPages_;
        ++page_;
        pageHasOutput_ = false;
    }
}

// ---- fonts

int PrinterPage::FontCount() const { return static_cast<int>(FontList().size()); }

QString PrinterPage::Fonts(int index) const {
    const QStringList fonts = FontList();
    return index >= 0 && index < fonts.size() ? fonts.at(index) : QString();
}

QString PrinterPage::FontName() const { return fontName_.isEmpty() ? DefaultFontName() : fontName_; }

void PrinterPage::SetFontName(const QString& name) {
    if (!name.trimmed().isEmpty()) fontName_ = name;
}

void PrinterPage::SetFontSize(double points) {
    if (points > 0) fontSize_ = points;
}

PrinterPage::FontSpec PrinterPage::CurrentFont() const { return {FontName(), fontSize_, bold_, underline_}; }

// ---- text and lines

void PrinterPage::SetCurrentY(double y) {
    currentY_ = y;
    flowing_ = false;
}

QString PrinterPage::Elide(const QString& text, double width) const {
    if (TextWidth(text) <= width) return text;
    const QString dots = QStringLiteral("...");
    // The leading blanks stay: a right-aligned figure keeps its place.
    const auto part = [&text](qsizetype n) {
        while (n > 0 && text.at(n - 1).isSpace()) --n;
        return text.left(n);
    };
    // Widths grow with the length: the longest part that fits, found by halving.
    qsizetype fits = 0, tooLong = text.size();
    while (tooLong - fits > 1) {
        const qsizetype n = (fits + tooLong) / 2;
        (TextWidth(part(n) + dots) <= width ? fits : tooLong) = n;
    }
    if (!part(fits).isEmpty()) return part(fits) + dots;
    qsizetype n = dots.size();
    while (n > 0 && TextWidth(dots.left(n)) > width) --n;
    return dots.left(n);
}

QString PrinterPage::ElideMiddle(const QString& text, double width) const {
    if (TextWidth(text) <= width) return text;
    const QString dots = QStringLiteral("...");
    const auto ends = [&](qsizetype n) {
        return text.left(n - n / 2).trimmed() + dots + text.right(n / 2).trimmed();
    };
    qsizetype fits = 0, tooLong = text.size();
    while (tooLong - fits > 1) {
        const qsizetype n = (fits + tooLong) / 2;
        (TextWidth(ends(n)) <= width ? fits : tooLong) = n;
    }
    return fits > 1 ? ends(fits) : Elide(text, width);
}

double PrinterPage::SizeToFit(const QStringList& texts, double width, double least) const {
    FontSpec font = CurrentFont();
    auto widest = [&] {
        double most = 0;
        for (const QString& text : texts) most = std::max(most, MeasureTextTwips(font, text) / unitX_);
        return most;
    };
    const double wide = widest();
    if (wide <= width || wide <= 0) return fontSize_;
    // Widths grow with the size: start from the proportional size, then step down a quarter point.
    font.size = std::max(least, std::floor(fontSize_ * width / wide * 4) / 4);
    while (font.size > least && widest() > width) font.size = std::max(least, font.size - 0.25);
    return font.size;
}

void PrinterPage::PrintFitted(const QString& raw, double width, Fit kind, bool lineEnd) {
    QString text = raw.trimmed();
    if (kind == Fit::Name)
        text = names_.Fit(text, [&](const QString& form) { return TextWidth(form) <= width; });
    const double kept = fontSize_;
    fontSize_ = SizeToFit({text}, width, kind == Fit::Name ? kMinNamePoints : kMinFitPoints);
    // A name too long even then keeps both its ends, which tell it from another's.
    PrintNoLineEnd(kind == Fit::Name ? ElideMiddle(text, width) : Elide(text, width));
    fontSize_ = kept;
    if (lineEnd) Print();
}

void PrinterPage::PrintTabFitted(int column, int lastColumn, const QString& text, Fit kind) {
    PrintTab(column, QString());
    PrintFitted(text, TabWidth(column, lastColumn), kind, false);
}

double PrinterPage::TabWidth(int column, int lastColumn) const {
    return (lastColumn - std::max(column, 1) + 1) * AverageCharWidth();
}

double PrinterPage::TextWidth(const QString& text) const {
    double widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, MeasureTextTwips(CurrentFont(), QString(line).remove(QLatin1Char('\r'))));
    return widest / unitX_;
}

double PrinterPage::TextHeight(const QString& text) const {
    const auto lines = std::max<qsizetype>(1, text.count(QLatin1Char('\n')) + 1);
    return lines * LineHeightTwips(CurrentFont()) / unitY_;
}

double PrinterPage::AverageCharWidth() const { return AverageCharTwips(CurrentFont()) / unitX_; }

void PrinterPage::Print(const QString& text) {
    const QStringList lines = QString(text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    for (const QString& line : lines) PrintSegment(line, true);
}

void PrinterPage::PrintNoLineEnd(const QString& text) {
    const QStringList lines = QString(text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) PrintSegment(lines.at(i), i + 1 < lines.size());
}

void PrinterPage::PrintTab(int column, const QString& text) {
    const double target = scaleLeft_ + (std::max(column, 1) - 1) * AverageCharWidth();
    // Compare in twips so the tolerance does not depend on the scale.
    if (ToTwipsX(currentX_) > ToTwipsX(target) + 0.01) LineEnd();
    currentX_ = target;
    PrintNoLineEnd(text);
}

void PrinterPage::LineEnd() {
    currentX_ = scaleLeft_;
    currentY_ += LineHeightTwips(CurrentFont()) / unitY_;
    flowing_ = true;
}

void PrinterPage::PrintSegment(const QString& whole, bool lineEnd) {
    const FontSpec font = CurrentFont();
    // Past the printable width nothing prints: the text ends at the edge with "...".
    const double room = (Printable().width() - ToTwipsX(currentX_)) / unitX_ + kEpsilon;
    double width = MeasureTextTwips(font, whole) / unitX_;
    QString text = whole;
    // Blanks at the end print nothing: a text whose ink fits is printed whole.
    const auto ink = [&] {
        qsizetype n = whole.size();
        while (n > 0 && whole.at(n - 1).isSpace()) --n;
        return whole.left(n);
    };
    if (width > room && MeasureTextTwips(font, ink()) / unitX_ > room) {
        text = room > 0 ? Elide(whole, room) : QString();
        width = MeasureTextTwips(font, text) / unitX_;
    }
    if (!text.isEmpty()) {
        // Running text that no longer fits goes on to the top of a new page.
        const double bottom = Printable().height();
        if (flowing_ && docStarted_ && pageHasOutput_ && pendingPages_ == 0 &&
            ToTwipsY(currentY_) + LineHeightTwips(font) > bottom + 0.01) {
            ++pendingPages_;
            currentY_ = scaleTop_;
        }
        PrepareOutput();
        DrawText(QPointF(ToTwipsX(currentX_), ToTwipsY(currentY_)), font, text);
        pageHasOutput_ = true;
    }
    if (lineEnd)
        LineEnd();
    else
        currentX_ += width;
}

void PrinterPage::Line(double x1, double y1, double x2, double y2) {
    PrepareOutput();
    DrawLine(QPointF(ToTwipsX(x1), ToTwipsY(y1)), QPointF(ToTwipsX(x2), ToTwipsY(y2)));
    pageHasOutput_ = true;
    currentX_ = x2;
    currentY_ = y2;
    flowing_ = false;
}

void PrinterPage::PrintWidget(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    if (image.isNull()) return;
    // The picture keeps its size on screen, made smaller when it does not fit the page.
    const double twipsPerPixel = kTwipsPerInch / std::max(1, widget.logicalDpiX());
    QSizeF size(widget.width() * twipsPerPixel, widget.height() * twipsPerPixel);
    const QRectF area = Printable();
    if (size.width() > area.width() || size.height() > area.height())
        size.scale(area.size(), Qt::KeepAspectRatio);
    // A page of its own: a page break already asked for (NewPage) serves as this one.
    if (docStarted_ && pageHasOutput_ && pendingPages_ == 0) ++pendingPages_;
    PrepareOutput();
    DrawImage(QRectF(QPointF(0, 0), size), image);
    pageHasOutput_ = true;
    EndDoc();
}

}  // namespace dc
