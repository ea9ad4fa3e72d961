#pragma once
// A printer page that prints nothing and records every operation in a PrintLog, with fixed paper
// and exact, machine-independent font metrics, so tests can check positions, fonts and pages.

#include <functional>
#include <memory>

#include "platform/PrintLog.h"
#include "platform/PrinterPage.h"

namespace dc {

class RecordingPrinterPage : public PrinterPage {
  public:
    // Paper of the recording page (portrait), in twips; margins are the unprintable edges.
    struct Paper {
        double widthTwips = 12240;   // 8.5 inches
        double heightTwips = 15840;  // 11 inches
        double marginLeftTwips = 360, marginTopTwips = 360;
        double marginRightTwips = 360, marginBottomTwips = 360;
        double dotsPerInch = 600;
    };

    explicit RecordingPrinterPage(std::shared_ptr<PrintLog> log = std::make_shared<PrintLog>());

    const std::shared_ptr<PrintLog>& Log() const { return log_; }
    void SetPaper(const Paper& paper) { paper_ = paper; }
    void SetFontList(const QStringList& fonts) { fonts_ = fonts; }
    void SetDefaultFont(const QString& name) { defaultFont_ = name; }
    // From the (after+1)-th output operation on (text, line, page, end, font list), every one
    // fails with this error number; 0 stops the failures.
    void SetFailure(int number, int after = 0);

    // The metrics: every font is measured as a fixed-pitch font with Courier New's proportions.
    static constexpr double kCharWidthEm = 0.6;
    static constexpr double kLineHeightEm = 2320.0 / 2048.0;

  protected:
    QSizeF PaperTwips(int orientation) const override;
    QRectF PrintableTwips(int orientation) const override;
    double DotsPerInchX() const override { return paper_.dotsPerInch; }
    double DotsPerInchY() const override { return paper_.dotsPerInch; }
    QStringList FontList() const override;
    QString DefaultFontName() const override { return defaultFont_; }
    double MeasureTextTwips(const FontSpec& font, const QString& text) const override;
    double LineHeightTwips(const FontSpec& font) const override;
    double AverageCharTwips(const FontSpec& font) const override;

    void BeginDocument(int orientation) override;
    void BeginPage(int orientation) override;
    void DrawText(const QPointF& topLeft, const FontSpec& font, const QString& text) override;
    void DrawLine(const QPointF& from, const QPointF& to) override;
    void DrawImage(const QRectF& target, const QImage& image) override;
    void FinishDocument() override;
    void OrientationSet(int orientation) override;

  private:
    PrintOp NewOp(PrintOp::Kind kind) const;
    void CheckFailure() const;

    std::shared_ptr<PrintLog> log_;
    Paper paper_;
    QStringList fonts_;
    QString defaultFont_ = QStringLiteral("Arial");
    int document_ = 0;
    int pageOrientation_ = kPortrait;
    int failNumber_ = 0;
    mutable int failAfter_ = 0;
};

// Makes every printer page of the program a recording page writing to one log, and returns the
// log; `setup` prepares each new page (paper, fonts, failures). SetPrinterPageFactory({}) restores
// the real printer.
std::shared_ptr<PrintLog> RecordAllPrinting(std::function<void(RecordingPrinterPage&)> setup = {});

}  // namespace dc
