#pragma once
// The printer page on the real printer: the system's default printer through Qt, or a PDF file when
// the machine has no printer or the environment variable DC_PRINT_PDF names the PDF to write.

#include <QPainter>
#include <memory>

#include "platform/PrinterPage.h"

class QPrinter;

namespace dc {

class QtPrinterPage : public PrinterPage {
  public:
    QtPrinterPage();
    ~QtPrinterPage() override;  // an unfinished document is discarded

    bool PrintsToPdf() const { return toPdf_; }
    QString PrinterName() const;  // "" when printing to PDF
    QStringList OutputFiles() const override { return outputFiles_; }

    // Font families the page offers: the machine's, plus "Arial", "Courier New" and "Times New Roman"
    // when their metric-compatible Liberation fonts stand in for them.
    static QStringList AvailableFonts();
    // The installed family that prints a font name (its Liberation stand-in when needed).
    static QString ResolveFamily(const QString& name);
    // True when the PDF file was written whole (it ends with its end-of-file marker).
    static bool PdfFileComplete(const QString& path);

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
    QFont MakeFont(const FontSpec& spec) const;
    double PixelsToTwips() const;
    QPointF ToPixels(const QPointF& twips) const;
    QString NextPdfPath() const;
    void RequireActive() const;

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    bool toPdf_ = false;
    QString pdfPath_;   // DC_PRINT_PDF, or empty to write into the user's documents
    QString partPath_;  // the PDF being written, renamed into place when the document ends
    QString finalPath_;
    QStringList outputFiles_;
    mutable QStringList fonts_;  // read once per page
    int currentOrientation_ = kPortrait;
};

}  // namespace dc
