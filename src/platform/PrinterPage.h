#pragma once
// The printer page that every printout writes to: scales in twips, inches or a user scale, a current
// position, text with the classic Print rules, lines, pages and documents. Backends supply the paper,
// the font metrics and the drawing; positions handed to them are twips from the printable area's corner.

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/PrintJob.h"
#include "platform/NameForms.h"

class QWidget;

namespace dc {

enum PrinterScaleMode : int { kScaleUser = 0, kScaleTwips = 1, kScaleInches = 5 };
enum PrinterOrientation : int { kPortrait = 1, kLandscape = 2 };

constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerPoint = 20.0;

// "Courier New" when the machine has it, else "Liberation Mono" (the same metrics).
QString FixedPitchFontName();

class PrinterPage;
// Sets a page up for a report in character columns: the page scaled to (0, 0)-(8.5, 11), the
// fixed-pitch font at 12 points, made smaller when `columns` columns would not fit the width.
void SetUpColumnPage(PrinterPage& page, int columns);

class PrinterPage {
  public:
    virtual ~PrinterPage();

    // ---- coordinates
    int ScaleMode() const { return scaleMode_; }
    void SetScaleMode(int mode);  // 1 twips, 5 inches (origin at the printable corner)
    // Maps the printable area to (x1, y1)-(x2, y2), like Scale (0, 0)-(8.5, 11).
    void Scale(double x1, double y1, double x2, double y2);
    double ScaleLeft() const { return scaleLeft_; }
    double ScaleTop() const { return scaleTop_; }
    double ScaleWidth() const;   // printable width in scale units
    double ScaleHeight() const;  // printable height in scale units
    void SetScaleLeft(double left);
    void SetScaleTop(double top);
    void SetScaleWidth(double width);
    void SetScaleHeight(double height);
    double Width() const;   // paper width in twips (as oriented)
    double Height() const;  // paper height in twips
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;
    // Offsets of the printable area from the paper's corner, in device pixels.
    int PhysicalOffsetX() const;
    int PhysicalOffsetY() const;

    // ---- pages and documents
    int Orientation() const { return orientation_; }
    void SetOrientation(int orientation);  // takes effect from the next page started
    void NewPage();                        // a page break; one followed directly by EndDoc prints nothing
    void EndDoc();                         // ends the document and hands it to the printer
    // The pages of the document about to be printed, when the printout counted them first (0: not
    // known), so that its progress can say "page N of M"; ended documents forget it.
    void SetExpectedPages(int pages) { expectedPages_ = std::max(0, pages); }
    int ExpectedPages() const { return expectedPages_; }
    QString JobName() const { return jobName_; }
    void SetJobName(const QString& name) { jobName_ = name; }
    // PDF files written so far by this page (empty when the output went to a printer).
    virtual QStringList OutputFiles() const { return {}; }
    // What became of each document ended so far (empty for a page that prints nowhere).
    virtual std::vector<PrintOutcome> Outcomes() const { return {}; }

    // ---- fonts
    int FontCount() const;
    QString Fonts(int index) const;  // "" past the end of the list
    QString FontName() const;
    void SetFontName(const QString& name);
    double FontSize() const { return fontSize_; }
    void SetFontSize(double points);
    bool FontBold() const { return bold_; }
    void SetFontBold(bool bold) { bold_ = bold; }
    bool FontUnderline() const { return underline_; }
    void SetFontUnderline(bool underline) { underline_ = underline; }

    // ---- text and lines
    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }
    void SetCurrentX(double x) { currentX_ = x; }
    void SetCurrentY(double y);
    // Prints at the current position, then goes to the start of the next line. No text ever runs
    // past the printable area's right edge: what would is cut there with "..." (Elide).
    void Print(const QString& text = QString());
    // Prints at the current position and stays on the line after the text.
    void PrintNoLineEnd(const QString& text);
    // Prints from character column `column` (1 = left edge) without a line end; when the line has
    // already passed that column the text starts there on the next line.
    void PrintTab(int column, const QString& text);
    double TextWidth(const QString& text) const;
    // The text when it is at most `width` wide in the current font, else its longest leading part
    // that fits with "..." after it.
    QString Elide(const QString& text, double width) const;
    // The same with "..." in the middle: the text keeps its beginning and its end.
    QString ElideMiddle(const QString& text, double width) const;
    // The current font size when every text fits `width`, else the largest smaller size at which
    // they do, but never below `least` points.
    double SizeToFit(const QStringList& texts, double width, double least = kMinFitPoints) const;
    // Prints at the current position a text that must end within `width`: a name too long for it
    // takes the longest of its forms that fits, kept apart from the names set by KeepNamesApart
    // (NameSet::Fit); what is still too wide is printed smaller (SizeToFit, a name down to
    // kMinNamePoints), and cut with "..." only when even the smallest size is too wide (a name in
    // its middle, so that the ends that tell it from another's stay). The line
    // ends as for the current font, which stays as it was.
    enum class Fit { Text, Name };
    void PrintFitted(const QString& text, double width, Fit kind = Fit::Text, bool lineEnd = true);
    static constexpr double kMinFitPoints = 5;
    // A name's shortest form that still reads apart may go smaller, so that no surname is cut.
    static constexpr double kMinNamePoints = 4;
    // The names the printout's names must not read like: those it prints, and for a single name
    // the club's players.
    void KeepNamesApart(NameSet names) { names_ = std::move(names); }
    // PrintFitted in character columns `column` to `lastColumn` (as PrintTab counts them).
    void PrintTabFitted(int column, int lastColumn, const QString& text, Fit kind = Fit::Text);
    double TabWidth(int column, int lastColumn) const;  // of those columns, in scale units
    double TextHeight(const QString& text = QString()) const;
    void Line(double x1, double y1, double x2, double y2);
    // Prints a picture of the widget as shown on a page of its own and ends the document.
    void PrintWidget(QWidget& widget);

  protected:
    PrinterPage();

    struct FontSpec {
        QString name;
        double size = 10;
        bool bold = false;
        bool underline = false;
    };

    // Backend: paper and printable area (twips, as oriented), device resolution, fonts.
    virtual QSizeF PaperTwips(int orientation) const = 0;
    virtual QRectF PrintableTwips(int orientation) const = 0;  // within the paper
    virtual double DotsPerInchX() const = 0;
    virtual double DotsPerInchY() const = 0;
    virtual QStringList FontList() const = 0;
    virtual QString DefaultFontName() const = 0;
    virtual double MeasureTextTwips(const FontSpec& font, const QString& text) const = 0;
    virtual double LineHeightTwips(const FontSpec& font) const = 0;
    virtual double AverageCharTwips(const FontSpec& font) const = 0;

    // Backend: output. Positions are twips from the printable corner; text by its top-left corner.
    virtual void BeginDocument(int orientation) = 0;
    virtual void BeginPage(int orientation) = 0;  // a further page of the document
    virtual void DrawText(const QPointF& topLeft, const FontSpec& font, const QString& text) = 0;
    virtual void DrawLine(const QPointF& from, const QPointF& to) = 0;
    virtual void DrawImage(const QRectF& target, const QImage& image) = 0;
    virtual void FinishDocument() = 0;
    virtual void OrientationSet(int /*orientation*/) {}

    FontSpec CurrentFont() const;
    double ToTwipsX(double x) const { return (x - scaleLeft_) * unitX_; }
    double ToTwipsY(double y) const { return (y - scaleTop_) * unitY_; }
    double FromTwipsX(double twips) const { return scaleLeft_ + twips / unitX_; }
    double FromTwipsY(double twips) const { return scaleTop_ + twips / unitY_; }
    double AverageCharWidth() const;  // one character column in scale units
    int DocumentNumber() const { return documents_ + (docStarted_ ? 1 : 0); }
    int PageNumber() const { return page_; }

  private:
    void PrintSegment(const QString& text, bool lineEnd);
    void LineEnd();
    void PrepareOutput();  // starts the document and any pending pages
    QRectF Printable() const { return PrintableTwips(orientation_); }

    int scaleMode_ = kScaleTwips;
    double scaleLeft_ = 0, scaleTop_ = 0;
    double unitX_ = 1, unitY_ = 1;  // twips per scale unit
    double currentX_ = 0, currentY_ = 0;
    bool flowing_ = false;  // the current Y was reached by a line end (text may run onto a new page)
    int orientation_ = kPortrait;
    QString fontName_;  // empty: the backend's default font
    double fontSize_ = 10;
    bool bold_ = false, underline_ = false;
    QString jobName_ = QStringLiteral("Printout");
    bool docStarted_ = false;
    bool pageHasOutput_ = false;
    int pendingPages_ = 0;
    int documents_ = 0;  // documents ended with output
    int page_ = 0;       // page of the current document
    int expectedPages_ = 0;
    NameSet names_;
};

}  // namespace dc
