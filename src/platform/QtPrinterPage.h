#pragma once
// The printer page on the real printer: each document is a print job (PrintJob) that goes to the
// default printer, else into a PDF file in the user's documents (or the one DC_PRINT_PDF names).

#include <QFontMetricsF>
#include <QPainter>
#include <map>
#include <memory>

#include "platform/PrintJob.h"
#include "platform/PrinterPage.h"

namespace dc {

class QtPrinterPage : public PrinterPage {
  public:
    QtPrinterPage();
    ~QtPrinterPage() override;  // an unfinished document is discarded

    bool PrintsToPdf() const { return !job_->ToPrinter(); }
    QString PrinterName() const { return job_->PrinterName(); }  // "" when printing to PDF
    QStringList OutputFiles() const override;
    std::vector<PrintOutcome> Outcomes() const override { return outcomes_; }

    // Font families the page offers: the machine's, plus "Arial", "Courier New" and "Times New Roman"
    // when their metric-compatible Liberation fonts stand in for them.
    static QStringList AvailableFonts();
    // The installed family that prints a font name (its Liberation stand-in when needed).
    static QString ResolveFamily(const QString& name);
    // True when the PDF file was written whole (it ends with its end-of-file marker).
    static bool PdfFileComplete(const QString& path) { return PdfWrittenWhole(path); }

  protected:
    QSizeF PaperTwips(int orientation) const override;
    QRectF PrintableTwips(int orientation) const override;
    double DotsPerInchX() const override;
    double DotsPerInchY() const override;
    QStringList FontList() const override;
    QString DefaultFontName() const override;
    double MeasureTextTwips(const FontSpec& font, const QString& text) const override;
    double LineHeightTwips(const FontSpec& font) const override;
    double AverageCharTwips(const FontSpec& font) const override;

    void BeginDocument(int orientation) override;
    void BeginPage(int orientation) override;
    void DrawText(const QPointF& topLeft, const FontSpec& font, const QString& text) override;
    void DrawLine(const QPointF& from, const QPointF& to) override;
    void DrawImage(const QRectF& target, const QImage& image) override;
    void FinishDocument() override;

  private:
    struct MeasuredFont {
        QFont font;
        QFontMetricsF metrics;
    };
    const MeasuredFont& Measured(const FontSpec& spec) const;
    double PixelsToTwips() const;
    QPointF ToPixels(const QPointF& twips) const;
    // True while the document is drawn; false once cancelled; a printer error when it failed.
    bool Drawing() const;
    QPrinter& Writer() const { return job_->Printer(); }

    std::unique_ptr<PrintJob> job_;  // the document being written, or the next one
    QPainter painter_;
    std::vector<PrintOutcome> outcomes_;
    mutable QStringList fonts_;  // read once per page
    mutable std::map<QString, MeasuredFont> fontCache_;
    int currentOrientation_ = kPortrait;
};

}  // namespace dc
