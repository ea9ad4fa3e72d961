// Printing the sheet: the page header line, then the grid with its headers as asked, each column
// as wide as its own texts (or the screen's columns spread across the page), scaled to the page
// width when it is wider, over as many pages as its rows need.
#include <QFontMetricsF>
#include <QHeaderView>
#include <QPainter>
#include <QPrinter>
#include <QSet>
#include <algorithm>

#include "platform/HeaderFit.h"
#include "platform/PrintJob.h"
#include "platform/Spread.h"
#include "platform/SpreadModel.h"

namespace dc {

namespace {

constexpr double kScreenDpi = 96.0;  // 15 twips to a pixel

struct PrintLayout {
    std::vector<int> cols;  // grid columns printed, in order
    std::vector<double> widths;
    double totalWidth = 0;
};

}  // namespace

// The widest of a column's printed texts in `font` on the printer: the header's and every cell's,
// as measured (a shorter text may be the wider one); each different text is measured once.
double Spread::PrintedColumnWidth(int col, const QFont& font, QPrinter& printer) const {
    if (col == 0) return ColPixels(0) * printer.resolution() / kScreenDpi;  // fitted to the row numbers
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF metrics(font, &printer), boldMetrics(bold, &printer);
    QSet<QString> measured[2];  // plain, bold
    double widest = 0;
    for (int r = printColHeaders_ ? 0 : 1; r <= MaxRows(); ++r) {
        const auto c = CellAt(col, r);
        if (!c) continue;
        if (!c->IsHeader() && c->fmt.type == SpreadCellType::CheckBox) {
            widest = std::max(widest, ColPixels(col) * printer.resolution() / kScreenDpi);
            continue;
        }
        const QString text = c->data(Qt::DisplayRole).toString();
        QSet<QString>& seen = measured[c->fmt.bold ? 1 : 0];
        if (seen.contains(text)) continue;
        seen.insert(text);
        widest = std::max(widest, (c->fmt.bold ? boldMetrics : metrics).horizontalAdvance(text));
    }
    return widest;
}

bool Spread::PrintSheet(PrintJob& job) {
    CommitEdit();
    QPrinter& printer = job.Printer();
    if (!printJobName_.isEmpty()) printer.setDocName(printJobName_);
    printer.setPageOrientation(printOrientation_ == SpreadPrintOrientation::Landscape
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait);
    QPainter painter;
    if (!job.Open() || !painter.begin(&printer)) return false;

    const double dpi = printer.resolution();
    const double unit = dpi / kScreenDpi;  // device units per screen pixel
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSizeF page(paint.width(), paint.height());

    QFont textFont = font();
    if (textFont.pointSizeF() <= 0) textFont.setPointSizeF(textFont.pixelSize() * 72.0 / kScreenDpi);
    const double pad = 2 * unit;  // kept each side of a cell's text

    PrintLayout layout;
    if (printRowHeaders_ && ColPixels(0) > 0) layout.cols.push_back(0);
    for (int c = 1; c <= MaxCols(); ++c)
        if (ColPixels(c) > 0) layout.cols.push_back(c);
    const bool acrossPage = printWidths_ == SpreadPrintWidths::AcrossPage;
    for (int c : layout.cols) {
        layout.widths.push_back(acrossPage ? ColPixels(c) * unit
                                           : PrintedColumnWidth(c, textFont, printer) + 2 * pad + 1);
        layout.totalWidth += layout.widths.back();
    }
    // The screen's columns, narrower than the page, widen in proportion to its whole width.
    if (acrossPage && layout.totalWidth > 0 && layout.totalWidth < page.width()) {
        const double widen = page.width() / layout.totalWidth;
        for (double& w : layout.widths) w *= widen;
        layout.totalWidth = page.width();
    }
    // Scaled down to the page, but never below the least size: then the widest columns give up
    // room (their texts cut with "...") until the grid fits.
    constexpr double kLeastPoints = 5;
    const double least = std::min(1.0, kLeastPoints / textFont.pointSizeF());
    double scale = layout.totalWidth > page.width() ? page.width() / layout.totalWidth : 1.0;
    if (scale < least) {
        scale = least;
        const double room = page.width() / scale;
        std::vector<double> sorted = layout.widths;
        std::sort(sorted.begin(), sorted.end(), std::greater<>());
        // The level no column may pass: the widest come down to it together.
        double level = sorted.front(), above = 0;
        for (size_t i = 0; i < sorted.size(); ++i) {
            above += sorted[i];
            const double rest = layout.totalWidth - above;
            const double candidate = (room - rest) / double(i + 1);
            if (i + 1 == sorted.size() || candidate >= sorted[i + 1]) {
                level = std::max(1.0, candidate);
                break;
            }
        }
        layout.totalWidth = 0;
        for (double& w : layout.widths) layout.totalWidth += (w = std::min(w, level));
    }
    const double pageHeight = page.height() / scale;

    painter.scale(scale, scale);
    painter.setFont(textFont);

    // The header fits the page's width at no less than 6 points as printed, on more lines if it must.
    constexpr double kLeastHeaderPoints = 6;
    const FittedHeader header =
        printHeader_.isEmpty()
            ? FittedHeader{}
            : FitHeader(printHeaderForms_.isEmpty() ? QStringList{printHeader_} : printHeaderForms_, textFont,
                        page.width() / scale, &printer, kLeastHeaderPoints / scale);
    const double headerSpacing = QFontMetricsF(header.font, &printer).lineSpacing();
    const double headerLine = header.lines.isEmpty() ? 0.0 : headerSpacing * (header.lines.size() + 1);
    const double titleHeight = printColHeaders_ ? qMax(1, RowHeight(0) / kTwipsPerPixel) * unit : 0.0;
    auto rowHeightOf = [&](int r) { return RowHeight(r) / double(kTwipsPerPixel) * unit; };

    auto drawCell = [&](int col, int row, const QRectF& rect) {
        const auto cell = CellAt(col, row);
        if (!cell) return;
        QColor back = cell->fmt.backColor;
        if (!back.isValid()) back = cell->IsHeader() ? QColor(224, 224, 224) : QColor(Qt::white);
        painter.fillRect(rect, back);
        painter.setPen(QPen(QColor(128, 128, 128), 0));
        painter.drawRect(rect);
        QFont f = textFont;
        f.setBold(cell->fmt.bold);
        painter.setFont(f);
        painter.setPen(cell->fmt.foreColor.isValid() ? cell->fmt.foreColor : QColor(Qt::black));
        if (!cell->IsHeader() && cell->fmt.type == SpreadCellType::CheckBox) {
            const double side = qMin(rect.width(), rect.height()) * 0.6;
            const double x = cell->fmt.checkCenter ? rect.center().x() - side / 2 : rect.left() + 3 * unit;
            const QRectF box(x, rect.center().y() - side / 2, side, side);
            painter.drawRect(box);
            if (cell->Checked()) {
                painter.drawLine(box.topLeft(), box.bottomRight());
                painter.drawLine(box.topRight(), box.bottomLeft());
            }
            return;
        }
        const int align = cell->data(Qt::TextAlignmentRole).toInt();
        const QRectF room = rect.adjusted(pad, 0, -pad, 0);
        const QString text = cell->data(Qt::DisplayRole).toString();
        painter.drawText(room, align,
                         QFontMetricsF(f, &printer).elidedText(text, Qt::ElideRight, room.width() + 0.5));
    };

    auto drawRow = [&](int row, double y, double height) {
        double x = 0;
        for (size_t i = 0; i < layout.cols.size(); ++i) {
            const int col = layout.cols[i];
            drawCell(col, row, QRectF(x, y, layout.widths[i], height));
            x += layout.widths[i];
        }
    };

    auto startPage = [&]() {
        double y = 0;
        if (!header.lines.isEmpty()) {
            painter.setFont(header.font);
            painter.setPen(Qt::black);
            for (qsizetype i = 0; i < header.lines.size(); ++i)
                painter.drawText(QRectF(0, headerSpacing * (i + 0.5), page.width() / scale, headerSpacing),
                                 Qt::AlignLeft | Qt::AlignVCenter, header.lines.at(i));
            y += headerLine;
        }
        if (printColHeaders_) {
            drawRow(0, y, titleHeight);
            y += titleHeight;
        }
        return y;
    };

    // The pages the rows take, for the progress window.
    const double top = (printHeader_.isEmpty() ? 0.0 : headerLine) + (printColHeaders_ ? titleHeight : 0.0);
    int pages = 1;
    {
        double end = top;
        bool any = false;
        for (int r = 1; r <= MaxRows(); ++r) {
            const double height = rowHeightOf(r);
            if (height <= 0) continue;
            if (any && end + height > pageHeight) {
                ++pages;
                end = top;
            }
            end += height;
            any = true;
        }
    }

    double y = startPage();
    bool rowsOnPage = false;
    int pageNumber = 1;
    for (int r = 1; r <= MaxRows(); ++r) {
        const double height = rowHeightOf(r);
        if (height <= 0) continue;
        if (rowsOnPage && y + height > pageHeight) {
            if (!job.NextPage(++pageNumber, pages)) break;  // cancelled: Finish leaves nothing
            if (!printer.newPage()) {
                painter.end();
                job.Abandon();
                return false;
            }
            y = startPage();
            rowsOnPage = false;
        }
        drawRow(r, y, height);
        y += height;
        rowsOnPage = true;
    }
    if (!painter.end()) {
        job.Abandon();
        return false;
    }
    return job.Finish();
}

}  // namespace dc
