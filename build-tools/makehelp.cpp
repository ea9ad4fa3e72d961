// Turns the help text (Markdown) into the help document: a Letter-size PDF with a contents page,
// each chapter on a new page, and page numbers. Run at build time: makehelp <help.md> <out.pdf>
#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <cstdio>
#include <memory>

namespace {

constexpr int kDpi = 600;
constexpr double kMarginInches = 0.75;
constexpr double kFooterInches = 0.4;  // room at the bottom of the text area for the page number
const QColor kHeadingColor(0x1f, 0x5c, 0x3a);

struct HelpText {
    QString front;              // the title and the introduction
    QString chapters;           // everything from the first chapter on
    QStringList chapterTitles;  // the first-level headings after the title
};

// Splits the text at its second first-level heading; fenced code is never taken for a heading.
HelpText Split(const QString& markdown) {
    HelpText help;
    const QStringList lines = markdown.split(QLatin1Char('\n'));
    bool inFence = false;
    int headings = 0;
    qsizetype chapterStart = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.startsWith(QLatin1String("```"))) inFence = !inFence;
        if (inFence || !line.startsWith(QLatin1String("# "))) continue;
        if (++headings == 2) chapterStart = i;
        if (headings >= 2) help.chapterTitles << line.mid(2).trimmed();
    }
    if (chapterStart < 0) {
        help.front = markdown;
        return help;
    }
    help.front = lines.mid(0, chapterStart).join(QLatin1Char('\n'));
    help.chapters = lines.mid(chapterStart).join(QLatin1Char('\n'));
    return help;
}

QString ContentsTable(const QStringList& titles, const QList<int>& pages) {
    QString table = QStringLiteral("\n\n## Contents\n\n| Chapter | Page |\n|:---|---:|\n");
    for (qsizetype i = 0; i < titles.size(); ++i) {
        QString title = titles.at(i);
        title.replace(QLatin1Char('|'), QLatin1String("\\|"));
        table += QStringLiteral("| %1 | %2 |\n").arg(title).arg(i < pages.size() ? pages.at(i) : 0);
    }
    return table + QLatin1Char('\n');
}

QString BodyFontFamily() {
    for (const char* family : {"Liberation Sans", "DejaVu Sans", "Arial"})
        if (QFontDatabase::hasFamily(QString::fromLatin1(family))) return QString::fromLatin1(family);
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

void StyleTables(QTextFrame* frame) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            format.setBorder(1);
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderBrush(QColor(0x99, 0x99, 0x99));
            format.setCellSpacing(0);
            format.setCellPadding(3);
            format.setBorderCollapse(true);
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            table->setFormat(format);
        }
        StyleTables(child);
    }
}

// Builds the laid-out document for one page size: chapters start on new pages, headings in colour.
// Lengths in formats are in pixels of a 96-dpi screen; the layout scales them to the device.
std::unique_ptr<QTextDocument> BuildDocument(const QString& markdown, QPaintDevice* device,
                                             const QSizeF& page) {
    auto doc = std::make_unique<QTextDocument>();
    doc->documentLayout()->setPaintDevice(device);
    doc->setDocumentMargin(0);
    doc->setDefaultFont(QFont(BodyFontFamily(), 11));
    doc->setMarkdown(markdown);

    bool titleSeen = false;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0) continue;
        QTextCursor cursor(block);
        QTextBlockFormat blockFormat;
        if (level == 1 && titleSeen) blockFormat.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        blockFormat.setTopMargin(level == 1 ? 0 : 10);
        blockFormat.setBottomMargin(6);
        cursor.mergeBlockFormat(blockFormat);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat charFormat;
        charFormat.setForeground(kHeadingColor);
        cursor.mergeCharFormat(charFormat);
        if (level == 1) titleSeen = true;
    }
    StyleTables(doc->rootFrame());
    doc->setPageSize(page);  // last, so that the whole document is laid out with its final formats
    return doc;
}

// Page (from 1) of each first-level heading after the title.
QList<int> ChapterPages(QTextDocument& doc) {
    QList<int> pages;
    const double pageHeight = doc.pageSize().height();
    bool titleSeen = false;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 1) continue;
        if (titleSeen) {
            const double top = doc.documentLayout()->blockBoundingRect(block).top();
            pages << static_cast<int>(top / pageHeight) + 1;
        }
        titleSeen = true;
    }
    return pages;
}

void DrawFooter(QPainter& painter, const QRectF& area, int page, int pageCount) {
    painter.save();
    painter.setPen(QPen(QColor(0x99, 0x99, 0x99), kDpi / 144.0));
    painter.drawLine(area.topLeft(), area.topRight());
    QFont font(BodyFontFamily(), 9);
    painter.setFont(font);
    painter.setPen(QColor(0x55, 0x55, 0x55));
    const QRectF text = area.adjusted(0, kDpi / 20.0, 0, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Dado Corvy Help"));
    painter.drawText(text, Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("Page %1 of %2").arg(page).arg(pageCount));
    painter.restore();
}

int Fail(const QString& message) {
    std::fprintf(stderr, "makehelp: %s\n", qPrintable(message));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) return Fail(QStringLiteral("usage: makehelp <help.md> <out.pdf>"));

    QFile input(QString::fromLocal8Bit(argv[1]));
    if (!input.open(QIODevice::ReadOnly | QIODevice::Text))
        return Fail(QStringLiteral("cannot read %1").arg(input.fileName()));
    const HelpText help = Split(QString::fromUtf8(input.readAll()));

    QSaveFile output(QString::fromLocal8Bit(argv[2]));
    if (!output.open(QIODevice::WriteOnly))
        return Fail(QStringLiteral("cannot write %1").arg(output.fileName()));
    QPdfWriter writer(&output);
    writer.setResolution(kDpi);
    writer.setTitle(QStringLiteral("Dado Corvy Help"));
    writer.setCreator(QStringLiteral("Dado Corvy"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                     QMarginsF(kMarginInches, kMarginInches, kMarginInches, kMarginInches),
                                     QPageLayout::Inch));
    const QRectF area = writer.pageLayout().paintRectPixels(kDpi);
    const QSizeF page(area.width(), area.height() - kFooterInches * kDpi);

    // The contents page names the chapters' pages; lay out again until the numbers hold.
    QList<int> pages(help.chapterTitles.size(), 0);
    std::unique_ptr<QTextDocument> doc;
    for (int pass = 0; pass < 4; ++pass) {
        doc = BuildDocument(help.front + ContentsTable(help.chapterTitles, pages) + help.chapters, &writer,
                            page);
        const QList<int> found = ChapterPages(*doc);
        if (found == pages) break;
        pages = found;
    }

    QPainter painter;
    if (!painter.begin(&writer)) return Fail(QStringLiteral("cannot start the PDF"));
    const int pageCount = doc->pageCount();
    for (int i = 0; i < pageCount; ++i) {
        if (i > 0) writer.newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        doc->drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
        painter.restore();
        if (i > 0)
            DrawFooter(painter, QRectF(0, page.height(), page.width(), kFooterInches * kDpi), i + 1,
                       pageCount);
    }
    painter.end();
    if (!output.commit()) return Fail(QStringLiteral("cannot write %1").arg(output.fileName()));
    return 0;
}
